#pragma once

#include "base/Color.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

// Renders a widget into an image pre-filled with a background the elements never use, so what an
// element leaves unpainted is visible.
inline const QColor Untouched(1, 2, 3);

inline QImage Render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Untouched);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

inline QColor Pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

inline QColor Rgb(TColor color)
{
    return ColorToQColor(color);
}

// Bounding box of the pixels that differ from the given colour, inside the area.
inline QRect BoundsOfOther(const QImage &image, const QColor &other, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != other)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Bounding box of the pixels close to the given colour (text is drawn smoothed, so its pixels
// only approach the colour of the font).
inline QRect BoundsOfNear(const QImage &image, const QColor &colour, int tolerance = 60)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green())
                    + qAbs(c.blue() - colour.blue())
                <= tolerance)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}
