#include "Connection.h"

#include "base/Feedback.h"

#include <QSqlError>
#include <QTcpSocket>
#include <QTimer>

namespace {

const QString MySqlDriver = QStringLiteral("QMYSQL");
const int MySqlPort = 3306;
// Seconds. The connect time-out also bounds the wait for the greeting and the login; the read and
// write time-outs cut a statement whose server stopped answering (a network drop mid-query), so a
// tick never hangs for the system's TCP time-outs of many minutes.
const QString TimeoutOptions = QStringLiteral(
    "MYSQL_OPT_CONNECT_TIMEOUT=5;MYSQL_OPT_READ_TIMEOUT=5;MYSQL_OPT_WRITE_TIMEOUT=5");

// "host", "host:port" or "[ipv6]:port"; a port that is not a number leaves the text as the host
// (the connection then fails with the driver's message).
void SplitHostPort(const QString &text, QString &host, int &port)
{
    host = text;
    port = -1;
    QString portText;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return;
        host = text.mid(1, close - 1);
        if (text.mid(close + 1).startsWith(QLatin1Char(':')))
            portText = text.mid(close + 2);
        else
            return;
    } else if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        portText = text.mid(colon + 1);
        host = text.left(colon);
    } else {
        return;
    }
    bool ok = false;
    const int value = portText.toInt(&ok);
    if (ok && value > 0 && value < 65536)
        port = value;
    else
        host = text;
}

} // namespace

TSQLConnection::TSQLConnection(const QString &name)
    : Params {QStringLiteral("HostName=127.0.0.1"), QStringLiteral("Database=kv512"),
              QStringLiteral("User_Name="),         QStringLiteral("Password="),
              QStringLiteral("BlobSize=-1"),        QStringLiteral("ErrorResourceFile="),
              QStringLiteral("LocaleCode=0000")}
    , m_name(name)
{
    SetClientProfile(5);
}

TSQLConnection::~TSQLConnection()
{
    Close();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

void TSQLConnection::SetClientProfile(int version)
{
    if (version == 5) {
        GetDriverFunc = QStringLiteral("getSQLDriverMYSQL50");
        LibraryName = QStringLiteral("dbxopenmysql50.dll");
        VendorLib = QStringLiteral("libmySQL5.dll");
    } else {
        GetDriverFunc = QStringLiteral("getSQLDriverMYSQL");
        LibraryName = QStringLiteral("dbexpmysql.dll");
        VendorLib = QStringLiteral("libmySQL4.dll");
    }
}

QString TSQLConnection::ParamValue(const QString &name) const
{
    for (const QString &line : Params) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && line.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return QString();
}

bool TSQLConnection::Open()
{
    if (Connected())
        return true;
    QSqlDatabase db = QSqlDatabase::contains(m_name)
        ? QSqlDatabase::database(m_name, false)
        : QSqlDatabase::addDatabase(MySqlDriver, m_name);
    QString host;
    int port;
    SplitHostPort(ParamValue(QStringLiteral("HostName")), host, port);
    db.setHostName(host);
    db.setPort(port);
    db.setDatabaseName(ParamValue(QStringLiteral("Database")));
    db.setUserName(ParamValue(QStringLiteral("User_Name")));
    db.setPassword(ParamValue(QStringLiteral("Password")));
    db.setConnectOptions(TimeoutOptions);
    m_loginRefused = false;
    if (db.open()) {
        m_lastError.clear();
        return true;
    }
    m_lastError = db.lastError().text();
    // Access denied to the database or for the user, host blocked or not allowed: asking again
    // at once cannot help. A server still starting or too busy answers with other numbers.
    static const QStringList refusals = {QStringLiteral("1044"), QStringLiteral("1045"),
                                         QStringLiteral("1129"), QStringLiteral("1130"),
                                         QStringLiteral("1698")};
    m_loginRefused = refusals.contains(db.lastError().nativeErrorCode());
    return false;
}

void TSQLConnection::Close()
{
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::database(m_name, false).close();
}

bool TSQLConnection::Connected() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase TSQLConnection::Database() const
{
    return QSqlDatabase::database(m_name, false);
}

TSQLConnection &SQLConnection1()
{
    // Never destroyed: it must outlive every window and query, and QtSql's own registry is torn
    // down at exit in an order a static destructor could not rely on.
    static TSQLConnection *const connection = new TSQLConnection(QStringLiteral("SQLConnection1"));
    return *connection;
}

TSQLConnection &SQLConnectionComp()
{
    static TSQLConnection *const connection =
        new TSQLConnection(QStringLiteral("SQLConnectionComp"));
    return *connection;
}

namespace {
bool SeparateWriteLink = false;
}

TSQLConnection &WriteConnection()
{
    return SeparateWriteLink ? SQLConnectionComp() : SQLConnection1();
}

void SetSeparateWriteLink(bool separate)
{
    SeparateWriteLink = separate;
}

const QString NoPrimaryLink = QStringLiteral("нет связи с основным сервером");

void SetConnectionParam(const QString &name, const QString &value, TSQLConnection *connection)
{
    TSQLConnection &target = connection ? *connection : SQLConnection1();
    const QString line = name + QLatin1Char('=') + value;
    for (QString &existing : target.Params) {
        if (existing.contains(name)) {
            existing = line;
            return;
        }
    }
    target.Params.append(line);
}

void CopyConnection(TSQLConnection *from, TSQLConnection *to)
{
    if (!from || !to)
        return;
    to->Close();
    to->DriverName = from->DriverName;
    to->ConnectionName = from->ConnectionName;
    to->GetDriverFunc = from->GetDriverFunc;
    to->LibraryName = from->LibraryName;
    to->Params = from->Params;
}

TConnectionOpener::TConnectionOpener(TSQLConnection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_socket(new QTcpSocket(this))
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // Any byte the server sends before being asked is its greeting (or its refusal, which the
    // client library then reports).
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { Reached(true); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        m_lastError = m_socket->errorString();
        Reached(false);
    });
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        m_lastError = QStringLiteral("the server closed the connection without a greeting");
        Reached(false);
    });
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_lastError = QStringLiteral("no greeting from the server within %1 ms").arg(AnswerTimeout);
        Reached(false);
    });
}

TConnectionOpener::~TConnectionOpener()
{
    // Aborting the socket on destruction must not report an attempt to a half-destroyed owner.
    m_socket->disconnect(this);
}

void TConnectionOpener::Start()
{
    if (m_running)
        return;
    m_running = true;
    m_answered = false;
    m_lastError.clear();
    // Started from Finished, the socket is still inside the signal that ended the last attempt
    // (its own closing signals follow): it goes out again once that is over.
    if (m_finishing)
        QTimer::singleShot(0, this, &TConnectionOpener::Connect);
    else
        Connect();
}

void TConnectionOpener::Connect()
{
    QString host;
    int port;
    SplitHostPort(m_connection.ParamValue(QStringLiteral("HostName")), host, port);
    m_reaching = true;
    // The client library reaches "localhost" through the local socket, not the port.
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) {
        Reached(true);
        return;
    }
    m_timer->start(AnswerTimeout);
    m_socket->connectToHost(host, port > 0 ? port : MySqlPort);
}

void TConnectionOpener::Reached(bool answered)
{
    if (!m_running || !m_reaching)
        return;
    m_reaching = false;
    m_timer->stop();
    m_socket->blockSignals(true); // the abort's own signals belong to this ending
    m_socket->abort();
    m_socket->blockSignals(false);
    m_answered = answered;
    const bool opened = answered && m_connection.Open();
    if (answered && !opened)
        m_lastError = m_connection.LastError();
    m_running = false;
    m_finishing = true;
    emit Finished(opened);
    m_finishing = false;
}

namespace {

void ReportFirstFailure(TConnectionOpener &opener)
{
    QObject::connect(
        &opener, &TConnectionOpener::Finished, &opener,
        [&opener](bool opened) {
            if (opened)
                return;
            qWarning("ConnectDatabase: %s", qPrintable(opener.LastError()));
            if (opener.Running()) // gone on to the next server
                ReportFirstFailure(opener);
            else
                ShowError(QStringLiteral("Не удается подключиться к MySQL серверу."));
        },
        Qt::SingleShotConnection);
}

} // namespace

void ConnectDatabase(TConnectionOpener &opener, const QString &host, const QString &user,
                     const QString &password, int version)
{
    SetConnectionParam(QStringLiteral("HostName"), host);
    SetConnectionParam(QStringLiteral("User_Name"), user);
    SetConnectionParam(QStringLiteral("Password"), password);
    SQLConnection1().SetClientProfile(version);
    ReportFirstFailure(opener);
    opener.Start();
}

bool LinkLost(const QSqlError &error)
{
    // The client library numbers its own errors (server gone, lost during a query, cannot
    // connect) from 2000; the server's refusals of a statement are numbered below that.
    bool numbered = false;
    const int code = error.nativeErrorCode().toInt(&numbered);
    return !numbered || (code >= 2000 && code < 3000);
}
