#include "TankElement.h"

TTankElement::TTankElement(QWidget *parent, double waterLevel)
    : TCachedElement(parent)
    , m_waterLevel(waterLevel)
{
    m_pen.SetColor(clRed);
    m_waterBrush.SetColor(clYellow);
    m_backBrush.SetColor(clBlack);
    Wire(m_pen);
    Wire(m_waterBrush);
    Wire(m_backBrush);
    resize(100, 100);
}
