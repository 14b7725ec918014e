#include "GFlake.h"

#include "Canvas.h"
#include "PercentMap.h"
#include "TankProfile.h"

TGFlake::TGFlake(QWidget *parent)
    : TTankElement(parent, 0)
{ }

QList<QPointF> TGFlake::LiquidOutline() const
{
    const double L = m_waterLevel;
    if (L >= m_gy)
        return {{0, 0}, {0, m_gy}, {m_gx, m_gy}, {m_gx, L}, {100, L}, {100, 0}};
    return {{0, L}, {100, L}, {100, 0}, {0, 0}};
}

void TGFlake::Paint(QPainter &painter)
{
    TCanvas(painter).FillRect(0, 0, width(), height(), GetColor());
    DrawTankProfile(
        painter, TPercentMap(width(), height(), m_pen.Width(), m_xFlip), m_pen, m_backBrush,
        {{0, 0}, {0, m_gy}, {m_gx, m_gy}, {m_gx, 100}, {100, 100}, {100, 0}},
        [this](TCanvas &canvas) { canvas.SetBrush(m_waterBrush); }, LiquidOutline());
}
