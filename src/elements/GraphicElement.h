#pragma once

#include "Element.h"

// A directly drawn element: the whole figure is drawn in every paint, straight onto the widget.
class TGraphicElement : public TElement
{
    Q_OBJECT

public:
    explicit TGraphicElement(QWidget *parent = nullptr);

protected:
    // Elements that fill their whole box (unless transparent) say so, and Qt then does not paint
    // what lies beneath them first.
    void SetCoversBox(bool covers);
    void TransparencyChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_coversBox = false;
};
