#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

// Raised when an INI file cannot be written.
class TIniFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An INI file with private-profile semantics: sections and keys are case-insensitive, a missing key
// gives the default, every write goes to disk at once; the text is "[Section]" and "Key=Value"
// lines in UTF-8. A missing, unreadable, corrupt or binary file reads as (partly) empty; it never
// crashes. Writes raise TIniFileError when the file cannot be written.
class TIniFile
{
public:
    explicit TIniFile(const QString &fileName);

    QString FileName() const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    double ReadFloat(const QString &section, const QString &key, double def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteFloat(const QString &section, const QString &key, double value);
    void WriteBool(const QString &section, const QString &key, bool value);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString &section) const; // the keys of a section
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);

private:
    // implementation chosen by its author
};
