// Drawing of the trend chart. Every step takes a QPainter, so the screen image, the printed
// picture and a caller's canvas share the same code.
#include "LevelGraph.h"

#include "PolylineBatch.h"
#include "base/Feedback.h"
#include "base/Formats.h"

#include <QPainter>
#include <cmath>
#include <exception>

namespace {

// Text placed by its top-left corner, on a transparent background.
void TextOut(QPainter &canvas, int x, int y, const QString &text)
{
    canvas.drawText(x, y + canvas.fontMetrics().ascent(), text);
}

int TextWidth(QPainter &canvas, const QString &text)
{
    return canvas.fontMetrics().horizontalAdvance(text);
}

// Grid loops that would need more lines than any screen has pixels are skipped instead of hanging.
constexpr double MaxGridLines = 100000;

} // namespace

void TLevelGraph::UpdateChanges()
{
    m_dirty = true;
    update();
}

void TLevelGraph::resizeEvent(QResizeEvent *event)
{
    m_dirty = true;
    QWidget::resizeEvent(event);
}

void TLevelGraph::paintEvent(QPaintEvent *)
{
    // A paint event also comes for a hidden chart rendered on purpose (QWidget::render), so the
    // visibility check of Paint does not apply here.
    FollowSize();
    Redraw();
    QPainter(this).drawImage(0, 0, m_bitmap);
}

void TLevelGraph::Paint()
{
    FollowSize();
    if (isVisible())
        Redraw();
}

void TLevelGraph::FollowSize()
{
    if (m_bitmap.size() == size())
        return;
    m_bitmap = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_bitmap.fill(m_transparent ? QColor(Qt::transparent) : ColorToQColor(m_backColor));
    m_dirty = true;
}

void TLevelGraph::Redraw()
{
    if (!m_dirty)
        return;
    try {
        if (CalcRegion()) {
            m_canvasSize = m_bitmap.size();
            QPainter canvas(&m_bitmap);
            if (m_transparent) {
                canvas.setCompositionMode(QPainter::CompositionMode_Source);
                canvas.fillRect(m_bitmap.rect(), Qt::transparent);
                canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
            PaintBackGround(canvas, false);
            CheckAutoLimits();
            // The limits may have just moved: scales and curves take the vertical scale from
            // them, not from the range the background was laid out with.
            if (CalcRegion()) {
                PaintXScale(canvas, m_bitmap.width());
                PaintYScale(canvas);
                PaintMarkers(canvas);
                PaintCurves(canvas);
                PaintCursor(canvas);
            }
        }
    } catch (const std::exception &) {
        Beep();
    }
    m_dirty = false;
}

const QImage &TLevelGraph::ExportImage(int w, int h, bool plain)
{
    m_bitmap = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    m_bitmap.fill(Qt::white);
    const TTrendGeometry screenGeometry = m_geo;
    const bool drawable = CalcRegion();
    {
        QPainter canvas(&m_bitmap);
        PaintForPrint(canvas, m_bitmap.width(), m_bitmap.height(), plain, drawable);
    }
    // Mouse and cursor mappings keep working at control size until the next redraw.
    m_geo = screenGeometry;
    m_dirty = true;
    return m_bitmap;
}

void TLevelGraph::PaintTo(QPainter *canvas, int x, int y, int w, int h, bool plain)
{
    if (!canvas || w <= 0 || h <= 0 || width() <= 0 || height() <= 0)
        return;
    const TTrendGeometry screenGeometry = m_geo;
    const bool drawable = CalcRegionFor(w, h, double(w) / width(), double(h) / height());
    canvas->save();
    canvas->translate(x, y);
    canvas->setClipRect(0, 0, w, h);
    PaintForPrint(*canvas, w, h, plain, drawable);
    canvas->restore();
    m_geo = screenGeometry;
}

void TLevelGraph::PaintForPrint(QPainter &canvas, int width, int height, bool plain, bool drawable)
{
    m_canvasSize = QSize(width, height);
    if (plain) {
        canvas.setBrush(Qt::white);
        canvas.setPen(m_borderPen.ToQPen());
        canvas.drawRect(0, 0, width - 1, height - 1);
        canvas.drawRect(QRect(QPoint(m_geo.PlotLeft, m_geo.PlotTop),
                              QPoint(m_geo.PlotRight, m_geo.PlotBottom)));
    } else {
        PaintBackGround(canvas, false);
    }
    if (!drawable)
        return;
    PaintXScale(canvas, width);
    PaintYScale(canvas);
    PaintCurves(canvas);
    PaintCursor(canvas);
}

void TLevelGraph::PaintBackGround(QPainter &canvas, bool skipOuter)
{
    if (!m_transparent && !skipOuter)
        canvas.fillRect(QRect(QPoint(0, 0), m_canvasSize), ColorToQColor(m_backColor));
    const QRect plot(QPoint(m_geo.PlotLeft, m_geo.PlotTop),
                     QPoint(m_geo.PlotRight, m_geo.PlotBottom));
    if (m_showBorder) {
        canvas.setBrush(ColorToQColor(m_graphBackColor));
        canvas.setPen(m_borderPen.ToQPen());
        canvas.drawRect(plot);
    } else {
        canvas.fillRect(plot, ColorToQColor(m_graphBackColor));
    }
}

void TLevelGraph::PaintXScale(QPainter &canvas, int rightLimit)
{
    const TTimeLabels labels = TimeLabels();
    const TMoment viewStop = ViewStopTime();
    if (m_geo.PixelsPerPoint <= 0 || labels.Step <= 0)
        return;
    if ((viewStop - m_firstXNet) / labels.Step > MaxGridLines)
        return;
    const int bottom = m_geo.PlotBottom;
    canvas.setFont(m_xScaleFont.ToQFont());
    canvas.setBrush(Qt::NoBrush);
    const QPen netPen = m_labelNetPen.ToQPen();
    const QColor textColor = ColorToQColor(m_xScaleFont.Color());
    const int legendCount = std::min<int>(m_graphCount, m_legendStrings.size());
    for (TMoment t = m_firstXNet; t < viewStop; t += labels.Step) {
        const int x = int(TimeToScreenX(t));
        canvas.setPen(netPen);
        canvas.drawLine(x, m_geo.PlotTop, x, bottom);
        if (!m_showScaleX)
            continue;
        const QString label = FormatDateTime(labels.Format, t);
        const int w = TextWidth(canvas, label);
        int left = x - w / 2;
        if (left < 0)
            left = 2;
        if (left + w > m_geo.PlotRight)
            left = m_geo.PlotRight - w - 2;
        canvas.setPen(textColor);
        TextOut(canvas, left, bottom + 2, label);
        if (!m_showLegend)
            continue;
        // Curve names beside the curves, above the point at this grid line.
        canvas.setFont(m_legendFont.ToQFont());
        canvas.setPen(ColorToQColor(m_legendFont.Color()));
        const int slot = int(TimeToIndex(t));
        for (int k = 0; k < legendCount && slot < TrendSlotCount; ++k) {
            const QString &name = m_legendStrings[k];
            const TrendSlot &s = m_store->Slot(k, slot);
            if (name.isEmpty() || !(s.Present || s.HasSecond))
                continue;
            const double y = YToScreen(GetPoint(k, t));
            if (!(m_geo.PlotTop < y && y < bottom))
                continue;
            const double y2 = y - m_legendFont.Size() - 4;
            if (m_geo.PlotTop < y2 && y2 < bottom)
                TextOut(canvas, x - TextWidth(canvas, name) - 4, int(y2), name);
        }
        canvas.setFont(m_xScaleFont.ToQFont());
    }
    if (!m_showScaleX)
        return;
    canvas.setPen(textColor);
    if (m_minXLabel) {
        const QString label = FormatDateTime(labels.Format, ViewStartTime());
        const int w = TextWidth(canvas, label);
        const int x0 = int(TimeToScreenX(m_firstXNet) - 2);
        int left = m_geo.PlotLeft - w / 2;
        if (x0 - w / 2 - 10 < left + w)
            left = x0 - w / 2 - w - 10;
        if (left < 0)
            left = 2;
        TextOut(canvas, left, bottom + 2, label);
    }
    if (m_maxXLabel) {
        const QString label = FormatDateTime(labels.Format, viewStop);
        const int w = TextWidth(canvas, label);
        int left = m_geo.PlotRight - w / 8;
        const int limit = rightLimit < 1 ? m_canvasSize.width() : rightLimit;
        if (left + w > limit)
            left = limit - w - 2;
        TextOut(canvas, left, bottom + 2, label);
    }
}

void TLevelGraph::PaintYScale(QPainter &canvas)
{
    if (m_geo.PixelsPerUnit <= 0 || m_yLabelStep <= 0)
        return;
    if ((m_yMax - m_yMin) / m_yLabelStep > MaxGridLines)
        return;
    canvas.setFont(m_yScaleFont.ToQFont());
    const QPen netPen = m_labelNetPen.ToQPen();
    const QColor textColor = ColorToQColor(m_yScaleFont.Color());
    const int textHeight = canvas.fontMetrics().height();
    // The lowest grid value above YMin, found from the middle of the range.
    double first = std::nearbyint((m_yMin + m_yMax) / 2 / m_yLabelStep) * m_yLabelStep;
    first -= std::max(0.0, std::ceil((first - m_yMin) / m_yLabelStep) - 1) * m_yLabelStep;
    // Counted rather than accumulated: a step lost in the rounding of a huge value cannot hang.
    for (int i = 0; i <= MaxGridLines; ++i) {
        const double v = first + i * m_yLabelStep;
        const double r = m_rightYMin + i * m_rightScaleStep;
        if (v >= m_yMax)
            break;
        const int y = int(YToScreen(v));
        canvas.setPen(netPen);
        canvas.drawLine(m_geo.PlotLeft, y - 1, m_geo.PlotRight, y - 1);
        canvas.setPen(textColor);
        if (m_showScaleY) {
            const QString text = FormatFloat(m_scaleYFormat, v);
            TextOut(canvas, m_geo.PlotLeft - 4 - TextWidth(canvas, text), y - textHeight / 2, text);
        }
        if (m_showRightScale)
            TextOut(canvas, m_geo.PlotRight + 4, y - textHeight / 2,
                    FormatFloat(m_scaleYFormat, r));
    }
}

void TLevelGraph::PaintCurves(QPainter &canvas)
{
    if (m_multiScaleMode)
        PaintMultiGraph(canvas);
    else
        PaintGraphs(canvas);
}

// Walks the stored slots of every graph; a slot missing from the present array breaks the run.
// draw(batch, graph, slot, s, inRun, color) adds the strokes of one slot.
template<class Draw> void TLevelGraph::PaintRuns(QPainter &canvas, Draw draw)
{
    const int first = m_geo.FirstDrawnSlot();
    const int last = m_geo.LastDrawnSlot();
    const QColor alarmColor = ColorToQColor(m_alarmColor);
    for (int i = 0; i < m_graphCount; ++i) {
        const QPen pen = m_graphPens[i].ToQPen();
        TPolylineBatch batch(canvas, pen);
        bool inRun = false;
        for (int slot = first; slot < last; ++slot) {
            const TrendSlot &s = m_store->Slot(i, slot);
            if (m_enablePresentArray && !s.Present) {
                inRun = false;
                continue;
            }
            draw(batch, i, slot, s, inRun, s.Alarm ? alarmColor : pen.color());
            inRun = true;
        }
    }
}

void TLevelGraph::PaintGraphs(QPainter &canvas)
{
    int endY = 0; // where the previous slot of the run left off
    PaintRuns(canvas,
              [&](TPolylineBatch &batch, int, int slot, const TrendSlot &s, bool inRun,
                  const QColor &color) {
                  const int x = int(IndexToScreenX(slot));
                  const int yA = int(YToScreen(TTrendStore::ShownValue(s, m_averageMode)));
                  if (!m_histogramGraph) {
                      const int y2 = s.HasSecond ? int(YToScreen(s.Value2)) : yA;
                      if (!inRun) {
                          batch.MoveTo(QPoint(x, y2));
                          endY = y2;
                      } else if (!s.HasSecond) {
                          batch.LineTo(QPoint(x, yA), color);
                          endY = yA;
                      } else {
                          // Reach the nearer extreme first, so the vertical stroke does not double
                          // back.
                          const bool lowFirst = std::abs(yA - endY) < std::abs(y2 - endY);
                          const int first = lowFirst ? yA : y2;
                          endY = lowFirst ? y2 : yA;
                          batch.LineTo(QPoint(x, first), color);
                          batch.LineTo(QPoint(x, endY), color);
                      }
                      return;
                  }
                  const int yB = s.HasSecond && !m_averageMode ? int(YToScreen(s.Value2)) : yA;
                  // Enter at the level nearer to where the previous slot left off.
                  const bool swap = inRun && std::abs(yA - endY) >= std::abs(yB - endY);
                  const int entry = swap ? yB : yA;
                  const int exit = swap ? yA : yB;
                  const int xl = slot == 0 ? x : (x + int(IndexToScreenX(slot - 1))) / 2;
                  const int xr = (x + int(IndexToScreenX(slot + 1))) / 2;
                  if (!inRun)
                      batch.MoveTo(QPoint(xl, entry));
                  batch.LineTo(QPoint(xl, entry), color);
                  batch.LineTo(QPoint(x, entry), color);
                  batch.LineTo(QPoint(x, exit), color);
                  batch.LineTo(QPoint(xr, exit), color);
                  endY = exit;
              });
}

void TLevelGraph::PaintMultiGraph(QPainter &canvas)
{
    PaintRuns(canvas,
              [&](TPolylineBatch &batch, int graph, int slot, const TrendSlot &s, bool inRun,
                  const QColor &color) {
                  const double v =
                      TranslateVal(s.Value, m_scaleLow[graph], m_scaleHigh[graph], m_yMin, m_yMax);
                  const QPoint p(int(IndexToScreenX(slot)), int(YToScreen(v)));
                  if (inRun)
                      batch.LineTo(p, color);
                  else
                      batch.MoveTo(p);
              });
}

void TLevelGraph::PaintMarkers(QPainter &canvas)
{
    if (m_markerCount < 1 || m_markerCount > MarkerRowCount)
        return;
    const int first = m_geo.FirstDrawnSlot();
    const int last = m_geo.LastDrawnSlot();
    const int bottom = m_geo.PlotBottom;
    const int h = bottom - m_geo.PlotTop;
    for (int row = 0; row < m_markerCount; ++row) {
        QPen pen(ColorToQColor(m_markerColor[row]));
        pen.setWidth(m_markerWidth[row]);
        canvas.setPen(pen);
        const int shortTop = bottom - m_markerHeight[row] * h / 100;
        const int tall = 2 * m_markerHeight[row] > 100 ? 90 : 2 * m_markerHeight[row];
        const int tallTop = bottom - tall * h / 100;
        bool connected = false;
        QPoint penPos;
        for (int slot = first; slot < last; ++slot) {
            const quint32 word = m_store->MarkerWord(row, slot);
            if (word == 0) {
                connected = false;
                continue;
            }
            const int x = int(IndexToScreenX(slot));
            if ((word & 2) && connected) {
                canvas.drawLine(penPos, QPoint(x, shortTop));
                penPos = QPoint(x, shortTop);
            }
            if (word & 1) {
                if (word & 4) {
                    canvas.drawLine(x, bottom, x, tallTop);
                    canvas.drawLine(x + 1, bottom, x + 1, tallTop);
                    penPos = QPoint(x + 1, tallTop);
                } else {
                    canvas.drawLine(x, bottom, x, shortTop);
                    penPos = QPoint(x, shortTop);
                }
            } else if (!connected) {
                penPos = QPoint(x, shortTop);
            }
            connected = true;
        }
    }
}

void TLevelGraph::DrawCursorLine(QPainter &canvas, const TPen &pen, TMoment t)
{
    const int x = int(TimeToScreenX(t));
    canvas.setPen(pen.ToQPen());
    canvas.drawLine(x, m_geo.PlotTop, x, m_geo.PlotBottom);
}

void TLevelGraph::PaintCursor(QPainter &canvas)
{
    if (!m_showCursor)
        return;
    DrawCursorLine(canvas, m_cursorPen, m_cursorTime);
    if (m_winLeftLimitOK)
        DrawCursorLine(canvas, m_winLimitsPen, m_winLeftLimit);
    if (m_winRightLimitOK)
        DrawCursorLine(canvas, m_winLimitsPen, m_winRightLimit);
}
