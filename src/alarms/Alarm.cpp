#include "alarms/Alarm.h"

#include "base/Formats.h"

#include <algorithm>
#include <cmath>

qint64 MomentSecond(TMoment moment)
{
    return std::llround(moment * 86400.0);
}

bool TAlarm::SameActivation(const QString &code, TMoment activated) const
{
    return Code == code && MomentSecond(Activated) == MomentSecond(activated);
}

TAlarmState StateOf(const TAlarm &alarm, TMoment now)
{
    if (alarm.ShelvedAtMoment(now))
        return TAlarmState::Shelved;
    if (alarm.Active())
        return alarm.Acked() ? TAlarmState::ActiveAcked : TAlarmState::ActiveUnacked;
    return alarm.Acked() ? TAlarmState::Normal : TAlarmState::ReturnedUnacked;
}

QString StateText(const TAlarm &alarm, TMoment now)
{
    switch (StateOf(alarm, now)) {
    case TAlarmState::Shelved:
        return QStringLiteral("Отложена до ")
            + FormatDateTime(QStringLiteral("dd.mm hh:nn"), alarm.ShelvedUntil);
    case TAlarmState::ActiveUnacked:
        return QStringLiteral("Активна, не квитирована");
    case TAlarmState::ActiveAcked:
        return QStringLiteral("Активна, квитирована");
    case TAlarmState::ReturnedUnacked:
        return QStringLiteral("В норме, не квитирована");
    case TAlarmState::Normal:
        break;
    }
    return QStringLiteral("В норме");
}

bool AlarmShownBefore(const TAlarm &a, const TAlarm &b)
{
    if (a.Priority != b.Priority)
        return a.Priority > b.Priority;
    return a.Activated > b.Activated;
}

TAlarm *TAlarmTable::Find(const QString &code, TMoment activated)
{
    for (TAlarm &alarm : FAlarms) {
        if (alarm.SameActivation(code, activated))
            return &alarm;
    }
    return nullptr;
}

TAlarm *TAlarmTable::Raise(const TAlarmCondition &condition, TMoment moment, double value,
                           double limit, TMoment now)
{
    if (Find(condition.Code, moment))
        return nullptr;
    TAlarm alarm;
    alarm.Code = condition.Code;
    alarm.Priority = condition.Priority;
    alarm.Text = condition.Text;
    alarm.Value = value;
    alarm.Limit = limit;
    alarm.Activated = moment;
    alarm.Dirty = true;
    // A shelving covers the alarm, not one activation: a new one while it runs stays shelved.
    for (const TAlarm &earlier : FAlarms) {
        if (earlier.Code == condition.Code && earlier.ShelvedAtMoment(now)) {
            alarm.ShelvedAt = earlier.ShelvedAt;
            alarm.ShelvedUntil = earlier.ShelvedUntil;
            alarm.ShelvedBy = earlier.ShelvedBy;
            alarm.ShelveReason = earlier.ShelveReason;
            break;
        }
    }
    FAlarms.append(alarm);
    return &FAlarms.last();
}

TAlarm *TAlarmTable::Return(const QString &code, TMoment activated, TMoment moment)
{
    TAlarm *alarm = Find(code, activated);
    if (!alarm || !alarm->Active())
        return nullptr;
    alarm->Returned = moment;
    alarm->Dirty = true;
    return alarm;
}

void TAlarmTable::Merge(const TAlarm &row)
{
    TAlarm *alarm = Find(row.Code, row.Activated);
    if (!alarm) {
        FAlarms.append(row);
        return;
    }
    if (!alarm->Dirty) {
        *alarm = row;
        return;
    }
    // Fields are only ever filled once: whichever station filled one first holds it.
    if (row.Returned != 0)
        alarm->Returned = row.Returned;
    if (row.Acked()) {
        alarm->AckedAt = row.AckedAt;
        alarm->AckedBy = row.AckedBy;
    }
    if (!row.ShelvedBy.isEmpty()) {
        alarm->ShelvedAt = row.ShelvedAt;
        alarm->ShelvedUntil = row.ShelvedUntil;
        alarm->ShelvedBy = row.ShelvedBy;
        alarm->ShelveReason = row.ShelveReason;
    }
    if (row.UnshelvedAt != 0) {
        alarm->UnshelvedAt = row.UnshelvedAt;
        alarm->UnshelvedBy = row.UnshelvedBy;
    }
}

void TAlarmTable::Prune(TMoment now)
{
    FAlarms.removeIf([now](const TAlarm &alarm) {
        return !alarm.Dirty && StateOf(alarm, now) == TAlarmState::Normal;
    });
}

QVector<TAlarm> TAlarmTable::Current(TMoment now) const
{
    QVector<TAlarm> current;
    for (const TAlarm &alarm : FAlarms) {
        if (StateOf(alarm, now) != TAlarmState::Normal)
            current.append(alarm);
    }
    std::sort(current.begin(), current.end(), AlarmShownBefore);
    return current;
}

int TAlarmTable::UnackedCount(TMoment now) const
{
    return int(std::count_if(FAlarms.begin(), FAlarms.end(), [now](const TAlarm &alarm) {
        const TAlarmState state = StateOf(alarm, now);
        return state == TAlarmState::ActiveUnacked || state == TAlarmState::ReturnedUnacked;
    }));
}

const TAlarm *TAlarmTable::Top(TMoment now) const
{
    const TAlarm *top = nullptr;
    for (const TAlarm &alarm : FAlarms) {
        const TAlarmState state = StateOf(alarm, now);
        if (state == TAlarmState::Normal || state == TAlarmState::Shelved)
            continue;
        if (!top || AlarmShownBefore(alarm, *top))
            top = &alarm;
    }
    return top;
}
