#pragma once

#include "CachedElement.h"
#include "base/Style.h"

// A cylindrical tank with a conical (or half-conical) bottom and an outlet, filled to WaterH
// percent of its height.
class TConusBox : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TColor WaterColor READ GetWaterColor WRITE SetWaterColor)
    Q_PROPERTY(double ConusH READ GetConusH WRITE SetConusH)
    Q_PROPERTY(bool ShowTopLine READ GetShowTopLine WRITE SetShowTopLine)
    Q_PROPERTY(bool ShowConusTop READ GetShowConusTop WRITE SetShowConusTop)
    Q_PROPERTY(double DownW READ GetDownW WRITE SetDownW)
    Q_PROPERTY(double WaterH READ GetWaterH WRITE SetWaterH)
    Q_PROPERTY(bool HalfConus READ GetHalfConus WRITE SetHalfConus)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)

public:
    explicit TConusBox(QWidget *parent = nullptr);

    TColor GetBackColor() const { return m_backColor; }
    void SetBackColor(TColor color) { Store(m_backColor, color); }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TColor GetWaterColor() const { return m_waterColor; }
    void SetWaterColor(TColor color) { Store(m_waterColor, color); }
    double GetConusH() const { return m_conusH; }
    void SetConusH(double percent) { Store(m_conusH, percent); }
    bool GetShowTopLine() const { return m_showTopLine; }
    void SetShowTopLine(bool show) { Store(m_showTopLine, show); }
    bool GetShowConusTop() const { return m_showConusTop; }
    void SetShowConusTop(bool show) { Store(m_showConusTop, show); }
    double GetDownW() const { return m_downW; }
    void SetDownW(double percent) { Store(m_downW, percent); }
    double GetWaterH() const { return m_waterH; }
    void SetWaterH(double percent) { Store(m_waterH, percent); }
    bool GetHalfConus() const { return m_halfConus; }
    void SetHalfConus(bool half) { Store(m_halfConus, half); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool flip) { Store(m_xFlip, flip); }

    double CalcXVal(double percent) const { return percent * width() / 100; }
    double CalcYVal(double percent) const { return percent * height() / 100; }

protected:
    void Paint(QPainter &painter) override;

private:
    TColor m_backColor = clBlack;
    TPen m_pen;
    TColor m_waterColor = clAqua;
    double m_conusH = 80;
    bool m_showTopLine = false;
    bool m_showConusTop = false;
    double m_downW = 10;
    double m_waterH = 40;
    bool m_halfConus = false;
    bool m_xFlip = false;
};
