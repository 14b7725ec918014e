#include "FrameTestKit.h"
#include "TestDb.h"
#include "TestMain.h"
#include "TrendTestKit.h"
#include "app/Connection.h"
#include "app/Main.h"
#include "charts/LevelGraph.h"
#include "station/Windows.h"
#include "trends/GraphTrend.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"
#include "views/GridModel.h"
#include "views/PagedGridModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QTest>
#include <QTimeEdit>
#include <QToolBar>
#include <memory>

// Enter pressed where the operator is: after the frame brought a window forward, the key goes to
// whatever has the keyboard focus then.
class TestStationEnter : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;

    TFormMain *Frame() const { return frame->get(); }

    void PressReturnWhereTheFocusIs()
    {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus, "no widget has the keyboard focus");
        QTest::keyClick(focus, Qt::Key_Return);
    }

private slots:
    void initTestCase()
    {
        RegisterComponentLibraries();
        frame = std::make_unique<FrameUnderTest>();
        QVERIFY(SQLConnection1().Connected());
        Frame()->CreateWindows(StationWindows());
        Frame()->show();
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
    }
    void cleanupTestCase() { frame.reset(); }
    void init()
    {
        QVERIFY(ClearRecords());
        SetNowOverride(TestDay() + 3);
    }
    void cleanup() { SetNowOverride(0); }

    void enterReloadsTheTrendWindowInFront_data()
    {
        QTest::addColumn<QString>("route"); // function key, main-menu row or toolbar button
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("value"); // of this row's records, unlike the rows before
        QTest::newRow("F3") << "key"
                            << "ActionGraphGC_params" << int(Qt::Key_F3) << 41.0;
        QTest::newRow("F4") << "key"
                            << "ActionGraphSuspLevel" << int(Qt::Key_F4) << 42.0;
        QTest::newRow("F5") << "key"
                            << "ActionGraphDivPosition" << int(Qt::Key_F5) << 43.0;
        QTest::newRow("F6") << "key"
                            << "ActionGraphTrans" << int(Qt::Key_F6) << 44.0;
        QTest::newRow("main-menu row F3") << "row"
                                          << "ActionGraphGC_params" << int(Qt::Key_F3) << 45.0;
        QTest::newRow("main-menu row F6") << "row"
                                          << "ActionGraphTrans" << int(Qt::Key_F6) << 46.0;
        QTest::newRow("toolbar F5") << "toolbar"
                                    << "ActionGraphDivPosition" << int(Qt::Key_F5) << 47.0;
    }
    void enterReloadsTheTrendWindowInFront()
    {
        QFETCH(QString, route);
        QFETCH(QString, action);
        QFETCH(int, key);
        QFETCH(double, value);
        auto *open = Frame()->findChild<QAction *>(action);
        auto bringForward = [&] {
            // From the main menu, as the operator starts.
            QTest::keyClick(Frame(), Qt::Key_F1);
            if (route == QLatin1String("key")) {
                QTest::keyClick(Frame(), Qt::Key(key));
            } else if (route == QLatin1String("row")) {
                auto *row = Frame()->CurrentChild()->findChild<QWidget *>(
                    QStringLiteral("ActionLabel%1").arg(key - Qt::Key_F1 + 1));
                QVERIFY(row);
                QTest::mouseClick(row, Qt::LeftButton, {}, row->rect().center());
            } else {
                QWidget *button = Frame()->ToolBarMain->widgetForAction(open);
                QVERIFY(button);
                QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            }
        };
        bringForward();
        auto *trend = qobject_cast<TFormGraphTrend *>(Frame()->CurrentChild());
        QVERIFY(trend);
        QCOMPARE(Frame()->CurrentChild(), Frame()->RoutedChild(open));
        // The operator picks the test day; its records come in afterwards.
        trend->DateTimePicker1->setDate(MomentToDateTime(TestDay()).date());
        trend->ComboBox1->setCurrentIndex(2);
        QVERIFY(WriteRecords(Minutes(0, 30), [value](int) { return value; }));
        bringForward();
        QCOMPARE(Frame()->CurrentChild(), trend);
        QVERIFY(SlotValue(trend->Chart(0), 0, 10) != value);
        PressReturnWhereTheFocusIs();
        QTRY_VERIFY(!trend->Loading);
        QCOMPARE(SlotValue(trend->Chart(0), 0, 10), value);
    }

    void enterLoadsTheBrowserFromTheMenu()
    {
        QVERIFY(WriteRecords(Minutes(0, 4), [](int) { return 7; }));
        Frame()->ActionBaseView->trigger();
        auto *browser = qobject_cast<TFormBaseView *>(Frame()->CurrentChild());
        QVERIFY(browser);
        const QDateTime start = MomentToDateTime(DayStart());
        browser->DateTimePicker1->setDate(start.date());
        browser->DateTimePicker2->setTime(start.time());
        browser->DateTimePicker3->setDate(start.date());
        browser->DateTimePicker4->setTime(start.time().addSecs(3600));
        QCOMPARE(browser->Records()->rowCount(), 0);
        PressReturnWhereTheFocusIs();
        QTRY_COMPARE(browser->Records()->rowCount(), 5);
    }
};

TALMER_TEST(TestStationEnter)
#include "tst_StationEnter.moc"
