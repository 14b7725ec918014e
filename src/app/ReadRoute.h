#pragma once

#include "base/Moment.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The servers the reads may come from, best first: those of ReadFrom in their order, then Comp,
// which also takes every write. Says which one the read link uses, moves on when it fails or lags
// behind the primary, and goes back to a better one once that has answered and kept up for a
// minute.
class TReadRoute
{
public:
    static constexpr double SteadySeconds = 60; // a better server must answer this long
    static constexpr double LagLimitSeconds = 10; // heartbeat behind the primary's by more: lagging

    // readFrom: the setting's text, "host" or "host:port" separated by commas.
    TReadRoute(const QString &readFrom, const QString &comp);

    // The entries of a ReadFrom text, trimmed, empty ones left out.
    static QStringList ParseServers(const QString &text);
    // A replica's heartbeat more than LagLimitSeconds behind the primary's.
    static bool Lagging(TMoment replicaHeartbeat, TMoment primaryHeartbeat);

    const QStringList &Servers() const { return m_servers; }
    // Reads may come from another server than Comp.
    bool Replicated() const { return m_servers.size() > 1; }
    int Current() const { return m_current; }
    QString CurrentServer() const { return m_servers[m_current]; }
    bool OnPrimary() const { return m_current == m_servers.size() - 1; }

    // The current server failed or lags: the next one takes over. True when that started the list
    // over, every server having failed once.
    bool MoveOn();
    // Which better server to ask next whether it answers; none on the best one.
    std::optional<int> NextProbe();
    // The outcome of asking server index at moment at: it answered and kept up, or not.
    void Probed(int index, bool good, TMoment at);
    // Moves to the best server that has been good without a break for SteadySeconds; true then.
    bool SwitchBack(TMoment at);

private:
    void MoveTo(int index);

    QStringList m_servers;
    int m_current = 0;
    int m_probe = 0;
    QList<TMoment> m_goodSince; // 0: not answering (or not asked) since the last move
};
