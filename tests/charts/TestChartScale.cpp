#include "TestMain.h"
#include "charts/ChartScale.h"

#include <QTest>

// Scale mathematics of the trend chart, checked without any widget.
class TestChartScale : public QObject
{
    Q_OBJECT

private slots:
    void startNetPoint_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("expected");
        const double day = EncodeMoment(2026, 12, 8);
        QTest::newRow("07:00 by 2 h -> 10:00")
            << day + 7 * OneHour << 2 * OneHour << day + 10 * OneHour;
        QTest::newRow("07:00 by 1 h -> 08:00") << day + 7 * OneHour << OneHour << day + 8 * OneHour;
        QTest::newRow("08:00 by 10 min -> 08:10")
            << day + 8 * OneHour << 10 * OneMinute << day + 8 * OneHour + 10 * OneMinute;
        QTest::newRow("zero start") << 0.0 << OneHour << 0.0;
        QTest::newRow("zero step") << day << 0.0 << 0.0;
        QTest::newRow("negative step") << day << -OneHour << 0.0;
        QTest::newRow("negative start, no extra step") << -2.6 << 1.0 << -3.0;
    }
    void startNetPoint()
    {
        QFETCH(double, start);
        QFETCH(double, step);
        QFETCH(double, expected);
        QVERIFY2(qAbs(CalcStartNetPoint(start, step) - expected) < OneSecond / 10,
                 qPrintable(QString::number(CalcStartNetPoint(start, step), 'f', 10)));
    }

    void translateVal_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("expected");
        QTest::newRow("below low") << -5.0 << 0.0 << 10.0 << 100.0;
        QTest::newRow("at low") << 0.0 << 0.0 << 10.0 << 100.0;
        QTest::newRow("middle") << 2.5 << 0.0 << 10.0 << 125.0;
        QTest::newRow("above high") << 11.0 << 0.0 << 10.0 << 200.0;
        QTest::newRow("empty range") << 3.0 << 3.0 << 3.0 << 100.0;
    }
    void translateVal()
    {
        QFETCH(double, v);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, expected);
        QCOMPARE(TranslateVal(v, low, high, 100, 200), expected);
    }

    void timeToIndex_data()
    {
        QTest::addColumn<double>("offsetSeconds");
        QTest::addColumn<double>("secondStep");
        QTest::addColumn<double>("expected");
        // Interval of 12 hours.
        QTest::newRow("before start") << -1.0 << 60.0 << 0.0;
        QTest::newRow("at start") << 0.0 << 60.0 << 0.0;
        QTest::newRow("90 s into 60 s slots") << 90.0 << 60.0 << 1.5;
        QTest::newRow("after stop") << 12 * 3600.0 + 1 << 60.0 << 3000.0;
        QTest::newRow("no step counts seconds") << 90.0 << 0.0 << 90.0;
        QTest::newRow("past the store clamps") << 11 * 3600.0 << 10.0 << 3000.0;
        QTest::newRow("float noise at a boundary") << 60.0 - 1e-7 << 60.0 << 1.0;
        QTest::newRow("a millisecond before a boundary") << 59.999 << 60.0 << 59.999 / 60;
    }
    void timeToIndex()
    {
        QFETCH(double, offsetSeconds);
        QFETCH(double, secondStep);
        QFETCH(double, expected);
        const double start = EncodeMoment(2026, 12, 8, 8);
        const double index =
            TimeToIndexRaw(start + offsetSeconds * OneSecond, start, start + 0.5, secondStep);
        QVERIFY2(qAbs(index - expected) < 1e-6, qPrintable(QString::number(index)));
    }

    void geometry()
    {
        TTrendGeometryInput in;
        in.Width = 400;
        in.Height = 100;
        in.GraphLeft = 30;
        in.GraphTop = 10;
        in.GraphSubWidth = 30;
        in.GraphSubHeight = 15;
        in.YMin = 0;
        in.YMax = 76;
        in.StartTime = EncodeMoment(2026, 12, 8, 8);
        in.StopTime = in.StartTime + 341 * OneMinute;
        in.SecondStep = 60;
        const TTrendGeometry g = TTrendGeometry::Calc(in);
        QCOMPARE(g.PlotRight, 370);
        QCOMPARE(g.PlotBottom, 85);
        QCOMPARE(g.IntervalSize, 341 * 60);
        QCOMPARE(g.IntervalPointCount, 341);
        QCOMPARE(g.PixelsPerPoint, 1.0);
        QCOMPARE(g.PixelsPerUnit, 1.0);
        QCOMPARE(g.IndexToScreenX(10), 40.0);
        QCOMPARE(g.IndexToScreenX(-5), 30.0);
        QCOMPARE(g.IndexToScreenX(1000), 370.0);
        QCOMPARE(g.YToScreen(6, 0), 79.0);
        QCOMPARE(g.YToScreen(-10, 0), 85.0);
        QCOMPARE(g.YToScreen(500, 0), 10.0);
        QCOMPARE(g.ScreenToIX(40), 10.0);

        in.StopTime = in.StartTime; // no interval: nothing maps
        const TTrendGeometry empty = TTrendGeometry::Calc(in);
        QCOMPARE(empty.IntervalPointCount, 0);
        QCOMPARE(empty.PixelsPerPoint, 0.0);
        QCOMPARE(empty.ScreenToIX(100), 0.0);

        in.StopTime = in.StartTime + 1; // a day of 10 s slots is more than the store holds
        in.SecondStep = 10;
        const TTrendGeometry big = TTrendGeometry::Calc(in);
        QCOMPARE(big.IntervalPointCount, 8640);
        QCOMPARE(big.StoredPointCount(), TrendSlotCount);
    }

    void autoLimits_data()
    {
        QTest::addColumn<bool>("autoMin");
        QTest::addColumn<bool>("autoMax");
        QTest::addColumn<bool>("autoScale");
        QTest::addColumn<bool>("positive");
        QTest::addColumn<double>("minDelta");
        QTest::addColumn<double>("yMin");
        QTest::addColumn<double>("yMax");
        QTest::addColumn<double>("dataMin");
        QTest::addColumn<double>("dataMax");
        QTest::addColumn<double>("expMin");
        QTest::addColumn<double>("expMax");
        QTest::addColumn<double>("expStep");
        QTest::addColumn<QString>("expFormat");

        QTest::newRow("flat 100") << true << true << false << false << 0.0 << 0.0 << 1.0 << 100.0
                                  << 100.0 << 95.5 << 104.5 << 6.0 << "###%";
        QTest::newRow("flat 0") << true << true << false << false << 0.0 << 0.0 << 1.0 << 0.0 << 0.0
                                << -0.15 << 1.15 << 6.0 << "###%";
        QTest::newRow("flat 0 positive") << true << true << false << true << 0.0 << 0.0 << 1.0
                                         << 0.0 << 0.0 << 0.0 << 1.15 << 6.0 << "###%";
        QTest::newRow("nothing scanned, fixed ends")
            << false << false << false << false << 0.0 << 10.0 << 20.0 << 0.0 << 0.0 << 10.0 << 20.0
            << 6.0 << "###%";
        QTest::newRow("range 800 gives step 200")
            << false << false << true << false << 0.0 << 0.0 << 800.0 << 0.0 << 0.0 << 0.0 << 800.0
            << 200.0 << "###0";
        QTest::newRow("range 0.05 gives step 0.01")
            << false << false << true << false << 0.0 << 0.0 << 0.05 << 0.0 << 0.0 << 0.0 << 0.05
            << 0.01 << "#0.000";
        QTest::newRow("range 5 format") << false << false << true << false << 0.0 << 0.0 << 5.0
                                        << 0.0 << 0.0 << 0.0 << 5.0 << 1.25 << "#0.0";
        QTest::newRow("range 2 format") << false << false << true << false << 0.0 << 0.0 << 2.0
                                        << 0.0 << 0.0 << 0.0 << 2.0 << 0.5 << "#0.00";
        QTest::newRow("narrow top widened by part of a unit")
            << false << true << true << false << 0.0 << 0.0 << 1.0 << 0.0 << 0.1 << 0.0 << 0.14125
            << 0.05 << "#0.000";
        QTest::newRow("narrow both widened, kept positive")
            << true << true << true << true << 0.0 << 0.0 << 1.0 << 0.0 << 0.1 << 0.0 << 0.14125
            << 0.05 << "#0.000";
        // Data wholly beyond the fixed end: the automatic end stops the minimum range short of it.
        QTest::newRow("data below a fixed minimum")
            << false << true << false << false << 0.0 << 1700.0 << 2200.0 << 990.0 << 1010.0
            << 1700.0 << 1700.001 << 6.0 << "###%";
        QTest::newRow("data above a fixed maximum")
            << true << false << false << false << 0.0 << 0.0 << 100.0 << 500.0 << 600.0 << 99.999
            << 100.0 << 6.0 << "###%";
        QTest::newRow("min delta recentres") << false << false << false << false << 10.0 << 10.0
                                             << 12.0 << 0.0 << 0.0 << 6.0 << 16.0 << 6.0 << "###%";
    }
    void autoLimits()
    {
        QFETCH(bool, autoMin);
        QFETCH(bool, autoMax);
        QFETCH(bool, autoScale);
        QFETCH(bool, positive);
        QFETCH(double, minDelta);
        QFETCH(double, yMin);
        QFETCH(double, yMax);
        QFETCH(double, dataMin);
        QFETCH(double, dataMax);
        QFETCH(double, expMin);
        QFETCH(double, expMax);
        QFETCH(double, expStep);
        QFETCH(QString, expFormat);

        TValueLimits limits {yMin, yMax, 6, QStringLiteral("###%")};
        TAutoScaleRules rules;
        rules.AutoYMin = autoMin;
        rules.AutoYMax = autoMax;
        rules.AutoYScale = autoScale;
        rules.PositiveY = positive;
        rules.MinDeltaY = minDelta;
        CheckAutoLimits(limits, rules, dataMin, dataMax);
        const auto near = [](double a, double b) {
            return qAbs(a - b) < 1e-9;
        };
        QVERIFY2(near(limits.YMin, expMin), qPrintable(QString::number(limits.YMin, 'g', 12)));
        QVERIFY2(near(limits.YMax, expMax), qPrintable(QString::number(limits.YMax, 'g', 12)));
        QVERIFY2(near(limits.YLabelStep, expStep),
                 qPrintable(QString::number(limits.YLabelStep, 'g', 12)));
        QCOMPARE(limits.ScaleYFormat, expFormat);
    }
};

TALMER_TEST(TestChartScale)
#include "TestChartScale.moc"
