#pragma once

#include <QString>

// The full path of the running executable (as the kernel reports it).
QString CurrentProgramPath();

// Counts the running processes whose executable is the program at programPath: an entry counts when
// its executable path equals programPath, or else when the upper-case file names are equal. The
// caller counts itself. Another user's process is known by the program its command line names;
// without a readable process table the count is 0.
int CountProgramInstances(const QString &programPath,
                          const QString &procRoot = QStringLiteral("/proc"));
