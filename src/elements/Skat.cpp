#include "Skat.h"

#include "Canvas.h"
#include "PercentMap.h"

#include <algorithm>

TSkat::TSkat(QWidget *parent)
    : TPenBrushElement(parent, clRed, clYellow)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    CalcXY();
    resize(100, 100);
}

void TSkat::SetDetLevel(int level)
{
    Store(m_detLevel, std::min(level, MaxDetLevel));
}

void TSkat::SetTopWidth(double percent)
{
    Store(m_topWidth, std::min(percent, MaxTopWidth));
}

void TSkat::SetXFlip(bool flip)
{
    Store(m_xFlip, flip);
}

void TSkat::StyleChanged()
{
    CalcXY();
    TGraphicElement::StyleChanged();
}

void TSkat::CalcXY()
{
    m_outline.clear();
    const double c = 100 - m_topWidth;
    if (c <= 0 || m_detLevel <= 0)
        return;
    m_outline << QPointF(c, 100) << QPointF(100, 100) << QPointF(100, 0) << QPointF(0, 0);
    for (int i = 1;; ++i) {
        const double x = i * c / m_detLevel;
        if (x >= c)
            break;
        m_outline << QPointF(x, 100 * (x / c) * (x / c));
    }
}

void TSkat::Paint(QPainter &painter)
{
    if (m_outline.size() <= 2)
        return;
    const int W = width();
    const int H = height();
    TCanvas canvas(painter);
    canvas.SetPen(GetColor(), 1);
    canvas.SetBrush(GetColor());
    canvas.Rectangle(0, 0, W, H);
    const TPercentMap map(W, H, GetPen().Width(), m_xFlip);
    QPolygon polygon;
    for (const QPointF &p : m_outline)
        polygon << map.Point(p);
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    canvas.Polygon(polygon);
}
