#pragma once

#include "alarms/AlarmConditions.h"
#include "base/Moment.h"

#include <QString>
#include <QVector>
#include <QtNumeric>

// One activation of an alarm, as a row of alarm_log holds it. Moments of 0 are empty fields.
struct TAlarm
{
    QString Code;
    TAlarmPriority Priority = TAlarmPriority::Low;
    QString Text;
    double Value = qQNaN();
    double Limit = qQNaN();
    TMoment Activated = 0;
    TMoment Returned = 0;
    TMoment AckedAt = 0;
    QString AckedBy;
    TMoment ShelvedAt = 0;
    TMoment ShelvedUntil = 0;
    QString ShelvedBy;
    QString ShelveReason;
    TMoment UnshelvedAt = 0;
    QString UnshelvedBy;
    // Known at this station but not yet on the server.
    bool Dirty = false;
    // Its row is in alarm_log.
    bool OnServer = false;

    bool Active() const { return Returned == 0; }
    bool Acked() const { return AckedAt != 0; }
    bool ShelvedAtMoment(TMoment now) const
    {
        return !ShelvedBy.isEmpty() && UnshelvedAt == 0 && now < ShelvedUntil;
    }
    bool SameActivation(const QString &code, TMoment activated) const;
};

// Whole seconds of a moment: moments reach the server to the second, so activations are told
// apart by their second.
qint64 MomentSecond(TMoment moment);

enum class TAlarmState { Normal, ActiveUnacked, ActiveAcked, ReturnedUnacked, Shelved };
TAlarmState StateOf(const TAlarm &alarm, TMoment now);
QString StateText(const TAlarm &alarm, TMoment now);

// The activations a station knows that are not back to normal yet (and those it still has to
// store), kept in step with alarm_log.
class TAlarmTable
{
public:
    // A raise adds its activation (inheriting a shelving still in force for the same code); a
    // return fills the return of the code's open activation. Returns the activation changed, or
    // null when there was nothing to change.
    TAlarm *Raise(const TAlarmCondition &condition, TMoment moment, double value, double limit,
                  TMoment now);
    TAlarm *Return(const QString &code, TMoment activated, TMoment moment);
    // Takes a row of the server: the server's filled fields win over what this station had,
    // unless this station's own change is still to be stored.
    void Merge(const TAlarm &row);
    // Drops what is back to normal and stored.
    void Prune(TMoment now);

    TAlarm *Find(const QString &code, TMoment activated);
    const QVector<TAlarm> &All() const { return FAlarms; }
    QVector<TAlarm> &All() { return FAlarms; }
    // What the current list shows: not normal, by priority (highest first), then newest first.
    QVector<TAlarm> Current(TMoment now) const;
    // Active or unacknowledged and not shelved.
    int UnackedCount(TMoment now) const;
    // The newest of the highest priority among the unshelved alarms that are active or
    // unacknowledged; null for none.
    const TAlarm *Top(TMoment now) const;

private:
    QVector<TAlarm> FAlarms;
};

// Orders by priority, highest first, then by activation, newest first.
bool AlarmShownBefore(const TAlarm &a, const TAlarm &b);
