#pragma once

#include "GraphicElement.h"

// A sprinkler ring: a water disc with three spray rays pointing down-left, down and down-right.
class TWaterCircle : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(double R1 READ GetR1 WRITE SetR1)
    Q_PROPERTY(double R2 READ GetR2 WRITE SetR2)
    Q_PROPERTY(double R3 READ GetR3 WRITE SetR3)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int RayWidth READ GetRayWidth WRITE SetRayWidth)
    Q_PROPERTY(TColor WaterColor READ GetWaterColor WRITE SetWaterColor)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)

public:
    explicit TWaterCircle(QWidget *parent = nullptr);

    double GetR1() const { return m_r1; }
    void SetR1(double r) { Store(m_r1, r); }
    double GetR2() const { return m_r2; }
    void SetR2(double r) { Store(m_r2, r); }
    double GetR3() const { return m_r3; }
    void SetR3(double r) { Store(m_r3, r); }
    int GetRayWidth() const { return m_rayWidth; }
    void SetRayWidth(int width) { Store(m_rayWidth, width); }
    TColor GetWaterColor() const { return m_waterColor; }
    void SetWaterColor(TColor color) { Store(m_waterColor, color); }

protected:
    void Paint(QPainter &painter) override;

private:
    double m_r1 = 6;
    double m_r2 = 8;
    double m_r3 = 16;
    int m_rayWidth = 2;
    TColor m_waterColor = clBlue;
};
