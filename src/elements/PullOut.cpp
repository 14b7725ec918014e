#include "PullOut.h"

#include "Canvas.h"

TPullOut::TPullOut(QWidget *parent)
    : TPenBrushElement(parent)
{
    Wire(m_backGroundBrush);
    resize(60, 100);
}

void TPullOut::Paint(QPainter &painter)
{
    const int W = width();
    TCanvas canvas(painter);
    canvas.SetNoPen();
    canvas.SetBrush(m_backGroundBrush);
    canvas.Rectangle(0, 0, W, height());
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    canvas.Polygon(QPolygon({QPoint(0, W / 2), QPoint(W, W / 2), QPoint(W / 2, height())}));
    canvas.Ellipse(0, 0, W, W);
}
