#pragma once

#include "base/Moment.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QVariant;

// What the one-second tick has read: the acquisition side's heartbeat (none before the first
// read) and the newest process record.
struct TLiveState
{
    std::optional<TMoment> Heartbeat;
    QSqlRecord LastData;
};

// The one-second tick's statements on one connection: the heartbeat, the newest record's moment
// and that record.
class TLiveQueries
{
public:
    explicit TLiveQueries(const QSqlDatabase &db);

    // Runs the three in order into state; false with the error of the first that failed (what
    // was read before it stays in state).
    bool Refresh(TLiveState &state, QSqlError &error);

    QSqlQuery SQLQueryPUState;
    QSqlQuery SQLQueryMaxTime;
    QSqlQuery SQLQueryLastData;
};

// A missing or NULL time reads as moment 0, as long ago as it gets.
TMoment MomentOf(const QVariant &value);
