#pragma once

#include "alarms/Alarm.h"

#include <QList>
#include <QPointer>

class TOutField;
class QWidget;

// Frames the diagram's value fields whose value is in alarm: the colour of the highest priority
// among the field's active, unshelved alarms, flashing while one of them is unacknowledged.
class TAlarmFrames
{
public:
    // Finds the fields the conditions name among the diagram's children.
    void Bind(QWidget *diagram);
    void Show(const TAlarmTable &table, TMoment now, bool flashOn);
    // The colour a field should show (invalid for none), by field name.
    static QColor FrameColor(const TAlarmTable &table, const QString &field, TMoment now,
                             bool flashOn);

private:
    QList<QPointer<TOutField>> FFields;
};
