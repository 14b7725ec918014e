// Soak run: the whole client, every window created and each brought forward once, against the
// simulator writing one record a second into a private database. Prints every minute the resident
// memory, the event ring's fill and how long the interface thread was held at most (the longest
// gap between two ticks of a 10 ms probe timer), then a verdict on the three aims.

#include "app/Main.h"
#include "BenchDb.h"
#include "app/EventLog.h"
#include "station/Windows.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

double ResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int minutes = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    BenchDb db;
    if (!db.IsRunning() || !db.Backfill(1)) {
        std::printf("bench_soak: cannot start a private database\n");
        return 1;
    }
    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(QStringLiteral(KV512_SIM),
                    {QStringLiteral("--port"), QString::number(db.Port()),
                     QStringLiteral("--password"), BenchDb::Password(),
                     QStringLiteral("--interval"), QStringLiteral("1")});
    if (!simulator.waitForStarted()) {
        std::printf("bench_soak: cannot start the simulator\n");
        return 1;
    }

    QTemporaryDir folder;
    const QString settings = BenchDb::WriteClientSettings(folder.path(), db.Host());
    if (settings.isEmpty())
        return 1;

    RegisterComponentLibraries();
    TFormMain frame(settings, [](QString &, QString &password) {
        password = BenchDb::Password();
        return true;
    });
    frame.CreateWindows(StationWindows());
    frame.show();
    // Every window brought forward once, the diagram last, as an operator leaves the station.
    const QList<QAction *> windows = {
        frame.ActionGraphGC_params, frame.ActionGraphSuspLevel, frame.ActionGraphDivPosition,
        frame.ActionGraphTrans,     frame.ActionWorkLog,        frame.ActionSvodTable,
        frame.ActionBaseView,       frame.ActionDiagnostics,    frame.ActionMnemo};
    for (QAction *action : windows)
        QTimer::singleShot(2000, action, &QAction::trigger);

    QElapsedTimer sinceProbe;
    sinceProbe.start();
    qint64 longestInMinute = 0;
    qint64 longestAfterStart = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longestInMinute = std::max(longestInMinute, sinceProbe.restart()); });
    probe.start();

    std::printf("%-6s %10s %10s %16s\n", "minute", "RSS MB", "ring", "longest hold ms");
    double rssAtTen = -1;
    double rssLast = 0;
    int minute = 0;
    QTimer report;
    report.setInterval(60000);
    QObject::connect(&report, &QTimer::timeout, [&] {
        ++minute;
        rssLast = ResidentMb();
        if (minute == std::min(10, minutes))
            rssAtTen = rssLast;
        if (minute > 1) // the first minute holds the windows' first loads
            longestAfterStart = std::max(longestAfterStart, longestInMinute);
        std::printf("%-6d %10.1f %6d/%-3d %16lld\n", minute, rssLast, EventRing().Count(),
                    EventRing().Capacity(), static_cast<long long>(longestInMinute));
        std::fflush(stdout);
        longestInMinute = 0;
        if (minute >= minutes)
            QCoreApplication::exit(0); // exit, not quit: quit asks the exit question
    });
    report.start();
    application.exec();

    simulator.terminate();
    simulator.waitForFinished(10000);
    const double growth = rssLast - rssAtTen;
    std::printf("memory growth after minute %d: %.1f MB (aim < 5); ring %d of %d (aim: not full); "
                "longest hold after the first minute %lld ms (aim < 100)\n",
                std::min(10, minutes), growth, EventRing().Count(), EventRing().Capacity(),
                static_cast<long long>(longestAfterStart));
    return 0;
}
