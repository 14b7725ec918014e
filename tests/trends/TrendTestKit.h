#pragma once

#include "FrameTestKit.h"
#include "base/Moment.h"

#include <QList>
#include <functional>

class TFormGraphTrend;
class TLevelGraph;

// The day the trend tests load: the production day of 10 March 2026.
TMoment TestDay();
// Start and stop of the whole production day of TestDay().
TMoment DayStart();
TMoment DayStop();

// Writes one pu_data record per minute offset from DayStart(), every trend column set to
// value(minute). False on a database error.
bool WriteRecords(const QList<int> &minutes, const std::function<double(int)> &value);
// Empties pu_data.
bool ClearRecords();

// Minutes 0..count-1 (or first..last) as a list.
QList<int> Minutes(int first, int last);

// A new window of the family by its object name ("FormGraphDSUS").
TFormGraphTrend *NewTrendWindow(const QString &name);

// A window of the family on the test day (both shifts), shown at a fixed size.
void PrepareWindow(TFormGraphTrend &window);

// The value the chart shows in the slot of that minute of the day (-1 for an empty slot).
double SlotValue(const TLevelGraph *chart, int graph, int minute);
// Whether the slot of that minute holds a sample.
bool SlotFilled(const TLevelGraph *chart, int graph, int minute);
