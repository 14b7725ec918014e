#include "alarms/AlarmFrames.h"

#include "elements/OutField.h"

#include <QWidget>

void TAlarmFrames::Bind(QWidget *diagram)
{
    FFields.clear();
    if (!diagram)
        return;
    QStringList names;
    for (const TAlarmCondition &condition : AlarmConditions()) {
        if (!condition.Field.isEmpty() && !names.contains(condition.Field))
            names << condition.Field;
    }
    for (const QString &name : names) {
        if (auto *field = diagram->findChild<TOutField *>(name))
            FFields << field;
    }
}

QColor TAlarmFrames::FrameColor(const TAlarmTable &table, const QString &field, TMoment now,
                                bool flashOn)
{
    const TAlarm *shown = nullptr;
    bool unacked = false;
    for (const TAlarm &alarm : table.All()) {
        const int condition = AlarmConditionIndex(alarm.Code);
        if (condition < 0 || AlarmConditions()[condition].Field != field || !alarm.Active()
            || alarm.ShelvedAtMoment(now))
            continue;
        unacked = unacked || !alarm.Acked();
        if (!shown || alarm.Priority > shown->Priority)
            shown = &alarm;
    }
    if (!shown || (unacked && !flashOn))
        return QColor();
    return PriorityColor(shown->Priority);
}

void TAlarmFrames::Show(const TAlarmTable &table, TMoment now, bool flashOn)
{
    for (const QPointer<TOutField> &field : FFields) {
        if (field)
            field->SetAlarmColor(FrameColor(table, field->objectName(), now, flashOn));
    }
}
