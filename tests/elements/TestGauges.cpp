#include "RecordingFeedback.h"
#include "Render.h"
#include "TestMain.h"
#include "base/IniFile.h"
#include "elements/DensMeter.h"
#include "elements/TermoScale.h"
#include "elements/WaterMEO.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

using TInts = QList<int>;
using TValues = QList<double>;

class TestGauges : public QObject
{
    Q_OBJECT

private slots:
    void positionGaugeTicks_data();
    void positionGaugeTicks();
    void positionGaugeTickReach_data();
    void positionGaugeTickReach();
    void positionGaugeFill_data();
    void positionGaugeFill();
    void densityCells_data();
    void densityCells();
    void scaleLines_data();
    void scaleLines();
    void keysInOrder_data();
    void keysInOrder();
    void densityMeterRoundTrip();
};

// Every pixel from a to b, inclusive.
static TInts Span(int a, int b)
{
    TInts pixels;
    for (int at = a; at <= b; ++at)
        pixels.append(at);
    return pixels;
}

void TestGauges::positionGaugeTicks_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<TInts>("ticks");
    QTest::newRow("defaults on 80 pixels: nine ticks")
        << false << 80 << 0.0 << 100.0 << 10.0 << TInts {8, 16, 24, 32, 40, 48, 56, 64, 72};
    QTest::newRow("vertical on 40 pixels")
        << true << 40 << 0.0 << 100.0 << 25.0 << TInts {10, 20, 30};
    QTest::newRow("Max = Min: none") << false << 80 << 50.0 << 50.0 << 10.0 << TInts {};
    QTest::newRow("zero step: none") << false << 80 << 0.0 << 100.0 << 0.0 << TInts {};
    QTest::newRow("negative step: none") << false << 80 << 0.0 << 100.0 << -5.0 << TInts {};
    QTest::newRow("a pixel apart: each its own")
        << false << 80 << 0.0 << 80.0 << 1.0 << Span(1, 79);
    QTest::newRow("step 1 on the 70-pixel gauge: every pixel")
        << false << 70 << 0.0 << 100.0 << 1.0 << Span(0, 69);
    QTest::newRow("far finer than a pixel: every pixel")
        << false << 80 << 0.0 << 100.0 << 1e-9 << Span(0, 79);
    QTest::newRow("finer, vertical") << true << 40 << -50.0 << 50.0 << 0.5 << Span(0, 39);
}

void TestGauges::positionGaugeTicks()
{
    QFETCH(bool, vertical);
    QFETCH(int, length);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    QFETCH(TInts, ticks);
    TWaterMEO gauge;
    gauge.resize(vertical ? 80 : length, vertical ? length : 40);
    gauge.SetVerticalFlag(vertical);
    gauge.SetMin(min);
    gauge.SetMax(max);
    gauge.SetScaleStep(step);
    gauge.SetPosition(min - (max - min)); // arrow off the strip
    gauge.ScalePen().SetColor(clRed);
    gauge.WaterBrush().SetColor(clAqua);
    QCOMPARE(gauge.TickPixels(), ticks);
    // Each tick crosses the scale side of the strip; next to it there is none.
    const QImage image = Render(gauge);
    const int across = vertical ? gauge.width() : gauge.height();
    auto at = [&](int along) {
        const QPoint p = vertical ? QPoint(across - 5, along) : QPoint(along, across - 5);
        return Pixel(image, p.x(), p.y());
    };
    for (const int tick : ticks) {
        QCOMPARE(at(tick), Rgb(clRed));
        if (!ticks.contains(tick + 2))
            QVERIFY(at(tick + 2) != Rgb(clRed));
    }
}

void TestGauges::positionGaugeTickReach_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("invert");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // 80 x 40, ScaleH 20, a tick at 16 along the strip; first and last pixel across it.
    QTest::newRow("horizontal: from the bottom edge, ScaleH - 1 long")
        << false << false << 1 << 39 << 21;
    QTest::newRow("horizontal, inverted") << false << true << 1 << 1 << 19;
    QTest::newRow("vertical: from the right edge") << true << false << 1 << 79 << 60;
    QTest::newRow("vertical, inverted") << true << true << 1 << 1 << 19;
    // A wide pen's round cap reaches a pixel past the end: 80 - 3 - 20 = 57, the cap 56.
    QTest::newRow("vertical, wide pen: ScaleH from where it starts")
        << true << false << 3 << 77 << 56;
}

void TestGauges::positionGaugeTickReach()
{
    QFETCH(bool, vertical);
    QFETCH(bool, invert);
    QFETCH(int, penWidth);
    QFETCH(int, first);
    QFETCH(int, last);
    TWaterMEO gauge;
    gauge.SetVerticalFlag(vertical);
    gauge.SetInvertScale(invert);
    gauge.SetScaleStep(vertical ? 40 : 20);
    gauge.SetPosition(-100);
    gauge.ScalePen().SetColor(clRed);
    gauge.ScalePen().SetWidth(penWidth);
    const QImage image = Render(gauge);
    auto at = [&](int across) {
        return vertical ? Pixel(image, across, 16) : Pixel(image, 16, across);
    };
    const int inward = first < last ? 1 : -1;
    for (int across = first; across != last + inward; across += inward)
        QVERIFY2(at(across) == Rgb(clRed), qPrintable(QString::number(across)));
    QVERIFY(at(last + inward) != Rgb(clRed));
}

void TestGauges::positionGaugeFill_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("edgeAngle");
    QTest::addColumn<double>("meoLength");
    QTest::newRow("20 of 100 on 80 pixels") << 20.0 << 60 << 16.0;
    QTest::newRow("below Min: negative, nothing filled") << -10.0 << 60 << -8.0;
    QTest::newRow("at Max: all filled") << 100.0 << 60 << 80.0;
    QTest::newRow("a sentinel reading: all filled") << 1e12 << 60 << 8e11;
    QTest::newRow("a sentinel below: nothing filled") << -1e12 << 60 << -8e11;
    QTest::newRow("upright head") << 20.0 << 90 << 16.0;
    QTest::newRow("a sentinel under an upright head") << 1e12 << 90 << 8e11;
}

void TestGauges::positionGaugeFill()
{
    QFETCH(double, position);
    QFETCH(int, edgeAngle);
    QFETCH(double, meoLength);
    TWaterMEO gauge;
    gauge.SetPosition(position);
    gauge.SetEdgeAngle(edgeAngle);
    gauge.WaterBrush().SetColor(clAqua);
    gauge.Brush().SetColor(clWhite);
    QCOMPARE(gauge.GetMeoLength(), meoLength);
    const QImage image = Render(gauge);
    QCOMPARE(Pixel(image, 3, 10) == Rgb(clAqua), meoLength > 3);
    QCOMPARE(Pixel(image, 77, 10) == Rgb(clAqua), meoLength > 77);
    QCOMPARE(Pixel(image, 77, 10) == Rgb(clWhite), meoLength <= 77);
    // The arrow's shaft stands at the position when it lies on the strip; a head of 60 degrees
    // stays near it, an upright one spreads along the whole strip.
    const QColor arrow = Rgb(gauge.GetArrowColor());
    if (meoLength >= 0 && meoLength < 80)
        QCOMPARE(Pixel(image, int(meoLength), 15), arrow);
    if (meoLength == 16) {
        QCOMPARE(Pixel(image, 16 + 44, 37) == arrow, edgeAngle == 90);
        QCOMPARE(Pixel(image, 2, 37) == arrow, edgeAngle == 90);
    }
}

void TestGauges::densityCells_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("filledTo");
    // 120 wide, margins 10: bar 10..110, four cells of 25 pixels.
    QTest::newRow("inside cell 2: cells 0, 1 full, cell 2 to the value")
        << 0.0 << 200.0 << 125.0 << 72;
    QTest::newRow("at the right end: all") << 0.0 << 200.0 << 200.0 << 110;
    QTest::newRow("beyond the right end: all") << 0.0 << 200.0 << 500.0 << 110;
    QTest::newRow("Max = Min: none") << 100.0 << 100.0 << 150.0 << 10;
    QTest::newRow("zero: none") << 0.0 << 200.0 << 0.0 << 10;
    QTest::newRow("counted from a minimum") << 1000.0 << 2000.0 << 1500.0 << 60;
}

void TestGauges::densityCells()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QFETCH(int, filledTo);
    TDensMeter meter;
    meter.resize(120, 80);
    meter.SetColor(clWhite);
    meter.SetTermoBackColor(clBlack);
    meter.TermoPen().SetColor(clBlue);
    const TColor cells[] = {clLime, clYellow, clFuchsia, clRed};
    meter.SetStrCellColors({"0x0000FF00", "65535", "0x00FF00FF", "0x000000FF"});
    meter.SetOutMin(min);
    meter.SetOutMax(max);
    meter.SetOutValue(value);
    meter.SetOutTop(45);
    const QImage image = Render(meter);
    const int mid = 25; // bar rows 20..29
    for (int x = 12; x < 108; ++x) {
        if (x % 25 == 10 || x == filledTo)
            continue; // cell ticks, the value's edge
        const QColor expected = x < filledTo ? Rgb(cells[(x - 10) / 25]) : Rgb(clBlack);
        QVERIFY2(Pixel(image, x, mid) == expected, qPrintable(QString::number(x)));
    }
    // Neighbouring cells share their tick, which reaches 4 pixels below the bar.
    for (const int x : {10, 35, 60, 85, 110}) {
        QCOMPARE(Pixel(image, x, 33), Rgb(clBlue));
        QCOMPARE(Pixel(image, x, 34), Rgb(clWhite));
    }
    QCOMPARE(Pixel(image, 36, 33), Rgb(clWhite));
}

void TestGauges::scaleLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<TInts>("rows");
    // 50 x 100, label boxes 10 high: divisions from row 5 to row 95.
    QTest::newRow("no lines: background only") << QStringList {} << TInts {};
    QTest::newRow("one line: background only") << QStringList {"0"} << TInts {};
    QTest::newRow("two lines: top and bottom") << QStringList {"0", "1"} << TInts {5, 95};
    QTest::newRow("three lines") << QStringList {"0", "1", "2"} << TInts {5, 50, 95};
}

void TestGauges::scaleLines()
{
    QFETCH(QStringList, lines);
    QFETCH(TInts, rows);
    TTermoScale scale;
    scale.SetLines(lines);
    scale.Brush().SetColor(clBlack);
    scale.WPen().SetColor(clRed);
    scale.SPen().SetColor(clLime);
    scale.VPen().SetColor(clBlue);
    scale.TextBrush().SetColor(clYellow);
    scale.TextPen().SetColor(clYellow);
    QCOMPARE(scale.DivisionRows(), rows);
    const QImage image = Render(scale);
    if (rows.isEmpty()) {
        QCOMPARE(BoundsOfOther(image, Rgb(clBlack), image.rect()), QRect());
        return;
    }
    for (const int y : rows)
        QCOMPARE(Pixel(image, 2, y), Rgb(clRed));
    // One short tick midway between neighbouring divisions, 30 pixels wide around the axis.
    for (int i = 0; i + 1 < rows.size(); ++i) {
        const int y = (rows[i] + rows[i + 1]) / 2;
        QCOMPARE(Pixel(image, 12, y), Rgb(clLime));
        QCOMPARE(Pixel(image, 8, y), Rgb(clBlack));
    }
    QCOMPARE(Pixel(image, 25, (rows[0] + rows[1]) / 2 + 3), Rgb(clBlue));
    // The label boxes sit centred on the divisions.
    QCOMPARE(Pixel(image, 16, rows.last()), Rgb(clYellow));
}

void TestGauges::keysInOrder_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("keys");
    auto pen = [](const QString &p) {
        return QStringList {p + "Width", p + "Color", p + "Style"};
    };
    auto font = [](const QString &p) {
        return QStringList {p + "Size", p + "Color", p + "Name"};
    };
    QTest::newRow("TTermoScale") << "TTermoScale"
                                 << pen("TextPen") + pen("SPen") + pen("VPen") + pen("WPen")
            + QStringList {"BrushColor", "TextBrushColor"} + font("Font");
    QStringList cells {"StrCellColorsCount"};
    for (int i = 0; i < 10; ++i)
        cells << QString("StrCellColorsL%1").arg(i);
    QTest::newRow("TDensMeter") << "TDensMeter"
                                << QStringList {"TermoTop",       "TermoHeight",    "TermoXSpace",
                                                "OutTop",         "TermoCellCount", "CellCount",
                                                "TermoBackColor", "OutXSpace",      "OutHeight",
                                                "OutMin",         "OutMax",         "OutValue",
                                                "OutFormat"}
            + pen("TermoPen") + pen("Pen") + font("OutFont") + cells;
}

void TestGauges::keysInOrder()
{
    QFETCH(QString, className);
    QFETCH(QStringList, keys);
    QTemporaryDir dir;
    std::unique_ptr<TElement> element(
        className == "TTermoScale" ? static_cast<TElement *>(new TTermoScale) : new TDensMeter);
    element->setObjectName("Gauge1");
    element->SetConfigName(dir.filePath("Colors.INI"));
    QVERIFY(element->SaveConfig());
    QCOMPARE(TIniFile(element->GetConfigName()).ReadSection("Gauge1"), keys);
}

void TestGauges::densityMeterRoundTrip()
{
    QTemporaryDir dir;
    TDensMeter saved;
    saved.setObjectName("DensMeter1");
    saved.SetConfigName(dir.filePath("Colors.INI"));
    saved.SetCellCount(3);
    saved.SetOutMax(1800.5);
    saved.SetOutFormat("###0 кг/м3");
    saved.SetStrCellColors({"0x00123456", "255"});
    saved.TermoPen().SetWidth(2);
    QVERIFY(saved.SaveConfig());

    TDensMeter loaded;
    loaded.SetConfigName(saved.GetConfigName());
    Render(loaded);
    QVERIFY(loaded.LoadConfig("DensMeter1"));
    QVERIFY(loaded.IsDirty());
    QCOMPARE(loaded.GetCellCount(), 3);
    QCOMPARE(loaded.GetOutMax(), 1800.5);
    QCOMPARE(loaded.GetOutFormat(), QStringLiteral("###0 кг/м3"));
    QCOMPARE(loaded.GetTermoPen().Width(), 2);
    QCOMPARE(loaded.CellColor(0), TColor(0x123456));
    QCOMPARE(loaded.CellColor(1), TColor(255));
    QCOMPARE(loaded.CellColor(2), TColor(0));
}

TALMER_TEST(TestGauges)
#include "TestGauges.moc"
