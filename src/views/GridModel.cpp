#include "views/GridModel.h"

#include "base/Formats.h"
#include "base/Moment.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

TGridModel::TGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void TGridModel::SetColumns(const QVector<TGridColumn> &columns)
{
    beginResetModel();
    FColumns = columns;
    FRows.clear();
    endResetModel();
}

bool TGridModel::Load(const QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QVector<QVector<QVariant>> rows;
    bool ok = query.exec(sql);
    if (ok) {
        QVector<int> fields;
        const QSqlRecord record = query.record();
        for (const TGridColumn &column : FColumns)
            fields.append(record.indexOf(column.Field));
        while (query.next()) {
            QVector<QVariant> row;
            row.reserve(fields.size());
            for (int field : fields)
                row.append(field >= 0 ? query.value(field) : QVariant());
            rows.append(std::move(row));
        }
        // A result that broke off while being read is a failure, not a shorter list.
        ok = !query.lastError().isValid();
    }
    FLastError = ok ? QSqlError() : query.lastError();
    if (!ok) {
        if (error)
            *error = FLastError.text();
        rows.clear();
    }
    ReplaceRows(std::move(rows));
    return ok;
}

void TGridModel::Clear()
{
    ReplaceRows({});
}

void TGridModel::ReplaceRows(QVector<QVector<QVariant>> rows)
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

QString TGridModel::DisplayText(int row, int column) const
{
    const QVariant value = FRows.at(row).at(column);
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
        return FColumns.at(column).DisplayFormat.isEmpty()
            ? FloatToStr(value.toDouble())
            : FormatFloat(FColumns.at(column).DisplayFormat, value.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return FColumns.at(column).DisplayFormat.isEmpty()
            ? value.toString()
            : FormatFloat(FColumns.at(column).DisplayFormat, value.toDouble());
    default:
        return value.toString();
    }
}

int TGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(FRows.size());
}

int TGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(FColumns.size());
}

QVariant TGridModel::data(const QModelIndex &index, int role) const
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

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= FColumns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const TGridColumn &column = FColumns.at(section);
    return column.Title.isEmpty() ? column.Field : column.Title;
}
