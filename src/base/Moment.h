#pragma once

#include <QDateTime>

// A moment is a double counting days since 30 December 1899 (local time); the fraction is the
// time of day. One second is 1/86400, one minute 1/1440.
using TMoment = double;

inline constexpr double OneHour = 1.0 / 24.0;
inline constexpr double OneMinute = 1.0 / 1440.0;
inline constexpr double OneSecond = 1.0 / 86400.0;
inline constexpr double OneMillisecond = 1.0 / 86400000.0;

// Exact to the millisecond in both directions (rounded to the nearest millisecond). Before
// 30 December 1899 the whole part counts days backwards while the fraction still runs forward
// through the day (-1.25 is 29 December 1899 06:00). An invalid date-time or invalid fields give
// NaN, never a plausible wrong moment.
TMoment DateTimeToMoment(const QDateTime &local);
QDateTime MomentToDateTime(TMoment moment);
TMoment EncodeMoment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                     int msec = 0);
// Calendar date and wall-clock time of a moment, taken literally (no time-zone shift, so a moment
// in a daylight-saving gap still shows the time it names). Invalid date for NaN, infinite or
// out-of-range moments.
void DecodeMoment(TMoment moment, QDate &date, QTime &time);
// The moment in whole seconds, rounded. Record stamps and period bounds reach the same second by
// different sums of days and differ in the last bits; compare them through this.
qint64 MomentSeconds(TMoment moment);
// Whole-day part, truncated toward zero (the date of a moment).
TMoment MomentDate(TMoment moment);
// Fraction of the day (the time of a moment), always >= 0.
TMoment MomentTime(TMoment moment);
// The current local moment. Tests may replace the clock.
TMoment Now();
void SetNowOverride(TMoment moment); // 0 returns to the real clock
