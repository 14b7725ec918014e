#include "app/Paths.h"
#include "common/TestMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    // The test executable's folder is writable, so the settings sit beside it.
    void settingsBesideAWritableProgram()
    {
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath());
        QCOMPARE(DataFolder(), ProgramFolder());
        QCOMPARE(SettingsFilePath(), ProgramFolder() + QStringLiteral("/test_app.INI"));
    }

    void privateFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.INI"));
        QVERIFY(CreatePrivateFile(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
            | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());

        // An existing file is left as it is.
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("[main]\n");
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFile::ReadOther));
        QVERIFY(CreatePrivateFile(path));
        QCOMPARE(QFileInfo(path).size(), 7);
        QVERIFY(QFile::permissions(path) & QFile::ReadOther);

        QVERIFY(!CreatePrivateFile(dir.filePath(QStringLiteral("no/such/folder/a.INI"))));
    }
};

TALMER_TEST(TestPaths)
#include "TestPaths.moc"
