#include "alarms/AlarmMonitor.h"

#include "app/Connection.h"
#include "app/EventLog.h"
#include "app/Main.h"
#include "app/Utils.h"
#include "base/Formats.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {

// The heartbeat counts as fresh while the lamp is not red.
const double FreshHeartbeatSeconds = 10;
// Constants are read again now and then, so an edit on the constants page takes effect.
const int LimitsEveryTicks = 60;

bool Usable(const TAlarmConstant &constant, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (constant.Slot) {
    case TAlarmConstant::Limit: {
        const TAlarmRule rule = AlarmConditions()[constant.Condition].Rule;
        return (rule != TAlarmRule::Deviation && rule != TAlarmRule::NoData) || value > 0;
    }
    case TAlarmConstant::Deadband:
        return value >= 0;
    case TAlarmConstant::Delay:
        return value >= 1 && value <= 1000 && value == std::floor(value);
    }
    return false;
}

} // namespace

TMoment ProductionDayStart(TMoment moment)
{
    TMoment start = 0, stop = 0;
    ShiftRange(ProductionDayOf(moment), 3, start, stop);
    return start;
}

TAlarmSource StationAlarmSource()
{
    TAlarmSource source;
    source.Database = [] {
        return SQLConnection1().Connected() ? SQLConnection1().Database() : QSqlDatabase();
    };
    source.LogDatabase = [] {
        return WriteConnection().Connected() ? WriteConnection().Database() : QSqlDatabase();
    };
    source.HeartbeatFresh = [] {
        const std::optional<double> age = FormMain ? FormMain->HeartbeatAge() : std::nullopt;
        return age && *age <= FreshHeartbeatSeconds;
    };
    source.LocalUser = [] {
        return FormMain ? FormMain->Settings.Login : QString();
    };
    source.DayStart = ProductionDayStart;
    return source;
}

TAlarmMonitor::TAlarmMonitor(TAlarmSource source, QObject *parent)
    : QObject(parent)
    , FSource(std::move(source))
    , FStore(QSqlDatabase())
{ }

void TAlarmMonitor::Tick()
{
    QSqlDatabase db = FSource.Database();
    if (!db.isValid() || !db.isOpen()) {
        FStarted = false;
        emit Changed();
        return;
    }
    FStore.SetDatabase(FSource.LogDatabase ? FSource.LogDatabase() : db);
    if (!FStarted) {
        CatchUp(db);
    } else {
        if (++FTicks % LimitsEveryTicks == 0) {
            LoadLimits(db);
            if (!FStored)
                FStored = FStore.Probe();
        }
        if (!ReadRecords(db, FLastSeen))
            FStarted = false;
    }
    if (FStarted) {
        std::vector<TAlarmEvent> events;
        FEvaluator.Tick(Now(), FLastRecord, FSource.HeartbeatFresh(), events);
        Apply(events);
        Sync();
    }
    FTable.Prune(Now());
    emit Changed();
}

void TAlarmMonitor::CatchUp(QSqlDatabase &db)
{
    LoadLimits(db);
    FStored = FStore.Probe();
    const TMoment after = std::max(FLastSeen, FSource.DayStart(Now()) - OneSecond);
    // Open activations go on: those begun before the records to evaluate are taken over at once,
    // later ones when the evaluation reaches them (should it not raise them itself).
    std::map<int, TMoment> toContinue;
    if (FStored) {
        QVector<TAlarm> rows;
        const TAlarmStore::TResult result = FStore.ReadCurrent(FTable.All(), Now(), rows);
        if (result != TAlarmStore::TResult::Done) {
            StoreFailed(result);
            if (result == TAlarmStore::TResult::LinkLost)
                return;
        }
        for (const TAlarm &row : rows) {
            FTable.Merge(row);
            const int condition = AlarmConditionIndex(row.Code);
            if (condition < 0 || !row.Active() || FEvaluator.Active(condition))
                continue;
            if (row.Activated <= after)
                FEvaluator.Continue(condition, row.Activated);
            else if (!toContinue.count(condition) || row.Activated < toContinue[condition])
                toContinue[condition] = row.Activated;
        }
        PushDirty();
    }
    QSqlQuery newest(db);
    if (!newest.exec(QStringLiteral("select max(RecMoment) from pu_data")))
        return;
    if (newest.next())
        FLastRecord = std::max(FLastRecord, MomentOfSql(newest.value(0)));
    FLastSeen = after;
    FStarted = ReadRecords(db, after, toContinue);
}

void TAlarmMonitor::LoadLimits(QSqlDatabase &db)
{
    std::map<QString, QVariant> values;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "select ConstName, ConstVal from setup where ConstName like 'ALM\\_%'"))) {
        // The limits in force stay; the failure is told once.
        if (!FPosted.contains(QString()))
            PostEvent(QStringLiteral("Тревоги: константы не прочитаны: ")
                      + query.lastError().text());
        FPosted.insert(QString());
        return;
    }
    while (query.next())
        values[query.value(0).toString().trimmed().toUpper()] = query.value(1);
    const QVector<TAlarmConstant> &constants = AlarmConstants();
    std::vector<TAlarmLimits> limits(AlarmConditions().size());
    for (int i = 0; i < int(limits.size()); ++i)
        limits[i] = AlarmConditions()[i].Defaults;
    for (const TAlarmConstant &constant : constants) {
        const auto found = values.find(constant.Name);
        double value = constant.Default;
        if (found != values.end() && !found->second.isNull()
            && Usable(constant, found->second.toDouble())) {
            value = found->second.toDouble();
        } else if (!FPosted.contains(constant.Name)) {
            FPosted.insert(constant.Name);
            PostEvent(QStringLiteral("Тревоги: константа %1 не задана или неверна, принято %2")
                          .arg(constant.Name, FloatToStr(constant.Default)));
        }
        TAlarmLimits &l = limits[constant.Condition];
        switch (constant.Slot) {
        case TAlarmConstant::Limit:
            l.Limit = value;
            break;
        case TAlarmConstant::Deadband:
            l.Deadband = value;
            break;
        case TAlarmConstant::Delay:
            l.Delay = int(value);
            break;
        }
    }
    for (int i = 0; i < int(limits.size()); ++i)
        FEvaluator.SetLimits(i, limits[i]);
}

bool TAlarmMonitor::ReadRecords(QSqlDatabase &db, TMoment after,
                                const std::map<int, TMoment> &toContinue)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(TAlarmRecordReader::SelectText() + QStringLiteral(" where RecMoment > ")
                    + SqlMomentLiteral(after) + QStringLiteral(" order by RecMoment")))
        return false;
    const TAlarmRecordReader reader(query);
    std::map<int, TMoment> pending = toContinue;
    std::vector<TAlarmEvent> events;
    // A stored activation is taken over for the records after its moment, unless the record of
    // its moment raised it here as well.
    const auto adopt = [this, &pending](TMoment moment, bool sameMoment) {
        for (auto it = pending.begin(); it != pending.end();) {
            const qint64 activated = MomentSecond(it->second);
            if (sameMoment ? activated != MomentSecond(moment)
                           : activated >= MomentSecond(moment)) {
                ++it;
                continue;
            }
            if (!FEvaluator.Active(it->first))
                FEvaluator.Continue(it->first, it->second);
            it = pending.erase(it);
        }
    };
    while (query.next()) {
        const TAlarmRecord record = reader.Read(query);
        adopt(record.Moment, false);
        FEvaluator.Evaluate(record, events);
        adopt(record.Moment, true);
        FLastSeen = record.Moment;
        FLastRecord = std::max(FLastRecord, record.Moment);
    }
    if (query.lastError().isValid())
        return false;
    // Activations after the newest record (no data since) go on as they are.
    for (const auto &[condition, activated] : pending) {
        if (!FEvaluator.Active(condition))
            FEvaluator.Continue(condition, activated);
    }
    Apply(events);
    return true;
}

void TAlarmMonitor::Apply(const std::vector<TAlarmEvent> &events)
{
    const TMoment now = Now();
    for (const TAlarmEvent &event : events) {
        const TAlarmCondition &condition = AlarmConditions()[event.Condition];
        TAlarm *alarm = event.Raised
            ? FTable.Raise(condition, event.Moment, event.Value, event.Limit, now)
            : FTable.Return(condition.Code, event.Activated, event.Moment);
        if (alarm)
            Push(*alarm);
    }
}

void TAlarmMonitor::Push(TAlarm &alarm)
{
    if (!FStored)
        return;
    const TAlarmStore::TResult result = FStore.Push(alarm);
    if (result == TAlarmStore::TResult::Done) {
        alarm.Dirty = false;
        alarm.OnServer = true;
    } else {
        StoreFailed(result);
    }
}

void TAlarmMonitor::PushDirty()
{
    for (TAlarm &alarm : FTable.All()) {
        if (alarm.Dirty && FStored)
            Push(alarm);
    }
}

void TAlarmMonitor::Sync()
{
    if (!FStored)
        return;
    PushDirty();
    QVector<TAlarm> rows;
    const TAlarmStore::TResult result = FStore.ReadCurrent(FTable.All(), Now(), rows);
    if (result != TAlarmStore::TResult::Done) {
        StoreFailed(result);
        return;
    }
    for (const TAlarm &row : rows)
        FTable.Merge(row);
}

void TAlarmMonitor::StoreFailed(TAlarmStore::TResult result)
{
    if (result == TAlarmStore::TResult::LinkLost)
        FStarted = false; // caught up again once the link is back
    else
        FStored = false;
}

template<class Action> void TAlarmMonitor::Act(const QString &code, TMoment activated, Action act)
{
    TAlarm *alarm = FTable.Find(code, activated);
    if (!alarm)
        return;
    // An activation whose row is not stored yet has nothing on the server to update.
    if (FStored && alarm->OnServer) {
        const TAlarmStore::TResult result = act(*alarm, true);
        if (result == TAlarmStore::TResult::Done) {
            Sync();
            emit Changed();
            return;
        }
        StoreFailed(result);
    }
    // Kept here and handed in when the server can take it.
    act(*alarm, false);
    alarm->Dirty = true;
    emit Changed();
}

void TAlarmMonitor::Acknowledge(const QString &code, TMoment activated)
{
    Act(code, activated, [this](TAlarm &alarm, bool server) {
        if (alarm.Acked())
            return TAlarmStore::TResult::Done;
        if (server)
            return FStore.Acknowledge(alarm);
        alarm.AckedAt = Now();
        alarm.AckedBy = FSource.LocalUser();
        return TAlarmStore::TResult::Done;
    });
}

void TAlarmMonitor::AcknowledgeAll()
{
    const TMoment now = Now();
    for (const TAlarm &alarm : FTable.Current(now)) {
        if (!alarm.Acked() && !alarm.ShelvedAtMoment(now))
            Acknowledge(alarm.Code, alarm.Activated);
    }
}

bool TAlarmMonitor::Shelve(const QString &code, TMoment activated, int minutes,
                           const QString &reason)
{
    const QString why = reason.trimmed();
    if (why.isEmpty() || minutes < 1)
        return false;
    const TMoment until = Now() + std::min(minutes, MaxShelveMinutes) * OneMinute;
    Act(code, activated, [&](TAlarm &alarm, bool server) {
        if (server)
            return FStore.Shelve(alarm, until, why);
        alarm.ShelvedAt = Now();
        alarm.ShelvedUntil = until;
        alarm.ShelvedBy = FSource.LocalUser();
        alarm.ShelveReason = why;
        alarm.UnshelvedAt = 0;
        alarm.UnshelvedBy.clear();
        return TAlarmStore::TResult::Done;
    });
    return true;
}

void TAlarmMonitor::Unshelve(const QString &code, TMoment activated)
{
    Act(code, activated, [this](TAlarm &alarm, bool server) {
        if (server)
            return FStore.Unshelve(alarm);
        alarm.UnshelvedAt = Now();
        alarm.UnshelvedBy = FSource.LocalUser();
        return TAlarmStore::TResult::Done;
    });
}
