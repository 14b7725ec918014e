#pragma once

#include <QString>

// Where the program keeps its files on Linux. The settings, layout and colour files and the
// temporary folder live beside the executable when that folder is writable (a copy run from its
// build or unpack folder), else in the user's configuration folder (an installed copy).

// Folder of the running executable.
QString ProgramFolder();
// Folder for the files the program writes: ProgramFolder() when writable, else the user's
// configuration folder for this application (created when missing).
QString DataFolder();
// DataFolder() + "/" + executable base name + ".INI".
QString SettingsFilePath();
// Report templates: "Template" in DataFolder(), where the operator may edit them; the program
// copies its own there when missing.
QString TemplateFolderDefault();

// Creates the file empty and readable and writable by its owner only, unless it exists already.
// Returns false when it cannot be created.
bool CreatePrivateFile(const QString &path);
