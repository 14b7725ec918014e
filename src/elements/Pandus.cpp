#include "Pandus.h"

#include "Canvas.h"

TPandus::TPandus(QWidget *parent)
    : TPenBrushElement(parent, clYellow, clRed)
{
    resize(145, 75);
}

void TPandus::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const double sy = PixelsPerUnit(H, m_virtH);
    const double sx = PixelsPerUnit(W, m_virtW);
    const int w = GetPen().Width() / 2;
    auto at = [&](int x, int y) {
        return QPoint(m_xFlip ? W - x : x, y);
    };
    TCanvas canvas(painter);
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    const int h1 = ToPixel(sy * m_h1);
    const int h2 = ToPixel(sy * m_h2);
    const int h12 = ToPixel(sy * (m_h1 + m_h2));
    const int l1 = ToPixel(sx * m_l1);
    canvas.Polygon(QPolygon({at(w, h1), at(W - w, w), at(W - w, h2), at(w, h12)}));
    canvas.Polyline(QPolygon({at(W - w, h2), at(w, h12), at(l1, H - w), at(W - w, h2)}));
}
