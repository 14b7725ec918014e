#pragma once

#include "base/Moment.h"

#include <QString>
#include <QStringList>

class TTrendLoader;

// What the range box of a trend window offers, in its order (ShiftNo is the position + 1): the
// first and the second shift and the production day in one-minute slots, then a week and a month
// in wider slots that keep each slot's smallest and largest value, so a short spike still shows.
enum TTrendRangeNo { RangeFirstShift = 1, RangeSecondShift, RangeDay, RangeWeek, RangeMonth };

QStringList TrendRangeNames();

// The interval of a range and how its charts are laid out.
struct TTrendSpan
{
    TMoment Start = 0, Stop = 0;
    double SlotSeconds = 60;
    TMoment LabelStep = 0; // of the time grid
    QString LabelFormat; // of the time labels
    // Slots wider than a record: filled with the minimum and maximum of their records.
    bool Extremes() const { return SlotSeconds > 60; }
};

// The span of the range rangeNo for the chosen production day: its shift or the day itself, the
// seven production days up to it, or the production days of its month up to it. False for a
// rangeNo the box does not offer.
bool TrendSpan(TMoment day, int rangeNo, TTrendSpan &span);

// Loads the records from `from` to `to` (both inclusive) into the loader's charts as every
// column's minimum and maximum per slot of span's width, counted from span's start; the server
// does the grouping, so a month costs one row per slot. lastLoaded takes the newest record's
// moment (unchanged when none came). Returns the number of slots. Throws TTrendLoadError.
int LoadSlotExtremes(const TTrendLoader &loader, const TTrendSpan &span, TMoment from, TMoment to,
                     TMoment &lastLoaded);
