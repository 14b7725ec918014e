#pragma once

#include "base/Moment.h"

#include <QString>

// Scale and coordinate mathematics of the trend chart, free of any widget so that it can be
// checked with tables of numbers.

// Number of time slots a graph holds; the store never grows.
inline constexpr int TrendSlotCount = 3000;

// The first grid moment after a: step × (a/step rounded to even, plus one when a > 0).
double CalcStartNetPoint(double a, double step);
// Linear map of v from low..high onto outLow..outHigh, clamped at both ends.
double TranslateVal(double v, double low, double high, double outLow, double outHigh);
// Slot position of moment t: 0 before start, TrendSlotCount after stop, else clamped; within half
// a millisecond of a slot boundary it is that boundary. NaN when the inputs make no number (the
// chart turns that into a beep).
double TimeToIndexRaw(TMoment t, TMoment startTime, TMoment stopTime, double secondStep);

// The part of the interval a zoomed chart shows, in slots: from First over Count slots. A Count
// of 0 (or one covering the whole interval) shows everything.
struct TSlotView
{
    double First = 0;
    double Count = 0;
    bool operator==(const TSlotView &) const = default;
};

// The fewest slots a zoom shows.
inline constexpr double MinViewSlots = 10;

// The view made to fit an interval of total slots: never narrower than MinViewSlots, never past
// either end; a view as wide as the interval becomes the whole interval.
TSlotView FitView(TSlotView view, int total);
// Zooms by factor (below 1 zooms in) around slot anchor, which stays at the same place: fraction
// is where the anchor lies across the plot (0 left edge, 1 right edge).
TSlotView ZoomView(TSlotView view, int total, double anchor, double fraction, double factor);
// Moves the view by a number of slots (positive: later), stopping at the ends.
TSlotView PanView(TSlotView view, int total, double shift);

// Time grid of a zoomed chart: a round step giving labels about labelWidth pixels apart, and a
// pattern that shows minutes within a day and the date across days.
struct TTimeLabels
{
    double Step = 0;
    QString Format;
};
TTimeLabels ZoomTimeLabels(double spanDays, double plotWidth);

// The inputs CalcRegion works from.
struct TTrendGeometryInput
{
    int Width = 0, Height = 0; // of the picture being drawn
    int GraphLeft = 0, GraphTop = 0, GraphSubWidth = 0, GraphSubHeight = 0;
    double YMin = 0, YMax = 0;
    TMoment StartTime = 0, StopTime = 0;
    double SecondStep = 0;
    TSlotView View; // the zoom; the whole interval by default
};

// The geometry CalcRegion computes; the mappings take the live YMin because automatic limits
// move it after the geometry has been fixed.
struct TTrendGeometry
{
    int PlotLeft = 0, PlotTop = 0, PlotRight = 0, PlotBottom = 0;
    double PlotWidth = 0, PlotHeight = 0;
    double YRange = 0;
    int IntervalSize = 0;
    int IntervalPointCount = 0;
    double PixelsPerPoint = 0;
    double PixelsPerUnit = 0;
    // The slots shown across the plot width: the whole interval unless zoomed.
    double ViewFirst = 0, ViewCount = 0;

    static TTrendGeometry Calc(const TTrendGeometryInput &in);

    // Slots that really exist: the interval may ask for more than the store holds.
    int StoredPointCount() const;
    bool Zoomed() const { return ViewCount < IntervalPointCount; }
    // The stored slots the plot shows, with one beyond each edge so curves run out of the view:
    // first..last-1.
    int FirstDrawnSlot() const;
    int LastDrawnSlot() const;
    double IndexToScreenX(double index) const;
    double YToScreen(double v, double yMin) const;
    double ScreenToIX(double x) const;
};

// The smallest value range a chart keeps: YMax stays at least this far above YMin.
inline constexpr double MinYRange = 0.001;

// Value-axis state that the automatic scaling reads and rewrites.
struct TValueLimits
{
    double YMin = 0, YMax = 0, YLabelStep = 0;
    QString ScaleYFormat;
};

struct TAutoScaleRules
{
    bool AutoYMin = false, AutoYMax = false, AutoYScale = false, AutoYScaleFormat = true;
    bool PositiveY = false;
    double MinDeltaY = 0;
    int BestNetLineCount = 4;
};

// Recentres the range on MinDeltaY when it is narrower.
void CheckDeltaY(TValueLimits &limits, double minDeltaY);
// Automatic limits, step and format from the scanned data minimum and maximum (both 0 when
// nothing was scanned). With one automatic end, that end never crosses the fixed one.
void CheckAutoLimits(TValueLimits &limits, const TAutoScaleRules &rules, double dataMin,
                     double dataMax);
