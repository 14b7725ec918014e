#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "app/Connection.h"
#include "app/EventLog.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "views/Diagnostics.h"

#include <QLabel>
#include <QTableWidget>
#include <QTest>

class TestDiagnostics : public QObject
{
    Q_OBJECT

private slots:
    void showsOutageAfterLinkDropAndReturn();
    void eventsNewestFirstAndFullRing();
    void readServerThatFailsHandsReadsToComp_data();
    void readServerThatFailsHandsReadsToComp();
};

void TestDiagnostics::readServerThatFailsHandsReadsToComp_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("refuses") << 0;
    QTest::newRow("never greets") << 1;
    QTest::newRow("hangs up") << 2;
}

// A read server that fails hands the reads to Comp at start, without the start-up failure message
// and without holding the screen; the view tells the two links apart and names the server lost.
void TestDiagnostics::readServerThatFailsHandsReadsToComp()
{
    QFETCH(int, kind);
    RecordingFeedback feedback;
    MuteServer silent(kind == 2);
    const QString failing = kind == 0 ? NoServerHost : silent.Host();
    ScreenWatch watch;
    FrameUnderTest frame(QString(), QStringLiteral("kv512"), true, failing);
    QVERIFY2(watch.longestGap < 1000, qPrintable(watch.Report()));
    QVERIFY(SQLConnection1().Connected());
    QCOMPARE(frame->ReadServer(), TestDb::HostWithPort());
    QVERIFY(feedback.messages.isEmpty());
    frame->TimerRefreshStateTimer();
    TEventFIFO ring(10);
    TFormDiagnostics view(nullptr, ring, frame.get());
    view.show();
    QCOMPARE(view.LabelServer->text(),
             QStringLiteral("Чтение: %1, связь есть").arg(TestDb::HostWithPort()));
    QCOMPARE(view.LabelWriteServer->text(),
             QStringLiteral("Запись: %1, связь есть").arg(TestDb::HostWithPort()));
    QVERIFY(view.GridWriteOutages->isVisible());
    QCOMPARE(view.LabelLag->text(), QStringLiteral("Чтение идёт с основного сервера"));
    QCOMPARE(view.GridOutages->rowCount(), 1);
    QCOMPARE(view.GridOutages->item(0, 3)->text(), failing);
    QCOMPARE(view.GridWriteOutages->rowCount(), 0);
}

void TestDiagnostics::showsOutageAfterLinkDropAndReturn()
{
    RecordingFeedback feedback;
    QVERIFY(TestDb::Exec(TestDb::Open(),
                         QStringLiteral("REPLACE INTO last_state (Id, RecMoment) VALUES (1, '%1')")
                             .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), Now()))));
    FrameUnderTest frame;
    QVERIFY(SQLConnection1().Connected());
    frame->TimerRefreshStateTimer();
    QVERIFY(frame->HeartbeatAge() && *frame->HeartbeatAge() < 5);
    TEventFIFO ring(10);
    TFormDiagnostics view(nullptr, ring, frame.get());
    QCOMPARE(view.GridOutages->rowCount(), 0);
    QVERIFY(!view.LabelLag->isVisibleTo(&view));
    QVERIFY(!view.GridWriteOutages->isVisibleTo(&view));
    QVERIFY(view.LabelServer->text().contains(frame->Settings.Comp));
    QVERIFY(view.LabelServer->text().contains(QStringLiteral("связь есть")));
    {
        TestDb::StoppedServer server;
        QVERIFY(server.stopped);
        // The tests' own connection would stay dead after the restart.
        QSqlDatabase::database(QStringLiteral("testdb"), false).close();
        QTRY_VERIFY_WITH_TIMEOUT(frame->LinkHistory().Down(), 10000);
        view.Refresh();
        QCOMPARE(view.GridOutages->rowCount(), 1);
        QCOMPARE(view.GridOutages->item(0, 1)->text(), QStringLiteral("—"));
        QVERIFY(view.GridOutages->item(0, 2)->text().startsWith(QStringLiteral("идёт 00:00:")));
        QVERIFY(view.LabelServer->text().contains(QStringLiteral("связь потеряна")));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!frame->LinkHistory().Down(), 20000);
    view.Refresh();
    QCOMPARE(view.GridOutages->rowCount(), 1);
    const TLinkOutage outage = frame->LinkHistory().Outages().constLast();
    QVERIFY(outage.Back > outage.Lost);
    QCOMPARE(view.GridOutages->item(0, 0)->text(),
             FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), outage.Lost));
    QCOMPARE(view.GridOutages->item(0, 1)->text(),
             FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), outage.Back));
    QVERIFY(view.GridOutages->item(0, 2)->text().startsWith(QStringLiteral("00:00:")));
}

void TestDiagnostics::eventsNewestFirstAndFullRing()
{
    RecordingFeedback feedback;
    TEventFIFO ring(10);
    for (int i = 1; i <= 9; ++i)
        QVERIFY(ring.Post(QStringLiteral("Ошибка в T::M%1").arg(i), 0));
    TFormDiagnostics view(nullptr, ring, nullptr);
    QCOMPARE(view.GridEvents->rowCount(), 9);
    QCOMPARE(view.GridEvents->item(0, 2)->text(), QStringLiteral("Ошибка в T::M9"));
    QCOMPARE(view.GridEvents->item(8, 2)->text(), QStringLiteral("Ошибка в T::M1"));
    QVERIFY(!view.LabelRing->text().contains(QStringLiteral("заполнено")));
    // Looking takes nothing out: the ring still takes exactly one more event, then refuses.
    view.Refresh();
    QCOMPARE(ring.Count(), 9);
    QVERIFY(ring.Post(QStringLiteral("Ошибка в T::M10"), 0));
    QCOMPARE(feedback.beeps, 0);
    QVERIFY(!ring.Post(QStringLiteral("Ошибка в T::M11"), 0));
    QCOMPARE(feedback.beeps, 1);
    view.Refresh();
    QCOMPARE(view.GridEvents->rowCount(), 10);
    QCOMPARE(view.GridEvents->item(0, 2)->text(), QStringLiteral("Ошибка в T::M10"));
    QVERIFY(view.LabelRing->text().contains(QStringLiteral("10 из 10 — кольцо заполнено")));
}

TALMER_TEST(TestDiagnostics)
#include "TestDiagnostics.moc"
