#include "alarms/AlarmStatistics.h"

#include "app/Utils.h"
#include "base/Formats.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

QString SqlTime(TMoment moment)
{
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

// Runs a statement and hands each row to take; throws with the server's text.
template<class Take> void ForEachRow(const QSqlDatabase &db, const QString &sql, Take take)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        throw std::runtime_error(query.lastError().text().toStdString());
    while (query.next())
        take(query);
}

int WholeSeconds(TMoment from, TMoment to)
{
    return static_cast<int>(std::llround((to - from) * 86400.0));
}

QString Number(double value, const QString &picture = QStringLiteral("#0.0"))
{
    return FormatFloat(picture, value);
}

QString Duration(std::optional<double> seconds)
{
    if (!seconds)
        return QStringLiteral("нет квитированных");
    const qint64 s = std::llround(*seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

void StatsPeriodRange(TMoment day, TStatsPeriod period, TMoment &start, TMoment &stop)
{
    TMoment first = std::trunc(day);
    if (period == TStatsPeriod::Week) {
        first -= 6;
    } else if (period == TStatsPeriod::Month) {
        QDate date;
        QTime time;
        DecodeMoment(first, date, time);
        first -= date.day() - 1;
    }
    TMoment ignored = 0;
    ShiftRange(first, 3, start, ignored);
    ShiftRange(day, 3, ignored, stop);
}

bool ReadAlarmRates(const QSqlDatabase &db, TMoment start, TMoment stop, TMoment now,
                    TAlarmRateFigures &figures, QString &error)
{
    figures = {};
    const int seconds = WholeSeconds(start, stop) + 1;
    figures.Intervals = (seconds + 599) / 600;
    figures.PerHour.fill(0, (seconds + 3599) / 3600);
    const QString s = SqlTime(start);
    const QString inPeriod =
        QStringLiteral(" from alarm_log where Activated between %1 and %2").arg(s, SqlTime(stop));
    try {
        // Counts per ten minutes and per hour in one pass.
        ForEachRow(
            db,
            QStringLiteral("select timestampdiff(second, %1, Activated) div 600, count(*)").arg(s)
                + inPeriod + QStringLiteral(" group by 1"),
            [&](QSqlQuery &q) {
                const int n = q.value(1).toInt();
                figures.Total += n;
                figures.PeakPer10Min = std::max(figures.PeakPer10Min, n);
                figures.FloodIntervals += n > FloodLimit;
                const int hour = q.value(0).toInt() / 6;
                if (hour >= 0 && hour < figures.PerHour.size())
                    figures.PerHour[hour] += n;
            });
        figures.AveragePer10Min = figures.Intervals ? double(figures.Total) / figures.Intervals : 0;
        ForEachRow(db,
                   QStringLiteral("select Code, count(*) n") + inPeriod
                       + QStringLiteral(" group by Code order by n desc, Code limit 10"),
                   [&](QSqlQuery &q) {
                       figures.TopCodes.append({q.value(0).toString(), q.value(1).toInt()});
                       figures.TopCount += q.value(1).toInt();
                   });
        // A code chatters when its activation two further on comes within a minute.
        ForEachRow(
            db,
            QStringLiteral("select distinct Code from (select Code, Activated, lead(Activated, "
                           "%1) over (partition by Code order by Activated) Later")
                    .arg(ChatterCount - 1)
                + inPeriod
                + QStringLiteral(") t where Later <= Activated + interval 1 minute"
                                 " order by Code"),
            [&](QSqlQuery &q) { figures.Chattering << q.value(0).toString(); });
        // Alarms that stood longer than a day at some moment of the period: each counts on the
        // days from its 24th hour up to its return.
        const TMoment end = std::min(stop, now);
        QVector<int> standing(std::max(1, WholeSeconds(start, stop) / 86400 + 1), 0);
        ForEachRow(db,
                   QStringLiteral("select Activated, Returned from alarm_log where Activated <= %1 "
                                  "and Activated + interval 1 day <= %1 and (Returned is null or "
                                  "Returned > Activated + interval 1 day) and (Returned is null "
                                  "or Returned >= %2)")
                       .arg(SqlTime(end), s),
                   [&](QSqlQuery &q) {
                       const TMoment from =
                           DateTimeToMoment(q.value(0).toDateTime()) + 1; // 24 hours on
                       const TMoment to =
                           q.value(1).isNull() ? end : DateTimeToMoment(q.value(1).toDateTime());
                       const int first = std::max(0, int(std::floor(from - start)));
                       const int last =
                           std::min(int(standing.size()) - 1, int(std::floor(to - start)));
                       for (int day = first; day <= last; ++day)
                           ++standing[day];
                   });
        figures.StandingMostOnADay = *std::max_element(standing.begin(), standing.end());
        QVector<double> ack;
        ForEachRow(db,
                   QStringLiteral("select timestampdiff(second, Activated, AckedAt)") + inPeriod
                       + QStringLiteral(" and AckedAt is not null order by 1"),
                   [&](QSqlQuery &q) { ack << q.value(0).toDouble(); });
        if (!ack.isEmpty()) {
            const qsizetype mid = ack.size() / 2;
            figures.AckMedianSeconds = ack.size() % 2 ? ack[mid] : (ack[mid - 1] + ack[mid]) / 2;
            figures.AckLongestSeconds = ack.last();
        }
    } catch (const std::runtime_error &failure) {
        error = QString::fromStdString(failure.what());
        return false;
    }
    return true;
}

QVector<TFigureRow> FigureRows(const TAlarmRateFigures &f)
{
    QStringList top;
    for (const auto &[code, count] : f.TopCodes)
        top << QStringLiteral("%1 (%2)").arg(code).arg(count);
    return {
        {QStringLiteral("Тревог за 10 минут, в среднем"),
         Number(f.AveragePer10Min, QStringLiteral("#0.00")),
         QStringLiteral("около 1 — приемлемо, около 2 — предел управляемости"),
         f.AveragePer10Min > 2},
        {QStringLiteral("Тревог за 10 минут, наибольшее"), QString::number(f.PeakPer10Min),
         QStringLiteral("не более %1").arg(FloodLimit), f.PeakPer10Min > FloodLimit},
        {QStringLiteral("Доля 10-минутных интервалов с лавиной тревог (более %1)").arg(FloodLimit),
         Number(f.FloodShare()) + QStringLiteral(" %"), QStringLiteral("менее 1 %"),
         f.FloodShare() >= 1},
        {QStringLiteral("Десять самых частых тревог: ") + top.join(QStringLiteral(", ")),
         Number(f.TopShare()) + QStringLiteral(" % всех тревог"),
         QStringLiteral("от 1 до 5 % вместе"), f.TopShare() > 5},
        {QStringLiteral("Дребезжащие тревоги (%1 и более за минуту)").arg(ChatterCount),
         f.Chattering.isEmpty() ? QStringLiteral("нет") : f.Chattering.join(QStringLiteral(", ")),
         QStringLiteral("нет"), !f.Chattering.isEmpty()},
        {QStringLiteral("Тревог, стоящих дольше 24 часов, за сутки наибольшее"),
         QString::number(f.StandingMostOnADay), QStringLiteral("менее 5 в любые сутки"),
         f.StandingMostOnADay >= 5},
        {QStringLiteral("Время квитирования, медиана"), Duration(f.AckMedianSeconds),
         QStringLiteral("—"), false, false},
        {QStringLiteral("Время квитирования, наибольшее"), Duration(f.AckLongestSeconds),
         QStringLiteral("—"), false, false},
    };
}
