#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;
class TDataGrid;
class TGridTable;

// Prints a grid's rows as a table below a rich-text page header. The header's placeholders are
// replaced by the substitution list (placeholder, value, placeholder, value ...); rows that do not
// fit on a page continue on the next one below the column titles repeated.
class TGridPrinter
{
public:
    explicit TGridPrinter(const TDataGrid *grid);

    QString Header; // rich text (HTML)
    QStringList Substitutions;
    // Columns shrunk or stretched to the printable width; otherwise printed at their screen size.
    bool FitToPageWidth = true;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QMarginsF MarginsMm {10, 10, 10, 10};
    // The rows to print in the grid's columns, where they are not the grid's own.
    const TGridTable *Rows = nullptr;
    // Above this many rows the operator is asked before the pages are made.
    static constexpr int AskAboveRows = 1000;

    // The header with every placeholder replaced by its (HTML-escaped) value.
    QString HeaderText() const;
    // Gives the device the orientation and margins above.
    void SetUpPage(QPagedPaintDevice *device) const;
    // The document laid out in pages of the device's printable area.
    std::unique_ptr<QTextDocument> BuildDocument(QPagedPaintDevice *device) const;
    // The pages the given number of rows takes on the device's page, from the height of the header,
    // the titles and a sample of rows.
    int EstimatePages(QPagedPaintDevice *device, int rows) const;
    // True for a few rows; for more, when the operator agrees to print the pages they take.
    bool ConfirmPrint(int rows) const;
    // Paints one page of a built document, its top at the painter's origin.
    static void PaintPage(QPainter &painter, const QTextDocument &document, int page);
    // Prints every page onto the device (a printer or a PDF writer) as its page layout stands;
    // returns the page count.
    int Print(QPagedPaintDevice *device) const;
    // The print preview dialog on a page set up as above, from which the operator prints or writes
    // a PDF. Modal.
    void Preview(QWidget *parent) const;

private:
    const TGridTable *Table() const;
    // The header and, unless rows is negative, a table of the first rows, not yet laid out.
    std::unique_ptr<QTextDocument> Compose(int rows) const;
    // The grid's shown columns as a table whose title rows repeat on every page.
    void AppendTable(QTextDocument &document, const QVector<int> &shown, int rows) const;

    const TDataGrid *FGrid;
};
