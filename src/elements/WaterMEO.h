#pragma once

#include "GraphicElement.h"
#include "PenBrushElement.h"

// An actuator position gauge: a strip filled up to Position between Min and Max (from the left,
// or from the top when vertical), a scale of ticks every ScaleStep and an arrow at the position.
class TWaterMEO : public TPenBrushElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TBrush WaterBrush READ GetWaterBrush WRITE SetWaterBrush)
    Q_PROPERTY(double Min READ GetMin WRITE SetMin)
    Q_PROPERTY(double Max READ GetMax WRITE SetMax)
    Q_PROPERTY(double ScaleStep READ GetScaleStep WRITE SetScaleStep)
    Q_PROPERTY(TColor ArrowColor READ GetArrowColor WRITE SetArrowColor)
    Q_PROPERTY(TPen ScalePen READ GetScalePen WRITE SetScalePen)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(int ScaleH READ GetScaleH WRITE SetScaleH)
    Q_PROPERTY(bool InvertScale READ GetInvertScale WRITE SetInvertScale)
    Q_PROPERTY(int EdgeLength READ GetEdgeLength WRITE SetEdgeLength)
    Q_PROPERTY(int ArrowWidth READ GetArrowWidth WRITE SetArrowWidth)
    Q_PROPERTY(int EdgeAngle READ GetEdgeAngle WRITE SetEdgeAngle)
    Q_PROPERTY(bool VerticalFlag READ GetVerticalFlag WRITE SetVerticalFlag)
    Q_PROPERTY(double MeoLength READ GetMeoLength)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)

public:
    explicit TWaterMEO(QWidget *parent = nullptr);

    TBrush &WaterBrush() { return m_waterBrush; }
    const TBrush &GetWaterBrush() const { return m_waterBrush; }
    void SetWaterBrush(const TBrush &brush) { m_waterBrush.Assign(brush); }
    TPen &ScalePen() { return m_scalePen; }
    const TPen &GetScalePen() const { return m_scalePen; }
    void SetScalePen(const TPen &pen) { m_scalePen.Assign(pen); }

    double GetMin() const { return m_min; }
    void SetMin(double v) { Store(m_min, v); }
    double GetMax() const { return m_max; }
    void SetMax(double v) { Store(m_max, v); }
    double GetScaleStep() const { return m_scaleStep; }
    void SetScaleStep(double v) { Store(m_scaleStep, v); }
    TColor GetArrowColor() const { return m_arrowColor; }
    void SetArrowColor(TColor c) { Store(m_arrowColor, c); }
    double GetPosition() const { return m_position; }
    void SetPosition(double v) { Store(m_position, v); }
    int GetScaleH() const { return m_scaleH; }
    void SetScaleH(int v) { Store(m_scaleH, v); }
    bool GetInvertScale() const { return m_invertScale; }
    void SetInvertScale(bool v) { Store(m_invertScale, v); }
    int GetEdgeLength() const { return m_edgeLength; }
    void SetEdgeLength(int v) { Store(m_edgeLength, v); }
    int GetArrowWidth() const { return m_arrowWidth; }
    void SetArrowWidth(int v) { Store(m_arrowWidth, v); }
    int GetEdgeAngle() const { return m_edgeAngle; }
    void SetEdgeAngle(int v) { Store(m_edgeAngle, v); }
    bool GetVerticalFlag() const { return m_vertical; }
    void SetVerticalFlag(bool v) { Store(m_vertical, v); }
    // Stored and published; the drawing does not depend on it.
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool v) { Store(m_xFlip, v); }

    // Pixel length of the filled part.
    double GetMeoLength() const { return PosToScreen(m_position); }
    // Distance of value v from the strip's start in pixels; 0 when Max = Min.
    double PosToScreen(double v) const;
    // Strip offsets of the scale ticks, one for every ScaleStep strictly between Min and Max
    // (none for a step that is not positive). Ticks finer than the pixels fall together: each
    // pixel is listed once, as drawing them all would cover it.
    QList<int> TickPixels() const;

protected:
    void Paint(QPainter &painter) override;

private:
    TBrush m_waterBrush;
    TPen m_scalePen;
    double m_min = 0;
    double m_max = 100;
    double m_scaleStep = 10;
    TColor m_arrowColor = clBlack;
    double m_position = 20;
    int m_scaleH = 20;
    bool m_invertScale = false;
    int m_edgeLength = 5;
    int m_arrowWidth = 2;
    int m_edgeAngle = 60;
    bool m_vertical = false;
    bool m_xFlip = false;
};
