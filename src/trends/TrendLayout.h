#pragma once

#include "TrendDesign.h"

class QWidget;
class TLevelGraph;

// Places a trend window's charts: the normal layout of its design, one chart blown up over the
// whole chart area, the chart heights when the window is resized, and the controls that keep to
// each chart's right edge (blow-up button, legend).
class TTrendLayout
{
public:
    // panelBottom: the flow-divider window's readout panel, else nullptr.
    TTrendLayout(const TTrendWindowDef &def, QWidget *window, QWidget *panelTop,
                 QWidget *panelBottom, QList<TLevelGraph *> charts);

    // The design's layout: V = (H - P - 20) / LayoutParts, only the lowest chart with a time
    // scale; every chart shown.
    void Normal();
    // Chart ix alone over the whole area, with the time scale; the others hidden.
    void BlowUp(int ix);
    // The chart heights of a resize, then placement.
    void Resize();
    // Places the charts by their current alignment and height.
    void Realign();

private:
    const TTrendWindowDef &FDef;
    QWidget *FWindow;
    QWidget *FPanelTop;
    QWidget *FPanelBottom;
    QList<TLevelGraph *> FCharts;
    QList<TChartAlign> FAlign; // current alignment per chart
    QList<int> FHeight; // current height per chart (Top and Bottom charts)
};
