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

QList<double> TWaterMEO::TickValues() const
{
    QList<double> values;
    if (!(m_scaleStep > 0) || !(m_max > m_min))
        return values;
    const double count = (m_max - m_min) / m_scaleStep;
    if (count > std::max(width(), height()))
        return values;
    for (int k = 1;; ++k) {
        const double v = m_min + k * m_scaleStep;
        if (!(v < m_max))
            break;
        values.append(v);
    }
    return values;
}

void TWaterMEO::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const double meo = GetMeoLength();
    const int m = int(meo);
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
    const int across = m_vertical ? W : H;
    const int from = m_invertScale ? pw : across - pw;
    const int to = m_invertScale ? m_scaleH : across - m_scaleH;
    auto line = [&](int along1, int across1, int along2, int across2) {
        if (m_vertical)
            canvas.Line(across1, along1, across2, along2);
        else
            canvas.Line(along1, across1, along2, across2);
    };
    for (const double v : TickValues()) {
        const int at = int(PosToScreen(v));
        line(at, from, at, to);
    }

    // The arrow points at the scale side.
    canvas.SetPen(m_arrowColor, m_arrowWidth);
    canvas.SetBrush(m_arrowColor);
    const int shaftStart = m_invertScale ? across - m_arrowWidth : m_arrowWidth;
    const int base = m_invertScale ? m_edgeLength : across - m_edgeLength;
    const int tip = m_invertScale ? 1 : across - 1;
    line(m, shaftStart, m, base);
    const double h = m_edgeLength * std::tan(m_edgeAngle * M_PI / 180);
    canvas.SetPen(m_arrowColor, 1);
    QPolygon head;
    if (m_vertical)
        head << QPoint(tip, m) << QPoint(base, int(meo - h)) << QPoint(base, int(meo + h));
    else
        head << QPoint(m, tip) << QPoint(int(meo - h), base) << QPoint(int(meo + h), base);
    canvas.Polygon(head);
}
