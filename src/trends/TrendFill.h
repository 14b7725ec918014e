#pragma once

#include "base/Moment.h"

#include <QVarLengthArray>
#include <functional>
#include <optional>
#include <span>

// How records become one-minute chart slots: each record's values are held in steps over the
// time since the previous record's last held moment (so a missing record is bridged), and a gap
// longer than MaxHeldGap is left empty so the curve breaks there.
struct TTrendFillRule
{
    TMoment Step = 10 * OneSecond;
    TMoment MaxHeldGap = 5 * OneMinute;
};

// The sample-and-hold fill over records in RecMoment order, free of any chart: every sample goes
// to the sink as (column, moment, value). Besides the hold, each record's values go into the slot
// of its own moment as well, so the newest record, and the last one before a hole, show at once
// and a record fetched again changes nothing. A missing value (a NULL field) writes nothing: its
// slot stays empty, and that column's next value is not held back over it.
class TTrendFill
{
public:
    using TSink = std::function<void(int column, TMoment at, double value)>;
    using TValues = std::span<const std::optional<double>>;

    TTrendFill(int columns, TSink sink, TTrendFillRule rule = {});

    void Add(TMoment t, TValues values);
    // The last held moment: where the next record's hold starts. False before the first record.
    bool Started() const { return FStarted; }
    TMoment LastHeld() const { return FPrev; }

private:
    // Whether a record at t is held back to prev, or starts afresh after a gap.
    bool Holds(TMoment t, TMoment prev) const;
    // The last step from `from` short of t.
    TMoment HoldEnd(TMoment from, TMoment t) const;

    TSink FSink;
    TTrendFillRule FRule;
    bool FStarted = false;
    TMoment FPrev = 0;
    // Per column: where its next value's hold starts; none after a NULL field.
    QVarLengthArray<std::optional<TMoment>, 16> FColumnPrev;
};
