#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"

// A drop-shaped hopper: a disc on top of a downward triangle.
class TPullOut : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TBrush BackGroundBrush READ GetBackGroundBrush WRITE SetBackGroundBrush)

public:
    explicit TPullOut(QWidget *parent = nullptr);

    TBrush &BackGroundBrush() { return m_backGroundBrush; }
    const TBrush &GetBackGroundBrush() const { return m_backGroundBrush; }
    void SetBackGroundBrush(const TBrush &brush) { m_backGroundBrush.Assign(brush); }

protected:
    void Paint(QPainter &painter) override;

private:
    TBrush m_backGroundBrush;
};
