#include "ReadRoute.h"

#include <QtMath>

TReadRoute::TReadRoute(const QString &readFrom, const QString &comp)
    : m_servers(ParseServers(readFrom))
{
    m_servers.append(comp);
    m_goodSince.fill(0, m_servers.size());
}

QStringList TReadRoute::ParseServers(const QString &text)
{
    QStringList servers;
    for (const QString &entry : text.split(QLatin1Char(','))) {
        const QString server = entry.trimmed();
        if (!server.isEmpty())
            servers.append(server);
    }
    return servers;
}

bool TReadRoute::Lagging(TMoment replicaHeartbeat, TMoment primaryHeartbeat)
{
    // Whole milliseconds, so a moment's rounding never tips the limit.
    return qRound64((primaryHeartbeat - replicaHeartbeat) / OneMillisecond)
        > qint64(LagLimitSeconds * 1000);
}

bool TReadRoute::MoveOn()
{
    MoveTo((m_current + 1) % int(m_servers.size()));
    return m_current == 0;
}

std::optional<int> TReadRoute::NextProbe()
{
    if (m_current == 0)
        return std::nullopt;
    m_probe = (m_probe + 1) % m_current;
    return m_probe;
}

void TReadRoute::Probed(int index, bool good, TMoment at)
{
    if (index < 0 || index >= m_current)
        return;
    if (!good)
        m_goodSince[index] = 0;
    else if (m_goodSince[index] == 0)
        m_goodSince[index] = at;
}

bool TReadRoute::SwitchBack(TMoment at)
{
    for (int index = 0; index < m_current; ++index) {
        if (m_goodSince[index] != 0
            && qRound64((at - m_goodSince[index]) / OneMillisecond)
                >= qint64(SteadySeconds * 1000)) {
            MoveTo(index);
            return true;
        }
    }
    return false;
}

// A server's good run counts only while the route stays where it is: one that was good before a
// move must prove itself again.
void TReadRoute::MoveTo(int index)
{
    m_current = index;
    m_probe = 0;
    m_goodSince.fill(0);
}
