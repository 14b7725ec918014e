#pragma once

#include "common/TestDb.h"
#include "core/SimDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

// The simulator pointed at the private test instance.
inline DbSettings TestSettings()
{
    DbSettings settings;
    settings.port = TestDb::Port();
    settings.user = QString::fromLatin1(TestDb::User);
    settings.password = QString::fromLatin1(TestDb::Password);
    return settings;
}

inline const QStringList simTables = {QStringLiteral("pu_data"), QStringLiteral("last_state"),
                                      QStringLiteral("control_vector"),
                                      QStringLiteral("control_log")};

// Every row of a select, each with RecMoment also as text (RecMomentText) when asked for.
inline QList<QSqlRecord> Rows(const QSqlDatabase &db, const QString &sql)
{
    QList<QSqlRecord> rows;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return rows;
    while (query.next())
        rows << query.record();
    return rows;
}

inline QVariant Scalar(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}

inline const QString recordsSql = QStringLiteral(
    "SELECT *, DATE_FORMAT(RecMoment, '%Y-%m-%d %H:%i:%s') AS RecMomentText FROM pu_data "
    "ORDER BY RecMoment");
