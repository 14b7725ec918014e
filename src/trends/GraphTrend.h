#pragma once

#include "TrendDesign.h"
#include "TrendRange.h"
#include "base/Moment.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QDateEdit;
class QImage;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
class TArrow;
class TFormMain;
class TLabel;
class TLevelGraph;
class TDayFollower;
class TFreshnessLabel;
class TOutField;
class TTrendLayout;
class TTrendLoader;

// The trend window family: one to four charts of the process records of one shift or day, kept
// up to date every 30 s, with blow-up, cursor coupling, limits kept in the window's file, value
// readout and printing through an HTML template.
class TFormGraphTrend : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxCharts = 10;
    static constexpr int UpdateInterval = 30000;

    explicit TFormGraphTrend(const TTrendWindowDef &def, QWidget *parent = nullptr);
    ~TFormGraphTrend() override;

    const TTrendWindowDef &Def() const { return FDef; }
    int ChartCount() const { return Charts.size(); }
    TLevelGraph *Chart(int position) const { return Charts.value(position); }
    // The chart of that component name, or nullptr.
    TLevelGraph *FindChart(const QString &name) const;
    // The window's components in component order (panels, labels, arrows, fields, charts).
    const QList<QWidget *> &Components() const { return FComponents; }

    void Reload();
    void CheckForUpdates();
    void TimerUpdateTimer();
    void InverseZoom(int ix);
    // Places the charts as the window shows them normally; clears every blow-up.
    void NormalLayout();
    void OnCursorMove(TLevelGraph *sender);
    // The charts of a window show the same part of the interval.
    void OnChartZoom(TLevelGraph *sender);
    void CmdShowSatelliteClick();
    // The value readout of this window (nullptr before it was first opened).
    QWidget *Satellite() const { return FSatellite; }
    // Re-runs the element set-up of creation: arrows and labels bound to the setup mode and
    // reloaded from the layout file, chart right-button settings only in setup mode.
    void ApplyLayout();
    void LoadLimits();
    void SaveLimits();
    // Writes the chart pictures and asks for the report; false when the report was not shown.
    bool Print();
    // The picture files Print writes, in chart order.
    QStringList PicturePaths() const;
    // The loaded day of the chart at position as CSV rows: the titles ("Время", then one per
    // curve), then one row per slot with its moment and an empty cell for an empty slot.
    QList<QStringList> CsvRows(int position) const;
    // Draws the legend labels and arrows that are children of chart onto image, scaled from the
    // chart's size to the image's.
    void DrawLegend(TLevelGraph *chart, QImage &image) const;

    // --- state
    TMoment Day = 0;
    int ShiftNo = 3;
    TMoment RangeStart = 0, RangeStop = 0;
    TMoment LastLoaded = 0;
    bool Loading = false;
    bool TimerBusy = false;
    bool ReloadRequested = true;
    int TickCount = 0;
    QString IniPath;
    std::array<bool, MaxCharts> Zoomed {};

    // --- controls
    QList<TLevelGraph *> Charts;
    QList<QToolButton *> ZoomButtons;
    QWidget *PanelTop;
    TLabel *LabelLeft;
    TLabel *LabelTop;
    QWidget *PanelTopRight;
    QComboBox *ComboBox1;
    QDateEdit *DateTimePicker1;
    QPushButton *ButReload;
    QLabel *WaitPanel;
    // How fresh the charts are, in the top panel.
    TFreshnessLabel *LabelFreshness;
    QTimer *TimerUpdate;
    QMenu *PopupMenu1 = nullptr;
    QAction *CmdShowSatellite = nullptr;
    // The flow-divider window's bottom panel.
    QWidget *PanelBottom = nullptr;
    QWidget *PanelBottomLeft = nullptr, *PanelBottomCenter = nullptr, *PanelBottomRight = nullptr;
    TOutField *OutFieldCurTime = nullptr;
    TOutField *OutFieldCursorVal = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Builds the readout of this window; the windows that have one override it.
    virtual QWidget *CreateSatellite() { return nullptr; }

private:
    // Records from `from` to the end of the range into the charts, as the range's slots take them.
    int LoadRecords(TMoment from);
    void CreateControls();
    TLevelGraph *CreateChart(const TTrendChartDef &def, int position);
    void CreateDividerPanel();
    void ApplyLegendPens();
    void FormResize();
    void PanelBottomResize();
    void LevelGraphDSUSChange(TLevelGraph *sender);
    // The flow-divider readout of the cursor after a load.
    void ShowDividerReadout();
    void OnLevelGraphMouseDown(TLevelGraph *sender, Qt::MouseButton button);
    // The chart under a point given in global coordinates, or nullptr.
    TLevelGraph *ChartAt(const QPoint &globalPos) const;
    QString Where(const char *method) const;

    TTrendSpan FSpan; // of the last load
    TTrendWindowDef FDef;
    QList<QWidget *> FComponents;
    std::unique_ptr<TTrendLayout> FLayout;
    std::unique_ptr<TTrendLoader> FLoader;
    bool FFirstShowDone = false;
    bool FHasRecords = false; // the loaded range holds records
    TDayFollower *FFollower;
    QPointer<QWidget> FSatellite;
};
