#pragma once

#include "TankElement.h"
#include "base/Bitmap.h"

// A tank in cross-section whose right wall steps in at Y2 and slopes down to the bottom, with its
// liquid following the slope; percent coordinates, y upward. The liquid may be filled with a
// pattern from a bitmap file.
class TFlake : public TTankElement
{
    Q_OBJECT
    Q_PROPERTY(double X2 READ GetX2 WRITE SetX2)
    Q_PROPERTY(double BottomWidth READ GetBottomWidth WRITE SetBottomWidth)
    Q_PROPERTY(double Y2 READ GetY2 WRITE SetY2)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(QString WaterBrushFile READ GetWaterBrushFile WRITE SetWaterBrushFile)

public:
    explicit TFlake(QWidget *parent = nullptr);

    double GetX2() const { return m_x2; }
    void SetX2(double v) { Store(m_x2, v); }
    double GetBottomWidth() const { return m_bottomWidth; }
    void SetBottomWidth(double v) { Store(m_bottomWidth, v); }
    double GetY2() const { return m_y2; }
    void SetY2(double v) { Store(m_y2, v); }
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

    TBitmap m_waterPattern;
    double m_x2 = 70;
    double m_bottomWidth = 50;
    double m_y2 = 90;
    QString m_waterBrushFile;
    QString m_loadedFile;
};
