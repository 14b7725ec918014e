#include "CachedElement.h"

#include <QPainter>

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
    if (m_cache.size() != size() || m_cache.format() != format) {
        m_cache = QImage(size(), format);
        m_dirty = true;
    }
    if (m_dirty && !m_cache.isNull()) {
        m_cache.fill(Qt::transparent);
        QPainter cachePainter(&m_cache);
        ++m_redraws;
        // A failed paint leaves the flag set, so the next paint tries again.
        m_dirty = !SafePaint(cachePainter);
    }
    QPainter(this).drawImage(0, 0, m_cache);
}
