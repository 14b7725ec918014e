#pragma once

#include "GraphicElement.h"
#include "PointList.h"
#include "base/Style.h"

// A free polygon whose corners are given in percent of the box.
class TPoligon : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(QStringList PointList READ GetPointList WRITE SetPointList)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)

public:
    explicit TPoligon(QWidget *parent = nullptr);

    TBrush &Brush() { return m_brush; }
    const TBrush &GetBrush() const { return m_brush; }
    void SetBrush(const TBrush &brush) { m_brush.Assign(brush); }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    QStringList GetPointList() const { return m_pointList; }
    void SetPointList(const QStringList &lines);
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool flip);

    // Parses PointList again (messages on faulty input).
    void RefrshPointList();
    const TPointList &Points() const { return m_points; }

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    TBrush m_brush;
    TPen m_pen;
    QStringList m_pointList;
    bool m_xFlip = false;
    TPointList m_points;
};
