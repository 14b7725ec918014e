#include "app/InstanceCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>

namespace {

// The kernel marks the executable of a process whose file was replaced (a rebuild, an update) with
// this suffix; the process is still a copy of the program.
const QString DeletedSuffix = QStringLiteral(" (deleted)");

// The executable a process runs: its exe link where that can be read (the user's own processes),
// else the program its command line names (another user's process, whose exe link only its owner
// may read, while every user may read its command line). Empty for neither (kernel threads).
QString ExecutableOf(const QString &processDir)
{
    QString target = QFile::symLinkTarget(processDir + QStringLiteral("/exe"));
    if (!target.isEmpty()) {
        if (target.endsWith(DeletedSuffix))
            target.chop(DeletedSuffix.size());
        return target;
    }
    QFile commandLine(processDir + QStringLiteral("/cmdline"));
    if (!commandLine.open(QIODevice::ReadOnly))
        return QString();
    QByteArray arguments = commandLine.read(PATH_MAX);
    const qsizetype end = arguments.indexOf('\0');
    if (end >= 0)
        arguments.truncate(end);
    return QFile::decodeName(arguments);
}

bool IsProcessId(const QString &name)
{
    bool ok = false;
    return name.toLongLong(&ok) > 0 && ok;
}

} // namespace

QString CurrentProgramPath()
{
    return ExecutableOf(QStringLiteral("/proc/self"));
}

int CountProgramInstances(const QString &programPath, const QString &procRoot)
{
    const QString programName = QFileInfo(programPath).fileName().toUpper();
    int count = 0;
    const QDir root(procRoot);
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (!IsProcessId(entry))
            continue;
        const QString executable = ExecutableOf(root.filePath(entry));
        if (executable.isEmpty())
            continue;
        if (executable == programPath || QFileInfo(executable).fileName().toUpper() == programName)
            ++count;
    }
    return count;
}
