#include "ScaledSheet.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <algorithm>

namespace {

// The scene hands the release of a press only to an item that took the press. Elements leave
// presses to their parent, as widgets do, so the sheet takes them: the element under the
// pointer then gets its release too and sees a click.
class TSheet : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
};

} // namespace

TScaledSheet::TScaledSheet(const QSize &designSize, const QColor &background, QWidget *parent)
    : QGraphicsView(parent)
    , m_designSize(designSize)
    // A window of its own, as the scene can only embed windows, yet a child of this view, so the
    // owner's child searches still find the components.
    , m_sheet(new TSheet(this, Qt::Window))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(background);
    setAlignment(Qt::AlignCenter);
    // The elements draw on whole pixels; smoothing would only blur their edges.
    setRenderHints({});
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);

    QPalette palette = m_sheet->palette();
    palette.setColor(QPalette::Window, background);
    m_sheet->setPalette(palette);
    m_sheet->setAutoFillBackground(true);
    m_sheet->setFixedSize(designSize);

    auto *scene = new QGraphicsScene(this);
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_proxy = scene->addWidget(m_sheet);
    scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(designSize)));
    setScene(scene);
}

QPointF TScaledSheet::MapFromSheet(const QPointF &point) const
{
    return viewportTransform().map(point);
}

void TScaledSheet::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    FitToViewport();
}

void TScaledSheet::FitToViewport()
{
    const QSize area = viewport()->size();
    if (area.isEmpty() || m_designSize.isEmpty())
        return;
    m_scale = std::min(double(area.width()) / m_designSize.width(),
                       double(area.height()) / m_designSize.height());
    setTransform(QTransform::fromScale(m_scale, m_scale));
}
