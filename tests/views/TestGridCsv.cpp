#include "RecordingFeedback.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "app/CsvExport.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
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
    QCOMPARE(form.Grid->Model()->rowCount(), 2);

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
    const int columns = int(form.Grid->Model()->columnCount());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(lines[i].split(QLatin1Char(';')).size(), columns);
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

TALMER_TEST(TestGridCsv)
#include "TestGridCsv.moc"
