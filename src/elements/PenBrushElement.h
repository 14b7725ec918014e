#pragma once

#include "base/Style.h"

class QWidget;

// An element drawn with one owned pen and one owned brush whose edits redraw it. Base is
// TGraphicElement or TCachedElement. The Pen and Brush properties are still declared by each class
// (moc needs them there); they find their accessors here.
template<class Base> class TPenBrushElement : public Base
{
public:
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TBrush &Brush() { return m_brush; }
    const TBrush &GetBrush() const { return m_brush; }
    void SetBrush(const TBrush &brush) { m_brush.Assign(brush); }

protected:
    // The stock pen and brush (black, white).
    explicit TPenBrushElement(QWidget *parent)
        : TPenBrushElement(parent, TPen().Color(), TBrush().Color())
    { }
    TPenBrushElement(QWidget *parent, TColor penColor, TColor brushColor)
        : Base(parent)
    {
        m_pen.SetColor(penColor);
        m_brush.SetColor(brushColor);
        this->Wire(m_pen);
        this->Wire(m_brush);
    }

private:
    TPen m_pen;
    TBrush m_brush;
};
