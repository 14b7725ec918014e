#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"

// A settling box with a partition and a sloped bottom.
class TShlamBox : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(double L1 READ GetL1 WRITE SetL1)
    Q_PROPERTY(double SubHPercent READ GetSubHPercent WRITE SetSubHPercent)
    Q_PROPERTY(double WPercent READ GetWPercent WRITE SetWPercent)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TShlamBox(QWidget *parent = nullptr);

    double GetL1() const { return m_l1; }
    void SetL1(double percent) { Store(m_l1, percent); }
    double GetSubHPercent() const { return m_subHPercent; }
    void SetSubHPercent(double percent) { Store(m_subHPercent, percent); }
    double GetWPercent() const { return m_wPercent; }
    void SetWPercent(double percent) { Store(m_wPercent, percent); }

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    double m_l1 = 30;
    double m_subHPercent = 20;
    double m_wPercent = 30;
};
