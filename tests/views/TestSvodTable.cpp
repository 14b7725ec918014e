#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "app/EventLog.h"
#include "app/FrameTestKit.h"
#include "app/Global.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "views/DataGrid.h"
#include "views/SvodTable.h"

#include <QDateEdit>
#include <QLabel>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using namespace ViewsTestKit;

namespace {

QString Text(TMoment moment)
{
    return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment);
}

// The statement's four rows as texts, columns C1 to C7: times as the server gives them, figures
// to six digits, NULL as "NULL".
QList<QStringList> RunStatement(TMoment day)
{
    QList<QStringList> rows;
    QSqlQuery query(TestDb::Open());
    if (!query.exec(SvodStatement(SvodPeriods(day))))
        return rows;
    while (query.next()) {
        QStringList row;
        for (int column = 2; column <= 8; ++column) {
            if (query.isNull(column))
                row.append(QStringLiteral("NULL"));
            else if (column <= 4)
                row.append(query.value(column).toString());
            else
                row.append(QString::number(query.value(column).toDouble(), 'g', 6));
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

class TestSvodTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        QVERIFY(EmptyTables());
        QVERIFY(OpenMainLink());
    }
    void cleanup() { ResetSettings(); }

    void periods_data()
    {
        QTest::addColumn<int>("firstChange");
        QTest::addColumn<int>("increment");
        QTest::addColumn<TMoment>("day");
        QTest::addColumn<QStringList>("bounds"); // start and stop of the four rows
        QTest::newRow("defaults") << 7 << 0 << EncodeMoment(2009, 1, 7, 15, 30)
                                  << QStringList {"2009-01-07 07:00:00", "2009-01-07 18:59:59",
                                                  "2009-01-07 19:00:00", "2009-01-08 06:59:59",
                                                  "2009-01-07 07:00:00", "2009-01-08 06:59:59",
                                                  "2009-01-01 07:00:00", "2009-01-08 06:59:59"};
        QTest::newRow("first of month")
            << 7 << 0 << EncodeMoment(2009, 3, 1)
            << QStringList {"2009-03-01 07:00:00", "2009-03-01 18:59:59", "2009-03-01 19:00:00",
                            "2009-03-02 06:59:59", "2009-03-01 07:00:00", "2009-03-02 06:59:59",
                            "2009-03-01 07:00:00", "2009-03-02 06:59:59"};
        QTest::newRow("evening start, day before")
            << 19 << -1 << EncodeMoment(2026, 5, 10)
            << QStringList {"2026-05-09 19:00:00", "2026-05-10 06:59:59", "2026-05-10 07:00:00",
                            "2026-05-10 18:59:59", "2026-05-09 19:00:00", "2026-05-10 18:59:59",
                            "2026-04-30 19:00:00", "2026-05-10 18:59:59"};
    }
    void periods()
    {
        QFETCH(int, firstChange);
        QFETCH(int, increment);
        QFETCH(TMoment, day);
        QFETCH(QStringList, bounds);
        FirstChangeStart = firstChange;
        DateIncrement = increment;
        QStringList got;
        const QVector<TSvodPeriod> periods = SvodPeriods(day);
        for (const TSvodPeriod &period : periods)
            got << Text(period.Start) << Text(period.Stop);
        QCOMPARE(got, bounds);
        QCOMPARE(periods.at(3).Name, QStringLiteral("С начала месяца"));
    }

    void figures()
    {
        const TMoment day = EncodeMoment(2009, 1, 7);
        // Shift 1: 61 minutes under load, the first exactly at its start.
        for (int minute = 0; minute < 61; ++minute)
            QVERIFY(AddRecord(day + 7 * OneHour + minute * OneMinute, 1, 1, 2, 4, 1));
        // Shift 2: 3 minutes without load, one idle minute, the last at its very stop.
        QVERIFY(AddRecord(day + 20 * OneHour, 1, 0, 1, 1, 0.5));
        QVERIFY(AddRecord(day + 21 * OneHour, 1, -1, 1, 1, 0.5));
        QVERIFY(AddRecord(day + 1 + 6 * OneHour + 59 * OneMinute + 59 * OneSecond, 1, 0, 1, 2, 1));
        QVERIFY(AddRecord(day + 22 * OneHour, 0, 1, 5, 0, 0));
        // Outside the day but inside the month, and just past the day.
        QVERIFY(AddRecord(EncodeMoment(2009, 1, 2, 12), 1, 1, 10, 10, 10));
        QVERIFY(AddRecord(day + 1 + 7 * OneHour, 1, 1, 100, 100, 100));

        const QList<QStringList> rows = RunStatement(day);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(0),
                 (QStringList {"  01:01", "  00:00", "  01:01", "122", "244", "61", "25"}));
        QCOMPARE(rows.at(1), (QStringList {"  00:00", "  00:03", "  00:03", "8", "4", "2", "50"}));
        QCOMPARE(rows.at(2),
                 (QStringList {"  01:01", "  00:03", "  01:04", "130", "248", "63",
                               QString::number(100.0 * 63 / 248, 'g', 6)}));
        QCOMPARE(rows.at(3),
                 (QStringList {"  01:02", "  00:03", "  01:05", "140", "258", "73",
                               QString::number(100.0 * 73 / 258, 'g', 6)}));

        // An empty day: zero times, zero sums, no yield.
        const QList<QStringList> empty = RunStatement(EncodeMoment(2009, 1, 20));
        QCOMPARE(empty.at(0),
                 (QStringList {"  00:00", "  00:00", "  00:00", "0", "0", "0", "NULL"}));
    }

    void firstOfMonthRowsAgree()
    {
        const TMoment day = EncodeMoment(2009, 3, 1);
        QVERIFY(AddRecord(EncodeMoment(2009, 2, 28, 12), 1, 1, 9, 9, 9));
        QVERIFY(AddRecord(day + 8 * OneHour, 1, 1, 3, 6, 2));
        QVERIFY(AddRecord(day + 1 + 2 * OneHour, 1, 0, 1, 1, 1));
        const QList<QStringList> rows = RunStatement(day);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(3), rows.at(2));
        QCOMPARE(rows.at(2).at(2), QStringLiteral("  00:02"));
    }

    void gridShowsFormattedRows()
    {
        const TMoment day = EncodeMoment(2009, 1, 7);
        QVERIFY(AddRecord(day + 8 * OneHour, 1, 1, 1234567.125, 4, 1));
        TFormSvodTable form;
        form.DateTimePicker1->setDate(QDate(2009, 1, 7));
        form.Reload();
        const TGridModel *model = form.Grid->Model();
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(model->columnCount(), 8);
        QCOMPARE(model->DisplayText(0, 0), QStringLiteral("Смена 1"));
        QCOMPARE(model->DisplayText(0, 1), QStringLiteral("  00:01"));
        QCOMPARE(model->DisplayText(0, 4), QStringLiteral("1 234 567.13"));
        QCOMPARE(model->DisplayText(0, 7), QStringLiteral("25.0"));
        QCOMPARE(model->DisplayText(1, 4), QStringLiteral("  0.00"));
        QCOMPARE(model->DisplayText(1, 7), QString());
        QCOMPARE(form.PeriodStart(), EncodeMoment(2009, 1, 1, 7));
        QCOMPARE(form.PeriodStop(), EncodeMoment(2009, 1, 8, 6, 59, 59));
        QCOMPARE(form.PrintHeader().count(QStringLiteral("Таблица учета работы обогатительного  "
                                                         "гидроциклона и конвейерных весов за  "
                                                         "07.01.2009")),
                 1);
        QVERIFY(!form.PrintHeader().contains(QStringLiteral("[CAPTION]")));
    }

    void failureGoesToEventRing()
    {
        RecordingFeedback feedback;
        TFormSvodTable form;
        QVERIFY(
            TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE pu_data TO pu_data_away")));
        const int before = EventRing().Count();
        form.Reload();
        QVERIFY(
            TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE pu_data_away TO pu_data")));
        QCOMPARE(EventRing().Count(), before + 1);
        QCOMPARE(EventRing().Record(EventRing().WriteIndex() - 1).Text,
                 QStringLiteral("Ошибка в TFormSvodTable::Reload()"));
        QVERIFY(feedback.messages.isEmpty());
        QCOMPARE(form.Grid->Model()->rowCount(), 0);
        QVERIFY(!form.ReloadBusy());
        QVERIFY(form.WaitPanel->isHidden());
        form.Reload(); // usable again
        QCOMPARE(form.Grid->Model()->rowCount(), 4);
    }

    void enterDuringReloadIsIgnored()
    {
        TFormSvodTable form;
        form.show();
        QSignalSpy reloads(&form, &TFormSvodTable::Reloaded);
        // Delivered while the reload lets pending messages through.
        QCoreApplication::postEvent(
            &form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        form.Reload();
        QCOMPARE(reloads.count(), 1);
        QTest::keyClick(&form, Qt::Key_Return);
        QCOMPARE(reloads.count(), 2);
    }

    void timerTicks_data()
    {
        QTest::addColumn<bool>("today");
        QTest::addColumn<QList<int>>("reloadsAfterTicks"); // cumulative, tick by tick
        // First tick (wanted from creation), second tick, then every second tick while now lies
        // within month start .. day stop and a minute has passed.
        QTest::newRow("current day") << true << QList<int> {1, 2, 2, 3, 3, 4};
        QTest::newRow("past day") << false << QList<int> {1, 2, 2, 2, 2, 2};
    }
    void timerTicks()
    {
        QFETCH(bool, today);
        QFETCH(QList<int>, reloadsAfterTicks);
        FrameUnderTest frame;
        TMoment now = EncodeMoment(2026, 5, 10, 12);
        SetNowOverride(now);
        TFormSvodTable form;
        if (!today)
            form.DateTimePicker1->setDate(QDate(2026, 3, 10));
        form.TimerUpdate->stop();
        QSignalSpy reloads(&form, &TFormSvodTable::Reloaded);
        for (int expected : reloadsAfterTicks) {
            now += 45 * OneSecond;
            SetNowOverride(now);
            form.TimerUpdateTimer();
            QCOMPARE(reloads.count(), expected);
        }
    }
};

TALMER_TEST(TestSvodTable)
#include "TestSvodTable.moc"
