#pragma once

#include "GraphicElement.h"
#include "base/Style.h"

// A belt conveyor: a body between two drums with hubs. Once focused it keeps arrow keys and
// characters to itself, so they neither move the focus nor trigger shortcuts of the window.
class TTransporter : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(TBrush BodyBrush READ GetBodyBrush WRITE SetBodyBrush)
    Q_PROPERTY(TBrush C1Brush READ GetC1Brush WRITE SetC1Brush)
    Q_PROPERTY(TBrush C2Brush READ GetC2Brush WRITE SetC2Brush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TPen R1Pen READ GetR1Pen WRITE SetR1Pen)
    Q_PROPERTY(TPen R2Pen READ GetR2Pen WRITE SetR2Pen)
    Q_PROPERTY(double R1Persent READ GetR1Persent WRITE SetR1Persent)

public:
    explicit TTransporter(QWidget *parent = nullptr);

    TBrush &BodyBrush() { return m_bodyBrush; }
    const TBrush &GetBodyBrush() const { return m_bodyBrush; }
    void SetBodyBrush(const TBrush &brush) { m_bodyBrush.Assign(brush); }
    TBrush &C1Brush() { return m_c1Brush; }
    const TBrush &GetC1Brush() const { return m_c1Brush; }
    void SetC1Brush(const TBrush &brush) { m_c1Brush.Assign(brush); }
    TBrush &C2Brush() { return m_c2Brush; }
    const TBrush &GetC2Brush() const { return m_c2Brush; }
    void SetC2Brush(const TBrush &brush) { m_c2Brush.Assign(brush); }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TPen &R1Pen() { return m_r1Pen; }
    const TPen &GetR1Pen() const { return m_r1Pen; }
    void SetR1Pen(const TPen &pen) { m_r1Pen.Assign(pen); }
    TPen &R2Pen() { return m_r2Pen; }
    const TPen &GetR2Pen() const { return m_r2Pen; }
    void SetR2Pen(const TPen &pen) { m_r2Pen.Assign(pen); }
    double GetR1Persent() const { return m_r1Persent; }
    void SetR1Persent(double percent);

protected:
    void Paint(QPainter &painter) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TBrush m_bodyBrush;
    TBrush m_c1Brush;
    TBrush m_c2Brush;
    TPen m_pen;
    TPen m_r1Pen;
    TPen m_r2Pen;
    double m_r1Persent = 70;
};
