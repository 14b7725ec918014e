#pragma once

#include <QPoint>
#include <QPolygon>

// Where a pipe arrow lies in its box: it spans the longer side, centred, at any angle. Points are
// rounded half up; the head is a triangle of the given length and full opening angle.
struct TArrowGeometry
{
    double halfLength = 0; // L
    QPoint tail; // P0
    QPoint shaftEnd; // P1, where the head begins
    QPoint tip;
    QPolygon head; // tip and the two base corners; empty without a head

    static TArrowGeometry Compute(int width, int height, double angleDegrees, int edgeLength,
                                  int edgeAngleDegrees);
};
