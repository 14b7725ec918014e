#include "RecordingFeedback.h"
#include "Render.h"
#include "TestMain.h"
#include "elements/Flake.h"
#include "elements/GFlake.h"

#include <QTemporaryDir>
#include <QTest>

using TOutline = QList<QPointF>;
Q_DECLARE_METATYPE(TOutline)

class TestTankProfiles : public QObject
{
    Q_OBJECT

private slots:
    void flakeLiquid_data();
    void flakeLiquid();
    void gFlakeLiquid_data();
    void gFlakeLiquid();
    void levelClampsToTheEdges_data();
    void levelClampsToTheEdges();
    void flipMirrorsBodyAndLiquid();
    void patternFile_data();
    void patternFile();
};

void TestTankProfiles::flakeLiquid_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<TOutline>("outline");
    // BottomWidth 50, X2 70, Y2 90.
    QTest::newRow("level 45 meets the slope at 60 %")
        << 45.0 << TOutline {{0, 0}, {0, 45}, {60, 45}, {50, 0}};
    QTest::newRow("level at the step follows the slope")
        << 90.0 << TOutline {{0, 0}, {0, 90}, {70, 90}, {50, 0}};
    QTest::newRow("above the step fills to the right wall")
        << 95.0 << TOutline {{0, 0}, {0, 95}, {100, 95}, {100, 90}, {70, 90}, {50, 0}};
}

void TestTankProfiles::flakeLiquid()
{
    QFETCH(double, level);
    QFETCH(TOutline, outline);
    TFlake tank;
    tank.SetWaterLevel(level);
    QCOMPARE(tank.LiquidOutline(), outline);
    // 100 x 100: percent y is row 100 - y. Liquid just below the level at the left, the empty
    // tank just above it.
    tank.WaterBrush().SetColor(clAqua);
    const QImage image = Render(tank);
    QCOMPARE(Pixel(image, 20, int(100 - level + 2)), Rgb(clAqua));
    if (level < 95)
        QCOMPARE(Pixel(image, 20, int(100 - level - 2)), Rgb(clBlack));
}

void TestTankProfiles::gFlakeLiquid_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<TOutline>("outline");
    QTest::newRow("below the step: full width")
        << 30.0 << TOutline {{0, 30}, {100, 30}, {100, 0}, {0, 0}};
    QTest::newRow("exactly at the step: six points, upper part of no height")
        << 50.0 << TOutline {{0, 0}, {0, 50}, {50, 50}, {50, 50}, {100, 50}, {100, 0}};
    QTest::newRow("above the step: the right part")
        << 80.0 << TOutline {{0, 0}, {0, 50}, {50, 50}, {50, 80}, {100, 80}, {100, 0}};
}

void TestTankProfiles::gFlakeLiquid()
{
    QFETCH(double, level);
    QFETCH(TOutline, outline);
    TGFlake vessel;
    vessel.SetWaterLevel(level);
    QCOMPARE(vessel.LiquidOutline(), outline);
    const QImage image = Render(vessel);
    const QColor water = Rgb(vessel.GetWaterBrush().Color());
    // Right part just above the step: liquid only when the level is above it.
    QCOMPARE(Pixel(image, 75, 47) == water, level > 53);
    QCOMPARE(Pixel(image, 25, 70) == water, level > 30);
}

void TestTankProfiles::levelClampsToTheEdges_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<bool>("liquidAtTop");
    QTest::addColumn<bool>("liquidAtBottom");
    QTest::newRow("100 reaches the top") << 100.0 << true << true;
    QTest::newRow("150 stays at the top") << 150.0 << true << true;
    QTest::newRow("0 lies on the bottom line") << 0.0 << false << false;
    QTest::newRow("negative lies on the bottom line") << -20.0 << false << false;
}

// sy clamps to 0 at the top; the bottom (and anything below) lies at Height - pen width.
void TestTankProfiles::levelClampsToTheEdges()
{
    QFETCH(double, level);
    QFETCH(bool, liquidAtTop);
    QFETCH(bool, liquidAtBottom);
    TGFlake vessel;
    vessel.resize(100, 100);
    vessel.Pen().SetWidth(3);
    vessel.SetWaterLevel(level);
    vessel.SetGY(0);
    const QImage image = Render(vessel);
    const QColor water = Rgb(vessel.GetWaterBrush().Color());
    QCOMPARE(Pixel(image, 70, 3) == water, liquidAtTop);
    QCOMPARE(Pixel(image, 70, 94) == water, liquidAtBottom);
    // Nothing is drawn below the clamped bottom line.
    QVERIFY(Pixel(image, 70, 99) != water);
}

void TestTankProfiles::flipMirrorsBodyAndLiquid()
{
    TFlake plain;
    TFlake flipped;
    flipped.SetXFlip(true);
    for (TFlake *tank : {&plain, &flipped}) {
        tank->resize(100, 100);
        tank->SetWaterLevel(45);
        tank->WaterBrush().SetColor(clAqua);
    }
    const QImage a = Render(plain);
    const QImage b = Render(flipped);
    for (const QPoint p : {QPoint(20, 70), QPoint(57, 60), QPoint(65, 60), QPoint(85, 40),
                           QPoint(85, 5), QPoint(30, 30)})
        QCOMPARE(Pixel(b, 100 - p.x(), p.y()), Pixel(a, p.x(), p.y()));
}

void TestTankProfiles::patternFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("patterned");
    QTest::addColumn<int>("beeps");
    QTest::newRow("readable pattern") << "water.png" << true << 0;
    QTest::newRow("missing file beeps once, liquid stays solid") << "none.png" << false << 1;
}

void TestTankProfiles::patternFile()
{
    QFETCH(QString, file);
    QFETCH(bool, patterned);
    QFETCH(int, beeps);
    QTemporaryDir dir;
    QImage pattern(2, 2, QImage::Format_RGB32);
    pattern.fill(Qt::magenta);
    QVERIFY(pattern.save(dir.filePath("water.png")));
    RecordingFeedback feedback;
    TFlake tank;
    tank.SetWaterLevel(50);
    tank.WaterBrush().SetColor(clAqua);
    tank.SetWaterBrushFile(dir.filePath(file));
    Render(tank);
    tank.StyleChanged();
    const QImage image = Render(tank);
    QCOMPARE(feedback.beeps, beeps);
    QCOMPARE(Pixel(image, 20, 70), patterned ? QColor(Qt::magenta) : Rgb(clAqua));
    // Clearing the name brings the solid liquid back.
    tank.SetWaterBrushFile(QString());
    tank.StyleChanged();
    QCOMPARE(Pixel(Render(tank), 20, 70), Rgb(clAqua));
}

TALMER_TEST(TestTankProfiles)
#include "TestTankProfiles.moc"
