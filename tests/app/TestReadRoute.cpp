#include "TestMain.h"
#include "app/ReadRoute.h"

#include <QTest>

class TestReadRoute : public QObject
{
    Q_OBJECT

private slots:
    void parsesServers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("servers");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("blanks and empty entries")
            << QStringLiteral(" r1 , ,r2:3307,") << QStringList {"r1", "r2:3307"};
        QTest::newRow("ipv6 with port")
            << QStringLiteral("[::1]:3307") << QStringList {"[::1]:3307"};
    }
    void parsesServers()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, servers);
        QCOMPARE(TReadRoute::ParseServers(text), servers);
        // Comp always closes the list, and is the only server without ReadFrom.
        const TReadRoute route(text, QStringLiteral("comp"));
        QCOMPARE(route.Servers(), servers + QStringList {"comp"});
        QCOMPARE(route.Replicated(), !servers.isEmpty());
        QCOMPARE(route.CurrentServer(), servers.value(0, QStringLiteral("comp")));
    }

    // Each failure hands on to the next server, Comp last; after Comp the list starts over.
    void failuresWalkTheList()
    {
        TReadRoute route(QStringLiteral("r1,r2"), QStringLiteral("comp"));
        QStringList walked;
        QList<bool> startedOver;
        for (int i = 0; i < 4; ++i) {
            startedOver.append(route.MoveOn());
            walked.append(route.CurrentServer());
        }
        QCOMPARE(walked, (QStringList {"r2", "comp", "r1", "r2"}));
        QCOMPARE(startedOver, (QList<bool> {false, false, true, false}));
        QVERIFY(!route.OnPrimary());
    }

    // Back to a better server only after it answered without a break for a minute; a failed
    // probe starts the minute over, and a run from before a move does not count.
    void switchesBackAfterSteadyMinute_data()
    {
        QTest::addColumn<QList<int>>("probeSeconds"); // negative: the probe failed
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("switched");
        QTest::newRow("a minute") << QList<int> {0, 30} << 60 << true;
        QTest::newRow("59 s") << QList<int> {0, 30} << 59 << false;
        QTest::newRow("broken run") << QList<int> {0, -30, 40} << 60 << false;
        QTest::newRow("restarted run") << QList<int> {0, -30, 40} << 100 << true;
        QTest::newRow("never asked") << QList<int> {} << 600 << false;
    }
    void switchesBackAfterSteadyMinute()
    {
        QFETCH(QList<int>, probeSeconds);
        QFETCH(int, at);
        QFETCH(bool, switched);
        const TMoment start = EncodeMoment(2026, 5, 1, 12, 0, 0);
        TReadRoute route(QStringLiteral("r1"), QStringLiteral("comp"));
        route.MoveOn();
        QCOMPARE(route.NextProbe(), std::optional<int>(0));
        for (int second : probeSeconds)
            route.Probed(0, second >= 0, start + std::abs(second) * OneSecond);
        QCOMPARE(route.SwitchBack(start + at * OneSecond), switched);
        QCOMPARE(route.CurrentServer(), switched ? QStringLiteral("r1") : QStringLiteral("comp"));
        QCOMPARE(route.NextProbe().has_value(), !switched);

        // Failed again and moved on: the old run is gone.
        if (switched) {
            route.MoveOn();
            QVERIFY(!route.SwitchBack(start + 2 * at * OneSecond));
        }
    }

    void lagLimit_data()
    {
        QTest::addColumn<double>("behindSeconds");
        QTest::addColumn<bool>("lagging");
        QTest::newRow("in step") << 0.0 << false;
        QTest::newRow("10 s exactly") << 10.0 << false;
        QTest::newRow("10.5 s") << 10.5 << true;
        QTest::newRow("ahead") << -20.0 << false;
    }
    void lagLimit()
    {
        QFETCH(double, behindSeconds);
        QFETCH(bool, lagging);
        const TMoment primary = EncodeMoment(2026, 5, 1, 0, 0, 5);
        QCOMPARE(TReadRoute::Lagging(primary - behindSeconds * OneSecond, primary), lagging);
    }
};

TALMER_TEST(TestReadRoute)
#include "TestReadRoute.moc"
