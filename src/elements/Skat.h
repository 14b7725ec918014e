#pragma once

#include "GraphicElement.h"
#include "PenBrushElement.h"

#include <QList>
#include <QPointF>

// A chute: flat top of TopWidth percent at the right, a vertical right wall, a flat bottom and a
// parabolic left flank drawn with DetLevel segments.
class TSkat : public TPenBrushElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(int DetLevel READ GetDetLevel WRITE SetDetLevel)
    Q_PROPERTY(double K1 READ GetK1 WRITE SetK1)
    Q_PROPERTY(double K2 READ GetK2 WRITE SetK2)
    Q_PROPERTY(double K3 READ GetK3 WRITE SetK3)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)
    Q_PROPERTY(double TopWidth READ GetTopWidth WRITE SetTopWidth)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    static constexpr int MaxDetLevel = 80;
    static constexpr double MaxTopWidth = 99;

    explicit TSkat(QWidget *parent = nullptr);

    int GetDetLevel() const { return m_detLevel; }
    void SetDetLevel(int level);
    double GetTopWidth() const { return m_topWidth; }
    void SetTopWidth(double percent);
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool flip);
    // Kept for the designs that set them; they take no part in drawing.
    double GetK1() const { return m_k1; }
    void SetK1(double k) { m_k1 = k; }
    double GetK2() const { return m_k2; }
    void SetK2(double k) { m_k2 = k; }
    double GetK3() const { return m_k3; }
    void SetK3(double k) { m_k3 = k; }

    // Regenerates the outline (percent, y upward from the bottom).
    void CalcXY();
    const QList<QPointF> &Outline() const { return m_outline; }
    void StyleChanged() override;

protected:
    void Paint(QPainter &painter) override;

private:
    int m_detLevel = 10;
    double m_k1 = 0;
    double m_k2 = 1;
    double m_k3 = 0;
    bool m_xFlip = false;
    double m_topWidth = 70;
    QList<QPointF> m_outline;
};
