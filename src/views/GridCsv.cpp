#include "GridCsv.h"

#include "GridModel.h"
#include "base/Csv.h"

#include <QDateTime>

QList<QStringList> GridCsvRows(const TGridModel &model)
{
    QList<QStringList> rows;
    QStringList titles;
    for (const TGridColumn &column : model.Columns())
        titles << QString(column.Title).replace(QLatin1Char('|'), QLatin1Char(' '));
    rows << titles;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            const QVariant value = model.Value(row, column);
            const int type = value.metaType().id();
            if (value.isNull())
                cells << QString();
            else if (type == QMetaType::QDateTime || type == QMetaType::QDate)
                cells << model.DisplayText(row, column);
            else if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int
                     || type == QMetaType::LongLong || type == QMetaType::UInt
                     || type == QMetaType::ULongLong || type == QMetaType::Short
                     || type == QMetaType::UShort)
                cells << CsvNumber(value.toDouble());
            else
                cells << value.toString();
        }
        rows << cells;
    }
    return rows;
}
