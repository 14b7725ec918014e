#include "views/GridModel.h"

#include "base/Formats.h"
#include "base/Moment.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

TGridTable::TGridTable(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void TGridTable::SetColumns(const QVector<TGridColumn> &columns)
{
    beginResetModel();
    FColumns = columns;
    DropRows();
    endResetModel();
}

QString TGridTable::ColumnTitle(int column) const
{
    const TGridColumn &shown = FColumns.at(column);
    return shown.Title.isEmpty() ? shown.Field : shown.Title;
}

QVector<TGridRow> TGridTable::ReadRows(QSqlQuery &query, const QString &extraField) const
{
    QVector<int> fields;
    const QSqlRecord record = query.record();
    for (const TGridColumn &column : FColumns)
        fields.append(record.indexOf(column.Field));
    if (!extraField.isEmpty())
        fields.append(record.indexOf(extraField));
    QVector<TGridRow> rows;
    while (query.next()) {
        TGridRow row;
        row.reserve(fields.size());
        for (int field : fields)
            row.append(field >= 0 ? query.value(field) : QVariant());
        rows.append(std::move(row));
    }
    return rows;
}

QString TGridTable::DisplayText(int row, int column) const
{
    return DisplayText(Value(row, column), FColumns.at(column));
}

QString TGridTable::DisplayText(const QVariant &value, const TGridColumn &column)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"),
                              DateTimeToMoment(value.toDateTime()));
    case QMetaType::QDate:
        return FormatDateTime(QStringLiteral("dd.mm.yyyy"),
                              DateTimeToMoment(value.toDate().startOfDay()));
    case QMetaType::Double:
    case QMetaType::Float:
        return column.DisplayFormat.isEmpty() ? FloatToStr(value.toDouble())
                                              : FormatFloat(column.DisplayFormat, value.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return column.DisplayFormat.isEmpty() ? value.toString()
                                              : FormatFloat(column.DisplayFormat, value.toDouble());
    default:
        return value.toString();
    }
}

int TGridTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(FColumns.size());
}

QVariant TGridTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const TGridColumn &column = FColumns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.Alignment);
    case Qt::BackgroundRole:
        return column.Background.isValid() ? QVariant(column.Background) : QVariant();
    default:
        return QVariant();
    }
}

QVariant TGridTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= FColumns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return ColumnTitle(section);
}

TGridModel::TGridModel(QObject *parent)
    : TGridTable(parent)
{ }

bool TGridModel::Load(const QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QVector<TGridRow> rows;
    bool ok = query.exec(sql);
    if (ok) {
        rows = ReadRows(query);
        // A result that broke off while being read is a failure, not a shorter list.
        ok = !query.lastError().isValid();
    }
    FLastError = ok ? QSqlError() : query.lastError();
    if (!ok) {
        if (error)
            *error = FLastError.text();
        rows.clear();
    }
    SetRows(std::move(rows));
    return ok;
}

void TGridModel::Clear()
{
    SetRows({});
}

void TGridModel::SetRows(QVector<TGridRow> rows)
{
    if (!FRows.isEmpty()) {
        beginRemoveRows(QModelIndex(), 0, int(FRows.size()) - 1);
        FRows.clear();
        endRemoveRows();
    }
    if (!rows.isEmpty()) {
        beginInsertRows(QModelIndex(), 0, int(rows.size()) - 1);
        FRows = std::move(rows);
        endInsertRows();
    }
}

int TGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(FRows.size());
}
