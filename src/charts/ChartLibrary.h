#pragma once

// Registers the trend chart and the array graph with the class registry; safe to call again.
void RegisterChartLibrary();
