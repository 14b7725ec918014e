#include "Moment.h"

#include <cmath>

namespace {

const QDate &MomentEpoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

constexpr qint64 MSecsPerDay = 86400000;
// Years 1..9999 keep every conversion inside what QDate and a double handle exactly.
constexpr double MinMoment = -693593.0;
constexpr double MaxMoment = 2958466.0;

TMoment Compose(const QDate &date, qint64 msecOfDay)
{
    const double day = double(MomentEpoch().daysTo(date));
    const double fraction = double(msecOfDay) / double(MSecsPerDay);
    return day >= 0 ? day + fraction : day - fraction;
}

TMoment nowOverride = 0;

} // namespace

void DecodeMoment(TMoment moment, QDate &date, QTime &time)
{
    date = QDate();
    time = QTime();
    if (!std::isfinite(moment) || moment < MinMoment || moment >= MaxMoment)
        return;
    const double day = std::trunc(moment);
    qint64 msec = std::llround(std::fabs(moment - day) * double(MSecsPerDay));
    date = MomentEpoch().addDays(qint64(day));
    if (msec >= MSecsPerDay) { // rounding reached midnight of the next calendar day
        date = date.addDays(1);
        msec = 0;
    }
    time = QTime::fromMSecsSinceStartOfDay(int(msec));
}

TMoment DateTimeToMoment(const QDateTime &local)
{
    // A local date-time in a spring-forward gap is not a valid instant, yet its wall-clock fields
    // are still what the operator chose.
    const QDateTime wall =
        local.timeSpec() == Qt::LocalTime || !local.isValid() ? local : local.toLocalTime();
    if (!wall.date().isValid() || !wall.time().isValid())
        return std::nan("");
    return Compose(wall.date(), wall.time().msecsSinceStartOfDay());
}

QDateTime MomentToDateTime(TMoment moment)
{
    QDate date;
    QTime time;
    DecodeMoment(moment, date, time);
    if (!date.isValid())
        return {};
    const QDateTime local(date, time, Qt::LocalTime);
    if (local.isValid())
        return local;
    // No such wall-clock time (the clock jumped over it): the instant as if it had not jumped.
    return QDateTime(date, QTime(0, 0), Qt::LocalTime).addMSecs(time.msecsSinceStartOfDay());
}

TMoment EncodeMoment(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const QDate date(year, month, day);
    if (!date.isValid() || !QTime::isValid(hour, minute, second, msec))
        return std::nan("");
    return Compose(date, QTime(hour, minute, second, msec).msecsSinceStartOfDay());
}

qint64 MomentSeconds(TMoment moment)
{
    return std::llround(moment * 86400.0);
}

TMoment MomentDate(TMoment moment)
{
    return std::trunc(moment);
}

TMoment MomentTime(TMoment moment)
{
    return std::fabs(moment - std::trunc(moment));
}

TMoment Now()
{
    if (nowOverride != 0)
        return nowOverride;
    return DateTimeToMoment(QDateTime::currentDateTime());
}

void SetNowOverride(TMoment moment)
{
    nowOverride = moment;
}
