#include "ArrowGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.141592653589793;

int HalfUp(double value)
{
    return int(value + 0.5);
}

} // namespace

TArrowGeometry TArrowGeometry::Compute(int width, int height, double angleDegrees, int edgeLength,
                                       int edgeAngleDegrees)
{
    TArrowGeometry g;
    g.halfLength = std::max(width, height) / 2.0 - 1;
    const int cx = width / 2;
    const int cy = height / 2;
    const double theta = angleDegrees * Pi * 0.0055555555555555555;
    const double L = g.halfLength;
    const int E = std::max(edgeLength, 0);
    g.tail = QPoint(HalfUp(cx + L * std::cos(theta + Pi)), HalfUp(cy - L * std::sin(theta + Pi)));
    g.shaftEnd =
        QPoint(HalfUp(cx + (L - E) * std::cos(theta)), HalfUp(cy - (L - E) * std::sin(theta)));
    g.tip = QPoint(HalfUp(cx + L * std::cos(theta)), HalfUp(cy - L * std::sin(theta)));
    if (E > 0) {
        const double b = std::tan(edgeAngleDegrees * Pi / 360.0) * E;
        const double psi = theta - Pi / 2;
        const QPoint &p1 = g.shaftEnd;
        g.head << g.tip
               << QPoint(HalfUp(p1.x() + b * std::cos(psi)), HalfUp(p1.y() - b * std::sin(psi)))
               << QPoint(HalfUp(p1.x() - b * std::cos(psi)), HalfUp(p1.y() + b * std::sin(psi)));
    }
    return g;
}
