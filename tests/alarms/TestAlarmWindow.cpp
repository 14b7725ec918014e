#include "AlarmTestKit.h"
#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "alarms/AlarmBanner.h"
#include "alarms/AlarmFrames.h"
#include "alarms/FormAlarms.h"
#include "app/Main.h"
#include "elements/OutField.h"
#include "views/DataGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QLabel>
#include <QTabBar>
#include <QTest>

using namespace AlarmTestKit;

// The alarm window in the main frame: the banner, F9 and the banner's click, the archive of a
// crafted day, the frame on a value field.
class TestAlarmWindow : public QObject
{
    Q_OBJECT

    QSqlDatabase Db() const { return TestDb::Open(); }

    static TFormAlarms *OpenFrameWindow(FrameUnderTest &frame)
    {
        frame->CreateWindows(
            {ChildWindow<TFormAlarms>(&TFormMain::ActionAlarms, &TFormMain::ActionPrintAlarms)});
        return qobject_cast<TFormAlarms *>(frame->RoutedChild(frame->ActionAlarms));
    }
    // Rows of the archive grid as "code state" texts.
    static QStringList ArchiveRows(TFormAlarms *window)
    {
        const TGridModel *model = window->GridArchive->Model();
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->DisplayText(row, 1) + ' ' + model->DisplayText(row, 9);
        return rows;
    }

private slots:
    void init() { QVERIFY(Reset(Db())); }
    void cleanup() { SetNowOverride(0); }

    void bannerShowsAndOpensTheWindow();
    void archiveShowsACraftedDay();
    void valueFieldInAlarmIsFramed_data();
    void valueFieldInAlarmIsFramed();
};

void TestAlarmWindow::bannerShowsAndOpensTheWindow()
{
    RecordingFeedback feedback;
    SetNowOverride(RecordMoment(0));
    FrameUnderTest frame;
    TFormAlarms *window = OpenFrameWindow(frame);
    QVERIFY(window);
    // Wide enough for the info panel beside the toolbar's buttons.
    frame->setWindowState(Qt::WindowNoState);
    frame->resize(1600, 800);
    frame->show();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QVERIFY(window->Banner->isVisible());
    QCOMPARE(window->Banner->parentWidget(), frame->PanelAlarm);

    QVERIFY(WriteRecord(Db(), 0, {{"URNS", 93}}));
    QVERIFY(WriteRecord(Db(), 1, {{"URNS", 94}, {"BKK2", 0}}));
    SetNowOverride(RecordMoment(1) + 30 * OneSecond);
    feedback.beeps = 0;
    window->Monitor->Tick();
    // The high-priority conveyor stop is shown over the older medium level; both await.
    QCOMPARE(window->Banner->View().Unacked, 2);
    QCOMPARE(window->Banner->View().Text,
             AlarmConditions()[AlarmConditionIndex(QStringLiteral("K2_STOP"))].Text);
    QCOMPARE(feedback.beeps, 1);
    window->Monitor->Tick();
    QCOMPARE(feedback.beeps, 1); // announced once
    window->Banner->SetFlashOn(true);
    const QImage on = window->Banner->grab().toImage();
    QCOMPARE(on.pixelColor(5, 4), PriorityColor(TAlarmPriority::High));
    window->Banner->SetFlashOn(false);
    const QImage off = window->Banner->grab().toImage();
    QVERIFY(off.pixelColor(5, 4) != PriorityColor(TAlarmPriority::High));

    // A click on the banner brings the window; F9 brings it back from elsewhere.
    QTest::mouseClick(window->Banner, Qt::LeftButton);
    QCOMPARE(frame->CurrentChild(), window);
    frame->ActionMainMenu->trigger();
    QVERIFY(frame->CurrentChild() != window);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame.get(),
                    Qt::Key_F9);
    QCOMPARE(frame->CurrentChild(), window);
    QCOMPARE(window->ShownAlarms().size(), 2);
    QVERIFY(feedback.messages.isEmpty());
}

void TestAlarmWindow::archiveShowsACraftedDay()
{
    SetNowOverride(EncodeMoment(Year, Month, Day, 12));
    // The day from 07:00 to 06:59:59 next morning, with one activation on each side of it.
    const char *rows[] = {
        "('URKS_HI', 3, 'a', 95, 90, '2026-06-10 06:59:59', '2026-06-10 07:10:00', NULL, NULL, "
        "NULL, NULL)",
        "('URKS_HI', 3, 'b', 95, 90, '2026-06-10 07:00:00', '2026-06-10 07:05:00', "
        "'2026-06-10 07:06:00', 'op@h', NULL, NULL)",
        "('PLS_DEV', 3, 'c', 1890, 1880, '2026-06-10 09:00:00', NULL, NULL, NULL, NULL, NULL)",
        "('K2_STOP', 3, 'd', NULL, NULL, '2026-06-10 10:00:00', NULL, '2026-06-10 10:01:00', "
        "'op@h', NULL, NULL)",
        "('URNS_LO', 2, 'e', 12, 15, '2026-06-10 11:00:00', '2026-06-10 11:30:00', NULL, NULL, "
        "NULL, NULL)",
        "('SENSOR_PLS', 1, 'f', NULL, NULL, '2026-06-11 06:59:59', NULL, NULL, NULL, "
        "'2026-06-10 11:50:00', '2026-06-10 13:00:00')",
        "('URKS_HI', 3, 'g', 95, 90, '2026-06-11 07:00:00', NULL, NULL, NULL, NULL, NULL)",
    };
    for (const char *row : rows)
        QVERIFY(TestDb::Exec(
            Db(),
            QStringLiteral("insert into alarm_log (Code, Priority, AlarmText, Value, "
                           "AlarmLimit, Activated, Returned, AckedAt, AckedBy, ShelvedAt, "
                           "ShelvedUntil) values ")
                + QString::fromLatin1(row)));
    QVERIFY(TestDb::Exec(Db(),
                         QStringLiteral("update alarm_log set ShelvedBy = 'op@h', "
                                        "ShelveReason = 'ремонт' where Code = 'SENSOR_PLS'")));

    FrameUnderTest frame;
    TFormAlarms *window = OpenFrameWindow(frame);
    frame->ActionAlarms->trigger();
    QTabBar *tabs = window->PageControl->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(window->PageControl->currentWidget(), window->TabArchive);
    QCOMPARE(ArchiveRows(window),
             QStringList({"URKS_HI В норме", "PLS_DEV Активна, не квитирована",
                          "K2_STOP Активна, квитирована", "URNS_LO В норме, не квитирована",
                          "SENSOR_PLS Отложена до 10.06 13:00"}));
    QCOMPARE(window->LabelArchive->text(), QStringLiteral("Тревог за период: 5"));

    // One code, chosen with the keys and shown with Enter.
    window->ComboCode->setFocus();
    const int wanted = window->ComboCode->findData(QStringLiteral("URKS_HI"));
    while (window->ComboCode->currentIndex() < wanted)
        QTest::keyClick(window->ComboCode, Qt::Key_Down);
    QTest::keyClick(window->ComboCode, Qt::Key_Return);
    QCOMPARE(ArchiveRows(window), QStringList({"URKS_HI В норме"}));
    // Two production days take in the next morning.
    window->ComboCode->setCurrentIndex(0);
    window->DateTo->setDate(QDate(Year, Month, Day + 1));
    QTest::mouseClick(window->ButShow, Qt::LeftButton);
    QCOMPARE(ArchiveRows(window).size(), 6);
}

void TestAlarmWindow::valueFieldInAlarmIsFramed_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<int>>("levels"); // of the conditioned sump
    QTest::addColumn<bool>("framed");
    QTest::newRow("level in alarm") << "OutField_KS_level" << QList<int> {95} << true;
    QTest::newRow("level back to normal") << "OutField_KS_level" << QList<int> {95, 50} << false;
    QTest::newRow("another field") << "OutField_NS_level" << QList<int> {95} << false;
}

void TestAlarmWindow::valueFieldInAlarmIsFramed()
{
    QFETCH(QString, field);
    QFETCH(QList<int>, levels);
    QFETCH(bool, framed);

    TStation station(QStringLiteral("frames"));
    QWidget diagram;
    auto *outField = new TOutField(&diagram);
    outField->setObjectName(field);
    TAlarmMonitor monitor(station.Source());
    for (int i = 0; i < levels.size(); ++i) {
        QVERIFY(WriteRecord(Db(), i, {{"URKS", levels[i]}}));
        SetNowOverride(RecordMoment(i) + 30 * OneSecond);
        monitor.Tick();
    }
    TAlarmFrames frames;
    frames.Bind(&diagram);
    const QColor high = PriorityColor(TAlarmPriority::High);
    const auto corner = [&](bool flashOn) {
        frames.Show(monitor.Table(), Now(), flashOn);
        return outField->grab().toImage().pixelColor(1, 1);
    };
    QCOMPARE(corner(true) == high, framed);
    // Unacknowledged it flashes; acknowledged it stays.
    QVERIFY(corner(false) != high);
    monitor.AcknowledgeAll();
    QCOMPARE(corner(false) == high, framed);
    QCOMPARE(corner(true) == high, framed);
}

TALMER_TEST(TestAlarmWindow)
#include "TestAlarmWindow.moc"
