#include "app/InstanceCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The kernel marks the executable of a process whose file was replaced (a rebuild, an update) with
// this suffix; the process is still a copy of the program.
const QString DeletedSuffix = QStringLiteral(" (deleted)");

QString ExecutableOf(const QString &processDir)
{
    QString target = QFile::symLinkTarget(processDir + QStringLiteral("/exe"));
    if (target.endsWith(DeletedSuffix))
        target.chop(DeletedSuffix.size());
    return target;
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
