#include "AlarmTestKit.h"

#include "TestDb.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>

namespace AlarmTestKit {

TMoment RecordMoment(int i)
{
    return EncodeMoment(Year, Month, Day, 8) + i * OneMinute;
}

TMoment DayStart()
{
    return EncodeMoment(Year, Month, Day, 7);
}

bool Reset(const QSqlDatabase &db)
{
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select 1 from alarm_log limit 0")) && !CreateAlarmLog(db))
        return false;
    if (!TestDb::Truncate(db, {QStringLiteral("pu_data"), QStringLiteral("alarm_log")}))
        return false;
    for (const TAlarmConstant &constant : AlarmConstants()) {
        if (!TestDb::Exec(db,
                          QStringLiteral("insert into setup (ConstName, ConstVal) values "
                                         "('%1', %2) on duplicate key update ConstVal = "
                                         "values(ConstVal)")
                              .arg(constant.Name)
                              .arg(constant.Default)))
            return false;
    }
    return true;
}

bool WriteRecord(const QSqlDatabase &db, int i, const QMap<QString, QVariant> &changes)
{
    QMap<QString, QVariant> values = {
        {"PLS", 1850}, {"PLSZ", 1850}, {"URKS", 55}, {"URNS", 45}, {"TNK23", 180},
        {"TNZ", 180},  {"BKK23", 1},   {"BKK41", 1}, {"BKK2", 1},  {"RAB", 1},
    };
    for (auto it = changes.begin(); it != changes.end(); ++it)
        values[it.key()] = it.value();
    QStringList columns {QStringLiteral("RecMoment")};
    QStringList texts {QStringLiteral("'%1'").arg(
        MomentToDateTime(RecordMoment(i)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))};
    for (auto it = values.begin(); it != values.end(); ++it) {
        columns << it.key();
        texts << (it.value().isNull() ? QStringLiteral("NULL") : it.value().toString());
    }
    return TestDb::Exec(db,
                        QStringLiteral("insert into pu_data (%1) values (%2)")
                            .arg(columns.join(','), texts.join(',')));
}

int RowCount(const QSqlDatabase &db, const QString &code)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select count(*) from alarm_log")
                    + (code.isEmpty() ? QString() : QStringLiteral(" where Code = '%1'").arg(code)))
        || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool CreateAlarmLog(const QSqlDatabase &db)
{
    QFile schema(qEnvironmentVariable("TALMER_SOURCE_DIR") + QStringLiteral("/db/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(schema.readAll());
    const QRegularExpression create(
        QStringLiteral("CREATE TABLE IF NOT EXISTS alarm_log \\(.*?\\) ENGINE=[^;]*;"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = create.match(text);
    return match.hasMatch() && TestDb::Exec(db, match.captured(0));
}

TStation::TStation(const QString &name)
    : Name(name)
    , Db(TestDb::Open(name))
    , DayStartMoment(DayStart())
{ }

TAlarmSource TStation::Source()
{
    TAlarmSource source;
    source.Database = [this] {
        return Online ? Db : QSqlDatabase();
    };
    source.HeartbeatFresh = [this] {
        return HeartbeatFresh;
    };
    source.LocalUser = [this] {
        return Name;
    };
    source.DayStart = [this](TMoment) {
        return DayStartMoment;
    };
    return source;
}

} // namespace AlarmTestKit
