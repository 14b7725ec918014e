#pragma once

#include "GraphicElement.h"
#include "base/Style.h"

// A tank with a funnel bottom and an outlet pipe, laid out in virtual units scaled to the box.
class TWaterBox : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(TColor BorderColor READ GetBorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor WaterColor READ GetWaterColor WRITE SetWaterColor)
    Q_PROPERTY(TColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(double MainW READ GetMainW WRITE SetMainW)
    Q_PROPERTY(double MainH READ GetMainH WRITE SetMainH)
    Q_PROPERTY(double BoxH READ GetBoxH WRITE SetBoxH)
    Q_PROPERTY(double BottomH READ GetBottomH WRITE SetBottomH)
    Q_PROPERTY(double BottomW READ GetBottomW WRITE SetBottomW)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(int StepsCount READ GetStepsCount WRITE SetStepsCount)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)

public:
    explicit TWaterBox(QWidget *parent = nullptr);

    TColor GetBorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color) { Store(m_borderColor, color); }
    TColor GetWaterColor() const { return m_waterColor; }
    void SetWaterColor(TColor color) { Store(m_waterColor, color); }
    TColor GetBackColor() const { return m_backColor; }
    void SetBackColor(TColor color) { Store(m_backColor, color); }
    double GetMainW() const { return m_mainW; }
    void SetMainW(double value) { Store(m_mainW, value); }
    double GetMainH() const { return m_mainH; }
    void SetMainH(double value) { Store(m_mainH, value); }
    double GetBoxH() const { return m_boxH; }
    void SetBoxH(double value) { Store(m_boxH, value); }
    double GetBottomH() const { return m_bottomH; }
    void SetBottomH(double value) { Store(m_bottomH, value); }
    double GetBottomW() const { return m_bottomW; }
    void SetBottomW(double value) { Store(m_bottomW, value); }
    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double value) { Store(m_waterLevel, value); }
    // Kept for the designs that set it; it takes no part in drawing.
    int GetStepsCount() const { return m_stepsCount; }
    void SetStepsCount(int count) { m_stepsCount = count; }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    TColor m_borderColor = clYellow;
    TColor m_waterColor = clAqua;
    TColor m_backColor = clBlack;
    double m_mainW = 3;
    double m_mainH = 5;
    double m_boxH = 6;
    double m_bottomH = 0.5;
    double m_bottomW = 1;
    double m_waterLevel = 3;
    int m_stepsCount = 0;
    TPen m_pen;
};
