#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "app/Connection.h"
#include "app/Global.h"
#include "views/DataGrid.h"
#include "views/LogView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace ViewsTestKit;

namespace {

QStringList ShownTexts(const TFormLogView &form)
{
    QStringList texts;
    const TGridModel *model = form.Grid->Model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->DisplayText(row, 1));
    return texts;
}

} // namespace

class TestLogView : public QObject
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

    void periodBounds_data()
    {
        QTest::addColumn<int>("firstChange");
        QTest::addColumn<int>("increment");
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("shown");
        // Rows around the period edges of 10 May: each text names its moment.
        QTest::newRow("shift 1") << 7 << 0 << 0 << QStringList {"10 07:00:00", "10 18:59:59"};
        QTest::newRow("shift 2") << 7 << 0 << 1 << QStringList {"10 19:00:00", "11 06:59:59"};
        QTest::newRow("both shifts")
            << 7 << 0 << 2
            << QStringList {"10 07:00:00", "10 18:59:59", "10 19:00:00", "11 06:59:59"};
        QTest::newRow("evening start, day before")
            << 19 << -1 << 2
            << QStringList {"09 19:00:00", "10 06:59:59", "10 07:00:00", "10 18:59:59"};
    }
    void periodBounds()
    {
        QFETCH(int, firstChange);
        QFETCH(int, increment);
        QFETCH(int, item);
        QFETCH(QStringList, shown);
        FirstChangeStart = firstChange;
        DateIncrement = increment;
        const int moments[][4] = {{9, 18, 59, 59},  {9, 19, 0, 0},  {10, 6, 59, 59}, {10, 7, 0, 0},
                                  {10, 18, 59, 59}, {10, 19, 0, 0}, {11, 6, 59, 59}, {11, 7, 0, 0}};
        for (const auto &m : moments)
            QVERIFY(AddJournalRow(EncodeMoment(2026, 5, m[0], m[1], m[2], m[3]),
                                  QStringLiteral("%1 %2:%3:%4")
                                      .arg(m[0], 2, 10, QLatin1Char('0'))
                                      .arg(m[1], 2, 10, QLatin1Char('0'))
                                      .arg(m[2], 2, 10, QLatin1Char('0'))
                                      .arg(m[3], 2, 10, QLatin1Char('0'))));
        TFormLogView form;
        form.DateTimePicker1->setDate(QDate(2026, 5, 10));
        form.ComboBox1->setCurrentIndex(item);
        form.Load();
        QCOMPARE(ShownTexts(form), shown);
        QCOMPARE(form.Shift(), item + 1);
    }

    void enterLoadsTypedTextMeansWholeDay()
    {
        QVERIFY(AddJournalRow(EncodeMoment(2026, 5, 10, 8), QStringLiteral("day")));
        QVERIFY(AddJournalRow(EncodeMoment(2026, 5, 10, 20), QStringLiteral("night")));
        TFormLogView form;
        form.DateTimePicker1->setDate(QDate(2026, 5, 10));
        form.ComboBox1->setCurrentIndex(0);
        QTest::keyClick(form.DateTimePicker1, Qt::Key_Return);
        QCOMPARE(ShownTexts(form), QStringList {"day"});

        form.ComboBox1->setCurrentIndex(1);
        QTest::keyClick(form.ComboBox1, Qt::Key_Return);
        QCOMPARE(ShownTexts(form), QStringList {"night"});

        // Typed text that names no item: shift 0, the whole working day, and the timer idles.
        form.ComboBox1->lineEdit()->setText(QStringLiteral("Смена"));
        QTest::keyClick(form.ComboBox1->lineEdit(), Qt::Key_Return);
        QCOMPARE(form.Shift(), 0);
        QCOMPARE(ShownTexts(form), (QStringList {"day", "night"}));
        QVERIFY(AddJournalRow(EncodeMoment(2026, 5, 10, 21), QStringLiteral("later")));
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form).size(), 2);
    }

    void timerReloadsOnlyForNewRowsInPeriod()
    {
        const TMoment day = EncodeMoment(2026, 5, 10);
        SetNowOverride(day + 10 * OneHour);
        QVERIFY(AddJournalRow(day + 8 * OneHour, QStringLiteral("a")));
        TFormLogView form;
        form.TimerAutoRefresh->stop();
        form.DateTimePicker1->setDate(QDate(2026, 5, 10));
        form.TimerAutoRefreshTimer(); // never loaded: the timer waits
        QCOMPARE(ShownTexts(form).size(), 0);
        form.Load();
        QCOMPARE(ShownTexts(form), QStringList {"a"});
        form.TimerAutoRefreshTimer(); // last seen starts at 0: one more load

        QVERIFY(AddJournalRow(day + 9 * OneHour, QStringLiteral("b")));
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form), (QStringList {"a", "b"}));
        // Not newer than the last seen row: no reload, so it stays unseen.
        QVERIFY(AddJournalRow(day + 8.5 * OneHour, QStringLiteral("c")));
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form), (QStringList {"a", "b"}));

        // A past day: rows added to it never cause a reload once newer rows exist elsewhere.
        form.DateTimePicker1->setDate(QDate(2026, 5, 9));
        form.Load();
        QVERIFY(AddJournalRow(day - 0.5, QStringLiteral("old")));
        QVERIFY(AddJournalRow(day + 11 * OneHour, QStringLiteral("today")));
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form).size(), 0);
    }

    void survivesLinkDropAndServerErrors()
    {
        RecordingFeedback feedback;
        const TMoment day = EncodeMoment(2026, 5, 10);
        QVERIFY(AddJournalRow(day + 8 * OneHour, QStringLiteral("a")));
        TFormLogView form;
        form.TimerAutoRefresh->stop();
        form.DateTimePicker1->setDate(QDate(2026, 5, 10));
        form.Load();

        SQLConnection1().Close();
        form.Load(); // not connected: nothing changes
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form), QStringList {"a"});
        QVERIFY(SQLConnection1().Open());
        QVERIFY(AddJournalRow(day + 9 * OneHour, QStringLiteral("b")));
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form), (QStringList {"a", "b"}));

        // The timer's query failing shows the server's text; the window goes on working.
        QVERIFY(
            TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE control_log TO cl_away")));
        form.TimerAutoRefreshTimer();
        form.Load(); // fails silently and leaves the grid empty
        QCOMPARE(ShownTexts(form).size(), 0);
        QVERIFY(
            TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE cl_away TO control_log")));
        QCOMPARE(feedback.messages.size(), 1);
        QVERIFY(feedback.lastText().contains(QStringLiteral("control_log")));
        QCOMPARE(feedback.messages.first().caption, QStringLiteral("Ошибка"));
        QVERIFY(!form.Busy());
        form.Load();
        QCOMPARE(ShownTexts(form), (QStringList {"a", "b"}));
    }

    void printHeaderNamesPeriod()
    {
        TFormLogView form;
        form.DateTimePicker1->setDate(QDate(2009, 1, 7));
        form.ComboBox1->setCurrentIndex(1);
        form.Load();
        const QString header = form.PrintHeader();
        QVERIFY(header.contains(
            QStringLiteral("Журнал регистрации режимов работы тяжелосредного гидроциклона")));
        QVERIFY(
            header.contains(QStringLiteral("за период с 07.01.2009 19:00 по 08.01.2009 06:59")));
    }
};

TALMER_TEST(TestLogView)
#include "TestLogView.moc"
