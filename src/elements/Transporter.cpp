#include "Transporter.h"

#include "Canvas.h"

TTransporter::TTransporter(QWidget *parent)
    : TGraphicElement(parent)
{
    m_bodyBrush.SetColor(clNavy);
    m_c1Brush.SetColor(clBlack);
    m_c2Brush.SetColor(clYellow);
    m_pen.SetColor(clYellow);
    m_r1Pen.SetColor(clRed);
    m_r2Pen.SetColor(clRed);
    Wire(m_bodyBrush);
    Wire(m_c1Brush);
    Wire(m_c2Brush);
    Wire(m_pen);
    Wire(m_r1Pen);
    Wire(m_r2Pen);
    resize(100, 20);
}

void TTransporter::SetR1Persent(double percent)
{
    Store(m_r1Persent, percent);
}

void TTransporter::Paint(QPainter &painter)
{
    const int W = width();
    const int r = height() / 2;
    const int hub = int(r * m_r1Persent / 100);
    TCanvas canvas(painter);
    canvas.SetPen(m_pen);
    canvas.SetBrush(m_bodyBrush);
    canvas.Rectangle(r, 0, W - r, height());
    for (const int cx : {r, W - r}) {
        canvas.SetPen(m_r2Pen);
        canvas.SetBrush(m_c2Brush);
        canvas.Ellipse(cx - r, 0, cx + r, 2 * r);
        canvas.SetPen(m_r1Pen);
        canvas.SetBrush(m_c1Brush);
        canvas.Ellipse(cx - hub, r - hub, cx + hub, r + hub);
    }
}
