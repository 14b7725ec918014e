#include "RecordingFeedback.h"
#include "Render.h"
#include "TestMain.h"
#include "elements/AniTrans.h"

#include <QTest>
#include <cmath>

class TestConveyor : public QObject
{
    Q_OBJECT

private slots:
    void fullTurnPutsScoopsBack_data();
    void fullTurnPutsScoopsBack();
    void stepBackMovesScoopsBack();
    void coalOnlyWhereScoopsCarry_data();
    void coalOnlyWhereScoopsCarry();
    void heapsDrawnOnlyOnCarryingScoops_data();
    void heapsDrawnOnlyOnCarryingScoops();
    void degenerateGeometryDrawsQuietly_data();
    void degenerateGeometryDrawsQuietly();
};

void TestConveyor::fullTurnPutsScoopsBack_data()
{
    QTest::addColumn<int>("scoops");
    QTest::newRow("6 scoops") << 6;
    QTest::newRow("7 scoops") << 7;
    QTest::newRow("none") << 0;
}

// Position 0 and 100 place the scoops alike; the spokes, turned by the travel, need not agree.
void TestConveyor::fullTurnPutsScoopsBack()
{
    QFETCH(int, scoops);
    TAniTrans belt;
    belt.SetScoopCount(scoops);
    belt.CalcRegion();
    const QList<double> start = belt.ScoopDistances();
    belt.SetPosition(100);
    belt.CalcRegion();
    const QList<double> full = belt.ScoopDistances();
    QCOMPARE(full.size(), scoops);
    for (int i = 0; i < scoops; ++i) {
        const QPointF a = belt.PlaceAt(start[i]).point;
        const QPointF b = belt.PlaceAt(full[i]).point;
        QVERIFY(QLineF(a, b).length() < 1e-6);
    }
}

// Stepping Position by -1 moves every scoop back along T1 -> T2 -> T3 -> T4 by a hundredth of
// the belt.
void TestConveyor::stepBackMovesScoopsBack()
{
    TAniTrans belt;
    belt.SetPosition(50);
    belt.CalcRegion();
    const QList<double> before = belt.ScoopDistances();
    belt.SetPosition(49);
    belt.CalcRegion();
    const QList<double> after = belt.ScoopDistances();
    const double L = belt.BeltLength();
    QCOMPARE(L, 2 * (std::hypot(20, 30) + M_PI * 5));
    for (int i = 0; i < before.size(); ++i) {
        const double moved = std::fmod(before[i] - after[i] + L, L);
        QVERIFY(std::abs(moved - L / 100) < 1e-9);
    }
}

void TestConveyor::coalOnlyWhereScoopsCarry_data()
{
    QTest::addColumn<int>("segment");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<bool>("carries");
    // Segments: 0 first run, 1 round pulley 2, 2 second run, 3 round pulley 1.
    QTest::newRow("start of the first run") << 0 << 0.0 << true;
    QTest::newRow("end of the first run") << 0 << 1.0 << true;
    QTest::newRow("a quarter of the turn") << 1 << 0.25 << true;
    QTest::newRow("just short of a third") << 1 << 0.33 << true;
    QTest::newRow("just past a third") << 1 << 0.34 << false;
    QTest::newRow("the second run") << 2 << 0.5 << false;
    QTest::newRow("round pulley 1") << 3 << 0.5 << false;
}

void TestConveyor::coalOnlyWhereScoopsCarry()
{
    QFETCH(int, segment);
    QFETCH(double, fraction);
    QFETCH(bool, carries);
    TAniTrans belt;
    belt.CalcRegion();
    const double d = std::hypot(20, 30);
    const double turn = M_PI * 5;
    const double starts[] = {0, d, d + turn, 2 * d + turn, 2 * d + 2 * turn};
    const double s = starts[segment] + fraction * (starts[segment + 1] - starts[segment]);
    QCOMPARE(TAniTrans::CarriesCoal(belt.PlaceAt(s).theta), carries);
}

void TestConveyor::heapsDrawnOnlyOnCarryingScoops_data()
{
    QTest::addColumn<bool>("pattern");
    QTest::addColumn<QString>("patternFile");
    QTest::newRow("solid coal colour") << false << QString();
    QTest::newRow("missing pattern file falls back to the colour")
        << false << QStringLiteral("no-such-coal.bmp");
    QTest::newRow("coal pattern") << true << QString();
}

// A heap sits above each carrying scoop's belt point; the other scoops carry none. With a
// pattern the heap shows the pattern's colours instead of the solid one.
void TestConveyor::heapsDrawnOnlyOnCarryingScoops()
{
    QFETCH(bool, pattern);
    QFETCH(QString, patternFile);
    RecordingFeedback feedback;
    TAniTrans belt;
    belt.resize(200, 200);
    belt.SetShowCoal(true);
    belt.SetScoopCount(12);
    if (!patternFile.isEmpty())
        QVERIFY(!belt.CoalBitmap().LoadFromFile(patternFile));
    if (pattern) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        belt.CoalBitmap().SetImage(image);
    }
    const QImage image = Render(belt);
    belt.CalcRegion();
    const QColor coal = pattern ? QColor(Qt::magenta) : Rgb(belt.GetCoalColor());
    const int k = int(std::lround(belt.GetRk() * belt.Scale()));
    int heaps = 0;
    for (const double s : belt.ScoopDistances()) {
        const TAniTrans::TBeltPlace place = belt.PlaceAt(s);
        const QPoint p = belt.ToScreen(place.point);
        const bool carries = TAniTrans::CarriesCoal(place.theta);
        QCOMPARE(Pixel(image, p.x(), p.y() - k / 2) == coal, carries);
        heaps += carries;
    }
    QVERIFY(heaps > 0);
    QCOMPARE(feedback.beeps, 0);
}

void TestConveyor::degenerateGeometryDrawsQuietly_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");
    QTest::addColumn<double>("position");
    QTest::newRow("too small to scale") << QSize(8, 8) << 35.0 << 45.0 << 0.0;
    QTest::newRow("pulleys on one spot") << QSize(100, 100) << 15.0 << 15.0 << 30.0;
    QTest::newRow("position below 0") << QSize(100, 100) << 35.0 << 45.0 << -130.0;
}

// Nothing fails: no beep, the scoops stay on the belt.
void TestConveyor::degenerateGeometryDrawsQuietly()
{
    QFETCH(QSize, size);
    QFETCH(double, x2);
    QFETCH(double, y2);
    QFETCH(double, position);
    RecordingFeedback feedback;
    TAniTrans belt;
    belt.resize(size);
    belt.SetX2(x2);
    belt.SetY2(y2);
    belt.SetPosition(position);
    belt.SetShowCoal(true);
    belt.SetBladeCount(4);
    Render(belt);
    QCOMPARE(feedback.beeps, 0);
    QVERIFY(!belt.IsDirty());
    for (const double s : belt.ScoopDistances())
        QVERIFY(s >= 0 && s < belt.BeltLength());
}

TALMER_TEST(TestConveyor)
#include "TestConveyor.moc"
