#include "Render.h"
#include "TestMain.h"
#include "elements/Separator.h"

#include <QTest>

class TestSeparator : public QObject
{
    Q_OBJECT

private slots:
    void collision_data();
    void collision();
    void painting();
};

void TestSeparator::collision_data()
{
    QTest::addColumn<double>("otherX");
    QTest::addColumn<double>("otherR");
    QTest::addColumn<double>("otherLayer");
    QTest::addColumn<QPointF>("velocity");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("otherAfterX");
    // 200 x 100: one percent across is 2 pixels. This particle at x 30, radius 5, moving (1, 2);
    // the other moving (3, -2).
    QTest::newRow("equal radii: (other - this) * 3/2, pushed apart by (d - s) / 2s")
        << 31.0 << 5.0 << 0.0 << QPointF(1 + 2 * 1.5, 2 - 4 * 1.5) << 26.0 << 35.0;
    QTest::newRow("twice as large: 3^2 / 2")
        << 31.0 << 10.0 << 0.0 << QPointF(1 + 2 * 4.5, 2 - 4 * 4.5) << 23.5 << 37.5;
    QTest::newRow("another layer: no contact")
        << 31.0 << 5.0 << 1.0 << QPointF(1, 2) << 30.0 << 31.0;
    QTest::newRow("just apart: no contact") << 35.5 << 5.0 << 0.0 << QPointF(1, 2) << 30.0 << 35.5;
}

// Without own or water inertia each particle starts the step at its own velocity; SpeedK 0 keeps
// everything but the push apart in place.
void TestSeparator::collision()
{
    QFETCH(double, otherX);
    QFETCH(double, otherR);
    QFETCH(double, otherLayer);
    QFETCH(QPointF, velocity);
    QFETCH(double, x);
    QFETCH(double, otherAfterX);
    TSeparator separator;
    separator.SetGridHeight(100);
    separator.SetBackWallTop(100);
    const TRockBall self {30, 50, 0, 5, TRockBall::Coal, 1, 2, 1, 2};
    const TRockBall other {otherX, 50, otherLayer, otherR, TRockBall::Coal, 3, -2, 3, -2};
    separator.AddBall(&self);
    separator.AddBall(&other);
    separator.NextStep();
    const TRockBall &b = separator.Balls().at(0);
    QCOMPARE(QPointF(b.vx, b.vy), velocity);
    QCOMPARE(b.x, x);
    QCOMPARE(b.y, 50.0);
    QCOMPARE(separator.Balls().at(1).x, otherAfterX);
}

// 200 x 100, bath 80 % wide (160 pixels) with a bottom 80 % of that (xL 16) at 75 %, sloping
// from 65 %; liquid from 30 % down; ten grid bars at 20 %, each 60 % of its 16-pixel pitch.
void TestSeparator::painting()
{
    TSeparator separator;
    separator.SetBathSubH(10);
    separator.SetWaterLevel(30);
    separator.WallPen().SetColor(clRed);
    separator.GridPen().SetColor(clLime);
    separator.SetCoalColor(clMaroon);
    const TRockBall coal {50, 50, 0, 5, TRockBall::Coal, 0, 0, 0, 0};
    separator.AddBall(&coal);
    const QImage image = Render(separator);
    const struct
    {
        QPoint at;
        TColor colour;
    } expected[] = {
        {{100, 25}, clSilver}, // above the liquid
        {{100, 35}, clBlue}, // in the liquid
        {{100, 0}, clRed}, // the line across the top
        {{0, 40}, clRed}, // the left wall
        {{8, 70}, clRed}, // the sloping corner
        {{5, 73}, clBlack}, // outside the bath, below the slope
        {{100, 75}, clRed}, // the bath bottom
        {{160, 50}, clRed}, // the bath's right wall
        {{36, 20}, clLime}, // bar 2: 33 to 40
        {{32, 20}, clSilver}, // between bars
        {{41, 20}, clSilver},  {{197, 50}, clYellow}, // the back wall, from 194 and 10 % down
        {{197, 5}, clSilver},  {{100, 50}, clMaroon}, // the coal
        {{100, 57}, clBlue},
    };
    for (const auto &[at, colour] : expected)
        QVERIFY2(Pixel(image, at.x(), at.y()) == Rgb(colour),
                 qPrintable(QStringLiteral("%1, %2").arg(at.x()).arg(at.y())));
}

TALMER_TEST(TestSeparator)
#include "TestSeparator.moc"
