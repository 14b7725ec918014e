#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;

// Shows a sheet of widgets laid out at a fixed design size scaled to the space it is given,
// keeping the aspect ratio and centring it on a band of the background colour. The sheet is drawn
// through the scaled painter, so lines and texts are drawn at the scaled size instead of being
// enlarged as a picture; mouse presses, the cursor shapes and the hints reach the widget under the
// pointer at every scale.
class TScaledSheet : public QGraphicsView
{
    Q_OBJECT

public:
    TScaledSheet(const QSize &designSize, const QColor &background, QWidget *parent = nullptr);

    // The widget the design's components are created in; it keeps the design size.
    QWidget *Sheet() const { return m_sheet; }
    QSize DesignSize() const { return m_designSize; }
    // The scale the sheet is shown at: the largest that fits the viewport in both directions.
    double Scale() const { return m_scale; }
    // Where a point of the sheet appears in the viewport.
    QPointF MapFromSheet(const QPointF &point) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitToViewport();

    QSize m_designSize;
    QWidget *m_sheet;
    QGraphicsProxyWidget *m_proxy;
    double m_scale = 1;
};
