#pragma once

#include "ChartScale.h"

#include <QtGlobal>
#include <array>

// One time slot of a graph. Normal mode: Value is the smallest and Value2 the largest sample of
// the slot. Average mode: Value is the running sum and Value2 the sample count.
struct TrendSlot
{
    double Value;
    double Value2;
    quint8 Present;
    quint8 HasSecond;
    quint8 Alarm;
};

inline constexpr int TrendGraphCount = 16;
inline constexpr int MarkerRowCount = 16;

// Where a sample lies relative to the chart's interval; decides how it lands in its slot.
enum class TSampleTime { BeforeStart, Inside, AfterStop };

// The fixed value store of the trend chart: all graphs and marker rows live in arrays of fixed
// size, so storing a sample never allocates.
class TTrendStore
{
public:
    TTrendStore() { Clear(); }

    const TrendSlot &Slot(int graph, int slot) const { return m_slots[graph][slot]; }
    // Merges one sample into slot (graph and slot must be valid).
    void AddSample(int graph, int slot, double v, bool alarm, TSampleTime when, bool averageMode);
    void ClearSlot(int graph, int slot) { m_slots[graph][slot] = TrendSlot {}; }
    void ResetGraph(int graph) { m_slots[graph].fill(TrendSlot {}); }
    void Clear();

    quint32 MarkerWord(int row, int slot) const { return m_markers[row][slot]; }
    void SetMarkerWord(int row, int slot, quint32 bits) { m_markers[row][slot] = bits; }
    void ResetMarker(int row) { m_markers[row].fill(0); }

    // The value a slot shows: the minimum, or the mean in average mode.
    static double ShownValue(const TrendSlot &s, bool averageMode)
    {
        return averageMode && s.Value2 > 0 ? s.Value / s.Value2 : s.Value;
    }

    // Smallest and largest shown value of graphs 0..graphCount-1 over slots 0..slotCount-1; with
    // presentOnly empty slots are skipped, otherwise they count as 0. False when nothing scanned.
    bool Scan(int graphCount, int slotCount, bool presentOnly, bool averageMode, double &min,
              double &max) const;

private:
    std::array<std::array<TrendSlot, TrendSlotCount>, TrendGraphCount> m_slots;
    std::array<std::array<quint32, TrendSlotCount>, MarkerRowCount> m_markers;
};
