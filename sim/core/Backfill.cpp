#include "core/Backfill.h"

#include "core/PlantModel.h"
#include "core/RecordWriter.h"
#include "core/SimDatabase.h"

#include <QtMath>

namespace {
constexpr int minutesPerDay = 1440;
// One transaction per day of history: small enough to retry, large enough to be fast.
constexpr int recordsPerTransaction = minutesPerDay;

const QString stoppedText = QStringLiteral("Система сбора данных остановлена");
const QString startedText = QStringLiteral("Система сбора данных запущена");
} // namespace

Backfill::Backfill(SimDatabase &db, PlantModel &model, const BackfillOptions &options)
    : m_db(db)
    , m_model(model)
    , m_options(options)
{ }

void Backfill::MaybeCommand(const QDateTime &moment, Journal &journal,
                            QList<QPair<QDateTime, SetPointCommand>> &commands)
{
    // Operators nudge the set-points around their usual values; a repeat of the value in force
    // is not a command.
    SetPointCommand command;
    command.user = m_options.user;
    const double plsz = m_model.DensitySetPoint();
    const double tnz = m_model.LoadSetPoint();
    if (m_model.Uniform(0, minutesPerDay) < m_options.densityCommandsPerDay) {
        const double v = std::round((plsz + (1850 - plsz) * 0.3 + m_model.Normal(0, 30)) / 10) * 10;
        if (v != plsz)
            command.plsz = qBound(1750.0, v, 1950.0);
    }
    if (m_model.Uniform(0, minutesPerDay) < m_options.loadCommandsPerDay) {
        const double v = std::round((tnz + (180 - tnz) * 0.3 + m_model.Normal(0, 15)) / 5) * 5;
        if (v != tnz)
            command.tnz = qBound(120.0, v, 230.0);
    }
    if (!command.plsz && !command.tnz)
        return;
    // The operator's command reaches the plant some seconds before the minute's record.
    const QDateTime at = moment.addSecs(-30);
    const SetPointLimits limits;
    journal << CommandJournal(command, limits, at.addSecs(2));
    commands << qMakePair(at, command);
    ApplyCommand(command, limits, m_model);
}

bool Backfill::Flush(QList<PlantRecord> &records, Journal &journal,
                     QList<QPair<QDateTime, SetPointCommand>> &commands, BackfillResult &result)
{
    RecordWriter writer(m_db);
    if (!m_db.Transaction())
        return false;
    const int added = writer.InsertRecords(records);
    const int logged = added < 0 ? -1 : writer.InsertJournal(journal);
    if (logged < 0 || writer.InsertTakenCommands(commands) < 0 || !m_db.Commit())
        return false;
    result.records += added;
    result.journal += logged;
    if (!records.isEmpty()) {
        if (!result.first.isValid())
            result.first = records.first().moment;
        result.last = records.last().moment;
    }
    records.clear();
    journal.clear();
    commands.clear();
    return true;
}

BackfillResult Backfill::Run(const QDateTime &now)
{
    BackfillResult result;
    if (!m_db.IsOpen())
        return result;
    const QDateTime end = FloorToMinute(now);
    QDateTime moment = end.addSecs(-60 * (qint64(m_options.days) * minutesPerDay - 1));

    RecordWriter writer(m_db);
    const std::optional<PlantRecord> last = writer.LastRecord();
    if (!m_db.IsOpen())
        return result;
    if (last && last->moment >= moment) {
        m_model.Resume(*last);
        moment = FloorToMinute(last->moment).addSecs(60);
    }

    QList<PlantRecord> records;
    Journal journal;
    QList<QPair<QDateTime, SetPointCommand>> commands;
    records.reserve(recordsPerTransaction);
    int gapLeft = 0;
    bool first = true;
    for (; moment <= end; moment = moment.addSecs(60)) {
        Journal events;
        const int gap = m_model.UniformInt(minGapMinutes, maxGapMinutes);
        if (gapLeft == 0 && !first && moment.secsTo(end) > 60 * gap
            && m_model.Uniform(0, minutesPerDay) < m_options.gapsPerDay) {
            // `gap` minutes from the last record before to the first after: gap - 1 missing.
            journal << JournalEntry {moment.addSecs(-45), stoppedText, plantSource};
            gapLeft = gap - 1;
        }
        if (gapLeft > 0) {
            // The plant runs on while nobody records it; its switches go unjournalled.
            m_model.Step(moment, events);
            if (--gapLeft == 0)
                journal << JournalEntry {moment.addSecs(20), startedText, plantSource};
            continue;
        }
        first = false;
        MaybeCommand(moment, journal, commands);
        records << m_model.Step(moment, events);
        journal << events;
        if (records.size() >= recordsPerTransaction && !Flush(records, journal, commands, result))
            return result;
    }
    result.ok = Flush(records, journal, commands, result);
    return result;
}
