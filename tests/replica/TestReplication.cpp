#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "app/Connection.h"
#include "app/FormConfig.h"
#include "app/Main.h"
#include "base/Formats.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

// A primary writing its binary log and one replica following it by GTID, both real servers that
// the tests kill and start again.
namespace {

const QString NoPrimaryNotSent =
    QStringLiteral("Задание не может быть отправлено: нет связи с основным сервером.");

QString Db(const QStringList &arguments, const QString &input = QString())
{
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KV512_DB_PORT"), QString::number(TestDb::Port()));
    script.setProcessEnvironment(environment);
    script.start(TestDb::DbScript(), arguments);
    script.write(input.toUtf8());
    script.closeWriteChannel();
    if (!script.waitForFinished(90000) || script.exitCode() != 0)
        qWarning("scripts/db %s: %s", qPrintable(arguments.join(QLatin1Char(' '))),
                 script.readAllStandardError().constData());
    return QString::fromUtf8(script.readAllStandardOutput());
}

// Statements as root, so that sql_log_bin=0 keeps a row on the one server.
void OnPrimaryOnly(const QString &sql)
{
    Db({QStringLiteral("sql")}, QStringLiteral("SET sql_log_bin=0;\n") + sql);
}
void OnReplicaOnly(const QString &sql)
{
    Db({QStringLiteral("replica"), QStringLiteral("sql")},
       QStringLiteral("SET sql_log_bin=0;\n") + sql);
}

QString ReplicaHost()
{
    QFile file(qEnvironmentVariable("KV512_DB_DIR") + QStringLiteral("/replica1/port"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QStringLiteral("127.0.0.1:") + QString::fromLatin1(file.readAll()).trimmed();
}

int ReplicaCount(const QString &sql)
{
    const QString out = Db({QStringLiteral("replica"), QStringLiteral("sql")}, sql);
    return out.split(QLatin1Char('\n')).value(1).toInt();
}

QString SqlTime(TMoment moment)
{
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

QString RecordInsert(TMoment moment, double pls)
{
    return QStringLiteral("INSERT INTO pu_data (RecMoment, PLS) VALUES (%1, %2);\n")
        .arg(SqlTime(moment))
        .arg(pls);
}

QString HeartbeatUpdate(TMoment moment)
{
    return QStringLiteral("REPLACE INTO last_state (Id, RecMoment) VALUES (1, %1);\n")
        .arg(SqlTime(moment));
}

double ShownPls(const FrameUnderTest &frame)
{
    return frame->LastData().value(QStringLiteral("PLS")).toDouble();
}

const double ReplicaPls = 1111; // newest record on the replica only
const double PrimaryPls = 2222; // newest record on the primary only

} // namespace

class TestReplication : public QObject
{
    Q_OBJECT

private slots:
    // Both servers up, the same history on both, then one newer record that only the replica
    // holds and a still newer one that only the primary holds: the record shown tells which
    // server served the reads.
    void init()
    {
        Db({QStringLiteral("start")});
        Db({QStringLiteral("replica"), QStringLiteral("start")});
        // The test connection of a server killed by the test before is dead but looks open.
        QSqlDatabase::database(QStringLiteral("testdb"), false).close();
        const QSqlDatabase db = TestDb::Open();
        QVERIFY(db.isOpen());
        QVERIFY(TestDb::Truncate(db,
                                 {QStringLiteral("pu_data"), QStringLiteral("last_state"),
                                  QStringLiteral("control_vector")}));
        m_base = Now() - OneMinute * 10;
        QVERIFY(TestDb::Exec(db, RecordInsert(m_base, 1700)));
        QVERIFY(TestDb::Exec(db, HeartbeatUpdate(Now())));
        QTRY_COMPARE_WITH_TIMEOUT(ReplicaCount(QStringLiteral("SELECT count(*) FROM pu_data")), 1,
                                  10000);
        OnReplicaOnly(RecordInsert(m_base + OneMinute, ReplicaPls));
        OnPrimaryOnly(RecordInsert(m_base + 2 * OneMinute, PrimaryPls));
    }
    void cleanup()
    {
        SetNowOverride(0);
        Db({QStringLiteral("replica"), QStringLiteral("sql")}, QStringLiteral("START SLAVE;"));
    }

    void readsComeFromReplica()
    {
        FrameUnderTest frame(QString(), QStringLiteral("kv512"), true, ReplicaHost());
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->ReadServer(), ReplicaHost());
        QCOMPARE(ShownPls(frame), ReplicaPls);
        QVERIFY(WriteConnection().Connected());
        QCOMPARE(WriteConnection().Name(), QStringLiteral("SQLConnectionComp"));
    }

    // Without ReadFrom everything goes through the one link to Comp, as always.
    void withoutReadFromOneLink()
    {
        FrameUnderTest frame;
        frame->TimerRefreshStateTimer();
        QCOMPARE(ShownPls(frame), PrimaryPls);
        QCOMPARE(&WriteConnection(), &SQLConnection1());
        QVERIFY(!SQLConnectionComp().Connected());
    }

    void setPointGoesToPrimaryAndReplicates()
    {
        RecordingFeedback feedback;
        FrameUnderTest frame(QString(), QStringLiteral("kv512"), true, ReplicaHost());
        QString label;
        AnswerDialog(QStringLiteral("1850"), Qt::Key_Return, &label);
        frame->ActionSetPLSZ->trigger();
        QVERIFY2(feedback.messages.isEmpty(), qPrintable(feedback.lastText()));
        QSqlQuery query(TestDb::Open());
        QVERIFY(query.exec(QStringLiteral("SELECT _PLSZ FROM control_vector")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toDouble(), 1850.0);
        QTRY_COMPARE_WITH_TIMEOUT(
            ReplicaCount(QStringLiteral("SELECT count(*) FROM control_vector WHERE _PLSZ = 1850")),
            1, 10000);
    }

    // Killed hard, the replica hands the reads to the primary within 10 s while the screen's
    // 100 ms timer keeps ticking; the reads come back once the replica has answered a minute.
    void replicaKilledReadsMoveToPrimaryAndBack()
    {
        FrameUnderTest frame(QString(), QStringLiteral("kv512"), true, ReplicaHost());
        const QString replica = ReplicaHost();
        frame->TimerRefreshStateTimer();
        QCOMPARE(ShownPls(frame), ReplicaPls);

        Db({QStringLiteral("replica"), QStringLiteral("kill")});
        ScreenWatch watch;
        watch.frame = frame.get();
        QElapsedTimer moved;
        moved.start();
        QTRY_VERIFY_WITH_TIMEOUT(ShownPls(frame) == PrimaryPls, 10000);
        QVERIFY2(moved.elapsed() < 10000, qPrintable(watch.Report()));
        QCOMPARE(frame->ReadServer(), TestDb::HostWithPort());
        watch.RunUntil(moved.elapsed() + 1500);
        QVERIFY2(watch.longestGap < 1000, qPrintable(watch.Report()));
        QVERIFY2(watch.ClockTicked(1), qPrintable(watch.Report()));
        QCOMPARE(frame->LinkHistory().Outages().size(), 1);
        QCOMPARE(frame->LinkHistory().Outages().constLast().Server, replica);
        QVERIFY(!frame->LinkHistory().Down());

        // Back, but not for a minute yet: the reads stay on the primary.
        Db({QStringLiteral("replica"), QStringLiteral("start")});
        const TMoment back = Now();
        SetNowOverride(back);
        QTest::qWait(7000);
        QCOMPARE(frame->ReadServer(), TestDb::HostWithPort());
        SetNowOverride(back + 61 * OneSecond);
        QTRY_COMPARE_WITH_TIMEOUT(frame->ReadServer(), replica, 12000);
        QTRY_COMPARE_WITH_TIMEOUT(ShownPls(frame), ReplicaPls, 5000);
    }

    // The primary gone, the replica keeps the plant on the screen; a set-point is refused with
    // the reason, whether or not the station noticed before the operator asked, and the constants
    // are shown read-only.
    void primaryKilledKeepsShowingAndRefusesSetPoint_data()
    {
        QTest::addColumn<bool>("noticed");
        QTest::newRow("noticed") << true;
        QTest::newRow("not noticed yet") << false;
    }
    void primaryKilledKeepsShowingAndRefusesSetPoint()
    {
        QFETCH(bool, noticed);
        RecordingFeedback feedback;
        FrameUnderTest frame(QString(), QStringLiteral("kv512"), true, ReplicaHost());
        frame->TimerRefreshStateTimer();
        QVERIFY(WriteConnection().Connected());

        auto restart = qScopeGuard([] { Db({QStringLiteral("start")}); });
        Db({QStringLiteral("kill")});
        OnReplicaOnly(RecordInsert(m_base + 3 * OneMinute, 1333));
        QString label;
        if (noticed) {
            QTRY_VERIFY_WITH_TIMEOUT(!WriteConnection().Connected(), 10000);
            QCOMPARE(frame->ReadServer(), ReplicaHost());
            QCOMPARE(ShownPls(frame), 1333.0);
            QVERIFY(frame->ActionSetPLSZ->isEnabled());
        } else {
            AnswerDialog(QStringLiteral("1850"), Qt::Key_Return, &label);
        }
        frame->ActionSetPLSZ->trigger();
        QCOMPARE(label.isEmpty(), noticed); // the dialog is not even shown once it is known
        QCOMPARE(feedback.lastText(), NoPrimaryNotSent);
        QCOMPARE(ReplicaCount(QStringLiteral("SELECT count(*) FROM control_vector")), 0);
        if (!noticed)
            return;

        TFormConfig config(frame.get());
        config.show();
        config.PageControl->setCurrentWidget(config.TabConstants);
        QVERIFY(config.LabelConstantsReadOnly->isVisible());
        QVERIFY(config.LabelConstantsReadOnly->text().contains(NoPrimaryLink));
        QVERIFY(!config.ButSaveConstants->isEnabled());
        config.close();

        Db({QStringLiteral("start")});
        QTRY_VERIFY_WITH_TIMEOUT(WriteConnection().Connected(), 10000);
        feedback.clear();
        AnswerDialog(QStringLiteral("1900"), Qt::Key_Return, &label);
        frame->ActionSetPLSZ->trigger();
        QVERIFY2(feedback.messages.isEmpty(), qPrintable(feedback.lastText()));
        QTRY_COMPARE_WITH_TIMEOUT(
            ReplicaCount(QStringLiteral("SELECT count(*) FROM control_vector WHERE _PLSZ = 1900")),
            1, 10000);
    }

    // A replica whose heartbeat falls behind the primary's by more than 10 s is passed over.
    void laggingReplicaIsPassedOver_data()
    {
        QTest::addColumn<int>("lagSeconds");
        QTest::addColumn<bool>("onReplica");
        QTest::newRow("5 s behind") << 5 << true;
        QTest::newRow("30 s behind") << 30 << false;
    }
    void laggingReplicaIsPassedOver()
    {
        QFETCH(int, lagSeconds);
        QFETCH(bool, onReplica);
        const QSqlDatabase db = TestDb::Open();
        const TMoment now = Now();
        QVERIFY(TestDb::Exec(db, HeartbeatUpdate(now - lagSeconds * OneSecond)));
        QTRY_COMPARE_WITH_TIMEOUT(
            ReplicaCount(QStringLiteral("SELECT count(*) FROM last_state WHERE RecMoment = %1")
                             .arg(SqlTime(now - lagSeconds * OneSecond))),
            1, 10000);
        Db({QStringLiteral("replica"), QStringLiteral("sql")},
           QStringLiteral("STOP SLAVE SQL_THREAD;"));
        QVERIFY(TestDb::Exec(db, HeartbeatUpdate(now)));

        FrameUnderTest frame(QString(), QStringLiteral("kv512"), true, ReplicaHost());
        frame->TimerRefreshStateTimer();
        if (onReplica) {
            QCOMPARE(frame->ReplicaLag().value_or(-1), double(lagSeconds));
            QTest::qWait(6000);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(frame->ReadServer(), TestDb::HostWithPort(), 10000);
        }
        QCOMPARE(frame->ReadServer() == ReplicaHost(), onReplica);
    }

private:
    TMoment m_base = 0;
};

TALMER_TEST(TestReplication)
#include "TestReplication.moc"
