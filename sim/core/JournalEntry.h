#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One row of control_log: what happened, when, and who or what caused it.
struct JournalEntry
{
    QDateTime moment;
    QString text;
    QString source;
};

using Journal = QList<JournalEntry>;

// Source of the events the plant itself reports (as opposed to an operator's command).
inline const QString plantSource = QStringLiteral("АСУ ТП");
