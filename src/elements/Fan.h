#pragma once

#include "CachedElement.h"
#include "base/Style.h"

// An impeller in a circular casing: BladeCount pointed blades turned by the phase RotorAlpha.
class TFan : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TBrush CircleBrush READ GetCircleBrush WRITE SetCircleBrush)
    Q_PROPERTY(TPen CirclePen READ GetCirclePen WRITE SetCirclePen)
    Q_PROPERTY(TColor RotorColor READ GetRotorColor WRITE SetRotorColor)
    Q_PROPERTY(int BladeCount READ GetBladeCount WRITE SetBladeCount)
    Q_PROPERTY(double RotorAlpha READ GetRotorAlpha WRITE SetRotorAlpha)
    Q_PROPERTY(double BladeWidth READ GetBladeWidth WRITE SetBladeWidth)
    Q_PROPERTY(double BladeLength READ GetBladeLength WRITE SetBladeLength)
    Q_PROPERTY(double EdgeLength READ GetEdgeLength WRITE SetEdgeLength)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TFan(QWidget *parent = nullptr);

    TBrush &CircleBrush() { return m_circleBrush; }
    const TBrush &GetCircleBrush() const { return m_circleBrush; }
    void SetCircleBrush(const TBrush &brush) { m_circleBrush.Assign(brush); }
    TPen &CirclePen() { return m_circlePen; }
    const TPen &GetCirclePen() const { return m_circlePen; }
    void SetCirclePen(const TPen &pen) { m_circlePen.Assign(pen); }
    TColor GetRotorColor() const { return m_rotorColor; }
    void SetRotorColor(TColor c) { Store(m_rotorColor, c); }
    int GetBladeCount() const { return m_bladeCount; }
    void SetBladeCount(int v) { Store(m_bladeCount, v); }
    double GetRotorAlpha() const { return m_rotorAlpha; }
    void SetRotorAlpha(double v) { Store(m_rotorAlpha, v); }
    double GetBladeWidth() const { return m_bladeWidth; }
    void SetBladeWidth(double v) { Store(m_bladeWidth, v); }
    double GetBladeLength() const { return m_bladeLength; }
    void SetBladeLength(double v) { Store(m_bladeLength, v); }
    double GetEdgeLength() const { return m_edgeLength; }
    void SetEdgeLength(double v) { Store(m_edgeLength, v); }

    // Blade k in pixels: the five corners of root, shoulders and tip (none without blades).
    QPolygon Blade(int k) const;

protected:
    void Paint(QPainter &painter) override;

private:
    TBrush m_circleBrush;
    TPen m_circlePen;
    TColor m_rotorColor = clBlack;
    int m_bladeCount = 3;
    double m_rotorAlpha = 0;
    double m_bladeWidth = 10;
    double m_bladeLength = 98;
    double m_edgeLength = 20;
};
