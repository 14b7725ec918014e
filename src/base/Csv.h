#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// Comma-separated text as a spreadsheet of the workstation's locale reads it: where the decimal
// separator is a comma the fields are separated by semicolons, else by commas; a field holding the
// separator, a quote or a line break is quoted, its quotes doubled.
QChar CsvSeparator(const QLocale &locale = QLocale());
QString CsvLine(const QStringList &cells, QChar separator);
// A number with the locale's decimal separator and no grouping; an empty cell for none.
QString CsvNumber(std::optional<double> value, const QLocale &locale = QLocale());

// Writes the rows (each a line of cells) as UTF-8 with a byte-order mark and CR LF line ends, so
// spreadsheet programs detect the encoding. False, with the reason in error, when the file cannot
// be written; a failed write leaves no partial file behind.
bool WriteCsvFile(const QString &path, const QList<QStringList> &rows, QString *error = nullptr,
                  const QLocale &locale = QLocale());
