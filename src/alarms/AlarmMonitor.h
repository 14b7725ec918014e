#pragma once

#include "alarms/Alarm.h"
#include "alarms/AlarmEvaluator.h"
#include "alarms/AlarmStore.h"

#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <functional>
#include <map>

// Where a monitor reads the records and stores the alarms, and what it knows of the station.
struct TAlarmSource
{
    std::function<QSqlDatabase()> Database; // an open database, or an invalid or closed one
    // Where alarm_log is read and written, when that is not Database (the primary server while
    // the records come from a replica); invalid while it cannot be reached.
    std::function<QSqlDatabase()> LogDatabase;
    std::function<bool()> HeartbeatFresh; // the acquisition side is alive
    std::function<QString()> LocalUser; // who acknowledges while the server cannot be told
    std::function<TMoment(TMoment)> DayStart; // first moment of the production day of a moment
};
// The first moment of the production day that holds the moment.
TMoment ProductionDayStart(TMoment moment);

// The main frame's link, lamp and login; the production day of the settings.
TAlarmSource StationAlarmSource();

// The alarms of one station: on start (and whenever the link comes back) it takes the open rows of
// alarm_log and continues them, evaluates the records it has not seen since the start of the
// production day, then every new record on each tick; it stores every activation, return,
// acknowledgement and shelving in alarm_log and takes over what other stations stored there.
// Without alarm_log (or the right to write it) the alarms live at this station only.
class TAlarmMonitor : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxShelveMinutes = 8 * 60;

    explicit TAlarmMonitor(TAlarmSource source, QObject *parent = nullptr);

    // One tick: catches up first when the link is new, then the new records, the tick's
    // conditions and the other stations' changes.
    void Tick();

    void Acknowledge(const QString &code, TMoment activated);
    void AcknowledgeAll();
    // Shelves for at most MaxShelveMinutes; false (nothing done) without a reason.
    bool Shelve(const QString &code, TMoment activated, int minutes, const QString &reason);
    void Unshelve(const QString &code, TMoment activated);

    const TAlarmTable &Table() const { return FTable; }
    const TAlarmEvaluator &Evaluator() const { return FEvaluator; }
    TAlarmStore &Store() { return FStore; }
    bool Started() const { return FStarted; }
    // Whether the alarms reach alarm_log; if not, StoreReason says why.
    bool Stored() const { return FStored; }
    QString StoreReason() const { return FStore.Reason(); }
    TMoment LastRecord() const { return FLastRecord; }

signals:
    // After every tick that may have changed what the alarms show.
    void Changed();

private:
    void CatchUp(QSqlDatabase &db);
    void LoadLimits(QSqlDatabase &db);
    bool ReadRecords(QSqlDatabase &db, TMoment after,
                     const std::map<int, TMoment> &toContinue = {});
    void Apply(const std::vector<TAlarmEvent> &events);
    void Push(TAlarm &alarm);
    void PushDirty();
    void Sync();
    void StoreFailed(TAlarmStore::TResult result);
    template<class Action> void Act(const QString &code, TMoment activated, Action act);

    TAlarmSource FSource;
    TAlarmEvaluator FEvaluator;
    TAlarmTable FTable;
    TAlarmStore FStore;
    bool FStarted = false; // caught up on the current link
    bool FStored = false;
    TMoment FLastSeen = 0; // newest record evaluated
    TMoment FLastRecord = 0; // newest record on the server, for the tick's conditions
    int FTicks = 0;
    QSet<QString> FPosted; // constants already reported as unusable
};
