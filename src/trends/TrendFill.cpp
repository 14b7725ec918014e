#include "TrendFill.h"

#include <cmath>

namespace {
// Sums of ten-second steps are not exact: a moment within a millisecond of t counts as t.
constexpr TMoment Tolerance = OneMillisecond;

qint64 WholeSeconds(TMoment span)
{
    return std::llround(span * 86400);
}
} // namespace

TTrendFill::TTrendFill(int columns, TSink sink, TTrendFillRule rule)
    : FSink(std::move(sink))
    , FRule(rule)
    , FColumnPrev(columns)
{ }

bool TTrendFill::Holds(TMoment t, TMoment prev) const
{
    // In whole seconds, so a hole of exactly the longest held gap is held whatever the bits.
    return WholeSeconds(t - prev) <= WholeSeconds(FRule.MaxHeldGap);
}

TMoment TTrendFill::HoldEnd(TMoment from, TMoment t) const
{
    TMoment s = from;
    while (t - (s + FRule.Step) > Tolerance)
        s += FRule.Step;
    return s;
}

void TTrendFill::Add(TMoment t, TValues values)
{
    for (int k = 0; k < FColumnPrev.size() && k < int(values.size()); ++k) {
        std::optional<TMoment> &prev = FColumnPrev[k];
        if (!values[k]) {
            prev.reset();
            continue;
        }
        const TMoment from = prev && Holds(t, *prev) ? *prev : t;
        const TMoment end = HoldEnd(from, t);
        for (TMoment s = from; s - end < Tolerance; s += FRule.Step)
            FSink(k, s, *values[k]);
        if (t - end > Tolerance)
            FSink(k, t, *values[k]); // the record's own slot
        prev = end;
    }
    // The hold's last step as if every field had a value: where the next fetch may start.
    FPrev = HoldEnd(FStarted && Holds(t, FPrev) ? FPrev : t, t);
    FStarted = true;
}
