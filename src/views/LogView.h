#pragma once

#include "base/Moment.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QSqlError;
class TDayFollower;
class TFreshnessLabel;
class QDateEdit;
class QLabel;
class QTimer;
class TDataGrid;
class TGridPrinter;

// The event journal: the control_log rows of one shift or one working day, reloaded while new rows
// arrive for the shown period, printed with the period in the page header.
class TFormLogView : public QWidget
{
    Q_OBJECT

public:
    explicit TFormLogView(QWidget *parent = nullptr);
    ~TFormLogView() override;

    // Reads the journal for the day and shift chosen in the controls.
    void Load();
    void TimerAutoRefreshTimer();
    // The print preview of the shown rows.
    void Print();

    TMoment PeriodStart() const { return FPeriodStart; }
    TMoment PeriodStop() const { return FPeriodStop; }
    int Shift() const { return FShift; }
    bool Busy() const { return FBusy; }
    // Keeps the picker and the shift box on the shift the operator is working.
    TDayFollower *Follower() const { return FFollower; }
    // Fills the shown period into the page header and returns the header as it prints.
    QString PrintHeader();

    QWidget *PanelTop;
    QLabel *LabelTop2;
    QDateEdit *DateTimePicker1;
    QComboBox *ComboBox1;
    // How fresh the rows are, or why they could not be loaded.
    TFreshnessLabel *LabelFreshness;
    TDataGrid *Grid;
    QTimer *TimerAutoRefresh;

signals:
    // A load ran to its end (successful or not).
    void Loaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void PanelTopResize();
    void TimerQueryFailed(const QSqlError &error);
    // The first load that waited for the link, or the reload once a lost link is back.
    void LinkOpened();
    // The item whose text the combo box shows; -1 for typed text that names none.
    int ComboItemIndex() const;

    std::unique_ptr<TGridPrinter> FPrinter;
    TDayFollower *FFollower;
    TMoment FDay = 0;
    TMoment FPeriodStart = 0;
    TMoment FPeriodStop = 0;
    TMoment FLastSeen = 0;
    int FShift = -1;
    bool FBusy = false;
    bool FShownOnce = false;
    bool FLoaded = false; // the grid holds the rows of the shown period
    bool FTimerFailing = false; // the timer's query failed and its box was shown
};

extern TFormLogView *FormLogView;
