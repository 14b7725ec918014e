#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"

// A level indicator: a walled bar filled from the bottom (or from the left) in 1 % bands whose
// colour runs from DownColor to UpColor, up to WaterLevel between MinLevel and MaxLevel.
class TBarrel : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(TColor UpColor READ GetUpColor WRITE SetUpColor)
    Q_PROPERTY(TColor DownColor READ GetDownColor WRITE SetDownColor)
    Q_PROPERTY(double MaxLevel READ GetMaxLevel WRITE SetMaxLevel)
    Q_PROPERTY(double MinLevel READ GetMinLevel WRITE SetMinLevel)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(bool Left2RightMode READ GetLeft2RightMode WRITE SetLeft2RightMode)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TBarrel(QWidget *parent = nullptr);

    TColor GetUpColor() const { return m_upColor; }
    void SetUpColor(TColor color) { Store(m_upColor, color); }
    TColor GetDownColor() const { return m_downColor; }
    void SetDownColor(TColor color) { Store(m_downColor, color); }
    double GetMaxLevel() const { return m_maxLevel; }
    void SetMaxLevel(double level) { Store(m_maxLevel, level); }
    double GetMinLevel() const { return m_minLevel; }
    void SetMinLevel(double level) { Store(m_minLevel, level); }
    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double level) { Store(m_waterLevel, level); }
    bool GetLeft2RightMode() const { return m_left2Right; }
    void SetLeft2RightMode(bool on) { Store(m_left2Right, on); }

    // Colour of fill band k (0 at the bottom) of the 100.
    TColor BandColor(int k) const;

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    TColor m_upColor = clBlue;
    TColor m_downColor = clNavy;
    double m_maxLevel = 10.0;
    double m_minLevel = 0.0;
    double m_waterLevel = 3.5;
    bool m_left2Right = false;
};
