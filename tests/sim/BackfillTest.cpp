#include "core/Backfill.h"
#include "SimTestSupport.h"
#include "common/TestMain.h"
#include "core/PlantModel.h"
#include "core/RecordWriter.h"

#include <QTest>

#include <memory>

// Two days of history written into the real database, then read back and checked as the client
// would see it: the minute grid, the conveyor shares, the flags, the journal, a second run.
class BackfillTest : public QObject
{
    Q_OBJECT

    QSqlDatabase m_db;
    std::unique_ptr<SimDatabase> m_sim;
    // A date far from any daylight-saving switch, so every wall-clock minute exists once.
    const QDateTime m_now {QDate(2026, 6, 10), QTime(12, 34, 56)};
    BackfillResult m_result;
    QList<PlantRecord> m_records;

    BackfillResult Run(const QDateTime &now, quint32 seed, double gapsPerDay)
    {
        PlantModel model(seed);
        // The plant's own course for the seed; the upsets have tests of their own.
        model.SetUpsetsPerDay(0);
        BackfillOptions options;
        options.days = 2;
        options.gapsPerDay = gapsPerDay;
        return Backfill(*m_sim, model, options).Run(now);
    }

    QList<PlantRecord> ReadRecords()
    {
        QList<PlantRecord> records;
        for (const QSqlRecord &row : Rows(m_db, recordsSql))
            records << PlantRecord::FromSql(row);
        return records;
    }

    int Count(const QString &table)
    {
        return Scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }

private slots:
    void initTestCase()
    {
        m_db = TestDb::Open();
        QVERIFY(m_db.isOpen());
        QVERIFY(TestDb::Truncate(m_db, simTables));
        m_sim = std::make_unique<SimDatabase>(TestSettings());
        QVERIFY(m_sim->EnsureOpen(m_now));
        // Frequent restarts, so two days are sure to hold several gaps.
        m_result = Run(m_now, 7, 6);
        QVERIFY(m_result.ok);
        m_records = ReadRecords();
        QCOMPARE(m_records.size(), m_result.records);
    }

    void recordsFillTheDaysMinuteByMinuteExceptGaps()
    {
        QVERIFY(!m_records.isEmpty());
        QCOMPARE(m_records.first().moment, QDateTime(QDate(2026, 6, 8), QTime(12, 35)));
        QCOMPARE(m_records.last().moment, QDateTime(QDate(2026, 6, 10), QTime(12, 34)));
        int gaps = 0;
        int missing = 0;
        for (qsizetype i = 1; i < m_records.size(); ++i) {
            const qint64 minutes = m_records[i - 1].moment.secsTo(m_records[i].moment) / 60;
            QCOMPARE(m_records[i].moment.time().second(), 0);
            if (minutes == 1)
                continue;
            QVERIFY2(minutes >= Backfill::minGapMinutes && minutes <= Backfill::maxGapMinutes,
                     qPrintable(SqlMoment(m_records[i].moment)));
            ++gaps;
            missing += minutes - 1;
        }
        QVERIFY(gaps >= 3);
        QCOMPARE(m_records.size() + missing, 2 * 1440);
    }

    void conveyorCarriesTheMinutesShare_data()
    {
        QTest::addColumn<QString>("conveyor");
        QTest::newRow("run-of-mine 41") << "41";
        QTest::newRow("plant feed 23") << "23";
        QTest::newRow("concentrate 2") << "2";
    }

    void conveyorCarriesTheMinutesShare()
    {
        QFETCH(QString, conveyor);
        int running = 0;
        for (const QSqlRecord &row : Rows(m_db, QStringLiteral("SELECT * FROM pu_data"))) {
            const bool on = row.value("BKK" + conveyor).toInt() >= 1;
            const double load = row.value("TNK" + conveyor).toDouble();
            const double share = row.value("G_1T" + conveyor).toDouble();
            if (on) {
                ++running;
                QVERIFY2(std::abs(share - load / 60) <= 1e-6 * std::max(1.0, load),
                         qPrintable(QStringLiteral("%1 vs %2").arg(share).arg(load)));
            } else {
                QCOMPARE(load, 0.0);
                QCOMPARE(share, 0.0);
            }
        }
        QVERIFY(running > 1440); // the conveyor works most of the time
    }

    void totalsGrowByTheMinutesShare()
    {
        int checked = 0;
        for (qsizetype i = 1; i < m_records.size(); ++i) {
            const PlantRecord &a = m_records[i - 1];
            const PlantRecord &b = m_records[i];
            if (a.moment.secsTo(b.moment) != 60)
                continue; // across a gap the plant ran unrecorded
            QVERIFY(std::abs(b.G23 - a.G23 - b.G_1T23) < 1e-3);
            QVERIFY(std::abs(b.G41 - a.G41 - b.G_1T41) < 1e-3);
            QVERIFY(std::abs(b.G2 - a.G2 - b.G_1T2) < 1e-3);
            ++checked;
        }
        QVERIFY(checked > 2000);
    }

    void flagsAreConsistent()
    {
        const QString violations = QStringLiteral(
            "SELECT COUNT(*) FROM pu_data WHERE (RN > 0 AND RAB <= 0) OR (RN > 0 AND BKK23 < 1) "
            "OR (BKK2 >= 1 AND RAB <= 0) OR (BKK23 < 1 AND (TNK23 <> 0 OR G_1T23 <> 0)) "
            "OR (BKK41 < 1 AND (TNK41 <> 0 OR G_1T41 <> 0)) OR (BKK2 < 1 AND (TNK2 <> 0 OR G_1T2 "
            "<> 0))");
        QCOMPARE(Scalar(m_db, violations).toInt(), 0);
        // The unit does stop now and then, and works under load most of the time.
        const double operating =
            Scalar(m_db, QStringLiteral("SELECT AVG(RAB > 0) FROM pu_data")).toDouble();
        const double loaded =
            Scalar(m_db, QStringLiteral("SELECT AVG(RN > 0) FROM pu_data")).toDouble();
        QVERIFY(operating < 1 && operating > 0.7);
        QVERIFY(loaded < operating && loaded > 0.6);
    }

    void positionsAndLevelsStayWithinPercent_data()
    {
        QTest::addColumn<QString>("column");
        for (const char *c : {"URKS", "URNS", "VODA1", "VODA2", "DSUS", "VPIT"})
            QTest::newRow(c) << c;
    }

    void positionsAndLevelsStayWithinPercent()
    {
        QFETCH(QString, column);
        const QList<QSqlRecord> rows =
            Rows(m_db,
                 QStringLiteral("SELECT MIN(%1) lo, MAX(%1) hi, STDDEV(%1) sd FROM pu_data")
                     .arg(column));
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows[0].value("lo").toDouble() >= 0);
        QVERIFY(rows[0].value("hi").toDouble() <= 100);
        QVERIFY(rows[0].value("sd").toDouble() > 0.5); // it moves
    }

    void densityFollowsItsSetPointAndYieldIsPlausible()
    {
        const double offset = Scalar(m_db,
                                     QStringLiteral("SELECT AVG(ABS(PLS - PLSZ)) FROM pu_data "
                                                    "WHERE RAB > 0"))
                                  .toDouble();
        QVERIFY2(offset < 15, qPrintable(QString::number(offset)));
        const double yield =
            Scalar(m_db, QStringLiteral("SELECT SUM(G_1T2) / SUM(G_1T23) FROM pu_data")).toDouble();
        QVERIFY2(yield > 0.55 && yield < 0.75, qPrintable(QString::number(yield)));
        QCOMPARE(Scalar(m_db,
                        QStringLiteral("SELECT COUNT(*) FROM pu_data WHERE _PLSZ <> PLSZ OR "
                                       "_TNZ <> TNZ"))
                     .toInt(),
                 0);
    }

    void switchesAreJournalled_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("text");
        QTest::newRow("unit stop") << "RAB" << false << "Гидроциклон остановлен";
        QTest::newRow("unit start") << "RAB" << true << "Гидроциклон запущен";
        QTest::newRow("load on") << "RN" << true << "Нагрузка подана";
        QTest::newRow("load off") << "RN" << false << "Нагрузка снята";
        QTest::newRow("conveyor 23 start") << "BKK23" << true << "Конвейер 23 запущен";
        QTest::newRow("conveyor 2 stop") << "BKK2" << false << "Конвейер 2 остановлен";
    }

    void switchesAreJournalled()
    {
        QFETCH(QString, column);
        QFETCH(bool, on);
        QFETCH(QString, text);
        const QList<QSqlRecord> rows = Rows(m_db, recordsSql);
        int switches = 0;
        for (qsizetype i = 1; i < rows.size(); ++i) {
            const QDateTime before = MomentFromSql(rows[i - 1].value("RecMomentText").toString());
            const QDateTime after = MomentFromSql(rows[i].value("RecMomentText").toString());
            if (before.secsTo(after) != 60 || (rows[i - 1].value(column).toInt() > 0) == on
                || (rows[i].value(column).toInt() > 0) != on)
                continue;
            ++switches;
            const int logged = Scalar(m_db,
                                      QStringLiteral("SELECT COUNT(*) FROM control_log WHERE "
                                                     "MessageText = %1 AND RecMoment > '%2' "
                                                     "AND RecMoment <= '%3'")
                                          .arg(SqlText(text), SqlMoment(before), SqlMoment(after)))
                                   .toInt();
            QVERIFY2(logged == 1, qPrintable(SqlMoment(after)));
        }
        QVERIFY(switches > 0);
    }

    void restartsAreJournalledAroundGaps()
    {
        const int stops = Scalar(m_db,
                                 QStringLiteral("SELECT COUNT(*) FROM control_log WHERE "
                                                "MessageText = 'Система сбора данных остановлена'"))
                              .toInt();
        const int starts = Scalar(m_db,
                                  QStringLiteral("SELECT COUNT(*) FROM control_log WHERE "
                                                 "MessageText = 'Система сбора данных запущена'"))
                               .toInt();
        int gaps = 0;
        for (qsizetype i = 1; i < m_records.size(); ++i)
            gaps += m_records[i - 1].moment.secsTo(m_records[i].moment) > 60;
        QCOMPARE(stops, gaps);
        QCOMPARE(starts, gaps);
    }

    void secondRunAddsNothing()
    {
        const int journal = Count("control_log");
        const int commands = Count("control_vector");
        const BackfillResult again = Run(m_now, 99, 6);
        QVERIFY(again.ok);
        QCOMPARE(again.records, 0);
        QCOMPARE(Count("pu_data"), m_records.size());
        QCOMPARE(Count("control_log"), journal);
        QCOMPARE(Count("control_vector"), commands);
    }

    void laterRunCarriesOnFromTheNewestRecord()
    {
        const PlantRecord last = m_records.last();
        const BackfillResult later = Run(m_now.addSecs(30 * 60), 11, 0);
        QVERIFY(later.ok);
        QCOMPARE(later.records, 30);
        QCOMPARE(later.first, last.moment.addSecs(60));
        const QList<PlantRecord> records = ReadRecords();
        QCOMPARE(records.size(), m_records.size() + 30);
        const PlantRecord &next = records[m_records.size()];
        QCOMPARE(next.moment, later.first);
        QVERIFY(std::abs(next.G23 - last.G23 - next.G_1T23) < 1e-3);
        m_records = records;
    }
};

TALMER_TEST(BackfillTest)
#include "BackfillTest.moc"
