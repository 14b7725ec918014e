#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"

// An agitator tank: an open tank with rounded bottom corners, liquid up to WaterLevel and a rotor
// with capped blades turned by the phase Alpha. Lengths in percent of the smaller side.
class TMixer : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(double RotorCenterTop READ GetRotorCenterTop WRITE SetRotorCenterTop)
    Q_PROPERTY(double RotorR1 READ GetRotorR1 WRITE SetRotorR1)
    Q_PROPERTY(double RotorR2 READ GetRotorR2 WRITE SetRotorR2)
    Q_PROPERTY(double Beta READ GetBeta WRITE SetBeta)
    Q_PROPERTY(double Alpha READ GetAlpha WRITE SetAlpha)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(double WallBottomR READ GetWallBottomR WRITE SetWallBottomR)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TColor WaterColor READ GetWaterColor WRITE SetWaterColor)
    Q_PROPERTY(TPen RotorPen READ GetRotorPen WRITE SetRotorPen)
    Q_PROPERTY(int BladeCount READ GetBladeCount WRITE SetBladeCount)

public:
    explicit TMixer(QWidget *parent = nullptr);

    double GetRotorCenterTop() const { return m_rotorCenterTop; }
    void SetRotorCenterTop(double v) { Store(m_rotorCenterTop, v); }
    double GetRotorR1() const { return m_rotorR1; }
    void SetRotorR1(double v) { Store(m_rotorR1, v); }
    double GetRotorR2() const { return m_rotorR2; }
    void SetRotorR2(double v) { Store(m_rotorR2, v); }
    double GetBeta() const { return m_beta; }
    void SetBeta(double v) { Store(m_beta, v); }
    double GetAlpha() const { return m_alpha; }
    void SetAlpha(double v) { Store(m_alpha, v); }
    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double v) { Store(m_waterLevel, v); }
    double GetWallBottomR() const { return m_wallBottomR; }
    void SetWallBottomR(double v) { Store(m_wallBottomR, v); }
    TColor GetWaterColor() const { return m_waterColor; }
    void SetWaterColor(TColor c) { Store(m_waterColor, c); }
    TPen &RotorPen() { return m_rotorPen; }
    const TPen &GetRotorPen() const { return m_rotorPen; }
    void SetRotorPen(const TPen &pen) { m_rotorPen.Assign(pen); }
    int GetBladeCount() const { return m_bladeCount; }
    void SetBladeCount(int v) { Store(m_bladeCount, v); }

    double CalcVal(double percent) const;
    // The liquid surface's pixel row.
    int SurfaceY() const;

protected:
    void Paint(QPainter &painter) override;

private:
    double m_rotorCenterTop = 30;
    double m_rotorR1 = 5;
    double m_rotorR2 = 25;
    double m_beta = 30;
    double m_alpha = 0;
    double m_waterLevel = 80;
    double m_wallBottomR = 5;
    TColor m_waterColor = clAqua;
    TPen m_rotorPen;
    int m_bladeCount = 4;
};
