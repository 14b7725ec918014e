#include "CachedElement.h"

#include <QPainter>
#include <cmath>

namespace {

// Device pixels per element pixel where the element is painted: above 1 when a scaled view draws
// it, so the cache holds the figure at the size it is shown at instead of being enlarged.
qreal DeviceScale(const QPainter &painter)
{
    const QTransform t = painter.deviceTransform();
    const qreal scale = std::hypot(t.m11(), t.m12());
    return scale > 0 ? scale : 1;
}

} // namespace

TCachedElement::TCachedElement(QWidget *parent)
    : TElement(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCachedElement::StyleChanged()
{
    m_dirty = true;
    update();
}

void TCachedElement::TransparencyChanged()
{
    setAttribute(Qt::WA_OpaquePaintEvent, !GetTransparent());
}

void TCachedElement::paintEvent(QPaintEvent *)
{
    const QImage::Format format =
        GetTransparent() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QPainter painter(this);
    const qreal scale = DeviceScale(painter);
    const QSize pixels(int(std::ceil(width() * scale)), int(std::ceil(height() * scale)));
    if (m_cache.size() != pixels || m_cache.format() != format
        || m_cache.devicePixelRatio() != scale) {
        m_cache = QImage(pixels, format);
        m_cache.setDevicePixelRatio(scale);
        m_dirty = true;
    }
    if (m_dirty && !m_cache.isNull()) {
        m_cache.fill(Qt::transparent);
        QPainter cachePainter(&m_cache);
        ++m_redraws;
        // A failed paint leaves the flag set, so the next paint tries again.
        m_dirty = !SafePaint(cachePainter);
    }
    painter.drawImage(0, 0, m_cache);
}
