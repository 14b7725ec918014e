#include "FrameTestKit.h"

#include "TestDb.h"
#include "app/About.h"
#include "app/Connection.h"
#include "app/InputNewSet.h"
#include "app/Main.h"
#include "app/MainMenu.h"

#include <QFile>

FrameUnderTest::FrameUnderTest(const QString &host, const QString &password)
{
    QFile settings(SettingsPath());
    if (settings.open(QIODevice::WriteOnly)) {
        settings.write(QStringLiteral("[main]\r\nTempDir=%1/Temp\r\nTemplateDir=%1/Template\r\n"
                                      "[MySQL]\r\nLogin=%2\r\nComp=%3\r\nSavePassword=0\r\n")
                           .arg(folder.path(), QString::fromLatin1(TestDb::User),
                                host.isEmpty() ? TestDb::HostWithPort() : host)
                           .toUtf8());
    }
    settings.close();
    frame = std::make_unique<TFormMain>(SettingsPath(), [password](QString &, QString &entered) {
        entered = password;
        return true;
    });
    // The application layer's own windows, as the station creates them.
    frame->CreateWindows(
        {ChildWindow<TFormMainMenu>(&TFormMain::ActionMainMenu, &TFormMain::ActionPrint, {},
                                    Qt::SubWindow | Qt::CustomizeWindowHint),
         DialogWindow<TFormAbout>(), DialogWindow<TFormInputNewSet>()});
}

FrameUnderTest::~FrameUnderTest()
{
    frame.reset();
    SQLConnection1().Close();
}

QString FrameUnderTest::SettingsPath() const
{
    return folder.filePath(QStringLiteral("talmer.INI"));
}
