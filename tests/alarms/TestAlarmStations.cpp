#include "AlarmTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "WhenModal.h"
#include "alarms/AlarmBanner.h"
#include "alarms/FormAlarms.h"
#include "alarms/ShelveDialog.h"
#include "views/DataGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace AlarmTestKit;

// Several stations on the same records: one row per activation, what one station does shown by
// the others at their next tick, a restart or an hour offline continuing the same rows, shelving.
class TestAlarmStations : public QObject
{
    Q_OBJECT

    std::unique_ptr<TStation> FA, FB;
    RecordingFeedback FFeedback;

    QSqlDatabase Db() const { return FA->Db; }

    // Records i from..to with the conditioned sump's level high at the given records.
    void Write(int from, int to, const QList<int> &high)
    {
        for (int i = from; i <= to; ++i)
            QVERIFY(WriteRecord(Db(), i, {{"URKS", high.contains(i) ? 95 : 55}}));
    }
    static void TickAt(TAlarmMonitor &monitor, int record)
    {
        SetNowOverride(RecordMoment(record) + 30 * OneSecond);
        monitor.Tick();
    }
    QString Cell(TFormAlarms &window, int row, const QString &field)
    {
        const TGridModel *model = window.GridCurrent->Model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->Columns()[column].Field == field)
                return model->DisplayText(row, column);
        }
        return QStringLiteral("no column ") + field;
    }
    void SelectRow(TFormAlarms &window, int row)
    {
        const QRect cell =
            window.GridCurrent->visualRect(window.GridCurrent->Model()->index(row, 2));
        QTest::mouseClick(window.GridCurrent->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void initTestCase()
    {
        FA = std::make_unique<TStation>(QStringLiteral("stationA"));
        FB = std::make_unique<TStation>(QStringLiteral("stationB"));
    }
    void init()
    {
        QVERIFY(Reset(Db()));
        FA->Online = FB->Online = true;
        FFeedback.clear();
    }
    void cleanup() { SetNowOverride(0); }

    void twoStationsShareOneRowAndTheAcknowledgement();
    void restartInTheMiddleOfAnAlarmContinuesItsRow_data();
    void restartInTheMiddleOfAnAlarmContinuesItsRow();
    void stationOfflineForAnHourCatchesUp();
    void shelvingHidesUntilItEnds_data();
    void shelvingHidesUntilItEnds();
    void withoutAlarmLogTheAlarmsStayAtTheStation();
};

void TestAlarmStations::twoStationsShareOneRowAndTheAcknowledgement()
{
    TFormAlarms a(nullptr, FA->Source());
    TFormAlarms b(nullptr, FB->Source());
    a.resize(1200, 500);
    b.resize(1200, 500);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    // Two activations of the sump level, each seen by both stations, B started later.
    for (int i = 0; i <= 12; ++i) {
        Write(i, i, {2, 3, 4, 9, 10, 11, 12});
        TickAt(*a.Monitor, i);
        if (i >= 6)
            TickAt(*b.Monitor, i);
    }
    QCOMPARE(RowCount(Db(), QStringLiteral("URKS_HI")), 2);
    QCOMPARE(RowCount(Db()), 2);
    QCOMPARE(a.ShownAlarms().size(), 2);
    QCOMPARE(b.ShownAlarms().size(), 2);

    // The operator at A acknowledges the active one with the mouse; B shows it at its next tick.
    SelectRow(a, 0);
    QVERIFY(a.ButAck->isEnabled());
    QTest::mouseClick(a.ButAck, Qt::LeftButton);
    QCOMPARE(Cell(a, 0, QStringLiteral("State")), QStringLiteral("Активна, квитирована"));
    QCOMPARE(Cell(b, 0, QStringLiteral("AckedBy")), QString());
    TickAt(*b.Monitor, 12);
    QVERIFY2(Cell(b, 0, QStringLiteral("AckedBy")).startsWith(QStringLiteral("kv512@")),
             qPrintable(Cell(b, 0, QStringLiteral("AckedBy"))));
    QCOMPARE(Cell(b, 0, QStringLiteral("State")), QStringLiteral("Активна, квитирована"));
    QCOMPARE(Cell(b, 0, QStringLiteral("AckedAt")), Cell(a, 0, QStringLiteral("AckedAt")));
    // Both acknowledge the returned one at once: one acknowledgement, and it leaves both lists.
    a.Monitor->AcknowledgeAll();
    b.Monitor->AcknowledgeAll();
    TickAt(*a.Monitor, 12);
    TickAt(*b.Monitor, 12);
    QSqlQuery query(Db());
    QVERIFY(query.exec(QStringLiteral("select count(*) from alarm_log where AckedAt is null")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    QCOMPARE(RowCount(Db()), 2);
    QCOMPARE(a.ShownAlarms().size(), 1);
    QCOMPARE(b.ShownAlarms().size(), 1);
    QVERIFY(FFeedback.messages.isEmpty());
}

void TestAlarmStations::restartInTheMiddleOfAnAlarmContinuesItsRow_data()
{
    QTest::addColumn<int>("dayStartRecord"); // where the restarted station's day begins
    QTest::newRow("same production day") << -60;
    QTest::newRow("a new production day began during the alarm") << 4;
}

void TestAlarmStations::restartInTheMiddleOfAnAlarmContinuesItsRow()
{
    QFETCH(int, dayStartRecord);
    {
        TAlarmMonitor first(FA->Source());
        Write(0, 5, {2, 3, 4, 5});
        for (int i = 0; i <= 5; ++i)
            TickAt(first, i);
        first.Acknowledge(QStringLiteral("URKS_HI"), RecordMoment(2));
    }
    QCOMPARE(RowCount(Db()), 1);
    // While no station runs the alarm goes on, then returns.
    Write(6, 9, {6, 7});
    FB->DayStartMoment = RecordMoment(dayStartRecord);
    TAlarmMonitor restarted(FB->Source());
    TickAt(restarted, 9);
    QCOMPARE(RowCount(Db()), 1);
    QSqlQuery query(Db());
    QVERIFY(query.exec(QStringLiteral("select Activated, Returned, AckedBy from alarm_log")));
    QVERIFY(query.next());
    QCOMPARE(DateTimeToMoment(query.value(0).toDateTime()), RecordMoment(2));
    QCOMPARE(DateTimeToMoment(query.value(1).toDateTime()), RecordMoment(8));
    QVERIFY(!query.value(2).isNull());
    // Back to normal and acknowledged: nothing left to show.
    QCOMPARE(restarted.Table().Current(Now()).size(), 0);
    FB->DayStartMoment = DayStart();
}

void TestAlarmStations::stationOfflineForAnHourCatchesUp()
{
    TAlarmMonitor a(FA->Source());
    TAlarmMonitor b(FB->Source());
    Write(0, 10, {8, 9, 10});
    for (int i = 0; i <= 10; ++i) {
        TickAt(a, i);
        TickAt(b, i);
    }
    // A loses its link for an hour; B sees that hour's alarms come and go.
    FA->Online = false;
    for (int i = 11; i <= 70; ++i) {
        Write(i, i, {30, 31, 32, 60, 61});
        TickAt(a, i);
        TickAt(b, i);
    }
    QCOMPARE(RowCount(Db()), 3);
    b.Acknowledge(QStringLiteral("URKS_HI"), RecordMoment(30));
    FA->Online = true;
    TickAt(a, 70);
    QCOMPARE(RowCount(Db()), 3);
    QSqlQuery query(Db());
    QVERIFY(query.exec(QStringLiteral("select count(*) from alarm_log where Returned is null")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    // Both show the same: the two unacknowledged returns.
    QCOMPARE(a.Table().Current(Now()).size(), 2);
    QCOMPARE(b.Table().Current(Now()).size(), 2);
    QCOMPARE(a.Table().UnackedCount(Now()), b.Table().UnackedCount(Now()));
}

void TestAlarmStations::shelvingHidesUntilItEnds_data()
{
    QTest::addColumn<bool>("byButton"); // "Вернуть" instead of the shelving's end
    QTest::newRow("shelving runs out") << false;
    QTest::newRow("returned by the operator") << true;
}

void TestAlarmStations::shelvingHidesUntilItEnds()
{
    QFETCH(bool, byButton);
    TFormAlarms a(nullptr, FA->Source());
    TFormAlarms b(nullptr, FB->Source());
    a.resize(1200, 500);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    Write(0, 2, {1, 2});
    TickAt(*a.Monitor, 2);
    TickAt(*b.Monitor, 2);
    QCOMPARE(a.Monitor->Table().UnackedCount(Now()), 1);

    // Shelved for an hour through the dialog, driven by keys.
    SelectRow(a, 0);
    WhenModal<TFormShelve>([](TFormShelve *dialog) {
        // Typed key by key: keyClicks takes Latin-1 only.
        for (const QChar c : QStringLiteral("датчик на ремонте"))
            QTest::sendKeyEvent(QTest::Click, dialog->EditReason, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        QTest::keyClick(dialog->EditReason, Qt::Key_Return);
    });
    QTest::mouseClick(a.ButShelve, Qt::LeftButton);
    TickAt(*b.Monitor, 2);
    for (TFormAlarms *window : {&a, &b}) {
        QCOMPARE(window->Monitor->Table().UnackedCount(Now()), 0);
        QVERIFY(!window->Monitor->Table().Top(Now()));
        QCOMPARE(window->Banner->View().Text, QString());
        QVERIFY(Cell(*window, 0, QStringLiteral("State")).startsWith(QStringLiteral("Отложена")));
    }
    // A new activation while the shelving runs stays shelved.
    Write(3, 5, {5});
    TickAt(*a.Monitor, 5);
    QCOMPARE(RowCount(Db()), 2);
    QCOMPARE(a.Monitor->Table().UnackedCount(Now()), 0);

    if (byButton) {
        SelectRow(a, 0);
        QVERIFY(a.ButUnshelve->isEnabled());
        QTest::mouseClick(a.ButUnshelve, Qt::LeftButton);
        TickAt(*b.Monitor, 5);
    } else {
        SetNowOverride(RecordMoment(5) + 61 * OneMinute);
        a.Monitor->Tick();
        b.Monitor->Tick();
    }
    QCOMPARE(a.Monitor->Table().UnackedCount(Now()), byButton ? 1 : 2);
    QCOMPARE(b.Monitor->Table().UnackedCount(Now()), byButton ? 1 : 2);
    QCOMPARE(b.Banner->View().Text, a.Monitor->Table().Top(Now())->Text);
}

void TestAlarmStations::withoutAlarmLogTheAlarmsStayAtTheStation()
{
    QVERIFY(TestDb::Exec(Db(), QStringLiteral("drop table alarm_log")));
    TFormAlarms a(nullptr, FA->Source());
    a.resize(1200, 500);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    Write(0, 3, {1, 2});
    for (int i = 0; i <= 3; ++i)
        TickAt(*a.Monitor, i);
    QVERIFY(!a.Monitor->Stored());
    QVERIFY(a.LabelStore->isVisible());
    QVERIFY2(a.LabelStore->text().contains(QStringLiteral("нет таблицы alarm_log")),
             qPrintable(a.LabelStore->text()));
    // Computed and acknowledged here all the same.
    QCOMPARE(a.ShownAlarms().size(), 1);
    SelectRow(a, 0);
    QTest::mouseClick(a.ButAck, Qt::LeftButton);
    QCOMPARE(a.ShownAlarms().size(), 0);
    QCOMPARE(a.Monitor->Table().UnackedCount(Now()), 0);
    a.PageControl->setCurrentWidget(a.TabArchive);
    QVERIFY(a.LabelArchive->text().contains(QStringLiteral("alarm_log")));
    QVERIFY(FFeedback.messages.isEmpty());

    // The table is back: what was kept here is handed in.
    QVERIFY(CreateAlarmLog(Db()));
    for (int tick = 0; tick < 60; ++tick)
        a.Monitor->Tick();
    QVERIFY(a.Monitor->Stored());
    QVERIFY(!a.LabelStore->isVisible());
    QCOMPARE(RowCount(Db()), 1);
}

TALMER_TEST(TestAlarmStations)
#include "TestAlarmStations.moc"
