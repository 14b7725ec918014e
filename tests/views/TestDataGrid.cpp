#include "TestDb.h"
#include "TestMain.h"
#include "views/DataGrid.h"
#include "views/GridHeader.h"
#include "views/GridPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDateEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QVBoxLayout>

namespace {

// A grid over "select ..." of the given columns; rows come from a sequence of n numbers.
void LoadNumbers(TDataGrid &grid, int n)
{
    QVERIFY(grid.Model()->Load(TestDb::Open(),
                               QStringLiteral("select seq as N, concat('row ', seq) as T, "
                                              "seq * 1.5e0 as F from seq_1_to_%1")
                                   .arg(n)));
    QCOMPARE(grid.Model()->rowCount(), n);
}

QVector<TGridColumn> NumberColumns()
{
    return {{QStringLiteral("N"), QStringLiteral("Номер"), 60, Qt::AlignCenter},
            {QStringLiteral("T"), QStringLiteral("Группа|Текст"), 150},
            {QStringLiteral("F"), QStringLiteral("Группа|Число"), 90, Qt::AlignRight,
             QStringLiteral("#0.00")}};
}

// A line drawn across the background: a pixel clearly darker than the background colour.
bool IsLine(QRgb pixel, QRgb background)
{
    return qGray(pixel) + 20 < qGray(background);
}

// The first row at or below from that is a line across most of the image (a table rule).
int FirstRule(const QImage &image, int from)
{
    for (int y = qMax(0, from); y < image.height(); ++y) {
        int dark = 0;
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 230; // antialiased when it falls between pixels
        if (dark > image.width() * 4 / 5)
            return y;
    }
    return -1;
}

// Whether the pixel row lies mostly on the grey of the title cells (data cells are white).
bool OnTitleGrey(const QImage &image, int y)
{
    int grey = 0;
    for (int x = 0; x < image.width(); ++x)
        grey += image.pixel(x, y) == qRgb(0xE0, 0xE0, 0xE0);
    return grey > image.width() / 2;
}

// Shows a grid of n numbered rows with a frozen first column, scrolled fully to the right.
void ShowFrozenScrolledRight(TDataGrid &grid, int n)
{
    grid.SetFrozenFirstColumn(true);
    grid.SetColumns(NumberColumns());
    grid.resize(200, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    LoadNumbers(grid, n);
    QCoreApplication::processEvents(); // the views lay out their rows
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    QVERIFY(grid.horizontalScrollBar()->value() > 0);
}

} // namespace

class TestDataGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void displayTexts_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("timestamp") << "CAST('2026-05-10 07:08:09' AS DATETIME)"
                                   << ""
                                   << "10.05.2026 07:08:09";
        QTest::newRow("null") << "NULL"
                              << "#0.0"
                              << "";
        QTest::newRow("float, general") << "CAST(1802.3 AS FLOAT)"
                                        << ""
                                        << "1802.3";
        QTest::newRow("float, picture") << "1234567.125e0"
                                        << "### ### ##0.00"
                                        << "1 234 567.13";
        QTest::newRow("small integer") << "CAST(-2 AS SIGNED)"
                                       << ""
                                       << "-2";
        QTest::newRow("text") << "'  01:01'"
                              << ""
                              << "  01:01";
    }
    void displayTexts()
    {
        QFETCH(QString, expression);
        QFETCH(QString, format);
        QFETCH(QString, text);
        TGridModel model;
        model.SetColumns({{QStringLiteral("V"), QString(), -1, Qt::AlignLeft, format}});
        QString error;
        QVERIFY2(
            model.Load(TestDb::Open(), QStringLiteral("select %1 as V").arg(expression), &error),
            qPrintable(error));
        QCOMPARE(model.DisplayText(0, 0), text);
    }

    void twoLevelTitlesShareTheUpperBand()
    {
        TDataGrid grid;
        grid.SetColumns(NumberColumns());
        grid.resize(400, 200);
        LoadNumbers(grid, 3);
        QImage image = grid.grab().toImage();
        TGridHeader *header = grid.Header();
        const int upper = header->UpperHeight();
        QVERIFY(upper > 0);
        QVERIFY(header->height() > upper);
        // The border between the two grouped columns runs through the lower band only; the one
        // between the single-level column and the group runs the full height.
        const QPoint origin = header->mapTo(&grid, QPoint(0, 0));
        auto darkIn = [&](int x, int top, int bottom) {
            const QRgb background = image.pixel(origin.x() + x + 20, origin.y() + top + 2);
            for (int y = top + 2; y < bottom - 2; ++y)
                for (int dx = -1; dx <= 1; ++dx)
                    if (IsLine(image.pixel(origin.x() + x + dx, origin.y() + y), background))
                        return true;
            return false;
        };
        const int between = header->sectionViewportPosition(2);
        QVERIFY(darkIn(between, upper, header->height()));
        QVERIFY(!darkIn(between, 0, upper));
        QVERIFY(darkIn(header->sectionViewportPosition(1), 0, upper));
        // A row shows the formatted figure.
        QCOMPARE(grid.Model()->DisplayText(1, 2), QStringLiteral("3.00"));
    }

    void frozenColumnStaysInPlace()
    {
        TDataGrid grid;
        ShowFrozenScrolledRight(grid, 20);
        QVERIFY(!QTest::currentTestFailed());
        QTableView *frozen = grid.FrozenView();
        QVERIFY(frozen->isVisible());
        QCOMPARE(frozen->geometry().left(), grid.frameWidth());
        QCOMPARE(frozen->columnWidth(0), 60);
        QCOMPARE(frozen->horizontalHeader()->height(), grid.Header()->height());
        grid.verticalScrollBar()->setValue(5);
        QCOMPARE(frozen->verticalScrollBar()->value(), 5);
    }

    void frozenColumnKeysKeepTheRowInView_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>(
            "row"); // the current row after the keys; -1: any below the first screen
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 25 << 26;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << 3 << -1;
        QTest::newRow("PageDown to the last row") << int(Qt::Key_PageDown) << 0 << 30 << 199;
    }
    void frozenColumnKeysKeepTheRowInView()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, presses);
        QFETCH(int, row);
        // As in the windows: a date picker above the grid has the focus when the grid is clicked.
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *picker = new QDateEdit(&window);
        layout->addWidget(picker);
        TDataGrid &grid = *new TDataGrid(&window);
        layout->addWidget(&grid);
        grid.SetFrozenFirstColumn(true);
        grid.SetColumns(NumberColumns());
        window.resize(200, 240);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        picker->setFocus();
        QCOMPARE(QApplication::focusWidget(), picker);
        LoadNumbers(grid, 200);
        QCoreApplication::processEvents();
        grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
        const int across = grid.horizontalScrollBar()->value();
        QVERIFY(across > 0);
        // A click on a date, then the keys to whatever has the focus then.
        QTableView *frozen = grid.FrozenView();
        QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {},
                          frozen->visualRect(grid.Model()->index(1, 0)).center());
        QCOMPARE(grid.currentIndex(), grid.Model()->index(1, 0));
        QCOMPARE(QApplication::focusWidget(), &grid);
        for (int press = 0; press < presses; ++press)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                            Qt::KeyboardModifiers(modifiers));
        const QModelIndex current = grid.currentIndex();
        QCOMPARE(current.column(), 0);
        if (row >= 0)
            QCOMPARE(current.row(), row);
        QVERIFY(current.row() > grid.rowAt(grid.viewport()->height() / 2) - 20);
        for (const QTableView *view : {static_cast<QTableView *>(&grid), frozen}) {
            const QRect cell = view->visualRect(current);
            QVERIFY2(cell.top() >= 0 && cell.bottom() < view->viewport()->height(),
                     qPrintable(QStringLiteral("row %1 at %2").arg(current.row()).arg(cell.top())));
        }
        QCOMPARE(grid.horizontalScrollBar()->value(), across);
    }

    // A date asked for by the program comes into view in both views, the columns stay put.
    void frozenColumnScrollsToADate()
    {
        TDataGrid grid;
        ShowFrozenScrolledRight(grid, 200);
        QVERIFY(!QTest::currentTestFailed());
        const int across = grid.horizontalScrollBar()->value();
        const QModelIndex date = grid.Model()->index(150, 0);
        static_cast<QAbstractItemView &>(grid).scrollTo(date);
        for (const QTableView *view : {static_cast<QTableView *>(&grid), grid.FrozenView()}) {
            const QRect cell = view->visualRect(date);
            QVERIFY(cell.top() >= 0 && cell.bottom() < view->viewport()->height());
        }
        QCOMPARE(grid.horizontalScrollBar()->value(), across);
    }

    void pageEstimateMatchesPrint_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("orientation");
        QTest::newRow("one page") << 30 << int(QPageLayout::Portrait);
        QTest::newRow("several, portrait") << 300 << int(QPageLayout::Portrait);
        QTest::newRow("many, landscape") << 1500 << int(QPageLayout::Landscape);
    }
    void pageEstimateMatchesPrint()
    {
        QFETCH(int, rows);
        QFETCH(int, orientation);
        TDataGrid grid;
        grid.SetColumns(NumberColumns());
        LoadNumbers(grid, rows);
        TGridPrinter printer(&grid);
        printer.Header = QStringLiteral("<p style=\"font-size:16pt\">Заголовок<br/>строка</p>");
        printer.Orientation = QPageLayout::Orientation(orientation);
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath(QStringLiteral("grid.pdf")));
        writer.setResolution(300);
        printer.SetUpPage(&writer);
        QCOMPARE(printer.EstimatePages(&writer, rows), printer.BuildDocument(&writer)->pageCount());
    }

    void printerReplacesPlaceholders()
    {
        TDataGrid grid;
        TGridPrinter printer(&grid);
        printer.Header = QStringLiteral("<p>с [StartTime] по [StopTime], снова [StartTime]</p>");
        printer.Substitutions = {QStringLiteral("[StartTime]"), QStringLiteral("07.01.2009 07:00"),
                                 QStringLiteral("[StopTime]"), QStringLiteral("<b>&")};
        QCOMPARE(
            printer.HeaderText(),
            QStringLiteral("<p>с 07.01.2009 07:00 по &lt;b&gt;&amp;, снова 07.01.2009 07:00</p>"));
    }

    void longTablesRepeatTitlesOnEveryPage()
    {
        TDataGrid grid;
        grid.SetColumns(NumberColumns());
        LoadNumbers(grid, 150);
        TGridPrinter printer(&grid);
        printer.Header = QStringLiteral("<p style=\"font-size:16pt\">Заголовок<br/>[X]</p>");
        printer.Substitutions = {QStringLiteral("[X]"), QStringLiteral("вторая строка")};
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath(QStringLiteral("grid.pdf")));
        writer.setResolution(96);
        printer.SetUpPage(&writer);
        const auto document = printer.BuildDocument(&writer);
        QVERIFY(document->pageCount() >= 3);
        QVERIFY(document->toPlainText().startsWith(
            QStringLiteral("Заголовок\nвторая строка\nНомер\nГруппа\nТекст\nЧисло\n1\n")));

        // Page 2 starts with title rows, as the table does on page 1.
        const QSize size = document->pageSize().toSize();
        QImage first(size, QImage::Format_RGB32), second(size, QImage::Format_RGB32);
        for (auto [image, page] : {std::pair {&first, 0}, std::pair {&second, 1}}) {
            image->fill(Qt::white);
            QPainter painter(image);
            TGridPrinter::PaintPage(painter, *document, page);
        }
        QTextFrame *table = document->rootFrame()->childFrames().first();
        const int tableTop = int(document->documentLayout()->frameBoundingRect(table).top());
        for (auto [image, top] : {std::pair {&first, tableTop}, std::pair {&second, 0}}) {
            const int rule = FirstRule(*image, top - 10);
            QVERIFY(rule >= 0);
            QVERIFY(OnTitleGrey(*image, rule + 4));
        }
        QVERIFY(!OnTitleGrey(second, size.height() / 2));
        QCOMPARE(printer.Print(&writer), document->pageCount());
    }
};

TALMER_TEST(TestDataGrid)
#include "TestDataGrid.moc"
