#pragma once

#include "alarms/AlarmConditions.h"
#include "base/Moment.h"

#include <QSqlQuery>
#include <QtNumeric>
#include <array>
#include <vector>

// The columns of one process record that the conditions read; NaN stands for NULL.
struct TAlarmRecord
{
    TMoment Moment = 0;
    std::array<double, AlarmColumnCount> Values {};
};

// Reads records from a query that selects RecMoment and the columns of AlarmColumnName.
class TAlarmRecordReader
{
public:
    explicit TAlarmRecordReader(const QSqlQuery &query);
    TAlarmRecord Read(const QSqlQuery &query) const;
    // "select RecMoment, PLS, ... from pu_data".
    static QString SelectText();

private:
    int FMoment;
    std::array<int, AlarmColumnCount> FFields {};
};

// A condition raising or returning to normal.
struct TAlarmEvent
{
    int Condition;
    bool Raised; // else returned
    TMoment Moment; // of the record (activation or return)
    double Value = qQNaN(); // at activation; NaN when the rule has none
    double Limit = qQNaN();
    TMoment Activated = 0; // of the activation that returned
};

// The conditions' states over a sequence of records: raises after the on-delay, clears past the
// deadband. A missing reading (NULL) never raises the conditions that read it; it leaves their
// state as it is and starts their delay again.
class TAlarmEvaluator
{
public:
    TAlarmEvaluator();

    void SetLimits(int condition, const TAlarmLimits &limits);
    const TAlarmLimits &Limits(int condition) const { return FStates[condition].Limits; }

    // The events of one record, appended to events.
    void Evaluate(const TAlarmRecord &record, std::vector<TAlarmEvent> &events);
    // The tick's conditions (no new record for a while): lastRecord is the newest record's
    // moment (0 for none), heartbeatFresh whether the acquisition side is alive.
    void Tick(TMoment now, TMoment lastRecord, bool heartbeatFresh,
              std::vector<TAlarmEvent> &events);

    // Takes over an activation stored on the server, so the same alarm goes on.
    void Continue(int condition, TMoment activated);
    bool Active(int condition) const { return FStates[condition].Active; }
    TMoment Activated(int condition) const { return FStates[condition].Activated; }

private:
    struct TState
    {
        TAlarmLimits Limits;
        bool Active = false;
        TMoment Activated = 0;
        int Pending = 0;
    };
    // Whether the condition holds (raise side) and whether it is clear (return side).
    struct TJudgement
    {
        bool Known; // every column it reads has a reading
        bool Holds;
        bool Clear;
        double Value;
        double Limit;
    };
    TJudgement Judge(const TAlarmCondition &condition, const TAlarmLimits &limits,
                     const TAlarmRecord &record) const;

    std::vector<TState> FStates;
};
