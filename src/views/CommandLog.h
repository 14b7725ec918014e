#pragma once

#include "base/Moment.h"

#include <QWidget>
#include <memory>

class QDateEdit;
class QLabel;
class QTimer;
class TDataGrid;
class TDayFollower;
class TFreshnessLabel;
class TGridPrinter;

// The journal of set-point commands: the control_vector rows of one working day, who sent each,
// whether the acquisition side took it up and whether the process records carried it.
class TFormCommandLog : public QWidget
{
    Q_OBJECT

public:
    explicit TFormCommandLog(QWidget *parent = nullptr);
    ~TFormCommandLog() override;

    // Reads the commands of the day chosen in the picker; a busy or linkless call says why on the
    // freshness line and leaves the rows as they are.
    void Load();
    void Print();

    TMoment PeriodStart() const { return FPeriodStart; }
    TMoment PeriodStop() const { return FPeriodStop; }
    // The statement for a period, as the server runs it: the state is judged by the server's
    // clock, the same clock that stamped the command.
    static QString LoadText(TMoment start, TMoment stop);

    QWidget *PanelTop;
    QLabel *LabelTop;
    QDateEdit *DateTimePicker1;
    TFreshnessLabel *LabelFreshness;
    TDataGrid *Grid;
    QTimer *TimerAutoRefresh;
    TDayFollower *DayFollower;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<TGridPrinter> FPrinter;
    TMoment FPeriodStart = 0;
    TMoment FPeriodStop = 0;
    bool FBusy = false;
    bool FLoaded = false;
};
