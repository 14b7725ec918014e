#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestMain.h"
#include "station/Windows.h"

#include <QAction>
#include <QMdiArea>
#include <QTest>

class TestStationWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterComponentLibraries(); }
    void everyWindowAtStartUpInItsOrder();
};

void TestStationWindows::everyWindowAtStartUpInItsOrder()
{
    RecordingFeedback feedback;
    FrameUnderTest frame(NoServerHost, QString(), false);
    QStringList created;
    QList<TWindowRow> rows;
    for (TWindowRow row : StationWindows()) {
        row.Create = [&created, make = row.Create](TFormMain &main) {
            QWidget *window = make(main);
            created << window->objectName();
            return window;
        };
        rows << row;
    }
    frame->CreateWindows(rows);
    QCOMPARE(created, QStringList({"FormMnemo",           "FormMainMenu",       "FormArrowEdit",
                                   "FormEditBarrel",      "FormOutFieldEdit",   "FormEditPoligon",
                                   "FormEditPump",        "FormWebPrint",       "FormAbout",
                                   "FormGraphHardParams", "FormGraphSuspLevel", "FormGraphDSUS",
                                   "FormLogView",         "FormConfig",         "FormSvodTable",
                                   "FormInputNewSet",     "FormBaseView",       "FormGraphTrans",
                                   "FormDiagnostics",     "FormCommandLog",     "FormAlarms"}));
    // Every window-bringing action now shows its own window, with no link to the server.
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    for (QAction *action :
         {frame->ActionMnemo, frame->ActionGraphGC_params, frame->ActionGraphSuspLevel,
          frame->ActionGraphDivPosition, frame->ActionGraphTrans, frame->ActionWorkLog,
          frame->ActionSvodTable, frame->ActionBaseView, frame->ActionDiagnostics,
          frame->ActionCommandLog, frame->ActionAlarms}) {
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
        action->trigger();
        QVERIFY2(frame->CurrentChild() && frame->CurrentChild() == frame->RoutedChild(action),
                 qPrintable(action->objectName()));
        QVERIFY(frame->CurrentChild()->isVisible());
    }
}

TALMER_TEST(TestStationWindows)
#include "TestStationWindows.moc"
