#include "GridCsv.h"

#include "base/Csv.h"
#include "views/PagedGridModel.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QSaveFile>

namespace {
// Records read per statement, and written between two turns of the event loop: each stays far
// below a tenth of a second.
const int ExportPageRows = 500;
const int RowsPerTurn = 100;
} // namespace

QStringList GridCsvTitles(const TGridTable &table)
{
    QStringList titles;
    for (int column = 0; column < table.columnCount(); ++column)
        titles << table.ColumnTitle(column).replace(QLatin1Char('|'), QLatin1Char(' '));
    return titles;
}

QStringList GridCsvCells(const TGridTable &table, const TGridRow &row)
{
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QVariant value = row.at(column);
        const int type = value.metaType().id();
        if (value.isNull())
            cells << QString();
        else if (type == QMetaType::QDateTime || type == QMetaType::QDate)
            cells << TGridTable::DisplayText(value, table.Columns().at(column));
        else if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int
                 || type == QMetaType::LongLong || type == QMetaType::UInt
                 || type == QMetaType::ULongLong || type == QMetaType::Short
                 || type == QMetaType::UShort)
            cells << CsvNumber(value.toDouble());
        else
            cells << value.toString();
    }
    return cells;
}

QList<QStringList> GridCsvRows(const TGridTable &table)
{
    QList<QStringList> rows {GridCsvTitles(table)};
    for (int row = 0; row < table.rowCount(); ++row) {
        TGridRow values;
        for (int column = 0; column < table.columnCount(); ++column)
            values.append(table.Value(row, column));
        rows << GridCsvCells(table, values);
    }
    return rows;
}

bool WriteRangeCsv(QWidget *parent, const TPagedGridModel &model, const QString &path,
                   QString *error)
{
    // Written beside the target and renamed over it at the end, so a cancel leaves nothing.
    QSaveFile file(path);
    const QChar separator = CsvSeparator();
    auto put = [&](const QStringList &cells) {
        const QByteArray line = (CsvLine(cells, separator) + QStringLiteral("\r\n")).toUtf8();
        return file.write(line) == line.size();
    };
    if (!file.open(QIODevice::WriteOnly) || file.write("\xEF\xBB\xBF") != 3
        || !put(GridCsvTitles(model))) {
        *error = file.errorString();
        return false;
    }
    // Until the range is counted the dialog shows that it works, not how far.
    QProgressDialog progress(QStringLiteral("Запись записей в файл CSV..."),
                             QStringLiteral("Отмена"), 0, model.Complete() ? model.rowCount() : 0,
                             parent);
    progress.setObjectName(QStringLiteral("CsvProgress"));
    progress.setWindowTitle(QStringLiteral("Экспорт в CSV"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setValue(0);
    int written = 0;
    bool wrote = true;
    const bool read = model.ReadAll(
        ExportPageRows,
        [&](const QVector<TGridRow> &rows) {
            for (const TGridRow &row : rows) {
                if (!(wrote = put(GridCsvCells(model, row))))
                    return false;
                if (++written % RowsPerTurn > 0)
                    continue;
                if (progress.maximum() > 0)
                    progress.setValue(std::min(written, progress.maximum()));
                QCoreApplication::processEvents();
                if (progress.wasCanceled())
                    return false;
            }
            return true;
        },
        error);
    if (!wrote)
        *error = file.errorString();
    else if (read && !file.commit())
        *error = file.errorString();
    else if (read)
        return true;
    file.cancelWriting();
    return false;
}
