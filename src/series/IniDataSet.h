#pragma once

#include "base/Moment.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <memory>
#include <vector>

class TIniDataSet;
class TRecordFile;

// Typed access to one value of the dataset's current record. The value is cached as text; writes go
// to the current record's section of the open file and change the cached text only when stored.
class TIniField : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString AsString READ GetAsString WRITE SetAsString)
    Q_PROPERTY(double AsFloat READ GetAsFloat WRITE SetAsFloat)
    Q_PROPERTY(int AsInteger READ GetAsInteger WRITE SetAsInteger)
    Q_PROPERTY(bool AsBool READ GetAsBool WRITE SetAsBool)
    Q_PROPERTY(double AsDateTime READ GetAsDateTime WRITE SetAsDateTime)

public:
    TIniField(TIniDataSet *dataSet, const QString &fieldName);

    const QString &FieldName() const { return m_fieldName; }

    QString GetAsString() const { return m_value; }
    void SetAsString(const QString &value);
    double GetAsFloat() const;
    void SetAsFloat(double value);
    int GetAsInteger() const; // truncated toward zero, clamped to the int range
    void SetAsInteger(int value);
    bool GetAsBool() const;
    void SetAsBool(bool value);
    TMoment GetAsDateTime() const;
    void SetAsDateTime(TMoment value); // the cached text only; nothing is written

    // Reloads the cached text from the current record; false when the dataset has no open file.
    bool Refresh();

private:
    TIniDataSet *m_dataSet;
    QString m_fieldName;
    QString m_value;
};

// A time series kept in a tree of small INI files: one day folder per day (DayToDir), one file per
// table and hour (HourToFile) or day. Each file has a "Header" section with "RecordCount" and the
// record times "R0", "R1", ... and one section "R<k>" per record holding its field values as text.
// Opening lists every record found under RootDir (optionally only those within a time range) and
// puts a cursor on the first; Append adds a record to the file of its time.
//
// Field objects belong to the dataset: closing it or replacing FieldList destroys them.
class TIniDataSet : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool AppendMode READ GetAppendMode WRITE SetAppendMode)
    Q_PROPERTY(QString RootDir READ GetRootDir WRITE SetRootDir)
    Q_PROPERTY(QString TableName READ GetTableName WRITE SetTableName)
    Q_PROPERTY(bool DayToDir READ GetDayToDir WRITE SetDayToDir)
    Q_PROPERTY(bool HourToFile READ GetHourToFile WRITE SetHourToFile)
    Q_PROPERTY(double RangeMin READ GetRangeMin WRITE SetRangeMin)
    Q_PROPERTY(double RangeMax READ GetRangeMax WRITE SetRangeMax)
    Q_PROPERTY(bool RangeIsOn READ GetRangeIsOn WRITE SetRangeIsOn)
    Q_PROPERTY(int LocalRecordCount READ GetLocalRecordCount)
    Q_PROPERTY(int LocalRecordNumber READ GetLocalRecordNumber)
    Q_PROPERTY(int RecordNumber READ GetRecordNumber)
    Q_PROPERTY(bool Active READ GetActive WRITE SetActive)
    Q_PROPERTY(QString FileExt READ GetFileExt WRITE SetFileExt)
    Q_PROPERTY(int RecordCount READ GetRecordCount)
    Q_PROPERTY(bool DinamicFieldList READ GetDinamicFieldList WRITE SetDinamicFieldList)
    Q_PROPERTY(QStringList FieldList READ GetFieldList WRITE SetFieldList)

public:
    static constexpr int MaxFieldCount = 50;

    explicit TIniDataSet(QObject *parent = nullptr);
    ~TIniDataSet() override;

    bool GetAppendMode() const { return m_appendMode; }
    void SetAppendMode(bool value) { m_appendMode = value; }
    QString GetRootDir() const { return m_rootDir; }
    void SetRootDir(const QString &value) { m_rootDir = value; }
    QString GetTableName() const { return m_tableName; }
    void SetTableName(const QString &value) { m_tableName = value; }
    bool GetDayToDir() const { return m_dayToDir; }
    void SetDayToDir(bool value) { m_dayToDir = value; }
    bool GetHourToFile() const { return m_hourToFile; }
    void SetHourToFile(bool value) { m_hourToFile = value; }
    TMoment GetRangeMin() const { return m_rangeMin; }
    void SetRangeMin(TMoment value) { m_rangeMin = value; }
    TMoment GetRangeMax() const { return m_rangeMax; }
    void SetRangeMax(TMoment value) { m_rangeMax = value; }
    bool GetRangeIsOn() const { return m_rangeIsOn; }
    void SetRangeIsOn(bool value) { m_rangeIsOn = value; }
    int GetLocalRecordCount() const { return m_localRecordCount; }
    int GetLocalRecordNumber() const { return m_localRecordNumber; }
    int GetRecordNumber() const { return m_recordNumber; }
    bool GetActive() const { return m_active; }
    void SetActive(bool value);
    QString GetFileExt() const { return m_fileExt; }
    void SetFileExt(const QString &value) { m_fileExt = value; }
    int GetRecordCount() const { return m_recordCount; }
    bool GetDinamicFieldList() const { return m_dinamicFieldList; }
    void SetDinamicFieldList(bool value) { m_dinamicFieldList = value; }
    QStringList GetFieldList() const { return m_fieldList; }
    // Replaces the names and every field object. Refused (false, nothing changed) for more than
    // MaxFieldCount names or a name that cannot be an INI key.
    bool SetFieldList(const QStringList &names);

    bool Append(TMoment time);
    bool First();
    bool Last();
    bool Next();
    bool Prior();
    bool GotoRecordNumber(int n);
    bool SetRange(TMoment min, TMoment max);
    bool CancelRange();
    bool ReloadRecord();
    bool Refresh();
    TIniField *FieldByName(const QString &name) const;
    bool SetFieldValByName(const QString &name, const QString &value);
    QString GetFieldValByName(const QString &name);
    QString FolderNameByTime(TMoment time) const;
    QString FileNameByTime(TMoment time) const;
    static double StringToDouble(const QString &text);
    // False when the folder cannot be read.
    bool ReloadRecordList(const QString &folder, bool clear);
    bool DetectLocalRecordNumber();
    bool Delete();

private:
    friend class TIniField;

    void Open();
    void Close();
    void CreateFields();
    bool HasOpenFile() const { return m_file != nullptr; }
    void SwitchFile(const QString &fileName);
    QString HeaderKey(int k) const;
    int SearchHeader(const QString &key, bool &damaged) const;
    int ScanHeader(const QString &key) const;
    bool ListFolder(const QString &folder, bool nested, QSet<QString> &visited);
    void ListFile(const QString &fileName);
    bool DayFolderInRange(const QString &name) const;
    bool IsTableFile(const QString &name) const;
    void AddToRecordList(const QString &key);
    QString ReadCurrent(const QString &name) const;
    bool WriteCurrent(const QString &name, const QString &value);

    bool m_appendMode = true;
    QString m_rootDir;
    QString m_tableName;
    bool m_dayToDir = true;
    bool m_hourToFile = true;
    TMoment m_rangeMin = 0;
    TMoment m_rangeMax = 0;
    bool m_rangeIsOn = false;
    int m_localRecordCount = 0;
    int m_localRecordNumber = 0;
    int m_recordNumber = 0;
    bool m_active = false;
    QString m_fileExt = QStringLiteral(".VBD");
    int m_recordCount = 0;
    bool m_dinamicFieldList = false;
    QStringList m_fieldList {QStringLiteral("RecordTime")};

    QStringList m_records; // record time texts in discovery order
    QHash<QString, int> m_firstIndex; // folded record time text -> its first index in m_records
    TMoment m_currentTime = 0; // time of the current record
    QString m_section = QStringLiteral("R0");
    std::unique_ptr<TRecordFile> m_file; // the file of the current or last appended record
    std::vector<std::unique_ptr<TIniField>> m_fields;
};
