#include "TestMain.h"
#include "TrendTestKit.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "elements/OutField.h"
#include "trends/GraphHardParams.h"
#include "trends/GraphSuspLevel.h"
#include "trends/GraphTrans.h"
#include "trends/TrendPoint.h"

#include <QAction>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

void MoveCursor(TFormGraphTrend &window, int minute)
{
    for (int i = 0; i < window.ChartCount(); ++i)
        window.Chart(i)->SetCursorTime(DayStart() + (minute + 0.5) * OneMinute);
}

} // namespace

// The value readouts of the trend windows, opened from their popup menus.
class TestTrendPoint : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;

    // Opens the window's readout the way the operator does, from the popup menu.
    TFormTrendPoint *OpenReadout(TFormGraphTrend &window)
    {
        window.CmdShowSatellite->trigger();
        return qobject_cast<TFormTrendPoint *>(window.Satellite());
    }

private slots:
    void initTestCase()
    {
        frame = std::make_unique<FrameUnderTest>();
        SetNowOverride(TestDay() + 3);
        QVERIFY(ClearRecords());
        // Minutes 0..99 and 200..299 hold records; the hour between is a hole.
        QVERIFY(WriteRecords(Minutes(0, 99) + Minutes(200, 299),
                             [](int m) { return 1000 + m + 0.25; }));
    }
    void cleanupTestCase()
    {
        frame.reset();
        SetNowOverride(0);
    }

    void values_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("fields");
        QTest::addColumn<int>("alwaysBlank"); // a field whose graph the window never fills
        QTest::newRow("hard parameters") << QStringLiteral("FormGraphHardParams") << 4 << -1;
        QTest::newRow("levels") << QStringLiteral("FormGraphSuspLevel") << 4 << 2;
        QTest::newRow("conveyors") << QStringLiteral("FormGraphTrans") << 4 << -1;
    }
    void values()
    {
        QFETCH(QString, form);
        QFETCH(int, fields);
        QFETCH(int, alwaysBlank);
        std::unique_ptr<TFormGraphTrend> window(NewTrendWindow(form));
        PrepareWindow(*window);
        window->Reload();
        TFormTrendPoint *readout = OpenReadout(*window);
        QVERIFY(readout);
        QCOMPARE(readout->windowTitle(), QStringLiteral("Текущая точка графика"));
        QCOMPARE(readout->Fields.size(), fields);
        window->CmdShowSatellite->trigger();
        QCOMPARE(window->Satellite(), readout); // one instance, shown again

        MoveCursor(*window, 50);
        readout->Refresh();
        for (int i = 0; i < fields; ++i) {
            const QString caption = readout->Fields.at(i)->GetCaption();
            if (i == alwaysBlank)
                QCOMPARE(caption.trimmed(), QString());
            else
                // The slot of minute 50 holds its own record as well as the next one held.
                QCOMPARE(caption, FormatFloat(QStringLiteral("# ### ##0.0"), 1050.25));
        }
        // The number is framed in its curve's colour.
        QCOMPARE(readout->Fields.at(0)->GetPen().Color(), window->Chart(0)->GetGraphPen(0).Color());

        MoveCursor(*window, 150); // inside the hole
        readout->Refresh();
        for (TOutField *field : readout->Fields)
            QCOMPARE(field->GetCaption().trimmed(), QString());
        QCOMPARE(readout->OutFieldDateTime->GetCaption(),
                 FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"),
                                window->Chart(0)->GetCursorTime()));
    }

    void minuteSteps()
    {
        TFormGraphHardParams window;
        PrepareWindow(window);
        window.Reload();
        TFormTrendPoint *readout = OpenReadout(window);
        TLevelGraph *first = window.Chart(0);
        const TMoment start = first->GetStartTime();
        for (int i = 0; i < window.ChartCount(); ++i)
            window.Chart(i)->SetCursorTime(start + first->GetDataStep());
        QTest::mouseClick(readout->ButGoLeft, Qt::LeftButton);
        for (int i = 0; i < window.ChartCount(); ++i)
            QCOMPARE(window.Chart(i)->GetCursorTime(), start);
        QTest::mouseClick(readout->ButGoLeft, Qt::LeftButton);
        QCOMPARE(first->GetCursorTime(), start);

        QTest::mouseClick(readout->ButGoRight, Qt::LeftButton);
        QTest::mouseClick(readout->ButGoRight, Qt::LeftButton);
        for (int i = 0; i < window.ChartCount(); ++i)
            QCOMPARE(window.Chart(i)->GetCursorTime(), start + 2 * first->GetDataStep());

        const TMoment stop = first->GetStopTime();
        for (int i = 0; i < window.ChartCount(); ++i)
            window.Chart(i)->SetCursorTime(stop - 0.5 * first->GetDataStep());
        QTest::mouseClick(readout->ButGoRight, Qt::LeftButton);
        QCOMPARE(first->GetCursorTime(), stop - 0.5 * first->GetDataStep());
    }

    void hidesWhenAnotherWindowComesForward()
    {
        auto *window = new TFormGraphTrans;
        PrepareWindow(*window);
        auto *other = new QWidget;
        frame->get()->ShowChild(window);
        TFormTrendPoint *readout = OpenReadout(*window);
        QVERIFY(readout->isVisible());
        QTest::qWait(3 * TFormTrendPoint::TimerInterval);
        QVERIFY2(readout->isVisible(), "stays while its window is in front");
        frame->get()->ShowChild(other);
        QTRY_VERIFY_WITH_TIMEOUT(!readout->isVisible(), 2000);
        frame->get()->ShowChild(window);
        QTest::qWait(2 * TFormTrendPoint::TimerInterval);
        QVERIFY2(!readout->isVisible(), "reopened only from the menu");
        delete window->parentWidget(); // the subwindows
        delete other->parentWidget();
    }
};

TALMER_TEST(TestTrendPoint)
#include "tst_TrendPoint.moc"
