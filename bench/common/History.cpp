#include "History.h"

#include "base/Formats.h"
#include "views/SvodTable.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

bool Exec(const QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

} // namespace

bool FillHistory(const QSqlDatabase &db, const QDateTime &start, int minutes, QString *error)
{
    const QString from = start.toString(QStringLiteral("yyyy-MM-dd HH:mm:00"));
    return Exec(
               db,
               QStringLiteral(
                   "INSERT INTO pu_data SELECT TIMESTAMP('%1') + INTERVAL seq MINUTE, "
                   "1850 + seq % 40, 1860, 50 + seq % 10, 45 + seq % 8, 40, 45, 50, "
                   "140 + seq % 15, 145 + seq % 12, 95 + seq % 9, seq * 2.4, 2.4, seq * 1.5, 1.5, "
                   "seq * 2.3, 2.3, 1, 1, 1, IF(seq % 1440 < 1320, 1, 0), IF(seq % 97 < 90, 1, 0), "
                   "1860, 145, 0, 60, 145 FROM seq_0_to_%2")
                   .arg(from)
                   .arg(minutes - 1),
               error)
        && Exec(db,
                QStringLiteral("INSERT INTO control_log (RecMoment, MessageText) "
                               "SELECT TIMESTAMP('%1') + INTERVAL seq * 7 MINUTE, "
                               "ELT(1 + seq % 3, 'Конвейер 41 запущен', 'Нагрузка подана', "
                               "'Задание нагрузки 165 т/ч (оператор kv512@localhost)') "
                               "FROM seq_0_to_%2")
                    .arg(from)
                    .arg(minutes / 7 - 1),
                error);
}

QString OnePassStatement(const QVector<TSvodPeriod> &periods)
{
    const QString hours =
        QStringLiteral("CONVERT( CONCAT(LPAD(TRUNCATE(IFNULL(%1,0)/60,0), 4, '  00'), ':', "
                       "LPAD(MOD(IFNULL(%1,0),60), 2, '0') ), CHAR)");
    QStringList rows;
    for (const TSvodPeriod &period : periods) {
        rows.append(
            QStringLiteral("select %1 as NPP, '%2' as time_name, ").arg(period.Npp).arg(period.Name)
            + hours.arg(QStringLiteral("sum(RAB > 0 and RN > 0)")) + QStringLiteral(" as C1, ")
            + hours.arg(QStringLiteral("sum(RAB > 0 and RN <= 0)")) + QStringLiteral(" as C2, ")
            + hours.arg(QStringLiteral("sum(RAB > 0)"))
            + QStringLiteral(" as C3, IFNULL(sum(G_1T41),0) as C4, IFNULL(sum(G_1T23),0) as C5, "
                             "IFNULL(sum(G_1T2),0) as C6, 100*sum(G_1T2)/sum(G_1T23) as C7 "
                             "from pu_data where RecMoment >= '%1' and RecMoment <= '%2'")
                  .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:00:00"), period.Start),
                       FormatDateTime(QStringLiteral("yyyy-mm-dd hh:59:59"), period.Stop)));
    }
    return rows.join(QStringLiteral(" union ")) + QStringLiteral(" ORDER BY NPP");
}

QStringList ResultRows(const QSqlDatabase &db, const QString &statement)
{
    QStringList rows;
    QSqlQuery query(db);
    query.exec(statement);
    while (query.next()) {
        QStringList row;
        for (int field = 0; field < query.record().count(); ++field)
            row.append(query.value(field).toString());
        rows.append(row.join(QLatin1Char('|')));
    }
    return rows;
}
