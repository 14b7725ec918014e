// kv512-sim: the acquisition side for demos and tests. Writes process records, the heartbeat and
// the journal into the kv512 database and obeys the operator's command rows.

#include "SignalQuit.h"
#include "core/Backfill.h"
#include "core/LiveSimulator.h"
#include "core/PlantModel.h"
#include "core/SimDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kv512-sim"));
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd HH:mm:ss} kv512-sim: %{message}"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plant simulator: writes process records, heartbeat and journal into the "
                       "kv512 database and takes up the operator's set-point commands."));
    parser.addHelpOption();
    const QCommandLineOption host("host", "Database server (default 127.0.0.1).", "host",
                                  "127.0.0.1");
    const QCommandLineOption port("port", "Database port (default 3306).", "port", "3306");
    const QCommandLineOption user("user", "Database user (default kv512).", "user", "kv512");
    const QCommandLineOption password("password", "Database password (default empty).", "password");
    const QCommandLineOption database("database", "Database name (default kv512).", "name",
                                      "kv512");
    const QCommandLineOption interval("interval", "Seconds between records (default 60).",
                                      "seconds", "60");
    const QCommandLineOption backfill("backfill-days",
                                      "Write the history of N days up to now and exit; adds only "
                                      "what is missing after the newest record.",
                                      "N");
    const QCommandLineOption noHeartbeat("no-heartbeat",
                                         "Keep writing records but let the heartbeat stand still.");
    const QCommandLineOption once("once", "Write a single record now and exit.");
    const QCommandLineOption seed("seed", "Seed of the plant's randomness (default: random).",
                                  "number");
    const QCommandLineOption noUpsets("no-upsets",
                                      "No upsets (density excursions, a sump running high, "
                                      "conveyor stops).");
    const QCommandLineOption upsetsPerDay("upsets-per-day",
                                          "How many upsets a day, on average (default 6).", "N");
    const QCommandLineOption upset("upset",
                                   "Force one upset as soon as the unit runs under load: "
                                   "density, sump, conveyor23 or conveyor2.",
                                   "kind");
    parser.addOptions({host, port, user, password, database, interval, backfill, noHeartbeat, once,
                       seed, noUpsets, upsetsPerDay, upset});
    parser.process(app);

    QTextStream err(stderr);
    bool ok = true;
    DbSettings settings;
    settings.host = parser.value(host);
    settings.port = parser.value(port).toInt(&ok);
    if (!ok || settings.port <= 0 || settings.port > 65535) {
        err << "kv512-sim: bad --port\n";
        return 2;
    }
    settings.user = parser.value(user);
    settings.password = parser.value(password);
    settings.database = parser.value(database);

    LiveOptions live;
    live.intervalSeconds = parser.value(interval).toInt(&ok);
    if (!ok || live.intervalSeconds < 1) {
        err << "kv512-sim: bad --interval\n";
        return 2;
    }
    live.heartbeat = !parser.isSet(noHeartbeat);

    quint32 seedValue = QRandomGenerator::global()->generate();
    if (parser.isSet(seed)) {
        seedValue = parser.value(seed).toUInt(&ok);
        if (!ok) {
            err << "kv512-sim: bad --seed\n";
            return 2;
        }
    }

    PlantModel model(seedValue);
    if (parser.isSet(upsetsPerDay)) {
        const double perDay = parser.value(upsetsPerDay).toDouble(&ok);
        if (!ok || perDay < 0) {
            err << "kv512-sim: bad --upsets-per-day\n";
            return 2;
        }
        model.SetUpsetsPerDay(perDay);
    }
    if (parser.isSet(noUpsets))
        model.SetUpsetsPerDay(0);
    if (parser.isSet(upset)) {
        const std::optional<Upset> kind = UpsetFromName(parser.value(upset));
        if (!kind) {
            err << "kv512-sim: bad --upset (density, sump, conveyor23 or conveyor2)\n";
            return 2;
        }
        model.ForceUpset(*kind);
    }
    SimDatabase db(settings);

    if (parser.isSet(backfill)) {
        BackfillOptions options;
        options.days = parser.value(backfill).toInt(&ok);
        if (!ok || options.days < 1) {
            err << "kv512-sim: bad --backfill-days\n";
            return 2;
        }
        if (!db.EnsureOpen(QDateTime::currentDateTime()))
            return 1;
        QElapsedTimer timer;
        timer.start();
        const BackfillResult result =
            Backfill(db, model, options).Run(QDateTime::currentDateTime());
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!result.ok) {
            err << "kv512-sim: backfill failed after " << result.records << " records\n";
            return 1;
        }
        err << "kv512-sim: backfill wrote " << result.records << " records and " << result.journal
            << " journal rows";
        if (result.first.isValid())
            err << " from " << SqlMoment(result.first) << " to " << SqlMoment(result.last);
        err << " in " << QString::number(seconds, 'f', 2) << " s ("
            << QString::number(seconds > 0 ? result.records / seconds : 0, 'f', 0)
            << " records/s)\n";
        return 0;
    }

    LiveSimulator simulator(db, model, live);
    if (parser.isSet(once))
        return simulator.WriteOnce() ? 0 : 1;

    SignalQuit quit;
    QObject::connect(&quit, &SignalQuit::Raised, &app, &QCoreApplication::quit);
    qInfo().noquote() << "writing to" << settings.host + ':' + QString::number(settings.port)
                      << "every" << live.intervalSeconds << "s"
                      << (live.heartbeat ? "" : "(heartbeat off)");
    simulator.Start();
    const int code = app.exec();
    simulator.Stop();
    qInfo() << "stopped";
    return code;
}
