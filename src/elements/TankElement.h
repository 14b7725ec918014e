#pragma once

#include "CachedElement.h"
#include "base/Style.h"

// What the tank profiles share: the wall pen, the liquid and background brushes, the liquid level
// in percent and the mirror flag, all redrawing on a change.
class TTankElement : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush WaterBrush READ GetWaterBrush WRITE SetWaterBrush)
    Q_PROPERTY(TBrush BackBrush READ GetBackBrush WRITE SetBackBrush)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TBrush &WaterBrush() { return m_waterBrush; }
    const TBrush &GetWaterBrush() const { return m_waterBrush; }
    void SetWaterBrush(const TBrush &brush) { m_waterBrush.Assign(brush); }
    TBrush &BackBrush() { return m_backBrush; }
    const TBrush &GetBackBrush() const { return m_backBrush; }
    void SetBackBrush(const TBrush &brush) { m_backBrush.Assign(brush); }

    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double v) { Store(m_waterLevel, v); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool v) { Store(m_xFlip, v); }

protected:
    // A red wall, yellow liquid on black, in a 100 x 100 box.
    TTankElement(QWidget *parent, double waterLevel);

    TPen m_pen;
    TBrush m_waterBrush;
    TBrush m_backBrush;
    double m_waterLevel;
    bool m_xFlip = false;
};
