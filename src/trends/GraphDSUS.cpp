#include "GraphDSUS.h"

#include "app/Main.h"

TFormGraphDSUS *FormGraphDSUS = nullptr;

namespace {
TTrendWindowDef Design()
{
    return {QStringLiteral("FormGraphDSUS"),
            QStringLiteral("График работы делителя потока суспензии"),
            QStringLiteral("FormGraphDSUS.INI"),
            QStringLiteral("PrintWeb1.html"),
            QStringLiteral("DIV_pic"),
            1,
            1,
            &TFormMain::ActionPrintDiverGraph,
            true,
            false,
            {{QStringLiteral("LevelGraphDSUS"),
              QStringLiteral("            % ( в бак КС )"),
              1,
              0,
              0,
              101,
              10,
              1,
              {QStringLiteral("DSUS")},
              {},
              TChartAlign::Client,
              0}}};
}
} // namespace

TFormGraphDSUS::TFormGraphDSUS(QWidget *parent)
    : TFormGraphTrend(Design(), parent)
{
    if (!FormGraphDSUS)
        FormGraphDSUS = this;
}

TFormGraphDSUS::~TFormGraphDSUS()
{
    if (FormGraphDSUS == this)
        FormGraphDSUS = nullptr;
}
