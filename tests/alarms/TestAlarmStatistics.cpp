#include "AlarmTestKit.h"
#include "TestDb.h"
#include "TestMain.h"
#include "alarms/AlarmStatsTab.h"
#include "app/Connection.h"
#include "app/Global.h"
#include "base/Formats.h"
#include "views/DataGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

QString SqlTime(TMoment moment)
{
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

bool AddActivation(const QSqlDatabase &db, const QString &code, TMoment activated,
                   TMoment returned = 0, int ackSeconds = -1)
{
    return TestDb::Exec(
        db,
        QStringLiteral("insert into alarm_log (Code, Priority, AlarmText, Activated, Returned, "
                       "AckedAt, AckedBy) values ('%1', 1, 'т', %2, %3, %4, %5)")
            .arg(code, SqlTime(activated), returned ? SqlTime(returned) : "null",
                 ackSeconds >= 0 ? SqlTime(activated + ackSeconds * OneSecond) : "null",
                 ackSeconds >= 0 ? "'op@st1'" : "null"));
}

} // namespace

class TestAlarmStatistics : public QObject
{
    Q_OBJECT

private slots:
    void periods_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stop");
        QTest::newRow("day") << 0 << "2026-06-10 07:00:00"
                             << "2026-06-11 06:59:59";
        QTest::newRow("week: seven days up to the day") << 1 << "2026-06-04 07:00:00"
                                                        << "2026-06-11 06:59:59";
        QTest::newRow("month: its days up to the day") << 2 << "2026-06-01 07:00:00"
                                                       << "2026-06-11 06:59:59";
    }
    void periods()
    {
        QFETCH(int, period);
        QFETCH(QString, start);
        QFETCH(QString, stop);
        TMoment from = 0, to = 0;
        StatsPeriodRange(EncodeMoment(2026, 6, 10), static_cast<TStatsPeriod>(period), from, to);
        const QString format = QStringLiteral("yyyy-mm-dd hh:nn:ss");
        QCOMPARE(FormatDateTime(format, from), start);
        QCOMPARE(FormatDateTime(format, to), stop);
    }

    // A crafted day: a flood of 15 alarms in ten minutes, one chattering code, one alarm that
    // stood 30 hours, known acknowledgement times; each figure against its target.
    void craftedDay()
    {
        const QSqlDatabase db = TestDb::Open();
        QVERIFY(AlarmTestKit::Reset(db));
        const TMoment eight = EncodeMoment(2026, 6, 10, 8);
        const QStringList codes = {"URKS_HI", "URNS_HI", "PLS_DEV", "TNK_DEV", "K2_STOP"};
        const int ack[] = {30, 90};
        for (int i = 0; i < 15; ++i)
            QVERIFY(AddActivation(db, codes[i % 5], eight + i * 40 * OneSecond, 0,
                                  i < 2 ? ack[i] : -1));
        const TMoment noon = EncodeMoment(2026, 6, 10, 12);
        const int chatterAck[] = {60, 120, 300};
        for (int i = 0; i < 3; ++i)
            QVERIFY(AddActivation(db, "SENSOR_PLS", noon + i * 20 * OneSecond, 0, chatterAck[i]));
        QVERIFY(AddActivation(db, "K23_STOP", EncodeMoment(2026, 6, 9, 9),
                              EncodeMoment(2026, 6, 10, 15)));
        // Outside the day: not counted.
        QVERIFY(AddActivation(db, "URKS_LO", EncodeMoment(2026, 6, 11, 7)));

        SetConnectionParam(QStringLiteral("HostName"), TestDb::HostWithPort());
        SetConnectionParam(QStringLiteral("User_Name"), QString::fromLatin1(TestDb::User));
        SetConnectionParam(QStringLiteral("Password"), QString::fromLatin1(TestDb::Password));
        QVERIFY(SQLConnection1().Open());
        SetNowOverride(EncodeMoment(2026, 6, 12, 10));
        TAlarmStatsTab tab;
        tab.DatePeriod->setDate(QDate(2026, 6, 10));
        tab.ComboPeriod->setCurrentIndex(0);
        tab.Load();
        SetNowOverride(0);

        const TAlarmRateFigures &f = tab.Figures();
        QCOMPARE(f.Total, 18);
        QCOMPARE(f.Intervals, 144);
        QCOMPARE(f.PeakPer10Min, 15);
        QCOMPARE(f.FloodIntervals, 1);
        QCOMPARE(f.TopCodes.size(), 6);
        QCOMPARE(f.TopCodes.first(), qMakePair(QStringLiteral("K2_STOP"), 3));
        QCOMPARE(f.Chattering, QStringList {"SENSOR_PLS"});
        QCOMPARE(f.StandingMostOnADay, 1);
        QCOMPARE(f.AckMedianSeconds.value_or(-1), 90.0);
        QCOMPARE(f.AckLongestSeconds.value_or(-1), 300.0);
        QCOMPARE(f.PerHour.size(), 24);
        QCOMPARE(f.PerHour[1], 15);
        QCOMPARE(f.PerHour[5], 3);

        // Marks: the peak, the top ten's share and the chattering code miss their targets.
        const QStringList expected = {"в норме",      "не выполнена", "в норме", "не выполнена",
                                      "не выполнена", "в норме",      "—",       "—"};
        QCOMPARE(tab.GridFigures->Model()->rowCount(), expected.size());
        for (int row = 0; row < expected.size(); ++row)
            QCOMPARE(tab.GridFigures->Model()->DisplayText(row, 3), expected[row]);
        QCOMPARE(tab.GridFigures->Model()->DisplayText(0, 1), QStringLiteral("0.13"));
        QCOMPARE(tab.GridFigures->Model()->DisplayText(6, 1), QStringLiteral("0:01:30"));

        // Two bars, 08:00 left of 12:00, five times as tall as it (15 against 3).
        QImage image(480, 200, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            tab.Chart->Render(painter, image.rect());
        }
        const QColor bar(0, 90, 160);
        QList<int> runStarts;
        const int probe = image.height() - QFontMetrics(QFont()).height() - 10;
        for (int x = 1; x < image.width(); ++x) {
            if (image.pixelColor(x, probe) == bar && image.pixelColor(x - 1, probe) != bar)
                runStarts << x;
        }
        QCOMPARE(runStarts.size(), 2);
        auto height = [&](int x) {
            int h = 0;
            for (int y = 0; y < image.height(); ++y)
                h += image.pixelColor(x, y) == bar;
            return h;
        };
        const int tall = height(runStarts[0]), low = height(runStarts[1]);
        QVERIFY2(qAbs(tall - 5 * low) <= 5, qPrintable(QStringLiteral("%1 %2").arg(tall).arg(low)));
    }
};

TALMER_TEST(TestAlarmStatistics)
#include "TestAlarmStatistics.moc"
