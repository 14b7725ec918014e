#include "Flake.h"

#include "Canvas.h"
#include "PercentMap.h"
#include "TankProfile.h"
#include "base/Feedback.h"

TFlake::TFlake(QWidget *parent)
    : TTankElement(parent, 10)
{
    Wire(m_waterPattern);
}

QList<QPointF> TFlake::LiquidOutline() const
{
    const double L = m_waterLevel;
    if (L > m_y2)
        return {{0, 0}, {0, L}, {100, L}, {100, m_y2}, {m_x2, m_y2}, {m_bottomWidth, 0}};
    // The slope's x at the level; a step at the bottom has no slope.
    const double xw = m_y2 != 0 ? m_bottomWidth + (m_x2 - m_bottomWidth) * L / m_y2 : m_x2;
    return {{0, 0}, {0, L}, {xw, L}, {m_bottomWidth, 0}};
}

void TFlake::LoadPattern()
{
    if (m_waterBrushFile == m_loadedFile)
        return;
    m_loadedFile = m_waterBrushFile;
    // No file means no pattern; an unreadable one keeps the liquid as it was and only beeps.
    if (m_waterBrushFile.isEmpty())
        m_waterPattern.SetImage(QImage());
    else if (!m_waterPattern.LoadFromFile(m_waterBrushFile))
        Beep();
}

void TFlake::Paint(QPainter &painter)
{
    if (!GetTransparent())
        TCanvas(painter).FillRect(0, 0, width(), height(), GetColor());
    LoadPattern();
    DrawTankProfile(
        painter, TPercentMap(width(), height(), m_pen.Width(), m_xFlip), m_pen, m_backBrush,
        {{0, 0}, {0, 100}, {100, 100}, {100, m_y2}, {m_x2, m_y2}, {m_bottomWidth, 0}},
        [this](TCanvas &canvas) { canvas.SetBrush(m_waterBrush, m_waterPattern); },
        LiquidOutline());
}
