#pragma once

#include "ArrowGeometry.h"
#include "GraphicElement.h"

#include <QPointer>
#include <QStringList>

// A pipe or flow arrow: a thick line across the box at any angle, an optional triangular head,
// and bubbles travelling along it. Chained arrows (NextArrow) hand their bubbles on.
class TArrow : public TGraphicElement
{
    Q_OBJECT
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(double Angle READ GetAngle WRITE SetAngle)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int ArrowWidth READ GetArrowWidth WRITE SetArrowWidth)
    Q_PROPERTY(int EdgeLength READ GetEdgeLength WRITE SetEdgeLength)
    Q_PROPERTY(int EdgeAngle READ GetEdgeAngle WRITE SetEdgeAngle)
    Q_PROPERTY(int BubbleLen READ GetBubbleLen WRITE SetBubbleLen)
    Q_PROPERTY(double BubbleSpeed READ GetBubbleSpeed WRITE SetBubbleSpeed)
    Q_PROPERTY(int BubbleInterval READ GetBubbleInterval WRITE SetBubbleInterval)
    Q_PROPERTY(TColor BubbleColor READ GetBubbleColor WRITE SetBubbleColor)
    Q_PROPERTY(QStringList BubbleList READ GetBubbleList WRITE SetBubbleList)
    Q_PROPERTY(TArrow *NextArrow READ GetNextArrow WRITE SetNextArrow)
    Q_PROPERTY(bool BubbleSource READ GetBubbleSource WRITE SetBubbleSource)

public:
    explicit TArrow(QWidget *parent = nullptr);

    double GetAngle() const { return m_angle; }
    void SetAngle(double degrees);
    int GetArrowWidth() const { return m_arrowWidth; }
    void SetArrowWidth(int width);
    int GetEdgeLength() const { return m_edgeLength; }
    void SetEdgeLength(int length);
    int GetEdgeAngle() const { return m_edgeAngle; }
    void SetEdgeAngle(int degrees);

    // The animation settings are stored without a repaint; the next step repaints.
    int GetBubbleLen() const { return m_bubbleLen; }
    void SetBubbleLen(int length) { m_bubbleLen = length; }
    double GetBubbleSpeed() const { return m_bubbleSpeed; }
    void SetBubbleSpeed(double speed) { m_bubbleSpeed = speed; }
    int GetBubbleInterval() const { return m_bubbleInterval; }
    void SetBubbleInterval(int interval) { m_bubbleInterval = interval; }
    TColor GetBubbleColor() const { return m_bubbleColor; }
    void SetBubbleColor(TColor color) { m_bubbleColor = color; }
    QStringList GetBubbleList() const { return m_bubbleList; }
    void SetBubbleList(const QStringList &list) { m_bubbleList = list; }
    TArrow *GetNextArrow() const { return m_nextArrow; }
    void SetNextArrow(TArrow *next) { m_nextArrow = next; }
    bool GetBubbleSource() const { return m_bubbleSource; }
    void SetBubbleSource(bool source) { m_bubbleSource = source; }

    // The geometry for the current size and settings (what the next paint draws).
    TArrowGeometry Geometry() const;
    // Advances every bubble by one step; successors step first. The owner passes false for the
    // first arrow of a chain. Throws std::invalid_argument for a bubble that is not a number.
    void BubbleStep(bool chained = false);

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    void PaintBubbles(QPainter &painter, const TArrowGeometry &geometry) const;

    double m_angle = 0;
    int m_arrowWidth = 3;
    int m_edgeLength = 5;
    int m_edgeAngle = 60;
    int m_bubbleLen = 3;
    double m_bubbleSpeed = 2.0;
    int m_bubbleInterval = 5;
    TColor m_bubbleColor = clWhite;
    QStringList m_bubbleList;
    QPointer<TArrow> m_nextArrow;
    bool m_bubbleSource = false;
    bool m_stepping = false; // inside BubbleStep, which a looped chain comes back to
};
