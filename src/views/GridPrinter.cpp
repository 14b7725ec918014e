#include "views/GridPrinter.h"

#include "base/Feedback.h"
#include "base/Style.h"
#include "views/DataGrid.h"
#include "views/GridHeader.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

namespace {

const QColor TitleBackground(0xE0, 0xE0, 0xE0);
// Table lengths are in pixels of a 96-dpi screen; the layout scales them to the device.
const double BorderPixels = 1;
const double PaddingPixels = 2;

void PutText(QTextTable *table, int row, int column, const QString &text, Qt::Alignment alignment,
             const QColor &background = QColor(), bool wrap = true)
{
    QTextTableCell cell = table->cellAt(row, column);
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    if (background.isValid())
        format.setBackground(background);
    cell.setFormat(format);
    QTextCursor cursor = cell.firstCursorPosition();
    QTextBlockFormat block = cursor.blockFormat();
    block.setAlignment(alignment & Qt::AlignHorizontal_Mask);
    block.setNonBreakableLines(!wrap);
    cursor.setBlockFormat(block);
    cursor.insertText(text);
}

} // namespace

TGridPrinter::TGridPrinter(const TDataGrid *grid)
    : FGrid(grid)
{
    InstallFontSubstitutes();
}

QString TGridPrinter::HeaderText() const
{
    QString text = Header;
    for (qsizetype i = 0; i + 1 < Substitutions.size(); i += 2)
        text.replace(Substitutions.at(i), Substitutions.at(i + 1).toHtmlEscaped());
    return text;
}

void TGridPrinter::SetUpPage(QPagedPaintDevice *device) const
{
    device->setPageOrientation(Orientation);
    device->setPageMargins(MarginsMm, QPageLayout::Millimeter);
}

const TGridTable *TGridPrinter::Table() const
{
    return Rows ? Rows : FGrid->Table();
}

std::unique_ptr<QTextDocument> TGridPrinter::BuildDocument(QPagedPaintDevice *device) const
{
    auto document = Compose(Table()->rowCount());
    // Laid out once, when everything is in place: a layout that follows every cell is slow.
    document->documentLayout()->setPaintDevice(device);
    document->setPageSize(device->pageLayout().paintRectPixels(device->logicalDpiX()).size());
    return document;
}

int TGridPrinter::EstimatePages(QPagedPaintDevice *device, int rows) const
{
    const QSizeF page = device->pageLayout().paintRectPixels(device->logicalDpiX()).size();
    // Heights of the document laid out in one endless page.
    auto height = [&](int sample) {
        const auto document = Compose(sample);
        document->documentLayout()->setPaintDevice(device);
        document->setTextWidth(page.width());
        return document->size().height();
    };
    const int sample = std::clamp(std::min(rows, Table()->rowCount()), 1, 50);
    const double header = height(-1);
    const double titled = height(0);
    const double row = (height(sample) - titled) / sample;
    if (rows <= 0 || row <= 0)
        return 1;
    // The titles repeat on every page; rows are never split.
    const int first = std::max(0, int((page.height() - titled) / row));
    const int further = std::max(1, int((page.height() - (titled - header)) / row));
    return rows <= first ? 1 : 1 + (rows - first + further - 1) / further;
}

bool TGridPrinter::ConfirmPrint(int rows) const
{
    if (rows <= AskAboveRows)
        return true;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(&printer);
    return AskYesNo(QStringLiteral("Печать %1 строк займёт около %2 страниц. Печатать?")
                        .arg(rows)
                        .arg(EstimatePages(&printer, rows)),
                    QStringLiteral("Печать"));
}

std::unique_ptr<QTextDocument> TGridPrinter::Compose(int rows) const
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDocumentMargin(0);
    document->setDefaultFont(FGrid->font());
    document->setHtml(HeaderText());

    QVector<int> shown;
    for (int column = 0; column < Table()->columnCount(); ++column) {
        if (!FGrid->isColumnHidden(column) && FGrid->columnWidth(column) > 0)
            shown.append(column);
    }
    if (!shown.isEmpty() && rows >= 0)
        AppendTable(*document, shown, std::min(rows, Table()->rowCount()));
    return document;
}

void TGridPrinter::AppendTable(QTextDocument &document, const QVector<int> &shown, int rows) const
{
    const TGridTable *model = Table();
    const QVector<TGridColumn> &columns = model->Columns();

    bool twoLevels = false;
    QVector<QString> uppers, lowers;
    double totalWidth = 0;
    for (int column : shown) {
        QString upper, lower;
        TGridHeader::SplitTitle(model->headerData(column, Qt::Horizontal).toString(), upper, lower);
        uppers.append(upper);
        lowers.append(lower);
        twoLevels = twoLevels || !upper.isEmpty();
        totalWidth += FGrid->columnWidth(column);
    }
    const int titleRows = twoLevels ? 2 : 1;

    QTextTableFormat format;
    format.setHeaderRowCount(titleRows);
    format.setBorder(BorderPixels);
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(PaddingPixels);
    QVector<QTextLength> widths;
    for (int column : shown) {
        const double width = FGrid->columnWidth(column);
        widths.append(FitToPageWidth
                          ? QTextLength(QTextLength::PercentageLength, 100.0 * width / totalWidth)
                          : QTextLength(QTextLength::FixedLength, width));
    }
    format.setColumnWidthConstraints(widths);
    if (FitToPageWidth)
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));

    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextTable *table = cursor.insertTable(titleRows + rows, int(shown.size()), format);

    for (int i = 0; i < shown.size(); ++i) {
        if (uppers.at(i).isEmpty()) {
            if (twoLevels)
                table->mergeCells(0, i, 2, 1);
            PutText(table, 0, i, lowers.at(i), Qt::AlignHCenter, TitleBackground);
            continue;
        }
        if (i == 0 || uppers.at(i - 1) != uppers.at(i)) {
            int span = 1;
            while (i + span < shown.size() && uppers.at(i + span) == uppers.at(i))
                ++span;
            table->mergeCells(0, i, 1, span);
            PutText(table, 0, i, uppers.at(i), Qt::AlignHCenter, TitleBackground);
        }
        PutText(table, 1, i, lowers.at(i), Qt::AlignHCenter, TitleBackground);
    }
    for (int row = 0; row < rows; ++row) {
        for (int i = 0; i < shown.size(); ++i)
            // Only texts wrap; a moment or a number broken over two lines misreads.
            PutText(table, titleRows + row, i, model->DisplayText(row, shown.at(i)),
                    columns.at(shown.at(i)).Alignment, QColor(),
                    model->Value(row, shown.at(i)).typeId() == QMetaType::QString);
    }
}

void TGridPrinter::PaintPage(QPainter &painter, const QTextDocument &document, int page)
{
    const QSizeF size = document.pageSize();
    const QRectF clip(0, page * size.height(), size.width(), size.height());
    painter.save();
    painter.translate(0, -clip.top());
    painter.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

int TGridPrinter::Print(QPagedPaintDevice *device) const
{
    const std::unique_ptr<QTextDocument> document = BuildDocument(device);
    const int pages = document->pageCount();
    QPainter painter(device);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device->newPage();
        PaintPage(painter, *document, page);
    }
    return pages;
}

void TGridPrinter::Preview(QWidget *parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(&printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("GridPrintPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter *target) { Print(target); });
    dialog.exec();
}
