#pragma once

#include "app/LinkHistory.h"

#include <QElapsedTimer>
#include <QObject>

class QSqlError;
class TConnectionOpener;
class TSQLConnection;

// Keeps one database link going: opens it without blocking the screen, closes it when its server
// no longer answers, tries again a few seconds later and notes the outages.
class TLinkKeeper : public QObject
{
    Q_OBJECT

public:
    // Pause between the end of one attempt and the next: short, so the link is back within
    // seconds of the server answering again.
    static constexpr qint64 ReconnectPause = 3000; // ms
    // A server that refuses the login is asked rarely: each greeting the client abandons counts
    // against the server's limit of interrupted connections, after which it blocks this host. A
    // server that greets but is still starting or too busy is asked again after the short pause.
    static constexpr qint64 LoginRetryPause = 60000; // ms

    explicit TLinkKeeper(TSQLConnection &connection, QObject *parent = nullptr);

    TSQLConnection &Connection() const { return m_connection; }
    TConnectionOpener &Opener() const { return *m_opener; }
    bool Open() const;
    // An attempt to open the link is under way.
    bool Connecting() const;
    // The link was lost (or never came up) and is not back yet.
    bool Broken() const { return m_broken; }
    const TLinkHistory &History() const { return m_history; }

    // Starts an attempt when the link is closed and the pause after the last one is over.
    void Keep();
    // The next Keep starts an attempt at once.
    void Hurry() { m_pause = 0; }
    // ms from the end of the last attempt to the next one.
    qint64 Pause() const { return m_pause; }
    // A statement on the open link failed with error: true when the server no longer answers
    // (the caller then drops its queries on the link and calls Close).
    bool Lost(const QSqlError &error) const;
    // Closes the link. outage: it failed (noted, retried after the pause); otherwise it is only
    // being moved to another server.
    void Close(bool outage);

signals:
    // An attempt ended; the keeper has noted its outcome already.
    void Finished(bool opened);

private:
    void AttemptFinished(bool opened);

    TSQLConnection &m_connection;
    TConnectionOpener *m_opener;
    TLinkHistory m_history;
    bool m_broken = false;
    QElapsedTimer m_sinceAttempt; // real time since the end of the last attempt
    qint64 m_pause = 0; // ms from there to the next attempt
};
