#pragma once

#include <QDate>
#include <QSqlDatabase>
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
    // Writes a client settings file "talmer.INI" into the folder, pointing at the host (as
    // Host() gives it), with the temporary and template folders inside the folder; returns its
    // path (empty when it could not be written).
    static QString WriteClientSettings(const QString &folder, const QString &host);
    // Writes the given days of simulated history up to now; false on a database failure.
    bool Backfill(int days);
    // A connection of its own (named "fill") for filling and changing the tables: the client's
    // link gives up on a statement far sooner than a big fill takes.
    QSqlDatabase FillLink() const;
    // minutes one-minute process records from the first day's midnight on, made by the server
    // from its sequence tables in one statement; false (the reason printed) on a failure.
    bool FillRecords(const QDate &first, int minutes) const;
    // Runs one statement on the fill link; false (the reason printed) on a failure.
    bool Exec(const QString &sql) const;

private:
    bool Run(const QString &command);

    QTemporaryDir m_dir;
    bool m_running = false;
};
