#pragma once

#include "core/JournalEntry.h"
#include "core/PlantRecord.h"
#include "core/SetPointCommand.h"

class PlantModel;
class SimDatabase;

struct BackfillOptions
{
    int days = 35;
    double gapsPerDay = 0.7; // acquisition restarts, each leaving 6-20 minutes unrecorded
    double densityCommandsPerDay = 3; // operator's set-point changes, journalled as live ones are
    double loadCommandsPerDay = 4;
    QString user = QStringLiteral("kv512@localhost");
};

struct BackfillResult
{
    bool ok = false;
    int records = 0;
    int journal = 0;
    QDateTime first, last; // moments of the first and last record written (invalid when none)
};

// Writes the history of the last days, one record per minute up to now, with the live
// dynamics, journal and commands, and now and then a gap. It starts after the newest stored
// record and carries on from it, so running it again adds only the minutes since.
class Backfill
{
public:
    Backfill(SimDatabase &db, PlantModel &model, const BackfillOptions &options);

    BackfillResult Run(const QDateTime &now);

    static constexpr int minGapMinutes = 6;
    static constexpr int maxGapMinutes = 20;

private:
    void MaybeCommand(const QDateTime &moment, Journal &journal,
                      QList<QPair<QDateTime, SetPointCommand>> &commands);
    bool Flush(QList<PlantRecord> &records, Journal &journal,
               QList<QPair<QDateTime, SetPointCommand>> &commands, BackfillResult &result);

    SimDatabase &m_db;
    PlantModel &m_model;
    BackfillOptions m_options;
};
