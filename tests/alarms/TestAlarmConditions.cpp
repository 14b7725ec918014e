#include "AlarmTestKit.h"
#include "TestDb.h"
#include "TestMain.h"
#include "alarms/AlarmMonitor.h"
#include "app/EventLog.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace AlarmTestKit;

Q_DECLARE_METATYPE(QList<QVariant>)

// Each condition against records written into the server one by one, a tick after each: where it
// is raised (after its delay), where it returns (past its deadband), and that nothing else is.
class TestAlarmConditions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TStation> FStation;

    QSqlDatabase Db() const { return FStation->Db; }

    struct TRow
    {
        QString Code;
        TMoment Activated = 0, Returned = 0;
        QVariant Value, Limit;
    };
    QList<TRow> Rows()
    {
        QList<TRow> rows;
        QSqlQuery query(Db());
        query.exec(QStringLiteral(
            "select Code, Activated, Returned, Value, AlarmLimit from alarm_log order by Id"));
        while (query.next()) {
            const QDateTime returned = query.value(2).toDateTime();
            rows.append({query.value(0).toString(), DateTimeToMoment(query.value(1).toDateTime()),
                         returned.isValid() ? DateTimeToMoment(returned) : 0.0, query.value(3),
                         query.value(4)});
        }
        return rows;
    }

private slots:
    void initTestCase() { FStation = std::make_unique<TStation>(QStringLiteral("conditions")); }
    void init() { QVERIFY(Reset(Db())); }
    void cleanup() { SetNowOverride(0); }

    void raisesAndClearsAtItsLimits_data();
    void raisesAndClearsAtItsLimits();
    void noNewRecordWhileTheHeartbeatIsFresh_data();
    void noNewRecordWhileTheHeartbeatIsFresh();
    void constantsSetTheLimits_data();
    void constantsSetTheLimits();
    void schemaSeedsEveryConstantWithItsDefault();
};

void TestAlarmConditions::raisesAndClearsAtItsLimits_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QList<QVariant>>("values");
    QTest::addColumn<QString>("fixed"); // another column held at a value for every record
    QTest::addColumn<QString>("code"); // the one alarm expected; empty for none
    QTest::addColumn<int>("raisedAt");
    QTest::addColumn<int>("returnedAt"); // -1: still active
    QTest::addColumn<double>("limit");

    const QVariant null;
    using L = QList<QVariant>;
    // Density set-point 1850: off by more than 30 for two records, back below 25.
    QTest::newRow("density") << "PLS" << L {1850, 1881, 1885, 1879, 1876, 1874, 1850} << ""
                             << "PLS_DEV" << 2 << 5 << 1880.0;
    QTest::newRow("density below") << "PLS" << L {1850, 1815, 1810, 1826, 1850} << ""
                                   << "PLS_DEV" << 2 << 3 << 1820.0;
    QTest::newRow("density at the limit") << "PLS" << L {1880, 1880, 1880, 1820} << ""
                                          << "" << -1 << -1 << 0.0;
    QTest::newRow("density delay restarts") << "PLS" << L {1881, 1850, 1881, 1850, 1881} << ""
                                            << "" << -1 << -1 << 0.0;
    QTest::newRow("density while the unit stands") << "PLS" << L {1950, 1950, 1950} << "RAB=0"
                                                   << "" << -1 << -1 << 0.0;
    QTest::newRow("KS high") << "URKS" << L {89, 90, 90.5, 88, 87.5, 86.9} << ""
                             << "URKS_HI" << 2 << 5 << 90.0;
    QTest::newRow("KS low") << "URKS" << L {16, 15, 14.5, 17, 18, 18.1} << ""
                            << "URKS_LO" << 2 << 5 << 15.0;
    QTest::newRow("NS high") << "URNS" << L {90, 91, 87.5, 86} << ""
                             << "URNS_HI" << 1 << 3 << 90.0;
    QTest::newRow("NS low") << "URNS" << L {14, 17.9, 18.5} << ""
                            << "URNS_LO" << 0 << 2 << 15.0;
    // Load set-point 180: off by more than 25 for three records, back below 20.
    QTest::newRow("load") << "TNK23" << L {180, 206, 206, 206, 201, 199, 180} << ""
                          << "TNK_DEV" << 3 << 5 << 205.0;
    QTest::newRow("load too short") << "TNK23" << L {206, 206, 180, 206, 206} << ""
                                    << "" << -1 << -1 << 0.0;
    QTest::newRow("conveyor 23") << "BKK23" << L {1, 0, 0, 1} << ""
                                 << "K23_STOP" << 1 << 3 << qQNaN();
    QTest::newRow("conveyor 23 with 41 stopped") << "BKK23" << L {1, 0, 0, 1} << "BKK41=0"
                                                 << "" << -1 << -1 << 0.0;
    QTest::newRow("conveyor 2") << "BKK2" << L {1, 0, 1} << ""
                                << "K2_STOP" << 1 << 2 << qQNaN();
    // No reading raises the sensor alarm after three records, never the condition on the value.
    QTest::newRow("no density reading") << "PLS" << L {1950, null, null, null, null, 1850} << ""
                                        << "SENSOR_PLS" << 3 << 5 << qQNaN();
    QTest::newRow("no set-point reading") << "PLSZ" << L {null, null, null, null} << "PLS=1950"
                                          << "" << -1 << -1 << 0.0;
    QTest::newRow("no KS reading") << "URKS" << L {null, null, null, 55} << ""
                                   << "SENSOR_URKS" << 2 << 3 << qQNaN();
    QTest::newRow("no NS reading") << "URNS" << L {null, null, null} << ""
                                   << "SENSOR_URNS" << 2 << -1 << qQNaN();
    QTest::newRow("no load reading") << "TNK23" << L {null, null, null, 180} << ""
                                     << "SENSOR_TNK23" << 2 << 3 << qQNaN();
    QTest::newRow("short gap in the reading") << "URKS" << L {null, null, 50, null, null} << ""
                                              << "" << -1 << -1 << 0.0;
}

void TestAlarmConditions::raisesAndClearsAtItsLimits()
{
    QFETCH(QString, column);
    QFETCH(QList<QVariant>, values);
    QFETCH(QString, fixed);
    QFETCH(QString, code);
    QFETCH(int, raisedAt);
    QFETCH(int, returnedAt);
    QFETCH(double, limit);

    TAlarmMonitor monitor(FStation->Source());
    for (int i = 0; i < values.size(); ++i) {
        QMap<QString, QVariant> changes {{column, values[i]}};
        if (!fixed.isEmpty())
            changes[fixed.section('=', 0, 0)] = fixed.section('=', 1).toDouble();
        QVERIFY(WriteRecord(Db(), i, changes));
        SetNowOverride(RecordMoment(i) + 30 * OneSecond);
        monitor.Tick();
    }
    QVERIFY(monitor.Stored());
    const QList<TRow> rows = Rows();
    if (code.isEmpty()) {
        QCOMPARE(rows.size(), 0);
        return;
    }
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].Code, code);
    QCOMPARE(MomentSecond(rows[0].Activated), MomentSecond(RecordMoment(raisedAt)));
    QCOMPARE(MomentSecond(rows[0].Returned),
             returnedAt < 0 ? 0 : MomentSecond(RecordMoment(returnedAt)));
    if (std::isnan(limit))
        QVERIFY(rows[0].Limit.isNull());
    else
        QCOMPARE(rows[0].Limit.toDouble(), limit);
    if (!std::isnan(limit))
        QCOMPARE(rows[0].Value.toDouble(), values[raisedAt].toDouble());
}

void TestAlarmConditions::noNewRecordWhileTheHeartbeatIsFresh_data()
{
    QTest::addColumn<bool>("fresh");
    QTest::addColumn<int>("secondsAfter"); // after the last record, when the tick runs
    QTest::addColumn<bool>("raised");
    QTest::newRow("under three minutes") << true << 179 << false;
    QTest::newRow("over three minutes") << true << 181 << true;
    QTest::newRow("the acquisition side is down") << false << 600 << false;
}

void TestAlarmConditions::noNewRecordWhileTheHeartbeatIsFresh()
{
    QFETCH(bool, fresh);
    QFETCH(int, secondsAfter);
    QFETCH(bool, raised);

    FStation->HeartbeatFresh = fresh;
    TAlarmMonitor monitor(FStation->Source());
    QVERIFY(WriteRecord(Db(), 0));
    SetNowOverride(RecordMoment(0) + secondsAfter * OneSecond);
    monitor.Tick();
    monitor.Tick();
    FStation->HeartbeatFresh = false;
    QCOMPARE(RowCount(Db(), QStringLiteral("NO_DATA")), raised ? 1 : 0);
    if (!raised)
        return;
    // Its moment is the last record's and three minutes, whenever a station noticed; the next
    // record ends it.
    QVERIFY(WriteRecord(Db(), 7));
    SetNowOverride(RecordMoment(7) + OneSecond);
    monitor.Tick();
    QList<TRow> rows = Rows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(MomentSecond(rows[0].Activated), MomentSecond(RecordMoment(3)));
    QCOMPARE(MomentSecond(rows[0].Returned), MomentSecond(RecordMoment(7)));
}

void TestAlarmConditions::constantsSetTheLimits_data()
{
    QTest::addColumn<QString>("update"); // of setup
    QTest::addColumn<double>("level"); // of the conditioned sump, two records
    QTest::addColumn<bool>("raised");
    QTest::addColumn<bool>("posted"); // an unusable constant is reported in the event ring
    QTest::newRow("default") << "" << 85.0 << false << false;
    QTest::newRow("edited limit")
        << "update setup set ConstVal = 80 where ConstName = 'ALM_URKS_HI'" << 85.0 << true
        << false;
    QTest::newRow("missing limit")
        << "delete from setup where ConstName = 'ALM_URKS_HI'" << 91.0 << true << true;
    QTest::newRow("empty limit")
        << "update setup set ConstVal = NULL where ConstName = 'ALM_URKS_HI'" << 85.0 << false
        << true;
    QTest::newRow("fractional delay")
        << "update setup set ConstVal = 1.5 where ConstName = 'ALM_URKS_HI_DLY'" << 91.0 << true
        << true;
}

void TestAlarmConditions::constantsSetTheLimits()
{
    QFETCH(QString, update);
    QFETCH(double, level);
    QFETCH(bool, raised);
    QFETCH(bool, posted);

    if (!update.isEmpty())
        QVERIFY(TestDb::Exec(Db(), update));
    const int before = EventRing().Count();
    TAlarmMonitor monitor(FStation->Source());
    for (int i = 0; i < 2; ++i) {
        QVERIFY(WriteRecord(Db(), i, {{"URKS", level}}));
        SetNowOverride(RecordMoment(i) + 30 * OneSecond);
        monitor.Tick();
    }
    QCOMPARE(RowCount(Db(), QStringLiteral("URKS_HI")), raised ? 1 : 0);
    // Each unusable constant is posted once, however often it is read again.
    for (int tick = 0; tick < 61; ++tick)
        monitor.Tick();
    QCOMPARE(EventRing().Count() - before, posted ? 1 : 0);
}

void TestAlarmConditions::schemaSeedsEveryConstantWithItsDefault()
{
    QFile file(qEnvironmentVariable("TALMER_SOURCE_DIR") + QStringLiteral("/db/schema.sql"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString schema = QString::fromUtf8(file.readAll());
    QMap<QString, double> seeded;
    const QRegularExpression row(QStringLiteral("\\('(ALM_\\w+)',\\s*([-0-9.]+),\\s*'[^']+'\\)"));
    for (const QRegularExpressionMatch &match : row.globalMatch(schema))
        seeded[match.captured(1)] = match.captured(2).toDouble();
    QMap<QString, double> read;
    for (const TAlarmConstant &constant : AlarmConstants())
        read[constant.Name] = constant.Default;
    QCOMPARE(seeded, read);
}

TALMER_TEST(TestAlarmConditions)
#include "TestAlarmConditions.moc"
