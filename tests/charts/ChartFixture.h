#pragma once

#include "charts/LevelGraph.h"

#include <memory>

// A chart with a 12-hour interval of one-minute slots from 08:00, values 0..500, ready for data.
inline std::unique_ptr<TLevelGraph> MakeChart(int slotCount = 720, double secondStep = 60)
{
    auto chart = std::make_unique<TLevelGraph>();
    chart->setObjectName(QStringLiteral("LevelGraphTest"));
    chart->SetYMax(500);
    chart->SetYMin(0);
    chart->SetYLabelStep(100);
    chart->SetXLabelStep(2 * OneHour);
    chart->SetSecondStep(secondStep);
    const TMoment start = EncodeMoment(2026, 12, 8, 8);
    chart->SetStartTime(start);
    chart->SetStopTime(start + slotCount * secondStep * OneSecond);
    chart->CalcRegion();
    return chart;
}

inline TMoment SlotTime(const TLevelGraph &chart, double slot)
{
    return chart.GetStartTime() + slot * chart.GetSecondStep() * OneSecond;
}
