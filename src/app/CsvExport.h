#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Asks where to save; an empty answer means the operator cancelled. Tests replace it.
using TCsvFileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
TCsvFileChooser &CsvFileChooser();

// Gives the widget a context menu item "Экспорт в CSV..." that writes what rows() returns (the
// first row being the column titles) to the file the operator chooses. A failed write is reported
// in a message box with the reason.
void InstallCsvExport(QWidget *widget, std::function<QList<QStringList>()> rows,
                      std::function<QString()> suggestedName);
// The same item for a writer of its own: write(path, error) returns false on failure, with the
// reason in error (an empty reason: the operator cancelled, nothing is reported).
void InstallCsvExport(QWidget *widget, std::function<bool(const QString &, QString *)> write,
                      std::function<QString()> suggestedName);
