#include "Connection.h"

#include "base/Feedback.h"

#include <QSqlError>

namespace {

const QString MySqlDriver = QStringLiteral("QMYSQL");

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
    // An unreachable host must not freeze the window for the system's default minutes.
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=5"));
    if (db.open()) {
        m_lastError.clear();
        return true;
    }
    m_lastError = db.lastError().text();
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

bool ConnectDatabase(const QString &host, const QString &user, const QString &password, int version)
{
    SetConnectionParam(QStringLiteral("HostName"), host);
    SetConnectionParam(QStringLiteral("User_Name"), user);
    SetConnectionParam(QStringLiteral("Password"), password);
    SQLConnection1().SetClientProfile(version);
    if (SQLConnection1().Open())
        return true;
    qWarning("ConnectDatabase: %s", qPrintable(SQLConnection1().LastError()));
    ShowError(QStringLiteral("Не удается подключиться к MySQL серверу."));
    return false;
}

bool Reconnect()
{
    SQLConnection1().Close();
    return SQLConnection1().Open();
}
