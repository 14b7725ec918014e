#include "Windows.h"

#include "app/About.h"
#include "app/FormConfig.h"
#include "app/InputNewSet.h"
#include "app/MainMenu.h"
#include "charts/ChartLibrary.h"
#include "elements/ElementLibrary.h"
#include "mnemo/ArrowEditor.h"
#include "mnemo/BarrelEditor.h"
#include "mnemo/OutFieldEditor.h"
#include "mnemo/PoligonEditor.h"
#include "mnemo/PumpEditor.h"

QList<TWindowRow> StationWindows()
{
    using F = TFormMain;
    return {
        // FormMnemo
        ChildWindow<TFormMainMenu>(&F::ActionMainMenu, &F::ActionPrint, {},
                                   Qt::SubWindow | Qt::CustomizeWindowHint),
        DialogWindow<TFormArrowEdit>(),
        DialogWindow<TFormEditBarrel>(),
        // FormEditGraph
        DialogWindow<TFormOutFieldEdit>(),
        DialogWindow<TFormEditPoligon>(),
        DialogWindow<TFormEditPump>(),
        // FormWebPrint
        DialogWindow<TFormAbout>(),
        // FormGraphHardParams, FormGraphSuspLevel, FormGraphDSUS, FormLogView
        DialogWindow<TFormConfig>(),
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
