#include "series/RecordFile.h"
#include "FileBytes.h"
#include "TestMain.h"
#include "base/IniFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>

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

    // A new section after a last section that already ends in a blank line: only the new section
    // is changed, and it must land right at the end of the text written before.
    void newSectionAfterClosingBlankLine()
    {
        WriteBytes(fileName, "[Header]\r\nRecordCount=1\r\nR0=45000.5\r\n\r\n");
        TRecordFile file(fileName);
        QVERIFY(file.Sync());
        file.WriteString("Header", "RecordCount", "2");
        QVERIFY(file.Flush());
        for (int k = 1; k <= 3; ++k) {
            file.WriteString(QString("R%1").arg(k), "Level", QString::number(k));
            QVERIFY(file.Flush());
        }
        QCOMPARE(ReadBytes(fileName),
                 QByteArray("[Header]\r\nRecordCount=2\r\nR0=45000.5\r\n\r\n[R1]\r\nLevel=1\r\n"
                            "\r\n[R2]\r\nLevel=2\r\n\r\n[R3]\r\nLevel=3\r\n"));
    }

    // Another writer's edit of equal length within one tick of the time stamp (made certain here
    // by putting the stamp back) is still seen, and the next write keeps it.
    void equalLengthEditWithTheSameStampSeen()
    {
        TRecordFile a(fileName), b(fileName);
        QVERIFY(a.Sync());
        a.WriteString("R0", "Level", "1");
        a.WriteString("R0", "Flow", "5");
        QVERIFY(a.Flush());
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(fileName).constData(), &before), 0);
        QVERIFY(b.Sync());
        b.WriteString("R0", "Level", "2");
        QVERIFY(b.Flush());
        const timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(fileName).constData(), times, 0), 0);

        QVERIFY(a.Sync());
        QCOMPARE(a.ReadString("R0", "Level"), QString("2"));
        a.WriteString("R0", "Flow", "6");
        QVERIFY(a.Flush());
        TRecordFile fresh(fileName);
        QVERIFY(fresh.Sync());
        QCOMPARE(fresh.ReadString("R0", "Level"), QString("2"));
        QCOMPARE(fresh.ReadString("R0", "Flow"), QString("6"));
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

    // The dataset's files and the INI class read any text alike, however odd its layout.
    void readsAsIniFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("bom, lf ends") << QByteArray("\xEF\xBB\xBF[S]\nK=v\n");
        QTest::newRow("wide blank before header") << QByteArray("[A]\nK=1\n\xE3\x80\x80[B]\nK=2\n");
        QTest::newRow("wide blank before comment") << QByteArray("[A]\n\xC2\xA0;K=1\nK=2\n");
        QTest::newRow("empty key") << QByteArray("[A]\n=1\n = 2\nK=3\n");
        QTest::newRow("hex integers") << QByteArray("[Header]\nRecordCount=0x10\nR0=$1F\nR1=0x\n");
        QTest::newRow("quotes and blanks") << QByteArray("[A]\nK=\"  v \"\nL=\"\"\"\nM=  \" \n");
        QTest::newRow("unclosed headers") << QByteArray("[A\nK=1\n[ B ] tail\nK=2\n[S]]\nK=3\n");
        QTest::newRow("text before any section") << QByteArray("K=0\n[A]\nK=1\n");
        QTest::newRow("carriage returns") << QByteArray("\r\r[S]\r\rK=1\r\r\n");
    }
    void readsAsIniFile()
    {
        QFETCH(QByteArray, text);
        WriteBytes(fileName, text);
        const TIniFile ini(fileName);
        TRecordFile file(fileName);
        QVERIFY(file.Sync());
        const QStringList sections = ini.ReadSections();
        QVERIFY(!sections.isEmpty());
        for (const QString &section : sections) {
            QVERIFY2(file.SectionExists(section), qPrintable(section));
            for (const QString &key : ini.ReadSection(section)) {
                QVERIFY2(file.ValueExists(section, key), qPrintable(section + '/' + key));
                QCOMPARE(file.ReadString(section, key), ini.ReadString(section, key, "absent"));
                QCOMPARE(file.ReadInteger(section, key, -7), ini.ReadInteger(section, key, -7));
            }
            for (const auto &[key, value] : file.ReadSectionValues(section))
                QVERIFY2(ini.ValueExists(section, key), qPrintable(section + '/' + key));
        }
        for (const char *name : {"A", "B", "S", "Header", "\xE3\x80\x80[B]"})
            QCOMPARE(file.SectionExists(name), ini.SectionExists(name));
    }

    // A value written by either class reads back the same through both.
    void writtenValuesReadAlike_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << "45000.5"
                               << "45000.5";
        QTest::newRow("blanks around") << "  a b  "
                                       << "  a b  ";
        QTest::newRow("quoted") << "\"a\""
                                << "\"a\"";
        QTest::newRow("one quote") << "\""
                                   << "\"";
        QTest::newRow("line breaks") << "a\r\n[X]\nb=c"
                                     << "a  [X] b=c";
        QTest::newRow("empty") << ""
                               << "";
    }
    void writtenValuesReadAlike()
    {
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        TRecordFile file(fileName);
        QVERIFY(file.Sync());
        file.WriteString("R0", "Level", value);
        QVERIFY(file.Flush());
        QCOMPARE(file.ReadString("R0", "Level"), readBack);
        QCOMPARE(TIniFile(fileName).ReadString("R0", "Level", "absent"), readBack);
        QVERIFY(!TIniFile(fileName).SectionExists("X"));

        TIniFile(fileName).WriteString("R1", "Level", value);
        TRecordFile fresh(fileName);
        QVERIFY(fresh.Sync());
        QCOMPARE(fresh.ReadString("R0", "Level"), readBack);
        QCOMPARE(fresh.ReadString("R1", "Level"), readBack);
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
