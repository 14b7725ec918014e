#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

struct TSvodPeriod;

// Fills pu_data with one record a minute from start on, and control_log with a row every seven
// minutes, made by the server from its sequence tables in one statement per table (so give db a
// read time-out long enough). False, with the reason in error, on a failure.
bool FillHistory(const QSqlDatabase &db, const QDateTime &start, int minutes, QString *error);

// The summary's figures with one scan per period: minutes counted by conditional sums.
QString OnePassStatement(const QVector<TSvodPeriod> &periods);

// Every value of every row of the statement's result, as text, one line per row.
QStringList ResultRows(const QSqlDatabase &db, const QString &statement);
