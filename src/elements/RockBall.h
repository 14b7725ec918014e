#pragma once

#include <QList>

// One particle of a column mixer or a separator. Position in percent of the element's box;
// the separator keeps its collision layer in `layer` and the particle's own velocity in ox, oy.
struct TRockBall
{
    enum Kind { Coal = 0, Rock = 1, Bubble = 2 };

    double x = 0;
    double y = 0;
    double layer = 0;
    double r = 0;
    int kind = Coal;
    double vx = 0;
    double vy = 0;
    double ox = 0;
    double oy = 0;
};

using TRockBalls = QList<TRockBall>;

class TCanvas;
class QPoint;

// A particle as a circle with a one-pixel outline in its fill colour; kinds without a colour of
// their own (kindColours too short) are red with an aqua outline.
void DrawRockBall(TCanvas &canvas, const QPoint &centre, int radius, int kind,
                  const QList<qint32> &kindColours);
