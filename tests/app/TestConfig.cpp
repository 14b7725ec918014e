#include "app/Config.h"
#include "app/EventLog.h"
#include "app/Global.h"
#include "app/Vbcrypt.h"
#include "base/IniFile.h"
#include "common/RecordingFeedback.h"
#include "common/TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Counts how often the login prompt was asked and answers it as scripted.
struct TPromptScript
{
    int asked = 0;
    QString seenLogin;
    bool ok = false;
    QString login;
    QString password;

    TLoginPrompt Prompt()
    {
        return [this](QString &l, QString &p) {
            ++asked;
            seenLogin = l;
            if (ok) {
                l = login;
                p = password;
            }
            return ok;
        };
    }
};

QString LastEvent()
{
    const TEventFIFO &ring = EventRing();
    if (ring.Count() == 0)
        return QString();
    return ring.Record((ring.WriteIndex() + ring.Capacity() - 1) % ring.Capacity()).Text;
}

QString FileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        FirstChangeStart = 7;
        DateIncrement = 0;
        ShutdownOnExit = false;
        TempDir = QStringLiteral("/default/Temp");
        TemplateDir = QStringLiteral("/default/Template");
        m_path = m_dir.filePath(QStringLiteral("%1.INI").arg(QTest::currentTestFunction()));
        QFile::remove(m_path);
    }

    void missingFileGivesDefaultsAndAsksForLogin()
    {
        TFrameSettings s;
        TPromptScript prompt;
        const int events = EventRing().Count();
        LoadConfig(m_path, s, prompt.Prompt());
        QCOMPARE(prompt.asked, 1);
        QCOMPARE(prompt.seenLogin, QStringLiteral("root"));
        QCOMPARE(s.Login, QStringLiteral("root"));
        QCOMPARE(s.Password, QString());
        QCOMPARE(s.Comp, QStringLiteral("127.0.0.1"));
        QCOMPARE(s.Caption, QStringLiteral("КВ-512ТС/НК ( 1.19 )"));
        QCOMPARE(s.Version, 5);
        QCOMPARE(s.SavePassword, false);
        QCOMPARE(FirstChangeStart, 7);
        QCOMPARE(TempDir, QStringLiteral("/default/Temp"));
        QCOMPARE(EventRing().Count(), events);
        QVERIFY(!QFile::exists(m_path));
    }

    void promptAnswer_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::newRow("OK") << true << "operator"
                            << "secret";
        QTest::newRow("Cancel") << false << "root"
                                << "";
    }

    void promptAnswer()
    {
        QFETCH(bool, ok);
        QFETCH(QString, login);
        QFETCH(QString, password);
        TFrameSettings s;
        TPromptScript prompt {0, {}, ok, QStringLiteral("operator"), QStringLiteral("secret")};
        LoadConfig(m_path, s, prompt.Prompt());
        QCOMPARE(s.Login, login);
        QCOMPARE(s.Password, password);
    }

    // The first save writes sections main and MySQL in their order, no folders, an empty
    // Password, into a file only its owner can read.
    void firstSaveWritesMainAndMySql()
    {
        TFrameSettings s;
        s.Password = QStringLiteral("typed at the prompt");
        SaveConfig(m_path, s);

        const QString text = FileText(m_path);
        const QStringList order {"[main]",
                                 "Caption=КВ-512ТС/НК ( 1.19 )",
                                 "FirstChangeStart=7",
                                 "DateIncrement=0",
                                 "ShutdownOnExit=0",
                                 "[MySQL]",
                                 "Login=root",
                                 "Comp=127.0.0.1",
                                 "Version=5",
                                 "SavePassword=0",
                                 "Password="};
        qsizetype at = 0;
        for (const QString &line : order) {
            const qsizetype found = text.indexOf(line, at);
            QVERIFY2(found >= 0, qPrintable(line + QStringLiteral(" in order in\n") + text));
            at = found + line.size();
        }
        QVERIFY(!text.contains(QStringLiteral("TempDir"), Qt::CaseInsensitive));
        QVERIFY(!text.contains(QStringLiteral("TemplateDir"), Qt::CaseInsensitive));
        QCOMPARE(TIniFile(m_path).ReadString("MySQL", "Password", "?"), QString());

        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(QFile::permissions(m_path) & QFile::ReadOwner);
        QCOMPARE(QFile::permissions(m_path) & others, QFile::Permissions());
    }

    // A station on one server keeps the file it always had; a list once set is kept, even
    // when cleared.
    void readFromWrittenOnlyWhenUsed_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("written");
        QTest::newRow("never set") << QString() << QString() << false;
        QTest::newRow("set") << QString() << QStringLiteral("r1:3307, r2") << true;
        QTest::newRow("cleared") << QStringLiteral("r1") << QString() << true;
    }
    void readFromWrittenOnlyWhenUsed()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, written);
        if (!before.isEmpty())
            TIniFile(m_path).WriteString("MySQL", "ReadFrom", before);
        TFrameSettings s;
        LoadConfig(m_path, s, TPromptScript().Prompt());
        QCOMPARE(s.ReadFrom, before);
        s.ReadFrom = after;
        SaveConfig(m_path, s);
        QCOMPARE(TIniFile(m_path).ValueExists("MySQL", "ReadFrom"), written);
        TFrameSettings loaded;
        LoadConfig(m_path, loaded, TPromptScript().Prompt());
        QCOMPARE(loaded.ReadFrom, after);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("version");
        QTest::newRow("eight characters, version 5") << "12345678" << 5;
        QTest::newRow("second profile") << "x" << 4;
        QTest::newRow("cyrillic") << "Пароль №2" << 5;
        QTest::newRow("equals sign and blanks") << " a=b; c " << 50;
    }

    void roundTrip()
    {
        QFETCH(QString, password);
        QFETCH(int, version);
        TFrameSettings saved;
        saved.Caption = QStringLiteral("Пульт 2");
        saved.Login = QStringLiteral("operator");
        saved.Comp = QStringLiteral("10.0.0.5:3307");
        saved.SavePassword = true;
        saved.Version = version;
        saved.Password = password;
        FirstChangeStart = 8;
        DateIncrement = 2;
        ShutdownOnExit = true;
        SaveConfig(m_path, saved);

        const QString stored = TIniFile(m_path).ReadString("MySQL", "Password", QString());
        QCOMPARE(stored.size(), 50 + 4 * password.toUtf8().size());
        QCOMPARE(TIniFile(m_path).ReadString("MySQL", "Version", QString()),
                 QString::number(version));

        FirstChangeStart = 7;
        DateIncrement = 0;
        ShutdownOnExit = false;
        TFrameSettings loaded;
        TPromptScript prompt;
        LoadConfig(m_path, loaded, prompt.Prompt());
        QCOMPARE(prompt.asked, 0);
        QCOMPARE(loaded.Caption, saved.Caption);
        QCOMPARE(loaded.Login, saved.Login);
        QCOMPARE(loaded.Comp, saved.Comp);
        QCOMPARE(loaded.SavePassword, true);
        QCOMPARE(loaded.Version, version);
        QCOMPARE(loaded.Password, password);
        QCOMPARE(FirstChangeStart, 8);
        QCOMPARE(DateIncrement, 2);
        QCOMPARE(ShutdownOnExit, true);
    }

    void storedPasswordKeptOrCleared_data()
    {
        QTest::addColumn<bool>("savePassword");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("kept");
        QTest::newRow("saved, empty password keeps the old one") << true << "" << true;
        QTest::newRow("not saved clears it") << false << "new" << false;
    }

    void storedPasswordKeptOrCleared()
    {
        QFETCH(bool, savePassword);
        QFETCH(QString, password);
        QFETCH(bool, kept);
        TFrameSettings s;
        s.SavePassword = true;
        s.Password = QStringLiteral("old secret");
        SaveConfig(m_path, s);
        const QString before = TIniFile(m_path).ReadString("MySQL", "Password", QString());
        QVERIFY(!before.isEmpty());

        s.SavePassword = savePassword;
        s.Password = password;
        SaveConfig(m_path, s);
        QCOMPARE(TIniFile(m_path).ReadString("MySQL", "Password", QString()),
                 kept ? before : QString());
    }

    void readsFlagsAndFolders_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shutdown");
        QTest::addColumn<bool>("savePassword");
        QTest::addColumn<int>("prompts");
        const QString folders = QStringLiteral("TempDir=/var/tmp/kv\nTemplateDir=/srv/t\n");
        QTest::newRow("flags 1") << "[main]\nShutdownOnExit=1\n" + folders
                + "[MySQL]\nSavePassword=1\n"
                                 << true << true << 0;
        QTest::newRow("any non-zero is set")
            << "[MAIN]\nshutdownonexit=5\n" + folders + "[mysql]\nSavePassword=-1\n"
            << true << true << 0;
        QTest::newRow("flags 0") << "[main]\nShutdownOnExit=0\n" + folders
                + "[MySQL]\nSavePassword=0\n"
                                 << false << false << 1;
    }

    void readsFlagsAndFolders()
    {
        QFETCH(QString, text);
        QFETCH(bool, shutdown);
        QFETCH(bool, savePassword);
        QFETCH(int, prompts);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();

        TFrameSettings s;
        TPromptScript prompt;
        LoadConfig(m_path, s, prompt.Prompt());
        QCOMPARE(ShutdownOnExit, shutdown);
        QCOMPARE(s.SavePassword, savePassword);
        QCOMPARE(prompt.asked, prompts);
        QCOMPARE(TempDir, QStringLiteral("/var/tmp/kv"));
        QCOMPARE(TemplateDir, QStringLiteral("/srv/t"));
    }

    // A damaged stored password ends the reading there: what was read stays, the password stays
    // empty, and the failure is posted.
    void damagedPasswordIsPosted()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[main]\nFirstChangeStart=9\n[MySQL]\nLogin=op\nVersion=4\nSavePassword=1\n"
                   "Password=ABCDEF\n");
        file.close();

        RecordingFeedback feedback;
        const int events = EventRing().Count();
        TFrameSettings s;
        TPromptScript prompt;
        LoadConfig(m_path, s, prompt.Prompt());
        QCOMPARE(EventRing().Count(), events + 1);
        QCOMPARE(LastEvent(), QStringLiteral("Ошибка в LoadConfig"));
        QCOMPARE(FirstChangeStart, 9);
        QCOMPARE(s.Login, QStringLiteral("op"));
        QCOMPARE(s.Version, 4);
        QCOMPARE(s.Password, QString());
        QCOMPARE(prompt.asked, 0);
        QCOMPARE(feedback.messages.size(), 0);
    }

    void unreadableFileIsPosted()
    {
        QVERIFY(QDir().mkpath(m_path)); // a folder where the file should be
        const int events = EventRing().Count();
        TFrameSettings s;
        TPromptScript prompt;
        LoadConfig(m_path, s, prompt.Prompt());
        QCOMPARE(EventRing().Count(), events + 1);
        QCOMPARE(LastEvent(), QStringLiteral("Ошибка в LoadConfig"));
        QCOMPARE(prompt.asked, 0);
        QVERIFY(QDir().rmdir(m_path));
    }

    void unwritableFileIsPosted()
    {
        const int events = EventRing().Count();
        SaveConfig(m_dir.filePath(QStringLiteral("missing/folder/x.INI")), TFrameSettings());
        QCOMPARE(EventRing().Count(), events + 1);
        QCOMPARE(LastEvent(), QStringLiteral("Ошибка в SaveConfig()"));
    }
};

TALMER_TEST(TestConfig)
#include "TestConfig.moc"
