#pragma once

#include <QList>
#include <QStringList>

class TGridModel;

// A grid's rows for a CSV file: the column titles (a two-level title as "Upper Lower"), then each
// row with numbers in the locale's decimal form without grouping, moments as
// "dd.mm.yyyy hh:nn:ss" and empty cells for missing values.
QList<QStringList> GridCsvRows(const TGridModel &model);
