#pragma once

#include "base/Style.h"

#include <QPainter>
#include <QPolygon>

// Pixels per unit for a shape drawn in its own units (pixels / units). A unit size that is not
// positive cannot be drawn: it throws std::domain_error, which the paint turns into a beep.
double PixelsPerUnit(double pixels, double units);
// A computed coordinate truncated to a whole pixel; a value no pixel can hold (infinite, NaN or
// far off any screen) throws std::range_error instead of a conversion with undefined result.
int ToPixel(double value);

// The drawing primitives the elements are designed with, on top of QPainter: a selected pen and
// brush, rectangles and ellipses that exclude their right and bottom edges, filled polygons, and
// wide pens with round caps and joins. Antialiasing stays off so shapes land on whole pixels.
class TCanvas
{
public:
    explicit TCanvas(QPainter &painter);

    QPainter &Painter() { return m_painter; }

    void SetPen(const TPen &pen);
    void SetPen(TColor color, int width = 1);
    void SetNoPen();
    void SetBrush(const TBrush &brush);
    void SetBrush(TColor color);
    void SetNoBrush();

    // Outline with the pen, interior with the brush; covers x1..x2-1, y1..y2-1.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    // Brush only, no outline; covers x1..x2-1, y1..y2-1.
    void FillRect(int x1, int y1, int x2, int y2, TColor color);
    void Polygon(const QPolygon &points);
    void Polyline(const QPolygon &points);
    void Line(int x1, int y1, int x2, int y2);

private:
    void ApplyPen(QPen pen);

    QPainter &m_painter;
};
