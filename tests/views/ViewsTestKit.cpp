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
