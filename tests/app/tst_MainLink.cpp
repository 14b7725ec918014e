#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "app/Connection.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "base/Formats.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <optional>

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

        // The acquisition side changes its table: the next tick reads the new layout, each value in
        // its own field.
        QVERIFY(TestDb::Exec(db, QStringLiteral("ALTER TABLE pu_data ADD COLUMN Extra INT")));
        auto restore = qScopeGuard(
            [&db] { TestDb::Exec(db, QStringLiteral("ALTER TABLE pu_data DROP COLUMN Extra")); });
        QVERIFY(TestDb::Exec(
            db,
            QStringLiteral("INSERT INTO pu_data (RecMoment, PLS, Extra) VALUES (%1, 1950, 7)")
                .arg(SqlTime(base + 6 * OneMinute))));
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LastData().value(QStringLiteral("PLS")).toDouble(), 1950.0);
        QCOMPARE(frame->LastData().value(QStringLiteral("Extra")).toInt(), 7);
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

    // Started against a server that never answers or refuses: the screen stays alive throughout,
    // the failure is reported once, and the lamp stays silver (no heartbeat was ever read).
    void silentServerKeepsScreenAlive_data()
    {
        QTest::addColumn<bool>("refuses");
        QTest::newRow("never greets") << false;
        QTest::newRow("refuses") << true;
    }
    void silentServerKeepsScreenAlive()
    {
        QFETCH(bool, refuses);
        RecordingFeedback feedback;
        MuteServer mute;
        ScreenWatch watch;
        FrameUnderTest frame(refuses ? NoServerHost : mute.Host());
        watch.frame = frame.get();
        watch.RunUntil(12000);
        qInfo("%s", qPrintable(watch.Report()));
        QVERIFY2(watch.ticks >= 100, qPrintable(watch.Report()));
        QVERIFY2(watch.longestGap < 1000, qPrintable(watch.Report()));
        QVERIFY2(watch.ClockTicked(), qPrintable(watch.Report()));
        QCOMPARE(frame->LinkColor(), LinkSilver);
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(), QStringLiteral("Не удается подключиться к MySQL серверу."));
        QVERIFY(!frame->ActionSetPLSZ->isEnabled());
        QCOMPARE(feedback.beeps, 0); // no link was ever there to be lost
    }

    // Started while the server hangs; once it answers again the link comes back by itself.
    void linkComesWhenServerAnswers()
    {
        RecordingFeedback feedback;
        const QSqlDatabase testDb = TestDb::Open();
        QVERIFY(
            TestDb::Exec(testDb,
                         QStringLiteral("INSERT INTO pu_data (RecMoment, PLS) VALUES (%1, 1750)")
                             .arg(SqlTime(Now()))));
        PausedServer paused;
        QVERIFY(paused.paused);
        ScreenWatch watch;
        FrameUnderTest frame;
        watch.frame = frame.get();
        QVERIFY(!SQLConnection1().Connected());
        QCOMPARE(feedback.messages.size(), 1);
        watch.RunUntil(5000);
        paused.Resume();
        SetHeartbeat(Now());
        QElapsedTimer back;
        back.start();
        QTRY_VERIFY_WITH_TIMEOUT(frame->LinkColor() == LinkGreen, 10000);
        qInfo("link back %lld ms after the server answered; %s", back.elapsed(),
              qPrintable(watch.Report()));
        QVERIFY2(watch.longestGap < 1000, qPrintable(watch.Report()));
        QCOMPARE(frame->LastData().value(QStringLiteral("PLS")).toDouble(), 1750.0);
        QVERIFY(frame->ActionSetPLSZ->isEnabled());
        QCOMPARE(feedback.messages.size(), 1);
    }

    // The server goes away under a running link, by stopping (refusing) or by hanging: the tick
    // beeps, the lamp turns red, the commands are disabled and the screen stays alive (a hanging
    // statement holds it once, until its time-out); the link comes back by itself.
    void linkLostAndRecovered_data()
    {
        QTest::addColumn<bool>("hangs");
        QTest::addColumn<int>("minTicks"); // of 120 in 12 s
        QTest::addColumn<int>("maxGap"); // ms
        QTest::newRow("server stopped") << false << 100 << 1000;
        // The statement under way when the server stops answering holds the screen until it is cut.
        QTest::newRow("server hangs") << true << 55 << 6000;
    }
    void linkLostAndRecovered()
    {
        QFETCH(bool, hangs);
        QFETCH(int, minTicks);
        QFETCH(int, maxGap);
        RecordingFeedback feedback;
        const QSqlDatabase testDb = TestDb::Open();
        QVERIFY(
            TestDb::Exec(testDb,
                         QStringLiteral("INSERT INTO pu_data (RecMoment, PLS) VALUES (%1, 1700)")
                             .arg(SqlTime(Now()))));
        SetHeartbeat(Now() - 2 * OneSecond);
        FrameUnderTest frame;
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LinkColor(), LinkGreen);
        QVERIFY(frame->ActionSetPLSZ->isEnabled());

        {
            std::optional<TestDb::StoppedServer> stopped;
            std::optional<PausedServer> paused;
            if (hangs) {
                paused.emplace();
                QVERIFY(paused->paused);
            } else {
                stopped.emplace();
                QVERIFY(stopped->stopped);
                QSqlDatabase::database(QStringLiteral("testdb"), false).close();
            }
            feedback.beeps = 0;
            // The frame's own timer runs from here on.
            ScreenWatch watch;
            watch.frame = frame.get();
            watch.RunUntil(12000);
            qInfo("%s", qPrintable(watch.Report()));
            QVERIFY2(watch.ticks >= minTicks, qPrintable(watch.Report()));
            QVERIFY2(watch.longestGap < maxGap, qPrintable(watch.Report()));
            QVERIFY2(watch.ClockTicked(maxGap / 1000), qPrintable(watch.Report()));
            QVERIFY2(watch.redAfter >= 0 && watch.redAfter < 10000, qPrintable(watch.Report()));
            QVERIFY(feedback.beeps >= 3);
            QVERIFY(!frame->ActionSetPLSZ->isEnabled());
            QVERIFY(!frame->ActionSet_TNZ->isEnabled());
            // The newest record stays what it was.
            QCOMPARE(frame->LastData().value(QStringLiteral("PLS")).toDouble(), 1700.0);
            if (stopped)
                QVERIFY(stopped->Restart());
        }
        SetHeartbeat(Now());
        QTRY_VERIFY_WITH_TIMEOUT(frame->LinkColor() == LinkGreen, 10000);
        QVERIFY(frame->ActionSetPLSZ->isEnabled());
        QVERIFY(feedback.messages.isEmpty()); // a lost link only beeps
    }
};

TALMER_TEST(TestMainLink)
#include "tst_MainLink.moc"
