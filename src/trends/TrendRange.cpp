#include "TrendRange.h"

#include "TrendLoader.h"
#include "app/Connection.h"
#include "app/FreshnessLabel.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"

#include <QCoreApplication>
#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {
constexpr int YieldEvery = 100;
constexpr double WeekSlotSeconds = 10 * 60;
constexpr double MonthSlotSeconds = 30 * 60;
} // namespace

QStringList TrendRangeNames()
{
    return {QStringLiteral("Смена №1"), QStringLiteral("Смена №2"), QStringLiteral("Обе смены"),
            QStringLiteral("Неделя"), QStringLiteral("Месяц")};
}

bool TrendSpan(TMoment day, int rangeNo, TTrendSpan &span)
{
    if (rangeNo < RangeFirstShift || rangeNo > RangeMonth)
        return false;
    span = {};
    if (rangeNo <= RangeDay) {
        span.LabelStep = rangeNo == RangeDay ? 2 * OneHour : OneHour;
        span.LabelFormat = QStringLiteral("hh:mm");
        return ShiftRange(day, rangeNo, span.Start, span.Stop);
    }
    TMoment firstStop = 0, lastStart = 0;
    TMoment firstDay = day - 6;
    if (rangeNo == RangeMonth) {
        const QDate date = MomentToDateTime(day).date();
        firstDay = EncodeMoment(date.year(), date.month(), 1);
    }
    span.SlotSeconds = rangeNo == RangeWeek ? WeekSlotSeconds : MonthSlotSeconds;
    span.LabelStep = rangeNo == RangeWeek ? 1 : 2;
    span.LabelFormat = QStringLiteral("dd.mm");
    return ShiftRange(firstDay, RangeDay, span.Start, firstStop)
        && ShiftRange(day, RangeDay, lastStart, span.Stop);
}

int LoadSlotExtremes(const TTrendLoader &loader, const TTrendSpan &span, TMoment from, TMoment to,
                     TMoment &lastLoaded)
{
    if (!SQLConnection1().Connected())
        throw TTrendLoadError(TFreshnessLabel::NoLinkReason());
    const QList<TTrendSource> &sources = loader.Sources();
    const QString origin = FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), span.Start);
    QStringList columns;
    for (const TTrendSource &source : sources)
        columns << QStringLiteral("min(%1), max(%1)").arg(source.Column);
    const QString slot = QStringLiteral("(to_seconds(RecMoment) - to_seconds('%1')) div %2")
                             .arg(origin, QString::number(qint64(span.SlotSeconds)));
    QSqlQuery query(SQLConnection1().Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select %1 as slot, max(RecMoment), %2 from pu_data")
                        .arg(slot, columns.join(QStringLiteral(", ")))
                    + TimeRangeWhere(from, to) + QStringLiteral(" group by slot order by null")))
        throw TTrendLoadError(TFreshnessLabel::ReasonOf(query.lastError()));

    const TMoment slotDays = span.SlotSeconds * OneSecond;
    int count = 0;
    for (; query.next(); ++count) {
        if (count % YieldEvery == 0)
            QCoreApplication::processEvents();
        const TMoment at = span.Start + query.value(0).toLongLong() * slotDays;
        for (int k = 0; k < sources.size(); ++k) {
            const TTrendSource &source = sources.at(k);
            // The chart's own slot keeps the two as its minimum and maximum.
            for (int field : {2 + 2 * k, 3 + 2 * k})
                if (!query.isNull(field))
                    source.Chart->AddPoint(source.Graph, at, query.value(field).toDouble(), false);
        }
        // Unsorted, which spares the server a sort; the newest moment is the largest.
        const TMoment newest = DateTimeToMoment(query.value(1).toDateTime());
        if (count == 0 || newest > lastLoaded)
            lastLoaded = newest;
    }
    query.finish();
    return count;
}
