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
    const double sy = H / m_virtH;
    const double sx = W / m_virtW;
    const int w = GetPen().Width() / 2;
    auto at = [&](int x, int y) {
        return QPoint(m_xFlip ? W - x : x, y);
    };
    TCanvas canvas(painter);
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    canvas.Polygon(QPolygon({at(w, int(sy * m_h1)), at(W - w, w), at(W - w, int(sy * m_h2)),
                             at(w, int(sy * (m_h1 + m_h2)))}));
    canvas.Polyline(QPolygon({at(W - w, int(sy * m_h2)), at(w, int(sy * (m_h1 + m_h2))),
                              at(int(sx * m_l1), H - w), at(W - w, int(sy * m_h2))}));
}
