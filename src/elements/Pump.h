#pragma once

#include "GraphicElement.h"
#include "base/Style.h"

// A pump: casing, motor and outlet, laid out in thirds of the box; VertFlip mirrors it.
class TPump : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(bool VertFlip READ GetVertFlip WRITE SetVertFlip)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)

public:
    explicit TPump(QWidget *parent = nullptr);

    TBrush &Brush() { return m_brush; }
    const TBrush &GetBrush() const { return m_brush; }
    void SetBrush(const TBrush &brush) { m_brush.Assign(brush); }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    bool GetVertFlip() const { return m_vertFlip; }
    void SetVertFlip(bool flip);

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    TBrush m_brush;
    TPen m_pen;
    bool m_vertFlip = false;
};
