#pragma once

#include "GraphicElement.h"
#include "base/Style.h"

// The bow-tie valve symbol: two triangles meeting in the centre. Unlike the other elements it does
// not repaint when its pen or brush is edited; whoever recolours it repaints it.
class TValve : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(bool VertMode READ GetVertMode WRITE SetVertMode)

public:
    explicit TValve(QWidget *parent = nullptr);

    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TBrush &Brush() { return m_brush; }
    const TBrush &GetBrush() const { return m_brush; }
    void SetBrush(const TBrush &brush) { m_brush.Assign(brush); }
    bool GetVertMode() const { return m_vertMode; }
    void SetVertMode(bool vertical);

protected:
    void Paint(QPainter &painter) override;

private:
    TPen m_pen;
    TBrush m_brush;
    bool m_vertMode = false;
};
