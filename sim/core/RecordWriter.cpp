#include "core/RecordWriter.h"

#include "core/SimDatabase.h"

#include <QSqlRecord>
#include <QVariant>

RecordWriter::RecordWriter(SimDatabase &db)
    : m_db(db)
{ }

QString SqlText(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("NULL");
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    for (const QChar c : text) {
        if (c == '\'' || c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    quoted += '\'';
    return quoted;
}

int RecordWriter::InsertRows(const QString &head, const QStringList &rows)
{
    int added = 0;
    for (qsizetype from = 0; from < rows.size(); from += rowsPerStatement) {
        int affected = 0;
        if (!m_db.Exec(head + rows.mid(from, rowsPerStatement).join(','), &affected))
            return -1;
        added += affected;
    }
    return added;
}

int RecordWriter::InsertRecords(const QList<PlantRecord> &records)
{
    QStringList rows;
    rows.reserve(records.size());
    for (const PlantRecord &r : records)
        rows << r.SqlValues();
    // IGNORE: a moment already stored (a second backfill, a repeated wall-clock hour) is kept.
    return InsertRows(QStringLiteral("INSERT IGNORE INTO pu_data (")
                          + PlantRecord::Columns().join(',') + QStringLiteral(") VALUES "),
                      rows);
}

int RecordWriter::InsertJournal(const Journal &journal)
{
    QStringList rows;
    rows.reserve(journal.size());
    for (const JournalEntry &e : journal)
        rows << QStringLiteral("('%1',%2,%3)")
                    .arg(SqlMoment(e.moment), SqlText(e.text.left(messageWidth)),
                         SqlText(e.source.left(sourceWidth)));
    return InsertRows(
        QStringLiteral("INSERT INTO control_log (RecMoment, MessageText, Source) VALUES "), rows);
}

int RecordWriter::InsertTakenCommands(const QList<QPair<QDateTime, SetPointCommand>> &commands)
{
    auto value = [](const std::optional<double> &v) {
        return v ? QString::number(*v, 'g', 9) : QStringLiteral("NULL");
    };
    QStringList rows;
    rows.reserve(commands.size());
    for (const auto &[moment, c] : commands)
        rows << QStringLiteral("('%1',%2,%3,%4,1)")
                    .arg(SqlMoment(moment), SqlText(c.user), value(c.plsz), value(c.tnz));
    return InsertRows(
        QStringLiteral(
            "INSERT INTO control_vector (RecMoment, UserName, _PLSZ, _TNZ, Taken) VALUES "),
        rows);
}

bool RecordWriter::Heartbeat(const QDateTime &moment)
{
    return m_db.Exec(QStringLiteral("INSERT INTO last_state (Id, RecMoment) VALUES (1, '%1') "
                                    "ON DUPLICATE KEY UPDATE RecMoment = VALUES(RecMoment)")
                         .arg(SqlMoment(moment)));
}

std::optional<PlantRecord> RecordWriter::LastRecord()
{
    auto query = m_db.Select(
        QStringLiteral("SELECT *, DATE_FORMAT(RecMoment, '%Y-%m-%d %H:%i:%s') AS RecMomentText "
                       "FROM pu_data ORDER BY RecMoment DESC LIMIT 1"));
    if (!query || !query->next())
        return std::nullopt;
    return PlantRecord::FromSql(query->record());
}

SetPointLimits RecordWriter::ReadLimits()
{
    SetPointLimits limits;
    auto query =
        m_db.Select(QStringLiteral("SELECT ConstName, ConstVal FROM setup WHERE ConstName IN "
                                   "('PLSZ_MIN', 'PLSZ_MAX', 'TNZ_MIN', 'TNZ_MAX')"));
    if (!query)
        return limits;
    while (query->next()) {
        if (query->value(1).isNull())
            continue;
        const QString name = query->value(0).toString().trimmed();
        const double value = query->value(1).toDouble();
        if (name == QLatin1String("PLSZ_MIN"))
            limits.plszMin = value;
        else if (name == QLatin1String("PLSZ_MAX"))
            limits.plszMax = value;
        else if (name == QLatin1String("TNZ_MIN"))
            limits.tnzMin = value;
        else if (name == QLatin1String("TNZ_MAX"))
            limits.tnzMax = value;
    }
    return limits;
}
