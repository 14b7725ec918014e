#include "Utils.h"

#include "Global.h"
#include "base/Formats.h"

#include <cmath>

QString TimeRangeWhere(TMoment start, TMoment stop)
{
    const QString pattern = QStringLiteral("yyyy-mm-dd hh:nn:ss");
    return QStringLiteral(" where RecMoment >= '") + FormatDateTime(pattern, start)
        + QStringLiteral("' and RecMoment <= '") + FormatDateTime(pattern, stop)
        + QStringLiteral("'");
}

bool ShiftRange(TMoment date, int kind, TMoment &start, TMoment &stop)
{
    const TMoment halfDayLessSecond = 12 * OneHour - OneSecond;
    start = std::trunc(date) + DateIncrement + FirstChangeStart * OneHour;
    switch (kind) {
    case 1:
        stop = start + halfDayLessSecond;
        break;
    case 2:
        start += 12 * OneHour;
        stop = start + halfDayLessSecond;
        break;
    default:
        stop = start + 24 * OneHour - OneSecond;
        break;
    }
    return true;
}

namespace {

// Whole seconds since the start of the day range of date 0: moments are doubles, and a stop like
// 06:59:59 must never round into the next day.
qint64 SecondsIntoDays(TMoment moment)
{
    return std::llround((moment - DateIncrement - FirstChangeStart * OneHour) * 86400.0);
}

qint64 FloorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

TMoment ProductionDayOf(TMoment moment)
{
    return static_cast<TMoment>(FloorDiv(SecondsIntoDays(moment), 86400));
}

int ShiftOf(TMoment moment)
{
    const qint64 seconds = SecondsIntoDays(moment);
    return seconds - FloorDiv(seconds, 86400) * 86400 < 12 * 3600 ? 1 : 2;
}

QString SqlFloat(double x)
{
    return FloatToStr(x).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString SqlQuote(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("NULL");
    QString quoted;
    quoted.reserve(text.size() + 8);
    quoted += QLatin1Char('\'');
    for (const QChar c : text) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('\\') || c == QLatin1Char('"'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('\'');
    return quoted;
}

namespace {

double Interpolate(double x, double x0, double y0, double x1, double y1)
{
    const double d = x1 - x0;
    if (d == 0)
        return y0;
    return y0 + (x - x0) * (y1 - y0) / d;
}

// Index of the point nearest to `from` on the given side (below: largest x < from; above:
// smallest x > from); the earlier index wins a tie; -1 when there is none.
int Neighbour(const TCalibrationTable &t, double from, bool below)
{
    int found = -1;
    for (int i = 0; i < t.Count; ++i) {
        const double xi = t.X[i];
        if (below ? !(xi < from) : !(xi > from))
            continue;
        if (found < 0 || (below ? xi > t.X[found] : xi < t.X[found]))
            found = i;
    }
    return found;
}

} // namespace

double LookupCalibration(double x, const TCalibrationTable *table, bool clampAtZero)
{
    if (!table || table->Count < 1 || table->Count >= 100)
        return 0;
    const TCalibrationTable &t = *table;
    if (t.Count == 1)
        return t.Y[0];

    double r;
    if (t.Count == 2) {
        r = Interpolate(x, t.X[0], t.Y[0], t.X[1], t.Y[1]);
    } else {
        for (int i = 0; i < t.Count; ++i) {
            if (t.X[i] == x)
                return t.Y[i];
        }
        int lower = Neighbour(t, x, true);
        int upper = Neighbour(t, x, false);
        // A NaN argument (or NaN points) has no neighbours at all: nothing to read.
        if (lower < 0 && upper < 0)
            return 0;
        // Outside the table: extrapolate along the two outermost points.
        if (upper < 0) {
            upper = lower;
            lower = Neighbour(t, t.X[upper], true);
            if (lower < 0)
                return t.Y[upper];
        } else if (lower < 0) {
            lower = upper;
            upper = Neighbour(t, t.X[lower], false);
            if (upper < 0)
                return t.Y[lower];
        }
        r = Interpolate(x, t.X[lower], t.Y[lower], t.X[upper], t.Y[upper]);
    }
    if (clampAtZero && r < 0)
        return 0;
    return r;
}
