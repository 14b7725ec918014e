#pragma once

#include "Element.h"

#include <QImage>

// A cached element: the figure lives in an off-screen image that is redrawn only while the dirty
// flag is set (it starts set; a resize or any look-affecting change sets it) and otherwise only
// copied. Opaque elements cover every pixel, so Qt skips erasing beneath them. Transparent ones
// keep their figure on a cleared see-through image, so what lies beneath shows around it and the
// figure survives every repaint without being redrawn.
class TCachedElement : public TElement
{
    Q_OBJECT

public:
    explicit TCachedElement(QWidget *parent = nullptr);

    bool IsDirty() const { return m_dirty; }
    // Figure redraws so far (tests and the benchmark count them).
    int RedrawCount() const { return m_redraws; }
    void StyleChanged() override;

protected:
    void TransparencyChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_cache;
    bool m_dirty = true;
    int m_redraws = 0;
};
