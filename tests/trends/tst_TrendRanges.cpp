#include "TestMain.h"
#include "TrendTestKit.h"
#include "app/Connection.h"
#include "charts/LevelGraph.h"
#include "trends/GraphHardParams.h"
#include "trends/GraphTrans.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWheelEvent>
#include <memory>

namespace {

constexpr int Day = 1440;

const TrendSlot &SlotAt(const TLevelGraph *chart, int graph, int minute)
{
    const TMoment at = DayStart() + (minute + 0.5) * OneMinute;
    return chart->Store().Slot(graph, int(chart->TimeToIndex(at)));
}

} // namespace

// The week and month ranges of the trend windows, and their charts zoomed together, against
// records written into the private server.
class TestTrendRanges : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;

private slots:
    void initTestCase()
    {
        frame = std::make_unique<FrameUnderTest>();
        QVERIFY(SQLConnection1().Connected());
    }
    void cleanupTestCase() { frame.reset(); }
    void init()
    {
        QVERIFY(ClearRecords());
        SetNowOverride(TestDay() + 3);
    }
    void cleanup() { SetNowOverride(0); }

    void wideSlotsKeepTheirExtremes_data()
    {
        QTest::addColumn<int>("range"); // position in the range box
        QTest::addColumn<int>("slotMinutes");
        QTest::addColumn<int>("firstMinute"); // of the range, from the test day's start
        QTest::newRow("week") << 3 << 10 << -6 * Day;
        // 10 March: the month's range begins with the production day of the 1st.
        QTest::newRow("month") << 4 << 30 << -9 * Day;
    }
    void wideSlotsKeepTheirExtremes()
    {
        QFETCH(int, range);
        QFETCH(int, slotMinutes);
        QFETCH(int, firstMinute);
        // A flat 200 over the first hour of the range's first day and of the chosen day, with a
        // one-minute spike and a one-minute dip; a record just before the range.
        const int spike = 37, dip = firstMinute + 12;
        QList<int> minutes = Minutes(0, 59) + Minutes(firstMinute, firstMinute + 59);
        minutes << firstMinute - 1;
        QVERIFY(WriteRecords(minutes, [=](int m) {
            return m == spike ? 900 : m == dip ? 50 : m == firstMinute - 1 ? 5000 : 200;
        }));
        TFormGraphHardParams window;
        PrepareWindow(window);
        window.ComboBox1->setCurrentIndex(range);
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.Loading);
        QCOMPARE(window.RangeStart, DayStart() + firstMinute * OneMinute);
        QCOMPARE(window.RangeStop, DayStop());

        TLevelGraph *chart = window.Chart(0);
        QCOMPARE(chart->GetSecondStep(), slotMinutes * 60.0);
        const TrendSlot &high = SlotAt(chart, 0, spike);
        QVERIFY(high.Present && high.HasSecond);
        QCOMPARE(high.Value, 200.0);
        QCOMPARE(high.Value2, 900.0);
        const TrendSlot &low = SlotAt(chart, 0, dip);
        QVERIFY(low.Present && low.HasSecond);
        QCOMPARE(low.Value, 50.0);
        QCOMPARE(low.Value2, 200.0);
        // A slot whose minutes all held 200, one without records, and the range's first slot
        // untouched by the record before it.
        const TrendSlot &flat = SlotAt(chart, 0, firstMinute + 45);
        QVERIFY(flat.Present && !flat.HasSecond);
        QCOMPARE(flat.Value, 200.0);
        QVERIFY(!SlotAt(chart, 0, 5 * 60).Present);
        const TrendSlot &first = SlotAt(chart, 0, firstMinute);
        QVERIFY(first.Present);
        QCOMPARE(first.HasSecond ? first.Value2 : first.Value, 200.0);
        // The newest record's moment is where the 30-second append goes on from.
        QCOMPARE(window.LastLoaded, DayStart() + 59 * OneMinute);
    }

    void appendWhileZoomedMergesIntoSlots()
    {
        // A running month: the newest record comes in while a zoom shows it.
        SetNowOverride(DayStart() + 2 * OneHour);
        QVERIFY(WriteRecords(Minutes(0, 59), [](int) { return 200; }));
        TFormGraphHardParams window;
        PrepareWindow(window);
        window.ComboBox1->setCurrentIndex(4);
        QTest::keyClick(&window, Qt::Key_Return);
        TLevelGraph *chart = window.Chart(0);
        const int newest = int(chart->TimeToIndex(DayStart() + 59 * OneMinute));
        chart->SetView({newest - 9.0, 10});
        QVERIFY(WriteRecords(Minutes(60, 95), [](int m) { return m == 70 ? 20 : 200; }));
        window.CheckForUpdates();
        const TrendSlot &dip = SlotAt(chart, 0, 70);
        QCOMPARE(dip.Value, 20.0);
        QCOMPARE(dip.Value2, 200.0);
        QVERIFY(SlotAt(chart, 0, 95).Present);
        // The view moved on with the newest slot, at its own width.
        const int last = int(chart->TimeToIndex(DayStart() + 95 * OneMinute));
        QCOMPARE(chart->View().Count, 10.0);
        QCOMPARE(chart->View().First + chart->View().Count, last + 1.0);
    }

    void chartsOfAWindowZoomTogether()
    {
        QVERIFY(WriteRecords(Minutes(0, 600), [](int m) { return 100 + m % 30; }));
        TFormGraphTrans window;
        PrepareWindow(window);
        QTest::keyClick(&window, Qt::Key_Return);
        TLevelGraph *turned = window.Chart(1);
        const QPoint at(turned->width() / 3, turned->height() / 2);
        QWheelEvent wheel(at, turned->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(turned, &wheel);
        QVERIFY(turned->IsZoomed());
        for (int c = 0; c < window.ChartCount(); ++c)
            QVERIFY(window.Chart(c)->View() == turned->View());
        window.Chart(3)->ActionWholeInterval()->trigger();
        for (int c = 0; c < window.ChartCount(); ++c)
            QVERIFY(!window.Chart(c)->IsZoomed());
    }
};

TALMER_TEST(TestTrendRanges)
#include "tst_TrendRanges.moc"
