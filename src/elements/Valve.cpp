#include "Valve.h"

#include "Canvas.h"

TValve::TValve(QWidget *parent)
    : TGraphicElement(parent)
{
    m_pen.SetColor(clYellow);
    m_brush.SetColor(clRed);
    resize(40, 40);
}

void TValve::SetVertMode(bool vertical)
{
    Store(m_vertMode, vertical);
}

void TValve::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const int w = m_pen.Width();
    const QPoint p = m_vertMode ? QPoint(W - w, w) : QPoint(w, H - w);
    const QPoint q = m_vertMode ? QPoint(w, H - w) : QPoint(W - w, w);
    TCanvas canvas(painter);
    canvas.SetPen(m_pen);
    canvas.SetBrush(m_brush);
    canvas.Polygon(QPolygon({QPoint(w, w), p, q, QPoint(W - w, H - w)}));
}
