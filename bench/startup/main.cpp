// Start-up benchmark: the time from process start to the first painted frame of the main window,
// with every window of the station created, against a private database holding two days of
// history. The program runs itself once per measured start ("--child"), so each figure includes
// loading the libraries, as an operator's start does.

#include "app/Main.h"
#include "BenchDb.h"
#include "station/Windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

// Seconds since this process started, from the kernel's own start time (clock ticks since boot).
double SecondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which may hold blanks, start after the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / sysconf(_SC_CLK_TCK);
    return uptime.readAll().split(' ').value(0).toDouble() - started;
}

// Notes the first paint of any widget of the main window.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *frame)
        : m_frame(frame)
    { }
    double seconds = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (seconds < 0 && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_frame) {
            seconds = SecondsSinceProcessStart();
            // exit, not quit: quit would close the frame through its exit question.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    QWidget *m_frame;
};

int Child(int argc, char *argv[], const QString &host)
{
    QApplication application(argc, argv);
    QElapsedTimer phase;
    phase.start();
    const double atMain = SecondsSinceProcessStart();
    QTemporaryDir folder;
    const QString settings = BenchDb::WriteClientSettings(folder.path(), host);
    if (settings.isEmpty())
        return 1;

    RegisterComponentLibraries();
    TFormMain frame(settings, [](QString &, QString &password) {
        password = BenchDb::Password();
        return true;
    });
    const double frameMs = phase.nsecsElapsed() / 1e6;
    frame.CreateWindows(StationWindows());
    const double windowsMs = phase.nsecsElapsed() / 1e6 - frameMs;
    FirstPaint probe(&frame);
    application.installEventFilter(&probe);
    frame.show();
    application.exec();
    std::printf("%.1f %.1f %.1f %.1f\n", atMain * 1000, frameMs, windowsMs, probe.seconds * 1000);
    return probe.seconds < 0 ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && QByteArray(argv[1]) == "--child")
        return Child(argc, argv, QString::fromLatin1(argv[2]));

    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    BenchDb db;
    if (!db.IsRunning() || !db.Backfill(2)) {
        std::printf("bench_startup: cannot start a private database\n");
        return 1;
    }
    std::printf("%-5s %12s %12s %12s %16s\n", "run", "to main ms", "frame ms", "windows ms",
                "first paint ms");
    QList<double> totals;
    for (int run = 1; run <= runs; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), db.Host()});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::printf("run %d failed\n", run);
            return 1;
        }
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        std::printf("%-5d %12s %12s %12s %16s\n", run, figures.value(0).constData(),
                    figures.value(1).constData(), figures.value(2).constData(),
                    figures.value(3).constData());
        totals.append(figures.value(3).toDouble());
    }
    std::sort(totals.begin(), totals.end());
    std::printf("median from process start to the first painted frame: %.0f ms\n",
                totals[totals.size() / 2]);
    return 0;
}
