#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>
#include <QVector>

class QSqlQuery;

// One column of a read-only grid: which field of the result it shows and how.
struct TGridColumn
{
    TGridColumn() = default;
    TGridColumn(const QString &field, const QString &title, int width = -1,
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                const QString &displayFormat = QString(), const QColor &background = QColor())
        : Field(field)
        , Title(title)
        , Width(width)
        , Alignment(alignment)
        , DisplayFormat(displayFormat)
        , Background(background)
    { }

    QString Field;
    // "Upper|Lower" gives a two-level title whose upper level neighbouring columns share.
    QString Title;
    int Width = -1; // pixels; -1 keeps the grid's default
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString DisplayFormat; // number picture for numeric fields; empty: the general text
    QColor Background; // invalid: the grid's own
};

using TGridRow = QVector<QVariant>;

// The columns of a read-only grid and how their cells read; where the rows come from is the
// subclass's business.
class TGridTable : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TGridTable(QObject *parent = nullptr);

    // Drops the rows.
    void SetColumns(const QVector<TGridColumn> &columns);
    const QVector<TGridColumn> &Columns() const { return FColumns; }
    // What the grid shows as the column's title: the title, or the field name where there is none.
    QString ColumnTitle(int column) const;

    virtual QVariant Value(int row, int column) const = 0;
    // The text a cell shows: dates as "dd.mm.yyyy hh:nn:ss", numbers through the column's picture.
    QString DisplayText(int row, int column) const;
    static QString DisplayText(const QVariant &value, const TGridColumn &column);

    // The fields the columns name, in column order, of every remaining row of the query, each row
    // followed by the extra field where one is named.
    QVector<TGridRow> ReadRows(QSqlQuery &query, const QString &extraField = QString()) const;

    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    virtual void DropRows() = 0;

private:
    QVector<TGridColumn> FColumns;
};

// The rows of one query result, copied out of the result set, so what is shown and printed never
// depends on a live result (the link may drop and come back between two loads). Only the fields the
// columns name are kept, in column order.
class TGridModel : public TGridTable
{
    Q_OBJECT

public:
    explicit TGridModel(QObject *parent = nullptr);

    // Runs the statement and takes all its rows. On failure the model is left empty, error holds
    // the server's text and false is returned; rows are never half replaced.
    bool Load(const QSqlDatabase &db, const QString &sql, QString *error = nullptr);
    // Why the last Load failed (no error after a successful one).
    const QSqlError &LastError() const { return FLastError; }
    void Clear();
    // Row changes go out as row removals and insertions, not as a model reset, which would throw
    // away the header's column widths.
    void SetRows(QVector<TGridRow> rows);

    QVariant Value(int row, int column) const override { return FRows.at(row).at(column); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;

protected:
    void DropRows() override { FRows.clear(); }

private:
    QVector<TGridRow> FRows;
    QSqlError FLastError;
};
