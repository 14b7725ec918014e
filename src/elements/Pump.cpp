#include "Pump.h"

#include "Canvas.h"
#include "ElementKeys.h"

TPump::TPump(QWidget *parent)
    : TPenBrushElement(parent, clRed, clYellow)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    resize(50, 50);
}

void TPump::SetVertFlip(bool flip)
{
    Store(m_vertFlip, flip);
}

void TPump::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const int tw = W / 3;
    const int th = H / 3;
    // Drawn unflipped; the mirror maps x to W - x.
    if (m_vertFlip) {
        painter.translate(W, 0);
        painter.scale(-1, 1);
    }
    TCanvas canvas(painter);
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    canvas.Rectangle(W - tw, 0, W, H - th);
    canvas.Ellipse(tw, th, W, H);

    const int top = th + th / 2;
    const int bottom = 2 * th + th / 2;
    const int right = tw + tw / 2;
    canvas.SetNoPen();
    canvas.Rectangle(0, top, right + 1, bottom);
    canvas.SetPen(GetPen());
    canvas.Polyline(QPolygon(
        {QPoint(right, top), QPoint(0, top), QPoint(0, bottom - 1), QPoint(right, bottom - 1)}));
    // The casing's left flank between the outlet's edges joins the outlet to the casing.
    canvas.SetNoBrush();
    painter.drawArc(QRect(tw, th, W - tw - 1, H - th - 1), 120 * 16, 120 * 16);
}

void TPump::WriteConfig(TIniFile &ini, const QString &section) const
{
    WritePenAndBrushColor(ini, section, GetPen(), GetBrush());
}

void TPump::ReadConfig(const TIniFile &ini, const QString &section)
{
    ReadPenAndBrushColor(ini, section, Pen(), Brush());
}
