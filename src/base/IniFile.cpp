#include "IniFile.h"

#include "Formats.h"
#include "IniText.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>
#include <sys/stat.h>

// Names that would read back as something else are refused rather than written into a file they
// would corrupt.
static void CheckNames(const QString &section, const QString &key)
{
    if (!IsIniSectionName(section))
        throw TIniFileError("invalid INI section name: " + section.toStdString());
    if (!IsIniKeyName(key))
        throw TIniFileError("invalid INI key name: " + key.toStdString());
}

TIniFile::Stamp TIniFile::CurrentStamp() const
{
    struct stat st;
    // Only regular files are read: a device or pipe given as a file name reads as empty.
    if (::stat(QFile::encodeName(m_fileName).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {true, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            quint64(st.st_ino)};
}

TIniFile::TIniFile(const QString &fileName)
    : m_fileName(QString(fileName).replace(u'\\', u'/'))
{ }

QString TIniFile::FileName() const
{
    return m_fileName;
}

void TIniFile::Refresh() const
{
    const Stamp now = CurrentStamp();
    if (m_loaded && now == m_stamp)
        return;

    QByteArray data;
    QFile file(m_fileName);
    if (now.exists && file.open(QIODevice::ReadOnly))
        data = file.readAll();
    m_bom = data.startsWith(IniBom());
    m_lines.clear();
    qsizetype pos = m_bom ? IniBom().size() : 0;
    for (QByteArray line; NextIniLine(data, pos, line);)
        m_lines.append(line);
    m_stamp = now;
    m_loaded = true;
    ParseHeaders();
}

void TIniFile::ParseHeaders() const
{
    m_sections.clear();
    m_sectionIndex.clear();
    QString name;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (!ParseIniHeader(m_lines[i], name))
            continue;
        if (!m_sections.isEmpty())
            m_sections.last().endLine = i;
        const QString folded = FoldIniName(name);
        if (!m_sectionIndex.contains(folded))
            m_sectionIndex.insert(folded, int(m_sections.size()));
        m_sections.append({name, i, int(m_lines.size()), false, -1, {}, {}});
    }
}

// Writes the whole text to a temporary file beside the target and renames it over the target, so
// a crash never leaves half a file; the permissions of an existing file are kept. There is no sync
// to disk: a layout save makes hundreds of small writes and a sync each would freeze the window
// for seconds. A folder that takes no new files is still written, though then in place.
static bool WriteReplacing(const QString &path, const QByteArray &data, QString &error)
{
    const QFileInfo info(path);
    QTemporaryFile temp(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                        + QStringLiteral(".XXXXXX"));
    if (temp.open() && temp.write(data) == data.size() && temp.flush()) {
        temp.setPermissions(info.exists() ? QFile::permissions(path)
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                    | QFile::ReadOther);
        temp.close();
        if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                        QFile::encodeName(path).constData())
            == 0) {
            temp.setAutoRemove(false);
            return true;
        }
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size()
        && file.flush())
        return true;
    error = file.errorString();
    return false;
}

void TIniFile::Save()
{
    QByteArray data = m_bom ? IniBom() : QByteArray();
    for (const QByteArray &line : std::as_const(m_lines))
        data += line + "\r\n";

    struct stat st;
    if (::stat(QFile::encodeName(m_fileName).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        m_loaded = false;
        throw TIniFileError("not a regular file: " + m_fileName.toStdString());
    }
    QString error;
    if (!WriteReplacing(m_fileName, data, error)) {
        m_loaded = false; // the next read sees the file as it is on disk
        throw TIniFileError(
            QStringLiteral("cannot write %1: %2").arg(m_fileName, error).toStdString());
    }
    // The lines in memory are the file just written: take its stamp so the next read keeps them.
    m_stamp = CurrentStamp();
}

TIniFile::Section *TIniFile::FindSection(const QString &section) const
{
    Refresh();
    const auto it = m_sectionIndex.constFind(FoldIniName(section.trimmed()));
    if (it == m_sectionIndex.cend())
        return nullptr;
    Section &s = m_sections[*it];
    if (s.parsed)
        return &s;
    s.parsed = true;
    s.lastLine = s.headerLine;
    QString key, value;
    for (int i = s.headerLine + 1; i < s.endLine; ++i) {
        const TIniLine kind = ParseIniEntry(m_lines[i], key, value);
        if (kind != TIniLine::Blank)
            s.lastLine = i;
        if (kind != TIniLine::Entry)
            continue;
        const QString folded = FoldIniName(key);
        if (!s.index.contains(folded))
            s.index.insert(folded, int(s.entries.size()));
        s.entries.append({key, value, i});
    }
    return &s;
}

TIniFile::Entry *TIniFile::FindEntry(const QString &section, const QString &key) const
{
    Section *s = FindSection(section);
    if (!s)
        return nullptr;
    const auto it = s->index.constFind(FoldIniName(key.trimmed()));
    return it == s->index.cend() ? nullptr : &s->entries[*it];
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const Entry *entry = FindEntry(section, key);
    return entry ? entry->value : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    int value = 0;
    const Entry *entry = FindEntry(section, key);
    return entry && ParseIniInteger(entry->value, value) ? value : def;
}

double TIniFile::ReadFloat(const QString &section, const QString &key, double def) const
{
    double value = 0;
    const Entry *entry = FindEntry(section, key);
    return entry && TryStrToFloatTolerant(entry->value, value) && std::isfinite(value) ? value
                                                                                       : def;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    CheckNames(section, key);
    const QString encoded = EncodeIniValue(value);
    const Section *s = FindSection(section);
    if (!s) {
        m_lines.append((u'[' + section + u']').toUtf8());
        m_lines.append((key + u'=' + encoded).toUtf8());
        ParseHeaders();
    } else if (Entry *entry = FindEntry(section, key)) {
        // The common case, a new value for a key, keeps every line number and parsed section.
        m_lines[entry->line] = (entry->key + u'=' + encoded).toUtf8();
        entry->value = UnquoteIniValue(encoded).toString();
    } else {
        m_lines.insert(s->lastLine + 1, (key + u'=' + encoded).toUtf8());
        ParseHeaders();
    }
    Save();
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteFloat(const QString &section, const QString &key, double value)
{
    WriteString(section, key, FloatToStr(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString &section) const
{
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return FindEntry(section, key) != nullptr;
}

QStringList TIniFile::ReadSections() const
{
    Refresh();
    QStringList names;
    for (int i = 0; i < m_sections.size(); ++i)
        if (m_sectionIndex.value(FoldIniName(m_sections[i].name)) == i)
            names.append(m_sections[i].name);
    return names;
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    QStringList keys;
    if (const Section *s = FindSection(section))
        for (int i = 0; i < s->entries.size(); ++i)
            if (s->index.value(FoldIniName(s->entries[i].key)) == i)
                keys.append(s->entries[i].key);
    return keys;
}

void TIniFile::EraseSection(const QString &section)
{
    Refresh();
    const QString folded = FoldIniName(section.trimmed());
    bool erased = false;
    // From the last section backwards, so the line numbers of those still to erase stay valid.
    for (qsizetype i = m_sections.size() - 1; i >= 0; --i) {
        if (FoldIniName(m_sections[i].name) != folded)
            continue;
        const int end =
            i + 1 < m_sections.size() ? m_sections[i + 1].headerLine : int(m_lines.size());
        m_lines.remove(m_sections[i].headerLine, end - m_sections[i].headerLine);
        erased = true;
    }
    if (!erased)
        return;
    ParseHeaders();
    Save();
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    const Section *s = FindSection(section);
    if (!s)
        return;
    const QString folded = FoldIniName(key.trimmed());
    QList<int> lines;
    for (const Entry &entry : s->entries)
        if (FoldIniName(entry.key) == folded)
            lines.prepend(entry.line);
    if (lines.isEmpty())
        return;
    for (int line : std::as_const(lines))
        m_lines.removeAt(line);
    ParseHeaders();
    Save();
}
