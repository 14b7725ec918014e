#include "ViewsTestKit.h"

#include "TestDb.h"
#include "app/Connection.h"
#include "app/Global.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

namespace ViewsTestKit {

bool OpenMainLink()
{
    SetConnectionParam(QStringLiteral("HostName"), TestDb::HostWithPort());
    SetConnectionParam(QStringLiteral("User_Name"), QString::fromLatin1(TestDb::User));
    SetConnectionParam(QStringLiteral("Password"), QString::fromLatin1(TestDb::Password));
    return SQLConnection1().Open();
}

QString SqlTime(TMoment moment)
{
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

bool AddJournalRow(TMoment moment, const QString &text)
{
    return TestDb::Exec(TestDb::Open(),
                        QStringLiteral("INSERT INTO control_log (RecMoment, MessageText) "
                                       "VALUES (%1, '%2')")
                            .arg(SqlTime(moment), text));
}

bool AddRecord(TMoment moment, int rab, int rn, double g41, double g23, double g2)
{
    return TestDb::Exec(TestDb::Open(),
                        QStringLiteral("INSERT INTO pu_data (RecMoment, RAB, RN, G_1T41, G_1T23, "
                                       "G_1T2) VALUES (%1, %2, %3, %4, %5, %6)")
                            .arg(SqlTime(moment))
                            .arg(rab)
                            .arg(rn)
                            .arg(g41, 0, 'g', 15)
                            .arg(g23, 0, 'g', 15)
                            .arg(g2, 0, 'g', 15));
}

bool AddMinuteRecords(TMoment first, int count)
{
    return TestDb::Exec(
        TestDb::Open(),
        QStringLiteral(
            "INSERT INTO pu_data SELECT TIMESTAMP(%1) + INTERVAL seq MINUTE, 1800 + seq % 97, "
            "1860, 50 + seq % 10, 45 + seq % 8, 40, 45, 50 + seq % 3, 140 + seq % 15, "
            "145 + seq % 12, 95 + seq % 9, seq * 2.5, 2.4, seq * 1.5, 1.5, seq * 2.25, 2.3, 1, 1, "
            "seq % 2, IF(seq % 1440 < 1320, 1, 0), seq % 5, 1860, 60, 145, seq % 7 * 0.5, "
            "145 FROM seq_0_to_%2")
            .arg(SqlTime(first))
            .arg(count - 1));
}

bool EmptyTables()
{
    return TestDb::Truncate(
        TestDb::Open(),
        {QStringLiteral("pu_data"), QStringLiteral("control_log"), QStringLiteral("last_state")});
}

void AddViewWindows(TFormMain *frame)
{
    frame->CreateWindows(
        {ChildWindow<TFormLogView>(&TFormMain::ActionWorkLog, &TFormMain::ActionPrintGCWorkReg),
         ChildWindow<TFormSvodTable>(&TFormMain::ActionSvodTable,
                                     &TFormMain::ActionPrintSvodTable)});
}

void ResetSettings()
{
    FirstChangeStart = 7;
    DateIncrement = 0;
    SetNowOverride(0);
}

} // namespace ViewsTestKit
