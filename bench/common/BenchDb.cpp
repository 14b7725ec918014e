#include "BenchDb.h"

#include "core/Backfill.h"
#include "core/PlantModel.h"
#include "core/SimDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>

BenchDb::BenchDb()
    : m_dir(QDir::tempPath() + QStringLiteral("/kv512-bench-XXXXXX"))
{
    m_running = m_dir.isValid() && Script({QStringLiteral("init")});
}

BenchDb::~BenchDb()
{
    if (!m_running)
        return;
    // Replicas that were never started are "not running": stopping them is harmless.
    for (const QString &n : {QStringLiteral("1"), QStringLiteral("2")})
        Script({QStringLiteral("replica"), QStringLiteral("stop"), n});
    Script({QStringLiteral("stop")});
}

bool BenchDb::Script(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KV512_DB_DIR"), m_dir.path());
    env.insert(QStringLiteral("KV512_DB_PORT"),
               env.value(QStringLiteral("KV512_DB_PORT"), QStringLiteral("23306")));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("bash"),
                  QStringList {QStringLiteral(TALMER_SOURCE_DIR) + QStringLiteral("/scripts/db")}
                      + arguments);
    return process.waitForFinished(600000) && process.exitCode() == 0;
}

int BenchDb::ReplicaPort(int n) const
{
    QFile file(m_dir.filePath(QStringLiteral("replica%1/port").arg(n)));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed().toInt()
                                          : 0;
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
