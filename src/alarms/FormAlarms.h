#pragma once

#include "alarms/AlarmFrames.h"
#include "alarms/AlarmMonitor.h"

#include <QPointer>
#include <QSet>
#include <QVariant>
#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class TAlarmBanner;
class TAlarmStatsTab;
class TDataGrid;
class TGridPrinter;

// The alarm window: tab "Текущие" with the alarms not back to normal (acknowledge, shelve, return
// from shelving), tab "Архив" with the activations of a range of production days; the banner in the
// main frame's info panel and the frames on the diagram's value fields follow the same alarms.
class TFormAlarms : public QWidget
{
    Q_OBJECT

public:
    // The station's alarms, on the main frame's link and tick.
    explicit TFormAlarms(QWidget *parent = nullptr);
    // Alarms of the given source; ticks come from the caller (tests, benchmarks) unless a main
    // frame exists.
    TFormAlarms(QWidget *parent, TAlarmSource source);
    ~TFormAlarms() override;

    // Shows the monitor's alarms: the current tab, the banner, the frames, the storage note.
    void Refresh();
    // Reads the archive tab's range.
    void LoadArchive();
    // Print preview of the tab in front.
    void Print();
    // The value fields of this diagram get the alarm frames.
    void BindDiagram(QWidget *diagram);
    // The alarm of the current tab's selected row, or null.
    const TAlarm *SelectedAlarm() const;
    const QVector<TAlarm> &ShownAlarms() const { return FShown; }
    QString PrintHeader();

    void ButAckClick();
    void ButAckAllClick();
    void ButShelveClick();
    void ButUnshelveClick();

    TAlarmMonitor *Monitor;
    TAlarmBanner *Banner;
    QLabel *LabelStore;
    QTabWidget *PageControl;
    QWidget *TabCurrent;
    TDataGrid *GridCurrent;
    QPushButton *ButAck;
    QPushButton *ButAckAll;
    QPushButton *ButShelve;
    QPushButton *ButUnshelve;
    QWidget *TabArchive;
    QDateEdit *DateFrom;
    QDateEdit *DateTo;
    QComboBox *ComboCode;
    QPushButton *ButShow;
    QLabel *LabelArchive;
    TDataGrid *GridArchive;
    TAlarmStatsTab *TabStatistics;
    QTimer *TimerFlash;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateCurrentTab();
    void CreateArchiveTab();
    void ShowBanner(TMoment now);
    void UpdateButtons();

    TAlarmSource FSource;
    QPointer<TAlarmBanner> FBannerGuard; // the frame's panel may delete the banner first
    QVector<TAlarm> FShown;
    QVector<QVector<QVariant>> FShownRows;
    TAlarmFrames FFrames;
    std::unique_ptr<TGridPrinter> FPrintCurrent;
    std::unique_ptr<TGridPrinter> FPrintArchive;
    QSet<QString> FBeeped; // unacknowledged high-priority activations already announced
    bool FFlashOn = true;
    bool FArchiveLoaded = false;
    TMoment FArchiveStart = 0;
    TMoment FArchiveStop = 0;
};

extern TFormAlarms *FormAlarms;
