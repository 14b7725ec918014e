#include "Global.h"

#include "Paths.h"

QString TempDir;
QString TemplateDir;
int FirstChangeStart = 7;
int DateIncrement = 0;
bool ShutdownOnExit = false;
bool InteractiveSetup = false;

void SetDefaultFolders()
{
    TempDir = DataFolder() + QStringLiteral("/Temp");
    TemplateDir = TemplateFolderDefault();
}
