#include "Render.h"
#include "TestMain.h"
#include "base/Bitmap.h"
#include "base/StringList.h"
#include "elements/Canvas.h"
#include "elements/PercentMap.h"

#include <QPicture>
#include <QTemporaryDir>
#include <QTest>

class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void percentMap_data();
    void percentMap();
    void lineStopsShortOfItsEnd_data();
    void lineStopsShortOfItsEnd();
    void floodFillStaysInsideItsArea();
    void floodFillNeedsAnImage();
    void patternBrush_data();
    void patternBrush();
    void stringListNotifiesOnlyOnChange();
};

void TestCanvas::percentMap_data()
{
    QTest::addColumn<bool>("xFlip");
    QTest::addColumn<QPointF>("percent");
    QTest::addColumn<QPoint>("pixel");
    // A 200 x 100 box, inset (pen width) 3.
    QTest::newRow("origin is the bottom left") << false << QPointF(0, 0) << QPoint(0, 97);
    QTest::newRow("top right pulled in") << false << QPointF(100, 100) << QPoint(197, 0);
    QTest::newRow("truncated") << false << QPointF(33.3, 33.3) << QPoint(66, 66);
    QTest::newRow("beyond the top clamps to 0") << false << QPointF(50, 130) << QPoint(100, 0);
    QTest::newRow("below the bottom") << false << QPointF(-10, -20) << QPoint(0, 97);
    QTest::newRow("flipped mirrors the truncated x")
        << true << QPointF(33.3, 50) << QPoint(134, 50);
    QTest::newRow("flipped left edge pulled in") << true << QPointF(0, 50) << QPoint(197, 50);
}

void TestCanvas::percentMap()
{
    QFETCH(bool, xFlip);
    QFETCH(QPointF, percent);
    QFETCH(QPoint, pixel);
    QCOMPARE(TPercentMap(200, 100, 3, xFlip).Point(percent), pixel);
}

void TestCanvas::lineStopsShortOfItsEnd_data()
{
    QTest::addColumn<QLine>("line");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("endPainted");
    QTest::newRow("horizontal") << QLine(2, 5, 10, 5) << 1 << 8 << false;
    QTest::newRow("upward") << QLine(4, 12, 4, 2) << 1 << 10 << false;
    QTest::newRow("right to left") << QLine(12, 3, 3, 3) << 1 << 9 << false;
    QTest::newRow("diagonal") << QLine(1, 1, 9, 5) << 1 << 8 << false;
    QTest::newRow("no length: nothing") << QLine(6, 6, 6, 6) << 1 << 0 << false;
    QTest::newRow("wide pen: round caps over both ends") << QLine(4, 8, 12, 8) << 3 << -1 << true;
}

// A thin line covers its start and every pixel up to, not including, its end.
void TestCanvas::lineStopsShortOfItsEnd()
{
    QFETCH(QLine, line);
    QFETCH(int, penWidth);
    QFETCH(int, pixels);
    QFETCH(bool, endPainted);
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.SetPen(clBlack, penWidth);
    canvas.Line(line.x1(), line.y1(), line.x2(), line.y2());
    painter.end();
    const QColor ink = Rgb(clBlack);
    QCOMPARE(image.pixelColor(line.p2()) == ink, endPainted);
    if (pixels < 0)
        return;
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += image.pixelColor(x, y) == ink;
    QCOMPARE(painted, pixels);
    if (pixels > 0)
        QCOMPARE(image.pixelColor(line.p1()), ink);
}

void TestCanvas::floodFillStaysInsideItsArea()
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.SetPen(clBlack, 2);
    canvas.SetNoBrush();
    canvas.Rectangle(10, 10, 50, 30);
    QVERIFY(canvas.FloodFill(30, 20, clBlue));
    QVERIFY(!canvas.FloodFill(60, 20, clBlue));
    painter.end();
    QCOMPARE(image.pixelColor(12, 12), Rgb(clBlue));
    QCOMPARE(image.pixelColor(47, 27), Rgb(clBlue));
    QCOMPARE(image.pixelColor(10, 20), Rgb(clBlack));
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
    QCOMPARE(image.pixelColor(55, 35), QColor(Qt::white));
}

void TestCanvas::floodFillNeedsAnImage()
{
    QPicture picture;
    QPainter painter(&picture);
    QVERIFY(!TCanvas(painter).FloodFill(1, 1, clBlue));
}

void TestCanvas::patternBrush_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("loads");
    QTest::newRow("pattern file") << "pattern.png" << true;
    QTest::newRow("missing file") << "missing.png" << false;
    QTest::newRow("not a picture") << "text.png" << false;
    QTest::newRow("no name") << "" << false;
}

// A pattern fills with the picture; without one the brush's solid colour fills.
void TestCanvas::patternBrush()
{
    QFETCH(QString, file);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    QImage pattern(2, 2, QImage::Format_RGB32);
    pattern.fill(Qt::red);
    pattern.setPixelColor(1, 0, Qt::green);
    QVERIFY(pattern.save(dir.filePath("pattern.png")));
    QFile text(dir.filePath("text.png"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    TBitmap bitmap;
    int changes = 0;
    bitmap.SetOnChange([&] { ++changes; });
    QCOMPARE(bitmap.LoadFromFile(file.isEmpty() ? file : dir.filePath(file)), loads);
    QCOMPARE(changes, loads ? 1 : 0);
    QCOMPARE(bitmap.IsPattern(), loads);

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    TBrush brush;
    brush.SetColor(clYellow);
    canvas.SetNoPen();
    canvas.SetBrush(brush, bitmap);
    canvas.Rectangle(0, 0, 4, 4);
    painter.end();
    QCOMPARE(image.pixelColor(1, 0), loads ? QColor(Qt::green) : Rgb(clYellow));
    QCOMPARE(image.pixelColor(2, 2), loads ? QColor(Qt::red) : Rgb(clYellow));
}

void TestCanvas::stringListNotifiesOnlyOnChange()
{
    TStringList list;
    int changes = 0;
    list.SetOnChange([&] { ++changes; });
    list.Assign({"a", "b"});
    list.Assign({"a", "b"});
    list.SetLine(1, "b");
    list.SetLine(5, "x");
    QCOMPARE(changes, 1);
    list.SetLine(1, "c");
    list.Add("d");
    list.Clear();
    QCOMPARE(changes, 4);
    QCOMPARE(list.Count(), 0);
}

TALMER_TEST(TestCanvas)
#include "TestCanvas.moc"
