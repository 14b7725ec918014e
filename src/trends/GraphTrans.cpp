#include "GraphTrans.h"

#include "GraphTransPoint.h"
#include "app/Main.h"

TFormGraphTrans *FormGraphTrans = nullptr;

namespace {
TTrendWindowDef Design()
{
    return {QStringLiteral("FormGraphTrans"),
            QStringLiteral("Графики  измениения нагрузки на конвейерах"),
            QStringLiteral("FormGraphTrans.INI"),
            QStringLiteral("PrintWeb4.html"),
            QStringLiteral("pic"),
            3,
            4,
            &TFormMain::ActionPrintGraphTrans,
            false,
            true,
            {{QStringLiteral("LevelGraph_TNK41"),
              QStringLiteral("Нагрузка по конвейеру (поз.41) горной массы,  т/час"),
              1,
              2,
              0,
              501,
              100,
              2,
              {QStringLiteral("TNK41"), QStringLiteral("TNZ")},
              {{QStringLiteral("Текущая"), clRed}, {QStringLiteral("Заданная"), clBlue}},
              TChartAlign::Top,
              0},
             {QStringLiteral("LevelGraph_VPIT"),
              QStringLiteral("Производительность питателя (поз.40) горной массы, %"),
              2,
              5,
              0,
              101,
              25,
              1,
              {QStringLiteral("VPIT")},
              {},
              TChartAlign::Top,
              0},
             {QStringLiteral("LevelGraph_TNK23"),
              QStringLiteral("Нагрузка  по конвейеру (поз.23) подачи нагрузки на фабрику, т/час"),
              3,
              1,
              0,
              501,
              100,
              1,
              {QStringLiteral("TNK23")},
              {},
              TChartAlign::Client,
              0},
             {QStringLiteral("LevelGraph_TNK2"),
              QStringLiteral("Нагрузка по конвейеру (поз.2) концентрата с фабрики, т/час"),
              4,
              4,
              0,
              501,
              100,
              1,
              {QStringLiteral("TNK2")},
              {},
              TChartAlign::Bottom,
              20}}};
}
} // namespace

TFormGraphTrans::TFormGraphTrans(QWidget *parent)
    : TFormGraphTrend(Design(), parent)
{
    if (!FormGraphTrans)
        FormGraphTrans = this;
}

QWidget *TFormGraphTrans::CreateSatellite()
{
    return new TFormGraphTransPoint(this);
}

TFormGraphTrans::~TFormGraphTrans()
{
    if (FormGraphTrans == this)
        FormGraphTrans = nullptr;
}
