#pragma once

#include "alarms/Alarm.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>

class QSqlError;
class QSqlQuery;
class QVariant;

// A moment as an SQL literal ('yyyy-mm-dd hh:nn:ss'; NULL for 0), and back from a result.
QString SqlMomentLiteral(TMoment moment);
TMoment MomentOfSql(const QVariant &value);

// The activations in the server's table alarm_log, shared by every station. An activation is one
// row (the unique key on code and activation moment makes the same activation seen by several
// stations one row); everything after the insert only fills empty fields, so stations acting at
// once leave one consistent row.
class TAlarmStore
{
public:
    enum class TResult { Done, LinkLost, Refused };

    explicit TAlarmStore(QSqlDatabase db);
    void SetDatabase(QSqlDatabase db) { FDb = db; }

    // Whether the table is there and this user may read and write it; Reason() says why not.
    bool Probe();
    QString Reason() const { return FReason; }

    // The activation with every field this station knows (a station that could not store its
    // changes at once hands them in later the same way).
    // The insert is left out for an activation known to be there.
    TResult Push(const TAlarm &alarm);
    // Acknowledgement, shelving and its end, stamped by the server with its time and the user.
    TResult Acknowledge(const TAlarm &alarm);
    TResult Shelve(const TAlarm &alarm, TMoment until, const QString &reason);
    TResult Unshelve(const TAlarm &alarm);

    // Rows not back to normal, and the rows of the given activations whatever their state.
    TResult ReadCurrent(const QVector<TAlarm> &known, TMoment now, QVector<TAlarm> &rows);
    // Activations from start to stop inclusive, of one code or of all (empty), oldest first.
    TResult ReadArchive(TMoment start, TMoment stop, const QString &code, QVector<TAlarm> &rows);

private:
    TResult Exec(const QString &sql);
    TResult Read(const QString &sql, QVector<TAlarm> &rows);
    TResult Failed(const QSqlError &error);

    QSqlDatabase FDb;
    QString FReason;
};
