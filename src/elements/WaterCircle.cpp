#include "WaterCircle.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>

TWaterCircle::TWaterCircle(QWidget *parent)
    : TGraphicElement(parent)
{
    SetColor(clBlack);
    SetTransparent(true);
    SetCoversBox(true);
    resize(50, 50);
}

void TWaterCircle::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    TCanvas canvas(painter);
    if (!GetTransparent())
        canvas.FillRect(0, 0, W, H, GetColor());
    const double k = PixelsPerUnit(std::min(W, H) / 2.0, m_r3);
    const int cx = W / 2;
    const int cy = H / 2;
    const int r = ToPixel(k * m_r1);
    canvas.SetPen(m_waterColor, 1);
    canvas.SetBrush(m_waterColor);
    canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
    canvas.SetPen(m_waterColor, m_rayWidth);
    // 210, 270 and 330 degrees: down-left, down, down-right.
    for (double a = 7 * M_PI / 6; a < 5.8096; a += M_PI / 3) {
        const double c = std::cos(a);
        const double s = std::sin(a);
        canvas.Line(ToPixel(cx + k * m_r2 * c), ToPixel(cy - k * m_r2 * s),
                    ToPixel(cx + k * m_r3 * c), ToPixel(cy - k * m_r3 * s));
    }
}
