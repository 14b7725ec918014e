#pragma once

#include "alarms/AlarmStatistics.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class TDataGrid;
class TGridPrinter;

// Bars of the alarms per hour of a period, drawn by a renderer that paints on any device, so the
// screen and the printed page show the same chart.
class TAlarmRateChart : public QWidget
{
    Q_OBJECT

public:
    explicit TAlarmRateChart(QWidget *parent = nullptr);
    void SetCounts(const QVector<int> &perHour, TMoment start);
    const QVector<int> &Counts() const { return FCounts; }
    void Render(QPainter &painter, const QRect &area) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<int> FCounts;
    TMoment FStart = 0;
};

// The tab "Статистика" of the alarm window: the alarm-rate figures of a working day, a week or a
// month of them, each beside its target and marked where it misses it.
class TAlarmStatsTab : public QWidget
{
    Q_OBJECT

public:
    explicit TAlarmStatsTab(QWidget *parent = nullptr);
    ~TAlarmStatsTab() override;

    // Reads the figures of the chosen period from alarm_log.
    void Load();
    void Print();
    // The page header as it prints, with the period and the chart's picture.
    QString PrintHeader();

    const TAlarmRateFigures &Figures() const { return FFigures; }
    QComboBox *ComboPeriod;
    QDateEdit *DatePeriod;
    QPushButton *ButShow;
    QLabel *LabelState;
    TDataGrid *GridFigures;
    TAlarmRateChart *Chart;

private:
    std::unique_ptr<TGridPrinter> FPrinter;
    TAlarmRateFigures FFigures;
    TMoment FStart = 0;
    TMoment FStop = 0;
};
