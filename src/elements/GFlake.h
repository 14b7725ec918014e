#pragma once

#include "TankElement.h"

#include <QPointF>

// A vessel that is full width below the step height GY and only the part right of GX above it;
// the liquid fills the full width below the step and the right part above it.
class TGFlake : public TTankElement
{
    Q_OBJECT
    Q_PROPERTY(double GX READ GetGX WRITE SetGX)
    Q_PROPERTY(double GY READ GetGY WRITE SetGY)

public:
    explicit TGFlake(QWidget *parent = nullptr);

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
    double m_gx = 50;
    double m_gy = 50;
};
