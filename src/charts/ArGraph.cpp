#include "ArGraph.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Grid loops needing more lines than a screen has pixels are skipped instead of hanging.
constexpr double MaxGridLines = 100000;

TColor DefaultCurveColor(int index)
{
    static constexpr TColor colors[] = {clRed, clBlue, clYellow, clGreen, clLime, clNavy};
    return index < int(std::size(colors)) ? colors[index] : TPen().Color();
}

} // namespace

TArGraph::TArGraph(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_netPen.SetOnChange([this] { update(); });
    ResetGraphics();
}

void TArGraph::ResetGraphics()
{
    // Every reset runs to its end on the one GUI thread, so there is never another one to wait
    // for; the curves are simply rebuilt in place.
    m_curves.clear();
    m_curves.resize(m_graphCount);
    for (int i = 0; i < m_graphCount; ++i) {
        TCurve &curve = m_curves[i];
        curve.Pen.SetColor(DefaultCurveColor(i));
        curve.Pen.SetOnChange([this] { update(); });
        curve.Values.assign(m_graphSize, 0.0);
    }
    m_cursorX = 0;
    m_currentGraph = 0;
    update();
}

void TArGraph::SetGraphCount(int v)
{
    if (v < 1 || v > 64 || v == m_graphCount)
        return;
    m_graphCount = v;
    ResetGraphics();
}

void TArGraph::SetGraphSize(int v)
{
    if (v < 3 || v > 4096 || v == m_graphSize)
        return;
    m_graphSize = v;
    ResetGraphics();
}

void TArGraph::SetCurrentGraph(int v)
{
    if (v >= 0 && v < m_graphCount)
        Put(m_currentGraph, v);
}

void TArGraph::SetTransparent(bool v)
{
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    Put(m_transparent, v);
}

void TArGraph::SetLabelDX(int v)
{
    if (v > 0)
        Put(m_labelDX, v);
}

void TArGraph::SetLabelDY(double v)
{
    // A step of 0 or less would make the tick loop endless.
    if (v > 0)
        Put(m_labelDY, v);
}

void TArGraph::SetNetDX(int v)
{
    if (v > 0)
        Put(m_netDX, v);
}

void TArGraph::SetNetDY(double v)
{
    if (v > 0)
        Put(m_netDY, v);
}

void TArGraph::SetCursorX(int v)
{
    if (v >= 0 && v < m_graphSize)
        m_cursorX = v;
}

double TArGraph::GetCursorY() const
{
    return GraphValue(m_currentGraph, m_cursorX);
}

void TArGraph::SetCursorY(double v)
{
    if (m_currentGraph < int(m_curves.size()) && m_cursorX < m_graphSize)
        Put(m_curves[m_currentGraph].Values[m_cursorX], v);
}

TPen &TArGraph::CurrentGraphPen()
{
    return m_curves.empty() ? m_netPen : m_curves[m_currentGraph].Pen;
}

void TArGraph::SetCurrentGraphPen(const TPen &pen)
{
    if (!m_curves.empty())
        m_curves[m_currentGraph].Pen.Assign(pen);
}

TColor TArGraph::GetGrColors(int graph) const
{
    return graph >= 0 && graph < int(m_curves.size()) ? m_curves[graph].Pen.Color() : clBlack;
}

void TArGraph::SetGrColors(int graph, TColor color)
{
    if (graph >= 0 && graph < int(m_curves.size()))
        m_curves[graph].Pen.SetColor(color);
}

bool TArGraph::SetGraphData(const QList<double> &values, int row)
{
    if (row < 0 || row >= int(m_curves.size()))
        return false;
    std::vector<double> &target = m_curves[row].Values;
    std::copy_n(values.begin(), std::min<qsizetype>(values.size(), target.size()), target.begin());
    update();
    return true;
}

double TArGraph::GraphValue(int row, int index) const
{
    if (row < 0 || row >= int(m_curves.size()) || index < 0 || index >= m_graphSize)
        return 0;
    return m_curves[row].Values[index];
}

int TArGraph::XtoScreen(int index) const
{
    return PlotLeft() + int(double(index) * (PlotRight() - PlotLeft()) / m_graphSize);
}

int TArGraph::YtoScreen(double v) const
{
    if (v < m_yMin)
        return PlotBottom();
    if (v > m_yMax)
        return PlotTop();
    if (m_yMax <= m_yMin) // a flat range has no height to spread over
        return PlotBottom();
    return int(PlotBottom() - (PlotBottom() - PlotTop()) / (m_yMax - m_yMin) * (v - m_yMin));
}

void TArGraph::paintEvent(QPaintEvent *)
{
    // Qt sends no paint events to hidden widgets unless one is rendered on purpose.
    QPainter(this).drawImage(0, 0, Render());
}

const QImage &TArGraph::Render()
{
    if (m_bitmap.size() != size())
        m_bitmap = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_bitmap.fill(Qt::transparent);
    QPainter canvas(&m_bitmap);
    if (!m_transparent)
        canvas.fillRect(m_bitmap.rect(), ColorToQColor(m_color));
    canvas.fillRect(QRect(QPoint(PlotLeft(), PlotTop()), QPoint(PlotRight(), PlotBottom())),
                    ColorToQColor(m_grColor));
    if (m_viewNet) {
        canvas.setPen(m_netPen.ToQPen());
        PaintNet(canvas, m_netDX, m_netDY);
    }
    if (m_labelNet) {
        canvas.setPen(QPen(ColorToQColor(m_axisColor), m_axisWidth));
        PaintNet(canvas, m_labelDX, m_labelDY);
    }
    PaintCurves(canvas);
    PaintAxes(canvas);
    return m_bitmap;
}

QList<int> TArGraph::GridRows(double dy) const
{
    QList<int> rows;
    if ((m_yMax - m_yMin) / dy > MaxGridLines)
        return rows;
    // Counted rather than accumulated: a step lost in the rounding of a huge value cannot hang.
    for (int i = 0; m_yMin + i * dy < m_yMax; ++i)
        rows.append(YtoScreen(m_yMin + i * dy));
    return rows;
}

void TArGraph::PaintNet(QPainter &canvas, int dx, double dy)
{
    for (int i = 0; i < m_graphSize; i += dx) {
        const int x = XtoScreen(i);
        canvas.drawLine(x, PlotTop(), x, PlotBottom());
    }
    for (const int y : GridRows(dy)) {
        canvas.drawLine(PlotLeft(), y, PlotRight(), y);
    }
}

void TArGraph::PaintCurves(QPainter &canvas)
{
    for (const TCurve &curve : m_curves) {
        canvas.setPen(curve.Pen.ToQPen());
        for (int i = 1; i < m_graphSize; ++i) {
            if (curve.Values[i - 1] > m_yMin && curve.Values[i] > m_yMin)
                canvas.drawLine(XtoScreen(i - 1), YtoScreen(curve.Values[i - 1]), XtoScreen(i),
                                YtoScreen(curve.Values[i]));
        }
    }
}

void TArGraph::PaintAxes(QPainter &canvas)
{
    const QColor color = ColorToQColor(m_axisColor);
    canvas.setPen(QPen(color, m_axisWidth));
    canvas.setBrush(color);
    const int left = PlotLeft(), bottom = PlotBottom();
    const int half = m_edgeLen / 2;

    const int xEnd = PlotRight() + m_addScale - m_edgeLen;
    canvas.drawLine(left - m_labelH, bottom, xEnd, bottom);
    canvas.drawPolygon(QPolygon(
        {QPoint(xEnd, bottom - half), QPoint(xEnd, bottom + half), QPoint(width() - 1, bottom)}));

    canvas.drawLine(left, bottom + m_labelH, left, m_edgeLen);
    canvas.drawPolygon(QPolygon(
        {QPoint(left - half, m_edgeLen), QPoint(left + half, m_edgeLen), QPoint(left, 1)}));

    for (int i = 0; i < m_graphSize; i += m_labelDX) {
        const int x = XtoScreen(i);
        canvas.drawLine(x, bottom, x, bottom + m_labelH);
    }
    for (const int y : GridRows(m_labelDY)) {
        canvas.drawLine(left - m_labelH, y, left, y);
    }
}
