#include "series/RecordFile.h"
#include "TestMain.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <map>

namespace {

QByteArray ReadBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class RecordFileTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString fileName;

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        fileName = dir->filePath("T100.VBD");
    }

    // Random edits anywhere in the file, flushed in batches: after every flush a fresh reader
    // finds exactly what was written, so the partial rewrites never leave stale or doubled text.
    void partialRewritesKeepTheFileWhole()
    {
        QRandomGenerator random(20240601);
        std::map<QString, std::map<QString, QString>> model;
        std::vector<QString> order;
        TRecordFile file(fileName);
        QVERIFY(file.Sync());
        for (int step = 0; step < 400; ++step) {
            const int writes = 1 + int(random.bounded(4));
            for (int w = 0; w < writes; ++w) {
                QString section;
                const quint32 choice = random.bounded(10);
                if (order.empty() || choice == 0) {
                    section = QString("R%1").arg(order.size());
                    order.push_back(section);
                } else if (choice < 7) {
                    section = order.back();
                } else {
                    section = order[random.bounded(quint32(order.size()))];
                }
                const QString key = QString("Key%1").arg(random.bounded(6));
                const QString value = QString(int(random.bounded(30)), QChar('a' + step % 26));
                model[section][key] = value;
                file.WriteString(section, key, value);
            }
            QVERIFY(file.Flush());

            TRecordFile fresh(fileName);
            QVERIFY(fresh.Sync());
            for (const auto &[section, keys] : model) {
                const auto values = fresh.ReadSectionValues(section);
                QCOMPARE(values.size(), qsizetype(keys.size()));
                for (const auto &[key, value] : keys)
                    QCOMPARE(fresh.ReadString(section, key), value);
            }
            QCOMPARE(ReadBytes(fileName).count("\n["), qsizetype(model.size() - 1));
        }
    }

    void readingRules_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("case of names") << "header"
                                       << "RECORDCOUNT"
                                       << "2";
        QTest::newRow("blanks around") << "Header"
                                       << "R0"
                                       << "45000.5";
        QTest::newRow("first duplicate key") << "R0"
                                             << "Level"
                                             << "1";
        QTest::newRow("first duplicate section") << "R1"
                                                 << "Level"
                                                 << "2";
        QTest::newRow("comment is no key") << "R0"
                                           << ";Level"
                                           << "";
        QTest::newRow("value with =") << "R0"
                                      << "Text"
                                      << "a=b";
        QTest::newRow("absent") << "R9"
                                << "Level"
                                << "";
    }
    void readingRules()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        WriteBytes(fileName,
                   "[Header]\r\nRecordCount=2\r\n  R0 =  45000.5  \r\n[R0]\r\n"
                   ";Level=9\r\nLevel=1\r\nlevel=3\r\nText=a=b\r\n[R1]\r\nLevel=2\r\n"
                   "[r1]\r\nLevel=4\r\n");
        TRecordFile file(fileName);
        QVERIFY(file.Sync());
        QCOMPARE(file.ReadString(section, key), value);
    }

    // A foreign file keeps every byte but the changed line; new text follows its line ends.
    void foreignTextKept()
    {
        const QByteArray original = "\xEF\xBB\xBF; made by hand\r\n[Header]\r\nRecordCount=1\r\n"
                                    "R0=45000.5\r\nsome damaged line\r\n\r\n[R0]\r\n"
                                    "Level = 5 \r\n";
        WriteBytes(fileName, original);
        TRecordFile file(fileName);
        QVERIFY(file.Sync());
        file.WriteString("Header", "RecordCount", "2");
        file.WriteString("Header", "R1", "45000.6");
        file.WriteString("R1", "Level", "6");
        QVERIFY(file.Flush());
        QCOMPARE(ReadBytes(fileName),
                 QByteArray("\xEF\xBB\xBF; made by hand\r\n[Header]\r\nRecordCount=2\r\n"
                            "R0=45000.5\r\nR1=45000.6\r\nsome damaged line\r\n\r\n[R0]\r\n"
                            "Level = 5 \r\n\r\n[R1]\r\nLevel=6\r\n"));
    }

    // Changes made on disk by someone else are read before the next write, never overwritten.
    void changesOnDiskAreSeen()
    {
        TRecordFile a(fileName), b(fileName);
        QVERIFY(a.Sync());
        a.WriteString("R0", "Level", "1");
        QVERIFY(a.Flush());
        QVERIFY(b.Sync());
        QCOMPARE(b.ReadString("R0", "Level"), QString("1"));
        b.WriteString("R1", "Level", "2");
        QVERIFY(b.Flush());
        QVERIFY(a.Sync());
        a.WriteString("R0", "Level", "3");
        QVERIFY(a.Flush());

        TRecordFile fresh(fileName);
        QVERIFY(fresh.Sync());
        QCOMPARE(fresh.ReadString("R0", "Level"), QString("3"));
        QCOMPARE(fresh.ReadString("R1", "Level"), QString("2"));

        // Deleted behind its back: empty, and the next write starts a new file.
        QVERIFY(QFile::remove(fileName));
        QVERIFY(a.Sync());
        QCOMPARE(a.ReadString("R0", "Level"), QString());
        a.WriteString("R5", "Level", "7");
        QVERIFY(a.Flush());
        QCOMPARE(ReadBytes(fileName), QByteArray("[R5]\r\nLevel=7\r\n"));
    }

    void unwritableRefused()
    {
        TRecordFile file(dir->filePath("missing/T100.VBD"));
        QVERIFY(file.Sync());
        file.WriteString("R0", "Level", "1");
        QVERIFY(!file.Flush());
        QVERIFY(file.Sync());
        QCOMPARE(file.ReadString("R0", "Level"), QString()); // the failed change is gone
    }
};

TALMER_TEST(RecordFileTest)

#include "RecordFileTest.moc"
