#pragma once

#include "CachedElement.h"
#include "base/Style.h"

// A drop-shaped hopper: a disc on top of a downward triangle.
class TPullOut : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TBrush BackGroundBrush READ GetBackGroundBrush WRITE SetBackGroundBrush)

public:
    explicit TPullOut(QWidget *parent = nullptr);

    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TBrush &Brush() { return m_brush; }
    const TBrush &GetBrush() const { return m_brush; }
    void SetBrush(const TBrush &brush) { m_brush.Assign(brush); }
    TBrush &BackGroundBrush() { return m_backGroundBrush; }
    const TBrush &GetBackGroundBrush() const { return m_backGroundBrush; }
    void SetBackGroundBrush(const TBrush &brush) { m_backGroundBrush.Assign(brush); }

protected:
    void Paint(QPainter &painter) override;

private:
    TPen m_pen;
    TBrush m_brush;
    TBrush m_backGroundBrush;
};
