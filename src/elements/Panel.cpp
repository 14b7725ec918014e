#include "Panel.h"

#include "Canvas.h"

TPanel::TPanel(QWidget *parent)
    : TPanelElement(parent)
{
    SetCoversBox(true);
    resize(185, 41);
}

void TPanel::Paint(QPainter &painter)
{
    TCanvas canvas(painter);
    canvas.SetNoPen();
    canvas.FillRect(0, 0, width(), height(), GetColor());
    // Raised bevel: light top-left, shadow bottom-right.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.setPen(isEnabled() ? ColorToQColor(GetFont().Color())
                               : palette().color(QPalette::Disabled, QPalette::ButtonText));
    painter.setFont(GetFont().ToQFont());
    painter.drawText(rect(), Qt::AlignCenter, GetCaption());
}
