#pragma once

#include <QColor>
#include <QString>
#include <QVector>

// The plant's alarm conditions: which record columns each reads, its rule and its default limits.
// Every station evaluates the same table on the same records, so all raise the same alarms.

enum class TAlarmPriority { Low = 1, Medium = 2, High = 3 };

// The record columns the conditions read, in the order of TAlarmRecord::Values.
enum TAlarmColumn {
    acPLS,
    acPLSZ,
    acURKS,
    acURNS,
    acTNK23,
    acTNZ,
    acBKK23,
    acBKK41,
    acBKK2,
    acRAB
};
inline constexpr int AlarmColumnCount = acRAB + 1;
const char *AlarmColumnName(int column);

enum class TAlarmRule {
    Deviation, // |Value - Reference| > Limit while Gate > 0; clears below Limit - Deadband
    High, // Value > Limit; clears below Limit - Deadband
    Low, // Value < Limit; clears above Limit + Deadband
    Stopped, // Value (a running flag) < 1 while Reference > 0
    Sensor, // Value has no reading (NULL)
    NoData, // no new record for Limit minutes while the heartbeat is fresh (on the tick)
};

// What a condition compares against, as the plant constants give it.
struct TAlarmLimits
{
    double Limit = 0;
    double Deadband = 0;
    int Delay = 1; // records the condition must hold before the alarm is raised
};

struct TAlarmCondition
{
    QString Code;
    QString Text;
    TAlarmPriority Priority;
    TAlarmRule Rule;
    int Value = -1; // column
    int Reference = -1; // column, or -1
    int Gate = -1; // column that must be > 0, or -1
    TAlarmLimits Defaults;
    QString Field; // the diagram's value field that shows the value, or empty
};

const QVector<TAlarmCondition> &AlarmConditions();
// Index in AlarmConditions(), -1 for an unknown code.
int AlarmConditionIndex(const QString &code);

// One plant constant (a row of setup) that sets a limit of a condition.
struct TAlarmConstant
{
    enum TSlot { Limit, Deadband, Delay };
    QString Name;
    int Condition;
    TSlot Slot;
    double Default;
};

// Every constant the conditions read, in table order.
const QVector<TAlarmConstant> &AlarmConstants();

// Colour of a priority; these colours are kept for alarms alone.
QColor PriorityColor(TAlarmPriority priority);
// Black or white, whichever reads better on the colour.
QColor InkOn(const QColor &background);
QString PriorityText(TAlarmPriority priority);
