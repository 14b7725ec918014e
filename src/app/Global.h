#pragma once

#include <QString>

// Process-wide values shared by the windows; the settings file loads and stores them.
extern QString TempDir; // generated report files; empty until SetDefaultFolders()
extern QString TemplateDir; // report templates; empty until SetDefaultFolders()
extern int FirstChangeStart; // hour at which the first shift begins
extern int DateIncrement; // days added to a date to reach its working day
extern bool ShutdownOnExit; // power the computer off when the program ends
extern bool InteractiveSetup; // clicking an element opens its editor

// Sets TempDir and TemplateDir to their defaults, which depend on where the program was placed
// (so they are not fixed at static initialisation): DataFolder() + "/Temp" and
// TemplateFolderDefault(). The main frame calls it before loading the settings.
void SetDefaultFolders();
