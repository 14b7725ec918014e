#include "LevelGraph.h"

#include "base/Feedback.h"
#include "base/Formats.h"
#include "base/IniFile.h"
#include "base/Random.h"

#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace {

void ReadOnlyWarning(int number)
{
    Feedback().MessageBox(QStringLiteral("Это поле только для чтения %1.").arg(number),
                          QStringLiteral("Справка"), TMsgIcon::Warning, mbOK, mbOK);
}

bool ValidGraph(int graph)
{
    return graph >= 0 && graph < TrendGraphCount;
}

// One notch of the wheel shows this share of the slots.
constexpr double WheelZoomFactor = 0.8;
// A press moves this far before it counts as a drag.
constexpr double DragThreshold = 4;

} // namespace

TLevelGraph::TLevelGraph(QWidget *parent)
    : QWidget(parent)
    , m_store(std::make_unique<TTrendStore>())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_scaleK.fill(1.0);
    m_markerColor.fill(clFuchsia);
    m_markerWidth.fill(1);
    m_markerHeight.fill(30);
    const auto changed = [this] {
        StyleChanged();
    };
    for (TStyleObject *style : std::initializer_list<TStyleObject *> {
             &m_borderPen, &m_labelNetPen, &m_cursorPen, &m_winLimitsPen, &m_secondNetPen,
             &m_xScaleFont, &m_yScaleFont, &m_legendFont})
        style->SetOnChange(changed);
    for (TPen &pen : m_graphPens)
        pen.SetOnChange(changed);
    m_actionWholeInterval = new QAction(QStringLiteral("Весь интервал"), this);
    m_actionWholeInterval->setObjectName(QStringLiteral("ActionWholeInterval"));
    connect(m_actionWholeInterval, &QAction::triggered, this, [this] { ZoomByOperator({}); });
    addAction(m_actionWholeInterval);
    resize(400, 100);
}

TLevelGraph::~TLevelGraph()
{
    if (m_iniName.isEmpty())
        return;
    try {
        SaveToIni();
    } catch (const TIniFileError &) {
        // A destructor cannot report; losing the pen colours is not worth a crash.
    }
}

// ---------------------------------------------------------------- special setters

void TLevelGraph::SetGraphCount(int v)
{
    if (v < 1 || v > TrendGraphCount)
        return;
    Put(m_graphCount, v);
}

void TLevelGraph::SetTransparent(bool v)
{
    // A transparent chart lets its parent show through the area outside the plot.
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    Put(m_transparent, v);
}

void TLevelGraph::SetYMax(double v)
{
    if (v - m_yMin < MinYRange)
        m_yMin = v - MinYRange;
    Put(m_yMax, v);
}

void TLevelGraph::SetYMin(double v)
{
    if (m_yMax - v < MinYRange)
        m_yMax = v + MinYRange;
    Put(m_yMin, v);
}

void TLevelGraph::SetDataStep(double v)
{
    if (v < 0.01 / 86400.0 || v == m_dataStep)
        return;
    m_dataStep = v;
    m_secondStep = v * 86400.0;
    if (m_secondStep > 1)
        m_secondStep = std::trunc(m_secondStep + 0.5);
    UpdateChanges();
}

void TLevelGraph::SetSecondStep(double v)
{
    if (v == m_secondStep)
        return;
    m_secondStep = v < 0.01 ? 1 : v;
    // Kept in step with the stored value, so a refused tiny step leaves both at one second.
    m_dataStep = m_secondStep / 86400.0;
    UpdateChanges();
}

void TLevelGraph::SetArraySize(int v)
{
    if (v < 10 || v > TrendSlotCount) {
        ShowError(QStringLiteral("Допускаются целые числа в диапазоне от 10 до 3000"));
        return;
    }
    Put(m_arraySize, v);
}

void TLevelGraph::SetIntervalSize(int)
{
    ReadOnlyWarning(1);
}

void TLevelGraph::SetIntervalPointCount(int)
{
    ReadOnlyWarning(2);
}

void TLevelGraph::SetDetectedYMin(double)
{
    ReadOnlyWarning(3);
}

void TLevelGraph::SetDetectedYMax(double)
{
    ReadOnlyWarning(4);
}

void TLevelGraph::SetDemoData(bool v)
{
    if (v == m_demoData)
        return;
    m_demoData = v;
    if (v)
        LoadDemoData();
    else
        ResetData();
    UpdateChanges();
}

void TLevelGraph::SetMarkerCount(int v)
{
    if (v < 0 || v >= MarkerRowCount)
        return;
    Put(m_markerCount, v);
}

void TLevelGraph::SetMarkerIx(int v)
{
    if (v >= 0 && (v < m_markerCount || v == 0))
        Put(m_markerIx, v);
}

int TLevelGraph::GetMarkerWidth() const
{
    return MarkerIxValid() ? m_markerWidth[m_markerIx] : 0;
}

void TLevelGraph::SetMarkerWidth(int v)
{
    if (MarkerIxValid())
        Put(m_markerWidth[m_markerIx], v);
}

int TLevelGraph::GetMarkerHeight() const
{
    return MarkerIxValid() ? m_markerHeight[m_markerIx] : 0;
}

void TLevelGraph::SetMarkerHeight(int v)
{
    if (MarkerIxValid())
        Put(m_markerHeight[m_markerIx], v);
}

TColor TLevelGraph::GetMarkerColor() const
{
    return MarkerIxValid() ? m_markerColor[m_markerIx] : 0;
}

void TLevelGraph::SetMarkerColor(TColor v)
{
    if (MarkerIxValid())
        Put(m_markerColor[m_markerIx], v);
}

double TLevelGraph::GetScaleLow(int graph) const
{
    return ValidGraph(graph) ? m_scaleLow[graph] : 0;
}

double TLevelGraph::GetScaleHigh(int graph) const
{
    return ValidGraph(graph) ? m_scaleHigh[graph] : 0;
}

double TLevelGraph::GetScaleK(int graph) const
{
    return ValidGraph(graph) ? m_scaleK[graph] : 0;
}

void TLevelGraph::SetScaleLow(int graph, double v)
{
    if (ValidGraph(graph))
        Put(m_scaleLow[graph], v);
}

void TLevelGraph::SetScaleHigh(int graph, double v)
{
    if (ValidGraph(graph))
        Put(m_scaleHigh[graph], v);
}

void TLevelGraph::SetScaleK(int graph, double v)
{
    if (ValidGraph(graph))
        Put(m_scaleK[graph], v);
}

// ---------------------------------------------------------------- cursor, interval, pens

void TLevelGraph::SetNewStopTime(TMoment v)
{
    if (v == m_newStopTime)
        return;
    m_newIntervalAccepted = false;
    m_newStopTime = v;
}

void TLevelGraph::SetNewCursorTime(TMoment v)
{
    if (v == m_newCursorTime)
        return;
    m_newIntervalAccepted = false;
    m_newCursorTime = v;
}

void TLevelGraph::SetNewIntervalAccepted(bool v)
{
    if (v == m_newIntervalAccepted)
        return;
    m_newIntervalAccepted = v;
    if (!v)
        return;
    // A zoom belongs to the interval it was made in.
    if (m_newStartTime != m_startTime || m_newStopTime != m_stopTime)
        m_view = {};
    // All three at once, so the chart never holds a half-changed interval.
    m_cursorTime = m_newCursorTime;
    m_startTime = m_newStartTime;
    m_stopTime = m_newStopTime;
}

void TLevelGraph::SetCurrentGraph(int v)
{
    // Out-of-range numbers would make GraphPen address a pen that does not exist.
    if (ValidGraph(v))
        m_currentGraph = v;
}

TPen &TLevelGraph::GetGraphPen(int graph)
{
    return m_graphPens[ValidGraph(graph) ? graph : m_currentGraph];
}

void TLevelGraph::SetGraphPen(int graph, const TPen &pen)
{
    GetGraphPen(graph).Assign(pen);
    UpdateChanges();
}

void TLevelGraph::SetIniName(const QString &v)
{
    if (v == m_iniName)
        return;
    m_iniName = v;
    if (!v.isEmpty())
        LoadFromIni();
}

QString TLevelGraph::IniFilePath() const
{
    // Names such as ".\GraphColors.INI" come from the window designs.
    return QString(m_iniName).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void TLevelGraph::LoadFromIni()
{
    const TIniFile ini(IniFilePath());
    const QString section = objectName();
    for (int i = 0; i < TrendGraphCount; ++i) {
        TPen &pen = m_graphPens[i];
        pen.SetWidth(ini.ReadInteger(section, QStringLiteral("pw%1").arg(i), pen.Width()));
        pen.SetColor(ini.ReadInteger(section, QStringLiteral("pc%1").arg(i), pen.Color()));
    }
}

void TLevelGraph::SaveToIni()
{
    TIniFile ini(IniFilePath());
    const QString section = objectName();
    for (int i = 0; i < TrendGraphCount; ++i) {
        ini.WriteInteger(section, QStringLiteral("pw%1").arg(i), m_graphPens[i].Width());
        ini.WriteInteger(section, QStringLiteral("pc%1").arg(i), m_graphPens[i].Color());
    }
}

void TLevelGraph::Change()
{
    if (m_onChange)
        m_onChange(this);
}

void TLevelGraph::mousePressEvent(QMouseEvent *event)
{
    const int x = int(event->position().x());
    const int y = int(event->position().y());
    if ((event->buttons() & Qt::RightButton) && m_onMouseDown) {
        m_onMouseDown(this, event->button(), event->modifiers(), x, y);
        return;
    }
    SetCursorTime(ScreenToTime(x));
    setFocus(Qt::MouseFocusReason);
    Change();
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        m_dragView = m_view;
        m_dragging = false;
    }
}

void TLevelGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragFrom || !(event->buttons() & Qt::LeftButton) || m_dragView.Count <= 0
        || m_geo.PixelsPerPoint <= 0)
        return;
    const double dx = event->position().x() - m_dragFrom->x();
    if (!m_dragging && std::abs(dx) < DragThreshold)
        return;
    if (!m_dragging)
        setCursor(Qt::ClosedHandCursor);
    m_dragging = true;
    // The slot under the pointer moves with it.
    ZoomByOperator(PanView(m_dragView, m_geo.IntervalPointCount, -dx / m_geo.PixelsPerPoint));
}

void TLevelGraph::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging)
        unsetCursor();
    m_dragFrom.reset();
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TLevelGraph::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        ZoomByOperator({});
    else
        QWidget::mouseDoubleClickEvent(event);
}

void TLevelGraph::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y();
    if (notches == 0 || m_geo.IntervalPointCount <= 0 || m_geo.PlotWidth <= 0) {
        event->ignore();
        return;
    }
    event->accept();
    const double x = event->position().x();
    const double fraction = (x - m_geo.PlotLeft) / m_geo.PlotWidth;
    ZoomByOperator(ZoomView(m_view, m_geo.IntervalPointCount, ScreenToIX(x), fraction,
                            std::pow(WheelZoomFactor, notches / 120.0)));
}

bool TLevelGraph::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QString text = HoverText(help->pos().x());
    if (text.isEmpty() || help->pos().y() < m_geo.PlotTop || help->pos().y() > m_geo.PlotBottom)
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
}

void TLevelGraph::SetView(TSlotView view)
{
    view = FitView(view, m_geo.IntervalPointCount);
    m_followNewest = m_lastSlot >= 0 && view.Count > 0 && view.First + view.Count > m_lastSlot;
    if (view == m_view)
        return;
    m_view = view;
    UpdateChanges();
}

void TLevelGraph::ZoomByOperator(TSlotView view)
{
    const TSlotView before = m_view;
    SetView(view);
    if (m_view != before && m_onZoom)
        m_onZoom(this);
}

TMoment TLevelGraph::ViewStartTime() const
{
    return m_startTime + m_geo.ViewFirst * m_dataStep;
}

TMoment TLevelGraph::ViewStopTime() const
{
    return m_geo.Zoomed() ? m_startTime + (m_geo.ViewFirst + m_geo.ViewCount) * m_dataStep
                          : m_stopTime;
}

TTimeLabels TLevelGraph::TimeLabels() const
{
    if (!m_geo.Zoomed())
        return {m_xLabelStep, m_scaleXFormat};
    return ZoomTimeLabels(m_geo.ViewCount * m_secondStep / 86400.0, m_geo.PlotWidth);
}

QString TLevelGraph::HoverText(int x) const
{
    if (x < m_geo.PlotLeft || x > m_geo.PlotRight || m_geo.PixelsPerPoint <= 0)
        return {};
    const int slot = int(ScreenToIX(x));
    if (slot < 0 || slot >= m_geo.StoredPointCount())
        return {};
    const TMoment from = m_startTime + slot * m_dataStep;
    QString time = FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn"), from);
    // A wide slot tells where it ends.
    if (m_secondStep > 60)
        time += QStringLiteral(" – ") + FormatDateTime(QStringLiteral("hh:nn"), from + m_dataStep);
    QString text = QStringLiteral("<b>%1</b>").arg(time.toHtmlEscaped());
    for (int k = 0; k < m_graphCount; ++k) {
        const TrendSlot &s = m_store->Slot(k, slot);
        QString value;
        if (const std::optional<double> shown = SlotValue(k, slot)) {
            value = FormatFloat(m_scaleYFormat, *shown).trimmed();
            if (s.Present && s.HasSecond && !m_averageMode)
                value += QStringLiteral(" … ") + FormatFloat(m_scaleYFormat, s.Value2).trimmed();
        }
        const QString name = k < m_legendStrings.size() ? m_legendStrings[k] : QString();
        text += QStringLiteral("<br><span style=\"color:%1\">■ %2%3</span>")
                    .arg(ColorToQColor(m_graphPens[k].Color()).name(),
                         name.isEmpty() ? QString() : (name + QStringLiteral(": ")).toHtmlEscaped(),
                         value.toHtmlEscaped());
    }
    return text;
}

void TLevelGraph::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Both arrows are consumed even when the cursor stays, so they never move focus away.
    event->accept();
    const bool left = key == Qt::Key_Left;
    if (left ? m_cursorTime > m_startTime : m_cursorTime < m_stopTime) {
        SetCursorTime(m_cursorTime + (left ? -m_dataStep : m_dataStep));
        setFocus(Qt::OtherFocusReason);
        Change();
    }
}

// ---------------------------------------------------------------- data

double TLevelGraph::TimeToIndex(TMoment t) const
{
    const double index = TimeToIndexRaw(t, m_startTime, m_stopTime, m_secondStep);
    if (std::isnan(index)) {
        Beep();
        return 0;
    }
    return index;
}

void TLevelGraph::AddPoint(int graph, TMoment t, double v, bool alarm)
{
    if (!ValidGraph(graph))
        return;
    const int slot = int(TimeToIndex(t));
    if (slot >= m_geo.StoredPointCount())
        return;
    const TSampleTime when = t < m_startTime ? TSampleTime::BeforeStart
        : t > m_stopTime                     ? TSampleTime::AfterStop
                                             : TSampleTime::Inside;
    m_store->AddSample(graph, slot, v, alarm, when, m_averageMode);
    if (slot <= m_lastSlot)
        return;
    m_lastSlot = slot;
    if (m_followNewest && m_view.Count > 0 && slot >= m_view.First + m_view.Count)
        m_view = FitView({slot + 1 - m_view.Count, m_view.Count}, m_geo.IntervalPointCount);
}

double TLevelGraph::GetPoint(int graph, TMoment t) const
{
    return SlotValue(graph, int(TimeToIndex(t))).value_or(-1);
}

std::optional<double> TLevelGraph::SlotValue(int graph, int slot) const
{
    if (!ValidGraph(graph) || slot < 0 || slot >= TrendSlotCount)
        return std::nullopt;
    const TrendSlot &s = m_store->Slot(graph, slot);
    if (s.Present)
        return TTrendStore::ShownValue(s, m_averageMode);
    if (s.HasSecond)
        return s.Value2;
    return std::nullopt;
}

void TLevelGraph::DelPoint(int graph, TMoment t)
{
    if (!ValidGraph(graph))
        return;
    const int slot = int(TimeToIndex(t));
    if (slot < TrendSlotCount)
        m_store->ClearSlot(graph, slot);
}

void TLevelGraph::ResetGraph(int graph)
{
    if (ValidGraph(graph))
        m_store->ResetGraph(graph);
}

bool TLevelGraph::MarkerRowUsable(int row) const
{
    return row >= 0 && row < MarkerRowCount && row < m_markerCount;
}

void TLevelGraph::ResetMarker(int row)
{
    if (MarkerRowUsable(row))
        m_store->ResetMarker(row);
}

void TLevelGraph::ResetData()
{
    // Clears every row, also those beyond MarkerCount that an earlier count left behind.
    m_store->Clear();
    m_lastSlot = -1;
}

int TLevelGraph::Add_marker_point(int row, int slot, quint32 bits, bool merge)
{
    if (!MarkerRowUsable(row) || slot < 0 || slot >= TrendSlotCount)
        return -1;
    m_store->SetMarkerWord(row, slot, merge ? m_store->MarkerWord(row, slot) | bits : bits);
    return slot;
}

int TLevelGraph::Add_marker_point(int row, TMoment t, quint32 bits, bool merge)
{
    const int slot = int(TimeToIndex(t));
    if (slot >= m_geo.IntervalPointCount)
        return -1;
    return Add_marker_point(row, slot, bits, merge);
}

void TLevelGraph::LoadDemoData()
{
    if (m_geo.IntervalPointCount < 10 || m_dataStep <= 0)
        return;
    const double r = m_geo.YRange;
    const double d = r / m_geo.IntervalPointCount;
    for (int g = 0; g < m_graphCount; ++g) {
        double value = RandomNormal(r / 2, r / 6);
        double slope = RandomNormal(d, d / 8);
        for (TMoment t = m_startTime; t < m_stopTime; t += m_dataStep) {
            AddPoint(g, t, value);
            value += slope;
            if (value > m_yMax || value < m_yMin)
                slope = -slope;
            value += slope;
        }
    }
}

// ---------------------------------------------------------------- geometry and scaling

bool TLevelGraph::CalcRegion()
{
    return CalcRegionFor(m_bitmap.width(), m_bitmap.height(), 1, 1);
}

bool TLevelGraph::CalcRegionFor(int width, int height, double kx, double ky)
{
    TTrendGeometryInput in;
    in.Width = width;
    in.Height = height;
    in.GraphLeft = int(m_graphLeft * kx);
    in.GraphTop = int(m_graphTop * ky);
    in.GraphSubWidth = int(m_graphSubWidth * kx);
    in.GraphSubHeight = int(m_graphSubHeight * ky);
    in.YMin = m_yMin;
    in.YMax = m_yMax;
    in.StartTime = m_startTime;
    in.StopTime = m_stopTime;
    in.SecondStep = m_secondStep;
    in.View = m_view;
    m_geo = TTrendGeometry::Calc(in);
    m_firstXNet = CalcStartNetPoint(ViewStartTime(), TimeLabels().Step);
    return m_geo.IntervalPointCount > 0 && m_yLabelStep > 1e-100
        && m_xLabelStep > 100 * OneMillisecond;
}

TMoment TLevelGraph::ScreenToTime(double x) const
{
    const TMoment t = m_startTime + ScreenToIX(x) * m_secondStep / 86400.0;
    if (!std::isfinite(t)) {
        Beep();
        return Now();
    }
    return t;
}

void TLevelGraph::CheckDeltaY()
{
    TValueLimits limits {m_yMin, m_yMax, m_yLabelStep, m_scaleYFormat};
    ::CheckDeltaY(limits, m_minDeltaY);
    m_yMin = limits.YMin;
    m_yMax = limits.YMax;
}

void TLevelGraph::CheckAutoLimits()
{
    double dataMin = 0, dataMax = 0;
    m_store->Scan(m_graphCount, m_geo.StoredPointCount(), m_enablePresentArray, m_averageMode,
                  dataMin, dataMax);
    TValueLimits limits {m_yMin, m_yMax, m_yLabelStep, m_scaleYFormat};
    TAutoScaleRules rules;
    rules.AutoYMin = m_autoYMin;
    rules.AutoYMax = m_autoYMax;
    rules.AutoYScale = m_autoYScale;
    rules.AutoYScaleFormat = m_autoYScaleFormat;
    rules.PositiveY = m_positiveY;
    rules.MinDeltaY = m_minDeltaY;
    rules.BestNetLineCount = m_bestNetLineCount;
    ::CheckAutoLimits(limits, rules, dataMin, dataMax);
    // Stored without UpdateChanges: this runs inside a drawing.
    m_yMin = limits.YMin;
    m_yMax = limits.YMax;
    m_yLabelStep = limits.YLabelStep;
    m_scaleYFormat = limits.ScaleYFormat;
}
