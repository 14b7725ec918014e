#pragma once

#include "GraphicElement.h"
#include "PanelElement.h"

// The plain panel: a raised box in its Color with a centred caption.
class TPanel : public TPanelElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(TFont Font READ GetFont WRITE SetFont)

public:
    explicit TPanel(QWidget *parent = nullptr);

protected:
    void Paint(QPainter &painter) override;
};
