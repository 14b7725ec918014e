#include "Fan.h"

#include "Canvas.h"

#include <cmath>

TFan::TFan(QWidget *parent)
    : TCachedElement(parent)
{
    m_circleBrush.SetColor(clAqua);
    m_circlePen.SetColor(clYellow);
    Wire(m_circleBrush);
    Wire(m_circlePen);
    resize(60, 60);
}

QPolygon TFan::Blade(int k) const
{
    const int blades = DrawnRepeats(m_bladeCount);
    if (blades <= 0)
        return QPolygon();
    const double b = m_bladeWidth * height() / 100;
    const double l = m_bladeLength * width() / 200;
    const double f = l * (100 - m_edgeLength) / 100;
    const double a = (m_rotorAlpha + k * 360.0 / blades) * M_PI / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double cx = width() / 2;
    const double cy = height() / 2;
    QPolygon blade;
    for (const QPointF &p : {QPointF(0, b / 2), QPointF(f, b / 2), QPointF(l, 0),
                             QPointF(f, -b / 2), QPointF(0, -b / 2)})
        blade << ToPixelNear(QPointF(cx + p.x() * c - p.y() * s, cy - (p.x() * s + p.y() * c)),
                             size());
    return blade;
}

void TFan::Paint(QPainter &painter)
{
    TCanvas canvas(painter);
    canvas.FillRect(0, 0, width(), height(), GetColor());
    canvas.SetPen(m_circlePen);
    canvas.SetBrush(m_circleBrush);
    canvas.Ellipse(0, 0, width(), height());
    canvas.SetPen(m_rotorColor, 1);
    canvas.SetBrush(m_rotorColor);
    for (int k = 0; k < DrawnRepeats(m_bladeCount); ++k)
        canvas.Polygon(Blade(k));
}
