// Station budget: N simulated operator stations against a private MariaDB instance holding a year
// of one-minute records, with the simulator writing a record a minute and its heartbeat every
// second. Each station does what one client with every window open does, through the client's own
// query code: the frame's one-second tick, the four trend windows' appends every 30 s, the
// journal's check every 37 s (and its reload when a new row came), the summary every 45 s and the
// alarm evaluation's reads. Prints per N the statements per second, the server's CPU per station
// and the tick's latency, first with one server, then with the reads spread over two replicas
// (each station then also reads the primary's heartbeat every 5 s, as the client does), and the
// statements' cost per station.
//
// Run by hand: build/bench/stations/bench_stations [seconds per run, default 60] [N ...]

#include "BenchDb.h"
#include "History.h"
#include "app/LiveQueries.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "views/SvodTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <numeric>
#include <queue>
#include <random>
#include <thread>
#include <unistd.h>

namespace {

QTextStream out(stdout);

// What a station does, how often (s), and how many of it a station runs.
enum TKind {
    Tick,
    TrendAppend,
    JournalCheck,
    JournalLoad,
    Summary,
    AlarmRecords,
    AlarmLimits,
    PrimaryHeartbeat,
    KindCount
};
struct TKindInfo
{
    const char *Name;
    double Period;
    int Copies;
};
const std::array<TKindInfo, KindCount> Kinds {{
    {"frame tick (3 statements)", 1, 1},
    {"trend append", 30, 4},
    {"journal check", 37, 1},
    {"journal reload", 0, 0}, // follows a check that found a new row
    {"summary", 45, 1},
    {"alarm records", 1, 1},
    {"alarm limits", 60, 1},
    {"primary heartbeat", 5, 1}, // with replicas only
}};

const int MaxThreads = 48;
const QString AlarmColumns = QStringLiteral("RecMoment, PLS, PLSZ, URKS, URNS, TNK23, TNZ, RAB");

struct TServer
{
    QString Name;
    int Port;
    QString PidFile;
};

QSqlDatabase Connect(const QString &name, int port, int readTimeout = 60)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    db.setHostName(QStringLiteral("127.0.0.1"));
    db.setPort(port);
    db.setDatabaseName(QStringLiteral("kv512"));
    db.setUserName(BenchDb::User());
    db.setPassword(BenchDb::Password());
    db.setConnectOptions(
        QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=30;MYSQL_OPT_READ_TIMEOUT=%1").arg(readTimeout));
    db.open();
    return db;
}

// CPU seconds the server process has used so far.
double ServerCpu(const QString &pidFile)
{
    QFile pid(pidFile);
    if (!pid.open(QIODevice::ReadOnly))
        return 0;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid.readAll()).trimmed()));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

struct TStats
{
    std::array<qint64, KindCount> Count {};
    std::array<qint64, KindCount> Statements {};
    std::array<double, KindCount> Seconds {};
    std::vector<double> TickMs;
    qint64 Failed = 0;

    void Add(const TStats &other)
    {
        for (int kind = 0; kind < KindCount; ++kind) {
            Count[kind] += other.Count[kind];
            Statements[kind] += other.Statements[kind];
            Seconds[kind] += other.Seconds[kind];
        }
        TickMs.insert(TickMs.end(), other.TickMs.begin(), other.TickMs.end());
        Failed += other.Failed;
    }
};

// One station: its read link (and, with replicas, its link to the primary) and what its windows
// have loaded so far.
struct TStation
{
    QSqlDatabase Read;
    QSqlDatabase Primary;
    std::unique_ptr<TLiveQueries> Live;
    TLiveState State;
    std::array<TMoment, 4> TrendLoaded {};
    TMoment JournalSeen = 0;
    TMoment AlarmSeen = 0;
};

bool Run(QSqlQuery &query, const QString &text, qint64 &statements)
{
    ++statements;
    if (!query.exec(text))
        return false;
    while (query.next()) { }
    return true;
}

// Runs one job and says how many statements it took; false when one failed.
bool RunJob(TStation &station, TKind kind, int copy, qint64 &statements)
{
    const TMoment now = Now();
    QSqlQuery query(station.Read);
    query.setForwardOnly(true);
    switch (kind) {
    case Tick: {
        statements += 3;
        QSqlError error;
        return station.Live->Refresh(station.State, error);
    }
    case TrendAppend: {
        const TMoment from = station.TrendLoaded[copy];
        TMoment start, stop;
        ShiftRange(now, 3, start, stop);
        if (!Run(query,
                 QStringLiteral("select * from pu_data") + TimeRangeWhere(from, stop)
                     + QStringLiteral(" order by RecMoment"),
                 statements))
            return false;
        station.TrendLoaded[copy] = std::max(from, now - OneMinute);
        return true;
    }
    case JournalCheck: {
        ++statements;
        if (!query.exec(QStringLiteral("select max(RecMoment) Rez from control_log")))
            return false;
        const TMoment newest = query.next() ? MomentOf(query.value(0)) : 0.0;
        if (newest <= station.JournalSeen)
            return true;
        station.JournalSeen = newest;
        TMoment start, stop;
        ShiftRange(now, 3, start, stop);
        return Run(query,
                   QStringLiteral("select * from control_log\r\n") + TimeRangeWhere(start, stop)
                       + QStringLiteral(" order by RecMoment"),
                   statements);
    }
    case Summary:
        return Run(query, SvodStatement(SvodPeriods(now)), statements);
    case AlarmRecords:
        station.AlarmSeen = station.State.LastData.isEmpty()
            ? now - OneMinute
            : MomentOf(station.State.LastData.value(QStringLiteral("RecMoment")));
        return Run(query,
                   QStringLiteral("select ") + AlarmColumns + QStringLiteral(" from pu_data")
                       + TimeRangeWhere(station.AlarmSeen, now),
                   statements);
    case AlarmLimits:
        return Run(
            query,
            QStringLiteral("select ConstName, ConstVal from setup where ConstName like 'ALM\\_%'"),
            statements);
    case PrimaryHeartbeat: {
        QSqlQuery primary(station.Primary);
        primary.setForwardOnly(true);
        return Run(primary, QStringLiteral("select RecMoment from last_state"), statements);
    }
    default:
        return true;
    }
}

struct TJob
{
    double Due; // s after the run's start
    int Station;
    TKind Kind;
    int Copy;
    bool operator>(const TJob &other) const { return Due > other.Due; }
};

// One worker thread with its share of the stations, each job at its own phase.
void Work(int first, int count, const QList<int> &readPorts, int primaryPort, bool replicas,
          double seconds, std::atomic<int> &ready, std::atomic<bool> &go, TStats &stats)
{
    std::vector<TStation> stations(count);
    for (int i = 0; i < count; ++i) {
        TStation &station = stations[i];
        const int id = first + i;
        station.Read = Connect(QStringLiteral("read%1").arg(id), readPorts[id % readPorts.size()]);
        if (replicas)
            station.Primary = Connect(QStringLiteral("primary%1").arg(id), primaryPort);
        station.Live = std::make_unique<TLiveQueries>(station.Read);
        station.TrendLoaded.fill(Now() - OneMinute);
    }
    ++ready;
    while (!go)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));

    std::mt19937 random(first + 1);
    std::uniform_real_distribution<double> phase(0, 1);
    std::priority_queue<TJob, std::vector<TJob>, std::greater<>> jobs;
    for (int i = 0; i < count; ++i) {
        for (int kind = 0; kind < KindCount; ++kind) {
            if (Kinds[kind].Period <= 0 || (kind == PrimaryHeartbeat && !replicas))
                continue;
            for (int copy = 0; copy < Kinds[kind].Copies; ++copy)
                jobs.push({phase(random) * Kinds[kind].Period, i, TKind(kind), copy});
        }
    }
    QElapsedTimer clock;
    clock.start();
    while (!jobs.empty()) {
        TJob job = jobs.top();
        if (job.Due >= seconds)
            break;
        jobs.pop();
        const double wait = job.Due - clock.nsecsElapsed() / 1e9;
        if (wait > 0)
            std::this_thread::sleep_for(std::chrono::duration<double>(wait));
        QElapsedTimer took;
        took.start();
        qint64 statements = 0;
        const bool ok = RunJob(stations[job.Station], job.Kind, job.Copy, statements);
        const double elapsed = took.nsecsElapsed() / 1e9;
        const bool reloaded = job.Kind == JournalCheck && statements > 1;
        const TKind kind = reloaded ? JournalLoad : job.Kind;
        ++stats.Count[kind];
        stats.Statements[kind] += statements;
        stats.Seconds[kind] += elapsed;
        if (!ok)
            ++stats.Failed;
        if (job.Kind == Tick)
            stats.TickMs.push_back(elapsed * 1000);
        job.Due += Kinds[job.Kind].Period;
        jobs.push(job);
    }
    for (int i = 0; i < count; ++i) {
        stations[i].Live.reset();
        const QString read = stations[i].Read.connectionName();
        const QString primary = stations[i].Primary.connectionName();
        stations[i] = TStation();
        QSqlDatabase::removeDatabase(read);
        if (!primary.isEmpty())
            QSqlDatabase::removeDatabase(primary);
    }
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * values.size()))];
}

struct TResult
{
    TStats Stats;
    double CpuSeconds = 0;
    double Seconds = 0;
};

TResult RunStations(int n, const QList<TServer> &servers, const QList<int> &readPorts,
                    bool replicas, double seconds)
{
    const int threads = std::min(n, MaxThreads);
    std::vector<TStats> stats(threads);
    std::atomic<int> ready {0};
    std::atomic<bool> go {false};
    std::vector<std::thread> workers;
    for (int t = 0, first = 0; t < threads; ++t) {
        const int count = n / threads + (t < n % threads ? 1 : 0);
        workers.emplace_back(Work, first, count, readPorts, servers.first().Port, replicas, seconds,
                             std::ref(ready), std::ref(go), std::ref(stats[t]));
        first += count;
    }
    while (ready < threads)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double cpu = 0;
    for (const TServer &server : servers)
        cpu -= ServerCpu(server.PidFile);
    QElapsedTimer clock;
    clock.start();
    go = true;
    for (std::thread &worker : workers)
        worker.join();
    TResult result;
    result.Seconds = clock.nsecsElapsed() / 1e9;
    for (const TServer &server : servers)
        cpu += ServerCpu(server.PidFile);
    result.CpuSeconds = cpu;
    for (const TStats &part : stats)
        result.Stats.Add(part);
    return result;
}

// The statements each station would run per second if nothing fell behind.
double ExpectedRate(bool replicas)
{
    double rate = 0;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (Kinds[kind].Period <= 0 || (kind == PrimaryHeartbeat && !replicas))
            continue;
        rate += Kinds[kind].Copies * (kind == Tick ? 3 : 1) / Kinds[kind].Period;
    }
    return rate;
}

void PrintRow(const QString &setup, int n, const TResult &r, bool replicas)
{
    const qint64 statements =
        std::accumulate(r.Stats.Statements.begin(), r.Stats.Statements.end(), qint64(0));
    const double rate = statements / r.Seconds;
    out << qSetFieldWidth(14) << Qt::left << setup << qSetFieldWidth(6) << Qt::right << n
        << qSetFieldWidth(10) << QString::number(rate, 'f', 0) << qSetFieldWidth(10)
        << QString::number(100.0 * rate / (ExpectedRate(replicas) * n), 'f', 0) + QLatin1Char('%')
        << qSetFieldWidth(14) << QString::number(1000 * r.CpuSeconds / r.Seconds / n, 'f', 2)
        << qSetFieldWidth(11) << QString::number(Percentile(r.Stats.TickMs, 0.5), 'f', 1)
        << qSetFieldWidth(11) << QString::number(Percentile(r.Stats.TickMs, 0.99), 'f', 1)
        << qSetFieldWidth(8) << r.Stats.Failed << qSetFieldWidth(0) << "\n";
    out.flush();
}

void PrintHeader()
{
    out << "servers            N    stmt/s    of due  CPU ms/s/stn   tick p50   tick p99  failed\n";
}

// Server time per station per minute, by job: which statement costs the most.
void PrintCosts(const TResult &r, int n)
{
    out << "\nCost per station (N = " << n << "), server round-trip time per station-minute:\n";
    QList<std::pair<double, int>> costs;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (r.Stats.Count[kind] > 0)
            costs.append({r.Stats.Seconds[kind] * 1000 * 60 / r.Seconds / n, kind});
    }
    std::sort(costs.begin(), costs.end(), std::greater<>());
    for (const auto &[msPerMinute, kind] : costs) {
        out << "  " << qSetFieldWidth(28) << Qt::left << Kinds[kind].Name << qSetFieldWidth(0)
            << QString::number(msPerMinute, 'f', 2) << " ms/min  (each "
            << QString::number(1000 * r.Stats.Seconds[kind] / r.Stats.Count[kind], 'f', 2)
            << " ms, " << r.Stats.Count[kind] << " runs)\n";
    }
}

// The summary as specified against its one-pass rewrite on today's periods.
void CompareSummary(const QSqlDatabase &db)
{
    const QVector<TSvodPeriod> periods = SvodPeriods(Now());
    const QString statement = SvodStatement(periods);
    const QString onePass = OnePassStatement(periods);
    auto time = [&db](const QString &text) {
        QVector<double> runs;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            QSqlQuery query(db);
            query.exec(text);
            while (query.next()) { }
            runs.append(timer.nsecsElapsed() / 1e6);
        }
        std::sort(runs.begin(), runs.end());
        return runs[runs.size() / 2];
    };
    const bool same = ResultRows(db, statement) == ResultRows(db, onePass);
    out << "\nsummary statement " << QString::number(time(statement), 'f', 1)
        << " ms, one-pass rewrite " << QString::number(time(onePass), 'f', 1)
        << " ms (median of 5); same figures: " << (same ? "yes" : "NO") << "\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const double seconds = argc > 1 ? std::max(10, atoi(argv[1])) : 60;
    QList<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.append(std::max(1, atoi(argv[i])));
    if (counts.isEmpty())
        counts = {10, 50, 200, 1000};
    const int most = *std::max_element(counts.begin(), counts.end());
    // Every station holds a link to the primary besides its read link once replicas serve.
    qputenv("KV512_DB_EXTRA_OPTIONS",
            QStringLiteral("--max-connections=%1 --thread-cache-size=256")
                .arg(2 * most + 50)
                .toLatin1());
    BenchDb db;
    if (!db.IsRunning()) {
        out << "bench_stations: cannot start a private database\n";
        return 1;
    }
    QSqlDatabase fill = Connect(QStringLiteral("fill"), db.Port(), 3600);
    QString error;
    const int minutes = 365 * 1440;
    QElapsedTimer filling;
    filling.start();
    if (!fill.isOpen()
        || !FillHistory(fill, QDateTime::currentDateTime().addSecs(-60LL * minutes), minutes - 1,
                        &error)) {
        out << "bench_stations: " << (fill.isOpen() ? error : fill.lastError().text()) << "\n";
        return 1;
    }
    out << "a year of history (" << minutes << " records) in "
        << QString::number(filling.elapsed() / 1000.0, 'f', 0) << " s\n";
    CompareSummary(fill);

    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(QStringLiteral(KV512_SIM),
                    {QStringLiteral("--port"), QString::number(db.Port()),
                     QStringLiteral("--password"), BenchDb::Password(),
                     QStringLiteral("--interval"), QStringLiteral("60")});
    if (!simulator.waitForStarted()) {
        out << "bench_stations: cannot start the simulator\n";
        return 1;
    }
    const TServer primary {QStringLiteral("primary"), db.Port(),
                           db.Folder() + QStringLiteral("/mysqld.pid")};

    out << "\n"
        << seconds
        << " s per run; expected per station: " << QString::number(ExpectedRate(false), 'f', 2)
        << " statements/s (with replicas " << QString::number(ExpectedRate(true), 'f', 2) << ")\n";
    PrintHeader();
    QList<std::pair<int, TResult>> single;
    for (int n : counts) {
        single.append({n, RunStations(n, {primary}, {primary.Port}, false, seconds)});
        PrintRow(QStringLiteral("one server"), n, single.last().second, false);
    }

    bool replicasUp = true;
    for (const QString &n : {QStringLiteral("1"), QStringLiteral("2")})
        replicasUp =
            replicasUp && db.Script({QStringLiteral("replica"), QStringLiteral("start"), n});
    if (replicasUp) {
        const QList<TServer> servers {primary,
                                      {QStringLiteral("replica 1"), db.ReplicaPort(1),
                                       db.Folder() + QStringLiteral("/replica1/mysqld.pid")},
                                      {QStringLiteral("replica 2"), db.ReplicaPort(2),
                                       db.Folder() + QStringLiteral("/replica2/mysqld.pid")}};
        for (int n : counts) {
            PrintRow(QStringLiteral("two replicas"), n,
                     RunStations(n, servers, {servers[1].Port, servers[2].Port}, true, seconds),
                     true);
        }
    } else {
        out << "bench_stations: the replicas did not start\n";
    }
    PrintCosts(single.first().second, single.first().first);
    out << "(CPU: all servers of the run together, per second of the run and per station)\n";

    simulator.terminate();
    simulator.waitForFinished(5000);
    return 0;
}
