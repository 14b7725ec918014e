#include "Render.h"
#include "TestMain.h"
#include "elements/Barrel.h"
#include "elements/ConusBox.h"

#include <QTest>
#include <algorithm>

using TProbe = QPair<QPoint, TColor>;
using TProbes = QList<TProbe>;
Q_DECLARE_METATYPE(TProbes)

class TestTanks : public QObject
{
    Q_OBJECT

private slots:
    void conusBox_data();
    void conusBox();
    void barrel_data();
    void barrel();
    void barrelWalls_data();
    void barrelWalls();
};

void TestTanks::conusBox_data()
{
    QTest::addColumn<QSize>("box");
    QTest::addColumn<double>("conusH");
    QTest::addColumn<double>("waterH");
    QTest::addColumn<TProbes>("probes");
    // Empty part red, liquid aqua, outside black, outline (pen) white.
    // 60 x 400, 99 % full: yW = 4, so the empty band is the row between its outline rows 1 and
    // 3, under the open top (rows 0-1); the cone starts at yC = 300.
    QTest::newRow("almost full sump")
        << QSize(60, 400) << 25.0 << 99.0
        << TProbes {{{30, 2}, clRed},    {{30, 3}, clWhite},  {{30, 0}, clBlack}, {{30, 6}, clAqua},
                    {{30, 300}, clAqua}, {{30, 390}, clAqua}, {{3, 395}, clBlack}};
    QTest::newRow("level at cone top")
        << QSize(100, 100) << 40.0 << 40.0
        << TProbes {{{50, 30}, clRed}, {{50, 62}, clAqua}, {{50, 95}, clAqua}, {{5, 95}, clBlack}};
    QTest::newRow("no cone, low level")
        << QSize(100, 100) << 0.0 << 0.0 << TProbes {{{50, 50}, clRed}, {{50, 97}, clRed}};
}

void TestTanks::conusBox()
{
    QFETCH(QSize, box);
    QFETCH(double, conusH);
    QFETCH(double, waterH);
    QFETCH(TProbes, probes);
    TConusBox tank;
    tank.resize(box);
    tank.SetColor(clRed);
    tank.Pen().SetColor(clWhite);
    tank.SetConusH(conusH);
    tank.SetWaterH(waterH);
    const QImage image = Render(tank);
    for (const TProbe &probe : probes)
        QCOMPARE(Pixel(image, probe.first.x(), probe.first.y()), Rgb(probe.second));
    bool anyLiquid = false;
    for (int y = 0; y < image.height() && !anyLiquid; ++y)
        for (int x = 0; x < image.width() && !anyLiquid; ++x)
            anyLiquid = image.pixelColor(x, y) == Rgb(clAqua);
    QCOMPARE(anyLiquid, waterH > 0);
}

void TestTanks::barrel_data()
{
    QTest::addColumn<double>("minLevel");
    QTest::addColumn<double>("maxLevel");
    QTest::addColumn<double>("level");
    QTest::addColumn<bool>("leftToRight");
    QTest::addColumn<int>("bands");
    QTest::newRow("below minimum") << 2.0 << 10.0 << 1.0 << false << 0;
    QTest::newRow("above maximum") << 0.0 << 10.0 << 12.0 << false << 100;
    QTest::newRow("empty range") << 5.0 << 5.0 << 5.0 << false << 0;
    QTest::newRow("a third") << 0.0 << 9.0 << 3.0 << false << 33;
    QTest::newRow("half, left to right") << 0.0 << 10.0 << 5.0 << true << 50;
}

// Band k (1 % each, counted from the bottom or the left) takes trunc(down + k (up - down) / 100)
// per channel; the bands drawn are those whose far edge lies within the filled length.
void TestTanks::barrel()
{
    QFETCH(double, minLevel);
    QFETCH(double, maxLevel);
    QFETCH(double, level);
    QFETCH(bool, leftToRight);
    QFETCH(int, bands);
    TBarrel barrel;
    barrel.resize(leftToRight ? QSize(200, 30) : QSize(30, 200));
    barrel.SetColor(clWhite);
    barrel.SetMinLevel(minLevel);
    barrel.SetMaxLevel(maxLevel);
    barrel.SetWaterLevel(level);
    barrel.SetLeft2RightMode(leftToRight);
    const QImage image = Render(barrel);
    const QColor down = Rgb(barrel.GetDownColor());
    const QColor up = Rgb(barrel.GetUpColor());
    auto bandColour = [&](int k) {
        auto channel = [k](int d, int u) {
            return int(d + k * (u - d) / 100.0);
        };
        return QColor(channel(down.red(), up.red()), channel(down.green(), up.green()),
                      channel(down.blue(), up.blue()));
    };
    // Sample every band (two pixels deep here) on its pixel away from the walls.
    for (int k = 0; k < 100; ++k) {
        const int along = std::min(2 * k + 1, 198);
        const QPoint p = leftToRight ? QPoint(along, 15) : QPoint(15, 199 - along);
        const QColor expected = k < bands ? bandColour(k) : QColor(Qt::white);
        QVERIFY2(Pixel(image, p.x(), p.y()) == expected, qPrintable(QString::number(k)));
    }
}

void TestTanks::barrelWalls_data()
{
    QTest::addColumn<int>("penWidth");
    QTest::newRow("1, the default") << 1;
    QTest::newRow("2") << 2;
    QTest::newRow("3") << 3;
    QTest::newRow("4") << 4;
}

// The open outline sits inside the box whatever the pen: both side walls and the bottom show,
// the top stays open.
void TestTanks::barrelWalls()
{
    QFETCH(int, penWidth);
    TBarrel barrel;
    barrel.resize(30, 60);
    barrel.SetColor(clWhite);
    barrel.SetWaterLevel(barrel.GetMinLevel());
    barrel.Pen().SetColor(clRed);
    barrel.Pen().SetWidth(penWidth);
    const QImage image = Render(barrel);
    const QColor wall = Rgb(clRed);
    QCOMPARE(Pixel(image, 0, 30), wall);
    QCOMPARE(Pixel(image, 29, 30), wall);
    QCOMPARE(Pixel(image, 15, 59), wall);
    QCOMPARE(Pixel(image, 15, 0), QColor(Qt::white));
    QCOMPARE(Pixel(image, 15, 30), QColor(Qt::white));
}

TALMER_TEST(TestTanks)
#include "TestTanks.moc"
