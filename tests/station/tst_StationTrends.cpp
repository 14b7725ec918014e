#include "FrameTestKit.h"
#include "TestMain.h"
#include "app/Main.h"
#include "charts/LevelGraph.h"
#include "report/WebPrint.h"
#include "station/Windows.h"
#include "trends/GraphTrend.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <memory>

// The trend windows and the report window as the station creates and routes them.
class TestStationTrends : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;

    TFormMain *Frame() const { return frame->get(); }

private slots:
    void initTestCase()
    {
        RegisterComponentLibraries();
        frame = std::make_unique<FrameUnderTest>();
        Frame()->CreateWindows(StationWindows());
        Frame()->show();
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }
    void cleanupTestCase() { frame.reset(); }

    void routes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("print");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("relayout");
        QTest::newRow("F3") << "ActionGraphGC_params"
                            << "ActionPrintHardParams"
                            << "TFormGraphHardParams" << true;
        QTest::newRow("F4") << "ActionGraphSuspLevel"
                            << "ActionPrintLevelGraph"
                            << "TFormGraphSuspLevel" << true;
        QTest::newRow("F5") << "ActionGraphDivPosition"
                            << "ActionPrintDiverGraph"
                            << "TFormGraphDSUS" << false;
        QTest::newRow("F6") << "ActionGraphTrans"
                            << "ActionPrintGraphTrans"
                            << "TFormGraphTrans" << false;
    }
    void routes()
    {
        QFETCH(QString, action);
        QFETCH(QString, print);
        QFETCH(QString, window);
        QFETCH(bool, relayout);
        auto *open = Frame()->findChild<QAction *>(action);
        auto *printAction = Frame()->findChild<QAction *>(print);
        open->trigger();
        auto *trend = qobject_cast<TFormGraphTrend *>(Frame()->CurrentChild());
        QVERIFY(trend);
        QCOMPARE(QLatin1String(trend->metaObject()->className()), window);
        QCOMPARE(Frame()->ToolButtonPrint->defaultAction(), printAction);
        QVERIFY(printAction->isEnabled());

        // Brought forward again: the windows that re-lay themselves out leave a blow-up.
        const int last = trend->ChartCount() - 1;
        trend->InverseZoom(last);
        Frame()->ActionMainMenu->trigger();
        QCOMPARE(Frame()->ToolButtonPrint->defaultAction(), Frame()->ActionPrint);
        QVERIFY(!Frame()->ToolButtonPrint->isEnabled());
        open->trigger();
        QCOMPARE(Frame()->CurrentChild(), trend);
        if (last > 0)
            QCOMPARE(trend->Chart(0)->isVisible(), relayout);
        trend->NormalLayout();
    }

    void printMenuShowsTheReport()
    {
        Frame()->ActionGraphSuspLevel->trigger(); // another window in front
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *report = qobject_cast<TFormWebPrint *>(QApplication::activeModalWidget());
            if (!report)
                return;
            shown = report->WebBrowser1->toPlainText();
            report->ButClose->click();
        });
        Frame()->ActionPrintHardParams->trigger();
        QVERIFY(shown.contains(
            QStringLiteral("Графики параметров процесса обогащения в тяжелых средах")));
        QVERIFY(shown.contains(QStringLiteral("Плотность суспензии, кг/м3")));
        QVERIFY(!shown.contains(QStringLiteral("LabelName")));
    }
};

TALMER_TEST(TestStationTrends)
#include "tst_StationTrends.moc"
