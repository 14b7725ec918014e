#pragma once

#include <QSqlDatabase>
#include <QString>

// The private MariaDB instance that ctest starts for SQL tests (scripts/db, folder KV512_DB_DIR).
namespace TestDb {
// Port of the running test instance; 0 when none is running.
int Port();
// "127.0.0.1:<port>", as a client setting would name the server.
QString HostWithPort();
inline const char *User = "kv512";
inline const char *Password = "kv512";
// Opens (or returns the open) connection of that name on database kv512; callers check isOpen()
// (the reason is printed as a warning).
QSqlDatabase Open(const QString &connectionName = QStringLiteral("testdb"));
// Empties the given tables (TRUNCATE), so each test starts from a known state.
bool Truncate(const QSqlDatabase &db, const QStringList &tables);
// Runs one statement; returns false and prints the error on failure.
bool Exec(const QSqlDatabase &db, const QString &sql);
// Path of the scripts/db helper, for tests that stop and start the server.
QString DbScript();
// Runs the scripts/db helper with the command ("stop", "start") against the test instance.
bool RunDbScript(const QString &command);

// Stops the private server for a test and starts it again however the test ends.
class StoppedServer
{
public:
    StoppedServer() { stopped = RunDbScript(QStringLiteral("stop")); }
    ~StoppedServer() { Restart(); }
    StoppedServer(const StoppedServer &) = delete;
    StoppedServer &operator=(const StoppedServer &) = delete;
    bool Restart()
    {
        if (stopped)
            stopped = !RunDbScript(QStringLiteral("start"));
        return !stopped;
    }
    bool stopped = false;
};
} // namespace TestDb
