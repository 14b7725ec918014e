#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"

// A bladed wheel seen from the side (the front half of a drum's blades) or a blade belt; the
// owner turns it by stepping the phase Alpha.
class TBladeWheel : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(int BladeCount READ GetBladeCount WRITE SetBladeCount)
    Q_PROPERTY(TPen BladePen READ GetBladePen WRITE SetBladePen)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(bool CircleMode READ GetCircleMode WRITE SetCircleMode)
    Q_PROPERTY(double Alpha READ GetAlpha WRITE SetAlpha)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)

public:
    explicit TBladeWheel(QWidget *parent = nullptr);

    int GetBladeCount() const { return m_bladeCount; }
    void SetBladeCount(int v) { Store(m_bladeCount, v); }
    TPen &BladePen() { return m_bladePen; }
    const TPen &GetBladePen() const { return m_bladePen; }
    void SetBladePen(const TPen &pen) { m_bladePen.Assign(pen); }
    bool GetCircleMode() const { return m_circleMode; }
    void SetCircleMode(bool v) { Store(m_circleMode, v); }
    double GetAlpha() const { return m_alpha; }
    void SetAlpha(double v) { Store(m_alpha, v); }

    // Rows of the blade lines in drawing order (only those inside the box).
    QList<double> BladeRows() const;

protected:
    void Paint(QPainter &painter) override;

private:
    int m_bladeCount = 10;
    TPen m_bladePen;
    bool m_circleMode = true;
    double m_alpha = 0;
};
