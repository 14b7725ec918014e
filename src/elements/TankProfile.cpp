#include "TankProfile.h"

#include "Canvas.h"
#include "PercentMap.h"

namespace {

QPolygon Mapped(const TPercentMap &map, const QList<QPointF> &points)
{
    QPolygon polygon;
    for (const QPointF &p : points)
        polygon << map.Point(p);
    return polygon;
}

} // namespace

void DrawTankProfile(QPainter &painter, const TPercentMap &map, const TPen &pen,
                     const TBrush &backBrush, const QList<QPointF> &body,
                     const std::function<void(TCanvas &)> &selectWaterBrush,
                     const QList<QPointF> &liquid)
{
    TCanvas canvas(painter);
    canvas.SetPen(pen);
    canvas.SetBrush(backBrush);
    canvas.Polygon(Mapped(map, body));
    selectWaterBrush(canvas);
    canvas.Polygon(Mapped(map, liquid));
}
