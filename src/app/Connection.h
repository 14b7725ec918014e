#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// A database connection described the way the settings and the configuration dialog handle it: a
// driver profile (kept and copied, not used to pick a library) and a list of "name=value"
// parameter lines. Open() makes one QMYSQL connection from HostName (plain host, or "host:port"),
// Database, User_Name and Password.
class TSQLConnection
{
public:
    // name: the QtSql connection name this object owns; each object needs its own, so that a test
    // connection never touches the main link.
    explicit TSQLConnection(const QString &name);
    ~TSQLConnection();
    TSQLConnection(const TSQLConnection &) = delete;
    TSQLConnection &operator=(const TSQLConnection &) = delete;

    QString Name() const { return m_name; }

    QString DriverName = QStringLiteral("MySQL");
    QString ConnectionName = QStringLiteral("MySQLConnection");
    QString GetDriverFunc;
    QString LibraryName;
    QString VendorLib;
    QStringList Params;

    // Client profile of the settings value Version: 5 or any other value.
    void SetClientProfile(int version);
    // Value of the parameter line "name=..." (name compared case-insensitively); empty if none.
    QString ParamValue(const QString &name) const;

    bool Open();
    void Close();
    bool Connected() const;
    // The driver's text for the last failed Open().
    QString LastError() const { return m_lastError; }
    // The QtSql connection (invalid before the first Open()).
    QSqlDatabase Database() const;

private:
    QString m_name;
    QString m_lastError;
};

// The one link every window shares ("SQLConnection1").
TSQLConnection &SQLConnection1();

// Replaces the first parameter line containing name by name + "=" + value, or appends it.
void SetConnectionParam(const QString &name, const QString &value,
                        TSQLConnection *connection = nullptr /* = SQLConnection1 */);
// Closes to, copies driver name, connection name, driver entry point, driver library and the
// parameter list from from; the client library is left to the caller. Nothing without both.
void CopyConnection(TSQLConnection *from, TSQLConnection *to);
// Applies host, user and password, the client profile, and opens SQLConnection1; on failure shows
// "Не удается подключиться к MySQL серверу." and returns false.
bool ConnectDatabase(const QString &host, const QString &user, const QString &password,
                     int version);
// Closes and reopens SQLConnection1 with its current parameters, silently.
bool Reconnect();
