#include "Windows.h"

#include "alarms/FormAlarms.h"
#include "app/About.h"
#include "app/FormConfig.h"
#include "app/InputNewSet.h"
#include "app/MainMenu.h"
#include "charts/ChartLibrary.h"
#include "elements/ElementLibrary.h"
#include "mnemo/ArrowEditor.h"
#include "mnemo/BarrelEditor.h"
#include "mnemo/Mnemo.h"
#include "mnemo/OutFieldEditor.h"
#include "mnemo/PoligonEditor.h"
#include "mnemo/PumpEditor.h"
#include "report/WebPrint.h"
#include "trends/GraphDSUS.h"
#include "trends/GraphHardParams.h"
#include "trends/GraphSuspLevel.h"
#include "trends/GraphTrans.h"
#include "views/BaseView.h"
#include "views/CommandLog.h"
#include "views/Diagnostics.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

namespace {
// The trend windows are children without border icons: the operator switches between them but
// does not close them.
constexpr Qt::WindowFlags TrendFrame = Qt::SubWindow | Qt::CustomizeWindowHint;
// The journal can be minimised but not closed, so its print action always finds it.
constexpr Qt::WindowFlags JournalFrame =
    Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;

// The process-parameter and level windows come back in their normal layout each time.
void TrendRelayout(QWidget *window)
{
    if (auto *trend = qobject_cast<TFormGraphTrend *>(window))
        trend->NormalLayout();
}
// The alarm window frames the diagram's value fields (the diagram is made before it).
QWidget *AlarmWindow(TFormMain &main)
{
    auto *window = new TFormAlarms(&main);
    window->BindDiagram(FormMnemo);
    return window;
}
} // namespace

QList<TWindowRow> StationWindows()
{
    using F = TFormMain;
    return {
        ChildWindow<TFormMnemo>(&F::ActionMnemo, &F::ActionPrint, {},
                                Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
        ChildWindow<TFormMainMenu>(&F::ActionMainMenu, &F::ActionPrint, {},
                                   Qt::SubWindow | Qt::CustomizeWindowHint),
        DialogWindow<TFormArrowEdit>(),
        DialogWindow<TFormEditBarrel>(),
        // FormEditGraph: made afresh for each chart by EditChartSettings
        DialogWindow<TFormOutFieldEdit>(),
        DialogWindow<TFormEditPoligon>(),
        DialogWindow<TFormEditPump>(),
        DialogWindow<TFormWebPrint>(),
        DialogWindow<TFormAbout>(),
        ChildWindow<TFormGraphHardParams>(&F::ActionGraphGC_params, &F::ActionPrintHardParams,
                                          TrendRelayout, TrendFrame),
        ChildWindow<TFormGraphSuspLevel>(&F::ActionGraphSuspLevel, &F::ActionPrintLevelGraph,
                                         TrendRelayout, TrendFrame),
        ChildWindow<TFormGraphDSUS>(&F::ActionGraphDivPosition, &F::ActionPrintDiverGraph, {},
                                    TrendFrame),
        ChildWindow<TFormLogView>(&F::ActionWorkLog, &F::ActionPrintGCWorkReg, {}, JournalFrame),
        DialogWindow<TFormConfig>(),
        ChildWindow<TFormSvodTable>(&F::ActionSvodTable, &F::ActionPrintSvodTable, {},
                                    Qt::SubWindow | Qt::CustomizeWindowHint),
        DialogWindow<TFormInputNewSet>(),
        ChildWindow<TFormBaseView>(&F::ActionBaseView, nullptr),
        ChildWindow<TFormGraphTrans>(&F::ActionGraphTrans, &F::ActionPrintGraphTrans, {},
                                     TrendFrame),
        ChildWindow<TFormDiagnostics>(&F::ActionDiagnostics, nullptr),
        ChildWindow<TFormCommandLog>(&F::ActionCommandLog, &F::ActionPrintCommandLog, {},
                                     JournalFrame),
        {&F::ActionAlarms, &F::ActionPrintAlarms, AlarmWindow, JournalFrame},
    };
}

void RegisterComponentLibraries()
{
    RegisterElementLibrary();
    RegisterChartLibrary();
}
