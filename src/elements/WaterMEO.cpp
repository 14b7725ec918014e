#include "WaterMEO.h"

#include "Canvas.h"

#include <cmath>

TWaterMEO::TWaterMEO(QWidget *parent)
    : TPenBrushElement(parent)
{
    Wire(m_waterBrush);
    Wire(m_scalePen);
    resize(80, 40);
}

double TWaterMEO::PosToScreen(double v) const
{
    if (m_max == m_min)
        return 0;
    return (v - m_min) * (m_vertical ? height() : width()) / (m_max - m_min);
}

QList<int> TWaterMEO::TickPixels() const
{
    QList<int> pixels;
    const double range = m_max - m_min;
    if (!(m_scaleStep > 0) || !(range > 0) || !std::isfinite(range))
        return pixels;
    const int length = m_vertical ? height() : width();
    if (m_scaleStep * length < range) {
        // Less than a pixel apart: the first tick lies on pixel 0, the last on the last one, and
        // none is skipped between them.
        for (int at = 0; at < length; ++at)
            pixels.append(at);
        return pixels;
    }
    // At most one per pixel, plus the end that a rounded step may reach.
    for (int k = 1; k <= length + 1; ++k) {
        const double v = m_min + k * m_scaleStep;
        if (!(v < m_max))
            break;
        const int at = int(PosToScreen(v));
        if (pixels.isEmpty() || pixels.last() != at)
            pixels.append(at);
    }
    return pixels;
}

void TWaterMEO::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const int along = m_vertical ? H : W;
    const int across = m_vertical ? W : H;
    // The position comes straight from a reading, which may lie anywhere.
    const double meo = GetMeoLength();
    const int m = ToPixelNear(meo, along);
    TCanvas canvas(painter);
    if (m_vertical) {
        canvas.SetNoPen();
        canvas.SetBrush(GetBrush());
        canvas.Rectangle(0, m, W, H);
        canvas.SetBrush(m_waterBrush);
        canvas.Rectangle(0, 0, W, m);
        canvas.SetPen(GetPen().Color(), 1);
        canvas.SetNoBrush();
        canvas.Rectangle(0, 0, W, H);
    } else {
        canvas.SetPen(GetPen());
        canvas.SetBrush(GetBrush());
        canvas.Rectangle(m, 0, W, H);
        canvas.SetBrush(m_waterBrush);
        canvas.Rectangle(0, 0, m, H);
    }

    // Ticks across the strip, from the scale side.
    canvas.SetPen(m_scalePen);
    const int pw = m_scalePen.Width();
    const int from = m_invertScale ? pw : across - pw;
    // Upright ticks reach ScaleH from the edge, lying ones ScaleH from where they start.
    const int to = m_invertScale ? m_scaleH : m_vertical ? from - m_scaleH : across - m_scaleH;
    auto line = [&](int along1, int across1, int along2, int across2) {
        if (m_vertical)
            canvas.Line(across1, along1, across2, along2);
        else
            canvas.Line(along1, across1, along2, across2);
    };
    for (const int at : TickPixels())
        line(at, from, at, to);

    // The arrow points at the scale side.
    canvas.SetPen(m_arrowColor, m_arrowWidth);
    canvas.SetBrush(m_arrowColor);
    const int shaftStart = m_invertScale ? across - m_arrowWidth : m_arrowWidth;
    const int base = m_invertScale ? m_edgeLength : across - m_edgeLength;
    const int tip = m_invertScale ? 1 : across - 1;
    line(m, shaftStart, m, base);
    // An upright head (90 degrees) has an unbounded half width.
    const double h = m_edgeLength * std::tan(m_edgeAngle * M_PI / 180);
    // The horizontal head spreads from the exact length, the vertical one from the pixel.
    const double centre = m_vertical ? m : meo;
    const int corner1 = ToPixelNear(centre - h, along);
    const int corner2 = ToPixelNear(centre + h, along);
    canvas.SetPen(m_arrowColor, 1);
    QPolygon head;
    if (m_vertical)
        head << QPoint(tip, m) << QPoint(base, corner1) << QPoint(base, corner2);
    else
        head << QPoint(m, tip) << QPoint(corner1, base) << QPoint(corner2, base);
    canvas.Polygon(head);
}
