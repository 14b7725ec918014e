#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <sys/types.h>
#include <vector>

// One data file of the dataset: an INI text ("[Section]" and "Key=Value" lines, UTF-8, section and
// key names without regard to letter case, the first of duplicates wins, values read as TIniFile
// reads them) held in memory and written through to disk.
//
// Reads are served from memory; Sync() re-reads the file when anything else changed it on disk, so
// several datasets (or processes) can share a tree the way private-profile files are shared. The
// file's size and time stamp tell a change only once the stamp's clock has moved on: while the
// stamp is recent, an edit of equal length may carry the same one, so the text itself is compared.
// Writes are collected and made durable by Flush(), which rewrites the text only from the first
// changed section on: filling in the newest record at the end of a file costs the size of that
// record, not of the file. Lines this class does not change keep their bytes, so comments and
// damaged lines of a foreign file survive a write.
class TRecordFile
{
public:
    explicit TRecordFile(const QString &fileName);
    ~TRecordFile();
    TRecordFile(const TRecordFile &) = delete;
    TRecordFile &operator=(const TRecordFile &) = delete;

    const QString &FileName() const { return m_fileName; }

    // Brings the memory up to date with the file on disk (a missing file is empty). False when the
    // file exists but cannot be read: it then reads as empty and refuses every write, so it is
    // never overwritten.
    bool Sync();

    QString ReadString(const QString &section, const QString &key) const; // empty when absent
    int ReadInteger(const QString &section, const QString &key, int def) const;
    bool ValueExists(const QString &section, const QString &key) const;
    bool SectionExists(const QString &section) const;
    // Every key of a section with its value, in file order.
    QList<QPair<QString, QString>> ReadSectionValues(const QString &section) const;

    // Every key and value of one section of a file (its first occurrence), read without keeping
    // the rest: a quick look at a file that is not going to be written. Empty when unreadable.
    static QList<QPair<QString, QString>> ReadSectionOf(const QString &fileName,
                                                        const QString &section);

    // Changes the memory only; Flush() writes the change.
    void WriteString(const QString &section, const QString &key, const QString &value);
    // Writes every change since the last flush. On failure the changes are dropped (the next Sync
    // reads the file again) and false is returned.
    bool Flush();

private:
    struct Line
    {
        QByteArray raw; // the line's bytes without its end-of-line
        bool entry = false;
        QString key;
        QString value;
    };
    struct Section
    {
        bool headed = true; // false only for the lines before the first section
        QString name;
        QByteArray headerRaw;
        std::vector<Line> lines;
        QHash<QString, int> keys; // folded key -> index of its first line
        QByteArray text; // the section's text as last written; empty when changed since
    };
    // What the file on disk looked like when memory last matched it.
    struct Identity
    {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        qint64 mtimeNs = 0;
        bool operator==(const Identity &) const = default;
    };

    void Clear();
    // Reads the text into sections; with stopAfter given, stops once that section is complete.
    void Parse(const QByteArray &data, const QString &stopAfter = QString());
    const Section *Find(const QString &section) const;
    int AddSection(const QString &name);
    void AppendSectionText(int index, QByteArray &text);
    void Invalidate();
    // True when the file's text is exactly the text memory would write.
    bool TextMatches();
    void CloseWriter();
    bool WriteAt(qint64 offset, const QByteArray &text);
    static bool IdentityOf(int fd, Identity &identity);

    QString m_fileName;
    std::vector<Section> m_sections; // [0] holds the lines before the first section
    QHash<QString, int> m_sectionIndex;
    QByteArray m_eol = "\r\n"; // new files get the line ends of classic INI files
    bool m_bom = false;
    bool m_loaded = false;
    bool m_readable = true;
    Identity m_identity;
    qint64 m_matchedSinceNs = 0; // memory matched the file since this moment (real-time clock)
    std::vector<qint64> m_offsets; // byte offset of each section in the file as last written
    bool m_layoutKnown = false; // m_offsets match the file (false after reading a foreign text)
    int m_dirtyFrom = -1; // first section changed since the last flush
    qsizetype m_lastWriteSize = 0; // a good guess for the next write's buffer
    int m_writer = -1; // descriptor kept open between writes; each write is one pwrite
};
