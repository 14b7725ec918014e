// Pictures of the whole screen with the station's windows, over a private server with five weeks
// of simulated history, for looking at layouts by eye at a given screen size. Run under an X
// server of that size, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" talmer-screens <output folder>
// Writes mnemo, menu, journal, summary, browser, trend-zoom (zoomed in, with the hover hint) and
// month (a month of the process parameters) as <name>-<width>x<height>.png.

#include "app/Main.h"
#include "BenchDb.h"
#include "app/Application.h"
#include "app/Connection.h"
#include "charts/LevelGraph.h"
#include "station/Windows.h"
#include "trends/GraphTrend.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEventLoop>
#include <QHelpEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWheelEvent>

namespace {

QTextStream out(stdout);

void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void Save(const QDir &folder, const QString &name)
{
    Wait(1200);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen->size();
    const QString path = folder.filePath(
        QStringLiteral("%1-%2x%3.png").arg(name).arg(size.width()).arg(size.height()));
    screen->grabWindow(0).save(path);
    out << path << '\n';
    out.flush();
}

void Wheel(QWidget *widget, QPoint at, int delta)
{
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

TFormGraphTrend *OpenTrend(TFormMain &frame, int range)
{
    frame.ActionGraphGC_params->trigger();
    auto *trend = qobject_cast<TFormGraphTrend *>(frame.RoutedChild(frame.ActionGraphGC_params));
    trend->ComboBox1->setCurrentIndex(range);
    // Yesterday: the production day of today may not have begun yet.
    trend->DateTimePicker1->setDate(QDate::currentDate().addDays(-1));
    trend->Reload();
    return trend;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: talmer-screens <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    BenchDb db;
    if (!db.IsRunning() || !db.Backfill(32)) {
        QTextStream(stderr) << "cannot prepare the private database\n";
        return 1;
    }
    QTemporaryDir work;
    InitApplication();
    RegisterComponentLibraries();
    TFormMain frame(BenchDb::WriteClientSettings(work.path(), db.Host()),
                    [](QString &, QString &password) {
                        password = BenchDb::Password();
                        return true;
                    });
    frame.CreateWindows(StationWindows());
    frame.showMaximized();
    Wait(2000);

    frame.ActionMnemo->trigger();
    Save(folder, QStringLiteral("mnemo"));
    frame.ActionMainMenu->trigger();
    Save(folder, QStringLiteral("menu"));
    frame.ActionWorkLog->trigger();
    Save(folder, QStringLiteral("journal"));
    frame.ActionSvodTable->trigger();
    Save(folder, QStringLiteral("summary"));
    frame.ActionBaseView->trigger();
    Save(folder, QStringLiteral("browser"));

    TFormGraphTrend *trend = OpenTrend(frame, 2);
    TLevelGraph *chart = trend->Chart(1);
    const QPoint at(chart->width() * 2 / 3, chart->height() / 2);
    Wheel(chart, at, 6 * 120);
    Wait(300);
    QHelpEvent help(QEvent::ToolTip, at, chart->mapToGlobal(at));
    QApplication::sendEvent(chart, &help);
    Save(folder, QStringLiteral("trend-zoom"));

    OpenTrend(frame, 4);
    Save(folder, QStringLiteral("month"));
    return 0;
}
