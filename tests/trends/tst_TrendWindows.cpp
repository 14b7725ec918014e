#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "TrendTestKit.h"
#include "app/Connection.h"
#include "app/EventLog.h"
#include "app/Global.h"
#include "app/Layout.h"
#include "app/Main.h"
#include "app/Report.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "base/IniFile.h"
#include "charts/LevelGraph.h"
#include "elements/Arrow.h"
#include "elements/OutField.h"
#include "trends/GraphDSUS.h"
#include "trends/GraphEditor.h"
#include "trends/GraphHardParams.h"
#include "trends/GraphSuspLevel.h"
#include "trends/GraphTrans.h"
#include "trends/TrendPrint.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

// Snapshot of every slot of every graph of the window's charts over the test day.
QList<double> Slots(const TFormGraphTrend &window)
{
    QList<double> all;
    for (int c = 0; c < window.ChartCount(); ++c)
        for (int g = 0; g < window.Chart(c)->GetGraphCount(); ++g)
            for (int m = 0; m < 1440; ++m)
                all << SlotValue(window.Chart(c), g, m);
    return all;
}

bool EventPosted(const QString &text)
{
    const TEventFIFO &ring = EventRing();
    for (int i = 0; i < ring.Capacity(); ++i)
        if (ring.Record(i).Text == text)
            return true;
    return false;
}

QRect NormalGeometry(const TFormGraphTrend &window, int i)
{
    return window.Chart(i)->geometry();
}

} // namespace

// The trend windows against records written into the private server.
class TestTrendWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;

private slots:
    void initTestCase()
    {
        frame = std::make_unique<FrameUnderTest>();
        QVERIFY(SQLConnection1().Connected());
        frame->get()->show(); // the windows printed from its menu live in its area
        QVERIFY(QTest::qWaitForWindowExposed(frame->get()));
    }
    void cleanupTestCase() { frame.reset(); }
    void init()
    {
        QVERIFY(ClearRecords());
        SetNowOverride(TestDay() + 3); // the test day lies in the past
        InteractiveSetup = false;
    }
    void cleanup()
    {
        SetNowOverride(0);
        InteractiveSetup = false;
        SetReportHandler({});
    }

    void fill_data()
    {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<QList<int>>("filled");
        QTest::addColumn<QList<int>>("empty");
        // Each record also fills the slot of its own minute: the newest one too.
        QTest::newRow("one minute apart") << Minutes(0, 30) << Minutes(0, 30) << QList<int> {31};
        QTest::newRow("a missing record is held over")
            << (Minutes(100, 110) + Minutes(112, 120)) << Minutes(100, 119) << QList<int> {99};
        QTest::newRow("a 6-minute hole stays empty")
            << (Minutes(0, 10) + Minutes(16, 25)) << (Minutes(0, 10) + Minutes(16, 25))
            << Minutes(11, 15);
        QTest::newRow("a hole of exactly 6 minutes after one record stays empty")
            << (QList<int> {0} + Minutes(6, 8)) << (QList<int> {0} + Minutes(6, 8))
            << Minutes(1, 5);
        QTest::newRow("a hole of exactly 5 minutes after one record is held")
            << (QList<int> {0} + Minutes(5, 8)) << Minutes(0, 8) << QList<int> {9};
        // The day's range ends a second before the next day starts; its last minute still has
        // a slot, which the record of 06:59 fills.
        QTest::newRow("the day's last minute")
            << Minutes(1428, 1439) << Minutes(1428, 1439) << QList<int> {1427};
    }
    void fill()
    {
        QFETCH(QList<int>, minutes);
        QFETCH(QList<int>, filled);
        QFETCH(QList<int>, empty);
        QVERIFY(WriteRecords(minutes, [](int m) { return 200 + m % 7; }));
        TFormGraphHardParams window;
        PrepareWindow(window);
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.Loading);
        QVERIFY(!window.WaitPanel->isVisible());
        for (int c = 0; c < window.ChartCount(); ++c) {
            for (int m : filled)
                QVERIFY2(SlotFilled(window.Chart(c), 0, m), qPrintable(QString::number(m)));
            for (int m : empty)
                QVERIFY2(!SlotFilled(window.Chart(c), 0, m), qPrintable(QString::number(m)));
        }
        // The newest record fetched again keeps its slot.
        window.CheckForUpdates();
        QVERIFY(SlotFilled(window.Chart(0), 0, minutes.last()));
    }

    void heldValuesFollowTheRecords()
    {
        // A step from 100 to 300 at minute 10: held slots show the level of the records around
        // them, never a value from elsewhere.
        QVERIFY(WriteRecords(Minutes(0, 20), [](int m) { return m < 10 ? 100 : 300; }));
        TFormGraphSuspLevel window;
        PrepareWindow(window);
        window.Reload();
        for (int m = 0; m < 8; ++m)
            QCOMPARE(SlotValue(window.Chart(0), 0, m), 100.0);
        for (int m = 11; m < 20; ++m)
            QCOMPARE(SlotValue(window.Chart(0), 1, m), 300.0);
        QCOMPARE(SlotValue(window.Chart(1), 0, 15), 300.0);
        QCOMPARE(window.LastLoaded, DayStart() + 19 * OneMinute + 50 * OneSecond);
    }

    void refetchedRecordChangesNothing()
    {
        QVERIFY(WriteRecords(Minutes(0, 59), [](int m) { return 10 + m; }));
        TFormGraphTrans window;
        PrepareWindow(window);
        window.Reload();
        const QList<double> loaded = Slots(window);
        window.CheckForUpdates();
        const QList<double> updated = Slots(window);
        QCOMPARE(updated.size(), loaded.size());
        QCOMPARE(updated, loaded);
    }

    void smallDataGiveYMaxFive()
    {
        QDir().mkpath(QStringLiteral("config"));
        {
            TIniFile ini(QStringLiteral("config/FormGraphDSUS.INI"));
            ini.WriteString(QStringLiteral("LevelGraphDSUSLimits"), QStringLiteral("YMin"),
                            QStringLiteral("0"));
            ini.WriteString(QStringLiteral("LevelGraphDSUSLimits"), QStringLiteral("YMax"),
                            QStringLiteral("3"));
        }
        QVERIFY(WriteRecords(Minutes(0, 10), [](int) { return 2.5; }));
        TFormGraphDSUS window;
        QCOMPARE(window.Chart(0)->GetYMax(), 3.0);
        PrepareWindow(window);
        window.Reload();
        QCOMPARE(window.Chart(0)->GetYMax(), 5.0);
        QFile::remove(QStringLiteral("config/FormGraphDSUS.INI"));
    }

    void limitsRoundTripLosslessly()
    {
        const double yMin = 1234.5678901234567, yMax = 2499.0000000000005, step = 0.1 + 0.2;
        {
            TFormGraphHardParams window;
            TLevelGraph *pls = window.FindChart(QStringLiteral("LevelGraphPLS"));
            pls->SetYMax(yMax);
            pls->SetYMin(yMin);
            pls->SetYLabelStep(step);
            pls->SetShowRightScale(true);
            pls->SetRightYMin(-7.25);
        }
        const TIniFile ini(QStringLiteral("config/FormGraphHardParams.INI"));
        QVERIFY(
            ini.ValueExists(QStringLiteral("LevelGraphPLSLimits"), QStringLiteral("RightYMin")));
        // Right-scale keys only for a chart that shows that scale.
        QVERIFY(
            !ini.ValueExists(QStringLiteral("LevelGraphTNKLimits"), QStringLiteral("RightYMin")));
        TFormGraphHardParams window;
        TLevelGraph *pls = window.FindChart(QStringLiteral("LevelGraphPLS"));
        QCOMPARE(pls->GetYMin(), yMin);
        QCOMPARE(pls->GetYMax(), yMax);
        QCOMPARE(pls->GetYLabelStep(), step);
        QFile::remove(QStringLiteral("config/FormGraphHardParams.INI"));
    }

    void timerInThePast()
    {
        QVERIFY(WriteRecords(Minutes(0, 9), [](int) { return 50; }));
        TFormGraphSuspLevel window;
        PrepareWindow(window);
        window.TimerUpdateTimer(); // the first tick loads
        QVERIFY(SlotFilled(window.Chart(0), 0, 5));
        QVERIFY(WriteRecords(Minutes(20, 21), [](int) { return 60; }));
        for (int tick = 2; tick <= 4; ++tick) {
            window.TimerUpdateTimer();
            QVERIFY2(!SlotFilled(window.Chart(0), 0, 20), "a past range never appends");
        }
        window.TimerUpdateTimer(); // the fifth tick reloads
        QVERIFY(SlotFilled(window.Chart(0), 0, 20));
        QVERIFY(!window.ReloadRequested);
        QVERIFY(WriteRecords(Minutes(30, 31), [](int) { return 70; }));
        for (int tick = 6; tick <= 12; ++tick)
            window.TimerUpdateTimer();
        QVERIFY2(!SlotFilled(window.Chart(0), 0, 30), "only one forced reload");
        QCOMPARE(window.TickCount, 12);
    }

    void timerAppendsToARunningRange()
    {
        QVERIFY(WriteRecords(Minutes(0, 9), [](int) { return 50; }));
        SetNowOverride(DayStart() + 10.5 * OneMinute);
        TFormGraphHardParams window;
        PrepareWindow(window);
        window.TimerUpdateTimer();
        QVERIFY(!SlotFilled(window.Chart(2), 0, 12));
        QVERIFY(WriteRecords(Minutes(10, 13), [](int) { return 55; }));
        SetNowOverride(DayStart() + 14.5 * OneMinute);
        window.TimerUpdateTimer();
        QCOMPARE(SlotValue(window.Chart(2), 0, 12), 55.0);
    }

    void blowUp_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("hard parameters") << QStringLiteral("FormGraphHardParams") << 0 << 2;
        QTest::newRow("levels") << QStringLiteral("FormGraphSuspLevel") << 1 << 0;
        QTest::newRow("conveyors") << QStringLiteral("FormGraphTrans") << 3 << 1;
    }
    void blowUp()
    {
        QFETCH(QString, form);
        QFETCH(int, first);
        QFETCH(int, second);
        std::unique_ptr<TFormGraphTrend> window(NewTrendWindow(form));
        PrepareWindow(*window);
        QList<QRect> normal;
        int scaled = 0;
        for (int i = 0; i < window->ChartCount(); ++i) {
            normal << NormalGeometry(*window, i);
            scaled += window->Chart(i)->GetShowScaleX();
            if (i > 0) // stacked without overlap
                QVERIFY(!normal[i].intersects(normal[i - 1]));
        }
        QCOMPARE(scaled, 1);
        const QRect whole(0, window->PanelTop->height(), window->width(),
                          window->height() - window->PanelTop->height());

        auto press = [&](int ix) {
            QToolButton *button = window->ZoomButtons.at(ix);
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        };
        press(first);
        for (int i = 0; i < window->ChartCount(); ++i)
            QCOMPARE(window->Chart(i)->isVisible(), i == first);
        QCOMPARE(window->Chart(first)->geometry(), whole);
        QVERIFY(window->Chart(first)->GetShowScaleX());
        press(second); // from one blow-up to another
        QCOMPARE(window->Chart(second)->geometry(), whole);
        QVERIFY(!window->Chart(first)->isVisible());
        press(second); // and back to the normal layout, not to the first blow-up
        for (int i = 0; i < window->ChartCount(); ++i) {
            QVERIFY(window->Chart(i)->isVisible());
            QCOMPARE(window->Chart(i)->geometry(), normal[i]);
        }
        for (int ix : {-1, 10, int(window->ChartCount())}) {
            window->InverseZoom(ix);
            for (int i = 0; i < window->ChartCount(); ++i)
                QCOMPARE(window->Chart(i)->geometry(), normal[i]);
        }
    }

    void cursorCoupling()
    {
        TFormGraphTrans window;
        PrepareWindow(window);
        window.Reload();
        TLevelGraph *clicked = window.Chart(2);
        const TMoment before = clicked->GetCursorTime();
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(clicked->width() / 4, 60));
        const TMoment moved = clicked->GetCursorTime();
        QVERIFY(moved < before - OneHour);
        for (int i = 0; i < window.ChartCount(); ++i)
            QCOMPARE(window.Chart(i)->GetCursorTime(), moved);
    }

    void dividerReadout()
    {
        QVERIFY(WriteRecords(Minutes(0, 100), [](int) { return 42.25; }));
        TFormGraphDSUS window;
        PrepareWindow(window);
        window.Reload();
        TLevelGraph *chart = window.Chart(0);
        const QPoint at(int(chart->TimeToScreenX(DayStart() + 50 * OneMinute)) + 1, 80);
        QTest::mouseClick(chart, Qt::LeftButton, {}, at);
        QCOMPARE(window.OutFieldCursorVal->GetCaption(), QStringLiteral("42.3"));
        QCOMPARE(window.OutFieldCurTime->GetCaption(),
                 FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), chart->GetCursorTime()));
    }

    void dividerReadoutAfterLoad_data()
    {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        // The cursor stands in the middle of the day after a load: the slot of 18:59.
        QTest::newRow("the cursor's value at once") << Minutes(700, 740) << 42.25 << "42.3";
        QTest::newRow("an empty slot is blank") << Minutes(0, 10) << 42.25 << "";
        QTest::newRow("zero reads 0.0") << Minutes(700, 740) << 0.0 << "0.0";
    }
    void dividerReadoutAfterLoad()
    {
        QFETCH(QList<int>, minutes);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QVERIFY(WriteRecords(minutes, [value](int) { return value; }));
        TFormGraphDSUS window;
        PrepareWindow(window);
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(window.OutFieldCursorVal->GetCaption().trimmed(), shown);
        window.CheckForUpdates();
        QCOMPARE(window.OutFieldCursorVal->GetCaption().trimmed(), shown);
    }

    void nullMeasurementLeavesAHole()
    {
        QVERIFY(WriteRecords(Minutes(0, 20), [](int) { return 50; }));
        QVERIFY(
            TestDb::Exec(TestDb::Open(),
                         QStringLiteral("update pu_data set TNK23 = NULL where RecMoment = '%1'")
                             .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"),
                                                 DayStart() + 10 * OneMinute))));
        TFormGraphHardParams window;
        PrepareWindow(window);
        window.Reload();
        TLevelGraph *load = window.FindChart(QStringLiteral("LevelGraphTNK"));
        QVERIFY(!SlotFilled(load, 0, 10));
        for (int m : Minutes(0, 20))
            if (m != 10)
                QVERIFY2(SlotValue(load, 0, m) == 50, qPrintable(QString::number(m)));
        QCOMPARE(SlotValue(window.FindChart(QStringLiteral("LevelGraphPLS")), 0, 10), 50.0);
    }

    void lateFetchAfterAnEmptyLoad()
    {
        SetNowOverride(DayStart() + 10 * OneMinute);
        TFormGraphSuspLevel window;
        PrepareWindow(window);
        window.Reload();
        QVERIFY(!SlotFilled(window.Chart(0), 0, 0));
        // The previous day's last record, then the new day's first ones.
        QVERIFY(WriteRecords({-1}, [](int) { return 99; }));
        QVERIFY(WriteRecords(Minutes(0, 3), [](int m) { return 5 + m; }));
        window.CheckForUpdates();
        QCOMPARE(SlotValue(window.Chart(0), 0, 0), 5.0);
    }

    void reportBeforeTheFirstLoad()
    {
        TFormGraphDSUS window;
        QStringList shownValues;
        SetReportHandler([&](const QString &, const QStringList &, const QStringList &v) {
            shownValues = v;
            return true;
        });
        window.Print();
        QCOMPARE(shownValues.value(1), QStringLiteral("12.03.2026")); // the picker's working day
    }

    void setupModeRightButton()
    {
        TFormGraphHardParams window;
        PrepareWindow(window);
        TLevelGraph *chart = window.Chart(1);
        bool opened = false;
        auto closeIfOpen = [&] {
            if (auto *dialog = qobject_cast<TFormEditGraph *>(QApplication::activeModalWidget())) {
                opened = true;
                dialog->reject();
            }
        };
        QTimer::singleShot(0, closeIfOpen);
        QTest::mouseClick(chart, Qt::RightButton, {}, QPoint(200, 80));
        QApplication::processEvents();
        QVERIFY(!opened);
        // Outside the setup mode the menu over a chart offers the window's items and the chart's.
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(200, 80),
                                  chart->mapToGlobal(QPoint(200, 80)));
        QApplication::sendEvent(chart, &request);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList items;
        for (const QAction *action : menu->actions())
            items << action->text();
        QCOMPARE(items,
                 (QStringList {QStringLiteral("Показать цифровые значения"),
                               QStringLiteral("Весь интервал"), QStringLiteral("Экспорт в CSV...")}));
        menu->close();

        // Switched as the configuration dialog does: the open window re-binds itself.
        SetInteractiveSetup(true);
        QCOMPARE(window.findChild<QWidget *>(QStringLiteral("LabelLegend21"))->cursor().shape(),
                 Qt::CrossCursor);
        QTimer::singleShot(0, closeIfOpen);
        QTest::mouseClick(chart, Qt::RightButton, {}, QPoint(200, 80));
        QVERIFY(opened);
        QApplication::sendEvent(chart, &request);
        QVERIFY(!QApplication::activePopupWidget());
        SetInteractiveSetup(false);
        QCOMPARE(window.findChild<QWidget *>(QStringLiteral("LabelLegend21"))->cursor().shape(),
                 Qt::ArrowCursor);
    }

    void print_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("firstPicture");
        const QStringList head {QStringLiteral("QRLabelTitle"), QStringLiteral("QRLabelDate")};
        auto names = [](const QString &prefix, int count) {
            QStringList list;
            for (int i = 1; i <= count; ++i)
                list << prefix.arg(i);
            return list;
        };
        QTest::newRow("hard parameters")
            << QStringLiteral("FormGraphHardParams") << QStringLiteral("PrintWeb3.html")
            << head + names(QStringLiteral("LabelName%1"), 3)
                + names(QStringLiteral("pic%1.BMP"), 3)
            << QStringLiteral("pic0.png");
        QTest::newRow("levels") << QStringLiteral("FormGraphSuspLevel")
                                << QStringLiteral("PrintWeb2.html")
                                << head + names(QStringLiteral("LabelName%1"), 2)
                + names(QStringLiteral("pic%1.BMP"), 2)
                                << QStringLiteral("SL_pic0.png");
        QTest::newRow("divider") << QStringLiteral("FormGraphDSUS")
                                 << QStringLiteral("PrintWeb1.html")
                                 << head + names(QStringLiteral("pic%1.BMP"), 1)
                                 << QStringLiteral("DIV_pic0.png");
        QTest::newRow("conveyors")
            << QStringLiteral("FormGraphTrans") << QStringLiteral("PrintWeb4.html")
            << head + names(QStringLiteral("LabelName%1"), 4)
                + names(QStringLiteral("pic%1.BMP"), 4)
            << QStringLiteral("pic0.png");
    }
    void print()
    {
        QFETCH(QString, form);
        QFETCH(QString, templateName);
        QFETCH(QStringList, keys);
        QFETCH(QString, firstPicture);
        QVERIFY(WriteRecords(Minutes(0, 600), [](int m) { return 20 + m % 50; }));
        TFormGraphTrend *window = NewTrendWindow(form);
        PrepareWindow(*window);
        frame->get()->ShowChild(window);
        window->NormalLayout();
        window->Reload();
        QString templatePath;
        QStringList shownKeys, shownValues;
        SetReportHandler([&](const QString &path, const QStringList &k, const QStringList &v) {
            templatePath = path;
            shownKeys = k;
            shownValues = v;
            return true;
        });
        // The print menu's route for this window.
        QAction *print = frame->get()->*window->Def().PrintAction;
        QVERIFY(print->isEnabled());
        print->trigger();
        QCOMPARE(templatePath, QDir(TemplateDir).filePath(templateName));
        QCOMPARE(shownKeys, keys);
        QCOMPARE(shownValues.at(0), window->Def().Title);
        QCOMPARE(shownValues.at(1), QStringLiteral("10.03.2026"));
        const QStringList pictures = shownValues.mid(shownValues.size() - window->ChartCount());
        QCOMPARE(QFileInfo(pictures.first()).fileName(), firstPicture);
        // The report is written into the temporary folder too: a relative folder must not be
        // resolved twice.
        const QString temp = TempDir;
        TempDir = QStringLiteral("Temp");
        QVERIFY(QFileInfo(TrendPicturePaths(*window).first()).isAbsolute());
        TempDir = temp;
        for (int n = 0; n < pictures.size(); ++n) {
            const QImage image(pictures.at(n));
            QCOMPARE(image.size(), QSize(1000, 500));
            // Every legend arrow of the chart is drawn across its place in the picture.
            TLevelGraph *chart = window->Chart(n);
            const double kx = 1000.0 / chart->width(), ky = 500.0 / chart->height();
            for (TArrow *arrow : chart->findChildren<TArrow *>()) {
                const QPoint mid(int((arrow->x() + arrow->width() / 2.0) * kx),
                                 int((arrow->y() + arrow->height() / 2.0) * ky));
                QCOMPARE(QColor(image.pixel(mid)), ColorToQColor(arrow->GetColor()));
            }
        }
        // Printed from the menu while another window is in front: the same pictures.
        const QImage inFront(pictures.first());
        auto *other = new QWidget;
        frame->get()->ShowChild(other);
        print->trigger();
        QCOMPARE(QImage(pictures.first()), inFront);
        delete other->parentWidget();
        delete window->parentWidget();
    }

    void linkDropAndReturn()
    {
        QVERIFY(WriteRecords(Minutes(0, 20), [](int) { return 80; }));
        TFormGraphSuspLevel window;
        PrepareWindow(window);
        {
            TestDb::StoppedServer server;
            QVERIFY(server.stopped);
            QSqlDatabase::database(QStringLiteral("testdb"), false).close();
            window.ReloadRequested = true;
            window.TimerUpdateTimer();
            window.Reload();
            QVERIFY(!window.Loading);
            QVERIFY(!window.TimerBusy);
            QVERIFY(EventPosted(QStringLiteral("Ошибка в TFormGraphSuspLevel::Reload()")));
            window.CheckForUpdates();
            QVERIFY(!window.Loading);
            QVERIFY(
                EventPosted(QStringLiteral("Ошибка в TFormGraphSuspLevel::CheckForUpdates().")));
            QVERIFY(!SlotFilled(window.Chart(0), 0, 10));
            QVERIFY(server.Restart());
        }
        // The frame reopens the link on its own; then Enter loads as ever.
        QTRY_VERIFY_WITH_TIMEOUT(SQLConnection1().Connected(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(
            (QTest::keyClick(&window, Qt::Key_Return), SlotFilled(window.Chart(0), 0, 10)), 40000);
        QCOMPARE(SlotValue(window.Chart(1), 0, 10), 80.0);
    }
};

TALMER_TEST(TestTrendWindows)
#include "tst_TrendWindows.moc"
