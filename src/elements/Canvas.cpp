#include "Canvas.h"

#include "base/Bitmap.h"

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

// The horizontal runs of the connected area of the colour at (x, y), by scan lines.
QList<QRect> AreaRuns(const QImage &image, int x, int y)
{
    // Compared as 32-bit pixels; other formats are read through a converted copy.
    const QImage pixels = image.depth() == 32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const int W = pixels.width();
    const int H = pixels.height();
    const uchar *bits = pixels.constBits();
    const qsizetype stride = pixels.bytesPerLine();
    auto pixel = [bits, stride](int px, int py) {
        return reinterpret_cast<const QRgb *>(bits + py * stride)[px];
    };
    const QRgb target = pixel(x, y);
    std::vector<char> seen(size_t(W) * size_t(H), 0);
    auto open = [&](int px, int py) {
        return !seen[size_t(py) * W + px] && pixel(px, py) == target;
    };
    QList<QRect> runs;
    std::vector<QPoint> stack {QPoint(x, y)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (!open(p.x(), p.y()))
            continue;
        int left = p.x();
        int right = p.x();
        while (left > 0 && open(left - 1, p.y()))
            --left;
        while (right < W - 1 && open(right + 1, p.y()))
            ++right;
        for (int i = left; i <= right; ++i)
            seen[size_t(p.y()) * W + i] = 1;
        runs.append(QRect(left, p.y(), right - left + 1, 1));
        // One seed per stretch of open pixels in the rows above and below.
        for (const int next : {p.y() - 1, p.y() + 1}) {
            if (next < 0 || next >= H)
                continue;
            for (int i = left; i <= right; ++i)
                if (open(i, next) && (i == left || !open(i - 1, next)))
                    stack.push_back(QPoint(i, next));
        }
    }
    return runs;
}

} // namespace

double PixelsPerUnit(double pixels, double units)
{
    if (!(units > 0))
        throw std::domain_error("shape unit is not a positive size");
    return pixels / units;
}

int ToPixel(double value)
{
    // Well inside the int range, so offsets added to a pixel cannot overflow either.
    constexpr double limit = 1e9;
    if (!(std::fabs(value) < limit))
        throw std::range_error("coordinate outside any drawing");
    return int(value);
}

int ToPixelNear(double value, int extent)
{
    constexpr int spans = 3;
    const double reach = double(spans) * extent;
    return ToPixel(std::clamp(value, -reach, extent + reach));
}

QPoint ToPixelNear(const QPointF &point, const QSize &drawing)
{
    return QPoint(ToPixelNear(point.x(), drawing.width()),
                  ToPixelNear(point.y(), drawing.height()));
}

int DrawnRepeats(int count)
{
    constexpr int limit = 1000;
    return std::clamp(count, 0, limit);
}

TCanvas::TCanvas(QPainter &painter)
    : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::ApplyPen(QPen pen)
{
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(pen);
}

void TCanvas::SetPen(const TPen &pen)
{
    ApplyPen(pen.ToQPen());
}

void TCanvas::SetPen(TColor color, int width)
{
    ApplyPen(QPen(ColorToQColor(color), width));
}

void TCanvas::SetNoPen()
{
    m_painter.setPen(Qt::NoPen);
}

void TCanvas::SetBrush(const TBrush &brush)
{
    m_painter.setBrush(brush.ToQBrush());
}

void TCanvas::SetBrush(TColor color)
{
    m_painter.setBrush(ColorToQColor(color));
}

void TCanvas::SetNoBrush()
{
    m_painter.setBrush(Qt::NoBrush);
}

void TCanvas::SetBrush(const TBrush &brush, const TBitmap &pattern)
{
    if (pattern.IsPattern())
        m_painter.setBrush(QBrush(pattern.Image()));
    else
        SetBrush(brush);
}

void TCanvas::SetFont(const TFont &font)
{
    m_painter.setFont(font.ToQFont());
    m_fontColor = font.Color();
}

bool TCanvas::StrokeShifted() const
{
    const QPen pen = m_painter.pen();
    if (pen.style() == Qt::NoPen || pen.width() % 2 == 0)
        return false;
    const QTransform t = m_painter.deviceTransform();
    return t.m11() != 1 || t.m22() != 1;
}

template<class Draw> void TCanvas::Shape(Draw draw)
{
    if (!StrokeShifted()) {
        draw();
        return;
    }
    // Unscaled, a line of odd width on row y covers that row and spreads below it; a scaled one
    // spreads evenly around y. Half a pixel down and right keeps the outline over the rows the
    // figure covers unscaled, so neighbouring figures neither overlap nor leave a seam.
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    draw();
    m_painter.restore();
    m_painter.save();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.translate(0.5, 0.5);
    draw();
    m_painter.restore();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    if (m_painter.pen().style() == Qt::NoPen)
        m_painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), m_painter.brush());
    else
        Shape([&] { m_painter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1)); });
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Shape([&] { m_painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1)); });
}

void TCanvas::Circle(const QPointF &centre, double radius, const QSize &drawing)
{
    const QPoint from = ToPixelNear(centre - QPointF(radius, radius), drawing);
    const QPoint to = ToPixelNear(centre + QPointF(radius, radius), drawing);
    Ellipse(from.x(), from.y(), to.x(), to.y());
}

void TCanvas::FillRect(int x1, int y1, int x2, int y2, TColor color)
{
    if (x2 > x1 && y2 > y1)
        m_painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), ColorToQColor(color));
}

void TCanvas::Polygon(const QPolygon &points)
{
    Shape([&] { m_painter.drawPolygon(points); });
}

void TCanvas::Polyline(const QPolygon &points)
{
    Shape([&] { m_painter.drawPolyline(points); });
}

void TCanvas::Line(int x1, int y1, int x2, int y2)
{
    const QPen pen = m_painter.pen();
    if (pen.style() == Qt::NoPen)
        return;
    if (pen.width() > 1) {
        // Wide pens end in round caps around both ends.
        Shape([&] { m_painter.drawLine(x1, y1, x2, y2); });
        return;
    }
    // The raster engine covers both ends; the end pixel is clipped off.
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(-1, -1, 1, 1);
    m_painter.save();
    m_painter.setClipRegion(QRegion(box).subtracted(QRegion(x2, y2, 1, 1)), Qt::IntersectClip);
    Shape([&] { m_painter.drawLine(x1, y1, x2, y2); });
    m_painter.restore();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, double startDegrees, double spanDegrees)
{
    Shape([&] {
        m_painter.drawArc(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), qRound(startDegrees * 16),
                          qRound(spanDegrees * 16));
    });
}

int TCanvas::TextWidth(const QString &text) const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString &) const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).height();
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    const QPen pen = m_painter.pen();
    m_painter.setPen(ColorToQColor(m_fontColor));
    m_painter.drawText(x, y + QFontMetrics(m_painter.font(), m_painter.device()).ascent(), text);
    m_painter.setPen(pen);
}

bool TCanvas::FloodFill(int x, int y, TColor color)
{
    // The raster engine draws straight into the image, so what was drawn so far can be read.
    const QImage *image = dynamic_cast<const QImage *>(m_painter.device());
    const QTransform device = m_painter.deviceTransform();
    if (!image || device.type() > QTransform::TxScale)
        return false;
    // A cache drawn at a scale is searched and filled in its own pixels.
    const QPointF centre = device.map(QPointF(x + 0.5, y + 0.5));
    const QPoint seed(int(std::floor(centre.x())), int(std::floor(centre.y())));
    if (!image->rect().contains(seed))
        return false;
    const QColor fill = ColorToQColor(color);
    m_painter.save();
    m_painter.setWorldTransform(device.inverted() * m_painter.worldTransform());
    for (const QRect &run : AreaRuns(*image, seed.x(), seed.y()))
        m_painter.fillRect(run, fill);
    m_painter.restore();
    return true;
}
