#include "LinkKeeper.h"

#include "Connection.h"
#include "base/Moment.h"

#include <QSqlError>
#include <QSqlQuery>

TLinkKeeper::TLinkKeeper(TSQLConnection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_opener(new TConnectionOpener(connection, this))
{
    connect(m_opener, &TConnectionOpener::Finished, this, &TLinkKeeper::AttemptFinished);
}

bool TLinkKeeper::Open() const
{
    return m_connection.Connected();
}

bool TLinkKeeper::Connecting() const
{
    return m_opener->Running();
}

void TLinkKeeper::Keep()
{
    if (Open() || m_opener->Running()
        || (m_sinceAttempt.isValid() && m_sinceAttempt.elapsed() < m_pause))
        return;
    m_opener->Start();
}

// A link the client library already gave up is not asked again (a server that stopped answering
// would hold the screen once more); a refused statement is told from a dead link by a probe.
bool TLinkKeeper::Lost(const QSqlError &error) const
{
    if (!LinkLost(error)) {
        QSqlQuery probe(m_connection.Database());
        if (probe.exec(QStringLiteral("select 1")))
            return false;
    }
    return true;
}

void TLinkKeeper::Close(bool outage)
{
    m_connection.Close();
    m_sinceAttempt.start();
    m_pause = 0;
    if (!outage)
        return;
    m_history.Lost(Now(), m_connection.ParamValue(QStringLiteral("HostName")));
    m_broken = true;
}

void TLinkKeeper::AttemptFinished(bool opened)
{
    m_sinceAttempt.start();
    m_pause = !opened && m_opener->LoginRefused() ? LoginRetryPause : ReconnectPause;
    if (opened) {
        m_broken = false;
        m_history.Back(Now());
    } else {
        m_history.Lost(Now(), m_connection.ParamValue(QStringLiteral("HostName")));
    }
    emit Finished(opened);
}
