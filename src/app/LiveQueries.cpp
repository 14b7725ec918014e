#include "LiveQueries.h"

#include "base/Formats.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>

TMoment MomentOf(const QVariant &value)
{
    const QDateTime time = value.toDateTime();
    return time.isValid() ? DateTimeToMoment(time) : 0.0;
}

TLiveQueries::TLiveQueries(const QSqlDatabase &db)
    : SQLQueryPUState(db)
    , SQLQueryMaxTime(db)
    , SQLQueryLastData(db)
{
    for (QSqlQuery *query : {&SQLQueryPUState, &SQLQueryMaxTime, &SQLQueryLastData})
        query->setForwardOnly(true);
}

bool TLiveQueries::Refresh(TLiveState &state, QSqlError &error)
{
    QSqlQuery &heartbeat = SQLQueryPUState;
    if (!heartbeat.exec(QStringLiteral("select * from last_state"))) {
        error = heartbeat.lastError();
        return false;
    }
    state.Heartbeat =
        heartbeat.next() ? MomentOf(heartbeat.value(QStringLiteral("RecMoment"))) : 0.0;
    heartbeat.finish();

    QSqlQuery &maxTime = SQLQueryMaxTime;
    if (!maxTime.exec(QStringLiteral("select max(RecMoment) MaxTime from pu_data"))) {
        error = maxTime.lastError();
        return false;
    }
    const TMoment newest =
        maxTime.next() ? MomentOf(maxTime.value(QStringLiteral("MaxTime"))) : 0.0;
    maxTime.finish();

    QSqlQuery &lastData = SQLQueryLastData;
    // The moment goes into the text: a statement prepared on the server keeps the column layout
    // of its preparation and reads a changed table into the wrong fields without any error.
    if (!lastData.exec(QStringLiteral("select * from pu_data\r\nwhere RecMoment= '%1'")
                           .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), newest)))) {
        error = lastData.lastError();
        return false;
    }
    state.LastData = lastData.next() ? lastData.record() : QSqlRecord();
    lastData.finish();
    return true;
}
