#include "Windows.h"

#include "app/About.h"
#include "app/InputNewSet.h"
#include "app/MainMenu.h"
#include "charts/ChartLibrary.h"
#include "elements/ElementLibrary.h"

QList<TWindowRow> StationWindows()
{
    using F = TFormMain;
    return {
        // FormMnemo
        ChildWindow<TFormMainMenu>(&F::ActionMainMenu, &F::ActionPrint, {},
                                   Qt::SubWindow | Qt::CustomizeWindowHint),
        // FormArrowEdit, FormEditBarrel, FormEditGraph, FormOutFieldEdit, FormEditPoligon,
        // FormEditPump, FormWebPrint
        DialogWindow<TFormAbout>(),
        // FormGraphHardParams, FormGraphSuspLevel, FormGraphDSUS, FormLogView, FormConfig,
        // FormSvodTable
        DialogWindow<TFormInputNewSet>(),
        // FormBaseView, FormGraphTrans
    };
}

void RegisterComponentLibraries()
{
    RegisterElementLibrary();
    RegisterChartLibrary();
}
