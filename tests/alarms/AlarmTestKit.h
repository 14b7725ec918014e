#pragma once

#include "alarms/AlarmMonitor.h"

#include <QMap>
#include <QSqlDatabase>
#include <QVariant>

// Records written into the private server for the alarm tests, one a minute from 08:00 of a
// summer day, and monitors that read them through connections of their own (one per station).
namespace AlarmTestKit {

inline constexpr int Year = 2026, Month = 6, Day = 10;
// Moment of record i (08:00 + i minutes).
TMoment RecordMoment(int i);
// The production day's start of the records (07:00).
TMoment DayStart();

// Empties pu_data and alarm_log and sets every alarm constant to its default.
bool Reset(const QSqlDatabase &db);
// A record of a quiet plant at work, with the given columns changed (a null variant is NULL).
bool WriteRecord(const QSqlDatabase &db, int i, const QMap<QString, QVariant> &changes = {});
// Rows of alarm_log of a code (or all, empty), oldest first.
int RowCount(const QSqlDatabase &db, const QString &code = QString());
// Creates alarm_log again as the schema has it.
bool CreateAlarmLog(const QSqlDatabase &db);

// A station: its own connection, a heartbeat as the test sets it, the records' production day.
struct TStation
{
    explicit TStation(const QString &name);
    TAlarmSource Source();

    QString Name;
    QSqlDatabase Db;
    bool Online = true;
    bool HeartbeatFresh = false;
    TMoment DayStartMoment;
};

} // namespace AlarmTestKit
