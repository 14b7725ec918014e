#include "views/DataGrid.h"

#include "views/GridHeader.h"

#include <QEvent>
#include <QScrollBar>

namespace {
const int RowMargin = 4; // pixels added to the text lines of a row
}

TDataGrid::TDataGrid(QWidget *parent)
    : TDataGrid(new TGridModel, parent)
{ }

TDataGrid::TDataGrid(TGridTable *table, QWidget *parent)
    : QTableView(parent)
    , FTable(table)
    , FHeader(new TGridHeader(this))
{
    FTable->setParent(this);
    setHorizontalHeader(FHeader);
    // Titles keep the window's font when the cells get one of their own.
    QFont titleFont = font();
    titleFont.setResolveMask(QFont::AllPropertiesResolved);
    FHeader->setFont(titleFont);
    setModel(FTable);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FHeader->setSectionResizeMode(QHeaderView::Interactive);
    ApplyRowHeight();
}

void TDataGrid::SetColumns(const QVector<TGridColumn> &columns)
{
    FTable->SetColumns(columns);
    for (int column = 0; column < columns.size(); ++column) {
        if (columns.at(column).Width >= 0)
            setColumnWidth(column, columns.at(column).Width);
    }
    if (FFrozen) {
        for (int column = 1; column < columns.size(); ++column)
            FFrozen->setColumnHidden(column, true);
        UpdateFrozenGeometry();
    }
}

void TDataGrid::SetFrozenFirstColumn(bool frozen)
{
    if (frozen == (FFrozen != nullptr))
        return;
    if (!frozen) {
        delete FFrozen;
        FFrozen = nullptr;
        return;
    }
    // A second view over the same rows shows only the first column, laid over the left edge of
    // this one; the other columns scroll beneath it.
    FFrozen = new QTableView(this);
    FFrozen->setObjectName(QStringLiteral("FrozenColumn"));
    FFrozen->setHorizontalHeader(new TGridHeader(FFrozen));
    FFrozen->setModel(FTable);
    FFrozen->setSelectionModel(selectionModel());
    FFrozen->setFrameShape(QFrame::NoFrame);
    // A click on a date gives the keys to the grid.
    FFrozen->setFocusPolicy(Qt::ClickFocus);
    FFrozen->setFocusProxy(this);
    FFrozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FFrozen->setSelectionBehavior(selectionBehavior());
    FFrozen->setSelectionMode(selectionMode());
    FFrozen->setWordWrap(true);
    FFrozen->verticalHeader()->hide();
    FFrozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FFrozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FFrozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FFrozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FFrozen->setVerticalScrollMode(verticalScrollMode());
    FFrozen->setFont(font());
    FFrozen->horizontalHeader()->setFont(FHeader->font());
    viewport()->stackUnder(FFrozen);
    for (int column = 1; column < FTable->columnCount(); ++column)
        FFrozen->setColumnHidden(column, true);
    connect(FHeader, &QHeaderView::sectionResized, this, [this](int logical) {
        if (logical == 0)
            UpdateFrozenGeometry();
    });
    connect(FFrozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, FFrozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    ApplyRowHeight();
    UpdateFrozenGeometry();
    FFrozen->show();
}

void TDataGrid::SetRowLines(int lines)
{
    FRowLines = qMax(1, lines);
    ApplyRowHeight();
}

void TDataGrid::ApplyRowHeight()
{
    const int height = FRowLines * fontMetrics().lineSpacing() + RowMargin;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
    if (FFrozen) {
        FFrozen->verticalHeader()->setMinimumSectionSize(1);
        FFrozen->verticalHeader()->setDefaultSectionSize(height);
    }
}

void TDataGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    if (FFrozen)
        FFrozen->setFont(font());
    ApplyRowHeight();
}

void TDataGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    UpdateFrozenGeometry();
}

void TDataGrid::updateGeometries()
{
    QTableView::updateGeometries();
    UpdateFrozenGeometry();
}

void TDataGrid::UpdateFrozenGeometry()
{
    if (!FFrozen)
        return;
    FFrozen->setColumnWidth(0, columnWidth(0));
    FFrozen->horizontalHeader()->setFixedHeight(FHeader->height());
    FFrozen->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + FHeader->height());
}

void TDataGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (index.column() > 0 || !FFrozen) {
        QTableView::scrollTo(index, hint);
        return;
    }
    // The frozen column covers the first column's place: bring the row into view but keep the
    // other columns where they are, so no cell slides under it.
    const int across = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(across);
}
