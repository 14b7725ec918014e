#pragma once

#include "base/Style.h"

#include <QList>
#include <QPointF>
#include <functional>

class QPainter;
class TCanvas;
class TPercentMap;

// A tank profile in percent: the body outlined with the pen and filled with the back brush, then
// the liquid outlined with the pen and filled with what selectWaterBrush selects.
void DrawTankProfile(QPainter &painter, const TPercentMap &map, const TPen &pen,
                     const TBrush &backBrush, const QList<QPointF> &body,
                     const std::function<void(TCanvas &)> &selectWaterBrush,
                     const QList<QPointF> &liquid);
