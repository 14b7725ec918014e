#include "ChartLibrary.h"

#include "ArGraph.h"
#include "LevelGraph.h"
#include "base/ElementRegistry.h"

void RegisterChartLibrary()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Register<TLevelGraph>();
    Register<TArGraph>();
}
