#include "GraphicElement.h"

#include <QPainter>

TGraphicElement::TGraphicElement(QWidget *parent)
    : TElement(parent)
{ }

void TGraphicElement::SetCoversBox(bool covers)
{
    m_coversBox = covers;
    TransparencyChanged();
}

void TGraphicElement::TransparencyChanged()
{
    setAttribute(Qt::WA_OpaquePaintEvent, m_coversBox && !GetTransparent());
}

void TGraphicElement::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    SafePaint(painter);
}
