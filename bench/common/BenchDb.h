#pragma once

#include <QString>
#include <QTemporaryDir>

// A private MariaDB instance in a temporary folder (through scripts/db), initialised with the
// client's schema and stopped again when the object goes. KV512_DB_PORT picks the first port tried.
class BenchDb
{
public:
    BenchDb();
    ~BenchDb();
    BenchDb(const BenchDb &) = delete;
    BenchDb &operator=(const BenchDb &) = delete;

    bool IsRunning() const { return m_running; }
    int Port() const;
    // "127.0.0.1:port", as the client's settings take it.
    QString Host() const;
    static QString User() { return QStringLiteral("kv512"); }
    static QString Password() { return QStringLiteral("kv512"); }
    // Writes the given days of simulated history up to now; false on a database failure.
    bool Backfill(int days);

private:
    bool Run(const QString &command);

    QTemporaryDir m_dir;
    bool m_running = false;
};
