#include "RockBall.h"

#include "Canvas.h"

void DrawRockBall(TCanvas &canvas, const QPoint &centre, int radius, int kind,
                  const QList<qint32> &kindColours)
{
    const bool known = kind >= 0 && kind < kindColours.size();
    canvas.SetPen(known ? kindColours[kind] : clAqua, 1);
    canvas.SetBrush(known ? kindColours[kind] : clRed);
    canvas.Ellipse(centre.x() - radius, centre.y() - radius, centre.x() + radius,
                   centre.y() + radius);
}
