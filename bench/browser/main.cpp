// Browser benchmark: the year 2025 of one-minute records in a private MariaDB instance, and the
// browser window (offscreen, 1280 x 800) over the last day, the last month and the whole year. For
// each range: the time from Enter to the first rows painted, the time until the range is counted,
// the time from Ctrl+End to the last row painted, the resident memory after it, and the longest
// time the interface thread went without turning its event loop meanwhile; then the same for the
// streamed CSV export of the range. An argument names a PNG file for a picture of the window over
// the month.

#include "BenchDb.h"
#include "app/Connection.h"
#include "app/CsvExport.h"
#include "base/Feedback.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"
#include "views/PagedGridModel.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimeEdit>
#include <QTimer>
#include <ctime>

namespace {
QTextStream out(stdout);

const QDate Year(2025, 1, 1);
const int Minutes = 365 * 1440;

// Message boxes printed instead of shown: a benchmark never waits for a click.
class PrintedFeedback : public TFeedback
{
public:
    int MessageBox(const QString &text, const QString &, TMsgIcon, int, int defaultButton) override
    {
        out << "bench_browser: message \"" << text << "\"\n";
        out.flush();
        return defaultButton;
    }
    void Beep() override { }
};

// Resident memory of the process in MB.
double ResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// Milliseconds of processor time this thread has used.
double ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The longest gap between two turns of the event loop while it runs, seen by a 1 ms timer: in
// wall-clock time, and in processor time of the interface thread (which leaves out the time the
// machine gave to other processes, the server included).
class HoldProbe
{
public:
    HoldProbe()
    {
        FTimer.setInterval(1);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
    }
    void Start()
    {
        FLongest = FLongestCpu = 0;
        FClock.start();
        FCpu = ThreadCpuMs();
        FTimer.start();
    }
    // Counts the time since the last tick too, so a hold still running is not missed.
    QString Longest()
    {
        Tick();
        return QStringLiteral("%1 ms (processor %2 ms)")
            .arg(FLongest, 0, 'f', 1)
            .arg(FLongestCpu, 0, 'f', 1);
    }

private:
    void Tick()
    {
        const double cpu = ThreadCpuMs();
        FLongest = std::max(FLongest, FClock.nsecsElapsed() / 1e6);
        FLongestCpu = std::max(FLongestCpu, cpu - FCpu);
        FClock.restart();
        FCpu = cpu;
    }

    QTimer FTimer;
    QElapsedTimer FClock;
    double FCpu = 0;
    double FLongest = 0;
    double FLongestCpu = 0;
};

// Turns the event loop until done() holds; false after a minute.
bool WaitFor(const std::function<bool()> &done, const char *what)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60000) {
            out << "bench_browser: no " << what << " after a minute\n";
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// The rows in view are read and painted.
bool RowsShown(TFormBaseView &browser)
{
    TDataGrid *grid = browser.Grid;
    const int top = grid->rowAt(0);
    if (top < 0)
        return false;
    int bottom = grid->rowAt(grid->viewport()->height() - 1);
    if (bottom < 0)
        bottom = browser.Records()->rowCount() - 1;
    if (!browser.Records()->Holds(top) || !browser.Records()->Holds(bottom))
        return false;
    grid->viewport()->repaint();
    return true;
}

QString Ms(double ms)
{
    return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
}

bool Range(TFormBaseView &browser, const QString &name, const QDate &first, const QDate &last,
           HoldProbe &probe)
{
    browser.DateTimePicker1->setDate(first);
    browser.DateTimePicker2->setTime(QTime(0, 0));
    browser.DateTimePicker3->setDate(last);
    browser.DateTimePicker4->setTime(QTime(23, 59, 59));
    browser.Grid->scrollToTop();
    QCoreApplication::processEvents();

    probe.Start();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(browser.Grid, Qt::Key_Return);
    if (!WaitFor([&] { return RowsShown(browser); }, "first rows"))
        return false;
    const double firstRows = clock.nsecsElapsed() / 1e6;
    // Counted, and the scroll bar spanning the rows (the grid lays itself out at its next turn).
    QScrollBar *bar = browser.Grid->verticalScrollBar();
    if (!WaitFor(
            [&] {
                return browser.Records()->Complete()
                    && bar->maximum() + bar->pageStep() >= browser.Records()->rowCount();
            },
            "count"))
        return false;
    const double counted = clock.nsecsElapsed() / 1e6;
    clock.restart();
    QTest::keyClick(browser.Grid, Qt::Key_End, Qt::ControlModifier);
    const int lastRow = browser.Records()->rowCount() - 1;
    if (!WaitFor([&] { return RowsShown(browser) && browser.Records()->Holds(lastRow); },
                 "last row"))
        return false;
    const double lastRowMs = clock.nsecsElapsed() / 1e6;
    const QString hold = probe.Longest();
    out << qSetFieldWidth(6) << Qt::left << name << qSetFieldWidth(0) << qSetFieldWidth(8)
        << Qt::right << browser.Records()->rowCount() << qSetFieldWidth(0) << " records:"
        << " first rows " << Ms(firstRows) << ", counted " << Ms(counted) << ", Ctrl+End "
        << Ms(lastRowMs) << ", RSS " << QString::number(ResidentMb(), 'f', 1)
        << " MB, longest hold " << hold << "\n";
    out.flush();
    return true;
}

bool Export(TFormBaseView &browser, const QString &name, const QString &path, HoldProbe &probe)
{
    CsvFileChooser() = [&](QWidget *, const QString &) {
        return path;
    };
    probe.Start();
    QElapsedTimer clock;
    clock.start();
    browser.Grid->findChild<QAction *>(QStringLiteral("ActionExportCsv"))->trigger();
    const double ms = clock.nsecsElapsed() / 1e6;
    const QString hold = probe.Longest();
    QFile file(path);
    const bool written = file.exists();
    out << qSetFieldWidth(6) << Qt::left << name << qSetFieldWidth(0) << " CSV export: " << Ms(ms)
        << ", " << QString::number(file.size() / 1048576.0, 'f', 1) << " MB, RSS "
        << QString::number(ResidentMb(), 'f', 1) << " MB, longest hold " << hold << "\n";
    out.flush();
    file.remove();
    return written;
}

int Run(const BenchDb &db, const QString &shot)
{
    QElapsedTimer fill;
    fill.start();
    if (!db.FillRecords(Year, Minutes))
        return 1;
    out << "filled " << Minutes << " records in "
        << QString::number(fill.nsecsElapsed() / 1e9, 'f', 1) << " s; RSS before the browser "
        << QString::number(ResidentMb(), 'f', 1) << " MB\n";
    out.flush();

    TFormBaseView browser;
    browser.resize(1280, 800);
    browser.show();
    if (!QTest::qWaitForWindowExposed(&browser))
        return 1;
    browser.Grid->setFocus();
    HoldProbe probe;
    const QDate end(2025, 12, 31);
    for (int pass = 1; pass <= 2; ++pass) {
        QFile load(QStringLiteral("/proc/loadavg"));
        load.open(QIODevice::ReadOnly);
        out << "pass " << pass << (pass == 1 ? " (server cache cold for the longer ranges)" : "")
            << ", load average " << load.readAll().split(' ').first() << "\n";
        if (!Range(browser, QStringLiteral("day"), end, end, probe)
            || !Range(browser, QStringLiteral("month"), QDate(2025, 12, 1), end, probe))
            return 1;
        if (pass == 2 && !shot.isEmpty()) {
            browser.Grid->horizontalScrollBar()->setValue(0);
            browser.Grid->verticalScrollBar()->setSliderPosition(
                browser.Grid->verticalScrollBar()->maximum() / 2);
            WaitFor([&] { return RowsShown(browser); }, "rows in the middle");
            browser.grab().save(shot);
        }
        if (!Range(browser, QStringLiteral("year"), Year, end, probe))
            return 1;
    }
    QTemporaryDir dir;
    for (const auto &[name, first] : {std::pair {QStringLiteral("day"), end},
                                      std::pair {QStringLiteral("month"), QDate(2025, 12, 1)},
                                      std::pair {QStringLiteral("year"), Year}}) {
        if (!Range(browser, name, first, end, probe)
            || !Export(browser, name, dir.filePath(QStringLiteral("export.csv")), probe))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrintedFeedback feedback;
    SetFeedback(&feedback);
    BenchDb db;
    if (!db.IsRunning()) {
        out << "bench_browser: cannot start a private database\n";
        return 1;
    }
    SetConnectionParam(QStringLiteral("HostName"), db.Host());
    SetConnectionParam(QStringLiteral("User_Name"), BenchDb::User());
    SetConnectionParam(QStringLiteral("Password"), BenchDb::Password());
    int code = 1;
    if (SQLConnection1().Open())
        code = Run(db, argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    else
        out << "bench_browser: " << SQLConnection1().LastError() << "\n";
    SQLConnection1().Close();
    return code;
}
