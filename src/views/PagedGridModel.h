#pragma once

#include "base/Moment.h"
#include "views/GridModel.h"

#include <QHash>
#include <QSqlDatabase>
#include <QTimer>
#include <functional>

// The records of one table between two moments, for a grid over any range: the rows are counted
// per hour in short steps, so the grid grows while the range is counted and the scroll bar ends up
// spanning the whole range, and only the pages of rows the grid asks for are read (next to a page
// in memory by the moment it ends or starts at, elsewhere from the hour that holds the row, the
// last page from the end) and kept, a few at a time. Every step is one short statement on the
// interface thread between two turns of the event loop, so the screen is never held for long.
class TPagedGridModel : public TGridTable
{
    Q_OBJECT

public:
    static constexpr int PageRows = 200;
    static constexpr int KeptPages = 12;

    TPagedGridModel(const QString &table, QObject *parent = nullptr);

    // Starts on the records from start to stop, both inclusive, as they stand now (records added
    // later wait for the next load). The first rows are counted before it returns; false, with the
    // server's text in error, when that fails, the model then being empty.
    bool Load(const QSqlDatabase &db, TMoment start, TMoment stop, QString *error = nullptr);
    // Ends the counting; the rows counted so far stay and can be read.
    void Stop();
    bool Counting() const { return FCounting; }
    // Every record of the range has been counted.
    bool Complete() const { return FComplete; }

    // Empty for a row whose page is not in memory; the page is then read at the next turn of the
    // event loop and the rows announced as changed.
    QVariant Value(int row, int column) const override;
    bool Holds(int row) const { return FPages.contains(row / PageRows); }
    // Reads the row's page at once if it is not in memory; false when the read failed.
    bool FetchRow(int row);
    int HeldPages() const { return int(FPages.size()); }

    // Hands every record of the range to sink in order, pageRows at a time, from start to stop,
    // without keeping them; ends early when sink returns false. False when a read failed (with the
    // server's text in error) or sink stopped.
    bool ReadAll(int pageRows, const std::function<bool(const QVector<TGridRow> &)> &sink,
                 QString *error = nullptr) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;

signals:
    // After each counting step, with the rows counted so far.
    void Counted(int rows);
    // The counting ended: complete, stopped, or broken off by a failure (error not empty).
    void CountingEnded(bool complete, const QString &error);

protected:
    void DropRows() override;

private:
    struct TBucket
    {
        QString From; // the hour's first second as SQL text
        int First; // its first row
        int Count;
    };
    struct TPage
    {
        QVector<TGridRow> Rows; // each row ends with the record's key as SQL text
        mutable quint64 Used = 0;
    };

    void Reset();
    void Step();
    bool CountStep(QString *error);
    bool FetchPage(int page, QString *error);
    void KeepFewPages(int kept);
    QString Select(const QString &condition, const QString &order, const QString &limit) const;

    QString FTable;
    QSqlDatabase FDb;
    QString FRange; // where-clause of the range as loaded
    QString FLast; // the range's last record as SQL text
    TMoment FCountFrom = 0; // first moment not yet counted
    TMoment FStop = 0;
    double FSliceDays = 1;
    QVector<TBucket> FBuckets;
    int FRows = 0;
    bool FCounting = false;
    bool FComplete = false;
    QHash<int, TPage> FPages;
    mutable QList<int> FWanted; // pages the grid asked for, the newest last
    QList<int> FFailed; // pages whose read failed, not asked again until the next load
    mutable quint64 FUse = 0;
    mutable QTimer FStepTimer;
};
