#include "Mixer.h"

#include "Canvas.h"
#include "PercentMap.h"

#include <algorithm>
#include <cmath>

TMixer::TMixer(QWidget *parent)
    : TPenBrushElement(parent)
{
    Wire(m_rotorPen);
    resize(100, 100);
}

double TMixer::CalcVal(double percent) const
{
    return PercentOfSmallerSide(percent, width(), height());
}

int TMixer::SurfaceY() const
{
    return ToPixelNear(height() - CalcVal(m_waterLevel), height());
}

void TMixer::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const int R = ToPixelNear(CalcVal(m_wallBottomR), std::min(W, H));
    const int w = GetPen().Width() / 2;
    // The far walls and the bottom stand on the last pixel column and row, inside the box.
    const int right = W - 1 - w;
    const int bottom = H - 1 - w;
    TCanvas canvas(painter);
    canvas.SetNoPen();
    canvas.SetBrush(GetBrush());
    canvas.Rectangle(0, 0, W, H);

    canvas.SetPen(GetPen());
    canvas.SetNoBrush();
    canvas.Line(w, 0, w, bottom - R);
    canvas.Arc(w, bottom - 2 * R, w + 2 * R + 1, bottom + 1, 180, 90);
    canvas.Line(w + R, bottom, right - R, bottom);
    canvas.Arc(right - 2 * R, bottom - 2 * R, right + 1, bottom + 1, 270, 90);
    canvas.Line(right, bottom - R, right, 0);

    // The surface closes the area below it, which takes the liquid's colour.
    const int y = SurfaceY();
    canvas.SetPen(m_waterColor, 1);
    canvas.Line(w + 1, y, right, y);
    // Midway down from the surface; over the brim, from the top row.
    if (y < bottom)
        canvas.FloodFill(W / 2, std::max(0, (H + y) / 2), m_waterColor);

    const double cx = W / 2;
    const double cy = H - CalcVal(m_rotorCenterTop);
    const double r1 = CalcVal(m_rotorR1);
    canvas.SetPen(m_rotorPen.Color(), 1);
    canvas.SetBrush(m_rotorPen.Color());
    canvas.Circle(QPointF(cx, cy), r1, size());
    canvas.SetPen(m_rotorPen);
    const double rho = CalcVal(m_rotorR2);
    auto at = [&](double degrees) {
        const double a = degrees * M_PI / 180;
        return ToPixelNear(QPointF(cx + rho * std::cos(a), cy - rho * std::sin(a)), size());
    };
    const double h = m_beta / 2;
    const QPoint hub = ToPixelNear(QPointF(cx, cy), size());
    const int blades = DrawnRepeats(m_bladeCount);
    for (int k = 0; k < blades; ++k) {
        const double a = m_alpha + k * 360.0 / blades;
        const QPoint tip = at(a);
        canvas.Line(hub.x(), hub.y(), tip.x(), tip.y());
        canvas.Polyline(QPolygon({at(a + h), at(a + h / 2), tip, at(a - h / 2), at(a - h)}));
    }
}
