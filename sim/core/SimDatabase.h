#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <optional>

struct DbSettings
{
    QString host = QStringLiteral("127.0.0.1");
    int port = 3306;
    QString user = QStringLiteral("kv512");
    QString password;
    QString database = QStringLiteral("kv512");
};

// The simulator's one connection. Any failed statement drops the link; the next EnsureOpen
// reconnects, at most once every few seconds, so a lost server costs records, never the process.
class SimDatabase
{
public:
    explicit SimDatabase(const DbSettings &settings);
    ~SimDatabase();
    SimDatabase(const SimDatabase &) = delete;
    SimDatabase &operator=(const SimDatabase &) = delete;

    // True when the link is up, after a reconnect attempt if one is due at `now`.
    bool EnsureOpen(const QDateTime &now);
    bool IsOpen() const { return m_open; }
    QSqlDatabase Connection() const;

    // Runs one statement; on failure reports it, drops the link and returns false.
    bool Exec(const QString &sql, int *rowsAffected = nullptr);
    // Runs a select; nullopt (and a dropped link) on failure.
    std::optional<QSqlQuery> Select(const QString &sql);
    bool Transaction();
    bool Commit();
    void Rollback();

    static constexpr int retrySeconds = 5;

private:
    void Lost(const QString &what, const QString &error);

    QString m_name;
    QDateTime m_lastAttempt;
    bool m_open = false;
    bool m_reportedDown = false;
};
