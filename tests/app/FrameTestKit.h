#pragma once

#include "app/Config.h"

#include <QElapsedTimer>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TFormMain;

// A main frame on its own settings file in a temporary folder, connected (or not) as asked.
class FrameUnderTest
{
public:
    // host "" means the private test server; the password is given through the login prompt.
    // Returns once the start-up attempt to open the link has ended.
    // shellWindows: the shell's own windows (main menu, about box, set-point input) are made as
    // the station's window table makes them; a test of that table asks for none. readFrom: the
    // setting ReadFrom, left out when empty.
    explicit FrameUnderTest(const QString &host = QString(),
                            const QString &password = QStringLiteral("kv512"),
                            bool shellWindows = true, const QString &readFrom = QString());
    ~FrameUnderTest();

    TFormMain *operator->() const { return frame.get(); }
    TFormMain *get() const { return frame.get(); }
    QString SettingsPath() const;

    QTemporaryDir folder;
    std::unique_ptr<TFormMain> frame;
};

// Answers the set-point input dialog once it is up: runs meanwhile, types the text and presses the
// key; label gets the dialog's prompt.
void AnswerDialog(const QString &text, Qt::Key key, QString *label,
                  std::function<void()> meanwhile = {});

// A host on which no server listens, refused at once.
inline const QString NoServerHost = QStringLiteral("127.0.0.1:1");

// A local TCP port that takes connections but never sends the database server's greeting, like a
// host whose server hangs; or, with hangUp, closes each connection at once.
class MuteServer : public QTcpServer
{
public:
    explicit MuteServer(bool hangUp = false);
    // "127.0.0.1:<port>", as a client setting names a server.
    QString Host() const;
};

// A local TCP port that greets each connection as a database server with no room for it does:
// with the error "Too many connections" (1040), then closes it.
class BusyServer : public MuteServer
{
public:
    BusyServer();
};

// Freezes the private test server, as a server host that stops answering: the system still takes
// connections, but nothing is read or sent. Resumed however the test ends, and at the latest after
// maxSeconds, so a client that waits for it for ever fails the test instead of hanging it.
class PausedServer
{
public:
    explicit PausedServer(int maxSeconds = 30);
    ~PausedServer();
    void Resume();
    bool paused = false;

private:
    qint64 pid = 0;
    std::mutex mutex;
    std::condition_variable resumed;
    std::thread watchdog;
};

// Watches the screen while the event loop runs: a 100 ms timer counts its ticks and the longest
// pause between two of them (the longest the interface thread was held); on each tick the frame's
// clock text is collected and the moment its lamp first shows red is noted.
class ScreenWatch
{
public:
    ScreenWatch();
    // Lets the event loop run until ms after the watch began.
    void RunUntil(qint64 ms);
    // The clock showed a new second at every second it was watched, but for missed ones.
    bool ClockTicked(int missed = 0) const;
    QString Report() const;

    TFormMain *frame = nullptr;
    int ticks = 0;
    qint64 longestGap = 0;
    QSet<QString> clockTexts;
    qint64 redAfter = -1;

private:
    QTimer timer;
    QElapsedTimer sinceStart;
    QElapsedTimer sinceTick;
    QElapsedTimer sinceFrame;
};
