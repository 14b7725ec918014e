#include "TrendLoader.h"

#include "app/Connection.h"
#include "app/FreshnessLabel.h"
#include "app/Utils.h"
#include "charts/LevelGraph.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
constexpr int YieldEvery = 20;
constexpr int RedrawEvery = 60;
constexpr int ProgressRedrawMs = 250;
} // namespace

TTrendLoadError::TTrendLoadError(const QString &reason)
    : std::runtime_error(reason.toStdString())
    , Reason(reason)
{ }

TTrendLoader::TTrendLoader(QList<TTrendSource> sources, TTrendFillRule rule)
    : FSources(std::move(sources))
    , FRule(rule)
{
    for (const TTrendSource &source : std::as_const(FSources))
        if (!FCharts.contains(source.Chart))
            FCharts << source.Chart;
}

void TTrendLoader::SetRange(TMoment start, TMoment stop, TMoment labelStep) const
{
    for (TLevelGraph *chart : FCharts) {
        chart->SetXLabelStep(labelStep);
        chart->SetNewIntervalAccepted(false);
        chart->SetNewStartTime(start);
        chart->SetNewStopTime(stop);
        chart->SetNewCursorTime((start + stop) / 2);
        chart->SetNewIntervalAccepted(true);
        chart->ResetData();
        chart->CalcRegion();
    }
}

int TTrendLoader::Load(TMoment from, TMoment to, TMoment &lastLoaded) const
{
    if (!SQLConnection1().Connected())
        throw TTrendLoadError(TFreshnessLabel::NoLinkReason());
    QSqlQuery query(SQLConnection1().Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select * from pu_data") + TimeRangeWhere(from, to)
                    + QStringLiteral(" order by RecMoment")))
        throw TTrendLoadError(TFreshnessLabel::ReasonOf(query.lastError()));

    const QSqlRecord record = query.record();
    QVarLengthArray<int, 16> fields;
    for (const TTrendSource &source : FSources) {
        fields << record.indexOf(source.Column);
        if (fields.last() < 0)
            throw TTrendLoadError(QStringLiteral("нет столбца ") + source.Column);
    }
    const int momentField = record.indexOf(QStringLiteral("RecMoment"));
    if (momentField < 0)
        throw TTrendLoadError(QStringLiteral("нет столбца RecMoment"));

    TTrendFill fill(
        FSources.size(),
        [this](int k, TMoment at, double value) {
            FSources.at(k).Chart->AddPoint(FSources.at(k).Graph, at, value, false);
        },
        FRule);
    QVarLengthArray<std::optional<double>, 16> values(FSources.size());
    QElapsedTimer progress;
    progress.start();
    int count = 0;
    for (; query.next(); ++count) {
        if (count % YieldEvery == 0)
            QCoreApplication::processEvents();
        for (int k = 0; k < fields.size(); ++k) {
            // A field the acquisition side could not read stays out of the charts.
            values[k] = query.isNull(fields[k])
                ? std::nullopt
                : std::optional<double>(query.value(fields[k]).toDouble());
        }
        fill.Add(DateTimeToMoment(query.value(momentField).toDateTime()),
                 {values.data(), size_t(values.size())});
        lastLoaded = fill.LastHeld();
        // Partial curves are drawn only while a load is slow enough for the operator to wait
        // on it; a fast load draws once, at its end.
        if (count % RedrawEvery == 0 && progress.elapsed() >= ProgressRedrawMs) {
            for (TLevelGraph *chart : FCharts)
                chart->UpdateChanges();
            progress.restart();
        }
    }
    query.finish();
    return count;
}

void TTrendLoader::Finish() const
{
    for (TLevelGraph *chart : FCharts) {
        chart->UpdateChanges();
        if (chart->GetYMax() < 5)
            chart->SetYMax(5);
    }
}
