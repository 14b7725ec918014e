// Pictures of the whole station over a running server with the simulator's upsets: the main frame
// with the alarm banner over the diagram, an enlarged banner, the tabs of the alarm window and the
// journal of set-point commands.
// For looking at them by eye:
//   talmer-alarmshots <host:port> <password> <seconds to run first> <output folder>

#include "app/Main.h"
#include "alarms/AlarmStatsTab.h"
#include "alarms/FormAlarms.h"
#include "mnemo/Mnemo.h"
#include "station/Windows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

void Save(const QPixmap &picture, const QString &path)
{
    picture.save(path);
    QTextStream(stdout) << path << '\n';
}

void RunFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 5) {
        QTextStream(stderr)
            << "usage: talmer-alarmshots <host:port> <password> <seconds> <folder>\n";
        return 2;
    }
    const QString password = QString::fromLocal8Bit(argv[2]);
    const int seconds = QString::fromLocal8Bit(argv[3]).toInt();
    const QDir folder(QString::fromLocal8Bit(argv[4]));
    QTemporaryDir work;
    const QString settings = work.filePath(QStringLiteral("talmer.INI"));
    QFile file(settings);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral("[main]\r\nTempDir=%1/Temp\r\nTemplateDir=%1/Template\r\n"
                              "[MySQL]\r\nComp=%2\r\nLogin=kv512\r\nSavePassword=0\r\n")
                   .arg(work.path(), QString::fromLocal8Bit(argv[1]))
                   .toUtf8());
    file.close();

    RegisterComponentLibraries();
    TFormMain frame(settings, [password](QString &, QString &entered) {
        entered = password;
        return true;
    });
    frame.CreateWindows(StationWindows());
    frame.resize(1600, 950);
    frame.show();
    frame.ActionMnemo->trigger();
    RunFor(seconds * 1000);

    Save(frame.grab(), folder.filePath(QStringLiteral("alarms-frame.png")));
    // Both phases of the flashing.
    for (const char *name : {"alarms-banner-1.png", "alarms-banner-2.png"}) {
        Save(frame.PanelAlarm->grab().scaled(frame.PanelAlarm->size() * 2),
             folder.filePath(QString::fromLatin1(name)));
        RunFor(500);
    }
    if (FormMnemo) {
        const QRect area(250, 170, 760, 570);
        for (const char *name : {"alarms-diagram-1.png", "alarms-diagram-2.png"}) {
            Save(FormMnemo->grab(area).scaled(area.size() * 3 / 2),
                 folder.filePath(QString::fromLatin1(name)));
            RunFor(500);
        }
    }
    frame.ActionAlarms->trigger();
    RunFor(1200);
    Save(frame.grab(), folder.filePath(QStringLiteral("alarms-current.png")));
    FormAlarms->PageControl->setCurrentWidget(FormAlarms->TabArchive);
    RunFor(500);
    Save(frame.grab(), folder.filePath(QStringLiteral("alarms-archive.png")));
    FormAlarms->PageControl->setCurrentWidget(FormAlarms->TabStatistics);
    FormAlarms->TabStatistics->ComboPeriod->setCurrentIndex(1);
    FormAlarms->TabStatistics->Load();
    RunFor(500);
    Save(frame.grab(), folder.filePath(QStringLiteral("alarms-statistics.png")));
    frame.ActionCommandLog->trigger();
    RunFor(800);
    Save(frame.grab(), folder.filePath(QStringLiteral("alarms-commands.png")));
    return 0;
}
