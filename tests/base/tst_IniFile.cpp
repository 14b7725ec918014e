#include "common/FileBytes.h"
#include "common/TestMain.h"

#include "base/Formats.h"
#include "base/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void readString_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray base = "[Main]\r\nCaption=Plant\r\n";
        QTest::newRow("exact") << base << "Main"
                               << "Caption"
                               << "Plant";
        QTest::newRow("section case") << base << "MAIN"
                                      << "Caption"
                                      << "Plant";
        QTest::newRow("key case") << base << "main"
                                  << "caPTION"
                                  << "Plant";
        QTest::newRow("cyrillic case") << QByteArray("[Цвета]\nВода=1\n") << "ЦВЕТА"
                                       << "вОДА"
                                       << "1";
        QTest::newRow("missing key") << base << "Main"
                                     << "Title"
                                     << "def";
        QTest::newRow("missing section") << base << "Other"
                                         << "Caption"
                                         << "def";
        QTest::newRow("blanks trimmed")
            << QByteArray("  [ Main ]  \n  Caption  =   a b  \n") << "Main"
            << "Caption"
            << "a b";
        QTest::newRow("quotes removed") << QByteArray("[Main]\nCaption=\" padded \"\n") << "Main"
                                        << "Caption"
                                        << " padded ";
        QTest::newRow("one pair of quotes only")
            << QByteArray("[Main]\nCaption=\"\"x\"\"\n") << "Main"
            << "Caption"
            << "\"x\"";
        QTest::newRow("lone quote kept") << QByteArray("[Main]\nCaption=\"\n") << "Main"
                                         << "Caption"
                                         << "\"";
        QTest::newRow("first equals splits") << QByteArray("[Main]\nSql=a=b\n") << "Main"
                                             << "Sql"
                                             << "a=b";
        QTest::newRow("empty value") << QByteArray("[Main]\nCaption=\n") << "Main"
                                     << "Caption"
                                     << "";
        QTest::newRow("LF only") << QByteArray("[Main]\nCaption=x\n[B]\nCaption=y") << "B"
                                 << "Caption"
                                 << "y";
        QTest::newRow("first duplicate key wins") << QByteArray("[Main]\nK=1\nk=2\n") << "Main"
                                                  << "K"
                                                  << "1";
        QTest::newRow("first duplicate section wins")
            << QByteArray("[Main]\nK=1\n[main]\nK=2\n") << "Main"
            << "K"
            << "1";
        QTest::newRow("keys outside a section ignored") << QByteArray("K=1\n[Main]\n") << ""
                                                        << "K"
                                                        << "def";
        QTest::newRow("line without equals ignored") << QByteArray("[Main]\nK\nK=2\n") << "Main"
                                                     << "K"
                                                     << "2";
        QTest::newRow("comment ignored") << QByteArray("[Main]\n;K=1\nK=2\n") << "Main"
                                         << "K"
                                         << "2";
        QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF[Main]\nK=v\n") << "Main"
                             << "K"
                             << "v";
        QTest::newRow("unclosed header") << QByteArray("[Main\nK=v\n") << "Main"
                                         << "K"
                                         << "v";
    }

    void readString()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        WriteBytes(Path("r.ini"), text);
        QCOMPARE(TIniFile(Path("r.ini")).ReadString(section, key, "def"), expected);
    }

    void missingFileReadsDefaults()
    {
        const TIniFile ini(Path("absent.ini"));
        QCOMPARE(ini.ReadString("main", "Caption", "d"), QString("d"));
        QCOMPARE(ini.ReadInteger("main", "FirstChangeStart", 7), 7);
        QVERIFY(ini.ReadSections().isEmpty());
        QVERIFY(!QFile::exists(Path("absent.ini")));
    }

    void readInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("negative") << "-2147483643" << -2147483643;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("hex colour") << "0x0000FF00" << 0xFF00;
        QTest::newRow("hex lower prefix") << "0xff" << 255;
        QTest::newRow("hex system colour") << "0x80000005" << int(0x80000005u);
        QTest::newRow("hex all ones") << "0xFFFFFFFF" << -1;
        QTest::newRow("dollar hex") << "$10" << 16;
        QTest::newRow("hex too wide") << "0x100000000" << -7;
        QTest::newRow("hex empty") << "0x" << -7;
        QTest::newRow("hex signed digits") << "0x-5" << -7;
        QTest::newRow("overflow") << "2147483648" << -7;
        QTest::newRow("text") << "abc" << -7;
        QTest::newRow("trailing text") << "12px" << -7;
        QTest::newRow("float text") << "1.5" << -7;
        QTest::newRow("empty") << "" << -7;
    }

    void readInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        WriteBytes(Path("i.ini"), "[S]\nK=" + text.toUtf8() + "\n");
        QCOMPARE(TIniFile(Path("i.ini")).ReadInteger("s", "k", -7), expected);
    }

    void readBool_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("2 is true") << "2" << false << true;
        QTest::newRow("-1 is true") << "-1" << false << true;
        QTest::newRow("word gives default true") << "yes" << true << true;
        QTest::newRow("word gives default false") << "true" << false << false;
    }

    void readBool()
    {
        QFETCH(QString, text);
        QFETCH(bool, def);
        QFETCH(bool, expected);
        WriteBytes(Path("b.ini"), "[S]\nK=" + text.toUtf8() + "\n");
        QCOMPARE(TIniFile(Path("b.ini")).ReadBool("S", "K", def), expected);
    }

    void readFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("point") << "1.25" << 1.25;
        QTest::newRow("comma") << "1,25" << 1.25;
        QTest::newRow("negative") << "-0.5" << -0.5;
        QTest::newRow("integer") << "3" << 3.0;
        QTest::newRow("invalid") << "x1" << 99.0;
        QTest::newRow("empty") << "" << 99.0;
    }

    void readFloat()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        WriteBytes(Path("f.ini"), "[S]\nK=" + text.toUtf8() + "\n");
        QCOMPARE(TIniFile(Path("f.ini")).ReadFloat("S", "K", 99.0), expected);
    }

    void floatRoundTripBothSeparators_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("point") << "en_US";
        QTest::newRow("comma") << "ru_RU";
    }

    void floatRoundTripBothSeparators()
    {
        QFETCH(QString, locale);
        const QLocale saved;
        QLocale::setDefault(QLocale(locale));
        TIniFile ini(Path("float.ini"));
        ini.WriteFloat("S", "K", 46001.123456789);
        ini.WriteFloat("S", "Small", -0.000125);
        QLocale::setDefault(saved);
        const TIniFile again(Path("float.ini"));
        QCOMPARE(again.ReadFloat("S", "K", 0), 46001.123456789);
        QCOMPARE(again.ReadFloat("S", "Small", 0), -0.000125);
        QCOMPARE(again.ReadString("S", "K", ""), FloatToStr(46001.123456789, QLocale(locale)));
    }

    // The text a fresh file gets, and how later writes edit it in place.
    void fileText()
    {
        const QString path = Path("text.ini");
        TIniFile ini(path);
        ini.WriteString("main", "Caption", "КВ-512");
        ini.WriteInteger("MySQL", "Version", 5);
        ini.WriteBool("main", "ShutdownOnExit", false);
        ini.WriteString("MAIN", "caption", "New");
        QCOMPARE(
            ReadBytes(path),
            QByteArray("[main]\r\nCaption=New\r\nShutdownOnExit=0\r\n[MySQL]\r\nVersion=5\r\n"));
    }

    void editKeepsOtherLines()
    {
        const QString path = Path("keep.ini");
        WriteBytes(path, "; header comment\n[A]\nx=1\nfree text\n\n[B]\ny=2\n");
        TIniFile ini(path);
        ini.WriteString("A", "z", "3");
        ini.WriteString("b", "Y", "20");
        QCOMPARE(ReadBytes(path),
                 QByteArray("; header comment\r\n[A]\r\nx=1\r\nfree text\r\nz=3\r\n"
                            "\r\n[B]\r\ny=20\r\n"));
    }

    void valuesThatNeedQuoting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("trailing blanks") << "# ### ##0.0; ;  ";
        QTest::newRow("leading blank") << " x";
        QTest::newRow("quoted") << "\"x\"";
        QTest::newRow("plain") << "a \"b\" c";
        QTest::newRow("equals") << "a=b";
    }

    void valuesThatNeedQuoting()
    {
        QFETCH(QString, value);
        TIniFile(Path("q.ini")).WriteString("S", "K", value);
        QCOMPARE(TIniFile(Path("q.ini")).ReadString("S", "K", "def"), value);
    }

    void lineBreakInValueStaysOneLine()
    {
        TIniFile ini(Path("nl.ini"));
        ini.WriteString("S", "K", "a\r\n[X]\nb=c");
        QCOMPARE(ini.ReadString("S", "K", ""), QString("a  [X] b=c"));
        QVERIFY(!ini.SectionExists("X"));
    }

    void badNamesRaise_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("key with equals") << "S"
                                         << "a=b";
        QTest::newRow("key with line break") << "S"
                                             << "a\nb";
        QTest::newRow("empty key") << "S"
                                   << " ";
        QTest::newRow("key like header") << "S"
                                         << "[x]";
        QTest::newRow("key like comment") << "S"
                                          << ";x";
        QTest::newRow("section with bracket") << "a]b"
                                              << "K";
        QTest::newRow("section with line break") << "a\r\nb"
                                                 << "K";
    }

    void badNamesRaise()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        TIniFile ini(Path("bad.ini"));
        QVERIFY_THROWS_EXCEPTION(TIniFileError, ini.WriteString(section, key, "v"));
        QVERIFY(!QFile::exists(Path("bad.ini")));
    }

    void writesPersistAtOnce()
    {
        const QString path = Path("shared.ini");
        TIniFile writer(path);
        const TIniFile reader(path);
        QCOMPARE(reader.ReadInteger("S", "K", 0), 0);
        writer.WriteInteger("S", "K", 1);
        QCOMPARE(reader.ReadInteger("S", "K", 0), 1);
        // Same size and within the same clock tick: the reader still sees the new value.
        writer.WriteInteger("S", "K", 2);
        QCOMPARE(reader.ReadInteger("S", "K", 0), 2);
        QFile::remove(path);
        QCOMPARE(reader.ReadInteger("S", "K", 0), 0);
        // A write starts again from the file on disk, not from what was cached.
        WriteBytes(path, "[Other]\nx=1\n");
        writer.WriteInteger("S", "K", 3);
        QCOMPARE(ReadBytes(path), QByteArray("[Other]\r\nx=1\r\n[S]\r\nK=3\r\n"));
    }

    void eraseSectionAndDeleteKey()
    {
        const QString path = Path("erase.ini");
        WriteBytes(path, "[A]\nx=1\n\n[b]\ny=2\ny=3\nz=4\n[C]\nw=5\n[B]\nv=6\n");
        TIniFile ini(path);
        ini.DeleteKey("B", "Y");
        QVERIFY(!ini.ValueExists("b", "y"));
        QCOMPARE(ini.ReadSection("B"), QStringList {"z"});
        ini.EraseSection("B");
        QVERIFY(!ini.SectionExists("b"));
        QCOMPARE(ini.ReadSections(), (QStringList {"A", "C"}));
        QCOMPARE(ReadBytes(path), QByteArray("[A]\r\nx=1\r\n\r\n[C]\r\nw=5\r\n"));
        // Erasing what does not exist leaves the file alone.
        const QByteArray before = ReadBytes(path);
        ini.EraseSection("Absent");
        ini.DeleteKey("A", "absent");
        QCOMPARE(ReadBytes(path), before);
    }

    void listsKeepFirstSpelling()
    {
        WriteBytes(Path("list.ini"), "[Alpha]\nOne=1\nTwo=2\nONE=3\n[beta]\n[ALPHA]\nThree=3\n");
        const TIniFile ini(Path("list.ini"));
        QCOMPARE(ini.ReadSections(), (QStringList {"Alpha", "beta"}));
        QCOMPARE(ini.ReadSection("alpha"), (QStringList {"One", "Two"}));
        QVERIFY(ini.SectionExists("BETA"));
        QVERIFY(ini.ReadSection("beta").isEmpty());
        QVERIFY(ini.ReadSection("gamma").isEmpty());
    }

    void unwritablePathRaises_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << "no/such/folder/x.ini";
        QTest::newRow("a folder") << ".";
        QTest::newRow("a pipe") << "pipe";
    }

    void unwritablePathRaises()
    {
        QFETCH(QString, path);
        // A pipe is neither read (which would block) nor replaced by a regular file.
        if (path == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(Path(path)).constData(), 0600), 0);
        TIniFile ini(Path(path));
        QCOMPARE(ini.ReadString("S", "K", "def"), QString("def"));
        QVERIFY_THROWS_EXCEPTION(TIniFileError, ini.WriteString("S", "K", "v"));
        QCOMPARE(ini.ReadString("S", "K", "def"), QString("def"));
        if (path == "pipe")
            QVERIFY(!QFileInfo(Path(path)).isFile());
    }

    void readOnlyFileRaisesAndStaysIntact()
    {
        if (geteuid() == 0)
            QSKIP("root writes read-only files");
        const QString path = Path("ro.ini");
        WriteBytes(path, "[S]\nK=1\n");
        QFile::setPermissions(path, QFile::ReadOwner);
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        TIniFile ini(path);
        bool raised = false;
        try {
            ini.WriteString("S", "K", "2");
        } catch (const TIniFileError &) {
            raised = true;
        }
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(raised);
        QCOMPARE(ini.ReadString("S", "K", ""), QString("1"));
        QCOMPARE(ReadBytes(path), QByteArray("[S]\nK=1\n"));
    }

    void writeKeepsPermissions()
    {
        const QString path = Path("private.ini");
        WriteBytes(path, "[S]\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        TIniFile(path).WriteString("S", "Password", "x");
        const QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
        QVERIFY(QFile::permissions(path) & QFile::WriteOwner);
    }

    void backslashesAreFolderSeparators()
    {
        TIniFile ini(Path("sub") + "\\..\\slashed.ini");
        QVERIFY(QDir().mkpath(Path("sub")));
        ini.WriteInteger("S", "K", 1);
        QVERIFY(QFile::exists(Path("slashed.ini")));
    }

    void corruptFilesNeverCrash_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("nul bytes") << QByteArray("[S\0]\nK=\0v\n[S]\nK\0=1\n", 20);
        QTest::newRow("invalid utf8") << QByteArray("[S]\nK=\xff\xfe\xc3\n\xc0[\n");
        QTest::newRow("huge line") << ("[S]\nK=" + QByteArray(8 << 20, 'x') + "\n");
        QTest::newRow("only brackets") << QByteArray("[[[]]]\n]\n[\n=\n==\n");
        QTest::newRow("carriage returns") << QByteArray("\r\r\r[S]\r\rK=1\r\r\n");
        QByteArray random(4096, Qt::Uninitialized);
        QRandomGenerator gen(12345);
        for (char &c : random)
            c = char(gen.bounded(256));
        QTest::newRow("random") << random;
    }

    void corruptFilesNeverCrash()
    {
        QFETCH(QByteArray, bytes);
        const QString path = Path("corrupt.ini");
        WriteBytes(path, bytes);
        TIniFile ini(path);
        for (const QString &section : ini.ReadSections())
            for (const QString &key : ini.ReadSection(section))
                ini.ReadString(section, key, "");
        ini.WriteString("New", "K", "v");
        QCOMPARE(ini.ReadString("new", "k", ""), QString("v"));
        // The bytes of lines the write did not touch are kept.
        QVERIFY(ReadBytes(path).startsWith(bytes.left(bytes.indexOf('\n'))));
    }
};

TALMER_TEST(TestIniFile)

#include "tst_IniFile.moc"
