#include "views/PagedGridModel.h"

#include "app/EventLog.h"
#include "app/Utils.h"
#include "base/Formats.h"

#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

// A counting step aims between these, in milliseconds: long enough to count a year in a few
// dozen steps, short enough never to hold the screen.
const int QuickStep = 20;
const int SlowStep = 50;
const double LongestSlice = 128; // days
const QString KeyField = QStringLiteral("PageKey");

QString SqlText(TMoment moment)
{
    return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment);
}

// 'yyyy-mm-dd hh:nn:ss' from the server, taken literally (no time-zone shift).
TMoment TextMoment(const QString &text)
{
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss"));
    return EncodeMoment(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                        time.second());
}

QString Key(const TGridRow &row)
{
    return row.constLast().toString();
}

QString Quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

TPagedGridModel::TPagedGridModel(const QString &table, QObject *parent)
    : TGridTable(parent)
    , FTable(table)
{
    FStepTimer.setSingleShot(true);
    FStepTimer.setInterval(0);
    connect(&FStepTimer, &QTimer::timeout, this, &TPagedGridModel::Step);
}

void TPagedGridModel::Reset()
{
    FStepTimer.stop();
    FRange.clear();
    FLast.clear();
    FBuckets.clear();
    FPages.clear();
    FWanted.clear();
    FFailed.clear();
    FRows = 0;
    FSliceDays = 1;
    FCounting = false;
    FComplete = false;
}

void TPagedGridModel::DropRows()
{
    Reset();
}

bool TPagedGridModel::Load(const QSqlDatabase &db, TMoment start, TMoment stop, QString *error)
{
    // Rows go out as a removal, not as a model reset, which would throw away the column widths.
    if (FRows > 0) {
        beginRemoveRows(QModelIndex(), 0, FRows - 1);
        Reset();
        endRemoveRows();
    } else {
        Reset();
    }
    FDb = db;
    QSqlQuery query(db);
    const QString format = QStringLiteral("'%Y-%m-%d %H:%i:%s'");
    if (!query.exec(QStringLiteral("select date_format(min(RecMoment), %1), "
                                   "date_format(max(RecMoment), %1) from ")
                        .arg(format)
                    + FTable + TimeRangeWhere(start, stop))
        || !query.next()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    if (query.value(0).isNull()) {
        FComplete = true;
        emit CountingEnded(true, QString());
        return true;
    }
    FCountFrom = TextMoment(query.value(0).toString());
    FLast = query.value(1).toString();
    FStop = TextMoment(FLast);
    FRange = TimeRangeWhere(start, stop) + QStringLiteral(" and RecMoment <= ") + Quoted(FLast);
    FCounting = true;
    if (!CountStep(error)) {
        FRange.clear();
        FCounting = false;
        return false;
    }
    if (FCounting)
        FStepTimer.start();
    return true;
}

void TPagedGridModel::Stop()
{
    if (!FCounting)
        return;
    FCounting = false;
    emit CountingEnded(false, QString());
}

bool TPagedGridModel::CountStep(QString *error)
{
    const TMoment to = FCountFrom + FSliceDays;
    const bool last = to > FStop;
    // The hour as the number yyyymmddhh: far quicker for the server than a formatted text.
    QString sql = QStringLiteral("select RecMoment div 10000 as Hour, count(*) from ") + FTable
        + FRange + QStringLiteral(" and RecMoment >= ") + Quoted(SqlText(FCountFrom));
    if (!last)
        sql += QStringLiteral(" and RecMoment < ") + Quoted(SqlText(to));
    sql += QStringLiteral(" group by Hour order by Hour");
    QElapsedTimer clock;
    clock.start();
    QSqlQuery query(FDb);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    QVector<std::pair<QString, int>> hours;
    int added = 0;
    while (query.next()) {
        const QString hour = query.value(0).toString();
        hours.append({hour.left(4) + QLatin1Char('-') + hour.mid(4, 2) + QLatin1Char('-')
                          + hour.mid(6, 2) + QLatin1Char(' ') + hour.mid(8, 2)
                          + QStringLiteral(":00:00"),
                      query.value(1).toInt()});
        added += hours.constLast().second;
    }
    if (query.lastError().isValid()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    if (added > 0) {
        beginInsertRows(QModelIndex(), FRows, FRows + added - 1);
        for (const auto &[from, count] : hours) {
            // A slice may end inside an hour: its rest joins the same hour.
            if (!FBuckets.isEmpty() && FBuckets.constLast().From == from)
                FBuckets.last().Count += count;
            else
                FBuckets.append({from, FRows, count});
            FRows += count;
        }
        endInsertRows();
    }
    FCountFrom = to;
    const qint64 spent = clock.elapsed();
    if (spent < QuickStep)
        FSliceDays = std::min(FSliceDays * 2, LongestSlice);
    else if (spent > SlowStep)
        FSliceDays = std::max(FSliceDays / 2, OneHour);
    emit Counted(FRows);
    if (last) {
        FCounting = false;
        FComplete = true;
        emit CountingEnded(true, QString());
    }
    return true;
}

void TPagedGridModel::Step()
{
    QString error;
    if (!FWanted.isEmpty()) {
        const int page = FWanted.takeLast();
        if (!FPages.contains(page) && !FetchPage(page, &error)) {
            FFailed.append(page);
            PostEvent(QStringLiteral("Ошибка в TPagedGridModel::FetchPage(): ") + error);
        }
    } else if (FCounting && !CountStep(&error)) {
        FCounting = false;
        emit CountingEnded(false, error);
    }
    if (!FWanted.isEmpty() || FCounting)
        FStepTimer.start();
}

QString TPagedGridModel::Select(const QString &condition, const QString &order,
                                const QString &limit) const
{
    return QStringLiteral("select *, date_format(RecMoment, '%Y-%m-%d %H:%i:%s') as ") + KeyField
        + QStringLiteral(" from ") + FTable + FRange + condition
        + QStringLiteral(" order by RecMoment") + order + QStringLiteral(" limit ") + limit;
}

bool TPagedGridModel::FetchPage(int page, QString *error)
{
    const int first = page * PageRows;
    const int want = std::min(PageRows, FRows - first);
    if (want <= 0)
        return true;
    const QString count = QString::number(want);
    const auto before = FPages.constFind(page - 1);
    const auto after = FPages.constFind(page + 1);
    QString sql;
    bool backwards = false;
    if (before != FPages.constEnd() && before->Rows.size() == PageRows) {
        sql = Select(QStringLiteral(" and RecMoment > ") + Quoted(Key(before->Rows.constLast())),
                     QString(), count);
    } else if (after != FPages.constEnd() && !after->Rows.isEmpty()) {
        sql = Select(QStringLiteral(" and RecMoment < ") + Quoted(Key(after->Rows.constFirst())),
                     QStringLiteral(" desc"), count);
        backwards = true;
    } else if (FComplete && first + want == FRows) {
        sql = Select(QString(), QStringLiteral(" desc"), count);
        backwards = true;
    } else {
        // The hour that holds the page's first row, and the rows before it in that hour.
        const auto bucket =
            std::prev(std::upper_bound(FBuckets.cbegin(), FBuckets.cend(), first,
                                       [](int row, const TBucket &b) { return row < b.First; }));
        sql = Select(QStringLiteral(" and RecMoment >= ") + Quoted(bucket->From), QString(),
                     QString::number(first - bucket->First) + QStringLiteral(", ") + count);
    }
    QSqlQuery query(FDb);
    query.setForwardOnly(true);
    QVector<TGridRow> rows;
    if (query.exec(sql))
        rows = ReadRows(query, KeyField);
    if (query.lastError().isValid()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    if (backwards)
        std::reverse(rows.begin(), rows.end());
    FPages.insert(page, TPage {std::move(rows), ++FUse});
    KeepFewPages(KeptPages);
    emit dataChanged(index(first, 0), index(first + want - 1, columnCount() - 1));
    return true;
}

void TPagedGridModel::KeepFewPages(int kept)
{
    while (FPages.size() > kept) {
        auto oldest = FPages.begin();
        for (auto page = FPages.begin(); page != FPages.end(); ++page) {
            if (page->Used < oldest->Used)
                oldest = page;
        }
        FPages.erase(oldest);
    }
}

QVariant TPagedGridModel::Value(int row, int column) const
{
    const int page = row / PageRows;
    const auto held = FPages.constFind(page);
    if (held != FPages.constEnd()) {
        held->Used = ++FUse;
        const int at = row - page * PageRows;
        return at < held->Rows.size() ? held->Rows.at(at).at(column) : QVariant();
    }
    if (!FWanted.contains(page) && !FFailed.contains(page)) {
        FWanted.append(page);
        // Pages scrolled past before they were read are not read any more.
        if (FWanted.size() > KeptPages)
            FWanted.removeFirst();
    }
    if (!FStepTimer.isActive())
        FStepTimer.start();
    return QVariant();
}

bool TPagedGridModel::FetchRow(int row)
{
    const int page = row / PageRows;
    FWanted.removeAll(page);
    QString error;
    return FPages.contains(page) || FetchPage(page, &error);
}

bool TPagedGridModel::ReadAll(int pageRows,
                              const std::function<bool(const QVector<TGridRow> &)> &sink,
                              QString *error) const
{
    if (FRange.isEmpty())
        return true;
    QString after;
    for (;;) {
        QSqlQuery query(FDb);
        query.setForwardOnly(true);
        QVector<TGridRow> rows;
        if (query.exec(Select(after.isEmpty() ? QString()
                                              : QStringLiteral(" and RecMoment > ") + Quoted(after),
                              QString(), QString::number(pageRows))))
            rows = ReadRows(query, KeyField);
        if (query.lastError().isValid()) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
        if (rows.isEmpty())
            return true;
        after = Key(rows.constLast());
        if (!sink(rows))
            return false;
        if (rows.size() < pageRows)
            return true;
    }
}

int TPagedGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FRows;
}
