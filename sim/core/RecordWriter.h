#pragma once

#include "core/JournalEntry.h"
#include "core/PlantRecord.h"
#include "core/SetPointCommand.h"

#include <optional>

class SimDatabase;

// The statements the acquisition side writes: records, journal rows, the heartbeat, and the
// command rows of the history. Multi-row inserts keep a backfill of weeks within seconds.
class RecordWriter
{
public:
    explicit RecordWriter(SimDatabase &db);

    // Inserts the records, skipping moments already stored; rows added, or -1 on failure.
    int InsertRecords(const QList<PlantRecord> &records);
    // Rows added, or -1 on failure.
    int InsertJournal(const Journal &journal);
    // History's command rows, already taken up (Taken = 1); rows added, or -1 on failure.
    int InsertTakenCommands(const QList<QPair<QDateTime, SetPointCommand>> &commands);
    bool Heartbeat(const QDateTime &moment);
    // The newest record; nullopt when there is none or the query failed (see SimDatabase::IsOpen).
    std::optional<PlantRecord> LastRecord();
    // The command ranges from the plant constants, the built-in ones where a constant is missing.
    SetPointLimits ReadLimits();

    // Rows per INSERT statement: well under the server's packet limit.
    static constexpr int rowsPerStatement = 1000;
    // Widths of control_log's text columns; longer texts are cut rather than refused, so that
    // one long user name cannot stop the journal (and with it the taking up of commands).
    static constexpr int messageWidth = 255;
    static constexpr int sourceWidth = 160;

private:
    int InsertRows(const QString &head, const QStringList &rows);

    SimDatabase &m_db;
};

// A text as an SQL literal: NULL when empty, else quoted with \ before ' \ and ".
QString SqlText(const QString &text);
