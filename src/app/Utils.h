#pragma once

#include "base/Moment.h"

#include <QString>
#include <QtGlobal>

// Inclusive time-range clause on RecMoment, to follow "select ... from <table>":
// " where RecMoment >= 'yyyy-mm-dd hh:nn:ss' and RecMoment <= 'yyyy-mm-dd hh:nn:ss'".
QString TimeRangeWhere(TMoment start, TMoment stop);

// Reporting period of the working day that holds the given date, from FirstChangeStart and
// DateIncrement: kind 1 the first shift, 2 the second shift, anything else the whole day.
bool ShiftRange(TMoment date, int kind, TMoment &start, TMoment &stop);
// The inverse of ShiftRange: the date (a whole moment) of the working day whose range holds the
// moment, and which of its shifts (1 or 2) holds it. Before FirstChangeStart a moment belongs to
// the day that began the evening before.
TMoment ProductionDayOf(TMoment moment);
int ShiftOf(TMoment moment);

// A number as SQL text: the general float text with a point whatever the locale.
QString SqlFloat(double x);
// A text as an SQL literal: "NULL" when empty, else quoted with ', \ and " escaped.
QString SqlQuote(const QString &text);

// Up to 99 calibration points (x[i], y[i]), i < Count, in any order.
struct TCalibrationTable
{
    qint32 Count;
    double X[100];
    double Y[100];
};

// Piecewise-linear lookup, extrapolated along the two outermost points; a negative interpolated
// result becomes 0 when clampAtZero is set. No table or a count outside 1..99 gives 0.
double LookupCalibration(double x, const TCalibrationTable *table, bool clampAtZero);
