#include "Mixer.h"

#include "Canvas.h"
#include "PercentMap.h"

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
    return int(height() - CalcVal(m_waterLevel));
}

void TMixer::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const int R = int(CalcVal(m_wallBottomR));
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
    canvas.Line(w + 1, y, right - 1, y);
    if (y < bottom)
        canvas.FloodFill(W / 2, (H + y) / 2, m_waterColor);

    const double cx = W / 2;
    const double cy = H - CalcVal(m_rotorCenterTop);
    const double r1 = CalcVal(m_rotorR1);
    canvas.SetPen(m_rotorPen.Color(), 1);
    canvas.SetBrush(m_rotorPen.Color());
    canvas.Ellipse(int(cx - r1), int(cy - r1), int(cx + r1), int(cy + r1));
    canvas.SetPen(m_rotorPen);
    const double rho = CalcVal(m_rotorR2);
    auto at = [&](double degrees) {
        const double a = degrees * M_PI / 180;
        return QPoint(int(cx + rho * std::cos(a)), int(cy - rho * std::sin(a)));
    };
    const double h = m_beta / 2;
    for (int k = 0; k < m_bladeCount; ++k) {
        const double a = m_alpha + k * 360.0 / m_bladeCount;
        const QPoint tip = at(a);
        canvas.Line(int(cx), int(cy), tip.x(), tip.y());
        canvas.Polyline(QPolygon({at(a + h), at(a + h / 2), tip, at(a - h / 2), at(a - h)}));
    }
}
