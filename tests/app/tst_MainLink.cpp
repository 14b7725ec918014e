#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "app/Connection.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "base/Formats.h"

#include <QAction>
#include <QLabel>
#include <QSqlQuery>
#include <QTest>

namespace {

QString SqlTime(TMoment moment)
{
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

void SetHeartbeat(TMoment moment)
{
    const QSqlDatabase db = TestDb::Open();
    QVERIFY(TestDb::Exec(db,
                         QStringLiteral("REPLACE INTO last_state (Id, RecMoment) VALUES (1, %1)")
                             .arg(SqlTime(moment))));
}

} // namespace

class TestMainLink : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        const QSqlDatabase db = TestDb::Open();
        QVERIFY(db.isOpen());
        QVERIFY(TestDb::Truncate(db,
                                 {QStringLiteral("pu_data"), QStringLiteral("last_state"),
                                  QStringLiteral("control_vector")}));
    }
    void cleanup() { SetNowOverride(0); }

    void tickReadsNewestRecord()
    {
        const TMoment base = EncodeMoment(2026, 3, 14, 10, 0, 0);
        const QSqlDatabase db = TestDb::Open();
        for (int minute : {0, 2, 1}) {
            QVERIFY(TestDb::Exec(db,
                                 QStringLiteral("INSERT INTO pu_data (RecMoment, PLS, TNZ, RAB) "
                                                "VALUES (%1, %2, %3, 1)")
                                     .arg(SqlTime(base + minute * OneMinute))
                                     .arg(1800 + minute)
                                     .arg(100.5 + minute)));
        }
        SetHeartbeat(base);
        FrameUnderTest frame;
        QVERIFY(frame->LastData().isEmpty());
        frame->TimerRefreshStateTimer();
        const QSqlRecord &record = frame->LastData();
        QCOMPARE(DateTimeToMoment(record.value(QStringLiteral("RecMoment")).toDateTime()),
                 base + 2 * OneMinute);
        QCOMPARE(record.value(QStringLiteral("PLS")).toDouble(), 1802.0);
        QCOMPARE(record.value(QStringLiteral("TNZ")).toDouble(), 102.5);
        QCOMPARE(record.indexOf(QStringLiteral("VPIT")) >= 0, true);

        // A newer record replaces it at the next tick.
        QVERIFY(
            TestDb::Exec(db,
                         QStringLiteral("INSERT INTO pu_data (RecMoment, PLS) VALUES (%1, 1900)")
                             .arg(SqlTime(base + 5 * OneMinute))));
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LastData().value(QStringLiteral("PLS")).toDouble(), 1900.0);
    }

    void lampFollowsHeartbeatAge_data()
    {
        QTest::addColumn<double>("ageSeconds");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("fresh") << 0.0 << LinkGreen;
        QTest::newRow("5 s exactly") << 5.0 << LinkGreen;
        QTest::newRow("5.5 s") << 5.5 << LinkYellow;
        QTest::newRow("10 s exactly") << 10.0 << LinkYellow;
        QTest::newRow("10.5 s") << 10.5 << LinkRed;
        QTest::newRow("an hour") << 3600.0 << LinkRed;
        QTest::newRow("from the future") << -30.0 << LinkGreen;
    }
    void lampFollowsHeartbeatAge()
    {
        QFETCH(double, ageSeconds);
        QFETCH(QColor, colour);
        const TMoment heartbeat = EncodeMoment(2026, 6, 1, 23, 59, 57);
        SetHeartbeat(heartbeat);
        FrameUnderTest frame;
        QCOMPARE(frame->LinkColor(), LinkSilver);
        SetNowOverride(heartbeat + ageSeconds * OneSecond);
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LinkColor(), colour);
        QCOMPARE(frame->LabelClock->text(),
                 FormatDateTime(QStringLiteral("hh:nn:ss"), heartbeat + ageSeconds * OneSecond));
    }

    void missingHeartbeatIsRed()
    {
        FrameUnderTest frame;
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LinkColor(), LinkRed);
        QVERIFY(frame->LastData().isEmpty());
    }

    void linkLostAndRecovered()
    {
        RecordingFeedback feedback;
        const QSqlDatabase testDb = TestDb::Open();
        QVERIFY(
            TestDb::Exec(testDb,
                         QStringLiteral("INSERT INTO pu_data (RecMoment, PLS) VALUES (%1, 1700)")
                             .arg(SqlTime(Now()))));
        SetHeartbeat(Now());
        FrameUnderTest frame;
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LinkColor(), LinkGreen);
        QVERIFY(frame->ActionSetPLSZ->isEnabled());

        {
            TestDb::StoppedServer server;
            QVERIFY(server.stopped);
            QSqlDatabase::database(QStringLiteral("testdb"), false).close();
            feedback.beeps = 0;
            // The frame's own timer runs from here on.
            QTRY_VERIFY_WITH_TIMEOUT(frame->LinkColor() == LinkRed, 11500);
            QVERIFY(feedback.beeps >= 5);
            QVERIFY(!frame->ActionSetPLSZ->isEnabled());
            QVERIFY(!frame->ActionSet_TNZ->isEnabled());
            // The newest record stays what it was.
            QCOMPARE(frame->LastData().value(QStringLiteral("PLS")).toDouble(), 1700.0);
            QVERIFY(server.Restart());
        }
        SetHeartbeat(Now());
        QTRY_VERIFY_WITH_TIMEOUT(frame->LinkColor() == LinkGreen, 10000);
        QVERIFY(frame->ActionSetPLSZ->isEnabled());
        QVERIFY(feedback.messages.isEmpty()); // a lost link only beeps
    }
};

TALMER_TEST(TestMainLink)
#include "tst_MainLink.moc"
