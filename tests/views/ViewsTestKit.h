#pragma once

#include "base/Moment.h"

#include <QString>

class TFormMain;

// Shared steps of the view tests: the main link on the private server, rows at given moments,
// the shift settings put back after each test.
namespace ViewsTestKit {
// Opens SQLConnection1 on the test server; false if it cannot.
bool OpenMainLink();
// 'yyyy-mm-dd hh:nn:ss' as an SQL literal.
QString SqlTime(TMoment moment);
bool AddJournalRow(TMoment moment, const QString &text);
// One process record; RAB, RN and the three per-minute amounts as given, the rest NULL.
bool AddRecord(TMoment moment, int rab = 0, int rn = 0, double g41 = 0, double g23 = 0,
               double g2 = 0);
// count records a minute apart from first, every field filled with figures that differ from row to
// row; made by the server in one statement.
bool AddMinuteRecords(TMoment first, int count);
bool EmptyTables();
// The journal and the summary in the frame, as the station's window table makes them.
void AddViewWindows(TFormMain *frame);
// Restores FirstChangeStart and DateIncrement to their defaults and the clock to the real one.
void ResetSettings();
} // namespace ViewsTestKit
