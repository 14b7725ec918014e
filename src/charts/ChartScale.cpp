#include "ChartScale.h"

#include <algorithm>
#include <cmath>
#include <iterator>

double CalcStartNetPoint(double a, double step)
{
    if (step <= 0 || a == 0)
        return 0;
    double n = std::nearbyint(a / step); // default rounding mode: ties to even
    if (a > 0)
        n += 1;
    return step * n;
}

double TranslateVal(double v, double low, double high, double outLow, double outHigh)
{
    if (v <= low)
        return outLow;
    if (v >= high)
        return outHigh;
    if (high == low)
        return outLow;
    return outLow + (v - low) * (outHigh - outLow) / (high - low);
}

double TimeToIndexRaw(TMoment t, TMoment startTime, TMoment stopTime, double secondStep)
{
    if (t > stopTime)
        return TrendSlotCount;
    if (t < startTime)
        return 0;
    double index = (t - startTime) * 86400.0;
    if (secondStep > 0)
        index /= secondStep;
    if (std::isnan(index))
        return index;
    // Moments are exact to the millisecond but carry float noise: a record stamped on a slot
    // boundary must land in that slot, not in the one before it.
    const double nearest = std::round(index);
    if (std::fabs(index - nearest) * (secondStep > 0 ? secondStep : 1) < 0.0005)
        index = nearest;
    return std::clamp(index, 0.0, double(TrendSlotCount));
}

TTrendGeometry TTrendGeometry::Calc(const TTrendGeometryInput &in)
{
    TTrendGeometry g;
    g.PlotLeft = in.GraphLeft;
    g.PlotTop = in.GraphTop;
    g.PlotRight = in.Width - in.GraphSubWidth;
    g.PlotBottom = in.Height - in.GraphSubHeight;
    g.PlotWidth = g.PlotRight - g.PlotLeft + 1;
    g.PlotHeight = g.PlotBottom - g.PlotTop + 1;
    g.YRange = in.YMax - in.YMin;
    // Moments are exact to the millisecond: round away the float noise before truncating, or a
    // 12-hour interval could come out one second (and one slot) short.
    const double seconds = std::round((in.StopTime - in.StartTime) * 86400000.0) / 1000.0;
    // Guard the integer conversion: an absurd interval counts as none.
    g.IntervalSize = seconds > 0 && seconds < 2e9 ? int(seconds) : 0;
    // Every slot the interval touches counts, also a last partial one: a day that ends at
    // 06:59:59 has 1440 one-minute slots, and the record of its last minute must have a place.
    // Half a millisecond of float noise on a whole slot count does not add a slot.
    g.IntervalPointCount = in.SecondStep > 0 && g.IntervalSize > 0
        ? int(std::ceil((seconds - 0.0005) / in.SecondStep))
        : 0;
    const TSlotView view = FitView(in.View, g.IntervalPointCount);
    g.ViewFirst = view.Count > 0 ? view.First : 0;
    g.ViewCount = view.Count > 0 ? view.Count : g.IntervalPointCount;
    g.PixelsPerPoint = g.IntervalPointCount >= 1 ? g.PlotWidth / g.ViewCount : 0;
    g.PixelsPerUnit = g.YRange > 0 ? g.PlotHeight / g.YRange : 0;
    return g;
}

int TTrendGeometry::StoredPointCount() const
{
    return std::min(IntervalPointCount, TrendSlotCount);
}

int TTrendGeometry::FirstDrawnSlot() const
{
    return std::max(0, int(std::floor(ViewFirst)) - 1);
}

int TTrendGeometry::LastDrawnSlot() const
{
    return std::min(StoredPointCount(), int(std::ceil(ViewFirst + ViewCount)) + 2);
}

double TTrendGeometry::IndexToScreenX(double index) const
{
    const double x = PlotLeft + PixelsPerPoint * (index - ViewFirst);
    return std::clamp(x, double(PlotLeft), double(std::max(PlotLeft, PlotRight)));
}

double TTrendGeometry::YToScreen(double v, double yMin) const
{
    const double y = PlotBottom - (v - yMin) * PixelsPerUnit;
    return std::clamp(y, double(std::min(PlotTop, PlotBottom)), double(PlotBottom));
}

double TTrendGeometry::ScreenToIX(double x) const
{
    return PixelsPerPoint > 0 ? (x - PlotLeft) / PixelsPerPoint + ViewFirst : 0;
}

TSlotView FitView(TSlotView view, int total)
{
    if (total <= 0 || view.Count <= 0 || view.Count >= total || !std::isfinite(view.First))
        return {};
    view.Count = std::min(std::max(view.Count, MinViewSlots), double(total));
    if (view.Count >= total)
        return {};
    view.First = std::clamp(view.First, 0.0, total - view.Count);
    return view;
}

TSlotView ZoomView(TSlotView view, int total, double anchor, double fraction, double factor)
{
    const double count = (view.Count > 0 ? view.Count : total) * factor;
    if (count >= total || !(factor > 0))
        return {};
    const double kept = std::max(count, MinViewSlots);
    return FitView({anchor - std::clamp(fraction, 0.0, 1.0) * kept, kept}, total);
}

TSlotView PanView(TSlotView view, int total, double shift)
{
    if (view.Count <= 0)
        return {};
    view.First += shift;
    return FitView(view, total);
}

TTimeLabels ZoomTimeLabels(double spanDays, double plotWidth)
{
    constexpr double Minute = 1.0 / 1440;
    static const double steps[] = {Minute,
                                   2 * Minute,
                                   5 * Minute,
                                   10 * Minute,
                                   15 * Minute,
                                   30 * Minute,
                                   60 * Minute,
                                   120 * Minute,
                                   180 * Minute,
                                   360 * Minute,
                                   720 * Minute,
                                   1,
                                   2,
                                   7};
    // Labels with the date are wider.
    const double labelWidth = spanDays > 1 ? 110 : 70;
    const double wanted = spanDays / std::max(1.0, plotWidth / labelWidth);
    TTimeLabels labels {steps[std::size(steps) - 1], QString()};
    for (double step : steps)
        if (step >= wanted) {
            labels.Step = step;
            break;
        }
    if (labels.Step >= 1)
        labels.Format = QStringLiteral("dd.mm");
    else if (spanDays > 1)
        labels.Format = QStringLiteral("dd.mm hh:mm");
    else
        labels.Format = QStringLiteral("hh:mm");
    return labels;
}

void CheckDeltaY(TValueLimits &limits, double minDeltaY)
{
    if (minDeltaY > 0 && limits.YMax - limits.YMin < minDeltaY) {
        const double c = limits.YMin + (limits.YMax - limits.YMin) / 2;
        limits.YMin = c - minDeltaY / 2;
        limits.YMax = c + minDeltaY / 2;
    }
}

namespace {

// Sets the automatic ends. Data lying wholly beyond a fixed end would turn the range over (a fixed
// minimum of 1700 above data near 1000): the automatic end then stops the minimum range short of
// the fixed one, which is the operator's and stays where it is.
void TakeAutomaticEnds(TValueLimits &limits, const TAutoScaleRules &rules, double m, double M)
{
    if (rules.AutoYMin)
        limits.YMin = rules.AutoYMax ? m : std::min(m, limits.YMax - MinYRange);
    if (rules.AutoYMax)
        limits.YMax = rules.AutoYMin ? M : std::max(M, limits.YMin + MinYRange);
    CheckDeltaY(limits, rules.MinDeltaY);
}

} // namespace

void CheckAutoLimits(TValueLimits &limits, const TAutoScaleRules &rules, double dataMin,
                     double dataMax)
{
    double m = dataMin;
    double M = dataMax;
    TakeAutomaticEnds(limits, rules, m, M);

    double r = limits.YMax - limits.YMin;
    if (r < 0.001) {
        if (limits.YMax != 0) {
            const double b = std::fabs(limits.YMax) * 0.15;
            if (rules.AutoYMin)
                limits.YMin -= b;
            if (rules.AutoYMax)
                limits.YMax += b;
            r = limits.YMax - limits.YMin;
        } else {
            limits.YMax = limits.YMin + 1;
            M = limits.YMax;
            r = 1;
        }
    }

    const double margin = r * 0.15;
    m -= margin;
    M += margin;
    if (rules.PositiveY && m < 0)
        m = 0;
    TakeAutomaticEnds(limits, rules, m, M);

    if (!rules.AutoYScale)
        return;
    r = limits.YMax - limits.YMin;
    if (r < 0.001)
        r = 0.01;
    const double e = std::trunc(std::log10(r));
    const int n = rules.BestNetLineCount > 2 ? rules.BestNetLineCount : 5;
    const double s0 = r / n;
    const double unit = 0.5 * std::pow(10.0, e - 1);
    const double k = std::trunc(s0 / unit);
    if (k != 0) {
        limits.YLabelStep = k * unit;
    } else {
        limits.YLabelStep = unit;
        if (r / unit < 3) {
            const double w = 1.1 - s0 / unit;
            if (rules.AutoYMin && rules.AutoYMax) {
                limits.YMin -= w * unit / 2;
                limits.YMax += w * unit / 2;
                if (rules.PositiveY && limits.YMin < 0) {
                    limits.YMax -= limits.YMin;
                    limits.YMin = 0;
                }
            } else if (rules.AutoYMin) {
                limits.YMin -= w * unit;
            } else if (rules.AutoYMax) {
                limits.YMax += w * unit;
            }
        }
    }

    CheckDeltaY(limits, rules.MinDeltaY);
    r = limits.YMax - limits.YMin;
    if (r / limits.YLabelStep < 1) {
        if (rules.AutoYMin)
            limits.YMin -= limits.YLabelStep;
        if (rules.AutoYMax)
            limits.YMax += limits.YLabelStep;
    }

    if (rules.AutoYScaleFormat) {
        if (r < 0.5)
            limits.ScaleYFormat = QStringLiteral("#0.000");
        else if (r < 2.1)
            limits.ScaleYFormat = QStringLiteral("#0.00");
        else if (r < 10.1)
            limits.ScaleYFormat = QStringLiteral("#0.0");
        else
            limits.ScaleYFormat = QStringLiteral("###0");
    }
}
