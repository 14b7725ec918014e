// Backfill benchmark: how long writing N days (default 35) of history takes, and at what rate.
// Starts a private MariaDB instance in a temporary folder, writes the history
// into the empty database, runs the backfill a second time (which must add nothing), stops the
// instance.

#include "BenchDb.h"
#include "core/Backfill.h"
#include "core/PlantModel.h"
#include "core/SimDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {
QTextStream out(stdout);

struct Timed
{
    BackfillResult result;
    double seconds = 0;
};

Timed RunBackfill(SimDatabase &db, int days, const QDateTime &now)
{
    PlantModel model(1);
    BackfillOptions options;
    options.days = days;
    QElapsedTimer timer;
    timer.start();
    Timed timed;
    timed.result = Backfill(db, model, options).Run(now);
    timed.seconds = timer.nsecsElapsed() / 1e9;
    return timed;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int days = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 35;
    BenchDb bench;
    if (days < 1 || !bench.IsRunning()) {
        out << "bench_backfill: cannot start a private database\n";
        return 1;
    }

    int code = 0;
    {
        DbSettings settings;
        settings.port = bench.Port();
        settings.password = BenchDb::Password();
        SimDatabase db(settings);
        if (!db.EnsureOpen(QDateTime::currentDateTime())) {
            code = 1;
        } else {
            const QDateTime now = QDateTime::currentDateTime();
            const Timed first = RunBackfill(db, days, now);
            const Timed second = RunBackfill(db, days, now);
            if (!first.result.ok || !second.result.ok)
                code = 1;
            out << "backfill of " << days << " days: " << first.result.records << " records, "
                << first.result.journal << " journal rows in "
                << QString::number(first.seconds, 'f', 2)
                << " s = " << QString::number(first.result.records / first.seconds, 'f', 0)
                << " records/s\n";
            out << "second run (adds " << second.result.records
                << " records): " << QString::number(second.seconds, 'f', 2) << " s\n";
            out.flush();
        }
    }
    return code;
}
