// Views benchmark: a year (2025) of one-minute process records and a journal row every seven
// minutes in a private MariaDB instance; prints how long the summary statement for 31 December
// takes (its month row covers the whole of December), and a full-day journal load through the
// window itself, followed by the server's plan for the summary statement. The browser has a
// benchmark of its own (bench/browser).

#include "BenchDb.h"
#include "app/Connection.h"
#include "base/Formats.h"
#include "views/DataGrid.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace {
QTextStream out(stdout);

const QDate Year(2025, 1, 1);
const QDate LastDay(2025, 12, 31);
const int Minutes = 365 * 1440;
const int Repeats = 7;

// The records, and the journal rows from the server's sequence tables in one statement.
bool Fill(const BenchDb &db)
{
    return db.FillRecords(Year, Minutes)
        && db.Exec(QStringLiteral("INSERT INTO control_log (RecMoment, MessageText) "
                                  "SELECT TIMESTAMP('%1') + INTERVAL seq * 7 MINUTE, "
                                  "ELT(1 + seq % 3, 'Конвейер 41 запущен', 'Нагрузка подана', "
                                  "'Задание нагрузки 165 т/ч (оператор kv512@localhost)') "
                                  "FROM seq_0_to_%2")
                       .arg(Year.toString(Qt::ISODate))
                       .arg(Minutes / 7 - 1));
}

// The summary's figures with one scan per period: minutes counted by conditional sums.
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

// Every value of every row of the result, as text.
QStringList Rows(const QString &statement)
{
    QStringList rows;
    QSqlQuery query(SQLConnection1().Database());
    query.exec(statement);
    while (query.next()) {
        QStringList row;
        for (int field = 0; field < query.record().count(); ++field)
            row.append(query.value(field).toString());
        rows.append(row.join(QLatin1Char('|')));
    }
    return rows;
}

// Milliseconds of each run of the work, and the fastest and the median printed.
void Time(const QString &name, const std::function<void()> &work)
{
    QVector<double> runs;
    for (int run = 0; run < Repeats; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        runs.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    out << qSetFieldWidth(44) << Qt::left << name << qSetFieldWidth(0) << "fastest "
        << QString::number(runs.first(), 'f', 1) << " ms, median "
        << QString::number(runs.at(runs.size() / 2), 'f', 1) << " ms\n";
    out.flush();
}

void Explain(const QString &statement)
{
    QSqlQuery query(SQLConnection1().Database());
    if (!query.exec(QStringLiteral("EXPLAIN ") + statement))
        return;
    out << "\nEXPLAIN of the summary statement:\n";
    const QSqlRecord record = query.record();
    for (int field = 0; field < record.count(); ++field)
        out << record.fieldName(field) << (field + 1 < record.count() ? "\t" : "\n");
    while (query.next()) {
        for (int field = 0; field < record.count(); ++field)
            out << query.value(field).toString() << (field + 1 < record.count() ? "\t" : "\n");
    }
}

int Run(const BenchDb &db)
{
    QElapsedTimer fill;
    fill.start();
    if (!Fill(db))
        return 1;
    out << "filled " << Minutes << " records and " << Minutes / 7 << " journal rows in "
        << QString::number(fill.nsecsElapsed() / 1e9, 'f', 1) << " s\n";

    const QString statement = SvodStatement(SvodPeriods(DateTimeToMoment(LastDay.startOfDay())));
    int rows = 0;
    Time(QStringLiteral("summary statement, 31.12"), [&] {
        QSqlQuery query(SQLConnection1().Database());
        query.setForwardOnly(true);
        query.exec(statement);
        for (rows = 0; query.next(); ++rows) { }
    });
    if (rows != 4) {
        out << "bench_views: the summary gave " << rows << " rows\n";
        return 1;
    }

    TFormSvodTable summary;
    summary.TimerUpdate->stop();
    summary.DateTimePicker1->setDate(LastDay);
    Time(QStringLiteral("summary window reload"), [&] { summary.Reload(); });

    TFormLogView journal;
    journal.TimerAutoRefresh->stop();
    journal.DateTimePicker1->setDate(LastDay.addDays(-1));
    journal.ComboBox1->setCurrentIndex(2);
    Time(QStringLiteral("journal load, whole day"), [&] { journal.Load(); });
    out << "  (" << journal.Grid->Model()->rowCount() << " rows)\n";

    Explain(statement);

    // Two ways to the same figures, for comparison: one pass per period instead of seven, and
    // the statement as it is over a covering index of the six fields it reads.
    Time(QStringLiteral("one-pass rewrite, 31.12"), [&] {
        QSqlQuery query(SQLConnection1().Database());
        query.exec(OnePassStatement(SvodPeriods(DateTimeToMoment(LastDay.startOfDay()))));
        while (query.next()) { }
    });
    out << "  same figures as the statement: "
        << (Rows(statement)
                    == Rows(OnePassStatement(SvodPeriods(DateTimeToMoment(LastDay.startOfDay()))))
                ? "yes"
                : "NO")
        << "\n";
    if (!db.Exec(QStringLiteral("ALTER TABLE pu_data ADD INDEX summary "
                                "(RecMoment, RAB, RN, G_1T41, G_1T23, G_1T2)")))
        return 1;
    Time(QStringLiteral("summary statement, covering index"), [&] {
        QSqlQuery query(SQLConnection1().Database());
        query.exec(statement);
        while (query.next()) { }
    });
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchDb db;
    if (!db.IsRunning()) {
        out << "bench_views: cannot start a private database\n";
        return 1;
    }
    SetConnectionParam(QStringLiteral("HostName"), db.Host());
    SetConnectionParam(QStringLiteral("User_Name"), BenchDb::User());
    SetConnectionParam(QStringLiteral("Password"), BenchDb::Password());
    int code = 1;
    if (SQLConnection1().Open())
        code = Run(db);
    else
        out << "bench_views: " << SQLConnection1().LastError() << "\n";
    SQLConnection1().Close();
    return code;
}
