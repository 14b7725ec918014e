#pragma once

#include "base/Style.h"

class TBitmap;

#include <QPainter>
#include <QPolygon>

// Pixels per unit for a shape drawn in its own units (pixels / units). A unit size that is not
// positive cannot be drawn: it throws std::domain_error, which the paint turns into a beep.
double PixelsPerUnit(double pixels, double units);
// A computed coordinate truncated to a whole pixel; a value no pixel can hold (infinite, NaN or
// far off any screen) throws std::range_error instead of a conversion with undefined result.
int ToPixel(double value);
// A coordinate from a live or design value that may lie anywhere (a sentinel reading, a typo),
// pulled to within a few extents either side of 0..extent and then truncated like ToPixel (NaN
// still throws). So far out, nothing inside the drawing depends on how far.
int ToPixelNear(double value, int extent);
// Both axes of a point so, against the drawing's width and height.
QPoint ToPixelNear(const QPointF &point, const QSize &drawing);
// How many of a repeated part (blades, scoops, grid bars) are drawn at most: far more than any
// figure can show apart, few enough that a typo of millions cannot freeze the repaint.
int DrawnRepeats(int count);

// The drawing primitives the elements are designed with, on top of QPainter: a selected pen,
// brush and font, rectangles and ellipses that exclude their right and bottom edges, filled
// polygons, arcs, text placed by its top-left corner on a see-through background, flood fill, and
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
    // The bitmap as the fill pattern when it is one (larger than a pixel), else the brush.
    void SetBrush(const TBrush &brush, const TBitmap &pattern);
    void SetFont(const TFont &font);

    // Outline with the pen, interior with the brush; covers x1..x2-1, y1..y2-1.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    // The circle whose box corners are the centre -+ radius, each truncated as ToPixelNear does.
    void Circle(const QPointF &centre, double radius, const QSize &drawing);
    // Brush only, no outline; covers x1..x2-1, y1..y2-1.
    void FillRect(int x1, int y1, int x2, int y2, TColor color);
    void Polygon(const QPolygon &points);
    void Polyline(const QPolygon &points);
    // From (x1, y1) towards (x2, y2); a thin pen stops short of the end pixel, as rectangles
    // leave out their far edges, so a line of length n covers n pixels.
    void Line(int x1, int y1, int x2, int y2);
    // Part of the ellipse in the box x1..x2-1, y1..y2-1, from startDegrees counter-clockwise
    // (negative: clockwise) over spanDegrees, with the pen.
    void Arc(int x1, int y1, int x2, int y2, double startDegrees, double spanDegrees);

    // Measures and writes with the selected font; (x, y) is the text's top-left corner and the
    // background shows through.
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    void TextOut(int x, int y, const QString &text);

    // Fills the connected area of the colour found at (x, y) with the given colour. Works on
    // image targets that are at most scaled (the drawing caches, also those drawn at a view's
    // scale); false, and nothing drawn, on other targets or when the point lies outside.
    bool FloodFill(int x, int y, TColor color);

private:
    void ApplyPen(QPen pen);
    // Whether outlines are drawn half a pixel off: at a scale, with a pen of odd width.
    bool StrokeShifted() const;
    // Draws a figure: fill and outline at once, or at a scale the fill and then the outline
    // shifted so it lies over the same pixels as unscaled.
    template<class Draw> void Shape(Draw draw);

    QPainter &m_painter;
    TColor m_fontColor = clBlack;
};
