#pragma once

#include "base/Color.h"

#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class TFormMain;

// Height of a chart's title line; the plot and the legend start below it.
inline constexpr int TrendTitleHeight = 22;

// How a chart takes its place in the window's normal layout: stacked from the top, from the
// bottom, or filling what the others leave.
enum class TChartAlign { Top, Bottom, Client };

struct TTrendLegendDef
{
    QString Caption;
    TColor Color;
};

// One chart of a trend window as the window's design gives it.
struct TTrendChartDef
{
    QString Name; // the chart's component name, also the start of its limits section
    QString Title; // caption of its title label
    int TitleLabel; // LabelTitle<n>
    int ZoomButton; // SButGraphZoom<n>; 0 for none
    double YMin, YMax, YLabelStep;
    int GraphCount;
    QStringList Columns; // pu_data columns drawn as graphs 0, 1, ...
    QList<TTrendLegendDef> Legend;
    TChartAlign Align; // in the normal layout
    int HeightAdd; // normal-layout height: V + HeightAdd
};

// One of the four trend windows.
struct TTrendWindowDef
{
    QString ObjectName; // "FormGraphHardParams"
    QString Title; // LabelTop
    QString IniName; // layout and limits file in "config"
    QString Template; // report template
    QString PicturePrefix; // "pic", "SL_pic", "DIV_pic"
    int LayoutParts; // V = (H - P - 20) / LayoutParts in the normal layout
    int ResizeParts; // chart height on resize: (client height - P - 10) / ResizeParts
    QAction *TFormMain::*PrintAction;
    bool Divider; // the flow-divider window: bottom readout panel, no legend, blow-up or menu
    bool LegendBesideLabels; // arrows 2 px left of their labels instead of under them
    QList<TTrendChartDef> Charts;
};
