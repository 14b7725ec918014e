#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlError;
class QTcpSocket;
class QTimer;

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

    // Blocks until the server has greeted and logged the user in (at most a few seconds); a
    // statement that hangs later is cut after a few seconds as well. Open a connection to a server
    // that may not answer through TConnectionOpener.
    bool Open();
    void Close();
    bool Connected() const;
    // The driver's text for the last failed Open().
    QString LastError() const { return m_lastError; }
    // The last failed Open() was refused by the server's access rules (user, password, host).
    bool LoginRefused() const { return m_loginRefused; }
    // The QtSql connection (invalid before the first Open()).
    QSqlDatabase Database() const;

private:
    QString m_name;
    QString m_lastError;
    bool m_loginRefused = false;
};

// The link every window reads through ("SQLConnection1"): to the first server of ReadFrom that
// answers and keeps up, else to Comp.
TSQLConnection &SQLConnection1();
// The link to Comp ("SQLConnectionComp"), opened beside SQLConnection1 only while reads come
// from other servers.
TSQLConnection &SQLConnectionComp();
// Where command rows, constants edits and alarm_log rows go: SQLConnectionComp while reads come
// from other servers, else SQLConnection1. Check Connected() before writing.
TSQLConnection &WriteConnection();
// Set by the main frame from ReadFrom: whether writes take a link of their own.
void SetSeparateWriteLink(bool separate);
// Why a write is refused while Comp does not answer and a replica still serves the reads.
extern const QString NoPrimaryLink; // "нет связи с основным сервером"

// Replaces the first parameter line containing name by name + "=" + value, or appends it.
void SetConnectionParam(const QString &name, const QString &value,
                        TSQLConnection *connection = nullptr /* = SQLConnection1 */);
// Closes to, copies driver name, connection name, driver entry point, driver library and the
// parameter list from from; the client library is left to the caller. Nothing without both.
void CopyConnection(TSQLConnection *from, TSQLConnection *to);
// Opens a connection without blocking the interface thread on a server that does not answer. The
// client library's own open waits for the server's greeting, so the server's port is reached
// asynchronously first and the connection is opened only once the server has sent its greeting. A
// refusal, an unreachable host and a listener that accepts but never greets all end the attempt
// within AnswerTimeout.
class TConnectionOpener : public QObject
{
    Q_OBJECT

public:
    static constexpr int AnswerTimeout = 3000; // ms for the server's greeting

    explicit TConnectionOpener(TSQLConnection &connection, QObject *parent = nullptr);
    ~TConnectionOpener() override;

    // Starts an attempt unless one is under way; Finished reports its end (at once when the
    // connection goes through the local socket, which cannot be reached asynchronously).
    void Start();
    bool Running() const { return m_running; }
    // Whether the server greeted in the last attempt (its login may still have been refused).
    bool Answered() const { return m_answered; }
    // The server greeted and refused the login in the last attempt.
    bool LoginRefused() const { return m_answered && m_connection.LoginRefused(); }
    // Why the last attempt failed.
    QString LastError() const { return m_lastError; }

signals:
    void Finished(bool opened);

private:
    void Connect();
    void Reached(bool answered);

    TSQLConnection &m_connection;
    QTcpSocket *m_socket;
    QTimer *m_timer;
    bool m_running = false;
    bool m_reaching = false; // the socket is out to the server for this attempt
    bool m_finishing = false; // inside Finished, which may start the next attempt
    bool m_answered = false;
    QString m_lastError;
};

// Applies host, user and password and the client profile to SQLConnection1 and starts opening it
// with opener (an opener of SQLConnection1). If that first attempt fails, "Не удается подключиться
// к MySQL серверу." is shown when it ends, unless the opener has gone on to another server by
// then: the message then waits for that attempt.
void ConnectDatabase(TConnectionOpener &opener, const QString &host, const QString &user,
                     const QString &password, int version);

// Whether a failed statement's error means the link itself is gone (the client library lost or
// never had the server), rather than the server refusing the statement.
bool LinkLost(const QSqlError &error);
