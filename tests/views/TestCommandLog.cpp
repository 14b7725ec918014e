#include "FrameTestKit.h"
#include "TestDb.h"
#include "ViewsTestKit.h"
#include "app/Connection.h"
#include "app/FreshnessLabel.h"
#include "app/InputNewSet.h"
#include "app/Main.h"
#include "app/Utils.h"
#include "common/TestMain.h"
#include "views/CommandLog.h"
#include "views/DataGrid.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace ViewsTestKit;

namespace {

bool AddCommand(const QString &at, const QString &user, const QString &column, double value,
                bool taken)
{
    return TestDb::Exec(
        TestDb::Open(),
        QStringLiteral("INSERT INTO control_vector (RecMoment, UserName, %1, Taken) "
                       "VALUES (%2, '%3', %4, %5)")
            .arg(column, at, user)
            .arg(value, 0, 'g', 10)
            .arg(taken ? 1 : 0));
}

bool AddSetPoints(TMoment moment, double plsz, double tnz)
{
    return TestDb::Exec(
        TestDb::Open(),
        QStringLiteral("INSERT INTO pu_data (RecMoment, PLSZ, TNZ) VALUES (%1, %2, %3)")
            .arg(SqlTime(moment))
            .arg(plsz, 0, 'g', 10)
            .arg(tnz, 0, 'g', 10));
}

QStringList Row(const TDataGrid *grid, int row)
{
    QStringList cells;
    for (int column = 0; column < grid->Model()->columnCount(); ++column)
        cells << grid->Model()->DisplayText(row, column);
    return cells;
}

// Types the value into the set-point dialog as soon as it is open, and confirms.
void AnswerSetPoint(const QString &text)
{
    QTimer::singleShot(10, [text] {
        if (!FormInputNewSet || !FormInputNewSet->isActiveWindow()) {
            AnswerSetPoint(text);
            return;
        }
        QTest::keyClicks(FormInputNewSet->EditInput, text);
        QTest::keyClick(FormInputNewSet, Qt::Key_Return);
    });
}

} // namespace

class TestCommandLog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(EmptyTables());
        QVERIFY(TestDb::Truncate(TestDb::Open(), {QStringLiteral("control_vector")}));
    }
    void cleanup() { ResetSettings(); }

    // Whether the records carried each command, judged within ten minutes of it.
    void states()
    {
        const TMoment day = EncodeMoment(2026, 3, 10);
        const TMoment ten = day + 10 * OneHour;
        QVERIFY(AddCommand(SqlTime(ten + 5 * OneSecond), QStringLiteral("operator@st1"),
                           QStringLiteral("_PLSZ"), 1650, true));
        QVERIFY(AddCommand(SqlTime(ten + OneHour), QStringLiteral("dispatcher@st2"),
                           QStringLiteral("_TNZ"), 300, false));
        QVERIFY(AddCommand(SqlTime(ten + 2 * OneHour), QStringLiteral("operator@st1"),
                           QStringLiteral("_TNZ"), 280, true));
        // Density: 1600 first, then 1650.4 (within half a unit) at 10:02.
        QVERIFY(AddSetPoints(ten + OneMinute, 1600, 250));
        QVERIFY(AddSetPoints(ten + 2 * OneMinute, 1650.4, 250));
        // Load 300 is never carried; 280 comes only eleven minutes after its command.
        for (int minute = 1; minute <= 12; ++minute)
            QVERIFY(AddSetPoints(ten + OneHour + minute * OneMinute, 1650, 299.4));
        QVERIFY(AddSetPoints(ten + 2 * OneHour + 11 * OneMinute, 1650, 280));
        // Another day's command is not listed.
        QVERIFY(AddCommand(SqlTime(day + 7 * OneHour - OneSecond), QStringLiteral("x"),
                           QStringLiteral("_TNZ"), 1, true));

        QVERIFY(OpenMainLink());
        TFormCommandLog form;
        form.DateTimePicker1->setDate(QDate(2026, 3, 10));
        form.Load();
        QCOMPARE(form.Grid->Model()->rowCount(), 3);
        QCOMPARE(Row(form.Grid, 0),
                 QStringList({"10.03.2026 10:00:05", "operator@st1", "плотность суспензии",
                              "1650.0", "да", "исполнено в 10:02"}));
        QCOMPARE(Row(form.Grid, 1),
                 QStringList({"10.03.2026 11:00:00", "dispatcher@st2", "нагрузка", "300.0", "нет",
                              "не исполнено"}));
        QCOMPARE(Row(form.Grid, 2).last(), QStringLiteral("не исполнено"));
        QCOMPARE(form.LabelFreshness->State(), TFreshnessLabel::TState::Fresh);
    }

    // A command of the last minutes that no record carried yet is waiting; one this station sends
    // is listed at once, without waiting for the timer.
    void sentHereShowsAtOnce()
    {
        QVERIFY(TestDb::Exec(TestDb::Open(),
                             QStringLiteral("INSERT INTO control_vector (RecMoment, UserName, "
                                            "_TNZ) VALUES (now() - interval 2 minute, 'b', 250)")));
        FrameUnderTest frame;
        QVERIFY(SQLConnection1().Connected());
        TFormCommandLog form(frame.get());
        form.Load();
        QCOMPARE(form.Grid->Model()->rowCount(), 1);
        QCOMPARE(Row(form.Grid, 0).last(), QStringLiteral("ожидает"));

        AnswerSetPoint(QStringLiteral("1700"));
        frame->ActionSetPLSZ->trigger();
        QCOMPARE(form.Grid->Model()->rowCount(), 2);
        QCOMPARE(Row(form.Grid, 1).at(2), QStringLiteral("плотность суспензии"));
        QCOMPARE(Row(form.Grid, 1).at(3), QStringLiteral("1700.0"));
    }

    void withoutLinkSaysSo()
    {
        SQLConnection1().Close();
        TFormCommandLog form;
        form.Load();
        QCOMPARE(form.LabelFreshness->State(), TFreshnessLabel::TState::Failed);
        QVERIFY(form.LabelFreshness->text().contains(TFreshnessLabel::NoLinkReason()));
    }
};

TALMER_TEST(TestCommandLog)
#include "TestCommandLog.moc"
