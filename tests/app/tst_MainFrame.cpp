#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestMain.h"
#include "app/Global.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "app/MainMenu.h"
#include "app/PowerOff.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

namespace {

// Plain windows behind every window-bringing action, as the window table makes them.
class TPlainWindow : public QWidget
{
public:
    explicit TPlainWindow(TFormMain *) { }
};

void RouteAll(TFormMain *frame)
{
    using F = TFormMain;
    const std::pair<QAction * F::*, QAction * F::*> routes[] = {
        {&F::ActionMnemo, &F::ActionPrint},
        {&F::ActionGraphGC_params, &F::ActionPrintHardParams},
        {&F::ActionGraphSuspLevel, &F::ActionPrintLevelGraph},
        {&F::ActionGraphDivPosition, &F::ActionPrintDiverGraph},
        {&F::ActionGraphTrans, &F::ActionPrintGraphTrans},
        {&F::ActionWorkLog, &F::ActionPrintGCWorkReg},
        {&F::ActionSvodTable, &F::ActionPrintSvodTable},
        {&F::ActionBaseView, nullptr},
    };
    QList<TWindowRow> rows;
    for (const auto &[action, print] : routes)
        rows.append(ChildWindow<TPlainWindow>(action, print));
    frame->CreateWindows(rows);
    for (const auto &[action, print] : routes)
        frame->RoutedChild(frame->*action)
            ->setObjectName((frame->*action)->objectName() + QStringLiteral("Window"));
}

QAction *FrameAction(TFormMain *frame, const QString &name)
{
    return frame->findChild<QAction *>(name);
}

// The tooltip a control shows when the mouse rests on it; empty for none.
QString ShownToolTip(QWidget *control)
{
    QToolTip::hideText();
    const QPoint at(4, 4);
    QHelpEvent event(QEvent::ToolTip, at, control->mapToGlobal(at));
    QApplication::sendEvent(control, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

bool SettingsSaved(const FrameUnderTest &frame)
{
    QFile file(frame.SettingsPath());
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("Caption=");
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT

private slots:
    void exitQuestion_data()
    {
        QTest::addColumn<bool>("byAction");
        QTest::addColumn<int>("answer");
        QTest::newRow("menu, yes") << true << int(mbYes);
        QTest::newRow("menu, no") << true << int(mbNo);
        QTest::newRow("close box, yes") << false << int(mbYes);
        QTest::newRow("close box, no") << false << int(mbNo);
    }
    void exitQuestion()
    {
        QFETCH(bool, byAction);
        QFETCH(int, answer);
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        feedback.clear();
        feedback.answers = {answer};
        if (byAction)
            frame->ActionExit->trigger();
        else
            frame->close();

        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(),
                 QStringLiteral("Вы действительно хотите завершить работу с программой?"));
        QCOMPARE(feedback.messages[0].caption, QStringLiteral("Выход"));
        QCOMPARE(feedback.messages[0].buttons, int(mbYes | mbNo));
        QCOMPARE(feedback.messages[0].defaultButton, int(mbNo));
        const bool yes = answer == mbYes;
        QCOMPARE(frame->isVisible(), !yes);
        QCOMPARE(SettingsSaved(frame), yes);

        // The computer is powered off only after a confirmed exit, when so configured.
        int powerOffs = 0;
        SetPowerOffRequest([&] { ++powerOffs; });
        ShutdownOnExit = true;
        frame.frame.reset();
        ShutdownOnExit = false;
        SetPowerOffRequest({});
        QCOMPARE(powerOffs, yes ? 1 : 0);
    }

    void functionKeysBindPrintButton_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("print");
        QTest::newRow("F1 main menu") << QList<int> {Qt::Key_F3, Qt::Key_F1} << "FormMainMenu"
                                      << "ActionPrint";
        QTest::newRow("F2 diagram") << QList<int> {Qt::Key_F3, Qt::Key_F2} << "ActionMnemoWindow"
                                    << "ActionPrint";
        QTest::newRow("F3 parameters") << QList<int> {Qt::Key_F3} << "ActionGraphGC_paramsWindow"
                                       << "ActionPrintHardParams";
        QTest::newRow("F4 levels") << QList<int> {Qt::Key_F4} << "ActionGraphSuspLevelWindow"
                                   << "ActionPrintLevelGraph";
        QTest::newRow("F5 divider") << QList<int> {Qt::Key_F5} << "ActionGraphDivPositionWindow"
                                    << "ActionPrintDiverGraph";
        QTest::newRow("F6 conveyors") << QList<int> {Qt::Key_F6} << "ActionGraphTransWindow"
                                      << "ActionPrintGraphTrans";
        QTest::newRow("F7 journal") << QList<int> {Qt::Key_F7} << "ActionWorkLogWindow"
                                    << "ActionPrintGCWorkReg";
        QTest::newRow("F8 summary") << QList<int> {Qt::Key_F8} << "ActionSvodTableWindow"
                                    << "ActionPrintSvodTable";
    }
    void functionKeysBindPrintButton()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, child);
        QFETCH(QString, print);
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        RouteAll(frame.get());
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        for (int key : keys)
            QTest::keyClick(frame.get(), Qt::Key(key));
        QVERIFY(frame->CurrentChild());
        QCOMPARE(frame->CurrentChild()->objectName(), child);
        QVERIFY(frame->CurrentChild()->isVisible());
        QCOMPARE(frame->ToolButtonPrint->defaultAction()->objectName(), print);
        QVERIFY(frame->MdiArea->activeSubWindow()->isMaximized());
        QVERIFY(QFileInfo(frame.folder.filePath(QStringLiteral("config"))).isDir());
    }

    void browserKeepsPrintBinding()
    {
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        RouteAll(frame.get());
        frame->ActionGraphDivPosition->trigger();
        frame->ActionBaseView->trigger();
        QCOMPARE(frame->CurrentChild(), frame->RoutedChild(frame->ActionBaseView));
        QCOMPARE(frame->ToolButtonPrint->defaultAction(), frame->ActionPrintDiverGraph);
        // A window is created once and brought forward again afterwards.
        QWidget *divider = frame->RoutedChild(frame->ActionGraphDivPosition);
        frame->ActionGraphDivPosition->trigger();
        QCOMPARE(frame->CurrentChild(), divider);
    }

    void windowsExistFromStartUp()
    {
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        RouteAll(frame.get());
        QStringList created;
        for (const QMdiSubWindow *window : frame->MdiArea->subWindowList())
            created << window->widget()->objectName();
        QCOMPARE(created,
                 QStringList({"FormMainMenu", "ActionMnemoWindow", "ActionGraphGC_paramsWindow",
                              "ActionGraphSuspLevelWindow", "ActionGraphDivPositionWindow",
                              "ActionGraphTransWindow", "ActionWorkLogWindow",
                              "ActionSvodTableWindow", "ActionBaseViewWindow"}));
        for (const QMdiSubWindow *window : frame->MdiArea->subWindowList())
            QVERIFY(!window->isHidden());
        // Only a window that was closed and freed is made again by its action.
        QPointer<QWidget> journal = frame->RoutedChild(frame->ActionWorkLog);
        journal->parentWidget()->close();
        QTRY_VERIFY(!journal);
        QCOMPARE(frame->RoutedChild(frame->ActionWorkLog), nullptr);
        frame->ActionWorkLog->trigger();
        QVERIFY(frame->RoutedChild(frame->ActionWorkLog));
        QCOMPARE(frame->CurrentChild(), frame->RoutedChild(frame->ActionWorkLog));
    }

    void windowsOfLaterIssuesAreDisabled()
    {
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        for (const char *name : {"ActionMnemo", "ActionGraphTrans", "ActionWorkLog", "ActionConfig",
                                 "ActionBaseView", "ActionPrint", "ActionPrintGraphTrans"}) {
            QAction *action = FrameAction(frame.get(), QString::fromLatin1(name));
            QVERIFY2(action && !action->isEnabled(), name);
            QVERIFY2(!action->text().isEmpty(), name);
        }
        QVERIFY(frame->ActionMainMenu->isEnabled());
        QVERIFY(frame->ActionAbout->isEnabled());
        QVERIFY(!frame->ToolButtonPrint->isEnabled());
    }

    // A control shows its action's hint as its tooltip, and none for an action without a hint
    // (not the caption Qt would show in its place): on the toolbar and on the main menu window.
    void hintsAsTooltips_data()
    {
        QTest::addColumn<QString>("control"); // toolbar action, "print:" action, "menu:" control
        QTest::addColumn<QString>("hint");
        const QString mnemo =
            QStringLiteral("Показать мнемосхему  процесса обогащения  угля в тяжелых средах");
        QTest::newRow("toolbar, diagram") << "ActionMnemo" << mnemo;
        QTest::newRow("toolbar, conveyors") << "ActionGraphTrans"
                                            << "";
        QTest::newRow("print button, neutral")
            << "print:ActionPrint"
            << "Выберите данные для печати через пункт меню \"Печать\"";
        QTest::newRow("print button, conveyors") << "print:ActionPrintGraphTrans"
                                                 << "";
        QTest::newRow("main menu, F2 caption") << "menu:ActionLabel2" << mnemo;
        QTest::newRow("main menu, F6 caption") << "menu:ActionLabel6"
                                               << "";
        QTest::newRow("main menu, F6 picture") << "menu:ActionImage1"
                                               << "";
    }
    void hintsAsTooltips()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        RouteAll(frame.get());
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QWidget *widget = nullptr;
        const QString name = control.section(QLatin1Char(':'), -1);
        if (control.startsWith(QStringLiteral("menu:"))) {
            widget = FormMainMenu->findChild<QWidget *>(name);
        } else if (control.startsWith(QStringLiteral("print:"))) {
            frame->ToolButtonPrint->setDefaultAction(FrameAction(frame.get(), name));
            widget = frame->ToolButtonPrint;
        } else {
            widget = frame->ToolBarMain->widgetForAction(FrameAction(frame.get(), name));
        }
        QVERIFY(widget);
        QCOMPARE(ShownToolTip(widget), hint);
    }

    void mainMenuRows_data()
    {
        QTest::addColumn<int>("panelHeight");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("682") << 682 << 97;
        QTest::newRow("700") << 700 << 100;
        QTest::newRow("6") << 6 << 0;
    }
    void mainMenuRows()
    {
        QFETCH(int, panelHeight);
        QFETCH(int, rowHeight);
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        frame->resize(1100, 1000);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QVERIFY(FormMainMenu && FormMainMenu->isVisible());
        FormMainMenu->PanelCenter->setFixedSize(800, panelHeight);
        QTRY_COMPARE(FormMainMenu->PanelCenter->height(), panelHeight);
        const QList<QWidget *> &rows = FormMainMenu->PanelCenter->Rows();
        QCOMPARE(rows.size(), 7);
        const QStringList names = {"PanelF2", "PanelF3", "PanelF4", "PanelF5",
                                   "PanelF6", "PanelF7", "PanelF8"};
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i]->objectName(), names[i]);
            QCOMPARE(rows[i]->geometry(), QRect(0, i * rowHeight, 800, rowHeight));
        }
    }

    // A click on a row's picture or caption does what the row's function key does.
    void mainMenuClicks_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("print");
        QTest::newRow("F6 picture") << "ActionImage1"
                                    << "ActionGraphTransWindow"
                                    << "ActionPrintGraphTrans";
        QTest::newRow("F2 picture") << "Image1"
                                    << "ActionMnemoWindow"
                                    << "ActionPrint";
        QTest::newRow("F8 picture") << "Image6"
                                    << "ActionSvodTableWindow"
                                    << "ActionPrintSvodTable";
        QTest::newRow("F4 caption") << "ActionLabel4"
                                    << "ActionGraphSuspLevelWindow"
                                    << "ActionPrintLevelGraph";
    }
    void mainMenuClicks()
    {
        QFETCH(QString, control);
        QFETCH(QString, child);
        QFETCH(QString, print);
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        RouteAll(frame.get());
        frame->resize(1024, 768);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QVERIFY(FormMainMenu && FormMainMenu->isVisible());
        auto *target = FormMainMenu->findChild<QWidget *>(control);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(frame->CurrentChild());
        QCOMPARE(frame->CurrentChild()->objectName(), child);
        QCOMPARE(frame->ToolButtonPrint->defaultAction()->objectName(), print);
    }

    // The info panel fills the toolbar up to its right end, the clock and lamp at its right edge,
    // whatever the width of the frame.
    void infoPanelLayout_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("1280") << 1280;
        QTest::newRow("1600") << 1600;
    }
    void infoPanelLayout()
    {
        QFETCH(int, width);
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        frame->setWindowState(Qt::WindowNoState);
        frame->resize(width, 700);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QTRY_COMPARE(frame->ToolBarMain->width(), width);
        const QRect panel = frame->PanelInfo->geometry();
        QVERIFY2(frame->ToolBarMain->width() - panel.right() < 16,
                 qPrintable(QString::number(panel.right())));
        QCOMPARE(frame->LabelClock->width(), 93);
        QCOMPARE(frame->PanelLink->geometry().right(), panel.width() - 1);
        QCOMPARE(frame->LabelClock->geometry().right() + 1, frame->PanelLink->geometry().left());

        // Painted: lime digits on black, the lamp silver before any heartbeat.
        const QImage image = frame->PanelInfo->grab().toImage();
        const QRect clock = frame->LabelClock->geometry();
        QCOMPARE(image.pixelColor(clock.left() + 2, clock.top() + 2), QColor(Qt::black));
        bool lime = false;
        for (int x = clock.left(); x <= clock.right() && !lime; ++x)
            lime = image.pixelColor(x, clock.center().y()) == QColor(0, 255, 0);
        QVERIFY(lime);
        const QPoint lamp = frame->ShapeLink->geometry().center() + frame->PanelLink->pos();
        QCOMPARE(image.pixelColor(lamp), LinkSilver);
    }
};

TALMER_TEST(TestMainFrame)
#include "tst_MainFrame.moc"
