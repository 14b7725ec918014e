#pragma once

#include "GraphicElement.h"
#include "PenBrushElement.h"

// The bow-tie valve symbol: two triangles meeting in the centre. Unlike the other elements it does
// not repaint when its pen or brush is edited; whoever recolours it repaints it.
class TValve : public TPenBrushElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(bool VertMode READ GetVertMode WRITE SetVertMode)

public:
    explicit TValve(QWidget *parent = nullptr);

    bool GetVertMode() const { return m_vertMode; }
    void SetVertMode(bool vertical);

protected:
    void Paint(QPainter &painter) override;

private:
    bool m_vertMode = false;
};
