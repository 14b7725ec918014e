#include "FrameTestKit.h"

#include "TestDb.h"
#include "app/About.h"
#include "app/Connection.h"
#include "app/InputNewSet.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "app/MainMenu.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <csignal>

FrameUnderTest::FrameUnderTest(const QString &host, const QString &password, bool shellWindows,
                               const QString &readFrom)
{
    QFile settings(SettingsPath());
    if (settings.open(QIODevice::WriteOnly)) {
        settings.write(QStringLiteral("[main]\r\nTempDir=%1/Temp\r\nTemplateDir=%1/Template\r\n"
                                      "[MySQL]\r\nLogin=%2\r\nComp=%3\r\nSavePassword=0\r\n")
                           .arg(folder.path(), QString::fromLatin1(TestDb::User),
                                host.isEmpty() ? TestDb::HostWithPort() : host)
                           .toUtf8());
        if (!readFrom.isEmpty())
            settings.write(QStringLiteral("ReadFrom=%1\r\n").arg(readFrom).toUtf8());
    }
    settings.close();
    frame = std::make_unique<TFormMain>(SettingsPath(), [password](QString &, QString &entered) {
        entered = password;
        return true;
    });
    // The application layer's own windows, as the station creates them.
    if (shellWindows)
        frame->CreateWindows(
            {ChildWindow<TFormMainMenu>(&TFormMain::ActionMainMenu, &TFormMain::ActionPrint, {},
                                        Qt::SubWindow | Qt::CustomizeWindowHint),
             DialogWindow<TFormAbout>(), DialogWindow<TFormInputNewSet>()});
    // The link opens in the background; tests start from its outcome.
    if (!QTest::qWaitFor([this] { return !frame->Connecting(); },
                         2 * TConnectionOpener::AnswerTimeout))
        qWarning("FrameUnderTest: the link attempt did not end");
}

void AnswerDialog(const QString &text, Qt::Key key, QString *label, std::function<void()> meanwhile)
{
    QTimer::singleShot(10, [=] {
        if (!FormInputNewSet || !FormInputNewSet->isActiveWindow()) {
            AnswerDialog(text, key, label, meanwhile);
            return;
        }
        if (meanwhile)
            meanwhile();
        *label = FormInputNewSet->LabelParName->text();
        QWidget *focus = QApplication::focusWidget();
        if (focus == FormInputNewSet->EditInput)
            QTest::keyClicks(focus, text);
        QTest::keyClick(FormInputNewSet, key);
    });
}

FrameUnderTest::~FrameUnderTest()
{
    frame.reset();
    SQLConnection1().Close();
}

QString FrameUnderTest::SettingsPath() const
{
    return folder.filePath(QStringLiteral("talmer.INI"));
}

MuteServer::MuteServer(bool hangUp)
{
    listen(QHostAddress::LocalHost);
    if (hangUp) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                socket->abort();
        });
    }
}

QString MuteServer::Host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(serverPort());
}

BusyServer::BusyServer()
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            // An error packet in place of the handshake: 0xFF, the error number, the text.
            QByteArray payload("\xff\x10\x04Too many connections");
            QByteArray packet(4, '\0');
            packet[0] = char(payload.size());
            packet += payload;
            socket->write(packet);
            socket->disconnectFromHost();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

PausedServer::PausedServer(int maxSeconds)
{
    QFile file(qEnvironmentVariable("KV512_DB_DIR") + QStringLiteral("/mysqld.pid"));
    if (file.open(QIODevice::ReadOnly))
        pid = QString::fromLatin1(file.readAll()).trimmed().toLongLong();
    paused = pid > 0 && ::kill(pid_t(pid), SIGSTOP) == 0;
    if (paused) {
        watchdog = std::thread([this, maxSeconds] {
            std::unique_lock lock(mutex);
            resumed.wait_for(lock, std::chrono::seconds(maxSeconds), [this] { return !paused; });
            ::kill(pid_t(pid), SIGCONT);
        });
    }
}

PausedServer::~PausedServer()
{
    Resume();
}

void PausedServer::Resume()
{
    {
        std::lock_guard lock(mutex);
        paused = false;
    }
    resumed.notify_all();
    if (watchdog.joinable())
        watchdog.join();
}

ScreenWatch::ScreenWatch()
{
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, [this] {
        ++ticks;
        longestGap = std::max(longestGap, sinceTick.restart());
        if (!frame)
            return;
        if (!sinceFrame.isValid())
            sinceFrame.start();
        clockTexts.insert(frame->LabelClock->text());
        if (redAfter < 0 && frame->LinkColor() == LinkRed)
            redAfter = sinceStart.elapsed();
    });
    timer.start();
    sinceStart.start();
    sinceTick.start();
}

void ScreenWatch::RunUntil(qint64 ms)
{
    QTest::qWait(int(std::max<qint64>(0, ms - sinceStart.elapsed())));
}

bool ScreenWatch::ClockTicked(int missed) const
{
    return sinceFrame.isValid() && clockTexts.size() >= sinceFrame.elapsed() / 1000 - missed;
}

QString ScreenWatch::Report() const
{
    return QStringLiteral("%1 ticks, longest gap %2 ms, %3 clock texts in %4 ms, red after %5 ms")
        .arg(ticks)
        .arg(longestGap)
        .arg(clockTexts.size())
        .arg(sinceFrame.isValid() ? sinceFrame.elapsed() : 0)
        .arg(redAfter);
}
