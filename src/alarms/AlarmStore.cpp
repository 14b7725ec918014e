#include "alarms/AlarmStore.h"

#include "app/Connection.h"
#include "app/Utils.h"
#include "base/Formats.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <cmath>

namespace {

const QString Columns = QStringLiteral(
    "Code, Priority, AlarmText, Value, AlarmLimit, Activated, Returned, AckedAt, AckedBy, "
    "ShelvedAt, ShelvedUntil, ShelvedBy, ShelveReason, UnshelvedAt, UnshelvedBy");

QString Number(double value)
{
    return std::isnan(value) ? QStringLiteral("NULL") : SqlFloat(value);
}

// The columns as read: moments as whole seconds since 30 December 1899, which the server counts
// much faster than the client turns date-times into moments.
QString SelectColumns()
{
    QStringList columns = Columns.split(QStringLiteral(", "));
    for (QString &column : columns) {
        if (column == QLatin1String("Activated") || column == QLatin1String("Returned")
            || column.endsWith(QLatin1String("At")) || column == QLatin1String("ShelvedUntil"))
            column =
                QStringLiteral("datediff(%1, '1899-12-30') * 86400 + time_to_sec(%1)").arg(column);
    }
    return columns.join(QStringLiteral(", "));
}

TMoment SecondsMoment(const QVariant &value)
{
    return value.isNull() ? 0.0 : value.toLongLong() / 86400.0;
}

QString Key(const TAlarm &alarm)
{
    return QStringLiteral(" where Code = %1 and Activated = %2")
        .arg(SqlQuote(alarm.Code), SqlMomentLiteral(alarm.Activated));
}

double NumberOf(const QVariant &value)
{
    return value.isNull() ? qQNaN() : value.toDouble();
}

} // namespace

QString SqlMomentLiteral(TMoment moment)
{
    if (moment == 0)
        return QStringLiteral("NULL");
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

TMoment MomentOfSql(const QVariant &value)
{
    const QDateTime time = value.toDateTime();
    return value.isNull() || !time.isValid() ? 0.0 : DateTimeToMoment(time);
}

TAlarmStore::TAlarmStore(QSqlDatabase db)
    : FDb(std::move(db))
{ }

TAlarmStore::TResult TAlarmStore::Failed(const QSqlError &error)
{
    if (LinkLost(error))
        return TResult::LinkLost;
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("1146"))
        FReason = QStringLiteral("на сервере нет таблицы alarm_log");
    else if (code == QLatin1String("1142") || code == QLatin1String("1143"))
        FReason = QStringLiteral("нет права на запись в таблицу alarm_log (%1)")
                      .arg(error.databaseText());
    else
        FReason = error.text();
    return TResult::Refused;
}

TAlarmStore::TResult TAlarmStore::Exec(const QString &sql)
{
    QSqlQuery query(FDb);
    if (query.exec(sql))
        return TResult::Done;
    return Failed(query.lastError());
}

bool TAlarmStore::Probe()
{
    // Rights are checked before a statement runs, so statements that touch no row tell them.
    const TResult result = [this] {
        for (const QString &sql :
             {QStringLiteral("select Code from alarm_log limit 0"),
              QStringLiteral("insert into alarm_log (Code, Priority, AlarmText, Activated) "
                             "select Code, Priority, AlarmText, Activated from alarm_log "
                             "where 1 = 0"),
              QStringLiteral("update alarm_log set AckedBy = AckedBy where 1 = 0")}) {
            const TResult step = Exec(sql);
            if (step != TResult::Done)
                return step;
        }
        return TResult::Done;
    }();
    if (result == TResult::Done)
        FReason.clear();
    else if (result == TResult::LinkLost)
        FReason = QStringLiteral("нет связи с сервером");
    return result == TResult::Done;
}

TAlarmStore::TResult TAlarmStore::Push(const TAlarm &a)
{
    TResult result = a.OnServer
        ? TResult::Done
        : Exec(QStringLiteral(
                   "insert ignore into alarm_log (%1) values (%2, %3, %4, %5, %6, %7, %8, %9, "
                   "%10, %11, %12, %13, %14, %15, %16)")
                   .arg(Columns, SqlQuote(a.Code), QString::number(int(a.Priority)),
                        SqlQuote(a.Text), Number(a.Value), Number(a.Limit),
                        SqlMomentLiteral(a.Activated), SqlMomentLiteral(a.Returned),
                        SqlMomentLiteral(a.AckedAt))
                   .arg(SqlQuote(a.AckedBy), SqlMomentLiteral(a.ShelvedAt),
                        SqlMomentLiteral(a.ShelvedUntil), SqlQuote(a.ShelvedBy),
                        SqlQuote(a.ShelveReason), SqlMomentLiteral(a.UnshelvedAt),
                        SqlQuote(a.UnshelvedBy)));
    // The row may be there already, from another station: fill in what it lacks.
    const auto fill = [&](const QString &set, const QString &empty) {
        if (result == TResult::Done)
            result = Exec(QStringLiteral("update alarm_log set ") + set + Key(a)
                          + QStringLiteral(" and ") + empty + QStringLiteral(" is null"));
    };
    if (a.Returned != 0)
        fill(QStringLiteral("Returned = ") + SqlMomentLiteral(a.Returned),
             QStringLiteral("Returned"));
    if (a.Acked())
        fill(QStringLiteral("AckedAt = %1, AckedBy = %2")
                 .arg(SqlMomentLiteral(a.AckedAt), SqlQuote(a.AckedBy)),
             QStringLiteral("AckedAt"));
    if (!a.ShelvedBy.isEmpty())
        fill(QStringLiteral("ShelvedAt = %1, ShelvedUntil = %2, ShelvedBy = %3, ShelveReason = %4")
                 .arg(SqlMomentLiteral(a.ShelvedAt), SqlMomentLiteral(a.ShelvedUntil),
                      SqlQuote(a.ShelvedBy), SqlQuote(a.ShelveReason)),
             QStringLiteral("ShelvedBy"));
    if (a.UnshelvedAt != 0)
        fill(QStringLiteral("UnshelvedAt = %1, UnshelvedBy = %2")
                 .arg(SqlMomentLiteral(a.UnshelvedAt), SqlQuote(a.UnshelvedBy)),
             QStringLiteral("UnshelvedAt"));
    return result;
}

TAlarmStore::TResult TAlarmStore::Acknowledge(const TAlarm &alarm)
{
    return Exec(QStringLiteral("update alarm_log set AckedAt = now(), AckedBy = user()")
                + Key(alarm) + QStringLiteral(" and AckedAt is null"));
}

TAlarmStore::TResult TAlarmStore::Shelve(const TAlarm &alarm, TMoment until, const QString &reason)
{
    // A shelving that has ended may be followed by another; one in force is never replaced.
    return Exec(QStringLiteral("update alarm_log set ShelvedAt = now(), ShelvedUntil = %1, "
                               "ShelvedBy = user(), ShelveReason = %2, UnshelvedAt = NULL, "
                               "UnshelvedBy = NULL")
                    .arg(SqlMomentLiteral(until), SqlQuote(reason))
                + Key(alarm)
                + QStringLiteral(" and (ShelvedBy is null or UnshelvedAt is not null or "
                                 "ShelvedUntil <= %1)")
                      .arg(SqlMomentLiteral(Now())));
}

TAlarmStore::TResult TAlarmStore::Unshelve(const TAlarm &alarm)
{
    return Exec(QStringLiteral("update alarm_log set UnshelvedAt = now(), UnshelvedBy = user()")
                + Key(alarm)
                + QStringLiteral(" and ShelvedBy is not null and UnshelvedAt is null"));
}

TAlarmStore::TResult TAlarmStore::Read(const QString &sql, QVector<TAlarm> &rows)
{
    QSqlQuery query(FDb);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select ") + SelectColumns() + QStringLiteral(" from alarm_log")
                    + sql))
        return Failed(query.lastError());
    rows.clear();
    while (query.next()) {
        TAlarm a;
        a.Code = query.value(0).toString();
        a.Priority = TAlarmPriority(qBound(1, query.value(1).toInt(), 3));
        a.Text = query.value(2).toString();
        a.Value = NumberOf(query.value(3));
        a.Limit = NumberOf(query.value(4));
        a.Activated = SecondsMoment(query.value(5));
        a.Returned = SecondsMoment(query.value(6));
        a.AckedAt = SecondsMoment(query.value(7));
        a.AckedBy = query.value(8).toString();
        a.ShelvedAt = SecondsMoment(query.value(9));
        a.ShelvedUntil = SecondsMoment(query.value(10));
        a.ShelvedBy = query.value(11).toString();
        a.ShelveReason = query.value(12).toString();
        a.UnshelvedAt = SecondsMoment(query.value(13));
        a.UnshelvedBy = query.value(14).toString();
        a.OnServer = true;
        rows.append(std::move(a));
    }
    return query.lastError().isValid() ? Failed(query.lastError()) : TResult::Done;
}

TAlarmStore::TResult TAlarmStore::ReadCurrent(const QVector<TAlarm> &known, TMoment now,
                                              QVector<TAlarm> &rows)
{
    QString sql = QStringLiteral(" where Returned is null or AckedAt is null or (ShelvedBy is not "
                                 "null and UnshelvedAt is null and ShelvedUntil > %1)")
                      .arg(SqlMomentLiteral(now));
    QStringList keys;
    for (const TAlarm &alarm : known)
        keys << QStringLiteral("(%1, %2)")
                    .arg(SqlQuote(alarm.Code), SqlMomentLiteral(alarm.Activated));
    if (!keys.isEmpty())
        sql += QStringLiteral(" or (Code, Activated) in (") + keys.join(QStringLiteral(", "))
            + QLatin1Char(')');
    return Read(sql, rows);
}

TAlarmStore::TResult TAlarmStore::ReadArchive(TMoment start, TMoment stop, const QString &code,
                                              QVector<TAlarm> &rows)
{
    QString sql = QStringLiteral(" where Activated >= %1 and Activated <= %2")
                      .arg(SqlMomentLiteral(start), SqlMomentLiteral(stop));
    if (!code.isEmpty())
        sql += QStringLiteral(" and Code = ") + SqlQuote(code);
    return Read(sql + QStringLiteral(" order by Activated, Code"), rows);
}
