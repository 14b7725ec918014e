#include "TestMain.h"
#include "base/Csv.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void fileIsUtf8WithCrLf();
    void unwritableFileFails();
};

void TestCsv::lines_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("line");
    const QString ru = QStringLiteral("ru_RU");
    const QString c = QStringLiteral("C");
    QTest::newRow("decimal comma: semicolons, numbers with comma")
        << ru
        << QStringList {"01.12.2026 07:00:00", CsvNumber(1952.5, QLocale(ru)),
                        CsvNumber(12345.25, QLocale(ru))}
        << "01.12.2026 07:00:00;1952,5;12345,25";
    QTest::newRow("decimal point: commas")
        << c << QStringList {"a", CsvNumber(-0.5, QLocale(c))} << "a,-0.5";
    QTest::newRow("empty slots stay empty cells")
        << ru << QStringList {"t", CsvNumber(std::nullopt, QLocale(ru)), "", "1"} << "t;;;1";
    QTest::newRow("a field with the separator is quoted")
        << ru << QStringList {"Сборник; КС", "x"} << "\"Сборник; КС\";x";
    QTest::newRow("a comma is plain text where it does not separate")
        << ru << QStringList {"1,5 т/ч"} << "1,5 т/ч";
    QTest::newRow("quotes doubled")
        << c << QStringList {"Конвейер \"23\""} << "\"Конвейер \"\"23\"\"\"";
    QTest::newRow("line break quoted") << c << QStringList {"a\nb", "c"} << "\"a\nb\",c";
}

void TestCsv::lines()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, cells);
    QFETCH(QString, line);
    QCOMPARE(CsvLine(cells, CsvSeparator(QLocale(locale))), line);
}

void TestCsv::fileIsUtf8WithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("day.csv"));
    QVERIFY(WriteCsvFile(path, {{"Время", "ПЛС"}, {"07:00", "1650,5"}}, nullptr,
                         QLocale(QStringLiteral("ru_RU"))));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("\xEF\xBB\xBF") + QStringLiteral("Время;ПЛС\r\n07:00;1650,5\r\n").toUtf8());
}

void TestCsv::unwritableFileFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/folder/day.csv"));
    QString error;
    QVERIFY(!WriteCsvFile(path, {{"a"}}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
}

TALMER_TEST(TestCsv)
#include "tst_Csv.moc"
