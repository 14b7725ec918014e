#include "TrendFill.h"

namespace {
// Sums of ten-second steps are not exact: a moment within a millisecond of t counts as t.
constexpr TMoment Tolerance = OneMillisecond;
} // namespace

TTrendFill::TTrendFill(int columns, TSink sink, TTrendFillRule rule)
    : FSink(std::move(sink))
    , FRule(rule)
    , FHeld(columns, false)
{ }

void TTrendFill::Add(TMoment t, TValues values)
{
    const bool hold = FStarted && t - FPrev <= FRule.MaxHeldGap;
    const TMoment from = hold ? FPrev : t;
    for (int k = 0; k < FHeld.size() && k < int(values.size()); ++k) {
        const std::optional<double> &value = values[k];
        if (value)
            Write(k, hold && FHeld[k] ? from : t, t, *value);
        FHeld[k] = value.has_value();
    }
    // The hold's last step, the same for every column whatever its value.
    TMoment s = from;
    while (t - (s + FRule.Step) > Tolerance)
        s += FRule.Step;
    FPrev = s;
    FStarted = true;
}

void TTrendFill::Write(int column, TMoment from, TMoment t, double value)
{
    TMoment s = from;
    do {
        FSink(column, s, value);
        s += FRule.Step;
    } while (t - s > Tolerance);
}
