#pragma once

#include <QPen>
#include <QPolygon>

class QImage;
class QPainter;

// Collects connected points and draws them as polylines, switching the pen colour between
// segments (the alarm colour) without breaking the run.
//
// Thin solid opaque pens on a plain image (no clip, no scaling, no antialiasing) are the case of
// every screen redraw; they are drawn straight into the image's pixels, which is several times
// faster than the general stroker. Everything else (printers, clipped canvases, wide pens) goes
// through QPainter.
class TPolylineBatch
{
public:
    TPolylineBatch(QPainter &canvas, const QPen &pen);
    ~TPolylineBatch();

    void MoveTo(QPoint p);
    void LineTo(QPoint p, const QColor &color);

private:
    void Flush();
    void PlotLine(QPoint from, QPoint to);

    QPainter &m_canvas;
    QPen m_pen;
    QPolygon m_points;
    QImage *m_image = nullptr; // set when drawing directly into pixels
    QPoint m_offset;
    QPoint m_last;
    quint32 m_pixel = 0;
};
