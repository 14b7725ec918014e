#include "IniDataSet.h"

#include "RecordFile.h"
#include "base/Feedback.h"
#include "base/Formats.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <climits>
#include <cmath>
#include <map>

namespace {

const QString headerSection = QStringLiteral("Header");
const QString recordCountKey = QStringLiteral("RecordCount");
const QString recordTimeField = QStringLiteral("RecordTime");

// A listed range takes records up to half a second beyond either bound.
constexpr double RangeTolerance = 0.5 * OneSecond;

// Moments from 31 Dec 1899 to the end of year 9999: the span day folders and hour files can name.
constexpr double lastMoment = 2958466.0;

QString Fold(const QString &text)
{
    return text.toCaseFolded();
}

QString RecordSection(int k)
{
    return QLatin1Char('R') + QString::number(k);
}

// A line break or NUL inside a value or key would end the INI line and let the rest of the text
// pose as further keys or sections.
bool FitsOnOneLine(const QString &text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))
        && !text.contains(QChar(0));
}

bool IsValidFieldName(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && FitsOnOneLine(name)
        && !name.contains(QLatin1Char('=')) && !name.startsWith(QLatin1Char('['))
        && !name.startsWith(QLatin1Char(';'));
}

// A table name or extension is part of a file name; anything that could leave the folder is
// refused.
bool IsValidNamePart(const QString &part)
{
    return FitsOnOneLine(part) && !part.contains(QLatin1Char('/')) && part != QLatin1String(".")
        && part != QLatin1String("..");
}

void ErrorBox(const QString &text)
{
    Feedback().MessageBox(text, QStringLiteral("Error"), TMsgIcon::Error, mbOK, mbOK);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TIniField

TIniField::TIniField(TIniDataSet *dataSet, const QString &fieldName)
    : m_dataSet(dataSet)
    , m_fieldName(fieldName)
{ }

void TIniField::SetAsString(const QString &value)
{
    if (m_dataSet->WriteCurrent(m_fieldName, value))
        m_value = value;
}

double TIniField::GetAsFloat() const
{
    return TIniDataSet::StringToDouble(m_value);
}

void TIniField::SetAsFloat(double value)
{
    SetAsString(FormatFloat(QStringLiteral("####0.#######"), value));
}

int TIniField::GetAsInteger() const
{
    const double value = std::trunc(TIniDataSet::StringToDouble(m_value));
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value);
}

void TIniField::SetAsInteger(int value)
{
    SetAsString(QString::number(value));
}

bool TIniField::GetAsBool() const
{
    return GetAsInteger() != 0;
}

void TIniField::SetAsBool(bool value)
{
    SetAsString(value ? QStringLiteral("1") : QStringLiteral("0"));
}

TMoment TIniField::GetAsDateTime() const
{
    return TIniDataSet::StringToDouble(m_value);
}

void TIniField::SetAsDateTime(TMoment value)
{
    m_value = FloatToStr(value);
}

bool TIniField::Refresh()
{
    if (!m_dataSet->HasOpenFile())
        return false;
    if (m_fieldName.compare(recordTimeField, Qt::CaseInsensitive) == 0)
        m_value = FloatToStr(m_dataSet->m_currentTime);
    else
        m_value = m_dataSet->ReadCurrent(m_fieldName);
    return true;
}

// ---------------------------------------------------------------------------------------------
// TIniDataSet: properties, open and close

TIniDataSet::TIniDataSet(QObject *parent)
    : QObject(parent)
{
    CreateFields();
}

TIniDataSet::~TIniDataSet() = default;

bool TIniDataSet::SetFieldList(const QStringList &names)
{
    if (names.size() > MaxFieldCount
        || !std::all_of(names.cbegin(), names.cend(), IsValidFieldName))
        return false;
    m_fieldList = names;
    CreateFields();
    return true;
}

void TIniDataSet::CreateFields()
{
    m_fields.clear();
    for (const QString &name : std::as_const(m_fieldList))
        m_fields.push_back(std::make_unique<TIniField>(this, name));
}

void TIniDataSet::SetActive(bool value)
{
    if (value == m_active)
        return;
    if (value)
        Open();
    else
        Close();
}

void TIniDataSet::Open()
{
    if (m_rootDir.isEmpty() || m_tableName.isEmpty() || !IsValidNamePart(m_tableName)
        || !IsValidNamePart(m_fileExt)) {
        ErrorBox(QStringLiteral("Set RootDir and TableName!"));
        return;
    }
    if (!QDir().mkpath(m_rootDir)) {
        ErrorBox(QStringLiteral("Invalid RootDir!"));
        return;
    }
    CreateFields();
    m_active = true;
    ReloadRecordList(m_rootDir, true);
    First();
}

void TIniDataSet::Close()
{
    m_file.reset();
    m_records.clear();
    m_firstIndex.clear();
    m_currentTime = 0;
    m_fields.clear();
    m_active = false;
}

// ---------------------------------------------------------------------------------------------
// Paths and numbers

QString TIniDataSet::FolderNameByTime(TMoment time) const
{
    if (!m_dayToDir)
        return m_rootDir;
    return m_rootDir + QLatin1Char('/') + FormatDateTime(QStringLiteral("yyyy_mm_dd"), time)
        + m_fileExt;
}

QString TIniDataSet::FileNameByTime(TMoment time) const
{
    QString name = m_tableName;
    if (m_hourToFile)
        name += FormatDateTime(QStringLiteral("hh"), time);
    return FolderNameByTime(time) + QLatin1Char('/') + name + m_fileExt;
}

double TIniDataSet::StringToDouble(const QString &text)
{
    if (text.isEmpty())
        return 0;
    double value = 0;
    bool ok = TryStrToFloat(text, value);
    if (!ok) {
        QString other = text;
        if (const qsizetype dot = other.indexOf(QLatin1Char('.')); dot >= 0) {
            other[dot] = QLatin1Char(',');
            ok = TryStrToFloat(other, value);
        } else if (const qsizetype comma = other.indexOf(QLatin1Char(',')); comma >= 0) {
            other[comma] = QLatin1Char('.');
            ok = TryStrToFloat(other, value);
        }
    }
    // Infinities and NaN are no numbers any record could hold.
    return ok && std::isfinite(value) ? value : 0;
}

// ---------------------------------------------------------------------------------------------
// The record list

bool TIniDataSet::ReloadRecordList(const QString &folder, bool clear)
{
    if (clear) {
        m_records.clear();
        m_firstIndex.clear();
        m_recordCount = 0;
    }
    QSet<QString> visited;
    return ListFolder(folder, !clear, visited);
}

bool TIniDataSet::ListFolder(const QString &folder, bool nested, QSet<QString> &visited)
{
    // A linked folder may lead back up the tree; each real folder is listed once.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical))
        return false;
    visited.insert(canonical);
    const QDir dir(folder);
    if (!dir.isReadable())
        return false;

    // By name, so days and hours come in time order whatever order the file system keeps.
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (entry.isDir()) {
            if (!name.endsWith(m_fileExt, Qt::CaseInsensitive)
                || (nested && !name.startsWith(m_tableName, Qt::CaseInsensitive)))
                continue;
            if (!m_rangeIsOn || DayFolderInRange(name))
                ListFolder(entry.filePath(), true, visited);
        } else if (IsTableFile(name)) {
            ListFile(entry.filePath());
        }
    }
    return true;
}

// Only the names this dataset writes (table name, optional two-digit hour, extension): another
// table whose name starts with ours ("T1" and "T11") keeps its records to itself.
bool TIniDataSet::IsTableFile(const QString &name) const
{
    const qsizetype middle = name.size() - m_tableName.size() - m_fileExt.size();
    if (middle < 0 || !name.startsWith(m_tableName, Qt::CaseInsensitive)
        || !name.endsWith(m_fileExt, Qt::CaseInsensitive))
        return false;
    if (middle == 0)
        return true;
    const QString hour = name.mid(m_tableName.size(), middle);
    return middle == 2 && hour[0].isDigit() && hour[1].isDigit();
}

bool TIniDataSet::DayFolderInRange(const QString &name) const
{
    // "yyyy_mm_dd" and the extension, whatever the extension's length.
    if (name.size() < 10 + m_fileExt.size())
        return false;
    bool yearOk = false, monthOk = false, dayOk = false;
    const int year = name.mid(0, 4).toInt(&yearOk);
    const int month = name.mid(5, 2).toInt(&monthOk);
    const int day = name.mid(8, 2).toInt(&dayOk);
    if (!yearOk || !monthOk || !dayOk || !QDate::isValid(year, month, day))
        return false;
    const TMoment start = EncodeMoment(year, month, day);
    const TMoment end = EncodeMoment(year, month, day, 23, 59, 59, 999);
    // The same half-second tolerance as the records themselves get (ListFile).
    return !(end < m_rangeMin - RangeTolerance || start > m_rangeMax + RangeTolerance);
}

void TIniDataSet::ListFile(const QString &fileName)
{
    const auto header = TRecordFile::ReadSectionOf(fileName, headerSection);
    int count = 0;
    for (const auto &[key, value] : header) {
        if (key.compare(recordCountKey, Qt::CaseInsensitive) == 0) {
            count = value.toInt(); // 0 when unreadable, as a missing count
            break;
        }
    }
    if (count <= 0)
        return;

    // The header keys "R0" ... "R<count-1>" in index order, taken from the keys present so that a
    // damaged count cannot make this loop run for billions of absent keys.
    std::map<int, QString> times;
    for (const auto &[key, value] : header) {
        if (key.size() < 2 || key[0].toUpper() != QLatin1Char('R'))
            continue;
        bool ok = false;
        const int k = key.mid(1).toInt(&ok);
        if (ok && k >= 0 && k < count && QString::number(k) == key.mid(1))
            times.emplace(k, value); // the first of duplicate keys wins
    }
    for (const auto &[k, text] : times) {
        if (text.isEmpty())
            continue;
        const double t = StringToDouble(text);
        if (t <= 0)
            continue;
        if (m_rangeIsOn && (t < m_rangeMin - RangeTolerance || t > m_rangeMax + RangeTolerance))
            continue;
        AddToRecordList(text);
    }
}

void TIniDataSet::AddToRecordList(const QString &key)
{
    const QString folded = Fold(key);
    if (!m_firstIndex.contains(folded))
        m_firstIndex.insert(folded, int(m_records.size()));
    m_records.append(key);
    ++m_recordCount;
}

// ---------------------------------------------------------------------------------------------
// Appending

bool TIniDataSet::Append(TMoment time)
{
    // Closed there is no tree to write to; times no file name can hold, or that would not be listed
    // on the next open, are refused rather than written to be lost.
    if (!m_active || !std::isfinite(time) || time <= 0 || time >= lastMoment)
        return false;
    if (m_rangeIsOn && (time < m_rangeMin || time > m_rangeMax))
        return false;
    const QString key = FloatToStr(time);
    if (!m_appendMode && m_firstIndex.contains(Fold(key)))
        return false;

    // The paths follow the stored text, so a record is found where a later cursor move looks.
    const TMoment stored = StringToDouble(key);
    if (!QDir().mkpath(FolderNameByTime(stored)))
        return false;
    SwitchFile(FileNameByTime(stored));
    if (!m_file->Sync())
        return false; // an existing file that cannot be read is never overwritten

    // A damaged count must not make the new record share a section with an old one.
    int number = std::max(0, m_file->ReadInteger(headerSection, recordCountKey, 0));
    while (number < INT_MAX - 1
           && (m_file->ValueExists(headerSection, RecordSection(number))
               || m_file->SectionExists(RecordSection(number))))
        ++number;
    if (number >= INT_MAX - 1)
        return false;

    const QString section = RecordSection(number);
    m_file->WriteString(headerSection, recordCountKey, QString::number(number + 1));
    m_file->WriteString(headerSection, section, key);
    for (int i = 1; i < m_fieldList.size(); ++i)
        m_file->WriteString(section, m_fieldList[i], QString());
    if (!m_file->Flush())
        return false;

    m_localRecordCount = number + 1;
    m_localRecordNumber = number;
    m_section = section;
    m_recordNumber = m_recordCount;
    AddToRecordList(key);
    return true;
}

void TIniDataSet::SwitchFile(const QString &fileName)
{
    if (!m_file || m_file->FileName() != fileName)
        m_file = std::make_unique<TRecordFile>(fileName);
}

// ---------------------------------------------------------------------------------------------
// The cursor

bool TIniDataSet::First()
{
    return GotoRecordNumber(0);
}

bool TIniDataSet::Last()
{
    return GotoRecordNumber(m_recordCount - 1);
}

bool TIniDataSet::Next()
{
    return GotoRecordNumber(m_recordNumber + 1);
}

bool TIniDataSet::Prior()
{
    if (m_recordNumber - 1 < 0)
        return false;
    return GotoRecordNumber(m_recordNumber - 1);
}

bool TIniDataSet::GotoRecordNumber(int n)
{
    if (!m_active || n < 0 || n >= m_records.size())
        return false;
    m_currentTime = StringToDouble(m_records[n]);
    m_recordNumber = n;
    if (!QDir().mkpath(FolderNameByTime(m_currentTime)))
        return false;
    SwitchFile(FileNameByTime(m_currentTime));
    DetectLocalRecordNumber();
    m_section = RecordSection(m_localRecordNumber);
    ReloadRecord();
    return true;
}

QString TIniDataSet::HeaderKey(int k) const
{
    return m_file->ReadString(headerSection, RecordSection(k));
}

bool TIniDataSet::DetectLocalRecordNumber()
{
    m_localRecordNumber = -1;
    if (!m_file || m_recordNumber < 0 || m_recordNumber >= m_records.size())
        return false;
    m_file->Sync();
    const QString &key = m_records[m_recordNumber];
    m_localRecordCount = m_file->ReadInteger(headerSection, recordCountKey, 0);
    if (m_localRecordCount < 1)
        return false;
    const QString first = HeaderKey(0);
    if (first.isEmpty())
        return false;

    int found = -1;
    if (first == key) {
        found = 0;
    } else if (!m_rangeIsOn) {
        // The whole file was listed together, in file order.
        const auto it = m_firstIndex.constFind(Fold(first));
        if (it != m_firstIndex.cend() && m_recordNumber - *it >= 0)
            found = m_recordNumber - *it;
    } else {
        bool damaged = false;
        found = SearchHeader(key, damaged);
        if (damaged) {
            ShowError(QStringLiteral("Файл поврежден!"));
            return false;
        }
    }
    // Records appended later to a file listed earlier, or out of time order, break the guesses
    // above; the header itself settles it.
    if (found < 0 || HeaderKey(found) != key)
        found = ScanHeader(key);
    m_localRecordNumber = found;
    return found >= 0;
}

// Binary search over the header's record times, compared as texts.
int TIniDataSet::SearchHeader(const QString &key, bool &damaged) const
{
    damaged = false;
    int lo = 0;
    QString loText = HeaderKey(lo);
    int hi = m_localRecordCount - 1;
    QString hiText = HeaderKey(hi);
    if (hiText == key)
        return hi;
    for (;;) {
        if (hi - lo <= 1)
            return loText == key ? lo : hiText == key ? hi : -1;
        const int mid = lo + (hi - lo) / 2;
        const QString s = HeaderKey(mid);
        if (s.isEmpty()) {
            damaged = true;
            return -1;
        }
        if (key > s) {
            lo = mid;
            loText = s;
        } else if (key != s) {
            hi = mid;
            hiText = s;
        } else {
            return mid;
        }
    }
}

int TIniDataSet::ScanHeader(const QString &key) const
{
    int found = -1;
    for (const auto &[name, value] : m_file->ReadSectionValues(headerSection)) {
        if (value != key || name.size() < 2 || name[0].toUpper() != QLatin1Char('R'))
            continue;
        bool ok = false;
        const int k = name.mid(1).toInt(&ok);
        if (ok && k >= 0 && k < m_localRecordCount && QString::number(k) == name.mid(1)
            && (found < 0 || k < found))
            found = k;
    }
    return found;
}

// ---------------------------------------------------------------------------------------------
// Ranges, refresh, values

bool TIniDataSet::SetRange(TMoment min, TMoment max)
{
    m_rangeMin = min;
    m_rangeMax = max;
    m_rangeIsOn = true;
    SetActive(false);
    SetActive(true);
    return true;
}

bool TIniDataSet::CancelRange()
{
    m_rangeIsOn = false;
    SetActive(false);
    SetActive(true);
    return true;
}

bool TIniDataSet::ReloadRecord()
{
    if (m_file)
        m_file->Sync();
    bool ok = HasOpenFile();
    for (const auto &field : m_fields)
        ok = field->Refresh() && ok;
    return ok;
}

bool TIniDataSet::Refresh()
{
    return ReloadRecord();
}

TIniField *TIniDataSet::FieldByName(const QString &name) const
{
    for (int i = 0; i < m_fieldList.size() && i < int(m_fields.size()); ++i) {
        if (m_fieldList[i].compare(name, Qt::CaseInsensitive) == 0)
            return m_fields[i].get();
    }
    return nullptr;
}

bool TIniDataSet::SetFieldValByName(const QString &name, const QString &value)
{
    if (!m_fieldList.contains(name, Qt::CaseInsensitive))
        return false;
    return WriteCurrent(name, value);
}

QString TIniDataSet::GetFieldValByName(const QString &name)
{
    if (!m_file || !m_fieldList.contains(name, Qt::CaseInsensitive))
        return QString();
    m_file->Sync();
    return ReadCurrent(name);
}

QString TIniDataSet::ReadCurrent(const QString &name) const
{
    return m_file ? m_file->ReadString(m_section, name) : QString();
}

// Values go only into the section the header gives to the current record: never into "R-1" of an
// unresolved record, nor into a file that vanished or was rewritten since the cursor got there.
bool TIniDataSet::WriteCurrent(const QString &name, const QString &value)
{
    if (!m_file || !FitsOnOneLine(value) || !m_file->Sync())
        return false;
    if (m_localRecordNumber < 0 || m_recordNumber < 0 || m_recordNumber >= m_records.size()
        || HeaderKey(m_localRecordNumber) != m_records[m_recordNumber])
        return false;
    m_file->WriteString(m_section, name, value);
    return m_file->Flush();
}

bool TIniDataSet::Delete()
{
    return m_active;
}
