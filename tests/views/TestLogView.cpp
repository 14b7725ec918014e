#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "app/Connection.h"
#include "app/EventLog.h"
#include "app/Global.h"
#include "app/Main.h"
#include "views/DataGrid.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
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

        // The timer's query failing shows the server's text once; while it keeps failing the
        // further ticks go to the event ring, until a load goes through.
        const auto away = [] {
            return TestDb::Exec(TestDb::Open(),
                                QStringLiteral("RENAME TABLE control_log TO cl_away"));
        };
        const auto back = [] {
            return TestDb::Exec(TestDb::Open(),
                                QStringLiteral("RENAME TABLE cl_away TO control_log"));
        };
        const int posted = EventRing().Count();
        QVERIFY(away());
        for (int tick = 0; tick < 3; ++tick)
            form.TimerAutoRefreshTimer();
        form.Load(); // fails silently and leaves the grid empty
        QCOMPARE(ShownTexts(form).size(), 0);
        QVERIFY(back());
        QCOMPARE(feedback.messages.size(), 1);
        QVERIFY(feedback.lastText().contains(QStringLiteral("control_log")));
        QCOMPARE(feedback.messages.first().caption, QStringLiteral("Ошибка"));
        QCOMPARE(EventRing().Count(), posted + 2);
        QCOMPARE(EventRing().Record(EventRing().WriteIndex() - 1).Text,
                 QStringLiteral("Ошибка в TFormLogView::TimerAutoRefreshTimer"));
        QVERIFY(!form.Busy());
        form.Load();
        QCOMPARE(ShownTexts(form), (QStringList {"a", "b"}));
        QVERIFY(away());
        form.TimerAutoRefreshTimer();
        QVERIFY(back());
        QCOMPARE(feedback.messages.size(), 2);
    }

    void timerSeesRowAtPeriodEdge_data()
    {
        QTest::addColumn<int>("firstChange");
        QTest::addColumn<int>("increment");
        QTest::addColumn<int>("item");
        QTest::addColumn<TMoment>("row");
        const TMoment may10 = EncodeMoment(2026, 5, 10);
        QTest::newRow("shift 1 stop") << 7 << 0 << 0 << EncodeMoment(2026, 5, 10, 18, 59, 59);
        QTest::newRow("shift 2 stop") << 7 << 0 << 1 << EncodeMoment(2026, 5, 11, 6, 59, 59);
        QTest::newRow("day stop") << 7 << 0 << 2 << EncodeMoment(2026, 5, 11, 6, 59, 59);
        QTest::newRow("day start") << 7 << 0 << 2 << may10 + 7 * OneHour;
        QTest::newRow("evening start, day before, stop")
            << 19 << -1 << 2 << EncodeMoment(2026, 5, 10, 18, 59, 59);
    }
    void timerSeesRowAtPeriodEdge()
    {
        QFETCH(int, firstChange);
        QFETCH(int, increment);
        QFETCH(int, item);
        QFETCH(TMoment, row);
        FirstChangeStart = firstChange;
        DateIncrement = increment;
        SetNowOverride(row);
        TFormLogView form;
        form.TimerAutoRefresh->stop();
        form.DateTimePicker1->setDate(QDate(2026, 5, 10));
        form.ComboBox1->setCurrentIndex(item);
        form.Load();
        form.TimerAutoRefreshTimer();
        QVERIFY(AddJournalRow(row, QStringLiteral("edge")));
        form.TimerAutoRefreshTimer();
        QCOMPARE(ShownTexts(form), QStringList {"edge"});
    }

    void newestRowStaysInView()
    {
        const TMoment day = EncodeMoment(2026, 5, 10);
        for (int minute = 0; minute < 120; ++minute)
            QVERIFY(AddJournalRow(day + 8 * OneHour + minute * OneMinute,
                                  QStringLiteral("row %1").arg(minute)));
        TFormLogView form;
        form.TimerAutoRefresh->stop();
        form.resize(800, 400);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.DateTimePicker1->setDate(QDate(2026, 5, 10));
        QTest::keyClick(form.DateTimePicker1, Qt::Key_Return);
        const QScrollBar *scroll = form.Grid->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), scroll->maximum());

        // Scrolled up to read older rows: a reload keeps the place.
        const auto clickText = [&form] {
            const QModelIndex cell = form.Grid->model()->index(form.Grid->rowAt(10), 1);
            QTest::mouseClick(form.Grid->viewport(), Qt::LeftButton, {},
                              form.Grid->visualRect(cell).center());
        };
        clickText();
        QTest::keyClick(form.Grid, Qt::Key_PageUp);
        const int reading = scroll->value();
        QVERIFY(reading < scroll->maximum());
        QVERIFY(AddJournalRow(day + 11 * OneHour, QStringLiteral("newer")));
        QTest::keyClick(form.ComboBox1, Qt::Key_Return);
        QCOMPARE(ShownTexts(form).size(), 121);
        QCOMPARE(scroll->value(), reading);

        // Back at the end: the next reload follows the newest row again.
        clickText();
        QTest::keyClick(form.Grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(scroll->value(), scroll->maximum());
        QVERIFY(AddJournalRow(day + 12 * OneHour, QStringLiteral("newest")));
        const int before = scroll->maximum();
        QTest::keyClick(form.ComboBox1, Qt::Key_Return);
        QVERIFY(scroll->maximum() > before);
        QCOMPARE(scroll->value(), scroll->maximum());
        QCOMPARE(ShownTexts(form).last(), QStringLiteral("newest"));
    }

    void firstLoadWaitsForSlowServer()
    {
        RecordingFeedback feedback;
        SetNowOverride(EncodeMoment(2026, 5, 10, 12));
        QVERIFY(AddJournalRow(EncodeMoment(2026, 5, 10, 8), QStringLiteral("a")));
        SQLConnection1().Close();
        // The server greets two seconds after the frame starts; F7 is pressed at once.
        PausedServer server;
        QVERIFY(server.paused);
        QTimer::singleShot(2000, [&server] { server.Resume(); });
        bool pressedBeforeLink = false;
        QTimer::singleShot(0, [&] {
            AddViewWindows(FormMain);
            FormMain->show();
            QVERIFY(QTest::qWaitForWindowActive(FormMain));
            QTest::keyClick(FormMain, Qt::Key_F7);
            pressedBeforeLink = !SQLConnection1().Connected();
        });
        FrameUnderTest frame;
        QVERIFY(pressedBeforeLink);
        auto *journal = qobject_cast<TFormLogView *>(frame->RoutedChild(frame->ActionWorkLog));
        auto *summary = qobject_cast<TFormSvodTable *>(frame->RoutedChild(frame->ActionSvodTable));
        QCOMPARE(frame->CurrentChild(), journal);
        QTRY_COMPARE(ShownTexts(*journal), QStringList {"a"});
        QTRY_COMPARE(summary->Grid->Model()->rowCount(), 4);

        // A lost link that comes back: each loads once more.
        QVERIFY(AddJournalRow(EncodeMoment(2026, 5, 10, 9), QStringLiteral("b")));
        QSignalSpy journalLoads(journal, &TFormLogView::Loaded);
        QSignalSpy summaryLoads(summary, &TFormSvodTable::Reloaded);
        SQLConnection1().Close();
        QTRY_VERIFY_WITH_TIMEOUT(SQLConnection1().Connected(),
                                 3 * TConnectionOpener::AnswerTimeout);
        QCOMPARE(journalLoads.count(), 1);
        QTRY_COMPARE(summaryLoads.count(), 1);
        QCOMPARE(ShownTexts(*journal), (QStringList {"a", "b"}));
        QVERIFY(feedback.messages.isEmpty());
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
