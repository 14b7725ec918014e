#pragma once

#include "GraphicElement.h"
#include "PenBrushElement.h"

// A pump: casing, motor and outlet, laid out in thirds of the box; VertFlip mirrors it.
class TPump : public TPenBrushElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(bool VertFlip READ GetVertFlip WRITE SetVertFlip)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)

public:
    explicit TPump(QWidget *parent = nullptr);

    bool GetVertFlip() const { return m_vertFlip; }
    void SetVertFlip(bool flip);

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    bool m_vertFlip = false;
};
