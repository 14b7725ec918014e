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

    // The header with every placeholder replaced by its (HTML-escaped) value.
    QString HeaderText() const;
    // Gives the device the orientation and margins above.
    void SetUpPage(QPagedPaintDevice *device) const;
    // The document laid out in pages of the device's printable area.
    std::unique_ptr<QTextDocument> BuildDocument(QPagedPaintDevice *device) const;
    // Paints one page of a built document, its top at the painter's origin.
    static void PaintPage(QPainter &painter, const QTextDocument &document, int page);
    // Prints every page onto the device (a printer or a PDF writer) as its page layout stands;
    // returns the page count.
    int Print(QPagedPaintDevice *device) const;
    // The print preview dialog on a page set up as above, from which the operator prints or writes
    // a PDF. Modal.
    void Preview(QWidget *parent) const;

private:
    // The grid's shown columns as a table whose title rows repeat on every page.
    void AppendTable(QTextDocument &document, const QVector<int> &shown) const;

    const TDataGrid *FGrid;
};
