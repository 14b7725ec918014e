#include "TrendStore.h"

#include <algorithm>

void TTrendStore::AddSample(int graph, int slot, double v, bool alarm, TSampleTime when,
                            bool averageMode)
{
    TrendSlot &s = m_slots[graph][slot];
    s.Alarm = s.Alarm || alarm;
    if (when == TSampleTime::BeforeStart) {
        // Everything before the interval is folded into slot 0 as "the value at the start".
        s.Present = true;
        s.Value = v;
        s.Value2 = averageMode ? 1 : v;
        s.HasSecond = false;
        return;
    }
    if (when == TSampleTime::AfterStop && s.Present)
        return;
    if (averageMode) {
        s.Present = true;
        s.Value += v;
        s.Value2 += 1;
        return;
    }
    if (!s.Present) {
        s.Present = true;
        s.Value = v;
        return;
    }
    if (s.HasSecond) {
        if (v < s.Value)
            s.Value = v;
        if (v > s.Value2)
            s.Value2 = v;
        return;
    }
    if (v < s.Value) {
        s.Value2 = s.Value;
        s.Value = v;
        s.HasSecond = true;
    } else if (v > s.Value) {
        s.Value2 = v;
        s.HasSecond = true;
    }
}

void TTrendStore::Clear()
{
    for (int g = 0; g < TrendGraphCount; ++g)
        ResetGraph(g);
    for (int r = 0; r < MarkerRowCount; ++r)
        ResetMarker(r);
}

bool TTrendStore::Scan(int graphCount, int slotCount, bool presentOnly, bool averageMode,
                       double &min, double &max) const
{
    bool any = false;
    graphCount = std::clamp(graphCount, 0, TrendGraphCount);
    slotCount = std::clamp(slotCount, 0, TrendSlotCount);
    for (int g = 0; g < graphCount; ++g) {
        for (int i = 0; i < slotCount; ++i) {
            const TrendSlot &s = m_slots[g][i];
            if (presentOnly && !s.Present)
                continue;
            const double v = ShownValue(s, averageMode);
            if (!any) {
                min = max = v;
                any = true;
            }
            min = std::min(min, v);
            max = std::max(max, v);
            if (s.HasSecond) {
                min = std::min(min, s.Value2);
                max = std::max(max, s.Value2);
            }
        }
    }
    if (!any)
        min = max = 0;
    return any;
}
