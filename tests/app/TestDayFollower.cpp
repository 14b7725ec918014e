#include "app/DayFollower.h"
#include "app/Global.h"
#include "common/TestMain.h"

#include <QComboBox>
#include <QDateEdit>
#include <QSignalSpy>
#include <QTest>

class TestDayFollower : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        SetNowOverride(0);
        FirstChangeStart = 7;
        DateIncrement = 0;
    }

    // What the picker and shift box show after the clock moves, for an operator who did or did
    // not pick a date of his own.
    void follows_data()
    {
        QTest::addColumn<int>("shiftIndex");
        QTest::addColumn<QDate>("picked");
        QTest::addColumn<QDateTime>("later");
        QTest::addColumn<QDate>("shownDay");
        QTest::addColumn<int>("shownShift");
        QTest::addColumn<int>("moves");

        const QDate night(2026, 3, 9); // 00:38 on 10 March belongs to the day of 9 March
        const QDateTime morning(QDate(2026, 3, 10), QTime(7, 0, 1));
        QTest::newRow("both shifts follow the day")
            << 2 << QDate() << morning << QDate(2026, 3, 10) << 2 << 1;
        QTest::newRow("second shift follows to first of the new day")
            << 1 << QDate() << morning << QDate(2026, 3, 10) << 0 << 1;
        QTest::newRow("a picked past date stays")
            << 2 << QDate(2026, 3, 1) << morning << QDate(2026, 3, 1) << 2 << 0;
        QTest::newRow("the current day picked again follows")
            << 2 << night << morning << QDate(2026, 3, 10) << 2 << 1;
    }

    void follows()
    {
        QFETCH(int, shiftIndex);
        QFETCH(QDate, picked);
        QFETCH(QDateTime, later);
        QFETCH(QDate, shownDay);
        QFETCH(int, shownShift);
        QFETCH(int, moves);

        SetNowOverride(EncodeMoment(2026, 3, 10, 0, 38));
        QDateEdit picker;
        QComboBox shifts;
        shifts.addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1+2")});
        shifts.setCurrentIndex(shiftIndex);
        TDayFollower follower(&picker, &shifts);
        QCOMPARE(picker.date(), QDate(2026, 3, 9));
        if (picked.isValid()) {
            picker.setDate(picked.addDays(-1)); // the operator scrolls through another date
            picker.setDate(picked);
        }
        QSignalSpy moved(&follower, &TDayFollower::Moved);
        SetNowOverride(DateTimeToMoment(later));
        follower.Check();
        follower.Check(); // nothing changed since: no second reload
        QCOMPARE(picker.date(), shownDay);
        QCOMPARE(shifts.currentIndex(), shownShift);
        QCOMPARE(moved.count(), moves);
    }

    void eveningShiftChange_data()
    {
        QTest::addColumn<int>("shiftIndex");
        QTest::addColumn<int>("shownShift");
        QTest::addColumn<int>("moves");
        QTest::newRow("first shift moves to the second") << 0 << 1 << 1;
        QTest::newRow("both shifts stay") << 2 << 2 << 0;
    }

    void eveningShiftChange()
    {
        QFETCH(int, shiftIndex);
        QFETCH(int, shownShift);
        QFETCH(int, moves);

        SetNowOverride(EncodeMoment(2026, 3, 10, 18, 59, 59));
        QDateEdit picker;
        QComboBox shifts;
        shifts.addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1+2")});
        shifts.setCurrentIndex(shiftIndex);
        TDayFollower follower(&picker, &shifts);
        QSignalSpy moved(&follower, &TDayFollower::Moved);
        SetNowOverride(EncodeMoment(2026, 3, 10, 19, 0, 0));
        follower.Check();
        QCOMPARE(picker.date(), QDate(2026, 3, 10));
        QCOMPARE(shifts.currentIndex(), shownShift);
        QCOMPARE(moved.count(), moves);
    }

    void currentDayEntryFollowsAgain()
    {
        SetNowOverride(EncodeMoment(2026, 3, 10, 0, 38));
        QDateEdit picker;
        TDayFollower follower(&picker);
        picker.setDate(QDate(2026, 2, 1));
        QVERIFY(!follower.Following());
        QCOMPARE(picker.actions().size(), 1);
        QCOMPARE(picker.actions().first()->text(), QStringLiteral("Текущие сутки"));
        QSignalSpy moved(&follower, &TDayFollower::Moved);
        picker.actions().first()->trigger();
        QCOMPARE(picker.date(), QDate(2026, 3, 9));
        QVERIFY(follower.Following());
        QCOMPARE(moved.count(), 1);
    }
};

TALMER_TEST(TestDayFollower)
#include "TestDayFollower.moc"
