#include "TestDb.h"
#include "TestMain.h"
#include "app/InstanceCheck.h"
#include "app/Vbcrypt.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Second-instance detection: the counting rule on a process table built from real symbolic links,
// and the real program started twice.
class TestMainInstance : public QObject
{
    Q_OBJECT

private:
    // A process table whose entries point at the given executables. An entry "other:<arguments>"
    // is another user's process: its exe link is unreadable, its command line (arguments
    // separated by "|") is not.
    static void FakeProcesses(const QTemporaryDir &proc, const QStringList &executables)
    {
        const QString other = QStringLiteral("other:");
        for (int i = 0; i < executables.size(); ++i) {
            const QString entry = proc.filePath(QString::number(100 + i));
            QDir().mkpath(entry);
            if (!executables[i].startsWith(other)) {
                QFile::link(executables[i], entry + QStringLiteral("/exe"));
                continue;
            }
            QFile commandLine(entry + QStringLiteral("/cmdline"));
            QVERIFY(commandLine.open(QIODevice::WriteOnly));
            QByteArray arguments = executables[i].mid(other.size()).toUtf8();
            arguments.replace('|', '\0');
            commandLine.write(arguments);
        }
    }

private slots:
    void countRule_data()
    {
        QTest::addColumn<QStringList>("executables");
        QTest::addColumn<int>("count");
        const QString self = QStringLiteral("/opt/plant/talmer");
        QTest::newRow("alone") << QStringList {self, "/usr/bin/bash"} << 1;
        QTest::newRow("second copy") << QStringList {self, self} << 2;
        QTest::newRow("same name elsewhere") << QStringList {self, "/home/op/TALMER"} << 2;
        QTest::newRow("renamed copy") << QStringList {self, "/opt/plant/talmer2"} << 1;
        QTest::newRow("replaced while running") << QStringList {self, self + " (deleted)"} << 2;
        QTest::newRow("another user's copy") << QStringList {self, "other:" + self + "|-x|"} << 2;
        QTest::newRow("another user's copy by name") << QStringList {self, "other:./talmer"} << 2;
        QTest::newRow("another user's other program")
            << QStringList {self, "other:/usr/bin/talmer-sim|talmer"} << 1;
        QTest::newRow("kernel thread") << QStringList {self, "other:"} << 1;
    }
    void countRule()
    {
        QFETCH(QStringList, executables);
        QFETCH(int, count);
        QTemporaryDir proc;
        FakeProcesses(proc, executables);
        QDir().mkpath(proc.filePath(QStringLiteral("self"))); // not a process number
        QDir().mkpath(proc.filePath(QStringLiteral("999"))); // unreadable: no executable link
        QCOMPARE(CountProgramInstances(QStringLiteral("/opt/plant/talmer"), proc.path()), count);
    }

    void noProcessTable()
    {
        QCOMPARE(CountProgramInstances(QStringLiteral("/opt/plant/talmer"),
                                       QStringLiteral("/nonexistent/proc")),
                 0);
    }

    void secondInstanceEndsSilently()
    {
        // A copy of the program in a folder of its own, with settings that need no prompt.
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("talmer"));
        QVERIFY(QFile::copy(QStringLiteral(TALMER_EXECUTABLE), program));
        QFile settings(folder.filePath(QStringLiteral("talmer.INI")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(
            QStringLiteral("[MySQL]\r\nLogin=kv512\r\nComp=%1\r\nSavePassword=1\r\nPassword=%2\r\n")
                .arg(TestDb::HostWithPort(), ScramblePassword(QStringLiteral("kv512")))
                .toUtf8());
        settings.close();

        QProcess first;
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.start(program, {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A copy under another name is another program.
        const QString renamed = folder.filePath(QStringLiteral("talmer-b"));
        QVERIFY(QFile::copy(program, renamed));
        QProcess other;
        other.start(renamed, {});
        QVERIFY(other.waitForStarted());
        QVERIFY(!other.waitForFinished(1500));

        for (QProcess *process : {&first, &other}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
        }
    }
};

TALMER_TEST(TestMainInstance)
#include "tst_MainInstance.moc"
