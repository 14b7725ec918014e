#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"
#include "base/Bitmap.h"

#include <QPointF>

class TCanvas;

// A belt conveyor: two pulleys joined by the belt's two runs, with scoops (or heaps of coal) spaced
// evenly along the belt and optional spokes. Position (percent of the belt's length) shifts the
// scoops and turns the spokes, so stepping it makes the belt run. Geometry in virtual units, y
// upward, scaled to the box.
class TAniTrans : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TPen IntPen READ GetIntPen WRITE SetIntPen)
    Q_PROPERTY(TBrush IntBrush READ GetIntBrush WRITE SetIntBrush)
    Q_PROPERTY(double VirtH READ GetVirtH WRITE SetVirtH)
    Q_PROPERTY(double VirtW READ GetVirtW WRITE SetVirtW)
    Q_PROPERTY(double X1 READ GetX1 WRITE SetX1)
    Q_PROPERTY(double Y1 READ GetY1 WRITE SetY1)
    Q_PROPERTY(double X2 READ GetX2 WRITE SetX2)
    Q_PROPERTY(double Y2 READ GetY2 WRITE SetY2)
    Q_PROPERTY(double R READ GetR WRITE SetR)
    Q_PROPERTY(double IntR READ GetIntR WRITE SetIntR)
    Q_PROPERTY(double Rk READ GetRk WRITE SetRk)
    Q_PROPERTY(int ScoopCount READ GetScoopCount WRITE SetScoopCount)
    Q_PROPERTY(double ScoopLH READ GetScoopLH WRITE SetScoopLH)
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(TPen ScoopPen READ GetScoopPen WRITE SetScoopPen)
    Q_PROPERTY(TColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(bool ShowScoops READ GetShowScoops WRITE SetShowScoops)
    Q_PROPERTY(bool ShowCoal READ GetShowCoal WRITE SetShowCoal)
    Q_PROPERTY(TBitmap CoalBitmap READ GetCoalBitmap WRITE SetCoalBitmap)
    Q_PROPERTY(TColor CoalColor READ GetCoalColor WRITE SetCoalColor)
    Q_PROPERTY(int BladeCount READ GetBladeCount WRITE SetBladeCount)
    Q_PROPERTY(TPen BladePen READ GetBladePen WRITE SetBladePen)
    Q_PROPERTY(double CoalMin READ GetCoalMin WRITE SetCoalMin)
    Q_PROPERTY(double CoalMax READ GetCoalMax WRITE SetCoalMax)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)

public:
    explicit TAniTrans(QWidget *parent = nullptr);

    TPen &IntPen() { return m_intPen; }
    const TPen &GetIntPen() const { return m_intPen; }
    void SetIntPen(const TPen &pen) { m_intPen.Assign(pen); }
    TBrush &IntBrush() { return m_intBrush; }
    const TBrush &GetIntBrush() const { return m_intBrush; }
    void SetIntBrush(const TBrush &brush) { m_intBrush.Assign(brush); }
    TPen &ScoopPen() { return m_scoopPen; }
    const TPen &GetScoopPen() const { return m_scoopPen; }
    void SetScoopPen(const TPen &pen) { m_scoopPen.Assign(pen); }
    TPen &BladePen() { return m_bladePen; }
    const TPen &GetBladePen() const { return m_bladePen; }
    void SetBladePen(const TPen &pen) { m_bladePen.Assign(pen); }
    TBitmap &CoalBitmap() { return m_coalBitmap; }
    const TBitmap &GetCoalBitmap() const { return m_coalBitmap; }
    void SetCoalBitmap(const TBitmap &bitmap) { m_coalBitmap.Assign(bitmap); }

    double GetVirtH() const { return m_virtH; }
    void SetVirtH(double v) { Store(m_virtH, v); }
    double GetVirtW() const { return m_virtW; }
    void SetVirtW(double v) { Store(m_virtW, v); }
    double GetX1() const { return m_x1; }
    void SetX1(double v) { Store(m_x1, v); }
    double GetY1() const { return m_y1; }
    void SetY1(double v) { Store(m_y1, v); }
    double GetX2() const { return m_x2; }
    void SetX2(double v) { Store(m_x2, v); }
    double GetY2() const { return m_y2; }
    void SetY2(double v) { Store(m_y2, v); }
    double GetR() const { return m_r; }
    void SetR(double v) { Store(m_r, v); }
    double GetIntR() const { return m_intR; }
    void SetIntR(double v) { Store(m_intR, v); }
    double GetRk() const { return m_rk; }
    void SetRk(double v) { Store(m_rk, v); }
    int GetScoopCount() const { return m_scoopCount; }
    void SetScoopCount(int v) { Store(m_scoopCount, v); }
    double GetScoopLH() const { return m_scoopLH; }
    void SetScoopLH(double v) { Store(m_scoopLH, v); }
    double GetPosition() const { return m_position; }
    void SetPosition(double v) { Store(m_position, v); }
    TColor GetBackColor() const { return m_backColor; }
    void SetBackColor(TColor c) { Store(m_backColor, c); }
    bool GetShowScoops() const { return m_showScoops; }
    void SetShowScoops(bool v) { Store(m_showScoops, v); }
    bool GetShowCoal() const { return m_showCoal; }
    void SetShowCoal(bool v) { Store(m_showCoal, v); }
    TColor GetCoalColor() const { return m_coalColor; }
    void SetCoalColor(TColor c) { Store(m_coalColor, c); }
    int GetBladeCount() const { return m_bladeCount; }
    void SetBladeCount(int v) { Store(m_bladeCount, v); }
    // Kept for the designs that set them; they take no part in drawing.
    double GetCoalMin() const { return m_coalMin; }
    void SetCoalMin(double v) { Store(m_coalMin, v); }
    double GetCoalMax() const { return m_coalMax; }
    void SetCoalMax(double v) { Store(m_coalMax, v); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool v) { Store(m_xFlip, v); }

    // A place on the belt: the virtual point and the scoop's orientation there.
    struct TBeltPlace
    {
        QPointF point;
        double theta = 0;
    };

    // Recomputes the geometry from the properties and the size (done before every redraw).
    void CalcRegion();
    double Scale() const { return m_scale; }
    double BeltLength() const { return m_length; }
    // Belt distances of the scoops, each in [0, BeltLength).
    QList<double> ScoopDistances() const;
    // The place at belt distance s, along T1 -> T2, round pulley 2, T3 -> T4, round pulley 1.
    TBeltPlace PlaceAt(double s) const;
    // Coal rides in a scoop on the carrying run and the first third of the turn round pulley 2.
    static bool CarriesCoal(double theta);
    QPoint ToScreen(const QPointF &virtualPoint) const;

protected:
    void Paint(QPainter &painter) override;

private:
    void DrawBody(TCanvas &canvas) const;
    void DrawScoop(TCanvas &canvas, const TBeltPlace &place) const;

    TPen m_intPen;
    TBrush m_intBrush;
    TPen m_scoopPen;
    TPen m_bladePen;
    TBitmap m_coalBitmap;
    double m_virtH = 60;
    double m_virtW = 50;
    double m_x1 = 15;
    double m_y1 = 15;
    double m_x2 = 35;
    double m_y2 = 45;
    double m_r = 5;
    double m_intR = 3;
    double m_rk = 3;
    int m_scoopCount = 6;
    double m_scoopLH = 2;
    double m_position = 0;
    TColor m_backColor = clBlack;
    bool m_showScoops = false;
    bool m_showCoal = false;
    TColor m_coalColor = 0x808000;
    int m_bladeCount = 0;
    double m_coalMin = 0;
    double m_coalMax = 0.5;
    bool m_xFlip = false;

    // Geometry of the last CalcRegion.
    double m_scale = 0;
    double m_d = 0;
    QPointF m_u;
    double m_length = 0;
    double m_travel = 0;
    double m_spacing = 0;
    double m_a = 0;
    QPointF m_t1, m_t2, m_t3, m_t4;
    double m_b1 = 0, m_b2 = 0, m_b3 = 0;
};
