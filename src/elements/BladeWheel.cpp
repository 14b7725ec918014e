#include "BladeWheel.h"

#include "Canvas.h"

#include <cmath>

TBladeWheel::TBladeWheel(QWidget *parent)
    : TPenBrushElement(parent)
{
    Wire(m_bladePen);
    resize(60, 60);
}

QList<double> TBladeWheel::BladeRows() const
{
    QList<double> rows;
    const int blades = DrawnRepeats(m_bladeCount);
    if (blades <= 0)
        return rows;
    const double H = height();
    const int n = 2 * blades;
    if (m_circleMode) {
        for (int k = 0; k < n; ++k) {
            const double a = (m_alpha + k * 360.0 / n) * M_PI / 180;
            const double y = H / 2 - std::sin(a) * H / 2;
            if (std::cos(a) >= 0 && y >= 0 && y <= H)
                rows.append(y);
        }
        return rows;
    }
    const double spacing = H / blades;
    double y = H - std::fmod(m_alpha, 360) / 360 * H;
    for (int k = 0; k < n; ++k) {
        if (y < -H)
            y += 2 * H;
        if (y >= 0 && y <= H)
            rows.append(y);
        y -= spacing;
    }
    return rows;
}

void TBladeWheel::Paint(QPainter &painter)
{
    TCanvas canvas(painter);
    if (!GetTransparent()) {
        canvas.SetPen(GetPen());
        canvas.SetBrush(GetBrush());
        canvas.Rectangle(0, 0, width(), height());
    }
    canvas.SetPen(m_bladePen);
    // A line on the bottom edge stays on the last row, inside the box.
    for (const double y : BladeRows()) {
        const int row = std::min(int(y), height() - 1);
        canvas.Line(0, row, width(), row);
    }
}
