#pragma once

#include "TrendFill.h"

#include <QList>
#include <QString>
#include <stdexcept>

class TLevelGraph;

// One curve of a trend window: a pu_data column drawn as one graph of a chart.
struct TTrendSource
{
    TLevelGraph *Chart;
    int Graph;
    QString Column;
};

// A load that did not reach the charts, with its reason in the operator's words.
class TTrendLoadError : public std::runtime_error
{
public:
    explicit TTrendLoadError(const QString &reason);
    QString Reason;
};

// Loads process records from pu_data on the shared link into trend charts by the sample-and-hold
// fill. Loading lets pending window messages run every 20 records, so its caller guards itself
// against a second load.
class TTrendLoader
{
public:
    explicit TTrendLoader(QList<TTrendSource> sources, TTrendFillRule rule = {});

    // The charts of the sources, each once, in their order.
    QList<TLevelGraph *> Charts() const { return FCharts; }
    const QList<TTrendSource> &Sources() const { return FSources; }
    // Switches every chart to start..stop in one step with the cursor in the middle, grid lines
    // labelStep apart, and empties it.
    void SetRange(TMoment start, TMoment stop, TMoment labelStep) const;
    // Fetches the records from `from` to `to` (both inclusive) and fills them in; lastLoaded takes
    // the last held moment (unchanged when none came). Returns the number of records. Throws
    // TTrendLoadError.
    int Load(TMoment from, TMoment to, TMoment &lastLoaded) const;
    // Redraws every chart after a load; a chart whose values stay below 5 gets YMax 5.
    void Finish() const;

private:
    QList<TTrendSource> FSources;
    QList<TLevelGraph *> FCharts;
    TTrendFillRule FRule;
};
