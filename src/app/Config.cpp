#include "Config.h"

#include "EventLog.h"
#include "Global.h"
#include "Paths.h"
#include "Vbcrypt.h"
#include "base/IniFile.h"

#include <QFile>
#include <exception>

namespace {

const QString Main = QStringLiteral("main");
const QString MySql = QStringLiteral("MySQL");

// Reads in the fixed order; returns false at the first failure, leaving what was read so far.
bool ReadConfig(const QString &path, TFrameSettings &s, const TLoginPrompt &prompt)
{
    // The INI reader takes an unreadable file for an empty one; here that is a failure.
    if (QFile::exists(path)) {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly))
            return false;
    }
    const TIniFile ini(path);
    s.Caption = ini.ReadString(Main, QStringLiteral("Caption"), s.Caption);
    FirstChangeStart = ini.ReadInteger(Main, QStringLiteral("FirstChangeStart"), FirstChangeStart);
    DateIncrement = ini.ReadInteger(Main, QStringLiteral("DateIncrement"), DateIncrement);
    ShutdownOnExit = ini.ReadBool(Main, QStringLiteral("ShutdownOnExit"), ShutdownOnExit);
    TempDir = ini.ReadString(Main, QStringLiteral("TempDir"), TempDir);
    TemplateDir = ini.ReadString(Main, QStringLiteral("TemplateDir"), TemplateDir);
    s.Login = ini.ReadString(MySql, QStringLiteral("Login"), s.Login);
    s.Comp = ini.ReadString(MySql, QStringLiteral("Comp"), s.Comp);
    s.ReadFrom = ini.ReadString(MySql, QStringLiteral("ReadFrom"), s.ReadFrom);
    s.SavePassword = ini.ReadBool(MySql, QStringLiteral("SavePassword"), s.SavePassword);
    s.Version = ini.ReadInteger(MySql, QStringLiteral("Version"), s.Version);

    if (s.SavePassword) {
        const QString stored = ini.ReadString(MySql, QStringLiteral("Password"), QString());
        if (!stored.isEmpty() && !TryUnscramblePassword(stored, s.Password))
            return false;
    } else if (prompt) {
        QString login = s.Login;
        QString password = s.Password;
        if (prompt(login, password)) {
            s.Login = login;
            s.Password = password;
        }
    }
    return true;
}

} // namespace

void LoadConfig(const QString &path, TFrameSettings &s, const TLoginPrompt &prompt)
{
    bool ok = false;
    try {
        ok = ReadConfig(path, s, prompt);
    } catch (const std::exception &) { }
    if (!ok)
        PostEvent(QStringLiteral("Ошибка в LoadConfig"));
}

void SaveConfig(const QString &path, const TFrameSettings &s)
{
    try {
        // The file holds the scrambled password: nobody else may read it.
        if (!CreatePrivateFile(path))
            throw TIniFileError("cannot create the settings file");
        TIniFile ini(path);
        ini.WriteString(Main, QStringLiteral("Caption"), s.Caption);
        ini.WriteInteger(Main, QStringLiteral("FirstChangeStart"), FirstChangeStart);
        ini.WriteInteger(Main, QStringLiteral("DateIncrement"), DateIncrement);
        ini.WriteBool(Main, QStringLiteral("ShutdownOnExit"), ShutdownOnExit);
        ini.WriteString(MySql, QStringLiteral("Login"), s.Login);
        ini.WriteString(MySql, QStringLiteral("Comp"), s.Comp);
        // A station on one server keeps the file it always had.
        if (!s.ReadFrom.isEmpty() || ini.ValueExists(MySql, QStringLiteral("ReadFrom")))
            ini.WriteString(MySql, QStringLiteral("ReadFrom"), s.ReadFrom);
        ini.WriteInteger(MySql, QStringLiteral("Version"), s.Version);
        ini.WriteBool(MySql, QStringLiteral("SavePassword"), s.SavePassword);
        if (!s.SavePassword)
            ini.WriteString(MySql, QStringLiteral("Password"), QString());
        else if (!s.Password.isEmpty())
            ini.WriteString(MySql, QStringLiteral("Password"), ScramblePassword(s.Password));
    } catch (const std::exception &) {
        PostEvent(QStringLiteral("Ошибка в SaveConfig()"));
    }
}
