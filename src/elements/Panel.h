#pragma once

#include "GraphicElement.h"

// The plain panel: a raised box in its Color with a centred caption.
class TPanel : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)

public:
    explicit TPanel(QWidget *parent = nullptr);

    QString GetCaption() const { return m_caption; }
    void SetCaption(const QString &caption);

protected:
    void Paint(QPainter &painter) override;

private:
    QString m_caption;
};
