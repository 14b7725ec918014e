#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The report request of the windows that print through an HTML template: the template's path and
// two lists of equal length, the texts to replace in it and their values. The report window
// registers itself as the handler, so the windows that ask for reports need not know it.
using TReportHandler = std::function<bool(
    const QString &templatePath, const QStringList &placeholders, const QStringList &values)>;

// Installs the handler (an empty one removes it).
void SetReportHandler(TReportHandler handler);
// Hands the request to the handler; false when there is none or the report was not shown.
bool ShowReport(const QString &templatePath, const QStringList &placeholders,
                const QStringList &values);
