#include "Report.h"

namespace {
TReportHandler &Handler()
{
    static TReportHandler handler;
    return handler;
}
} // namespace

void SetReportHandler(TReportHandler handler)
{
    Handler() = std::move(handler);
}

bool ShowReport(const QString &templatePath, const QStringList &placeholders,
                const QStringList &values)
{
    const TReportHandler &handler = Handler();
    return handler && handler(templatePath, placeholders, values);
}
