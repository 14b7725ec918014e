#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "WhenModal.h"
#include "app/Connection.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"
#include "views/GridHeader.h"
#include "views/GridPrinter.h"
#include "views/PagedGridModel.h"

#include <QAction>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimeEdit>
#include <ctime>

using namespace ViewsTestKit;

namespace {

// April 2026 less a four-hour outage and a whole day without records, and a record either side of
// the month.
const int MonthRecords = 30 * 1440 - 4 * 60 - 1440;

bool FillMonth()
{
    return AddMinuteRecords(EncodeMoment(2026, 3, 31, 23, 59), 30 * 1440 + 2)
        && TestDb::Exec(TestDb::Open(),
                        QStringLiteral("DELETE FROM pu_data WHERE RecMoment BETWEEN "
                                       "'2026-04-10 10:00:00' AND '2026-04-10 13:59:59' OR "
                                       "DATE(RecMoment) = '2026-04-20'"));
}

void ChooseMonth(TFormBaseView &form)
{
    form.DateTimePicker1->setDate(QDate(2026, 4, 1));
    form.DateTimePicker2->setTime(QTime(0, 0));
    form.DateTimePicker3->setDate(QDate(2026, 4, 30));
    form.DateTimePicker4->setTime(QTime(23, 59, 59));
}

QString RowText(const TGridTable &table, const std::function<QVariant(int)> &value)
{
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column)
        cells << TGridTable::DisplayText(value(column), table.Columns().at(column));
    return cells.join(QLatin1Char('|'));
}

// The month's records at positions first on, straight from the table.
QStringList TableRows(const TGridTable &table, int first, int count)
{
    QSqlQuery query(TestDb::Open());
    query.exec(QStringLiteral("select * from pu_data where RecMoment between '2026-04-01 00:00:00' "
                              "and '2026-04-30 23:59:59' order by RecMoment limit %1, %2")
                   .arg(first)
                   .arg(count));
    QStringList rows;
    while (query.next())
        rows << RowText(table,
                        [&](int column) { return query.value(table.Columns().at(column).Field); });
    return rows;
}

// The first row in view and the rows the grid shows, once their pages are read.
std::pair<int, QStringList> ShownRows(TDataGrid &grid)
{
    auto *model = static_cast<TPagedGridModel *>(grid.Table());
    const int top = grid.rowAt(0);
    int bottom = grid.rowAt(grid.viewport()->height() - 1);
    if (bottom < 0)
        bottom = model->rowCount() - 1;
    // Painting asks for the rows; the pages come at the next turns of the event loop.
    grid.viewport()->repaint();
    if (!QTest::qWaitFor([&] { return model->Holds(top) && model->Holds(bottom); }))
        return {top, {}};
    QStringList rows;
    for (int row = top; row <= bottom; ++row)
        rows << RowText(*model, [&](int column) { return model->Value(row, column); });
    return {top, rows};
}

// The range counted, and the grid laid out for all its rows.
void WaitCounted(TFormBaseView &form)
{
    QTRY_VERIFY(form.Records()->Complete());
    QTRY_COMPARE(form.Grid->verticalHeader()->count(), form.Records()->rowCount());
    QTRY_VERIFY(form.Grid->verticalScrollBar()->maximum() > form.Records()->rowCount() - 60);
}

void ShowForm(TFormBaseView &form)
{
    form.resize(1000, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Grid->setFocus();
}

// Sets the time zone of the process for a test and puts the old one back.
class TimeZone
{
public:
    explicit TimeZone(const QByteArray &zone)
        : FOld(qgetenv("TZ"))
        , FHad(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZone()
    {
        if (FHad)
            qputenv("TZ", FOld);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray FOld;
    bool FHad;
};

} // namespace

class TestBaseView : public QObject
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

    void listsChosenInterval_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("stop");
        QTest::addColumn<QList<int>>("shown"); // indexes into the rows written below
        QTest::newRow("initial pickers: today") << QDateTime() << QDateTime() << QList<int> {1, 2};
        QTest::newRow("one second, twice")
            << QDateTime(QDate(2026, 5, 10), QTime(0, 0))
            << QDateTime(QDate(2026, 5, 10), QTime(0, 0)) << QList<int> {1};
        QTest::newRow("start after stop")
            << QDateTime(QDate(2026, 5, 11), QTime(0, 0))
            << QDateTime(QDate(2026, 5, 9), QTime(0, 0)) << QList<int> {};
    }
    void listsChosenInterval()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, stop);
        QFETCH(QList<int>, shown);
        RecordingFeedback feedback;
        SetNowOverride(EncodeMoment(2026, 5, 10, 12));
        const TMoment moments[] = {
            EncodeMoment(2026, 5, 9, 23, 59, 59), EncodeMoment(2026, 5, 10, 0, 0, 0),
            EncodeMoment(2026, 5, 10, 23, 59, 59), EncodeMoment(2026, 5, 11, 0, 0, 0)};
        for (TMoment moment : moments)
            QVERIFY(AddRecord(moment, 1));
        TFormBaseView form;
        QCOMPARE(form.Records()->rowCount(), 0); // nothing before the first load
        if (start.isValid()) {
            form.DateTimePicker1->setDate(start.date());
            form.DateTimePicker2->setTime(start.time());
            form.DateTimePicker3->setDate(stop.date());
            form.DateTimePicker4->setTime(stop.time());
        }
        QTest::keyClick(&form, Qt::Key_Return);
        QTRY_VERIFY(form.Records()->Complete());
        QList<int> got;
        TPagedGridModel *model = form.Records();
        for (int row = 0; row < model->rowCount(); ++row) {
            QVERIFY(model->FetchRow(row));
            const TMoment moment = DateTimeToMoment(model->Value(row, 0).toDateTime());
            got.append(int(std::find(std::begin(moments), std::end(moments), moment)
                           - std::begin(moments)));
        }
        QCOMPARE(got, shown);
        QVERIFY(feedback.messages.isEmpty());
    }

    void columnsAndTitles()
    {
        QVERIFY(TestDb::Exec(TestDb::Open(),
                             QStringLiteral("INSERT INTO pu_data (RecMoment, PLS, BKK41, _TNK23) "
                                            "VALUES (NOW(), 1802.5, 1, NULL)")));
        TFormBaseView form;
        form.Load();
        TPagedGridModel *model = form.Records();
        QCOMPARE(model->columnCount(), 27);
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(model->FetchRow(0));
        QStringList fields;
        for (const TGridColumn &column : model->Columns())
            fields.append(column.Field);
        QCOMPARE(fields.join(QLatin1Char(' ')),
                 QStringLiteral("RecMoment PLS PLSZ URKS URNS VODA1 VODA2 DSUS TNK41 TNK23 TNK2 "
                                "G41 G_1T41 G2 G_1T2 G23 G_1T23 BKK41 BKK2 BKK23 RAB RN VPIT TNZ "
                                "_PLSZ _TNZ _TNK23"));
        QCOMPARE(model->DisplayText(0, 1), QStringLiteral("1802.5"));
        QCOMPARE(model->DisplayText(0, 17), QStringLiteral("1"));
        QCOMPARE(model->DisplayText(0, 26), QString());
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Дата, время"));
        QCOMPARE(model->headerData(25, Qt::Horizontal).toString(), QStringLiteral("Задания|URNSZ"));
        QCOMPARE(form.Grid->columnWidth(0), 170);
        QCOMPARE(form.Grid->columnWidth(24), 80);
        QVERIFY(form.Grid->Header()->UpperHeight() > 0);
        QVERIFY(form.Grid->font().bold());
        QVERIFY(!form.Grid->Header()->font().bold());
    }

    void serverErrorIsShownAndGridStaysEmpty()
    {
        RecordingFeedback feedback;
        QVERIFY(AddRecord(Now(), 1));
        TFormBaseView form;
        form.Load();
        QCOMPARE(form.Records()->rowCount(), 1);
        QVERIFY(TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE pu_data TO pu_away")));
        form.Load();
        QVERIFY(TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE pu_away TO pu_data")));
        QCOMPARE(feedback.messages.size(), 1);
        QVERIFY(feedback.lastText().contains(QStringLiteral("pu_data")));
        QCOMPARE(form.Records()->rowCount(), 0);
        form.Load();
        QCOMPARE(form.Records()->rowCount(), 1);
    }

    void noLinkIsSaidInWords()
    {
        RecordingFeedback feedback;
        QVERIFY(AddRecord(Now(), 1));
        TFormBaseView form;
        SQLConnection1().Close();
        form.Load();
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(), QStringLiteral("Нет связи с сервером базы данных."));
        QCOMPARE(feedback.messages.last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(form.Records()->rowCount(), 0);
    }

    void startsAtMidnightOnDaylightSavingDays_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        QTest::newRow("Santiago, midnight skipped")
            << QByteArray("America/Santiago") << QDate(2022, 9, 11);
        QTest::newRow("Havana, midnight skipped")
            << QByteArray("America/Havana") << QDate(2023, 3, 12);
        QTest::newRow("Moscow, no change") << QByteArray("Europe/Moscow") << QDate(2022, 9, 11);
    }
    void startsAtMidnightOnDaylightSavingDays()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        const TimeZone local(zone);
        TFormBaseView form;
        form.DateTimePicker1->setDate(day);
        form.DateTimePicker3->setDate(day);
        QCOMPARE(form.StartMoment(), EncodeMoment(day.year(), day.month(), day.day()));
        QCOMPARE(form.StopMoment(), EncodeMoment(day.year(), day.month(), day.day(), 23, 59, 59));
    }

    void monthRowsAtTheirPositions_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<int>("from"); // the first row shown lies in [from, to]
        QTest::addColumn<int>("to");
        const int middle = MonthRecords / 2;
        QTest::newRow("top") << "" << 0 << 0;
        QTest::newRow("middle, scroll bar") << "bar middle" << middle - 100 << middle + 100;
        QTest::newRow("end, Ctrl+End") << "Ctrl+End" << MonthRecords - 60 << MonthRecords - 1;
        QTest::newRow("end, scroll bar") << "bar end" << MonthRecords - 60 << MonthRecords - 1;
        QTest::newRow("one screen down, PageDown")
            << "PageDown" << 1 << 60; // one screen down from the top
    }
    void monthRowsAtTheirPositions()
    {
        QFETCH(QString, move);
        QFETCH(int, from);
        QFETCH(int, to);
        RecordingFeedback feedback;
        QVERIFY(FillMonth());
        TFormBaseView form;
        ChooseMonth(form);
        ShowForm(form);
        QTest::keyClick(form.Grid, Qt::Key_Return);
        QVERIFY(form.Records()->rowCount() > 0); // the first rows come with the load
        WaitCounted(form);
        QCOMPARE(form.Records()->rowCount(), MonthRecords);
        QCOMPARE(form.LabelRows->text(), QStringLiteral("Записей: %1").arg(MonthRecords));
        QScrollBar *bar = form.Grid->verticalScrollBar();
        if (move == QLatin1String("bar middle"))
            bar->setSliderPosition(bar->maximum() / 2);
        else if (move == QLatin1String("bar end"))
            bar->setSliderPosition(bar->maximum());
        else if (move == QLatin1String("Ctrl+End"))
            QTest::keyClick(form.Grid, Qt::Key_End, Qt::ControlModifier);
        else if (move == QLatin1String("PageDown"))
            QTest::keyClick(form.Grid, Qt::Key_PageDown);
        const auto [top, shown] = ShownRows(*form.Grid);
        QVERIFY2(top >= from && top <= to, qPrintable(QString::number(top)));
        QVERIFY(shown.size() > 10);
        QCOMPARE(shown, TableRows(*form.Records(), top, int(shown.size())));
        if (move.contains(QLatin1String("end")) || move == QLatin1String("Ctrl+End"))
            QVERIFY(shown.last().startsWith(QStringLiteral("30.04.2026 23:59:00|")));
        QVERIFY(feedback.messages.isEmpty());
    }

    void scrollingBackUpGivesTheSameRows()
    {
        QVERIFY(FillMonth());
        TFormBaseView form;
        ChooseMonth(form);
        ShowForm(form);
        form.Load();
        WaitCounted(form);
        QScrollBar *bar = form.Grid->verticalScrollBar();
        bar->setSliderPosition(bar->maximum() / 3);
        const auto [top, seen] = ShownRows(*form.Grid);
        QVERIFY(!seen.isEmpty());
        // Elsewhere long enough for those pages to be dropped, and memory stays bounded.
        for (int step = 1; step <= 2 * TPagedGridModel::KeptPages; ++step) {
            bar->setSliderPosition(bar->maximum() * step / (2 * TPagedGridModel::KeptPages));
            QVERIFY(!ShownRows(*form.Grid).second.isEmpty());
            QVERIFY(form.Records()->HeldPages() <= TPagedGridModel::KeptPages);
        }
        QVERIFY(!form.Records()->Holds(top));
        // A few pages below, a click on a row there, then back up a screen at a time.
        bar->setSliderPosition(top + 3 * TPagedGridModel::PageRows);
        QVERIFY(!ShownRows(*form.Grid).second.isEmpty());
        QTest::mouseClick(
            form.Grid->viewport(), Qt::LeftButton, {},
            form.Grid->visualRect(form.Records()->index(form.Grid->rowAt(0) + 1, 3)).center());
        QCOMPARE(form.Grid->currentIndex().row(), form.Grid->rowAt(0) + 1);
        for (int presses = 0; form.Grid->rowAt(0) > top && presses < 1000; ++presses) {
            QTest::keyClick(form.Grid,
                            form.Grid->rowAt(0) > top + 50 ? Qt::Key_PageUp : Qt::Key_Up);
            QVERIFY(!ShownRows(*form.Grid).second.isEmpty());
        }
        const auto [back, again] = ShownRows(*form.Grid);
        QCOMPARE(back, top);
        QCOMPARE(again, seen);
        QCOMPARE(seen, TableRows(*form.Records(), top, int(seen.size())));
    }

    void stoppedLoadLeavesAUsableGrid()
    {
        RecordingFeedback feedback;
        QVERIFY(FillMonth());
        TFormBaseView form;
        ChooseMonth(form);
        ShowForm(form);
        QTest::keyClick(form.Grid, Qt::Key_Return);
        QVERIFY(form.Records()->Counting());
        QVERIFY(form.ButStop->isEnabled());
        QTest::keyClick(form.Grid, Qt::Key_Escape);
        QVERIFY(!form.Records()->Counting());
        QVERIFY(!form.ButStop->isEnabled());
        const int counted = form.Records()->rowCount();
        QVERIFY(counted > 0 && counted < MonthRecords);
        QVERIFY(form.LabelRows->text().contains(QStringLiteral("остановлена")));
        QTest::qWait(50);
        QCOMPARE(form.Records()->rowCount(), counted); // nothing more is counted

        QTest::keyClick(form.Grid, Qt::Key_End, Qt::ControlModifier);
        const auto [top, shown] = ShownRows(*form.Grid);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(top + int(shown.size()), counted);
        QCOMPARE(shown, TableRows(*form.Records(), top, int(shown.size())));

        // The Stop button stops as Esc does; Enter starts over.
        QTest::keyClick(form.Grid, Qt::Key_Return);
        QVERIFY(form.ButStop->isEnabled());
        QTest::mouseClick(form.ButStop, Qt::LeftButton);
        QVERIFY(!form.Records()->Counting());
        QTest::keyClick(form.Grid, Qt::Key_Return);
        QTRY_VERIFY(form.Records()->Complete());
        QCOMPARE(form.Records()->rowCount(), MonthRecords);
        QVERIFY(feedback.messages.isEmpty());
    }

    void printAsksAboveAThousandRows_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("asked");
        QTest::newRow("1000: printed at once") << 1000 << false;
        QTest::newRow("1001: asked first") << 1001 << true;
    }
    void printAsksAboveAThousandRows()
    {
        QFETCH(int, records);
        QFETCH(bool, asked);
        RecordingFeedback feedback;
        feedback.answers = {mbNo};
        QVERIFY(AddMinuteRecords(EncodeMoment(2026, 4, 1), records));
        TFormBaseView form;
        ChooseMonth(form);
        form.Load();
        QTRY_VERIFY(form.Records()->Complete());
        bool previewed = false;
        if (!asked) {
            WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *dialog) {
                previewed = true;
                dialog->reject();
            });
        }
        auto *print = form.Grid->findChild<QAction *>(QStringLiteral("ActionPrintRecords"));
        QVERIFY(print);
        print->trigger();
        QCOMPARE(previewed, !asked);
        QCOMPARE(feedback.messages.size(), asked ? 1 : 0);
        if (asked) {
            TGridPrinter printer(form.Grid);
            form.SetUpPrinter(printer);
            QPrinter device(QPrinter::HighResolution);
            printer.SetUpPage(&device);
            QCOMPARE(feedback.lastText(),
                     QStringLiteral("Печать 1001 строк займёт около %1 страниц. Печатать?")
                         .arg(printer.EstimatePages(&device, records)));
            QCOMPARE(feedback.messages.last().defaultButton, int(mbNo));
        }
    }
};

TALMER_TEST(TestBaseView)
#include "TestBaseView.moc"
