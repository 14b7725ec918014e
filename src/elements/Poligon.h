#pragma once

#include "GraphicElement.h"
#include "PenBrushElement.h"
#include "PointList.h"

// A free polygon whose corners are given in percent of the box.
class TPoligon : public TPenBrushElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(QStringList PointList READ GetPointList WRITE SetPointList)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)

public:
    explicit TPoligon(QWidget *parent = nullptr);

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
    QStringList m_pointList;
    bool m_xFlip = false;
    TPointList m_points;
};
