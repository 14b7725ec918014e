#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"
#include "views/GridHeader.h"

#include <QDateEdit>
#include <QTest>
#include <QTimeEdit>

using namespace ViewsTestKit;

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
        QCOMPARE(form.Grid->Model()->rowCount(), 0); // nothing before the first load
        if (start.isValid()) {
            form.DateTimePicker1->setDate(start.date());
            form.DateTimePicker2->setTime(start.time());
            form.DateTimePicker3->setDate(stop.date());
            form.DateTimePicker4->setTime(stop.time());
        }
        QTest::keyClick(&form, Qt::Key_Return);
        QList<int> got;
        const TGridModel *model = form.Grid->Model();
        for (int row = 0; row < model->rowCount(); ++row) {
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
        const TGridModel *model = form.Grid->Model();
        QCOMPARE(model->columnCount(), 27);
        QCOMPARE(model->rowCount(), 1);
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
        QCOMPARE(form.Grid->Model()->rowCount(), 1);
        QVERIFY(TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE pu_data TO pu_away")));
        form.Load();
        QVERIFY(TestDb::Exec(TestDb::Open(), QStringLiteral("RENAME TABLE pu_away TO pu_data")));
        QCOMPARE(feedback.messages.size(), 1);
        QVERIFY(feedback.lastText().contains(QStringLiteral("pu_data")));
        QCOMPARE(form.Grid->Model()->rowCount(), 0);
        form.Load();
        QCOMPARE(form.Grid->Model()->rowCount(), 1);
    }
};

TALMER_TEST(TestBaseView)
#include "TestBaseView.moc"
