#include "RecordingFeedback.h"
#include "Render.h"
#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "base/FormDesign.h"
#include "base/Random.h"
#include "elements/AniTrans.h"
#include "elements/BladeWheel.h"
#include "elements/ColumnMixer.h"
#include "elements/EBM.h"
#include "elements/ElementLibrary.h"
#include "elements/Fan.h"
#include "elements/Mixer.h"
#include "elements/Separator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

using TBalls = QList<TRockBall>;
Q_DECLARE_METATYPE(TBalls)
using TRows = QList<double>;

class TestMachines : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterElementLibrary(); }
    void designFileSetsTheirProperties();
    void faultyStatorReportedOnce();
    void drumBlades_data();
    void drumBlades();
    void mixerParticleLeaves_data();
    void mixerParticleLeaves();
    void mixerStepsEachParticleOnce();
    void mixerWallBounce_data();
    void mixerWallBounce();
    void mixerFunnelReflects();
    void mixerDeleteBall_data();
    void mixerDeleteBall();
    void mixerLongRunStaysBounded();
    void mixerDrawsLiquidAndParticles_data();
    void mixerDrawsLiquidAndParticles();
    void bladeWheelRows_data();
    void bladeWheelRows();
    void agitatorFillsBelowSurface_data();
    void agitatorFillsBelowSurface();
    void fanBlades_data();
    void fanBlades();
    void hugeCountsDrawBounded_data();
    void hugeCountsDrawBounded();
    void averageVal_data();
    void averageVal();
    void separatorGridBounce_data();
    void separatorGridBounce();
    void separatorTopEdge_data();
    void separatorTopEdge();
    void separatorChainKeepsEveryParticle_data();
    void separatorChainKeepsEveryParticle();
};

// The diagram's design file gives a drum's outline as a list, a conveyor's coal picture as a
// file name and a separator's successor by name.
void TestMachines::designFileSetsTheirProperties()
{
    QTemporaryDir dir;
    QImage coal(3, 3, QImage::Format_RGB32);
    coal.fill(Qt::darkGray);
    QVERIFY(coal.save(dir.filePath("coal.png")));
    const QString path = dir.filePath("form.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({ "components": [
      { "class": "TEBM", "name": "EBM1", "geometry": [0, 0, 110, 125],
        "properties": { "StatorPoints": ["0; 0", "100; 0", "50; 100"], "BladeCount": 8,
                        "RotorBrush": { "Color": 65280 } } },
      { "class": "TAniTrans", "name": "AniTrans_2", "geometry": [0, 0, 100, 100],
        "properties": { "CoalBitmap": "%1", "ShowCoal": true } },
      { "class": "TSeparator", "name": "Separator1", "geometry": [0, 0, 100, 50],
        "properties": { "NextSeparator": "Separator2" } },
      { "class": "TSeparator", "name": "Separator2", "geometry": [0, 0, 100, 50] } ] })")
                   .arg(dir.filePath("coal.png"))
                   .toUtf8());
    file.close();
    QWidget form;
    const QList<QWidget *> built = LoadFormDesign(&form, path);
    QCOMPARE(built.size(), 4);
    auto *drum = qobject_cast<TEBM *>(built[0]);
    QCOMPARE(drum->Stator().Count(), 3);
    QCOMPARE(drum->GetRotorBrush().Color(), clLime);
    auto *belt = qobject_cast<TAniTrans *>(built[1]);
    QVERIFY(belt->GetCoalBitmap().IsPattern());
    QCOMPARE(belt->GetCoalBitmap().Image().pixelColor(1, 1), QColor(Qt::darkGray));
    QCOMPARE(qobject_cast<TSeparator *>(built[2])->GetNextSeparator(), built[3]);
}

// Only a new outline is parsed: a faulty one shows its message once, not on every turn.
void TestMachines::faultyStatorReportedOnce()
{
    RecordingFeedback feedback;
    TEBM drum;
    drum.SetStatorPoints({"0; 0", "x; 5", "10; 10"});
    QCOMPARE(feedback.messages.size(), 1);
    for (int angle = 0; angle < 10; ++angle)
        drum.SetBladeAngle(angle);
    drum.SetXFlip(true);
    QCOMPARE(feedback.messages.size(), 2);
    QCOMPARE(drum.Stator().Count(), 13);
}

void TestMachines::drumBlades_data()
{
    QTest::addColumn<int>("bladeAngle");
    QTest::addColumn<QPointF>("firstDirection");
    QTest::newRow("angle 0 points right") << 0 << QPointF(1, 0);
    // Screen y grows with the sine: a growing angle turns clockwise on screen.
    QTest::newRow("angle 90 points down") << 90 << QPointF(0, 1);
    QTest::newRow("angle 359 just above right") << 359 << QPointF(1, 0);
}

// 8 blades, hub 5 %, rotor 25 % of the smaller side of 110 x 125: from 5.5 to 27.5 pixels.
void TestMachines::drumBlades()
{
    QFETCH(int, bladeAngle);
    QFETCH(QPointF, firstDirection);
    TEBM drum;
    drum.resize(110, 125);
    drum.SetBladeCount(8);
    drum.SetIntR(5);
    drum.SetRotorR(25);
    drum.SetBladeAngle(bladeAngle);
    drum.SetStatorPoints({});
    const QPointF c = drum.RotorCentre();
    QCOMPARE(c, QPointF(66, 50));
    for (int k = 0; k < 8; ++k) {
        const QLineF blade = drum.Blade(k);
        QCOMPARE(QLineF(c, blade.p1()).length(), 5.5);
        QCOMPARE(QLineF(c, blade.p2()).length(), 27.5);
    }
    const QPointF tip = drum.Blade(0).p2() - c;
    QVERIFY(QLineF(QPointF(), tip / 27.5).length() > 0.99);
    QVERIFY(std::abs(tip.x() / 27.5 - firstDirection.x()) < 0.02);
    QVERIFY(std::abs(tip.y() / 27.5 - firstDirection.y()) < 0.02);

    // The blade shows in the rotor pen over the rotor's fill.
    drum.RotorPen().SetColor(clRed);
    drum.RotorBrush().SetColor(clYellow);
    const QImage image = Render(drum);
    const QPointF mid = drum.Blade(0).pointAt(0.5);
    QCOMPARE(Pixel(image, int(mid.x()), int(mid.y())), Rgb(clRed));
    const QPointF between = c
        + QPointF(std::cos(M_PI / 8 + bladeAngle * M_PI / 180),
                  std::sin(M_PI / 8 + bladeAngle * M_PI / 180))
            * 16;
    QCOMPARE(Pixel(image, int(between.x()), int(between.y())), Rgb(clYellow));
}

void TestMachines::mixerParticleLeaves_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("vy");
    QTest::addColumn<bool>("stays");
    // SpeedK 1, liquid acceleration -1, radius 4, ConusTop 30: after the step y' = y + vy - 1.
    QTest::newRow("lower edge exactly at ConusTop stays") << 35.0 << 0.0 << true;
    QTest::newRow("lower edge just below leaves") << 34.5 << 0.0 << false;
    QTest::newRow("fast particle from high up leaves") << 60.0 << -30.0 << false;
    QTest::newRow("rising particle stays") << 33.0 << 3.0 << true;
}

void TestMachines::mixerParticleLeaves()
{
    QFETCH(double, y);
    QFETCH(double, vy);
    QFETCH(bool, stays);
    TColumnMixer mixer;
    mixer.SetSpeedK(1);
    const TRockBall ball {40, y, 0, 4, TRockBall::Coal, 0, vy};
    QVERIFY(mixer.AddBall(&ball));
    QVERIFY(!mixer.AddBall(nullptr));
    QVERIFY(mixer.NextStep());
    QCOMPARE(mixer.Balls().size(), stays ? 1 : 0);
}

// The middle particle leaves; the ones before and after it move exactly one step each.
void TestMachines::mixerStepsEachParticleOnce()
{
    TColumnMixer mixer;
    mixer.SetSpeedK(1);
    const TRockBall stay {40, 50, 0, 2, TRockBall::Coal, 0, 0};
    const TRockBall leave {40, 32, 0, 2, TRockBall::Rock, 0, 0};
    for (const TRockBall *b : {&stay, &leave, &leave, &stay})
        mixer.AddBall(b);
    mixer.NextStep();
    QCOMPARE(mixer.Balls().size(), 2);
    for (const TRockBall &b : mixer.Balls()) {
        QCOMPARE(b.y, 49.0);
        QCOMPARE(b.vy, -0.7);
    }
}

void TestMachines::mixerWallBounce_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("vx");
    QTest::addColumn<double>("expectedX");
    QTest::addColumn<double>("expectedVx");
    // Column from 20 to 60, radius 3, SpeedK 1, WaterSpeedK 0.7.
    QTest::newRow("left wall") << 24.0 << -2.0 << 24.0 << 1.4;
    QTest::newRow("right wall") << 55.0 << 3.0 << 56.0 << -2.1;
    QTest::newRow("clear of both walls") << 40.0 << 2.0 << 42.0 << 1.4;
}

void TestMachines::mixerWallBounce()
{
    QFETCH(double, x);
    QFETCH(double, vx);
    QFETCH(double, expectedX);
    QFETCH(double, expectedVx);
    TColumnMixer mixer;
    mixer.SetSpeedK(1);
    mixer.SetWaterVY(0);
    const TRockBall ball {x, 50, 0, 3, TRockBall::Coal, vx, 0};
    mixer.AddBall(&ball);
    mixer.NextStep();
    QCOMPARE(mixer.Balls().first().x, expectedX);
    QVERIFY(std::abs(mixer.Balls().first().vx - expectedVx) < 1e-12);
}

// A particle overlapping the funnel wall leaves it along the wall's normal at its own speed and
// ends exactly one radius away.
void TestMachines::mixerFunnelReflects()
{
    TColumnMixer mixer;
    mixer.SetSpeedK(0);
    mixer.SetAirVY(0);
    // The wall runs from (60, 80) to (100, 100); its inward normal points up and to the left.
    const QPointF along = QPointF(40, 20) / std::hypot(40, 20);
    const QPointF normal(-along.y(), along.x());
    const QPointF foot = QPointF(60, 80) + along * 20;
    const QPointF p = foot + normal * 1.5;
    const TRockBall ball {p.x(), p.y(), 0, 4, TRockBall::Coal, 3, -4};
    mixer.AddBall(&ball);
    mixer.NextStep();
    const TRockBall &b = mixer.Balls().first();
    const QPointF moved(b.x, b.y);
    QVERIFY(std::abs(QLineF(foot, moved).length() - 4) < 1e-9);
    QVERIFY(std::abs(std::hypot(b.vx, b.vy) - 5) < 1e-9);
    QVERIFY(std::abs(b.vx * along.x() + b.vy * along.y()) < 1e-9);
    QVERIFY(b.vx * normal.x() + b.vy * normal.y() > 0);
}

void TestMachines::mixerDeleteBall_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("minus one") << -1 << false;
    QTest::newRow("past the end") << 3 << false;
    QTest::newRow("last") << 2 << true;
    QTest::newRow("first") << 0 << true;
}

void TestMachines::mixerDeleteBall()
{
    QFETCH(int, index);
    QFETCH(bool, deleted);
    TColumnMixer mixer;
    for (int i = 0; i < 3; ++i) {
        const TRockBall b {double(30 + i), 50, 0, 1, TRockBall::Coal, 0, 0};
        mixer.AddBall(&b);
    }
    const TRockBalls before = mixer.Balls();
    QCOMPARE(mixer.DeleteBall(index), deleted);
    QCOMPARE(mixer.Balls().size(), deleted ? 2 : 3);
    if (!deleted)
        for (int i = 0; i < 3; ++i)
            QCOMPARE(mixer.Balls()[i].x, before[i].x);
    else
        QVERIFY(std::none_of(mixer.Balls().begin(), mixer.Balls().end(),
                             [&](const TRockBall &b) { return b.x == before[index].x; }));
}

// Fed as the diagram feeds it, a particle every six steps, the column never fills up and every
// coordinate stays finite.
void TestMachines::mixerLongRunStaysBounded()
{
    SeedRandom(11);
    TColumnMixer mixer;
    mixer.SetSpeedK(0.25);
    mixer.SetWaterLevel(80);
    qsizetype most = 0;
    for (int step = 0; step < 100000; ++step) {
        mixer.NextStep();
        if (step % 6 == 3) {
            const double r = RandomNormal(4, 0.2);
            const TRockBall b {100 - 3 * r,
                               100 - r - 2,
                               0,
                               r,
                               RandomNormal(0, 1) <= 0 ? TRockBall::Rock : TRockBall::Coal,
                               RandomNormal(-6, 1.5),
                               RandomNormal(-2, 0.3)};
            mixer.AddBall(&b);
        }
        most = std::max(most, mixer.Balls().size());
    }
    QVERIFY2(most < 60, qPrintable(QString::number(most)));
    for (const TRockBall &b : mixer.Balls())
        QVERIFY(std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.vx)
                && std::isfinite(b.vy));
}

void TestMachines::mixerDrawsLiquidAndParticles_data()
{
    QTest::addColumn<bool>("xFlip");
    QTest::addColumn<double>("level");
    QTest::addColumn<QPointF>("wet");
    QTest::addColumn<QPointF>("dry");
    // Points in percent; the column spans x 20..60, the neck 35..45.
    QTest::newRow("half full") << false << 45.0 << QPointF(50, 43) << QPointF(50, 47);
    QTest::newRow("half full, flipped") << true << 45.0 << QPointF(50, 43) << QPointF(50, 47);
    QTest::newRow("in the cone") << false << 20.0 << QPointF(40, 18) << QPointF(40, 22);
    QTest::newRow("in the neck") << false << 8.0 << QPointF(40, 6) << QPointF(40, 12);
    QTest::newRow("above the funnel bottom") << false << 70.0 << QPointF(10, 68) << QPointF(50, 72);
    QTest::newRow("empty below one percent") << false << 0.5 << QPointF() << QPointF(40, 1);
}

// 100 x 200 box: percent y maps to row 200 - 2y, x to column x (mirrored: 100 - x).
void TestMachines::mixerDrawsLiquidAndParticles()
{
    QFETCH(bool, xFlip);
    QFETCH(double, level);
    QFETCH(QPointF, wet);
    QFETCH(QPointF, dry);
    TColumnMixer mixer;
    mixer.resize(100, 200);
    mixer.SetXFlip(xFlip);
    mixer.SetWaterLevel(level);
    mixer.BackBrush().SetColor(clGray);
    mixer.WaterBrush().SetColor(clTeal);
    const TRockBall coal {30, 40, 0, 3, TRockBall::Coal, 0, 0};
    mixer.AddBall(&coal);
    const QImage image = Render(mixer);
    auto at = [&](const QPointF &p) {
        return Pixel(image, xFlip ? 100 - int(p.x()) : int(p.x()), int(200 - 2 * p.y()));
    };
    if (!wet.isNull())
        QCOMPARE(at(wet), Rgb(clTeal));
    QCOMPARE(at(dry), Rgb(clGray));
    QCOMPARE(at(QPointF(30, 40)), Rgb(clBlack));
    QCOMPARE(at(QPointF(90, 40)), Rgb(mixer.GetColor()));
}

void TestMachines::bladeWheelRows_data()
{
    QTest::addColumn<bool>("circle");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<TRows>("rows");
    // Height 80, 4 blades (8 lines).
    QTest::newRow("belt, Alpha 0: first line on the bottom edge")
        << false << 0.0 << TRows {80, 60, 40, 20, 0};
    QTest::newRow("belt, Alpha 90") << false << 90.0 << TRows {60, 40, 20, 0};
    QTest::newRow("belt, Alpha 450 as 90") << false << 450.0 << TRows {60, 40, 20, 0};
    // Front half only: of the lines at 15, 60, 105, ... 330 degrees those facing the viewer.
    auto row = [](double degrees) {
        return 40 - 40 * std::sin(degrees * M_PI / 180);
    };
    QTest::newRow("drum, Alpha 15") << true << 15.0 << TRows {row(15), row(60), row(285), row(330)};
}

void TestMachines::bladeWheelRows()
{
    QFETCH(bool, circle);
    QFETCH(double, alpha);
    QFETCH(TRows, rows);
    TBladeWheel wheel;
    wheel.resize(30, 80);
    wheel.SetBladeCount(4);
    wheel.SetCircleMode(circle);
    wheel.SetAlpha(alpha);
    wheel.BladePen().SetColor(clRed);
    const TRows got = wheel.BladeRows();
    QCOMPARE(got.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY(std::abs(got[i] - rows[i]) < 1e-9);
    const QImage image = Render(wheel);
    for (const double y : rows)
        QCOMPARE(Pixel(image, 15, std::min(int(y), 79)), Rgb(clRed));
}

void TestMachines::agitatorFillsBelowSurface_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<bool>("filled");
    QTest::newRow("80 %") << 80.0 << true;
    QTest::newRow("10 %") << 10.0 << true;
    QTest::newRow("empty") << 0.0 << false;
    QTest::newRow("over the brim") << 120.0 << true;
    QTest::newRow("far over the brim") << 250.0 << true;
    QTest::newRow("a typo of a level") << 1e12 << true;
}

// The liquid fills the tank below its surface and nothing outside the walls or above the surface.
void TestMachines::agitatorFillsBelowSurface()
{
    QFETCH(double, level);
    QFETCH(bool, filled);
    TMixer mixer;
    mixer.resize(100, 100);
    mixer.SetWallBottomR(20);
    mixer.SetWaterLevel(level);
    mixer.SetBladeCount(0);
    mixer.SetRotorR1(0);
    const QImage image = Render(mixer);
    const int surface = mixer.SurfaceY();
    const QColor water = Rgb(mixer.GetWaterColor());
    const QColor dry = Rgb(mixer.GetBrush().Color());
    QCOMPARE(Pixel(image, 50, std::clamp(surface + 3, 0, 97)), filled ? water : dry);
    if (surface > 3)
        QCOMPARE(Pixel(image, 50, surface - 3), dry);
    // Outside the rounded bottom corners.
    QCOMPARE(Pixel(image, 1, 98), dry);
    QCOMPARE(Pixel(image, 98, 98), dry);
}

void TestMachines::fanBlades_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<int>("k");
    QTest::addColumn<QPolygon>("corners");
    // 60 x 60: blade 6 wide, 29.4 long, its tip taking the outer 20 %.
    const QPolygon right(
        {QPoint(30, 27), QPoint(53, 27), QPoint(59, 30), QPoint(53, 33), QPoint(30, 33)});
    QTest::newRow("blade 0 at RotorAlpha 0 points right") << 3 << 0.0 << 0 << right;
    const QPolygon up(
        {QPoint(27, 30), QPoint(27, 6), QPoint(30, 0), QPoint(33, 6), QPoint(33, 30)});
    QTest::newRow("RotorAlpha 90 points up") << 3 << 90.0 << 0 << up;
    QTest::newRow("blade 1 of 4 a quarter on") << 4 << 0.0 << 1 << up;
    QTest::newRow("no blades") << 0 << 0.0 << 0 << QPolygon();
}

void TestMachines::fanBlades()
{
    QFETCH(int, count);
    QFETCH(double, alpha);
    QFETCH(int, k);
    QFETCH(QPolygon, corners);
    TFan fan;
    fan.SetBladeCount(count);
    fan.SetRotorAlpha(alpha);
    fan.SetColor(clBlack);
    fan.SetRotorColor(clRed);
    QCOMPARE(fan.Blade(k), corners);
    // The blades in the rotor colour inside the casing's fill, the panel colour outside.
    const QImage image = Render(fan);
    QCOMPARE(Pixel(image, 1, 1), Rgb(clBlack));
    QCOMPARE(Pixel(image, 30, 45), Rgb(count == 4 ? clRed : clAqua));
    if (!corners.isEmpty()) {
        const QPoint middle = (corners[1] + corners[3]) / 2;
        QCOMPARE(Pixel(image, middle.x(), middle.y()), Rgb(clRed));
    }
}

void TestMachines::hugeCountsDrawBounded_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("property");
    QTest::newRow("fan blades") << "TFan" << QByteArray("BladeCount");
    QTest::newRow("agitator blades") << "TMixer" << QByteArray("BladeCount");
    QTest::newRow("drum blades") << "TEBM" << QByteArray("BladeCount");
    QTest::newRow("blade belt") << "TBladeWheel" << QByteArray("BladeCount");
    QTest::newRow("conveyor scoops") << "TAniTrans" << QByteArray("ScoopCount");
    QTest::newRow("conveyor spokes") << "TAniTrans" << QByteArray("BladeCount");
    QTest::newRow("separator grid") << "TSeparator" << QByteArray("GridCount");
}

// A count typed millions too large draws at once, and draws what any larger count draws.
void TestMachines::hugeCountsDrawBounded()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    auto picture = [&](int count) {
        std::unique_ptr<QWidget> element(CreateElement(className));
        element->setProperty(property.constData(), count);
        return Render(*element);
    };
    const QImage typo = picture(60000000);
    QCOMPARE(typo, picture(std::numeric_limits<int>::max()));
    QVERIFY(typo != picture(0));
}

void TestMachines::averageVal_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("expected");
    QTest::newRow("n 0 takes b") << 0 << 9.0;
    QTest::newRow("negative n takes b") << -2 << 9.0;
    QTest::newRow("n 1 takes b") << 1 << 9.0;
    QTest::newRow("n 3 weighs a twice") << 3 << (2 * 3.0 + 9) / 3;
}

void TestMachines::averageVal()
{
    QFETCH(int, n);
    QFETCH(double, expected);
    QCOMPARE(TSeparator::AverageVal(3, 9, n), expected);
}

void TestMachines::separatorGridBounce_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("vy");
    QTest::addColumn<double>("expectedVy");
    QTest::addColumn<double>("expectedY");
    // Grid at 20 %, radius 2, falling at 4 per step from y 17.
    QTest::newRow("coal bounces at half speed") << int(TRockBall::Coal) << 4.0 << -2.0 << 18.0;
    QTest::newRow("rock bounces harder") << int(TRockBall::Rock) << 4.0 << -4 / 1.3 << 18.0;
    QTest::newRow("rising, no bounce") << int(TRockBall::Coal) << -4.0 << -4.0 << 13.0;
}

void TestMachines::separatorGridBounce()
{
    QFETCH(int, kind);
    QFETCH(double, vy);
    QFETCH(double, expectedVy);
    QFETCH(double, expectedY);
    TSeparator separator;
    separator.SetSpeedK(1);
    const TRockBall b {30, 17, 0, 2, kind, 0, vy, 0, vy};
    separator.AddBall(&b);
    separator.NextStep();
    QCOMPARE(separator.Balls().first().vy, expectedVy);
    QCOMPARE(separator.Balls().first().y, expectedY);
}

void TestMachines::separatorTopEdge_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("left");
    QTest::newRow("bubble leaves at the top") << int(TRockBall::Bubble) << 0;
    QTest::newRow("coal stays under the top") << int(TRockBall::Coal) << 1;
}

void TestMachines::separatorTopEdge()
{
    QFETCH(int, kind);
    QFETCH(int, left);
    TSeparator separator;
    separator.SetSpeedK(1);
    const TRockBall b {30, 3, 0, 2, kind, 0, -2, 0, -2};
    separator.AddBall(&b);
    separator.NextStep();
    QCOMPARE(separator.GetBallCount(), left);
    if (left) {
        QCOMPARE(separator.Balls().first().y, 2.0);
        QCOMPARE(separator.Balls().first().vy, 0.0);
    }
}

void TestMachines::separatorChainKeepsEveryParticle_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("one separator linked to itself") << 1;
    QTest::newRow("two in a loop") << 2;
    QTest::newRow("three in a loop") << 3;
}

// Particles drift right at 7 % per step through separators linked in a loop. However the round
// goes, every particle is kept, none is copied, and each moves exactly once per round.
void TestMachines::separatorChainKeepsEveryParticle()
{
    QFETCH(int, length);
    QList<TSeparator *> chain;
    QWidget form;
    for (int i = 0; i < length; ++i) {
        auto *s = new TSeparator(&form);
        s->SetSpeedK(1);
        s->SetGridHeight(100); // no grid, no back wall in the particles' way
        s->SetBackWallTop(100);
        chain.append(s);
    }
    for (int i = 0; i < length; ++i)
        chain[i]->SetNextSeparator(chain[(i + 1) % length]);
    QList<double> radii;
    for (int i = 0; i < 12; ++i) {
        // Own layer each, so they never collide; the radius tells them apart.
        const TRockBall b {double(8 * i), 50, double(i), 1 + i * 0.01, TRockBall::Rock, 7, 0, 7, 0};
        chain[i % length]->AddBall(&b);
        radii.append(b.r);
    }
    auto travelled = [&] {
        // Total distance per particle: x plus 100 per hand-over, tracked by radius.
        QMap<double, double> x;
        for (TSeparator *s : chain)
            for (const TRockBall &b : s->Balls()) {
                if (x.contains(b.r))
                    return QMap<double, double>(); // duplicated
                x[b.r] = b.x;
            }
        return x;
    };
    QMap<double, double> before = travelled();
    for (int round = 0; round < 200; ++round) {
        chain.first()->NextStepChain();
        const QMap<double, double> after = travelled();
        QCOMPARE(after.keys(), before.keys());
        for (const double r : after.keys()) {
            double moved = after[r] - before[r];
            if (moved < 0)
                moved += 100;
            QVERIFY2(std::abs(moved - 7) < 1e-9, qPrintable(QString::number(moved)));
        }
        before = after;
    }
    QCOMPARE(before.size(), radii.size());
}

TALMER_TEST(TestMachines)
#include "TestMachines.moc"
