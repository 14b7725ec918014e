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
// to the sink as (column, moment, value).
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
    void Write(int column, TMoment from, TMoment t, double value);

    TSink FSink;
    TTrendFillRule FRule;
    bool FStarted = false;
    TMoment FPrev = 0;
    // Per column: its previous record had a value, so this one may be held back to FPrev.
    QVarLengthArray<bool, 16> FHeld;
};
