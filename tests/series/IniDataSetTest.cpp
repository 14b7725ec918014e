#include "series/IniDataSet.h"
#include "FileBytes.h"
#include "RecordingFeedback.h"
#include "TestMain.h"
#include "base/Formats.h"
#include "base/IniFile.h"
#include "base/Moment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <cmath>

namespace {

const QStringList threeFields {"RecordTime", "Density", "Level", "State"};

// Appends a record and fills its fields the way a writer of the series does.
bool AppendRecord(TIniDataSet &data, TMoment time, double density, int level, bool state)
{
    if (!data.Append(time))
        return false;
    data.FieldByName("Density")->SetAsFloat(density);
    data.FieldByName("Level")->SetAsInteger(level);
    data.FieldByName("State")->SetAsBool(state);
    return true;
}

} // namespace

class IniDataSetTest : public QObject
{
    Q_OBJECT

    RecordingFeedback feedback;
    std::unique_ptr<QTemporaryDir> dir;

    void Setup(TIniDataSet &data, const QStringList &fields = threeFields)
    {
        data.SetRootDir(dir->path() + "/root");
        data.SetTableName("T1");
        QVERIFY(data.SetFieldList(fields));
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        feedback.clear();
        QLocale::setDefault(QLocale::c());
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void hourBoundarySplitsFiles()
    {
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QVERIFY(data.GetActive());
        QVERIFY(AppendRecord(data, EncodeMoment(2009, 1, 7, 0, 59, 59), 1.5, 1, true));
        QVERIFY(AppendRecord(data, EncodeMoment(2009, 1, 7, 1, 0, 0), 2.5, 2, false));

        const QDir day(dir->path() + "/root/2009_01_07.VBD");
        QCOMPARE(day.entryList(QDir::Files, QDir::Name), QStringList({"T100.VBD", "T101.VBD"}));
        for (const QString name : {"T100.VBD", "T101.VBD"}) {
            const QByteArray text = ReadBytes(day.filePath(name));
            QVERIFY2(text.contains("RecordCount=1\r\n"), text);
            QVERIFY2(text.contains("[R0]\r\n"), text);
            QVERIFY2(!text.contains("[R1]"), text);
        }

        data.SetActive(false);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 2);
        QCOMPARE(data.FieldByName("Density")->GetAsFloat(), 1.5);
        QVERIFY(data.Next());
        QCOMPARE(data.FieldByName("Density")->GetAsFloat(), 2.5);
        QCOMPARE(data.FieldByName("RecordTime")->GetAsDateTime(), EncodeMoment(2009, 1, 7, 1));
    }

    void duplicateTime()
    {
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        const TMoment time = EncodeMoment(2020, 5, 1, 10, 15);
        QVERIFY(AppendRecord(data, time, 1.25, 7, true));
        const QString fileName = data.FileNameByTime(time);
        const QByteArray before = ReadBytes(fileName);

        data.SetAppendMode(false);
        QVERIFY(!data.Append(time));
        QCOMPARE(ReadBytes(fileName), before);
        QCOMPARE(data.GetRecordCount(), 1);

        // Known from the listing after a reopen as well.
        data.SetActive(false);
        data.SetActive(true);
        QVERIFY(!data.Append(time));
        QCOMPARE(ReadBytes(fileName), before);

        data.SetAppendMode(true);
        QVERIFY(data.Append(time));
        QCOMPARE(data.GetRecordCount(), 2);
        QCOMPARE(data.GetLocalRecordNumber(), 1);
    }

    // A one-hour range from the given hour of 4 March 2021; records a second before its start or
    // at its end, by the milliseconds given.
    void rangeTolerance_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("msec");
        QTest::addColumn<bool>("listed");
        QTest::newRow("09:59:59.4 below") << 10 << ".VBD" << -1 << 400 << false;
        QTest::newRow("09:59:59.6 within tolerance") << 10 << ".VBD" << -1 << 600 << true;
        QTest::newRow("10:30:00 inside") << 10 << ".VBD" << 1800 << 0 << true;
        QTest::newRow("11:00:00.4 within tolerance") << 10 << ".VBD" << 3600 << 400 << true;
        QTest::newRow("11:00:00.6 above") << 10 << ".VBD" << 3600 << 600 << false;
        // The record lies in the day folder before the range's.
        QTest::newRow("23:59:59.7 before a range from midnight")
            << 24 << ".VBD" << -1 << 700 << true;
        QTest::newRow("extension of three characters") << 10 << ".db" << 1800 << 0 << true;
        QTest::newRow("extension of one character") << 10 << "x" << 1800 << 0 << true;
    }
    void rangeTolerance()
    {
        QFETCH(int, hour);
        QFETCH(QString, ext);
        QFETCH(int, second);
        QFETCH(int, msec);
        QFETCH(bool, listed);
        const TMoment from = EncodeMoment(2021, 3, 4) + hour * OneHour;
        const TMoment to = from + OneHour;
        const TMoment time = from + second * OneSecond + msec * OneMillisecond;
        {
            TIniDataSet writer;
            Setup(writer);
            writer.SetFileExt(ext);
            writer.SetActive(true);
            QVERIFY(AppendRecord(writer, time, 3.5, 1, true));
        }
        TIniDataSet data;
        Setup(data);
        data.SetFileExt(ext);
        QVERIFY(data.SetRange(from, to));
        QVERIFY(data.GetActive());
        QCOMPARE(data.GetRecordCount(), listed ? 1 : 0);
        if (listed)
            QCOMPARE(data.FieldByName("Density")->GetAsFloat(), 3.5);

        // Appending has no tolerance.
        QCOMPARE(data.Append(time), time >= from && time <= to);

        QVERIFY(data.CancelRange());
        QVERIFY(!data.GetRangeIsOn());
        QCOMPARE(data.GetRecordCount(), time >= from && time <= to ? 2 : 1);
    }

    void decimalSeparator_data()
    {
        QTest::addColumn<QLocale>("writeLocale");
        QTest::addColumn<QLocale>("readLocale");
        const QLocale point = QLocale::c();
        const QLocale comma(QLocale::Russian, QLocale::Russia);
        QTest::newRow("written with a point, read with a comma") << point << comma;
        QTest::newRow("written with a comma, read with a point") << comma << point;
    }
    void decimalSeparator()
    {
        QFETCH(QLocale, writeLocale);
        QFETCH(QLocale, readLocale);
        const TMoment time = EncodeMoment(2022, 2, 2, 12, 30, 15);
        QLocale::setDefault(writeLocale);
        {
            TIniDataSet writer;
            Setup(writer);
            writer.SetActive(true);
            QVERIFY(AppendRecord(writer, time, 12.5, 3, true));
        }
        QLocale::setDefault(readLocale);
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 1);
        QCOMPARE(data.FieldByName("Density")->GetAsFloat(), 12.5);
        QCOMPARE(data.FieldByName("RecordTime")->GetAsDateTime(), time);
        // The record's own file is found from a time text written under the other separator.
        QCOMPARE(data.GetLocalRecordNumber(), 0);
    }

    void typedValues_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("asFloat");
        QTest::addColumn<int>("asInteger");
        QTest::addColumn<bool>("asBool");
        QTest::newRow("minus 2.7") << "-2.7" << -2.7 << -2 << true;
        QTest::newRow("half") << "0.5" << 0.5 << 0 << false;
        QTest::newRow("beyond int") << "-1e300" << -1e300 << INT_MIN << true;
        QTest::newRow("two separators") << "1.234,5" << 0.0 << 0 << false;
        QTest::newRow("infinite") << "1e999" << 0.0 << 0 << false;
    }
    void typedValues()
    {
        QFETCH(QString, stored);
        QFETCH(double, asFloat);
        QFETCH(int, asInteger);
        QFETCH(bool, asBool);
        {
            TIniDataSet writer;
            Setup(writer);
            writer.SetActive(true);
            QVERIFY(writer.Append(EncodeMoment(2020, 1, 1, 8)));
            QVERIFY(writer.SetFieldValByName("level", stored));
        }
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        TIniField *level = data.FieldByName("LEVEL");
        QVERIFY(level);
        QCOMPARE(level->GetAsString(), stored);
        QCOMPARE(level->GetAsFloat(), asFloat);
        QCOMPARE(level->GetAsInteger(), asInteger);
        QCOMPARE(level->GetAsBool(), asBool);
    }

    void priorAtFirstRecord()
    {
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QVERIFY(!data.Prior()); // no records at all, and no file to write values to
        QVERIFY(!data.SetFieldValByName("Density", "5"));
        data.FieldByName("Density")->SetAsString("5");
        QCOMPARE(data.FieldByName("Density")->GetAsString(), QString());
        QVERIFY(AppendRecord(data, EncodeMoment(2020, 1, 1, 8), 1.0, 1, true));
        QVERIFY(AppendRecord(data, EncodeMoment(2020, 1, 1, 9), 2.0, 2, true));
        QVERIFY(data.First());
        QVERIFY(!data.Prior());
        QCOMPARE(data.GetRecordNumber(), 0);
        QCOMPARE(data.FieldByName("Density")->GetAsFloat(), 1.0);
        QVERIFY(data.Last());
        QVERIFY(!data.Next());
        QCOMPARE(data.GetRecordNumber(), 1);
        QVERIFY(data.Prior());
        QCOMPARE(data.FieldByName("Level")->GetAsInteger(), 1);
    }

    // A few thousand records over several days: every value comes back, in time order, and
    // ranges list exactly the records they cover.
    void roundTrip()
    {
        const TMoment start = EncodeMoment(2023, 12, 30, 21, 7);
        const int count = 4000;
        const double step = 97 * OneSecond; // crosses hours, days and a year at odd seconds
        {
            TIniDataSet writer;
            Setup(writer);
            writer.SetActive(true);
            for (int i = 0; i < count; ++i)
                QVERIFY(AppendRecord(writer, start + i * step, i * 0.125, i, i % 3 == 0));
            QCOMPARE(writer.GetRecordCount(), count);
        }
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), count);
        int i = 0;
        do {
            QCOMPARE(data.GetLocalRecordNumber() >= 0, true);
            QCOMPARE(data.FieldByName("RecordTime")->GetAsDateTime(), start + i * step);
            QCOMPARE(data.FieldByName("Density")->GetAsFloat(), i * 0.125);
            QCOMPARE(data.FieldByName("Level")->GetAsInteger(), i);
            QCOMPARE(data.FieldByName("State")->GetAsBool(), i % 3 == 0);
            ++i;
        } while (data.Next());
        QCOMPARE(i, count);

        struct Range
        {
            TMoment from, to;
        };
        const Range ranges[] = {
            {EncodeMoment(2023, 12, 31, 10), EncodeMoment(2023, 12, 31, 11)},
            {EncodeMoment(2023, 12, 31, 23, 30), EncodeMoment(2024, 1, 1, 0, 30)},
            {EncodeMoment(2024, 1, 2, 0), EncodeMoment(2024, 1, 2, 23, 59, 59)},
            {EncodeMoment(2020, 1, 1), EncodeMoment(2030, 1, 1)},
            {EncodeMoment(2030, 1, 1), EncodeMoment(2030, 2, 1)},
        };
        for (const Range &range : ranges) {
            QVERIFY(data.SetRange(range.from, range.to));
            QList<int> expected;
            for (int k = 0; k < count; ++k) {
                const TMoment t = start + k * step;
                if (t >= range.from - 0.5 * OneSecond && t <= range.to + 0.5 * OneSecond)
                    expected.append(k);
            }
            QCOMPARE(data.GetRecordCount(), expected.size());
            for (int n = 0; n < expected.size(); ++n) {
                QVERIFY(data.GotoRecordNumber(n));
                QCOMPARE(data.FieldByName("Level")->GetAsInteger(), expected[n]);
            }
        }
    }

    void damagedHeader()
    {
        const QString fileName = dir->path() + "/root/2024_06_01.VBD/T110.VBD";
        QByteArray text = "[Header]\nRecordCount=5\n";
        for (int k = 0; k < 5; ++k) {
            if (k != 2) // the middle key is lost
                text += "R" + QByteArray::number(k) + "="
                    + FloatToStr(EncodeMoment(2024, 6, 1, 10, k)).toLatin1() + "\n";
        }
        for (int k = 0; k < 5; ++k)
            text += "[R" + QByteArray::number(k) + "]\nLevel=" + QByteArray::number(k * 10) + "\n";
        WriteBytes(fileName, text);

        TIniDataSet data;
        Setup(data);
        QVERIFY(data.SetRange(EncodeMoment(2024, 6, 1), EncodeMoment(2024, 6, 2)));
        QCOMPARE(data.GetRecordCount(), 4);
        QVERIFY(feedback.messages.isEmpty());
        QCOMPARE(data.FieldByName("Level")->GetAsInteger(), 0);

        QVERIFY(data.GotoRecordNumber(2)); // R3: the search meets the hole
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(), QString("Файл поврежден!"));
        QCOMPARE(feedback.messages.last().caption, QString("Ошибка"));
        QCOMPARE(feedback.messages.last().icon, TMsgIcon::Error);
        QCOMPARE(data.GetLocalRecordNumber(), -1);
        QCOMPARE(data.FieldByName("Level")->GetAsString(), QString());

        // Nothing is written into a record that could not be found.
        QVERIFY(!data.SetFieldValByName("Level", "99"));
        data.FieldByName("Level")->SetAsInteger(99);
        QCOMPARE(data.FieldByName("Level")->GetAsString(), QString());
        QCOMPARE(ReadBytes(fileName), text);

        // Without a range the record is found although the hole shifts its position.
        QVERIFY(data.CancelRange());
        QVERIFY(data.GotoRecordNumber(2));
        QCOMPARE(data.GetLocalRecordNumber(), 3);
        QCOMPARE(data.FieldByName("Level")->GetAsInteger(), 30);
        QCOMPARE(feedback.messages.size(), 1);
    }

    void damagedCountKeepsRecords_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::newRow("unreadable") << QByteArray("RecordCount=x");
        QTest::newRow("missing") << QByteArray();
    }
    void damagedCountKeepsRecords()
    {
        QFETCH(QByteArray, count);
        const TMoment old = EncodeMoment(2024, 6, 1, 10, 5);
        const QString fileName = dir->path() + "/root/2024_06_01.VBD/T110.VBD";
        WriteBytes(fileName,
                   "[Header]\n" + count + "\nR0=" + FloatToStr(old).toLatin1()
                       + "\n[R0]\nLevel=17\n");
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 0);
        QVERIFY(AppendRecord(data, EncodeMoment(2024, 6, 1, 10, 6), 1, 18, true));
        QCOMPARE(data.GetLocalRecordNumber(), 1);
        const QByteArray after = ReadBytes(fileName);
        QVERIFY2(after.contains("[R0]\nLevel=17\n"), after);
        QVERIFY2(after.contains("[R1]\n"), after);
    }

    void openRefusals_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("no root") << ""
                                 << "T1"
                                 << "Set RootDir and TableName!";
        QTest::newRow("no table") << "root"
                                  << ""
                                  << "Set RootDir and TableName!";
        QTest::newRow("table leaves the folder") << "root"
                                                 << "../T1"
                                                 << "Set RootDir and TableName!";
        QTest::newRow("root is a file") << "file"
                                        << "T1"
                                        << "Invalid RootDir!";
    }
    void openRefusals()
    {
        QFETCH(QString, root);
        QFETCH(QString, table);
        QFETCH(QString, message);
        WriteBytes(dir->path() + "/file", "x");
        TIniDataSet data;
        data.SetRootDir(root.isEmpty() ? root : dir->path() + "/" + root);
        data.SetTableName(table);
        data.SetActive(true);
        QVERIFY(!data.GetActive());
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(), message);
        QCOMPARE(feedback.messages.last().caption, QString("Error"));
        QCOMPARE(feedback.messages.last().icon, TMsgIcon::Error);
        QVERIFY(!data.Append(EncodeMoment(2020, 1, 1)));
        QVERIFY(!data.Delete());
    }

    void fieldListRefusals_data()
    {
        QTest::addColumn<QStringList>("names");
        QStringList many {"RecordTime"};
        for (int i = 1; i <= TIniDataSet::MaxFieldCount; ++i)
            many << QString("F%1").arg(i);
        QTest::newRow("51 names") << many;
        QTest::newRow("key with =") << QStringList {"RecordTime", "a=b"};
        QTest::newRow("line break") << QStringList {"RecordTime", "a\n[R0]"};
    }
    void fieldListRefusals()
    {
        QFETCH(QStringList, names);
        TIniDataSet data;
        Setup(data);
        QVERIFY(!data.SetFieldList(names));
        QCOMPARE(data.GetFieldList(), threeFields);
        QVERIFY(data.FieldByName("Density"));

        names.removeLast();
        if (names.size() == TIniDataSet::MaxFieldCount) { // fifty are fine
            QVERIFY(data.SetFieldList(names));
            data.SetActive(true);
            QVERIFY(data.Append(EncodeMoment(2020, 1, 1)));
            data.FieldByName("F49")->SetAsInteger(49);
            QCOMPARE(data.GetFieldValByName("f49"), QString("49"));
        }
    }

    void valueWithLineBreakRefused()
    {
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QVERIFY(AppendRecord(data, EncodeMoment(2020, 1, 1, 5), 1, 1, true));
        const QString fileName = data.FileNameByTime(EncodeMoment(2020, 1, 1, 5));
        const QByteArray before = ReadBytes(fileName);
        QVERIFY(!data.SetFieldValByName("Density", "1\n[R7]\nLevel=3"));
        data.FieldByName("Level")->SetAsString("2\r\n");
        QCOMPARE(data.FieldByName("Level")->GetAsString(), QString("1"));
        QCOMPARE(ReadBytes(fileName), before);
        QVERIFY(!data.SetFieldValByName("NotAField", "1"));
    }

    void folderVanishesWhileOpen()
    {
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        const TMoment first = EncodeMoment(2020, 7, 1, 5);
        QVERIFY(AppendRecord(data, first, 1, 1, true));
        QVERIFY(AppendRecord(data, EncodeMoment(2020, 7, 2, 5), 2, 2, true));
        QVERIFY(QDir(data.FolderNameByTime(EncodeMoment(2020, 7, 2))).removeRecursively());

        // The current record went with its folder: its values are refused, no file is made up.
        QVERIFY(!data.SetFieldValByName("Level", "3"));
        QVERIFY(!QFile::exists(data.FileNameByTime(EncodeMoment(2020, 7, 2, 5))));
        QVERIFY(data.First());
        QCOMPARE(data.FieldByName("Level")->GetAsInteger(), 1);
        QVERIFY(data.Last());
        QCOMPARE(data.GetLocalRecordNumber(), -1);
        QCOMPARE(data.FieldByName("Level")->GetAsString(), QString());

        // Appending starts the day afresh; the other day is untouched.
        QVERIFY(AppendRecord(data, EncodeMoment(2020, 7, 2, 5, 1), 4, 4, true));
        QCOMPARE(data.GetLocalRecordNumber(), 0);
        data.SetActive(false);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 2);
        QCOMPARE(data.FieldByName("Level")->GetAsInteger(), 1);
        QVERIFY(data.Next());
        QCOMPARE(data.FieldByName("Level")->GetAsInteger(), 4);
    }

    // A record appended to a file that was listed before other files, and records appended out
    // of time order, are still found with and without a range.
    void recordsFoundAfterLateAppends()
    {
        const TMoment day = EncodeMoment(2021, 9, 9);
        {
            TIniDataSet writer;
            Setup(writer);
            writer.SetActive(true);
            QVERIFY(AppendRecord(writer, day + 10 * OneHour + 30 * OneMinute, 1, 1, true));
            QVERIFY(AppendRecord(writer, day + 11 * OneHour, 2, 2, true));
        }
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QVERIFY(AppendRecord(data, day + 10 * OneHour + 45 * OneMinute, 3, 3, true));
        QVERIFY(AppendRecord(data, day + 10 * OneHour + 5 * OneMinute, 4, 4, true));
        for (int n = 0; n < 4; ++n) {
            QVERIFY(data.GotoRecordNumber(n));
            QCOMPARE(data.FieldByName("Level")->GetAsInteger(), n + 1);
        }
        QVERIFY(data.SetRange(day + 10 * OneHour, day + 10 * OneHour + 59 * OneMinute));
        QCOMPARE(data.GetRecordCount(), 3);
        const int levels[] = {1, 3, 4}; // file order
        for (int n = 0; n < 3; ++n) {
            QVERIFY(data.GotoRecordNumber(n));
            QCOMPARE(data.FieldByName("Level")->GetAsInteger(), levels[n]);
        }
        QVERIFY(feedback.messages.isEmpty());
    }

    void otherTablesAndFilesIgnored()
    {
        const TMoment time = EncodeMoment(2021, 4, 4, 11, 3);
        for (const char *table : {"T1", "T11", "T"}) {
            TIniDataSet writer;
            Setup(writer);
            writer.SetTableName(table);
            writer.SetActive(true);
            QVERIFY(writer.Append(time));
        }
        WriteBytes(dir->path() + "/root/2021_04_04.VBD/T1.txt", "[Header]\nRecordCount=1\nR0=1\n");
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 1);
        QCOMPARE(data.GetLocalRecordNumber(), 0);
    }

    // A linked folder leading back up the tree is listed once, not followed for ever.
    void linkLoopListedOnce()
    {
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        const TMoment time = EncodeMoment(2021, 4, 4, 11, 3);
        QVERIFY(data.Append(time));
        QVERIFY(QFile::link(data.GetRootDir(), data.FolderNameByTime(time) + "/T1loop.VBD"));
        data.SetActive(false);
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 1);
    }

    // Refused appends leave no trace: times no file name can hold or no listing would find again,
    // and an existing file that cannot be read (here a folder in its place).
    void appendRefusals_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<bool>("blocked");
        QTest::newRow("zero") << 0.0 << false;
        QTest::newRow("beyond year 9999") << 3e6 << false;
        QTest::newRow("not a number") << std::nan("") << false;
        QTest::newRow("unreadable file") << EncodeMoment(2021, 4, 4, 11, 3) << true;
    }
    void appendRefusals()
    {
        QFETCH(double, time);
        QFETCH(bool, blocked);
        TIniDataSet data;
        Setup(data);
        data.SetActive(true);
        if (blocked)
            QVERIFY(QDir().mkpath(data.FileNameByTime(time)));
        QVERIFY(!data.Append(time));
        QCOMPARE(data.GetRecordCount(), 0);
        QCOMPARE(QDir(data.GetRootDir()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 blocked ? QStringList {"2021_04_04.VBD"} : QStringList());
        if (blocked)
            QVERIFY(QFileInfo(data.FileNameByTime(time)).isDir());
    }

    // The files are plain INI: the program's INI class reads what the dataset wrote, and the
    // dataset reads what the INI class wrote.
    void plainIniBothWays_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("number") << "12.5";
        QTest::newRow("blanks around") << "  padded ";
        QTest::newRow("quoted") << "\"quoted\"";
        QTest::newRow("equals sign") << "a=b";
        QTest::newRow("cyrillic") << "Уровень в норме";
        QTest::newRow("empty") << "";
    }
    void plainIniBothWays()
    {
        QFETCH(QString, value);
        const TMoment time = EncodeMoment(2022, 10, 10, 10, 10, 10);
        {
            TIniDataSet writer;
            Setup(writer);
            writer.SetActive(true);
            QVERIFY(writer.Append(time));
            QVERIFY(writer.SetFieldValByName("Level", value));
            TIniFile ini(writer.FileNameByTime(time));
            QCOMPARE(ini.ReadInteger("Header", "RecordCount", -1), 1);
            QCOMPARE(ini.ReadString("Header", "R0", ""), FloatToStr(time));
            QCOMPARE(ini.ReadString("R0", "Level", "absent"), value);
            QCOMPARE(ini.ReadString("R0", "Density", "absent"), QString());
        }
        TIniDataSet data;
        Setup(data);
        data.SetTableName("T2");
        {
            TIniFile ini(data.FileNameByTime(time));
            ini.WriteInteger("Header", "RecordCount", 1);
            ini.WriteString("Header", "R0", FloatToStr(time));
            ini.WriteString("R0", "Level", value);
        }
        data.SetActive(true);
        QCOMPARE(data.GetRecordCount(), 1);
        QCOMPARE(data.FieldByName("Level")->GetAsString(), value);
        data.SetTableName("T1");
        QVERIFY(data.CancelRange());
        QCOMPARE(data.FieldByName("Level")->GetAsString(), value);
    }
};

TALMER_TEST(IniDataSetTest)

#include "IniDataSetTest.moc"
