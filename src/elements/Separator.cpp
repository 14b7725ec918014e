#include "Separator.h"

#include "Canvas.h"

#include <cmath>

TSeparator::TSeparator(QWidget *parent)
    : TCachedElement(parent)
{
    SetColor(clBlack);
    Wire(m_wallPen);
    Wire(m_gridPen);
    resize(200, 100);
}

bool TSeparator::AddBall(const TRockBall *ball)
{
    if (!ball)
        return false;
    m_balls.append(*ball);
    return true;
}

bool TSeparator::DeleteBall(int index)
{
    if (index < 0 || index >= m_balls.size())
        return false;
    m_balls.removeAt(index);
    return true;
}

double TSeparator::AverageVal(double a, double b, int n)
{
    return n > 0 ? ((n - 1) * a + b) / n : b;
}

bool TSeparator::NextStep()
{
    Step(m_balls.size());
    UpdateChanges();
    return true;
}

void TSeparator::NextStepChain()
{
    QList<TSeparator *> chain;
    for (TSeparator *s = this; s && !chain.contains(s); s = s->m_next)
        chain.append(s);
    // Counted before anyone moves: what arrives during the round waits for the next one.
    QList<qsizetype> counts;
    for (TSeparator *s : chain)
        counts.append(s->m_balls.size());
    for (qsizetype k = 0; k < chain.size(); ++k) {
        chain[k]->Step(counts[k]);
        chain[k]->UpdateChanges();
    }
}

void TSeparator::Step(qsizetype count)
{
    for (qsizetype i = 0; i < count;) {
        if (Move(i)) {
            ++i;
        } else {
            m_balls.removeAt(i);
            --count;
        }
    }
}

void TSeparator::Collide(qsizetype index)
{
    TRockBall &b = m_balls[index];
    // A particle without extent touches nothing (and would make the mass ratio infinite).
    if (b.r <= 0)
        return;
    for (qsizetype j = 0; j < m_balls.size(); ++j) {
        TRockBall &o = m_balls[j];
        if (j == index || o.layer != b.layer)
            continue;
        const double dx = std::abs(o.x - b.x) * width() / 100;
        const double dy = std::abs(o.y - b.y) * height() / 100;
        const double d = b.r + o.r;
        if (dx > d || dy > d)
            continue;
        const double s = std::sqrt(dx * dx + dy * dy);
        if (s > d)
            continue;
        const double k = std::pow(3.0, o.r / b.r);
        b.vx += (o.vx - b.vx) * k / 2;
        b.vy += (o.vy - b.vy) * k / 2;
        const double f = s == 0 ? 0.5 : (d - s) / (2 * s);
        b.x -= dx * f;
        b.y -= dy * f;
        o.x += dx * f;
        o.y += dy * f;
        o.vx += dx * f;
        o.vy += dy * f;
    }
}

bool TSeparator::Move(qsizetype index)
{
    {
        TRockBall &b = m_balls[index];
        if (b.x > m_bathWidth && b.y > m_gridHeight) {
            b.vy = AverageVal(b.vy, b.oy, int(m_ownK));
        } else {
            b.vx = AverageVal(b.vx, m_waterVx, int(m_waterK));
            b.vy = AverageVal(b.vy, m_waterVy, int(m_waterK));
        }
        b.vx = AverageVal(b.vx, b.ox, int(m_ownK));
        b.vy = AverageVal(b.vy, b.oy, int(m_ownK));
    }
    Collide(index);
    TRockBall &b = m_balls[index];
    b.x += m_speedK * b.vx;
    b.y += m_speedK * b.vy;
    if (b.x < b.r) {
        b.x = b.r;
        if (b.vx < 0)
            b.vx = -b.vx * 2 / 3;
    }
    const double wallX = 100 - m_backWallWidth;
    if (b.x < m_bathWidth && b.y + b.r > m_gridHeight && b.vy > 0) {
        b.vy = b.kind == TRockBall::Coal ? -b.vy / 2 : -b.vy / 1.3;
        b.y = m_gridHeight - b.r;
    } else if (b.y + b.r > m_backWallTop && b.x + b.r >= wallX) {
        if (b.y <= m_backWallTop) {
            b.vy = -b.vy * 5 / 6;
            b.y = m_backWallTop - b.r;
            if (b.x - b.r < wallX)
                b.vx = -b.vx;
        } else {
            b.vx = -b.vx;
            b.x = wallX - b.r;
        }
    }
    if (b.y - b.r < 0) {
        if (b.kind == TRockBall::Bubble)
            return false;
        b.y = b.r;
        b.vy = 0;
    }
    if (b.x > 100) {
        if (m_next) {
            TRockBall passed = b;
            passed.x -= 100;
            m_next->m_balls.append(passed);
        }
        return false;
    }
    return b.y <= 100;
}

void TSeparator::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    TCanvas canvas(painter);
    if (!GetTransparent())
        canvas.FillRect(0, 0, W, H, GetColor());
    const int w = m_wallPen.Width() / 2;
    const int bw = ToPixelNear(m_bathWidth * W / 100, W);
    const int bb = ToPixelNear(m_bathBottomWidth * bw / 100, W);
    const int xL = (bw - bb) / 2;
    const int yS = ToPixelNear((m_bathHeight - m_bathSubH) * H / 100, H);
    const int yB = ToPixelNear(m_bathHeight * H / 100, H);
    const int yG = ToPixelNear(m_gridHeight * H / 100, H);
    QPolygon outline({QPoint(w, w), QPoint(w, yS), QPoint(xL, yB), QPoint(bw - xL, yB),
                      QPoint(bw, yS), QPoint(bw, yG), QPoint(bw, H - w), QPoint(W - w, H - w),
                      QPoint(W - w, w)});
    canvas.SetNoPen();
    canvas.SetBrush(m_backColor);
    canvas.Polygon(outline);
    QPolygon liquid = outline;
    const int yW = ToPixelNear(H * m_waterLevel / 100, H);
    liquid[0].setY(yW);
    liquid[8].setY(yW);
    canvas.SetBrush(m_waterColor);
    canvas.Polygon(liquid);

    canvas.SetPen(m_wallPen);
    canvas.Polyline(outline.mid(0, 8));
    canvas.Line(w, w, W - w, w);
    if (m_showClosedLoop)
        canvas.Line(W - w, w, W - w, H - w);

    const int bars = DrawnRepeats(m_gridCount);
    if (bars > 0) {
        const double pitch = double(bw) / bars;
        const double bar = (100 - m_gridSpace) * pitch / 100;
        const int g = m_gridPen.Width();
        if (bar > 0) {
            canvas.SetPen(m_gridPen);
            for (int i = 0; i < bars; ++i) {
                const double x = i * pitch + g;
                canvas.Line(ToPixelNear(x, W), yG, ToPixelNear(x + bar - g, W), yG);
            }
        }
    }

    canvas.SetNoPen();
    canvas.SetBrush(m_backWallColor);
    canvas.Rectangle(ToPixelNear((1 - m_backWallWidth / 100) * W, W),
                     ToPixelNear(m_backWallTop * H / 100, H), W, H);

    const QList<TColor> colours {m_coalColor, m_rockColor, m_bubbleColor};
    for (const TRockBall &b : m_balls)
        DrawRockBall(canvas, ToPixelNear(QPointF(W * b.x / 100, H * b.y / 100), size()),
                     ToPixelNear(b.r, std::max(W, H)), b.kind, colours);
}
