#include "GraphSuspLevel.h"

#include "GraphSuspLevelPoint.h"
#include "app/Main.h"

TFormGraphSuspLevel *FormGraphSuspLevel = nullptr;

namespace {
TTrendWindowDef Design()
{
    return {QStringLiteral("FormGraphSuspLevel"),
            QStringLiteral("Графики изменения уровней в сборниках суспензии"),
            QStringLiteral("FormGraphSuspLevel.INI"),
            QStringLiteral("PrintWeb2.html"),
            QStringLiteral("SL_pic"),
            2,
            4,
            &TFormMain::ActionPrintLevelGraph,
            false,
            false,
            {{QStringLiteral("LevelGraphSuspLevel"),
              QStringLiteral("Уровни в сборниках суспензии, %"),
              1,
              1,
              0,
              101,
              10,
              3,
              {QStringLiteral("URKS"), QStringLiteral("URNS")},
              {{QStringLiteral("КС"), clRed}, {QStringLiteral("НС"), clBlue}},
              TChartAlign::Top,
              0},
             {QStringLiteral("LevelGraphKlapan"),
              QStringLiteral("Положение  клапана регулятора уровня, %"),
              2,
              4,
              0,
              101,
              20,
              1,
              {QStringLiteral("VODA2")},
              {},
              TChartAlign::Client,
              0}}};
}
} // namespace

TFormGraphSuspLevel::TFormGraphSuspLevel(QWidget *parent)
    : TFormGraphTrend(Design(), parent)
{
    if (!FormGraphSuspLevel)
        FormGraphSuspLevel = this;
}

QWidget *TFormGraphSuspLevel::CreateSatellite()
{
    return new TFormSuspLevelPoint(this);
}

TFormGraphSuspLevel::~TFormGraphSuspLevel()
{
    if (FormGraphSuspLevel == this)
        FormGraphSuspLevel = nullptr;
}
