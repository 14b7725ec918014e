#include "TestMain.h"
#include "TrendTestKit.h"
#include "app/CsvExport.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "trends/GraphDSUS.h"
#include "trends/GraphHardParams.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A trend chart's loaded day through its "Экспорт в CSV..." item into a file, read back as a
// spreadsheet would.
class TestTrendCsv : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;
    const TCsvFileChooser m_chooser = CsvFileChooser();

private slots:
    void initTestCase() { frame = std::make_unique<FrameUnderTest>(); }
    void cleanupTestCase() { frame.reset(); }
    void init()
    {
        QVERIFY(ClearRecords());
        SetNowOverride(TestDay() + 3);
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
    }
    void cleanup()
    {
        CsvFileChooser() = m_chooser;
        QLocale::setDefault(QLocale::c());
        SetNowOverride(0);
    }

    void chartExport_data()
    {
        QTest::addColumn<bool>("divider");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("fileStart");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("two curves with a legend")
            << false << 1 << QStringLiteral("LevelGraphPLS_2026-03-10_07-00")
            << QStringList {QStringLiteral("Время"),
                            QStringLiteral("Плотность суспензии, кг/м3: Текущая"),
                            QStringLiteral("Плотность суспензии, кг/м3: Заданная")};
        QTest::newRow("one curve named by the title")
            << true << 0 << QStringLiteral("LevelGraphDSUS_2026-03-10_07-00")
            << QStringList {QStringLiteral("Время"), QStringLiteral("% ( в бак КС )")};
    }
    void chartExport()
    {
        QFETCH(bool, divider);
        QFETCH(int, position);
        QFETCH(QString, fileStart);
        QFETCH(QStringList, titles);
        // Minutes 11..15 are a hole longer than a held gap; the records before it (10) and the
        // day's newest (25) fill their own slots.
        QVERIFY(WriteRecords(Minutes(0, 10) + Minutes(16, 25),
                             [](int m) { return m <= 10 ? 1234.5 : -1; }));
        std::unique_ptr<TFormGraphTrend> window;
        if (divider)
            window = std::make_unique<TFormGraphDSUS>();
        else
            window = std::make_unique<TFormGraphHardParams>();
        PrepareWindow(*window);
        window->Reload();
        TLevelGraph *chart = window->Chart(position);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("day.csv"));
        QString suggested;
        CsvFileChooser() = [&](QWidget *, const QString &name) {
            suggested = name;
            return path;
        };
        auto *action = chart->findChild<QAction *>(QStringLiteral("ActionExportCsv"));
        QVERIFY(action);
        action->trigger();
        QVERIFY2(suggested.endsWith(fileStart + QStringLiteral(".csv")), qPrintable(suggested));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString()); // the last line ends too
        QCOMPARE(lines.size(), 1 + 1440); // titles, then every minute of the day
        QCOMPARE(lines[0].split(QLatin1Char(';')), titles);

        auto row = [&](int minute) {
            return lines[1 + minute].split(QLatin1Char(';'));
        };
        auto moment = [](int minute) {
            return FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"),
                                  DayStart() + minute * OneMinute);
        };
        const QString held = QStringLiteral("1234,5"); // decimal comma, no grouping
        const QString empty;
        const QList<std::pair<int, QString>> expected {{0, held},
                                                       {5, held},
                                                       {9, held},
                                                       {10, held},
                                                       {13, empty},
                                                       {15, empty},
                                                       {16, QStringLiteral("-1")},
                                                       {24, QStringLiteral("-1")},
                                                       {25, QStringLiteral("-1")},
                                                       {1439, empty}};
        for (const auto &[minute, value] : expected) {
            const QStringList cells = row(minute);
            QCOMPARE(cells.size(), titles.size());
            QCOMPARE(cells[0], moment(minute));
            for (int c = 1; c < cells.size(); ++c)
                QVERIFY2(cells[c] == value,
                         qPrintable(QStringLiteral("minute %1: %2").arg(minute).arg(cells[c])));
        }
        QCOMPARE(row(1439)[0], QStringLiteral("11.03.2026 06:59:00"));
    }
};

TALMER_TEST(TestTrendCsv)
#include "tst_TrendCsv.moc"
