#include "BenchDb.h"

#include "core/Backfill.h"
#include "core/PlantModel.h"
#include "core/SimDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

BenchDb::BenchDb()
    : m_dir(QDir::tempPath() + QStringLiteral("/kv512-bench-XXXXXX"))
{
    m_running = m_dir.isValid() && Run(QStringLiteral("init"));
}

BenchDb::~BenchDb()
{
    if (m_running)
        Run(QStringLiteral("stop"));
}

bool BenchDb::Run(const QString &command)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KV512_DB_DIR"), m_dir.path());
    env.insert(QStringLiteral("KV512_DB_PORT"),
               env.value(QStringLiteral("KV512_DB_PORT"), QStringLiteral("23306")));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("bash"),
                  {QStringLiteral(TALMER_SOURCE_DIR) + QStringLiteral("/scripts/db"), command});
    return process.waitForFinished(120000) && process.exitCode() == 0;
}

int BenchDb::Port() const
{
    QFile file(m_dir.filePath(QStringLiteral("port")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed().toInt()
                                          : 0;
}

QString BenchDb::Host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(Port());
}

QString BenchDb::WriteClientSettings(const QString &folder, const QString &host)
{
    const QString path = folder + QStringLiteral("/talmer.INI");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(QStringLiteral("[main]\r\nTempDir=%1/Temp\r\nTemplateDir=%1/Template\r\n"
                              "[MySQL]\r\nComp=%2\r\nLogin=%3\r\nSavePassword=0\r\n")
                   .arg(folder, host, User())
                   .toUtf8());
    return path;
}

bool BenchDb::Backfill(int days)
{
    DbSettings settings;
    settings.port = Port();
    settings.password = Password();
    SimDatabase db(settings);
    const QDateTime now = QDateTime::currentDateTime();
    if (!db.EnsureOpen(now))
        return false;
    PlantModel model(1);
    BackfillOptions options;
    options.days = days;
    return ::Backfill(db, model, options).Run(now).ok;
}

QSqlDatabase BenchDb::FillLink() const
{
    const QString name = QStringLiteral("fill");
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    db.setHostName(QStringLiteral("127.0.0.1"));
    db.setPort(Port());
    db.setDatabaseName(QStringLiteral("kv512"));
    db.setUserName(User());
    db.setPassword(Password());
    if (!db.open())
        QTextStream(stderr) << "bench: " << db.lastError().text() << "\n";
    return db;
}

bool BenchDb::Exec(const QString &sql) const
{
    QSqlQuery query(FillLink());
    if (query.exec(sql))
        return true;
    QTextStream(stderr) << "bench: " << query.lastError().text() << "\n";
    return false;
}

bool BenchDb::FillRecords(const QDate &first, int minutes) const
{
    return Exec(
        QStringLiteral(
            "INSERT INTO pu_data SELECT TIMESTAMP('%1') + INTERVAL seq MINUTE, "
            "1850 + seq % 40, 1860, 50 + seq % 10, 45 + seq % 8, 40, 45, 50, "
            "140 + seq % 15, 145 + seq % 12, 95 + seq % 9, seq * 2.4, 2.4, seq * 1.5, 1.5, "
            "seq * 2.3, 2.3, 1, 1, 1, IF(seq % 1440 < 1320, 1, 0), IF(seq % 97 < 90, 1, 0), "
            "1860, 145, 0, 60, 145 FROM seq_0_to_%2")
            .arg(first.toString(Qt::ISODate))
            .arg(minutes - 1));
}
