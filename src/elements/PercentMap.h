#pragma once

#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <cmath>
#include <initializer_list>

// Percent coordinates of an element's box to pixels, y measured upward from the bottom edge:
// x -> trunc(Width * x / 100), mirrored to Width - that when flipped, so a flipped figure is the
// exact mirror image; y -> trunc(Height - Height * y / 100). A result below 0 becomes 0; one at
// the size or beyond is pulled back to the size minus the inset (the pen width), so outlines on
// the far edges stay visible.
class TPercentMap
{
public:
    TPercentMap(int width, int height, int inset, bool xFlip)
        : m_width(width)
        , m_height(height)
        , m_inset(inset)
        , m_xFlip(xFlip)
    { }

    int X(double x) const
    {
        const double sx = std::trunc(m_width * x / 100);
        return Clamp(m_xFlip ? m_width - sx : sx, m_width);
    }
    int Y(double y) const { return Clamp(m_height - m_height * y / 100, m_height); }
    QPoint Point(double x, double y) const { return QPoint(X(x), Y(y)); }
    QPoint Point(const QPointF &p) const { return Point(p.x(), p.y()); }
    QPolygon Polygon(std::initializer_list<QPointF> points) const
    {
        QPolygon polygon;
        for (const QPointF &p : points)
            polygon << Point(p);
        return polygon;
    }

private:
    int Clamp(double v, int size) const
    {
        if (v < 0)
            return 0;
        if (v >= size)
            return size - m_inset;
        return int(v);
    }

    int m_width;
    int m_height;
    int m_inset;
    bool m_xFlip;
};

// A length given in percent of the smaller side of the box, in pixels (not truncated).
inline double PercentOfSmallerSide(double percent, int width, int height)
{
    return percent * (width < height ? width : height) * 0.01;
}
