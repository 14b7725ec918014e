#include "core/CommandPoller.h"

#include "core/RecordWriter.h"
#include "core/SetPointCommand.h"
#include "core/SimDatabase.h"

#include <QList>
#include <QVariant>

namespace {
std::optional<double> OptionalDouble(const QVariant &v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}
} // namespace

CommandPoller::CommandPoller(SimDatabase &db, RecordWriter &writer)
    : m_db(db)
    , m_writer(writer)
{ }

int CommandPoller::Poll(PlantModel &model, const QDateTime &now)
{
    QList<SetPointCommand> commands;
    {
        auto query = m_db.Select(QStringLiteral(
            "SELECT Id, UserName, _PLSZ, _TNZ FROM control_vector WHERE Taken = 0 ORDER BY Id"));
        if (!query)
            return -1;
        while (query->next())
            commands << SetPointCommand {query->value(0).toLongLong(), query->value(1).toString(),
                                         OptionalDouble(query->value(2)),
                                         OptionalDouble(query->value(3))};
    }
    if (commands.isEmpty())
        return 0;

    const SetPointLimits limits = m_writer.ReadLimits();
    const QDateTime moment = now.addMSecs(-now.time().msec());
    int taken = 0;
    for (const SetPointCommand &command : commands) {
        if (!m_db.Transaction())
            return -1;
        int marked = 0;
        const bool written = m_writer.InsertJournal(CommandJournal(command, limits, moment)) >= 0
            && m_db.Exec(QStringLiteral("UPDATE control_vector SET Taken = 1 "
                                        "WHERE Id = %1 AND Taken = 0")
                             .arg(command.id),
                         &marked);
        if (!written)
            return -1; // the link is dropped, which ends the transaction
        if (marked == 0) {
            m_db.Rollback(); // taken up meanwhile by someone else
            continue;
        }
        if (!m_db.Commit())
            return -1;
        ApplyCommand(command, limits, model);
        ++taken;
    }
    return taken;
}
