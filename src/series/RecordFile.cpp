#include "RecordFile.h"

#include "base/IniText.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 RealTimeNs()
{
    timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// How long a time stamp may fail to tell two writes apart: the file system's granularity (two
// seconds on the coarsest) and the lag of the clock that stamps files.
constexpr qint64 StampUncertaintyNs = 2'000'000'000;

} // namespace

TRecordFile::TRecordFile(const QString &fileName)
    : m_fileName(fileName)
{
    Clear();
}

TRecordFile::~TRecordFile()
{
    CloseWriter();
}

void TRecordFile::CloseWriter()
{
    if (m_writer >= 0)
        ::close(m_writer);
    m_writer = -1;
}

void TRecordFile::Clear()
{
    m_sections.clear();
    m_sections.emplace_back().headed = false;
    m_sectionIndex.clear();
    m_bom = false;
    m_offsets.clear();
    m_layoutKnown = false;
    m_dirtyFrom = -1;
}

void TRecordFile::Invalidate()
{
    m_loaded = false;
    m_layoutKnown = false;
    m_dirtyFrom = -1;
    CloseWriter();
}

bool TRecordFile::IdentityOf(int fd, Identity &identity)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return false;
    identity = Identity {true, st.st_dev, st.st_ino, st.st_size,
                         qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    return true;
}

bool TRecordFile::Sync()
{
    struct stat st;
    if (::stat(QFile::encodeName(m_fileName).constData(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            Clear();
            m_readable = false;
            Invalidate();
            return false;
        }
        // Missing (perhaps its folder vanished): empty, and the next write creates it anew.
        if (!m_loaded || m_identity.exists)
            Clear();
        m_identity = Identity {};
        m_loaded = true;
        m_readable = true;
        CloseWriter();
        return true;
    }
    const Identity onDisk {true, st.st_dev, st.st_ino, st.st_size,
                           qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    const qint64 checkedNs = RealTimeNs();
    if (m_loaded && m_readable && onDisk == m_identity) {
        // Unwritten changes are kept as they are; the dataset syncs before it writes.
        if (m_dirtyFrom >= 0 || onDisk.mtimeNs < m_matchedSinceNs - StampUncertaintyNs)
            return true;
        if (TextMatches()) {
            m_matchedSinceNs = checkedNs;
            return true;
        }
    }

    Clear();
    QFile file(m_fileName);
    Identity read;
    if (S_ISDIR(st.st_mode) || !file.open(QIODevice::ReadOnly)
        || !IdentityOf(file.handle(), read)) {
        m_readable = false;
        Invalidate();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Clear();
        m_readable = false;
        Invalidate();
        return false;
    }
    Parse(data);
    if (m_writer >= 0 && (read.inode != m_identity.inode || read.device != m_identity.device))
        CloseWriter(); // the file was replaced: write to the new one
    m_identity = read;
    m_matchedSinceNs = checkedNs;
    m_loaded = true;
    m_readable = true;
    return true;
}

bool TRecordFile::TextMatches()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray onDisk = file.readAll();
    QByteArray text;
    text.reserve(onDisk.size());
    for (int i = 0; i < int(m_sections.size()); ++i)
        AppendSectionText(i, text);
    return file.error() == QFileDevice::NoError && text == onDisk;
}

void TRecordFile::Parse(const QByteArray &data, const QString &stopAfter)
{
    qsizetype pos = 0;
    if (data.startsWith(IniBom())) {
        m_bom = true;
        pos = IniBom().size();
    }
    const qsizetype firstEol = data.indexOf('\n', pos);
    if (firstEol > pos && data[firstEol - 1] == '\r')
        m_eol = "\r\n";
    else if (firstEol >= 0)
        m_eol = "\n";

    QString name;
    for (QByteArray raw; NextIniLine(data, pos, raw);) {
        if (ParseIniHeader(raw, name)) {
            if (!stopAfter.isEmpty() && m_sectionIndex.contains(FoldIniName(stopAfter)))
                return;
            const QString folded = FoldIniName(name);
            if (!m_sectionIndex.contains(folded)) // the first of duplicates wins
                m_sectionIndex.insert(folded, int(m_sections.size()));
            m_sections.push_back(Section {true, name, raw, {}, {}, {}});
            continue;
        }
        Section &current = m_sections.back();
        Line line;
        line.raw = raw;
        if (current.headed && ParseIniEntry(raw, line.key, line.value) == TIniLine::Entry) {
            line.entry = true;
            if (!current.keys.contains(FoldIniName(line.key)))
                current.keys.insert(FoldIniName(line.key), int(current.lines.size()));
        }
        current.lines.push_back(std::move(line));
    }
}

QList<QPair<QString, QString>> TRecordFile::ReadSectionOf(const QString &fileName,
                                                          const QString &section)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TRecordFile parsed(fileName);
    parsed.Parse(file.readAll(), section);
    return parsed.ReadSectionValues(section);
}

const TRecordFile::Section *TRecordFile::Find(const QString &section) const
{
    const auto it = m_sectionIndex.constFind(FoldIniName(section));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[*it];
}

QString TRecordFile::ReadString(const QString &section, const QString &key) const
{
    const Section *s = Find(section);
    if (!s)
        return QString();
    const auto it = s->keys.constFind(FoldIniName(key));
    return it == s->keys.cend() ? QString() : s->lines[*it].value;
}

int TRecordFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    int value = 0;
    return ParseIniInteger(ReadString(section, key), value) ? value : def;
}

bool TRecordFile::ValueExists(const QString &section, const QString &key) const
{
    const Section *s = Find(section);
    return s && s->keys.contains(FoldIniName(key));
}

bool TRecordFile::SectionExists(const QString &section) const
{
    return Find(section) != nullptr;
}

QList<QPair<QString, QString>> TRecordFile::ReadSectionValues(const QString &section) const
{
    QList<QPair<QString, QString>> values;
    if (const Section *s = Find(section)) {
        for (const Line &line : s->lines) {
            if (line.entry)
                values.append({line.key, line.value});
        }
    }
    return values;
}

int TRecordFile::AddSection(const QString &name)
{
    // A blank line before each new section, as INI files are usually laid out.
    const int last = int(m_sections.size()) - 1;
    Section &previous = m_sections[last];
    const bool empty = !previous.headed && previous.lines.empty();
    if (!empty && (previous.lines.empty() || !previous.lines.back().raw.trimmed().isEmpty())) {
        previous.lines.push_back(Line {});
        previous.text.clear();
        m_dirtyFrom = m_dirtyFrom < 0 ? last : std::min(m_dirtyFrom, last);
    }
    Section section;
    section.name = name;
    section.headerRaw = '[' + name.toUtf8() + ']';
    m_sections.push_back(std::move(section));
    m_sectionIndex.insert(FoldIniName(name), last + 1);
    return last + 1;
}

void TRecordFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const auto found = m_sectionIndex.constFind(FoldIniName(section));
    const int index = found == m_sectionIndex.cend() ? AddSection(section) : *found;
    Section &s = m_sections[index];
    const QString encoded = EncodeIniValue(value);
    // The value as the file reads back; the same string unless quotes were added.
    const QString stored =
        encoded.size() == value.size() ? encoded : UnquoteIniValue(encoded).toString();
    const auto it = s.keys.constFind(FoldIniName(key));
    if (it != s.keys.cend()) {
        Line &line = s.lines[*it];
        if (line.value == stored)
            return;
        line.value = stored;
        line.raw = line.key.toUtf8() + '=' + encoded.toUtf8();
    } else {
        // After the last entry, so blank lines and comments closing the section stay below it;
        // only entries are indexed, hence no index moves.
        auto at = std::find_if(s.lines.rbegin(), s.lines.rend(), [](const Line &l) {
                      return l.entry;
                  }).base();
        const int position = int(at - s.lines.begin());
        s.lines.insert(at, Line {key.toUtf8() + '=' + encoded.toUtf8(), true, key, stored});
        s.keys.insert(FoldIniName(key), position);
    }
    s.text.clear();
    m_dirtyFrom = m_dirtyFrom < 0 ? index : std::min(m_dirtyFrom, index);
}

void TRecordFile::AppendSectionText(int index, QByteArray &text)
{
    Section &s = m_sections[index];
    if (s.text.isEmpty()) {
        if (index == 0 && m_bom)
            s.text += IniBom();
        if (s.headed)
            s.text += s.headerRaw + m_eol;
        for (const Line &line : s.lines) {
            s.text += line.raw;
            s.text += m_eol;
        }
    }
    text += s.text;
}

bool TRecordFile::WriteAt(qint64 offset, const QByteArray &text)
{
    const char *data = text.constData();
    qint64 left = text.size();
    while (left > 0) {
        const ssize_t done = ::pwrite(m_writer, data, size_t(left), off_t(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        offset += done;
        left -= done;
    }
    return true;
}

bool TRecordFile::Flush()
{
    if (m_dirtyFrom < 0)
        return true;
    if (!m_readable) {
        Invalidate();
        return false;
    }
    if (m_writer < 0) {
        m_writer =
            ::open(QFile::encodeName(m_fileName).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_writer < 0) {
            Invalidate();
            return false;
        }
    }
    // Sections added since the last write have no offset yet; the last written section's is
    // known, so the text is written from there (it costs that one section's size at most).
    const int from =
        m_layoutKnown ? std::max(0, std::min(m_dirtyFrom, int(m_offsets.size()) - 1)) : 0;
    const qint64 start = from == 0 ? 0 : m_offsets[from];
    m_offsets.resize(m_sections.size());
    QByteArray text;
    text.reserve(m_lastWriteSize);
    for (int i = from; i < int(m_sections.size()); ++i) {
        m_offsets[i] = start + text.size();
        AppendSectionText(i, text);
    }
    const qint64 end = start + text.size();
    m_lastWriteSize = text.size();
    const qint64 writtenNs = RealTimeNs();
    Identity written;
    if (!WriteAt(start, text) || (end < m_identity.size && ::ftruncate(m_writer, end) != 0)
        || !IdentityOf(m_writer, written)) {
        Invalidate();
        return false;
    }
    m_identity = written;
    m_matchedSinceNs = writtenNs;
    m_layoutKnown = true;
    m_dirtyFrom = -1;
    return true;
}
