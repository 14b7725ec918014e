#pragma once

#include "base/Moment.h"

#include <QString>
#include <QVector>
#include <QWidget>
#include <memory>

class QDateEdit;
class QLabel;
class QPushButton;
class QTimer;
class TDataGrid;
class TDayFollower;
class TFreshnessLabel;
class TGridPrinter;

// One row of the summary: its number, name and inclusive period.
struct TSvodPeriod
{
    int Npp = 0;
    QString Name;
    TMoment Start = 0;
    TMoment Stop = 0;
};

// The summary's four periods for the day that holds date: shift 1, shift 2, the working day, and
// the month from the working day of its first date to the end of that day.
QVector<TSvodPeriod> SvodPeriods(TMoment date);
// The one statement that computes every figure of the summary, one union row per period.
QString SvodStatement(const QVector<TSvodPeriod> &periods);

// The summary table: work time of the hydrocyclone and the conveyor scales' totals per shift, day
// and month, reloaded while the present lies in the shown range.
class TFormSvodTable : public QWidget
{
    Q_OBJECT

public:
    explicit TFormSvodTable(QWidget *parent = nullptr);
    ~TFormSvodTable() override;

    // Rebuilds and runs the statement for the picker's date.
    void Reload();
    void TimerUpdateTimer();
    // The landscape print preview of the table.
    void Print();
    // Fills the caption and date into the page header and returns the header as it prints.
    QString PrintHeader();

    TMoment PeriodStart() const { return FPeriodStart; }
    TMoment PeriodStop() const { return FPeriodStop; }
    bool ReloadBusy() const { return FReloadBusy; }
    // Keeps the picker on the working day that holds the present.
    TDayFollower *Follower() const { return FFollower; }

    QWidget *PanelTop;
    QLabel *LabelCaption;
    QDateEdit *DateTimePicker1;
    // How fresh the figures are, or why they could not be loaded.
    TFreshnessLabel *LabelFreshness;
    QWidget *PanelLeft;
    QWidget *PanelCenter;
    QWidget *PanelRight;
    QWidget *PanelDown;
    TDataGrid *Grid;
    QLabel *WaitPanel;
    QPushButton *ButReload;
    QTimer *TimerUpdate;

signals:
    // A reload ran to its end (successful or not).
    void Reloaded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void PanelTopResize();
    // The first load that waited for the link, or the reload once a lost link is back.
    void LinkOpened();
    void ReloadSoon();

    std::unique_ptr<TGridPrinter> FPrinter;
    TDayFollower *FFollower;
    TMoment FDay = 0;
    TMoment FPeriodStart = 0;
    TMoment FPeriodStop = 0;
    TMoment FLastReload = 0;
    int FTickCount = 0;
    bool FReloadWanted = true;
    bool FTimerBusy = false;
    bool FReloadBusy = false;
    bool FShownOnce = false;
    bool FReloadedOnce = false;
};

extern TFormSvodTable *FormSvodTable;
