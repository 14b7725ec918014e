#pragma once

#include "base/Moment.h"

#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The alarm-rate figures of a period, as alarm management judges an alarm system by them, read
// from alarm_log.
struct TAlarmRateFigures
{
    int Total = 0; // activations in the period
    int Intervals = 0; // ten-minute intervals in the period
    double AveragePer10Min = 0;
    int PeakPer10Min = 0;
    int FloodIntervals = 0; // intervals with more than FloodLimit activations
    QVector<QPair<QString, int>> TopCodes; // at most ten, the most frequent first
    int TopCount = 0; // their activations together
    QStringList Chattering; // codes activated ChatterCount times within a minute
    int StandingMostOnADay = 0; // the most alarms standing longer than 24 h on one day
    std::optional<double> AckMedianSeconds;
    std::optional<double> AckLongestSeconds;
    QVector<int> PerHour; // activations in each hour of the period, for the bar chart

    double FloodShare() const { return Intervals ? 100.0 * FloodIntervals / Intervals : 0; }
    double TopShare() const { return Total ? 100.0 * TopCount / Total : 0; }
};

inline constexpr int FloodLimit = 10; // activations in ten minutes
inline constexpr int ChatterCount = 3; // activations of one code within a minute

enum class TStatsPeriod { Day, Week, Month };
// The range of a period that ends with the given working day: that day, the seven days up to it,
// or the days of its month up to it.
void StatsPeriodRange(TMoment day, TStatsPeriod period, TMoment &start, TMoment &stop);

// Reads the figures of start .. stop (inclusive); alarms still active count as standing until
// now or the stop, whichever is earlier. False with the server's text on failure.
bool ReadAlarmRates(const QSqlDatabase &db, TMoment start, TMoment stop, TMoment now,
                    TAlarmRateFigures &figures, QString &error);

// One line of the figures table: the figure, its value, the target it is judged by, and whether
// it misses the target.
struct TFigureRow
{
    QString Name;
    QString Value;
    QString Target;
    bool Missed = false;
    bool Judged = true; // false: a figure shown without a target
};
QVector<TFigureRow> FigureRows(const TAlarmRateFigures &figures);
