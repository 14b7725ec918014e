#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Read from /proc so that it works before (and without) a QCoreApplication.
QFileInfo Executable()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
}

} // namespace

QString ProgramFolder()
{
    return Executable().absolutePath();
}

QString DataFolder()
{
    const QString program = ProgramFolder();
    // An installed copy (under /usr) keeps its files per user even for root, who could write
    // into the system's program folder.
    if (QFileInfo(program).isWritable() && !program.startsWith(QLatin1String("/usr/")))
        return program;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config;
}

QString SettingsFilePath()
{
    return DataFolder() + QLatin1Char('/') + Executable().completeBaseName()
        + QStringLiteral(".INI");
}

QString TemplateFolderDefault()
{
    return DataFolder() + QStringLiteral("/Template");
}

bool CreatePrivateFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return true;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
