#include "RecordingFeedback.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "WhenModal.h"
#include "app/CsvExport.h"
#include "base/Csv.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"
#include "views/GridCsv.h"
#include "views/PagedGridModel.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

using namespace ViewsTestKit;

// The browser's rows through its context menu item into a file, read back as a spreadsheet would.
class TestGridCsv : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(EmptyTables());
        QVERIFY(OpenMainLink());
    }
    void cleanup()
    {
        CsvFileChooser() = m_chooser;
        ResetSettings();
        QLocale::setDefault(QLocale::c());
    }
    void browserRowsExport();
    void monthIsStreamedRecordByRecord();
    void cancelledExportLeavesNoFile();

private:
    const TCsvFileChooser m_chooser = CsvFileChooser();
};

void TestGridCsv::browserRowsExport()
{
    RecordingFeedback feedback;
    QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
    QVERIFY(AddRecord(EncodeMoment(2026, 5, 10, 7, 0, 0), 1, 3, 2.5, 1234.5, 0));
    QVERIFY(AddRecord(EncodeMoment(2026, 5, 10, 7, 1, 0), 0, 0, 0, 0, 0));
    TFormBaseView form;
    form.DateTimePicker1->setDate(QDate(2026, 5, 10));
    form.DateTimePicker2->setTime(QTime(0, 0));
    form.DateTimePicker3->setDate(QDate(2026, 5, 10));
    form.DateTimePicker4->setTime(QTime(23, 59, 59));
    form.Load();
    QTRY_VERIFY(form.Records()->Complete());
    QCOMPARE(form.Records()->rowCount(), 2);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records.csv"));
    QString suggested;
    CsvFileChooser() = [&](QWidget *, const QString &name) {
        suggested = name;
        return path;
    };
    auto *action = form.Grid->findChild<QAction *>(QStringLiteral("ActionExportCsv"));
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("Экспорт в CSV..."));
    action->trigger();
    QVERIFY(suggested.endsWith(QStringLiteral("kv512_2026-05-10_00-00.csv")));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4); // titles, two rows, the end of the last line
    QCOMPARE(lines[3], QString());
    const int columns = int(form.Records()->columnCount());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(lines[i].split(QLatin1Char(';')).size(), columns);
    // Each column's title as the grid shows it.
    const QStringList titles = lines[0].split(QLatin1Char(';'));
    const QStringList expected = QStringList {QStringLiteral("Дата, время")}
        + QStringLiteral("PLS PLSZ URKS URNS VODA1 VODA2 DSUS TNK41 TNK23 TNK2 G41 G_1T41 G2 "
                         "G_1T2 G23 G_1T23 BKK41 BKK2 BKK23 RAB RN VPIT TNZ")
              .split(QLatin1Char(' '))
        + QStringList {QStringLiteral("Задания PLSZ"), QStringLiteral("Задания URNSZ"),
                       QStringLiteral("Задания _TNK23")};
    QCOMPARE(titles, expected);
    const QStringList first = lines[1].split(QLatin1Char(';'));
    QCOMPARE(first[0], QStringLiteral("10.05.2026 07:00:00"));
    QVERIFY(first.contains(QStringLiteral("1234,5"))); // no grouping, decimal comma
    QVERIFY(first.contains(QStringLiteral("2,5")));
    QVERIFY(first.contains(QString())); // the fields the row left NULL
    QCOMPARE(feedback.messages.size(), 0);

    // A file that cannot be written is reported, with nothing left behind.
    const QString blocked = dir.filePath(QStringLiteral("no/such/folder/records.csv"));
    CsvFileChooser() = [&](QWidget *, const QString &) {
        return blocked;
    };
    action->trigger();
    QCOMPARE(feedback.messages.size(), 1);
    QVERIFY(feedback.lastText().contains(blocked));
    QVERIFY(!QFile::exists(blocked));
}

namespace {
// April 2026, a record a minute, and the browser over it, counted.
void LoadMonth(TFormBaseView &form)
{
    QVERIFY(AddMinuteRecords(EncodeMoment(2026, 4, 1), 30 * 1440));
    QVERIFY(AddMinuteRecords(EncodeMoment(2026, 5, 1), 2)); // beyond the range
    form.DateTimePicker1->setDate(QDate(2026, 4, 1));
    form.DateTimePicker2->setTime(QTime(0, 0));
    form.DateTimePicker3->setDate(QDate(2026, 4, 30));
    form.DateTimePicker4->setTime(QTime(23, 59, 59));
    form.Load();
    QTRY_VERIFY(form.Records()->Complete());
    QCOMPARE(form.Records()->rowCount(), 30 * 1440);
}
} // namespace

void TestGridCsv::monthIsStreamedRecordByRecord()
{
    RecordingFeedback feedback;
    TFormBaseView form;
    LoadMonth(form);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("month.csv"));
    CsvFileChooser() = [&](QWidget *, const QString &) {
        return path;
    };
    form.Grid->findChild<QAction *>(QStringLiteral("ActionExportCsv"))->trigger();
    QVERIFY(feedback.messages.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll().mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), 30 * 1440 + 1);
    QCOMPARE(lines.first(), CsvLine(GridCsvTitles(*form.Records()), CsvSeparator()));
    // Line by line what the grid shows, row by row.
    TPagedGridModel *records = form.Records();
    for (int row = 0; row < records->rowCount(); ++row) {
        QVERIFY(records->FetchRow(row));
        TGridRow values;
        for (int column = 0; column < records->columnCount(); ++column)
            values << records->Value(row, column);
        if (lines.at(row + 1) != CsvLine(GridCsvCells(*records, values), CsvSeparator()))
            QFAIL(qPrintable(QStringLiteral("line %1: %2").arg(row + 1).arg(lines.at(row + 1))));
    }
    QVERIFY(lines.last().startsWith(QStringLiteral("30.04.2026 23:59:00,")));
    QVERIFY(records->HeldPages() <= TPagedGridModel::KeptPages);
}

void TestGridCsv::cancelledExportLeavesNoFile()
{
    RecordingFeedback feedback;
    TFormBaseView form;
    LoadMonth(form);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("month.csv"));
    CsvFileChooser() = [&](QWidget *, const QString &) {
        return path;
    };
    bool cancelled = false;
    WhenModal<QProgressDialog>([&](QProgressDialog *progress) {
        QCOMPARE(progress->maximum(), 30 * 1440);
        auto *cancel = progress->findChild<QPushButton *>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        cancelled = true;
    });
    form.Grid->findChild<QAction *>(QStringLiteral("ActionExportCsv"))->trigger();
    QVERIFY(cancelled);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    QVERIFY(feedback.messages.isEmpty());
}

TALMER_TEST(TestGridCsv)
#include "TestGridCsv.moc"
