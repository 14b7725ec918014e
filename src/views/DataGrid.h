#pragma once

#include "views/GridModel.h"

#include <QTableView>

class TGridHeader;

// A read-only grid over one query result: the columns in the order, titles, widths and alignments
// they are given, titles of one or two levels, an optional frozen first column that stays in
// place while the others scroll, and rows of a chosen number of text lines.
class TDataGrid : public QTableView
{
    Q_OBJECT

public:
    // Over rows of its own, loaded at once.
    explicit TDataGrid(QWidget *parent = nullptr);
    // Over the given rows, which the grid takes.
    explicit TDataGrid(TGridTable *table, QWidget *parent = nullptr);

    void SetColumns(const QVector<TGridColumn> &columns);
    TGridTable *Table() const { return FTable; }
    // The rows loaded at once; none when the grid was given other rows.
    TGridModel *Model() const { return qobject_cast<TGridModel *>(FTable); }
    TGridHeader *Header() const { return FHeader; }

    void SetFrozenFirstColumn(bool frozen);
    QTableView *FrozenView() const { return FFrozen; }
    // Row height in text lines of the grid's font.
    void SetRowLines(int lines);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

private:
    void ApplyRowHeight();
    void UpdateFrozenGeometry();

    TGridTable *FTable;
    TGridHeader *FHeader;
    QTableView *FFrozen = nullptr;
    int FRowLines = 1;
};
