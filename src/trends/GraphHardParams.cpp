#include "GraphHardParams.h"

#include "HardParamsPoint.h"
#include "app/Main.h"

TFormGraphHardParams *FormGraphHardParams = nullptr;

namespace {
TTrendWindowDef Design()
{
    const QList<TTrendLegendDef> legend {{QStringLiteral("Текущая"), clRed},
                                         {QStringLiteral("Заданная"), clBlue}};
    return {QStringLiteral("FormGraphHardParams"),
            QStringLiteral("Графики параметров процесса обогащения в тяжелых средах"),
            QStringLiteral("FormGraphHardParams.INI"),
            QStringLiteral("PrintWeb3.html"),
            QStringLiteral("pic"),
            3,
            3,
            &TFormMain::ActionPrintHardParams,
            false,
            false,
            {{QStringLiteral("LevelGraphTNK"),
              QStringLiteral("Нагрузка на фабрику по рядовому углю (поз.23), т/час"),
              1,
              2,
              0,
              501,
              100,
              1,
              {QStringLiteral("TNK23")},
              {},
              TChartAlign::Top,
              0},
             {QStringLiteral("LevelGraphPLS"),
              QStringLiteral("Плотность суспензии, кг/м3"),
              2,
              1,
              1700,
              2501,
              100,
              2,
              {QStringLiteral("PLS"), QStringLiteral("PLSZ")},
              legend,
              TChartAlign::Client,
              0},
             {QStringLiteral("LevelGraphKlapan"),
              QStringLiteral("Положение  клапана разбавления суспензии, %"),
              3,
              4,
              0,
              101,
              20,
              1,
              {QStringLiteral("VODA1")},
              {},
              TChartAlign::Bottom,
              20}}};
}
} // namespace

TFormGraphHardParams::TFormGraphHardParams(QWidget *parent)
    : TFormGraphTrend(Design(), parent)
{
    if (!FormGraphHardParams)
        FormGraphHardParams = this;
}

QWidget *TFormGraphHardParams::CreateSatellite()
{
    return new TFormHardParamsPoint(this);
}

TFormGraphHardParams::~TFormGraphHardParams()
{
    if (FormGraphHardParams == this)
        FormGraphHardParams = nullptr;
}
