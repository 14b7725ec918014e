#include "alarms/AlarmEvaluator.h"

#include <QDateTime>
#include <QSqlRecord>
#include <QVariant>
#include <cmath>

TAlarmRecordReader::TAlarmRecordReader(const QSqlQuery &query)
{
    const QSqlRecord record = query.record();
    FMoment = record.indexOf(QStringLiteral("RecMoment"));
    for (int column = 0; column < AlarmColumnCount; ++column)
        FFields[column] = record.indexOf(QLatin1String(AlarmColumnName(column)));
}

TAlarmRecord TAlarmRecordReader::Read(const QSqlQuery &query) const
{
    TAlarmRecord record;
    const QDateTime moment = query.value(FMoment).toDateTime();
    record.Moment = moment.isValid() ? DateTimeToMoment(moment) : 0.0;
    for (int column = 0; column < AlarmColumnCount; ++column) {
        const QVariant value = FFields[column] >= 0 ? query.value(FFields[column]) : QVariant();
        record.Values[column] = value.isNull() ? qQNaN() : value.toDouble();
    }
    return record;
}

QString TAlarmRecordReader::SelectText()
{
    QString text = QStringLiteral("select RecMoment");
    for (int column = 0; column < AlarmColumnCount; ++column)
        text += QStringLiteral(", ") + QLatin1String(AlarmColumnName(column));
    return text + QStringLiteral(" from pu_data");
}

TAlarmEvaluator::TAlarmEvaluator()
    : FStates(AlarmConditions().size())
{
    for (int i = 0; i < AlarmConditions().size(); ++i)
        FStates[i].Limits = AlarmConditions()[i].Defaults;
}

void TAlarmEvaluator::SetLimits(int condition, const TAlarmLimits &limits)
{
    FStates[condition].Limits = limits;
}

TAlarmEvaluator::TJudgement TAlarmEvaluator::Judge(const TAlarmCondition &condition,
                                                   const TAlarmLimits &limits,
                                                   const TAlarmRecord &record) const
{
    const auto value = [&record](int column) {
        return column >= 0 ? record.Values[column] : 0.0;
    };
    const double v = value(condition.Value);
    const double reference = value(condition.Reference);
    const double gate = condition.Gate >= 0 ? value(condition.Gate) : 1.0;
    const double limit = limits.Limit;
    switch (condition.Rule) {
    case TAlarmRule::Sensor:
        return {true, std::isnan(v), !std::isnan(v), qQNaN(), qQNaN()};
    case TAlarmRule::NoData:
        return {true, false, true, qQNaN(), qQNaN()};
    default:
        break;
    }
    if (std::isnan(v) || std::isnan(reference) || std::isnan(gate))
        return {false, false, false, v, qQNaN()};
    switch (condition.Rule) {
    case TAlarmRule::Deviation: {
        const double deviation = v - reference;
        const bool on = gate > 0;
        return {true, on && std::abs(deviation) > limit,
                !on || std::abs(deviation) < limit - limits.Deadband, v,
                deviation < 0 ? reference - limit : reference + limit};
    }
    case TAlarmRule::High:
        return {true, v > limit, v < limit - limits.Deadband, v, limit};
    case TAlarmRule::Low:
        return {true, v<limit, v> limit + limits.Deadband, v, limit};
    default: { // Stopped
        const bool holds = v < 1 && reference > 0;
        return {true, holds, !holds, qQNaN(), qQNaN()};
    }
    }
}

void TAlarmEvaluator::Evaluate(const TAlarmRecord &record, std::vector<TAlarmEvent> &events)
{
    const QVector<TAlarmCondition> &conditions = AlarmConditions();
    for (int i = 0; i < int(FStates.size()); ++i) {
        TState &state = FStates[i];
        const TJudgement judgement = Judge(conditions[i], state.Limits, record);
        if (!judgement.Known) {
            state.Pending = 0;
            continue;
        }
        if (state.Active) {
            if (judgement.Clear) {
                state.Active = false;
                state.Pending = 0;
                events.push_back({i, false, record.Moment, qQNaN(), qQNaN(), state.Activated});
            }
        } else if (!judgement.Holds) {
            state.Pending = 0;
        } else if (++state.Pending >= std::max(1, state.Limits.Delay)) {
            state.Active = true;
            state.Activated = record.Moment;
            state.Pending = 0;
            events.push_back(
                {i, true, record.Moment, judgement.Value, judgement.Limit, record.Moment});
        }
    }
}

void TAlarmEvaluator::Tick(TMoment now, TMoment lastRecord, bool heartbeatFresh,
                           std::vector<TAlarmEvent> &events)
{
    const QVector<TAlarmCondition> &conditions = AlarmConditions();
    for (int i = 0; i < int(FStates.size()); ++i) {
        TState &state = FStates[i];
        if (conditions[i].Rule != TAlarmRule::NoData || state.Active || !heartbeatFresh
            || lastRecord <= 0)
            continue;
        // Every station names the same moment, whenever its tick noticed the silence.
        const TMoment due = lastRecord + state.Limits.Limit * OneMinute;
        if (now > due) {
            state.Active = true;
            state.Activated = due;
            events.push_back({i, true, due, qQNaN(), qQNaN(), due});
        }
    }
}

void TAlarmEvaluator::Continue(int condition, TMoment activated)
{
    TState &state = FStates[condition];
    state.Active = true;
    state.Activated = activated;
    state.Pending = 0;
}
