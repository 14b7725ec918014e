#pragma once

#include "CachedElement.h"
#include "base/Bitmap.h"

// A tank in cross-section whose right wall steps in at Y2 and slopes down to the bottom, with its
// liquid following the slope; percent coordinates, y upward. The liquid may be filled with a
// pattern from a bitmap file.
class TFlake : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush WaterBrush READ GetWaterBrush WRITE SetWaterBrush)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(double X2 READ GetX2 WRITE SetX2)
    Q_PROPERTY(double BottomWidth READ GetBottomWidth WRITE SetBottomWidth)
    Q_PROPERTY(double Y2 READ GetY2 WRITE SetY2)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(TBrush BackBrush READ GetBackBrush WRITE SetBackBrush)
    Q_PROPERTY(QString WaterBrushFile READ GetWaterBrushFile WRITE SetWaterBrushFile)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TFlake(QWidget *parent = nullptr);

    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TBrush &WaterBrush() { return m_waterBrush; }
    const TBrush &GetWaterBrush() const { return m_waterBrush; }
    void SetWaterBrush(const TBrush &brush) { m_waterBrush.Assign(brush); }
    TBrush &BackBrush() { return m_backBrush; }
    const TBrush &GetBackBrush() const { return m_backBrush; }
    void SetBackBrush(const TBrush &brush) { m_backBrush.Assign(brush); }

    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double v) { Store(m_waterLevel, v); }
    double GetX2() const { return m_x2; }
    void SetX2(double v) { Store(m_x2, v); }
    double GetBottomWidth() const { return m_bottomWidth; }
    void SetBottomWidth(double v) { Store(m_bottomWidth, v); }
    double GetY2() const { return m_y2; }
    void SetY2(double v) { Store(m_y2, v); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool v) { Store(m_xFlip, v); }
    QString GetWaterBrushFile() const { return m_waterBrushFile; }
    // Only stored: the file is read at the next redraw.
    void SetWaterBrushFile(const QString &name) { m_waterBrushFile = name; }
    const TBitmap &WaterPattern() const { return m_waterPattern; }

    // The liquid's outline in percent.
    QList<QPointF> LiquidOutline() const;

protected:
    void Paint(QPainter &painter) override;

private:
    void LoadPattern();

    TPen m_pen;
    TBrush m_waterBrush;
    TBrush m_backBrush;
    TBitmap m_waterPattern;
    double m_waterLevel = 10;
    double m_x2 = 70;
    double m_bottomWidth = 50;
    double m_y2 = 90;
    bool m_xFlip = false;
    QString m_waterBrushFile;
    QString m_loadedFile;
};
