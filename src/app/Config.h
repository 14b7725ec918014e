#pragma once

#include <QString>
#include <functional>

// The settings the main frame keeps itself (the rest are the process-wide values of Global.h).
struct TFrameSettings
{
    QString Caption = QStringLiteral("КВ-512ТС/НК ( 1.19 )");
    QString Login = QStringLiteral("root");
    QString Comp = QStringLiteral("127.0.0.1");
    // Servers the reads come from, best first, comma-separated "host" or "host:port" (replicas
    // of Comp, the same login); empty: everything goes to Comp.
    QString ReadFrom;
    bool SavePassword = false;
    int Version = 5;
    QString Password;
};

// The database login prompt: shown with the login pre-filled; returns true on OK with the entered
// login and password, false on Cancel (leaving both as they were).
using TLoginPrompt = std::function<bool(QString &login, QString &password)>;

// Reads section main (into s and the process-wide values) and section MySQL, each key defaulting
// to the current value. Without a stored password the prompt is asked. A failure ends the reading
// where it happened and posts "Ошибка в LoadConfig".
void LoadConfig(const QString &path, TFrameSettings &s, const TLoginPrompt &prompt);
// Writes sections main and MySQL (never TempDir and TemplateDir); the password scrambled, only
// when it is to be saved; ReadFrom only when set or already in the file. A failure ends the writing
// and posts "Ошибка в SaveConfig()". A new file is created readable by its owner only.
void SaveConfig(const QString &path, const TFrameSettings &s);
