#include "GalleryEntries.h"

#include "base/Random.h"
#include "charts/ArGraph.h"
#include "charts/LevelGraph.h"

#include <cmath>

namespace {

constexpr int ChartSpan = 3;
const TMoment ShiftStart = EncodeMoment(2026, 12, 8, 8);

// A chart set up as the trend windows set theirs: one-minute slots over a 12-hour shift.
TLevelGraph *ShiftChart(double yMax, double yStep)
{
    auto *chart = new TLevelGraph;
    chart->resize(556, 164);
    chart->setObjectName(QStringLiteral("LevelGraphGallery"));
    chart->SetYMax(yMax);
    chart->SetYMin(0);
    chart->SetYLabelStep(yStep);
    chart->SetXLabelStep(2 * OneHour);
    chart->SetScaleYFormat(QStringLiteral("###0"));
    chart->SetMinXLabel(true);
    chart->SetMaxXLabel(true);
    chart->SetShowBorder(true);
    chart->BorderPen().SetWidth(2);
    chart->LabelNetPen().SetStyle(psDot);
    chart->SetStartTime(ShiftStart);
    chart->SetStopTime(ShiftStart + 0.5);
    chart->CalcRegion();
    return chart;
}

} // namespace

QList<TGalleryEntry> ChartEntries()
{
    QList<TGalleryEntry> entries;
    entries.append({QStringLiteral("TLevelGraph demo data, cursor, right scale, markers"),
                    [] {
                        SeedRandom(5);
                        TLevelGraph *chart = ShiftChart(501, 100);
                        chart->SetGraphCount(2);
                        chart->GetGraphPen(0).SetColor(clRed);
                        chart->GetGraphPen(1).SetColor(clBlue);
                        chart->SetGraphSubWidth(34);
                        chart->SetShowRightScale(true);
                        chart->SetRightScaleStep(25);
                        chart->SetDemoData(true);
                        chart->SetShowCursor(true);
                        chart->SetCursorTime(ShiftStart + 5.5 * OneHour);
                        chart->CursorPen().SetWidth(2);
                        chart->SetMarkerCount(1);
                        chart->Add_marker_point(0, 120, 1u | 4u, false);
                        for (int slot = 121; slot < 200; ++slot)
                            chart->Add_marker_point(0, slot, 2u, false);
                        chart->Add_marker_point(0, 560, 1u, false);
                        return chart;
                    },
                    ChartSpan});
    entries.append({QStringLiteral("TLevelGraph histogram, alarm slots, legend"),
                    [] {
                        TLevelGraph *chart = ShiftChart(101, 25);
                        chart->SetHistogramGraph(true);
                        chart->SetSecondStep(1800);
                        chart->CalcRegion();
                        chart->GetGraphPen(0).SetColor(clGreen);
                        chart->GetGraphPen(0).SetWidth(2);
                        chart->SetShowLegend(true);
                        chart->SetLegendStrings({QStringLiteral("КС")});
                        for (int i = 0; i < 24; ++i)
                            chart->AddPoint(0, ShiftStart + i * 0.5 * OneHour,
                                            30 + 50 * std::fabs(std::sin(i * 0.3)), i == 11);
                        return chart;
                    },
                    ChartSpan});
    entries.append({QStringLiteral("TArGraph curves, label net, no data below YMin"),
                    [] {
                        auto *graph = new TArGraph;
                        graph->resize(556, 164);
                        graph->SetGraphSize(240);
                        graph->SetLabelNet(true);
                        QList<double> density, setPoint;
                        for (int i = 0; i < 240; ++i) {
                            density.append(1950 + 180 * std::sin(i / 25.0));
                            setPoint.append(i < 60 ? 0 : 2000 + 90 * std::cos(i / 18.0));
                        }
                        graph->SetGraphData(density, 0);
                        graph->SetGraphData(setPoint, 1);
                        return graph;
                    },
                    ChartSpan});
    return entries;
}
