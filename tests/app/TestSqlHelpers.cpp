#include "app/Utils.h"
#include "common/TestDb.h"
#include "common/TestMain.h"

#include <QLocale>
#include <QSqlQuery>
#include <QTest>

// The SQL text helpers against the real server.
class TestSqlHelpers : public QObject
{
    Q_OBJECT

    QSqlDatabase m_db;

    int CountInRange(TMoment start, TMoment stop)
    {
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("select count(*) from pu_data")
                        + TimeRangeWhere(start, stop))
            || !query.next())
            return -1;
        return query.value(0).toInt();
    }

private slots:
    void initTestCase()
    {
        m_db = TestDb::Open();
        QVERIFY(m_db.isOpen());
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void timeRangeIsInclusive_data()
    {
        QTest::addColumn<TMoment>("start");
        QTest::addColumn<TMoment>("stop");
        QTest::addColumn<int>("count");
        const auto at = [](int h, int n, int s) {
            return EncodeMoment(2026, 3, 10, h, n, s);
        };
        QTest::newRow("start equals stop") << at(7, 0, 0) << at(7, 0, 0) << 1;
        QTest::newRow("both ends on records") << at(6, 59, 59) << at(7, 0, 1) << 3;
        QTest::newRow("between records") << at(7, 0, 2) << at(7, 59, 0) << 0;
        QTest::newRow("reversed") << at(7, 0, 1) << at(6, 59, 59) << 0;
    }

    void timeRangeIsInclusive()
    {
        QFETCH(TMoment, start);
        QFETCH(TMoment, stop);
        QFETCH(int, count);
        QVERIFY(TestDb::Truncate(m_db, {QStringLiteral("pu_data")}));
        for (const char *moment :
             {"2026-03-10 06:59:59", "2026-03-10 07:00:00", "2026-03-10 07:00:01"})
            QVERIFY(TestDb::Exec(m_db,
                                 QStringLiteral("insert into pu_data (RecMoment) values ('%1')")
                                     .arg(QLatin1String(moment))));
        QCOMPARE(CountInRange(start, stop), count);
    }

    void quotedTextRoundTrips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophes") << "O'Brien's 'shift'";
        QTest::newRow("backslashes") << "C:\\Temp\\";
        QTest::newRow("double quotes") << "\"Смена\" 1";
        QTest::newRow("escaped quote") << "\\'";
        QTest::newRow("all together") << "'\\\"\\\\''";
        QTest::newRow("line break") << "a\nb";
        QTest::newRow("empty is NULL") << "";
    }

    void quotedTextRoundTrips()
    {
        QFETCH(QString, text);
        QSqlQuery query(m_db);
        QVERIFY(query.exec(
            QStringLiteral(
                "insert into control_vector (RecMoment, UserName, _PLSZ) values (now(), ")
            + SqlQuote(text) + QStringLiteral(", 0)")));
        QVERIFY(query.exec(
            QStringLiteral("select UserName from control_vector where Id = last_insert_id()")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).isNull(), text.isEmpty());
        QCOMPARE(query.value(0).toString(), text);
    }

    void numberWithCommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QSqlQuery query(m_db);
        QVERIFY(query.exec(QStringLiteral("select ") + SqlFloat(1950.5) + QStringLiteral(" + ")
                           + SqlFloat(-0.25)));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toDouble(), 1950.25);
    }
};

TALMER_TEST(TestSqlHelpers)
#include "TestSqlHelpers.moc"
