#pragma once

#include "app/Main.h"

// Every window of the station in its start-up order, one row each.
QList<TWindowRow> StationWindows();

// Registers the component libraries the design files use.
void RegisterComponentLibraries();
