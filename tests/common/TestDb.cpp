#include "TestDb.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QtGlobal>

namespace TestDb {

int Port()
{
    QFile file(qEnvironmentVariable("KV512_DB_DIR") + QStringLiteral("/port"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return QString::fromLatin1(file.readAll()).trimmed().toInt();
}

QString HostWithPort()
{
    return QStringLiteral("127.0.0.1:%1").arg(Port());
}

QSqlDatabase Open(const QString &connectionName)
{
    if (QSqlDatabase::contains(connectionName)) {
        QSqlDatabase db = QSqlDatabase::database(connectionName);
        if (db.isOpen())
            return db;
    }
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
        ? QSqlDatabase::database(connectionName, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
    db.setHostName(QStringLiteral("127.0.0.1"));
    db.setPort(Port());
    db.setDatabaseName(QStringLiteral("kv512"));
    db.setUserName(QString::fromLatin1(User));
    db.setPassword(QString::fromLatin1(Password));
    if (!db.open())
        qWarning("TestDb: cannot open port %d: %s", Port(), qPrintable(db.lastError().text()));
    return db;
}

bool Exec(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    qWarning("TestDb: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

bool Truncate(const QSqlDatabase &db, const QStringList &tables)
{
    for (const QString &table : tables) {
        if (!Exec(db, QStringLiteral("TRUNCATE TABLE ") + table))
            return false;
    }
    return true;
}

QString DbScript()
{
    return qEnvironmentVariable("TALMER_SOURCE_DIR") + QStringLiteral("/scripts/db");
}

bool RunDbScript(const QString &command)
{
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KV512_DB_PORT"), QString::number(Port()));
    script.setProcessEnvironment(environment);
    script.start(DbScript(), {command});
    return script.waitForFinished(60000) && script.exitCode() == 0;
}

} // namespace TestDb
