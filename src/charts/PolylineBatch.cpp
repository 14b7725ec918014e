#include "PolylineBatch.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <cstdlib>

namespace {

QImage *DirectTarget(QPainter &canvas, const QPen &pen)
{
    QPaintDevice *device = canvas.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto *image = static_cast<QImage *>(device);
    const bool plainImage = image->format() == QImage::Format_ARGB32_Premultiplied
        || image->format() == QImage::Format_RGB32;
    const bool plainPen = pen.style() == Qt::SolidLine && pen.width() <= 1
        && pen.brush().style() == Qt::SolidPattern && pen.color().alpha() == 255;
    const bool plainState = canvas.worldTransform().type() <= QTransform::TxTranslate
        && !canvas.hasClipping() && !canvas.testRenderHint(QPainter::Antialiasing)
        && canvas.compositionMode() == QPainter::CompositionMode_SourceOver;
    return plainImage && plainPen && plainState ? image : nullptr;
}

} // namespace

TPolylineBatch::TPolylineBatch(QPainter &canvas, const QPen &pen)
    : m_canvas(canvas)
    , m_pen(pen)
    , m_image(DirectTarget(canvas, pen))
{
    if (m_image) {
        m_offset = QPoint(int(canvas.worldTransform().dx()), int(canvas.worldTransform().dy()));
        m_pixel = pen.color().rgba();
    } else {
        m_canvas.setPen(m_pen);
    }
}

TPolylineBatch::~TPolylineBatch()
{
    Flush();
}

void TPolylineBatch::MoveTo(QPoint p)
{
    Flush();
    m_points.clear();
    m_points.append(p);
    m_last = p;
}

void TPolylineBatch::LineTo(QPoint p, const QColor &color)
{
    if (m_image) {
        m_pixel = color.rgba();
        PlotLine(m_last, p);
        m_last = p;
        return;
    }
    if (color != m_pen.color()) {
        const QPoint last = m_points.isEmpty() ? p : m_points.last();
        Flush();
        m_points.clear();
        m_points.append(last);
        m_pen.setColor(color);
        m_canvas.setPen(m_pen);
    }
    m_points.append(p);
}

void TPolylineBatch::Flush()
{
    if (!m_image && m_points.size() >= 2)
        m_canvas.drawPolyline(m_points);
}

// Bresenham's line, both ends included, clipped to the image pixel by pixel.
void TPolylineBatch::PlotLine(QPoint from, QPoint to)
{
    int x0 = from.x() + m_offset.x(), y0 = from.y() + m_offset.y();
    const int x1 = to.x() + m_offset.x(), y1 = to.y() + m_offset.y();
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const unsigned width = m_image->width(), height = m_image->height();
    uchar *bits = m_image->bits();
    const qsizetype stride = m_image->bytesPerLine();
    int err = dx + dy;
    for (;;) {
        if (unsigned(x0) < width && unsigned(y0) < height)
            reinterpret_cast<quint32 *>(bits + y0 * stride)[x0] = m_pixel;
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}
