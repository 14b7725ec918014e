#include "Canvas.h"

#include <cmath>
#include <stdexcept>

double PixelsPerUnit(double pixels, double units)
{
    if (!(units > 0))
        throw std::domain_error("shape unit is not a positive size");
    return pixels / units;
}

int ToPixel(double value)
{
    // Well inside the int range, so offsets added to a pixel cannot overflow either.
    constexpr double limit = 1e9;
    if (!(std::fabs(value) < limit))
        throw std::range_error("coordinate outside any drawing");
    return int(value);
}

TCanvas::TCanvas(QPainter &painter)
    : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::ApplyPen(QPen pen)
{
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(pen);
}

void TCanvas::SetPen(const TPen &pen)
{
    ApplyPen(pen.ToQPen());
}

void TCanvas::SetPen(TColor color, int width)
{
    ApplyPen(QPen(ColorToQColor(color), width));
}

void TCanvas::SetNoPen()
{
    m_painter.setPen(Qt::NoPen);
}

void TCanvas::SetBrush(const TBrush &brush)
{
    m_painter.setBrush(brush.ToQBrush());
}

void TCanvas::SetBrush(TColor color)
{
    m_painter.setBrush(ColorToQColor(color));
}

void TCanvas::SetNoBrush()
{
    m_painter.setBrush(Qt::NoBrush);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    if (m_painter.pen().style() == Qt::NoPen)
        m_painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), m_painter.brush());
    else
        m_painter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    m_painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void TCanvas::FillRect(int x1, int y1, int x2, int y2, TColor color)
{
    if (x2 > x1 && y2 > y1)
        m_painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), ColorToQColor(color));
}

void TCanvas::Polygon(const QPolygon &points)
{
    m_painter.drawPolygon(points);
}

void TCanvas::Polyline(const QPolygon &points)
{
    m_painter.drawPolyline(points);
}

void TCanvas::Line(int x1, int y1, int x2, int y2)
{
    m_painter.drawLine(x1, y1, x2, y2);
}
