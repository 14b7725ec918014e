#include "TestMain.h"
#include "base/Moment.h"

#include <QTest>
#include <cmath>

class TestMoment : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetNowOverride(0); }

    void encode_data()
    {
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<TMoment>("moment");
        QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
        QTest::newRow("1970") << QDateTime(QDate(1970, 1, 1), QTime(0, 0)) << 25569.0;
        QTest::newRow("2000 noon") << QDateTime(QDate(2000, 1, 1), QTime(12, 0)) << 36526.5;
        QTest::newRow("before epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
        QTest::newRow("millisecond")
            << QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0, 1)) << 36526.0 + OneMillisecond;
    }

    void encode()
    {
        QFETCH(QDateTime, local);
        QFETCH(TMoment, moment);
        const QDate d = local.date();
        const QTime t = local.time();
        QCOMPARE(
            EncodeMoment(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()),
            moment);
        QCOMPARE(DateTimeToMoment(local), moment);
        QCOMPARE(MomentToDateTime(moment), local);
    }

    void invalidGivesNaN()
    {
        QVERIFY(std::isnan(EncodeMoment(2026, 2, 30)));
        QVERIFY(std::isnan(EncodeMoment(2026, 1, 1, 24)));
        QVERIFY(std::isnan(DateTimeToMoment(QDateTime())));
        QVERIFY(!MomentToDateTime(std::nan("")).isValid());
        QVERIFY(!MomentToDateTime(1e300).isValid());
    }

    void roundsToMillisecond_data()
    {
        QTest::addColumn<TMoment>("moment");
        QTest::addColumn<QDateTime>("expected");
        const TMoment day = EncodeMoment(2026, 6, 30);
        const QDate date(2026, 6, 30);
        QTest::newRow("below half") << day + 0.4 * OneMillisecond << QDateTime(date, QTime(0, 0));
        QTest::newRow("above half")
            << day + 0.6 * OneMillisecond << QDateTime(date, QTime(0, 0, 0, 1));
        QTest::newRow("into next day")
            << day + 1 - 0.3 * OneMillisecond << QDateTime(date.addDays(1), QTime(0, 0));
        QTest::newRow("negative into next day")
            << -1 - (1 - 0.3 * OneMillisecond) << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    }

    void roundsToMillisecond()
    {
        QFETCH(TMoment, moment);
        QFETCH(QDateTime, expected);
        QCOMPARE(MomentToDateTime(moment), expected);
    }

    // Whole seconds spread over a year convert both ways exactly as wall-clock times, whatever the
    // local zone (run with a daylight-saving TZ too: the repeated autumn hour maps to one moment).
    void roundTripAcrossYear()
    {
        int checked = 0;
        for (qint64 s = 0; s < 366 * 86400; s += 997) {
            const QDate date = QDate(2026, 1, 1).addDays(s / 86400);
            const QTime time = QTime(0, 0).addSecs(int(s % 86400));
            const TMoment moment = EncodeMoment(date.year(), date.month(), date.day(), time.hour(),
                                                time.minute(), time.second());
            QDate decodedDate;
            QTime decodedTime;
            DecodeMoment(moment + 123 * OneMillisecond, decodedDate, decodedTime);
            QCOMPARE(decodedDate, date);
            QCOMPARE(decodedTime, time.addMSecs(123));
            const QDateTime local(date, time);
            QCOMPARE(DateTimeToMoment(local), moment);
            const QDateTime back = MomentToDateTime(moment);
            QVERIFY(back.isValid());
            if (!local.isValid())
                continue; // a spring-forward gap: that wall-clock time does not exist here
            QCOMPARE(DateTimeToMoment(local.toUTC()), moment);
            QCOMPARE(back.date(), date);
            QCOMPARE(back.time(), time);
            ++checked;
        }
        QVERIFY(checked > 30000);
    }

    void dateAndTimeParts_data()
    {
        QTest::addColumn<TMoment>("moment");
        QTest::addColumn<TMoment>("date");
        QTest::addColumn<TMoment>("time");
        QTest::newRow("positive") << 36526.75 << 36526.0 << 0.75;
        QTest::newRow("negative") << -1.25 << -1.0 << 0.25;
        QTest::newRow("negative below one") << -0.5 << 0.0 << 0.5;
    }

    void dateAndTimeParts()
    {
        QFETCH(TMoment, moment);
        QFETCH(TMoment, date);
        QFETCH(TMoment, time);
        QCOMPARE(MomentDate(moment), date);
        QCOMPARE(MomentTime(moment), time);
    }

    void nowOverride()
    {
        const TMoment fixed = EncodeMoment(2026, 12, 8, 10, 30);
        SetNowOverride(fixed);
        QCOMPARE(Now(), fixed);
        SetNowOverride(0);
        const TMoment real = DateTimeToMoment(QDateTime::currentDateTime());
        QVERIFY(std::fabs(Now() - real) < 5 * OneSecond);
    }
};

TALMER_TEST(TestMoment)
#include "tst_Moment.moc"
