// Alarms benchmark: evaluating one record with every condition; the start-up catch-up of a
// station over a production day of 1440 simulated records with upsets, alarm_log round trips
// included (the first station, which inserts the rows, and a second one, which finds them); and
// opening the archive tab on 10,000 activations; the alarm-rate figures of a month of 10,000.

#include "BenchDb.h"
#include "alarms/AlarmMonitor.h"
#include "alarms/AlarmStatistics.h"
#include "alarms/FormAlarms.h"
#include "core/PlantModel.h"
#include "core/RecordWriter.h"
#include "core/SimDatabase.h"
#include "views/DataGrid.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {
QTextStream out(stdout);

const QDate Day(2026, 3, 10);
const int Repeats = 5;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A day of records with the plant's own switching and frequent upsets.
std::vector<TAlarmRecord> SimulatedDay(QList<PlantRecord> &plant)
{
    PlantModel model(11);
    model.SetUpsetsPerDay(40);
    Journal journal;
    const QDateTime start(Day, QTime(7, 0));
    std::vector<TAlarmRecord> records;
    for (int i = 0; i < 1440; ++i) {
        const PlantRecord r = model.Step(start.addSecs(60 * i), journal);
        plant << r;
        TAlarmRecord a;
        a.Moment = DateTimeToMoment(r.moment);
        a.Values = {r.PLS, r.PLSZ,          r.URKS,          r.URNS,         r.TNK23,
                    r.TNZ, double(r.BKK23), double(r.BKK41), double(r.BKK2), double(r.RAB)};
        records.push_back(a);
    }
    return records;
}

void BenchEvaluate(const std::vector<TAlarmRecord> &day)
{
    std::vector<double> perRecord;
    size_t events = 0;
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        TAlarmEvaluator evaluator;
        std::vector<TAlarmEvent> found;
        QElapsedTimer timer;
        timer.start();
        const int rounds = 50;
        for (int round = 0; round < rounds; ++round) {
            for (const TAlarmRecord &record : day)
                evaluator.Evaluate(record, found);
        }
        perRecord.push_back(timer.nsecsElapsed() / 1e3 / (rounds * double(day.size())));
        events = found.size() / rounds;
    }
    out << QStringLiteral(
               "evaluate one record, %1 conditions: %2 us (aim < 20 us); %3 events a day\n")
               .arg(AlarmConditions().size())
               .arg(Median(perRecord), 0, 'f', 3)
               .arg(events);
}

QSqlDatabase Connect(const BenchDb &db, const QString &name)
{
    QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    connection.setHostName(QStringLiteral("127.0.0.1"));
    connection.setPort(db.Port());
    connection.setDatabaseName(QStringLiteral("kv512"));
    connection.setUserName(BenchDb::User());
    connection.setPassword(BenchDb::Password());
    if (!connection.open())
        out << "bench_alarms: " << connection.lastError().text() << "\n";
    return connection;
}

TAlarmSource Source(const QSqlDatabase &db)
{
    TAlarmSource source;
    source.Database = [db] {
        return db;
    };
    source.HeartbeatFresh = [] {
        return true;
    };
    source.LocalUser = [] {
        return QStringLiteral("bench");
    };
    source.DayStart = [](TMoment) {
        return DateTimeToMoment(QDateTime(Day, QTime(7, 0)));
    };
    return source;
}

bool Exec(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    out << "bench_alarms: " << query.lastError().text() << "\n";
    return false;
}

void BenchCatchUp(const BenchDb &server, const QList<PlantRecord> &plant)
{
    DbSettings settings;
    settings.port = server.Port();
    settings.password = BenchDb::Password();
    SimDatabase sim(settings);
    if (!sim.EnsureOpen(QDateTime::currentDateTime()) || RecordWriter(sim).InsertRecords(plant) < 0)
        return;
    const QSqlDatabase db = Connect(server, QStringLiteral("catchup"));
    SetNowOverride(DateTimeToMoment(QDateTime(Day.addDays(1), QTime(6, 59, 30))));
    std::vector<double> first, second;
    int rows = 0;
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        if (!Exec(db, QStringLiteral("truncate table alarm_log")))
            return;
        for (std::vector<double> *times : {&first, &second}) {
            TAlarmMonitor monitor(Source(db));
            QElapsedTimer timer;
            timer.start();
            monitor.Tick();
            times->push_back(timer.nsecsElapsed() / 1e6);
            rows = int(monitor.Table().All().size());
        }
    }
    QSqlQuery count(db);
    count.exec(QStringLiteral("select count(*) from alarm_log"));
    count.next();
    out << QStringLiteral("catch-up over 1440 records: first station %1 ms, second station %2 ms "
                          "(aim < 300 ms); %3 activations stored, %4 not back to normal\n")
               .arg(Median(first), 0, 'f', 1)
               .arg(Median(second), 0, 'f', 1)
               .arg(count.value(0).toInt())
               .arg(rows);
    SetNowOverride(0);
}

void BenchArchive(const BenchDb &server)
{
    const QSqlDatabase db = Connect(server, QStringLiteral("archive"));
    if (!Exec(db, QStringLiteral("truncate table alarm_log"))
        || !Exec(
            db,
            QStringLiteral("insert into alarm_log (Code, Priority, AlarmText, Value, AlarmLimit, "
                           "Activated, Returned, AckedAt, AckedBy) select ELT(1 + seq % 4, "
                           "'URKS_HI', 'PLS_DEV', 'K23_STOP', 'SENSOR_PLS'), 1 + seq % 3, "
                           "'Высокий уровень в зумпфе кондиционной суспензии', 95.5, 90, "
                           "TIMESTAMP('2026-03-10 07:00:00') + INTERVAL seq * 8 SECOND, "
                           "TIMESTAMP('2026-03-10 07:00:00') + INTERVAL seq * 8 + 5 SECOND, "
                           "IF(seq % 5 = 0, NULL, TIMESTAMP('2026-03-10 07:00:00') + INTERVAL seq "
                           "* 8 + 3 SECOND), 'kv512@localhost' from seq_0_to_9999")))
        return;
    std::vector<double> times;
    int shown = 0;
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        TFormAlarms window(nullptr, Source(db));
        window.resize(1280, 800);
        window.DateFrom->setDate(Day);
        window.DateTo->setDate(Day);
        window.show();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window.PageControl->setCurrentWidget(window.TabArchive);
        window.repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
        shown = window.GridArchive->Model()->rowCount();
    }
    // Of which the reading of the rows alone.
    std::vector<double> reads;
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        TAlarmStore store(db);
        QVector<TAlarm> rows;
        QElapsedTimer timer;
        timer.start();
        const TMoment start = DateTimeToMoment(QDateTime(Day, QTime(7, 0)));
        store.ReadArchive(start, start + 1, QString(), rows);
        reads.push_back(timer.nsecsElapsed() / 1e6);
    }
    out << QStringLiteral("archive tab on %1 activations: %2 ms (aim < 200 ms), reading the rows "
                          "%3 ms\n")
               .arg(shown)
               .arg(Median(times), 0, 'f', 1)
               .arg(Median(reads), 0, 'f', 1);
}

// The alarm-rate figures of a month of a busy plant: 10,000 activations spread over March.
void BenchStatistics(const BenchDb &server)
{
    const QSqlDatabase db = Connect(server, QStringLiteral("statistics"));
    if (!Exec(db, QStringLiteral("truncate table alarm_log"))
        || !Exec(db,
                 QStringLiteral("insert into alarm_log (Code, Priority, AlarmText, Activated, "
                                "Returned, AckedAt, AckedBy) select ELT(1 + seq % 7, 'URKS_HI', "
                                "'PLS_DEV', 'K23_STOP', 'SENSOR_PLS', 'URNS_LO', 'TNK_DEV', "
                                "'K2_STOP'), 1 + seq % 3, 'т', TIMESTAMP('2026-03-01 07:00:00') + "
                                "INTERVAL seq * 259 SECOND, TIMESTAMP('2026-03-01 07:00:00') + "
                                "INTERVAL seq * 259 + 200 SECOND, IF(seq % 5 = 0, NULL, "
                                "TIMESTAMP('2026-03-01 07:00:00') + INTERVAL seq * 259 + seq % 97 "
                                "SECOND), 'kv512@localhost' from seq_0_to_9999")))
        return;
    TMoment start = 0, stop = 0;
    StatsPeriodRange(DateTimeToMoment(QDateTime(QDate(2026, 3, 31), QTime())), TStatsPeriod::Month,
                     start, stop);
    std::vector<double> times;
    TAlarmRateFigures figures;
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        if (!ReadAlarmRates(db, start, stop, stop, figures, error)) {
            out << "statistics: " << error << "\n";
            return;
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    out << QStringLiteral("statistics of a month with %1 activations: %2 ms (aim < 200 ms)\n")
               .arg(figures.Total)
               .arg(Median(times), 0, 'f', 1);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<PlantRecord> plant;
    const std::vector<TAlarmRecord> day = SimulatedDay(plant);
    BenchEvaluate(day);
    BenchDb server;
    if (!server.IsRunning()) {
        out << "bench_alarms: no database server\n";
        return 1;
    }
    BenchCatchUp(server, plant);
    BenchArchive(server);
    BenchStatistics(server);
    return 0;
}
