#include "core/SimDatabase.h"

#include <QSqlError>
#include <QtDebug>
#include <atomic>

namespace {
std::atomic_int connectionCount {0};
} // namespace

SimDatabase::SimDatabase(const DbSettings &settings)
    : m_name(QStringLiteral("kv512sim_%1").arg(++connectionCount))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setDatabaseName(settings.database);
    // A dead server must not hold the loop (and with it the heartbeat) for long.
    db.setConnectOptions(QStringLiteral(
        "MYSQL_OPT_CONNECT_TIMEOUT=3;MYSQL_OPT_READ_TIMEOUT=10;MYSQL_OPT_WRITE_TIMEOUT=10"));
}

SimDatabase::~SimDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase SimDatabase::Connection() const
{
    return QSqlDatabase::database(m_name, false);
}

bool SimDatabase::EnsureOpen(const QDateTime &now)
{
    if (m_open)
        return true;
    if (m_lastAttempt.isValid() && m_lastAttempt.secsTo(now) < retrySeconds && m_lastAttempt <= now)
        return false;
    m_lastAttempt = now;
    QSqlDatabase db = Connection();
    db.close();
    if (!db.open()) {
        if (!m_reportedDown)
            qWarning().noquote() << "no database link:" << db.lastError().text()
                                 << "- retrying every" << retrySeconds << "s";
        m_reportedDown = true;
        return false;
    }
    if (m_reportedDown)
        qInfo().noquote() << "database link restored";
    m_reportedDown = false;
    m_open = true;
    return true;
}

void SimDatabase::Lost(const QString &what, const QString &error)
{
    qWarning().noquote() << what << "failed:" << error;
    m_open = false;
    m_reportedDown = true;
    Connection().close();
}

bool SimDatabase::Exec(const QString &sql, int *rowsAffected)
{
    if (!m_open)
        return false;
    QSqlQuery query(Connection());
    if (!query.exec(sql)) {
        Lost(sql.left(60), query.lastError().text());
        return false;
    }
    if (rowsAffected)
        *rowsAffected = query.numRowsAffected();
    return true;
}

std::optional<QSqlQuery> SimDatabase::Select(const QString &sql)
{
    if (!m_open)
        return std::nullopt;
    QSqlQuery query(Connection());
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        Lost(sql.left(60), query.lastError().text());
        return std::nullopt;
    }
    return query;
}

bool SimDatabase::Transaction()
{
    if (!m_open)
        return false;
    if (!Connection().transaction()) {
        Lost(QStringLiteral("begin"), Connection().lastError().text());
        return false;
    }
    return true;
}

bool SimDatabase::Commit()
{
    if (!m_open)
        return false;
    if (!Connection().commit()) {
        Lost(QStringLiteral("commit"), Connection().lastError().text());
        return false;
    }
    return true;
}

void SimDatabase::Rollback()
{
    if (m_open)
        Connection().rollback();
}
