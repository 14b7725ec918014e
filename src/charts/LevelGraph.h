#pragma once

#include "ChartScale.h"
#include "TrendStore.h"
#include "base/Color.h"
#include "base/Style.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QPainter;

enum TVorbinCursorType { vb_cursor_VLine, vb_cursor_BigCross, vb_cursor_Cross };

// The trend chart: up to 16 graphs sampled onto fixed time slots between StartTime and StopTime,
// with its own value scale, markers and a time cursor, drawn into an off-screen image that is
// rebuilt only when something changed.
class TLevelGraph : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TPen BorderPen READ BorderPen WRITE SetBorderPen)
    Q_PROPERTY(TColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(TColor GraphBackColor READ GetGraphBackColor WRITE SetGraphBackColor)
    Q_PROPERTY(int GraphTop READ GetGraphTop WRITE SetGraphTop)
    Q_PROPERTY(int GraphLeft READ GetGraphLeft WRITE SetGraphLeft)
    Q_PROPERTY(int GraphSubWidth READ GetGraphSubWidth WRITE SetGraphSubWidth)
    Q_PROPERTY(int GraphSubHeight READ GetGraphSubHeight WRITE SetGraphSubHeight)
    Q_PROPERTY(int GraphCount READ GetGraphCount WRITE SetGraphCount)
    Q_PROPERTY(bool ShowScaleY READ GetShowScaleY WRITE SetShowScaleY)
    Q_PROPERTY(bool ShowScaleX READ GetShowScaleX WRITE SetShowScaleX)
    Q_PROPERTY(double YMax READ GetYMax WRITE SetYMax)
    Q_PROPERTY(double YMin READ GetYMin WRITE SetYMin)
    Q_PROPERTY(bool AutoYMax READ GetAutoYMax WRITE SetAutoYMax)
    Q_PROPERTY(bool AutoYMin READ GetAutoYMin WRITE SetAutoYMin)
    Q_PROPERTY(bool AutoYScale READ GetAutoYScale WRITE SetAutoYScale)
    Q_PROPERTY(bool AutoYScaleFormat READ GetAutoYScaleFormat WRITE SetAutoYScaleFormat)
    Q_PROPERTY(bool PositiveY READ GetPositiveY WRITE SetPositiveY)
    Q_PROPERTY(double MinDeltaY READ GetMinDeltaY WRITE SetMinDeltaY)
    Q_PROPERTY(int BestNetLineCount READ GetBestNetLineCount WRITE SetBestNetLineCount)
    Q_PROPERTY(double YLabelStep READ GetYLabelStep WRITE SetYLabelStep)
    Q_PROPERTY(double XLabelStep READ GetXLabelStep WRITE SetXLabelStep)
    Q_PROPERTY(bool MinXLabel READ GetMinXLabel WRITE SetMinXLabel)
    Q_PROPERTY(bool MaxXLabel READ GetMaxXLabel WRITE SetMaxXLabel)
    Q_PROPERTY(TPen LabelNetPen READ LabelNetPen WRITE SetLabelNetPen)
    Q_PROPERTY(TFont XScaleFont READ XScaleFont WRITE SetXScaleFont)
    Q_PROPERTY(TFont YScaleFont READ YScaleFont WRITE SetYScaleFont)
    Q_PROPERTY(TFont LegendFont READ LegendFont WRITE SetLegendFont)
    Q_PROPERTY(QString ScaleXFormat READ GetScaleXFormat WRITE SetScaleXFormat)
    Q_PROPERTY(QString ScaleYFormat READ GetScaleYFormat WRITE SetScaleYFormat)
    Q_PROPERTY(bool ShowRightScale READ GetShowRightScale WRITE SetShowRightScale)
    Q_PROPERTY(double RightYMin READ GetRightYMin WRITE SetRightYMin)
    Q_PROPERTY(double RightYMax READ GetRightYMax WRITE SetRightYMax)
    Q_PROPERTY(double RightScaleStep READ GetRightScaleStep WRITE SetRightScaleStep)
    Q_PROPERTY(bool ShowLegend READ GetShowLegend WRITE SetShowLegend)
    Q_PROPERTY(QStringList LegendStrings READ GetLegendStrings WRITE SetLegendStrings)
    Q_PROPERTY(bool ShowBorder READ GetShowBorder WRITE SetShowBorder)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(double StartTime READ GetStartTime WRITE SetStartTime)
    Q_PROPERTY(double StopTime READ GetStopTime WRITE SetStopTime)
    Q_PROPERTY(double SecondStep READ GetSecondStep WRITE SetSecondStep)
    Q_PROPERTY(double DataStep READ GetDataStep WRITE SetDataStep)
    Q_PROPERTY(bool EnablePresentArray READ GetEnablePresentArray WRITE SetEnablePresentArray)
    Q_PROPERTY(TColor AlarmColor READ GetAlarmColor WRITE SetAlarmColor)
    Q_PROPERTY(bool HistogramGraph READ GetHistogramGraph WRITE SetHistogramGraph)
    Q_PROPERTY(bool AverageMode READ GetAverageMode WRITE SetAverageMode)
    Q_PROPERTY(bool MultiScaleMode READ GetMultiScaleMode WRITE SetMultiScaleMode)
    Q_PROPERTY(int MarkerCount READ GetMarkerCount WRITE SetMarkerCount)
    Q_PROPERTY(int MarkerIx READ GetMarkerIx WRITE SetMarkerIx)
    Q_PROPERTY(int MarkerWidth READ GetMarkerWidth WRITE SetMarkerWidth)
    Q_PROPERTY(int MarkerHeight READ GetMarkerHeight WRITE SetMarkerHeight)
    Q_PROPERTY(TColor MarkerColor READ GetMarkerColor WRITE SetMarkerColor)
    Q_PROPERTY(int ArraySize READ GetArraySize WRITE SetArraySize)
    Q_PROPERTY(int IntervalSize READ GetIntervalSize WRITE SetIntervalSize)
    Q_PROPERTY(int IntervalPointCount READ GetIntervalPointCount WRITE SetIntervalPointCount)
    Q_PROPERTY(double DetectedYMin READ GetDetectedYMin WRITE SetDetectedYMin)
    Q_PROPERTY(double DetectedYMax READ GetDetectedYMax WRITE SetDetectedYMax)
    Q_PROPERTY(bool DemoData READ GetDemoData WRITE SetDemoData)
    // Stored for the form files; no drawing reads them.
    Q_PROPERTY(TVorbinCursorType CursorType READ GetCursorType WRITE SetCursorType)
    Q_PROPERTY(double CursorY READ GetCursorY WRITE SetCursorY)
    Q_PROPERTY(int CursorPosition READ GetCursorPosition WRITE SetCursorPosition)
    Q_PROPERTY(bool ShowLabelNet READ GetShowLabelNet WRITE SetShowLabelNet)
    Q_PROPERTY(bool ShowSecondNet READ GetShowSecondNet WRITE SetShowSecondNet)
    Q_PROPERTY(double SecondNetStepX READ GetSecondNetStepX WRITE SetSecondNetStepX)
    Q_PROPERTY(double SecondNetStepY READ GetSecondNetStepY WRITE SetSecondNetStepY)
    Q_PROPERTY(TPen SecondNetPen READ SecondNetPen WRITE SetSecondNetPen)
    Q_PROPERTY(bool MinYLabel READ GetMinYLabel WRITE SetMinYLabel)
    Q_PROPERTY(bool MaxYLabel READ GetMaxYLabel WRITE SetMaxYLabel)
    Q_PROPERTY(QString AddXScaleStr READ GetAddXScaleStr WRITE SetAddXScaleStr)
    Q_PROPERTY(QString AddYScaleStr READ GetAddYScaleStr WRITE SetAddYScaleStr)
    Q_PROPERTY(bool AutoXScaleFormat READ GetAutoXScaleFormat WRITE SetAutoXScaleFormat)
    Q_PROPERTY(bool AutoRecalcScaleK READ GetAutoRecalcScaleK WRITE SetAutoRecalcScaleK)
    // Cursor, window limits, interval switch, pens.
    Q_PROPERTY(double CursorTime READ GetCursorTime WRITE SetCursorTime)
    Q_PROPERTY(bool ShowCursor READ GetShowCursor WRITE SetShowCursor)
    Q_PROPERTY(TPen CursorPen READ CursorPen WRITE SetCursorPen)
    Q_PROPERTY(double WinLeftLimit READ GetWinLeftLimit WRITE SetWinLeftLimit)
    Q_PROPERTY(double WinRightLimit READ GetWinRightLimit WRITE SetWinRightLimit)
    Q_PROPERTY(bool WinLeftLimitOK READ GetWinLeftLimitOK WRITE SetWinLeftLimitOK)
    Q_PROPERTY(bool WinRightLimitOK READ GetWinRightLimitOK WRITE SetWinRightLimitOK)
    Q_PROPERTY(TPen WinLimitsPen READ WinLimitsPen WRITE SetWinLimitsPen)
    Q_PROPERTY(double NewStartTime READ GetNewStartTime WRITE SetNewStartTime)
    Q_PROPERTY(double NewStopTime READ GetNewStopTime WRITE SetNewStopTime)
    Q_PROPERTY(double NewCursorTime READ GetNewCursorTime WRITE SetNewCursorTime)
    Q_PROPERTY(bool NewIntervalAccepted READ GetNewIntervalAccepted WRITE SetNewIntervalAccepted)
    Q_PROPERTY(int CurrentGraph READ GetCurrentGraph WRITE SetCurrentGraph)
    Q_PROPERTY(TPen GraphPen READ GraphPen WRITE SetGraphPen)
    Q_PROPERTY(QString IniName READ GetIniName WRITE SetIniName)

public:
    using TChangeEvent = std::function<void(TLevelGraph *sender)>;
    using TMouseDownEvent = std::function<void(TLevelGraph *sender, Qt::MouseButton button,
                                               Qt::KeyboardModifiers shift, int x, int y)>;

    explicit TLevelGraph(QWidget *parent = nullptr);
    ~TLevelGraph() override;

    // --- owned pens and fonts; edits through these holders repaint the chart
    TPen &BorderPen() { return m_borderPen; }
    TPen &LabelNetPen() { return m_labelNetPen; }
    TPen &CursorPen() { return m_cursorPen; }
    TPen &WinLimitsPen() { return m_winLimitsPen; }
    TPen &SecondNetPen() { return m_secondNetPen; }
    TFont &XScaleFont() { return m_xScaleFont; }
    TFont &YScaleFont() { return m_yScaleFont; }
    TFont &LegendFont() { return m_legendFont; }
    void SetBorderPen(const TPen &pen) { m_borderPen.Assign(pen); }
    void SetLabelNetPen(const TPen &pen) { m_labelNetPen.Assign(pen); }
    void SetCursorPen(const TPen &pen) { m_cursorPen.Assign(pen); }
    void SetWinLimitsPen(const TPen &pen) { m_winLimitsPen.Assign(pen); }
    void SetSecondNetPen(const TPen &pen) { m_secondNetPen.Assign(pen); }
    void SetXScaleFont(const TFont &font) { m_xScaleFont.Assign(font); }
    void SetYScaleFont(const TFont &font) { m_yScaleFont.Assign(font); }
    void SetLegendFont(const TFont &font) { m_legendFont.Assign(font); }

    // Graph pens: an index outside 0..15 means CurrentGraph.
    TPen &GetGraphPen(int graph);
    void SetGraphPen(int graph, const TPen &pen);
    TPen &GraphPen() { return GetGraphPen(m_currentGraph); }
    void SetGraphPen(const TPen &pen) { SetGraphPen(m_currentGraph, pen); }

    // Per-graph ranges of the multi-scale mode (graph outside 0..15: ignored / 0).
    double GetScaleLow(int graph) const;
    double GetScaleHigh(int graph) const;
    double GetScaleK(int graph) const;
    void SetScaleLow(int graph, double v);
    void SetScaleHigh(int graph, double v);
    void SetScaleK(int graph, double v);

    TColor GetBackColor() const { return m_backColor; }
    void SetBackColor(TColor v) { Put(m_backColor, v); }
    TColor GetGraphBackColor() const { return m_graphBackColor; }
    void SetGraphBackColor(TColor v) { Put(m_graphBackColor, v); }
    int GetGraphTop() const { return m_graphTop; }
    void SetGraphTop(int v) { Put(m_graphTop, v); }
    int GetGraphLeft() const { return m_graphLeft; }
    void SetGraphLeft(int v) { Put(m_graphLeft, v); }
    int GetGraphSubWidth() const { return m_graphSubWidth; }
    void SetGraphSubWidth(int v) { Put(m_graphSubWidth, v); }
    int GetGraphSubHeight() const { return m_graphSubHeight; }
    void SetGraphSubHeight(int v) { Put(m_graphSubHeight, v); }
    int GetGraphCount() const { return m_graphCount; }
    void SetGraphCount(int v);
    bool GetShowScaleY() const { return m_showScaleY; }
    void SetShowScaleY(bool v) { Put(m_showScaleY, v); }
    bool GetShowScaleX() const { return m_showScaleX; }
    void SetShowScaleX(bool v) { Put(m_showScaleX, v); }
    double GetYMax() const { return m_yMax; }
    void SetYMax(double v);
    double GetYMin() const { return m_yMin; }
    void SetYMin(double v);
    bool GetAutoYMax() const { return m_autoYMax; }
    void SetAutoYMax(bool v) { m_autoYMax = v; }
    bool GetAutoYMin() const { return m_autoYMin; }
    void SetAutoYMin(bool v) { m_autoYMin = v; }
    bool GetAutoYScale() const { return m_autoYScale; }
    void SetAutoYScale(bool v) { Put(m_autoYScale, v); }
    bool GetAutoYScaleFormat() const { return m_autoYScaleFormat; }
    void SetAutoYScaleFormat(bool v) { Put(m_autoYScaleFormat, v); }
    bool GetPositiveY() const { return m_positiveY; }
    void SetPositiveY(bool v) { Put(m_positiveY, v); }
    double GetMinDeltaY() const { return m_minDeltaY; }
    void SetMinDeltaY(double v) { m_minDeltaY = v; }
    int GetBestNetLineCount() const { return m_bestNetLineCount; }
    void SetBestNetLineCount(int v) { Put(m_bestNetLineCount, v); }
    double GetYLabelStep() const { return m_yLabelStep; }
    void SetYLabelStep(double v) { Put(m_yLabelStep, v); }
    double GetXLabelStep() const { return m_xLabelStep; }
    void SetXLabelStep(double v) { Put(m_xLabelStep, v); }
    bool GetMinXLabel() const { return m_minXLabel; }
    void SetMinXLabel(bool v) { Put(m_minXLabel, v); }
    bool GetMaxXLabel() const { return m_maxXLabel; }
    void SetMaxXLabel(bool v) { Put(m_maxXLabel, v); }
    QString GetScaleXFormat() const { return m_scaleXFormat; }
    void SetScaleXFormat(const QString &v) { Put(m_scaleXFormat, v); }
    QString GetScaleYFormat() const { return m_scaleYFormat; }
    void SetScaleYFormat(const QString &v) { Put(m_scaleYFormat, v); }
    bool GetShowRightScale() const { return m_showRightScale; }
    void SetShowRightScale(bool v) { Put(m_showRightScale, v); }
    double GetRightYMin() const { return m_rightYMin; }
    void SetRightYMin(double v) { Put(m_rightYMin, v); }
    double GetRightYMax() const { return m_rightYMax; }
    void SetRightYMax(double v) { Put(m_rightYMax, v); }
    double GetRightScaleStep() const { return m_rightScaleStep; }
    void SetRightScaleStep(double v) { Put(m_rightScaleStep, v); }
    bool GetShowLegend() const { return m_showLegend; }
    void SetShowLegend(bool v) { Put(m_showLegend, v); }
    QStringList GetLegendStrings() const { return m_legendStrings; }
    void SetLegendStrings(const QStringList &v) { Put(m_legendStrings, v); }
    bool GetShowBorder() const { return m_showBorder; }
    void SetShowBorder(bool v) { Put(m_showBorder, v); }
    bool GetTransparent() const { return m_transparent; }
    void SetTransparent(bool v);
    TMoment GetStartTime() const { return m_startTime; }
    void SetStartTime(TMoment v) { m_startTime = v; }
    TMoment GetStopTime() const { return m_stopTime; }
    void SetStopTime(TMoment v) { m_stopTime = v; }
    double GetSecondStep() const { return m_secondStep; }
    void SetSecondStep(double v);
    double GetDataStep() const { return m_dataStep; }
    void SetDataStep(double v);
    bool GetEnablePresentArray() const { return m_enablePresentArray; }
    void SetEnablePresentArray(bool v) { Put(m_enablePresentArray, v); }
    TColor GetAlarmColor() const { return m_alarmColor; }
    void SetAlarmColor(TColor v) { Put(m_alarmColor, v); }
    bool GetHistogramGraph() const { return m_histogramGraph; }
    void SetHistogramGraph(bool v) { Put(m_histogramGraph, v); }
    bool GetAverageMode() const { return m_averageMode; }
    void SetAverageMode(bool v) { m_averageMode = v; }
    bool GetMultiScaleMode() const { return m_multiScaleMode; }
    void SetMultiScaleMode(bool v) { m_multiScaleMode = v; }
    int GetMarkerCount() const { return m_markerCount; }
    void SetMarkerCount(int v);
    int GetMarkerIx() const { return m_markerIx; }
    void SetMarkerIx(int v);
    int GetMarkerWidth() const;
    void SetMarkerWidth(int v);
    int GetMarkerHeight() const;
    void SetMarkerHeight(int v);
    TColor GetMarkerColor() const;
    void SetMarkerColor(TColor v);
    int GetArraySize() const { return m_arraySize; }
    void SetArraySize(int v);
    int GetIntervalSize() const { return m_geo.IntervalSize; }
    void SetIntervalSize(int v);
    int GetIntervalPointCount() const { return m_geo.IntervalPointCount; }
    void SetIntervalPointCount(int v);
    double GetDetectedYMin() const { return 0; }
    void SetDetectedYMin(double v);
    double GetDetectedYMax() const { return 0; }
    void SetDetectedYMax(double v);
    bool GetDemoData() const { return m_demoData; }
    void SetDemoData(bool v);

    TVorbinCursorType GetCursorType() const { return m_cursorType; }
    void SetCursorType(TVorbinCursorType v) { Put(m_cursorType, v); }
    double GetCursorY() const { return m_cursorY; }
    void SetCursorY(double v) { Put(m_cursorY, v); }
    int GetCursorPosition() const { return m_cursorPosition; }
    void SetCursorPosition(int v) { m_cursorPosition = v; }
    bool GetShowLabelNet() const { return m_showLabelNet; }
    void SetShowLabelNet(bool v) { Put(m_showLabelNet, v); }
    bool GetShowSecondNet() const { return m_showSecondNet; }
    void SetShowSecondNet(bool v) { m_showSecondNet = v; }
    double GetSecondNetStepX() const { return m_secondNetStepX; }
    void SetSecondNetStepX(double v) { Put(m_secondNetStepX, v); }
    double GetSecondNetStepY() const { return m_secondNetStepY; }
    void SetSecondNetStepY(double v) { Put(m_secondNetStepY, v); }
    bool GetMinYLabel() const { return m_minYLabel; }
    void SetMinYLabel(bool v) { Put(m_minYLabel, v); }
    bool GetMaxYLabel() const { return m_maxYLabel; }
    void SetMaxYLabel(bool v) { Put(m_maxYLabel, v); }
    QString GetAddXScaleStr() const { return m_addXScaleStr; }
    void SetAddXScaleStr(const QString &v) { Put(m_addXScaleStr, v); }
    QString GetAddYScaleStr() const { return m_addYScaleStr; }
    void SetAddYScaleStr(const QString &v) { Put(m_addYScaleStr, v); }
    bool GetAutoXScaleFormat() const { return m_autoXScaleFormat; }
    void SetAutoXScaleFormat(bool v) { Put(m_autoXScaleFormat, v); }
    bool GetAutoRecalcScaleK() const { return m_autoRecalcScaleK; }
    void SetAutoRecalcScaleK(bool v) { m_autoRecalcScaleK = v; }

    TMoment GetCursorTime() const { return m_cursorTime; }
    void SetCursorTime(TMoment v) { Put(m_cursorTime, v); }
    bool GetShowCursor() const { return m_showCursor; }
    void SetShowCursor(bool v) { Put(m_showCursor, v); }
    TMoment GetWinLeftLimit() const { return m_winLeftLimit; }
    void SetWinLeftLimit(TMoment v) { Put(m_winLeftLimit, v); }
    TMoment GetWinRightLimit() const { return m_winRightLimit; }
    void SetWinRightLimit(TMoment v) { Put(m_winRightLimit, v); }
    bool GetWinLeftLimitOK() const { return m_winLeftLimitOK; }
    void SetWinLeftLimitOK(bool v) { Put(m_winLeftLimitOK, v); }
    bool GetWinRightLimitOK() const { return m_winRightLimitOK; }
    void SetWinRightLimitOK(bool v) { Put(m_winRightLimitOK, v); }
    TMoment GetNewStartTime() const { return m_newStartTime; }
    void SetNewStartTime(TMoment v) { m_newStartTime = v; }
    TMoment GetNewStopTime() const { return m_newStopTime; }
    void SetNewStopTime(TMoment v);
    TMoment GetNewCursorTime() const { return m_newCursorTime; }
    void SetNewCursorTime(TMoment v);
    bool GetNewIntervalAccepted() const { return m_newIntervalAccepted; }
    void SetNewIntervalAccepted(bool v);
    int GetCurrentGraph() const { return m_currentGraph; }
    void SetCurrentGraph(int v);
    QString GetIniName() const { return m_iniName; }
    void SetIniName(const QString &v);

    void SetOnChange(TChangeEvent handler) { m_onChange = std::move(handler); }
    bool HasOnChange() const { return bool(m_onChange); }
    void SetOnMouseDown(TMouseDownEvent handler) { m_onMouseDown = std::move(handler); }
    bool HasOnMouseDown() const { return bool(m_onMouseDown); }
    void Change();

    // --- zoom of the time axis (the wheel zooms around the pointer, a drag with the left
    // button pans, a double click or the "Весь интервал" action shows the whole interval again)
    TSlotView View() const { return m_view; }
    bool IsZoomed() const { return m_view.Count > 0; }
    // Shows that part of the interval (fitted to it); repaints when it changed.
    void SetView(TSlotView view);
    void ResetZoom() { SetView({}); }
    // Fired after the operator zoomed or panned, so a window can show its other charts alike.
    void SetOnZoom(TChangeEvent handler) { m_onZoom = std::move(handler); }
    QAction *ActionWholeInterval() const { return m_actionWholeInterval; }
    // The hint for the pointer at x: the slot's time and each curve's value in its pen colour
    // (empty where the slot holds none); empty outside the plot.
    QString HoverText(int x) const;

    // --- data
    double TimeToIndex(TMoment t) const;
    void AddPoint(int graph, TMoment t, double v, bool alarm = false);
    // -1 for an empty slot, which a stored -1 cannot be told from: see SlotValue.
    double GetPoint(int graph, TMoment t) const;
    // The value slot of graph shows, or none when the slot is empty or out of range.
    std::optional<double> SlotValue(int graph, int slot) const;
    void DelPoint(int graph, TMoment t);
    void ResetGraph(int graph);
    void ResetMarker(int row);
    void ResetData();
    int Add_marker_point(int row, int slot, quint32 bits, bool merge);
    int Add_marker_point(int row, TMoment t, quint32 bits, bool merge);
    const TTrendStore &Store() const { return *m_store; }
    void LoadDemoData();

    // --- geometry and mappings (valid after CalcRegion)
    bool CalcRegion();
    const TTrendGeometry &Geometry() const { return m_geo; }
    TMoment FirstXNet() const { return m_firstXNet; }
    double IndexToScreenX(double index) const { return m_geo.IndexToScreenX(index); }
    double TimeToScreenX(TMoment t) const { return IndexToScreenX(TimeToIndex(t)); }
    double YToScreen(double v) const { return m_geo.YToScreen(v, m_yMin); }
    double ScreenToIX(double x) const { return m_geo.ScreenToIX(x); }
    TMoment ScreenToTime(double x) const;
    void CheckAutoLimits();
    void CheckDeltaY();

    // --- drawing
    void UpdateChanges();
    bool IsDirty() const { return m_dirty; }
    // Redraws the off-screen image when dirty (the body of the paint handler).
    void Paint();
    const QImage &Bitmap() const { return m_bitmap; }
    // Draws the chart for printing at w × h pixels into the off-screen image and returns it.
    const QImage &ExportImage(int w, int h, bool plain);
    // Draws the chart into the area (x, y, w, h) of a caller's painter.
    void PaintTo(QPainter *canvas, int x, int y, int w, int h, bool plain);

    void PaintBackGround(QPainter &canvas, bool skipOuter);
    void PaintXScale(QPainter &canvas, int rightLimit);
    void PaintYScale(QPainter &canvas);
    void PaintGraphs(QPainter &canvas);
    void PaintMultiGraph(QPainter &canvas);
    void PaintMarkers(QPainter &canvas);
    void PaintCursor(QPainter &canvas);

    void LoadFromIni();
    void SaveToIni();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    template<class Draw> void PaintRuns(QPainter &canvas, Draw draw);
    template<class T> void Put(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        UpdateChanges();
    }
    void StyleChanged() { UpdateChanges(); }
    bool MarkerIxValid() const { return m_markerIx >= 0 && m_markerIx < m_markerCount; }
    bool MarkerRowUsable(int row) const;
    bool CalcRegionFor(int width, int height, double kx, double ky);
    void FollowSize(); // the off-screen image takes the control's size
    void Redraw(); // rebuilds the off-screen image when dirty
    // The export drawing shared by ExportImage and PaintTo.
    void PaintForPrint(QPainter &canvas, int width, int height, bool plain, bool drawable);
    void PaintCurves(QPainter &canvas);
    void DrawCursorLine(QPainter &canvas, const TPen &pen, TMoment t);
    // The operator's zoom: applied, then announced.
    void ZoomByOperator(TSlotView view);
    // The time grid drawn: the chart's own, or one that follows the zoom.
    TTimeLabels TimeLabels() const;
    // The moments at the plot's left and right edges.
    TMoment ViewStartTime() const;
    TMoment ViewStopTime() const;
    QString IniFilePath() const;

    std::unique_ptr<TTrendStore> m_store;
    TTrendGeometry m_geo;
    TMoment m_firstXNet = 0;
    QImage m_bitmap;
    QSize m_canvasSize; // of the picture being drawn
    bool m_dirty = true;

    TPen m_borderPen, m_labelNetPen, m_cursorPen, m_winLimitsPen, m_secondNetPen;
    TFont m_xScaleFont, m_yScaleFont, m_legendFont;
    std::array<TPen, TrendGraphCount> m_graphPens;
    std::array<double, TrendGraphCount> m_scaleLow {}, m_scaleHigh {}, m_scaleK {};
    std::array<TColor, MarkerRowCount> m_markerColor {};
    std::array<int, MarkerRowCount> m_markerWidth {}, m_markerHeight {};

    TColor m_backColor = clSilver;
    TColor m_graphBackColor = clWhite;
    int m_graphTop = 10, m_graphLeft = 30, m_graphSubWidth = 30, m_graphSubHeight = 15;
    int m_graphCount = 1;
    bool m_showScaleY = true, m_showScaleX = true;
    double m_yMax = 0, m_yMin = 0;
    bool m_autoYMax = false, m_autoYMin = false, m_autoYScale = false, m_autoYScaleFormat = true;
    bool m_positiveY = false;
    double m_minDeltaY = 0;
    int m_bestNetLineCount = 4;
    double m_yLabelStep = 0;
    double m_xLabelStep = 0;
    bool m_minXLabel = false, m_maxXLabel = false;
    QString m_scaleXFormat = QStringLiteral("hh:mm");
    QString m_scaleYFormat = QStringLiteral("###%");
    bool m_showRightScale = false;
    double m_rightYMin = 0, m_rightYMax = 0, m_rightScaleStep = 0;
    bool m_showLegend = false;
    QStringList m_legendStrings;
    bool m_showBorder = false, m_transparent = false;
    TMoment m_startTime = 0, m_stopTime = 0;
    double m_secondStep = 60;
    double m_dataStep = 60.0 / 86400.0;
    bool m_enablePresentArray = true;
    TColor m_alarmColor = clRed;
    bool m_histogramGraph = false, m_averageMode = false, m_multiScaleMode = false;
    int m_markerCount = 0, m_markerIx = 0;
    int m_arraySize = 1000;
    bool m_demoData = false;

    TVorbinCursorType m_cursorType = vb_cursor_VLine;
    double m_cursorY = 0;
    int m_cursorPosition = 0;
    bool m_showLabelNet = true, m_showSecondNet = false;
    double m_secondNetStepX = 0, m_secondNetStepY = 0;
    bool m_minYLabel = false, m_maxYLabel = false;
    QString m_addXScaleStr, m_addYScaleStr;
    bool m_autoXScaleFormat = false, m_autoRecalcScaleK = false;

    TMoment m_cursorTime = 0;
    bool m_showCursor = false;
    TMoment m_winLeftLimit = 0, m_winRightLimit = 0;
    bool m_winLeftLimitOK = false, m_winRightLimitOK = false;
    TMoment m_newStartTime = 0, m_newStopTime = 0, m_newCursorTime = 0;
    bool m_newIntervalAccepted = false;
    int m_currentGraph = 0;
    QString m_iniName;
    TChangeEvent m_onChange;
    TMouseDownEvent m_onMouseDown;

    TSlotView m_view;
    // A zoom that shows the newest slot moves on with the samples appended after it.
    bool m_followNewest = false;
    int m_lastSlot = -1; // the latest slot written since the data were reset
    std::optional<QPointF> m_dragFrom; // where a left-button press began
    TSlotView m_dragView; // the view at that moment
    bool m_dragging = false;
    TChangeEvent m_onZoom;
    QAction *m_actionWholeInterval;
};
