#pragma once

#include <QPointF>
#include <QPolygon>
#include <QStringList>
#include <array>

// A figure outline given as lines "x; y" in percent of the box (decimal separator of the locale).
// Faulty input is reported to the operator and leaves the previous outline in use as described
// at Refresh.
class TPointList
{
public:
    static constexpr int MaxPoints = 100;

    // Two lines or fewer make an empty outline. More than MaxPoints lines are refused with a
    // message and change nothing. A faulty line raises a message and stops: the points before it
    // are already replaced, the valid count stays as it was. With xFlip x becomes 100 - x.
    void Refresh(const QStringList &lines, bool xFlip);

    int Count() const { return m_count; }
    QPointF Point(int index) const { return m_points.at(index); }
    // The valid points in a box of the given size, y downward: (trunc(W x / 100), trunc(H y /
    // 100)).
    QPolygon Polygon(int width, int height) const;

private:
    std::array<QPointF, MaxPoints> m_points {};
    int m_count = 0;
};
