#pragma once

#include "views/GridModel.h"

#include <QList>
#include <QStringList>

// A grid's rows for a CSV file: the column titles as the grid shows them (a two-level title as
// "Upper Lower"), then each row with numbers in the locale's decimal form without grouping,
// moments as "dd.mm.yyyy hh:nn:ss" and empty cells for missing values.
QList<QStringList> GridCsvRows(const TGridTable &table);
QStringList GridCsvTitles(const TGridTable &table);
// The cells of one row of the table's columns (values beyond them are left out).
QStringList GridCsvCells(const TGridTable &table, const TGridRow &row);

class QWidget;
class TPagedGridModel;

// Writes every record of the model's range into the file, page after page, so no more than a page
// is held; a progress dialog shows how far it is and lets the operator cancel. A cancelled or
// failed export leaves no file; false then, with the reason in error (empty when cancelled).
bool WriteRangeCsv(QWidget *parent, const TPagedGridModel &model, const QString &path,
                   QString *error);
