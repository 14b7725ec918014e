#pragma once

#include "CachedElement.h"
#include "base/Style.h"

#include <QPointF>

// A vessel that is full width below the step height GY and only the part right of GX above it;
// the liquid fills the full width below the step and the right part above it.
class TGFlake : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(TBrush WaterBrush READ GetWaterBrush WRITE SetWaterBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)
    Q_PROPERTY(TBrush BackBrush READ GetBackBrush WRITE SetBackBrush)
    Q_PROPERTY(double GX READ GetGX WRITE SetGX)
    Q_PROPERTY(double GY READ GetGY WRITE SetGY)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TGFlake(QWidget *parent = nullptr);

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
    // Only stored: they take effect at the next redraw.
    double GetGX() const { return m_gx; }
    void SetGX(double v) { m_gx = v; }
    double GetGY() const { return m_gy; }
    void SetGY(double v) { m_gy = v; }

    // The liquid's outline in percent.
    QList<QPointF> LiquidOutline() const;

protected:
    void Paint(QPainter &painter) override;

private:
    TPen m_pen;
    TBrush m_waterBrush;
    TBrush m_backBrush;
    double m_waterLevel = 0;
    bool m_xFlip = false;
    double m_gx = 50;
    double m_gy = 50;
};
