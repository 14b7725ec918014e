#include "core/LiveSimulator.h"
#include "SimTestSupport.h"
#include "common/TestMain.h"
#include "core/PlantModel.h"

#include <QTest>

#include <memory>

// The live loop driven second by second with a clock of the test's own, against the real
// database: records on the interval, the heartbeat, commands taken up, a link lost and regained.
class LiveSimulatorTest : public QObject
{
    Q_OBJECT

    QSqlDatabase m_db;
    QDateTime m_now;
    std::unique_ptr<SimDatabase> m_sim;
    std::unique_ptr<PlantModel> m_model;
    std::unique_ptr<LiveSimulator> m_live;

    void Create(const LiveOptions &options, quint32 seed = 5)
    {
        m_live.reset();
        m_sim = std::make_unique<SimDatabase>(TestSettings());
        m_model = std::make_unique<PlantModel>(seed);
        m_live =
            std::make_unique<LiveSimulator>(*m_sim, *m_model, options, [this] { return m_now; });
    }

    // Ticks once a second until the clock has moved on by `seconds`.
    void RunFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            m_now = m_now.addSecs(1);
            m_live->Tick();
        }
    }

    QList<PlantRecord> Records()
    {
        QList<PlantRecord> records;
        for (const QSqlRecord &row : Rows(m_db, recordsSql))
            records << PlantRecord::FromSql(row);
        return records;
    }

    QDateTime Heartbeat()
    {
        return MomentFromSql(
            Scalar(m_db,
                   QStringLiteral("SELECT DATE_FORMAT(RecMoment, '%Y-%m-%d %H:%i:%s') FROM "
                                  "last_state"))
                .toString());
    }

    int JournalCount(const QString &text)
    {
        return Scalar(m_db,
                      QStringLiteral("SELECT COUNT(*) FROM control_log WHERE MessageText = %1")
                          .arg(SqlText(text)))
            .toInt();
    }

private slots:
    void initTestCase()
    {
        m_db = TestDb::Open();
        QVERIFY(m_db.isOpen());
    }

    void init()
    {
        QVERIFY(TestDb::Truncate(m_db, simTables));
        m_now = QDateTime(QDate(2026, 6, 10), QTime(10, 0, 3, 250));
    }

    void cleanup()
    {
        m_live.reset();
        m_model.reset();
        m_sim.reset();
    }

    void recordsFallOnTheIntervalAndHeartbeatFollows_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("heartbeat");
        QTest::addColumn<QStringList>("moments");
        QTest::newRow("minute") << 60 << true
                                << QStringList {"2026-06-10 10:01:00", "2026-06-10 10:02:00",
                                                "2026-06-10 10:03:00"};
        QTest::newRow("minute, heartbeat off")
            << 60 << false
            << QStringList {"2026-06-10 10:01:00", "2026-06-10 10:02:00", "2026-06-10 10:03:00"};
        QTest::newRow("45 s") << 45 << true
                              << QStringList {"2026-06-10 10:00:45", "2026-06-10 10:01:30",
                                              "2026-06-10 10:02:15", "2026-06-10 10:03:00"};
    }

    void recordsFallOnTheIntervalAndHeartbeatFollows()
    {
        QFETCH(int, interval);
        QFETCH(bool, heartbeat);
        QFETCH(QStringList, moments);
        Create({interval, heartbeat, 2});
        RunFor(3 * 60);
        QStringList written;
        for (const PlantRecord &r : Records())
            written << SqlMoment(r.moment);
        QCOMPARE(written, moments);
        if (heartbeat)
            QCOMPARE(Heartbeat(), TruncateToSecond(m_now));
        else
            QVERIFY(!Heartbeat().isValid());
        QCOMPARE(JournalCount("Система сбора данных запущена"), 1);
        m_live->Stop();
        QCOMPARE(JournalCount("Система сбора данных остановлена"), 1);
    }

    void heartbeatAdvancesEverySecond()
    {
        Create({});
        RunFor(1);
        const QDateTime first = Heartbeat();
        QCOMPARE(first, TruncateToSecond(m_now));
        RunFor(1);
        QCOMPARE(Heartbeat(), first.addSecs(1));
    }

    void commandIsTakenUp_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("values"); // _PLSZ, _TNZ as SQL
        QTest::addColumn<double>("plsz"); // set-points expected in the next record (0: unchanged)
        QTest::addColumn<double>("tnz");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("density") << "ivanov@pult"
                                 << "1900, NULL" << 1900.0 << 0.0
                                 << QStringList {"Задание плотности суспензии 1900 кг/м3 (оператор "
                                                 "ivanov@pult)"};
        QTest::newRow("load with fraction") << "ivanov@pult"
                                            << "NULL, 205.5" << 0.0 << 205.5
                                            << QStringList {"Задание нагрузки 205.5 т/ч (оператор "
                                                            "ivanov@pult)"};
        QTest::newRow("both") << "ivanov@pult"
                              << "1700, 60" << 1700.0 << 60.0
                              << QStringList {"Задание плотности суспензии 1700 кг/м3 (оператор "
                                              "ivanov@pult)",
                                              "Задание нагрузки 60 т/ч (оператор ivanov@pult)"};
        QTest::newRow("density out of range")
            << "ivanov@pult"
            << "2500, NULL" << 0.0 << 0.0
            << QStringList {"Задание плотности суспензии 2500 кг/м3 отклонено: вне диапазона "
                            "1600-2100 (оператор ivanov@pult)"};
        QTest::newRow("load below range")
            << "ivanov@pult"
            << "NULL, 10" << 0.0 << 0.0
            << QStringList {"Задание нагрузки 10 т/ч отклонено: вне диапазона 50-240 (оператор "
                            "ivanov@pult)"};
        // USER() may be 141 characters long; the journal's message is cut at its width.
        const QString longUser = QString(80, 'u') + '@' + QString(60, 'h');
        const QString refused = "Задание плотности суспензии 2500 кг/м3 отклонено: вне диапазона "
                                "1600-2100 (оператор "
            + longUser + ')';
        QTest::newRow("long user name")
            << longUser << "2500, NULL" << 0.0 << 0.0 << QStringList {refused.left(255)};
    }

    void commandIsTakenUp()
    {
        QFETCH(QString, user);
        QFETCH(QString, values);
        QFETCH(double, plsz);
        QFETCH(double, tnz);
        QFETCH(QStringList, texts);
        Create({});
        RunFor(60); // the first record, 10:01:00
        const PlantRecord before = Records().last();
        QVERIFY(TestDb::Exec(m_db,
                             QStringLiteral("INSERT INTO control_vector (RecMoment, UserName, "
                                            "_PLSZ, _TNZ) VALUES (NOW(), '%1', %2)")
                                 .arg(user, values)));
        RunFor(3);
        QCOMPARE(Scalar(m_db, QStringLiteral("SELECT Taken FROM control_vector")).toInt(), 1);
        for (const QString &text : texts)
            QCOMPARE(JournalCount(text), 1);
        RunFor(60);
        for (const QString &text : texts)
            QCOMPARE(JournalCount(text), 1); // taken up once only
        const PlantRecord after = Records().last();
        QVERIFY(after.moment > before.moment);
        QCOMPARE(after.PLSZ, plsz > 0 ? plsz : before.PLSZ);
        QCOMPARE(after.cmdPLSZ, after.PLSZ);
        QCOMPARE(after.TNZ, tnz > 0 ? tnz : before.TNZ);
        QCOMPARE(after.cmdTNZ, after.TNZ);
    }

    void carriesOnFromTheNewestRecord()
    {
        Create({});
        RunFor(125);
        QVERIFY(TestDb::Exec(m_db,
                             "INSERT INTO control_vector (RecMoment, UserName, _PLSZ) VALUES "
                             "(NOW(), 'ivanov@pult', 1950)"));
        RunFor(60);
        const PlantRecord last = Records().last();
        QCOMPARE(last.PLSZ, 1950.0);

        // A restart with a fresh model: set-point and totals continue where the records stop.
        Create({}, 77);
        RunFor(60);
        const QList<PlantRecord> records = Records();
        const PlantRecord &next = records.last();
        QCOMPARE(next.moment, last.moment.addSecs(60));
        QCOMPARE(next.PLSZ, 1950.0);
        QVERIFY(std::abs(next.G23 - last.G23 - next.G_1T23) < 1e-3);
    }

    void linkLostIsRegained()
    {
        Create({});
        RunFor(60);
        QCOMPARE(Records().size(), 1);
        const QVariant id = Scalar(m_sim->Connection(), "SELECT CONNECTION_ID()");
        QVERIFY(id.isValid());
        QVERIFY(TestDb::Exec(m_db, "KILL " + id.toString()));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed:"));
        RunFor(1); // the first statement finds the link gone
        QVERIFY(!m_sim->IsOpen());
        RunFor(SimDatabase::retrySeconds + 1);
        QVERIFY(m_sim->IsOpen());
        QCOMPARE(Heartbeat(), TruncateToSecond(m_now));
        RunFor(60);
        QCOMPARE(Records().size(), 2);
    }

    void unreachableServerIsRetriedWithoutHarm()
    {
        DbSettings nowhere = TestSettings();
        nowhere.port = 1; // nothing listens there
        SimDatabase db(nowhere);
        PlantModel model(1);
        LiveSimulator live(db, model, {}, [this] { return m_now; });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no database link"));
        for (int i = 0; i < 3; ++i) {
            m_now = m_now.addSecs(1);
            live.Tick();
        }
        QVERIFY(!db.IsOpen());
        QVERIFY(!live.WriteOnce());
        QCOMPARE(Records().size(), 0);
    }
};

TALMER_TEST(LiveSimulatorTest)
#include "LiveSimulatorTest.moc"
