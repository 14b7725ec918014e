#pragma once

#include <QByteArrayList>
#include <QHash>
#include <QList>
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
    struct Entry
    {
        QString key; // the first spelling written
        QString value;
        int line;
    };
    // The entries of a section are parsed on its first use: a large file whose reader wants one
    // section costs a scan for the headers only.
    struct Section
    {
        QString name;
        int headerLine;
        int endLine; // the next header, or the end of the file
        bool parsed = false;
        int lastLine = -1; // the last non-blank line (the header when there is none)
        QList<Entry> entries;
        QHash<QString, int> index; // case-folded key -> first entry
    };
    // Identifies the file version the cache was read from; a save replaces the file, so the inode
    // changes with every write as well.
    struct Stamp
    {
        bool exists = false;
        qint64 size = -1;
        qint64 mtimeNs = -1;
        quint64 inode = 0;
        bool operator==(const Stamp &) const = default;
    };

    Stamp CurrentStamp() const;
    void Refresh() const;
    void ParseHeaders() const;
    void Save();
    // The first section of that name, its entries parsed; nullptr when there is none.
    Section *FindSection(const QString &section) const;
    Entry *FindEntry(const QString &section, const QString &key) const;

    QString m_fileName;
    // The file as lines of raw bytes, so lines this class does not touch are written back as they
    // were.
    mutable QByteArrayList m_lines;
    mutable bool m_bom = false;
    mutable QList<Section> m_sections;
    mutable QHash<QString, int> m_sectionIndex; // case-folded name -> first section
    mutable Stamp m_stamp;
    mutable bool m_loaded = false;
};
