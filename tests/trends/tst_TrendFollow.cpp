#include "TestDb.h"
#include "TestMain.h"
#include "TrendTestKit.h"
#include "app/Connection.h"
#include "app/DayFollower.h"
#include "app/FreshnessLabel.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "trends/GraphDSUS.h"
#include "trends/GraphHardParams.h"
#include "trends/GraphSuspLevel.h"
#include "trends/GraphTrans.h"

#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// 00:38 in the night shift of the test day (which began at 19:00 the calendar day before).
TMoment NightMoment()
{
    return TestDay() + 1 + 38 * OneMinute;
}

// The night shift's records so far: 19:00 to 00:37.
const QList<int> NightMinutes = Minutes(720, 1057);

// Counts the loads that empty and refill the charts: each shows the wait panel once.
class LoadCounter : public QObject
{
public:
    explicit LoadCounter(TFormGraphTrend &window) { window.WaitPanel->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Show;
        return false;
    }
};

// The statements the shared link has run in its session.
int StatementCount()
{
    QSqlQuery query(SQLConnection1().Database());
    if (!query.exec(QStringLiteral("show session status like 'Com_select'")) || !query.next())
        return -1;
    return query.value(1).toInt();
}

void ShowAsTheFrameDoes(TFormGraphTrend &window)
{
    window.resize(1200, 900);
    window.show();
}

} // namespace

// The trend windows follow the plant's clock: the working day that holds the present, loaded at
// once, with a line that says how fresh the charts are.
class TestTrendFollow : public QObject
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
        SetNowOverride(NightMoment());
    }
    void cleanup() { SetNowOverride(0); }

    void nightShiftShownAtOnce_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("hard parameters") << QStringLiteral("FormGraphHardParams");
        QTest::newRow("levels") << QStringLiteral("FormGraphSuspLevel");
        QTest::newRow("divider") << QStringLiteral("FormGraphDSUS");
        QTest::newRow("conveyors") << QStringLiteral("FormGraphTrans");
    }
    void nightShiftShownAtOnce()
    {
        QFETCH(QString, form);
        QVERIFY(WriteRecords(NightMinutes, [](int) { return 30; }));
        std::unique_ptr<TFormGraphTrend> window(NewTrendWindow(form));
        QCOMPARE(window->DateTimePicker1->date(), QDate(2026, 3, 10));
        ShowAsTheFrameDoes(*window);
        QTRY_VERIFY(SlotFilled(window->Chart(0), 0, 1000));
        QCOMPARE(SlotValue(window->Chart(0), 0, 720), 30.0);
        QCOMPARE(window->LabelFreshness->text(), QStringLiteral("Обновлено в 00:38:00"));
        QCOMPARE(window->LabelFreshness->State(), TFreshnessLabel::TState::Fresh);
    }

    void followsTheClockPastTheDayChange_data()
    {
        QTest::addColumn<int>("shift"); // the shift box's item
        QTest::addColumn<bool>("chosenPastDay");
        QTest::addColumn<QDate>("day"); // shown after 07:00
        QTest::addColumn<int>("shiftAfter");
        QTest::addColumn<int>("loads"); // after 07:00
        QTest::newRow("both shifts move to the new day")
            << 2 << false << QDate(2026, 3, 11) << 2 << 1;
        QTest::newRow("the night shift moves to the day shift")
            << 1 << false << QDate(2026, 3, 11) << 0 << 1;
        QTest::newRow("a chosen past day stays") << 2 << true << QDate(2026, 3, 5) << 2 << 0;
    }
    void followsTheClockPastTheDayChange()
    {
        QFETCH(int, shift);
        QFETCH(bool, chosenPastDay);
        QFETCH(QDate, day);
        QFETCH(int, shiftAfter);
        QFETCH(int, loads);
        QVERIFY(WriteRecords(NightMinutes, [](int) { return 30; }));
        TFormGraphSuspLevel window;
        window.ComboBox1->setCurrentIndex(shift);
        if (chosenPastDay)
            window.DateTimePicker1->setDate(QDate(2026, 3, 5));
        ShowAsTheFrameDoes(window);
        QTRY_VERIFY(!window.ReloadRequested);
        LoadCounter counter(window);
        SetNowOverride(TestDay() + 1 + 7 * OneHour + 5 * OneSecond);
        QVERIFY(WriteRecords(Minutes(1440, 1441), [](int) { return 60; }));
        window.findChild<TDayFollower *>()->Check();
        QTest::qWait(1200); // the follower's own second passes too: still one load
        QCOMPARE(counter.count, loads);
        QCOMPARE(window.DateTimePicker1->date(), day);
        QCOMPARE(window.ComboBox1->currentIndex(), shiftAfter);
        if (loads)
            QCOMPARE(SlotValue(window.Chart(0), 0, 1441), 60.0);
    }

    void shifts_data()
    {
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("firstMinute"); // of the range, from the day's start
        QTest::addColumn<int>("seconds"); // the range's length
        QTest::addColumn<double>("labelHours");
        QTest::addColumn<bool>("merged1859"); // 19:00's record held into the slot of 18:59
        QTest::addColumn<double>("at1900");
        QTest::addColumn<double>("at0659");
        QTest::newRow("shift 1") << 0 << 0 << 12 * 3600 - 1 << 1.0 << false << -1.0 << -1.0;
        QTest::newRow("shift 2") << 1 << 720 << 12 * 3600 - 1 << 1.0 << false << 720.0 << 1439.0;
        QTest::newRow("both") << 2 << 0 << 24 * 3600 - 1 << 2.0 << true << 720.0 << 1439.0;
    }
    void shifts()
    {
        QFETCH(int, shift);
        QFETCH(int, firstMinute);
        QFETCH(int, seconds);
        QFETCH(double, labelHours);
        QFETCH(bool, merged1859);
        QFETCH(double, at1900);
        QFETCH(double, at0659);
        SetNowOverride(TestDay() + 3);
        QVERIFY(WriteRecords(Minutes(718, 721) + QList<int> {1439}, [](int m) { return m; }));
        TFormGraphHardParams window;
        PrepareWindow(window);
        window.ComboBox1->setCurrentIndex(shift);
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(qRound64((window.RangeStart - DayStart()) * 1440), qint64(firstMinute));
        QCOMPARE(qRound64((window.RangeStop - window.RangeStart) * 86400), qint64(seconds));
        for (int c = 0; c < window.ChartCount(); ++c)
            QCOMPARE(qRound64(window.Chart(c)->GetXLabelStep() * 24), qRound64(labelHours));
        TLevelGraph *chart = window.Chart(0);
        // 19:00:00 belongs to the second shift only: the first neither shows nor holds it.
        QCOMPARE(chart->GetPoint(0, DayStart() + 720 * OneMinute), at1900);
        if (shift != 1) {
            QCOMPARE(SlotValue(chart, 0, 719), 719.0);
            QCOMPARE(bool(chart->Store().Slot(0, 719).HasSecond), merged1859);
        }
        QCOMPARE(SlotValue(chart, 0, 1439), at0659);
    }

    void enterAndTickWhileLoadingLoadOnce()
    {
        SetNowOverride(TestDay() + 3);
        QVERIFY(WriteRecords(Minutes(0, 300), [](int) { return 10; }));
        TFormGraphTrans window;
        PrepareWindow(window);
        QTRY_VERIFY(!window.ReloadRequested);
        frame->get()->TimerRefreshState->stop(); // its statements share the session
        const int before = StatementCount();
        // Both come while the load yields to pending messages.
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QTimer::singleShot(0, &window, [&window] {
            window.ReloadRequested = true;
            window.TimerUpdateTimer();
        });
        window.Reload();
        QCoreApplication::processEvents();
        const int after = StatementCount();
        frame->get()->TimerRefreshState->start();
        QCOMPARE(after - before, 1);
        QVERIFY(!window.Loading && !window.TimerBusy);
        QVERIFY(SlotFilled(window.Chart(0), 0, 300));
    }

    void freshnessLine()
    {
        SetNowOverride(TestDay() + 3);
        TFormGraphDSUS window;
        PrepareWindow(window);
        QTRY_VERIFY(!window.ReloadRequested);
        QCOMPARE(window.LabelFreshness->text(), QStringLiteral("Нет записей за выбранный период"));
        QCOMPARE(window.LabelFreshness->State(), TFreshnessLabel::TState::Empty);
        const QColor normal = window.LabelFreshness->palette().color(QPalette::WindowText);
        QVERIFY(WriteRecords(Minutes(0, 20), [](int) { return 40; }));
        {
            TestDb::StoppedServer server;
            QVERIFY(server.stopped);
            QSqlDatabase::database(QStringLiteral("testdb"), false).close(); // reopened after
            QTest::keyClick(&window, Qt::Key_Return);
            QCOMPARE(window.LabelFreshness->text(),
                     QStringLiteral("Данные не загружены: нет связи с сервером базы данных"));
            QVERIFY(window.LabelFreshness->palette().color(QPalette::WindowText) != normal);
            QTRY_VERIFY_WITH_TIMEOUT(!SQLConnection1().Connected(), 10000);
            QVERIFY(server.Restart());
        }
        // The link comes back: the window loads again by itself.
        SetNowOverride(TestDay() + 3 + 5 * OneSecond);
        QTRY_VERIFY_WITH_TIMEOUT(SlotFilled(window.Chart(0), 0, 10), 40000);
        QCOMPARE(window.LabelFreshness->text(), QStringLiteral("Обновлено в 00:00:05"));
        QCOMPARE(window.LabelFreshness->palette().color(QPalette::WindowText), normal);
    }
};

TALMER_TEST(TestTrendFollow)
#include "tst_TrendFollow.moc"
