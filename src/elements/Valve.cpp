#include "Valve.h"

#include "Canvas.h"

TValve::TValve(QWidget *parent)
    : TPenBrushElement(parent, clYellow, clRed)
{
    // Pen and brush edits do not repaint a valve (see the class comment).
    Pen().SetOnChange(nullptr);
    Brush().SetOnChange(nullptr);
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
    const int w = GetPen().Width();
    const QPoint p = m_vertMode ? QPoint(W - w, w) : QPoint(w, H - w);
    const QPoint q = m_vertMode ? QPoint(w, H - w) : QPoint(W - w, w);
    TCanvas canvas(painter);
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    canvas.Polygon(QPolygon({QPoint(w, w), p, q, QPoint(W - w, H - w)}));
}
