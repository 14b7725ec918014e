// Renders every element of the library, with its defaults and some telling variants, into one
// labelled PNG sheet: talmer-gallery [output.png]. Runs offscreen.

#include "GalleryEntries.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <memory>

namespace {

constexpr int CellWidth = 190;
constexpr int CellHeight = 190;
constexpr int CaptionHeight = 22;
constexpr int Columns = 7;

void DrawCell(QPainter &painter, const QRect &cell, const TGalleryEntry &entry)
{
    painter.fillRect(cell.adjusted(2, 2, -2, -2), QColor(40, 44, 60));
    std::unique_ptr<QWidget> widget(entry.make());
    const QRect area = cell.adjusted(4, 4, -4, -CaptionHeight);
    const QSize size = widget->size().boundedTo(area.size());
    widget->resize(size);
    const QPoint origin = area.center() - QPoint(size.width() / 2, size.height() / 2);
    widget->render(&painter, origin, QRegion(), QWidget::DrawChildren);
    painter.setPen(Qt::white);
    painter.drawText(
        QRect(cell.left() + 2, cell.bottom() - CaptionHeight, cell.width() - 4, CaptionHeight),
        Qt::AlignCenter | Qt::TextWordWrap, entry.caption);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");
    const QList<TGalleryEntry> entries = GalleryEntries();
    // Cells flow left to right; a wide entry that does not fit the row starts the next one.
    QList<QRect> cells;
    int column = 0, row = 0;
    for (const TGalleryEntry &entry : entries) {
        const int span = qBound(1, entry.span, Columns);
        if (column + span > Columns) {
            column = 0;
            ++row;
        }
        cells.append(QRect(column * CellWidth, row * CellHeight, span * CellWidth, CellHeight));
        column += span;
    }
    const int rows = column > 0 ? row + 1 : row;
    QImage sheet(Columns * CellWidth, rows * CellHeight, QImage::Format_RGB32);
    sheet.fill(QColor(20, 20, 28));
    QPainter painter(&sheet);
    QFont captionFont(QStringLiteral("DejaVu Sans"));
    captionFont.setPixelSize(11);
    painter.setFont(captionFont);
    for (int i = 0; i < entries.size(); ++i)
        DrawCell(painter, cells.at(i), entries.at(i));
    painter.end();
    if (!sheet.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%d pictures written to %s\n", int(entries.size()), qPrintable(output));
    return 0;
}
