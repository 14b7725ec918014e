#include "app/Global.h"
#include "app/Utils.h"
#include "common/TestMain.h"

#include <QList>
#include <QLocale>
#include <QPointF>
#include <QTest>
#include <cmath>
#include <limits>

class TestUtils : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        FirstChangeStart = 7;
        DateIncrement = 0;
        QLocale::setDefault(QLocale::c());
    }

    void shiftRange_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("firstChangeStart");
        QTest::addColumn<int>("dateIncrement");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stop");

        const QDateTime afternoon(QDate(2026, 3, 10), QTime(15, 30, 12));
        QTest::newRow("first shift") << afternoon << 1 << 7 << 0 << "2026-03-10 07:00:00"
                                     << "2026-03-10 18:59:59";
        QTest::newRow("second shift") << afternoon << 2 << 7 << 0 << "2026-03-10 19:00:00"
                                      << "2026-03-11 06:59:59";
        QTest::newRow("day") << afternoon << 3 << 7 << 0 << "2026-03-10 07:00:00"
                             << "2026-03-11 06:59:59";
        QTest::newRow("kind 0 is the day") << afternoon << 0 << 7 << 0 << "2026-03-10 07:00:00"
                                           << "2026-03-11 06:59:59";
        QTest::newRow("kind 4 is the day") << afternoon << 4 << 7 << 0 << "2026-03-10 07:00:00"
                                           << "2026-03-11 06:59:59";
        QTest::newRow("date increment 1") << afternoon << 1 << 7 << 1 << "2026-03-11 07:00:00"
                                          << "2026-03-11 18:59:59";
        QTest::newRow("early morning stays on its date")
            << QDateTime(QDate(2026, 3, 10), QTime(2, 0)) << 1 << 7 << 0 << "2026-03-10 07:00:00"
            << "2026-03-10 18:59:59";
        QTest::newRow("start hour 0, second shift")
            << afternoon << 2 << 0 << 0 << "2026-03-10 12:00:00"
            << "2026-03-10 23:59:59";
        QTest::newRow("start hour 23, second shift crosses midnight")
            << afternoon << 2 << 23 << 0 << "2026-03-11 11:00:00"
            << "2026-03-11 22:59:59";
        QTest::newRow("last day of the year, increment 3")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << 3 << 7 << 3
            << "2027-01-03 07:00:00"
            << "2027-01-04 06:59:59";
    }

    void shiftRange()
    {
        QFETCH(QDateTime, date);
        QFETCH(int, kind);
        QFETCH(int, firstChangeStart);
        QFETCH(int, dateIncrement);
        QFETCH(QString, start);
        QFETCH(QString, stop);

        FirstChangeStart = firstChangeStart;
        DateIncrement = dateIncrement;
        TMoment from = -1, to = -1;
        QVERIFY(ShiftRange(DateTimeToMoment(date), kind, from, to));
        const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
        QCOMPARE(MomentToDateTime(from).toString(format), start);
        QCOMPARE(MomentToDateTime(to).toString(format), stop);
    }

    void productionDayOf_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<int>("firstChangeStart");
        QTest::addColumn<int>("dateIncrement");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("shift");

        const QDate d(2026, 3, 10);
        QTest::newRow("00:38 is the night shift of the day before")
            << QDateTime(d, QTime(0, 38)) << 7 << 0 << QDate(2026, 3, 9) << 2;
        QTest::newRow("06:59:59 still the day before")
            << QDateTime(d, QTime(6, 59, 59)) << 7 << 0 << QDate(2026, 3, 9) << 2;
        QTest::newRow("07:00:00 starts the day") << QDateTime(d, QTime(7, 0)) << 7 << 0 << d << 1;
        QTest::newRow("18:59:59 first shift")
            << QDateTime(d, QTime(18, 59, 59)) << 7 << 0 << d << 1;
        QTest::newRow("19:00:00 second shift") << QDateTime(d, QTime(19, 0)) << 7 << 0 << d << 2;
        QTest::newRow("start 19, increment -1: evening opens the next date")
            << QDateTime(d, QTime(19, 0)) << 19 << -1 << QDate(2026, 3, 11) << 1;
        QTest::newRow("start 19, increment -1: 18:59:59 ends today's date")
            << QDateTime(d, QTime(18, 59, 59)) << 19 << -1 << d << 2;
        QTest::newRow("start 0: midnight") << QDateTime(d, QTime(0, 0)) << 0 << 0 << d << 1;
        QTest::newRow("start 0: 23:59:59") << QDateTime(d, QTime(23, 59, 59)) << 0 << 0 << d << 2;
        QTest::newRow("increment 1")
            << QDateTime(d, QTime(8, 0)) << 7 << 1 << QDate(2026, 3, 9) << 1;
        QTest::newRow("increment 3, night")
            << QDateTime(d, QTime(3, 0)) << 7 << 3 << QDate(2026, 3, 6) << 2;
        QTest::newRow("month end")
            << QDateTime(QDate(2026, 5, 1), QTime(6, 0)) << 7 << 0 << QDate(2026, 4, 30) << 2;
        QTest::newRow("year end") << QDateTime(QDate(2027, 1, 1), QTime(0, 38)) << 7 << 0
                                  << QDate(2026, 12, 31) << 2;
        QTest::newRow("leap day") << QDateTime(QDate(2028, 3, 1), QTime(5, 0)) << 7 << 0
                                  << QDate(2028, 2, 29) << 2;
    }

    void productionDayOf()
    {
        QFETCH(QDateTime, moment);
        QFETCH(int, firstChangeStart);
        QFETCH(int, dateIncrement);
        QFETCH(QDate, day);
        QFETCH(int, shift);

        FirstChangeStart = firstChangeStart;
        DateIncrement = dateIncrement;
        const TMoment m = DateTimeToMoment(moment);
        const TMoment found = ProductionDayOf(m);
        QCOMPARE(MomentToDateTime(found).date(), day);
        QCOMPARE(ShiftOf(m), shift);
        // Inverse of ShiftRange: the day's range and the shift's range both hold the moment.
        for (const int kind : {3, shift}) {
            TMoment start = 0, stop = 0;
            ShiftRange(found, kind, start, stop);
            QVERIFY2(start <= m + OneMillisecond && m <= stop + OneMillisecond,
                     qPrintable(QString::number(kind)));
        }
    }

    void timeRangeWhere()
    {
        const TMoment start = EncodeMoment(2026, 1, 5, 7, 0, 0);
        const TMoment stop = EncodeMoment(2026, 1, 6, 6, 59, 59);
        QCOMPARE(TimeRangeWhere(start, stop),
                 QStringLiteral(" where RecMoment >= '2026-01-05 07:00:00' and RecMoment <= "
                                "'2026-01-06 06:59:59'"));
    }

    void sqlFloat_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        for (const char *locale : {"C", "ru_RU"}) {
            const auto row = [locale](const char *name) -> QTestData & {
                return QTest::addRow("%s, %s", locale, name) << QString::fromLatin1(locale);
            };
            row("half") << 1950.5 << "1950.5";
            row("negative") << -0.25 << "-0.25";
            row("whole") << 100.0 << "100";
            row("fraction digits") << 123456.789 << "123456.789";
            row("fifteen digits") << 1.0 / 3 << "0.333333333333333";
        }
    }

    void sqlFloat()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(SqlFloat(value), expected);
    }

    void sqlQuote_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty is NULL") << ""
                                       << "NULL";
        QTest::newRow("blank is a text") << " "
                                         << "' '";
        QTest::newRow("apostrophe") << "O'Brien"
                                    << "'O\\'Brien'";
        QTest::newRow("backslash") << "C:\\Temp\\"
                                   << "'C:\\\\Temp\\\\'";
        QTest::newRow("double quote") << "a \"b\""
                                      << "'a \\\"b\\\"'";
        QTest::newRow("escape already there") << "\\'"
                                              << "'\\\\\\''";
        QTest::newRow("cyrillic") << "Смена №1"
                                  << "'Смена №1'";
    }

    void sqlQuote()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(SqlQuote(text), expected);
    }

    void lookupCalibration_data()
    {
        QTest::addColumn<QList<QPointF>>("points");
        QTest::addColumn<int>("count"); // -1: the number of points
        QTest::addColumn<double>("x");
        QTest::addColumn<bool>("clamp");
        QTest::addColumn<double>("expected");

        const QList<QPointF> table {{0, 0}, {2, 6}, {100, 15}, {101, 15}};
        QTest::newRow("between points") << table << -1 << 1.0 << false << 3.0;
        QTest::newRow("on a point") << table << -1 << 2.0 << false << 6.0;
        QTest::newRow("inner segment") << table << -1 << 50.0 << false << 6 + 48 * 9.0 / 98;
        QTest::newRow("above the table") << table << -1 << 150.0 << false << 15.0;
        QTest::newRow("below the table") << table << -1 << -1.0 << false << -3.0;
        QTest::newRow("below the table, clamped") << table << -1 << -1.0 << true << 0.0;

        const QList<QPointF> shuffled {{100, 15}, {2, 6}, {101, 15}, {0, 0}};
        QTest::newRow("unsorted, between") << shuffled << -1 << 1.0 << false << 3.0;
        QTest::newRow("unsorted, below") << shuffled << -1 << -1.0 << false << -3.0;
        QTest::newRow("unsorted, above") << shuffled << -1 << 201.0 << false << 15.0;

        QTest::newRow("no points") << table << 0 << 1.0 << false << 0.0;
        QTest::newRow("negative count") << table << -7 << 1.0 << false << 0.0;
        QTest::newRow("count 100") << table << 100 << 1.0 << false << 0.0;
        QTest::newRow("one point, not clamped")
            << QList<QPointF> {{5, -2}} << -1 << 9.0 << true << -2.0;
        QTest::newRow("two points, extrapolated")
            << QList<QPointF> {{0, 10}, {10, 0}} << -1 << 20.0 << false << -10.0;
        QTest::newRow("two points, clamped")
            << QList<QPointF> {{0, 10}, {10, 0}} << -1 << 20.0 << true << 0.0;
        QTest::newRow("two points, clamped just below zero")
            << QList<QPointF> {{0, 10}, {10, 0}} << -1 << 10.5 << true << 0.0;
        QTest::newRow("two points on one x")
            << QList<QPointF> {{3, 7}, {3, 9}} << -1 << 5.0 << false << 7.0;
        QTest::newRow("exact hit is never clamped")
            << QList<QPointF> {{0, -5}, {1, 0}, {2, 5}} << -1 << 0.0 << true << -5.0;
        QTest::newRow("tie between neighbours: earlier index")
            << QList<QPointF> {{0, 0}, {0, 100}, {10, 10}} << -1 << 5.0 << false << 5.0;
        QTest::newRow("above, outermost x repeated")
            << QList<QPointF> {{0, 0}, {10, 10}, {10, 20}} << -1 << 20.0 << false << 20.0;
        QTest::newRow("below, every point on one x")
            << QList<QPointF> {{5, 1}, {5, 2}, {5, 3}} << -1 << 0.0 << false << 1.0;
        QTest::newRow("above, every point on one x")
            << QList<QPointF> {{5, 1}, {5, 2}, {5, 3}} << -1 << 9.0 << false << 1.0;
        QTest::newRow("not a number")
            << table << -1 << std::numeric_limits<double>::quiet_NaN() << false << 0.0;
    }

    void lookupCalibration()
    {
        QFETCH(QList<QPointF>, points);
        QFETCH(int, count);
        QFETCH(double, x);
        QFETCH(bool, clamp);
        QFETCH(double, expected);

        TCalibrationTable table {};
        table.Count = count == -1 ? int(points.size()) : count;
        for (int i = 0; i < points.size(); ++i) {
            table.X[i] = points[i].x();
            table.Y[i] = points[i].y();
        }
        QCOMPARE(LookupCalibration(x, &table, clamp), expected);
    }

    void lookupCalibrationWithoutTable() { QCOMPARE(LookupCalibration(1.0, nullptr, false), 0.0); }
};

TALMER_TEST(TestUtils)
#include "TestUtils.moc"
