#include "ColumnMixer.h"

#include "Canvas.h"
#include "PercentMap.h"

#include <algorithm>
#include <cmath>

TColumnMixer::TColumnMixer(QWidget *parent)
    : TCachedElement(parent)
{
    m_pen.SetColor(clRed);
    Wire(m_backBrush);
    Wire(m_waterBrush);
    Wire(m_pen);
    resize(100, 200);
}

bool TColumnMixer::AddBall(const TRockBall *ball)
{
    if (!ball)
        return false;
    m_balls.append(*ball);
    return true;
}

bool TColumnMixer::DeleteBall(int index)
{
    if (index < 0 || index >= m_balls.size())
        return false;
    m_balls.removeAt(index);
    return true;
}

bool TColumnMixer::NextStep()
{
    // Index advances only past particles that stay, so each one is stepped exactly once.
    for (qsizetype i = 0; i < m_balls.size();) {
        if (Step(m_balls[i]))
            ++i;
        else
            m_balls.removeAt(i);
    }
    return true;
}

bool TColumnMixer::Step(TRockBall &b) const
{
    const bool inAir = b.y > m_waterLevel;
    b.vx += inAir ? m_airVX : m_waterVX;
    b.vy += inAir ? m_airVY : m_waterVY;
    b.x += m_speedK * b.vx;
    b.y += m_speedK * b.vy;
    if (b.y - b.r < m_conusTop)
        return false;
    if (b.y >= m_flakeTop) {
        ReflectOffFunnel(b);
        return true;
    }
    b.vx *= m_waterSpeedK;
    b.vy *= m_waterSpeedK;
    const double right = m_conusLeft + m_conusWidth;
    if (b.x - b.r < m_conusLeft) {
        b.x = b.r + m_conusLeft + 1;
        b.vx = -b.vx;
    }
    if (b.x + b.r > right) {
        b.x = right - b.r - 1;
        b.vx = -b.vx;
    }
    return true;
}

// The right funnel wall runs from the column's right edge at FlakeTop up to the top right corner.
// A particle reaching it leaves along the wall's normal at its own speed.
void TColumnMixer::ReflectOffFunnel(TRockBall &b) const
{
    const double gx = m_conusLeft + m_conusWidth;
    const double gy = m_flakeTop;
    const double dx = 100 - gx;
    const double dy = 100 - gy;
    if (dx <= 0 || dy <= 0)
        return;
    const double along = ((b.x - gx) * dx + (b.y - gy) * dy) / (dx * dx + dy * dy);
    const double fx = gx + along * dx;
    const double fy = gy + along * dy;
    const double t = std::hypot(b.x - fx, b.y - fy);
    // On the wall itself the normal is undefined; the next step moves the particle off it.
    if (t > b.r || t == 0)
        return;
    const double speed = std::hypot(b.vx, b.vy);
    b.vx = (b.x - fx) * speed / t;
    b.vy = (b.y - fy) * speed / t;
    if (t < b.r) {
        b.x = fx + (b.x - fx) * b.r / t;
        b.y = fy + (b.y - fy) * b.r / t;
    }
}

void TColumnMixer::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const TPercentMap map(W, H, m_pen.Width(), m_xFlip);
    const double NL = NeckLeft();
    const double NR = NL + m_neckWidth;
    const double CL = m_conusLeft;
    const double CR = m_conusLeft + m_conusWidth;
    const double L = m_waterLevel;

    TCanvas canvas(painter);
    canvas.FillRect(0, 0, W, H, GetColor());
    canvas.SetPen(m_pen);
    canvas.SetBrush(m_backBrush);
    canvas.Polygon(map.Polygon({{NL, 0},
                                {NL, m_neckTop},
                                {CL, m_conusTop},
                                {CL, m_flakeBottom},
                                {0, m_flakeBottom},
                                {0, m_flakeBottom},
                                {0, 100},
                                {100, 100},
                                {CR, m_flakeTop},
                                {CR, m_conusTop},
                                {NR, m_neckTop},
                                {NR, 0}}));

    canvas.SetBrush(m_waterBrush);
    if (L < 1) {
        canvas.SetNoBrush(); // no liquid
    } else if (L < m_neckTop) {
        canvas.Polygon(map.Polygon({{NL, L}, {NR, L}, {NR, 0}, {NL, 0}}));
    } else if (L < m_conusTop) {
        const double f = (L - m_neckTop) / (m_conusTop - m_neckTop);
        canvas.Polygon(map.Polygon({{NL + (CL - NL) * f, L},
                                    {NR + (CR - NR) * f, L},
                                    {NR, m_neckTop},
                                    {NR, 0},
                                    {NL, 0},
                                    {NL, m_neckTop}}));
    } else if (L < m_flakeBottom) {
        canvas.Polygon(map.Polygon({{CL, L},
                                    {CR, L},
                                    {CR, m_conusTop},
                                    {NR, m_neckTop},
                                    {NR, 0},
                                    {NL, 0},
                                    {NL, m_neckTop},
                                    {CL, m_conusTop}}));
    } else {
        const double h = std::min(L, m_flakeTop);
        canvas.Polygon(map.Polygon({{0, h},
                                    {CR, h},
                                    {CR, m_conusTop},
                                    {NR, m_neckTop},
                                    {NR, 0},
                                    {NL, 0},
                                    {NL, m_neckTop},
                                    {CL, m_conusTop},
                                    {CL, m_flakeBottom},
                                    {0, m_flakeBottom}}));
    }

    auto line = [&](double x1, double y1, double x2, double y2) {
        const QPoint a = map.Point(x1, y1);
        const QPoint b = map.Point(x2, y2);
        canvas.Line(a.x(), a.y(), b.x(), b.y());
    };
    line(0, m_flakeTop, CR, m_flakeTop);
    line(NL, m_neckTop, NR, m_neckTop);
    line(CL, m_conusTop, CR, m_conusTop);
    line(CL, m_flakeBottom, CL, m_flakeTop);

    // Radii are lengths, never mirrored.
    const TPercentMap lengths(W, H, m_pen.Width(), false);
    const QList<TColor> colours {m_fCoalColor, m_rockColor};
    for (const TRockBall &b : m_balls) {
        const int rho = std::min(lengths.X(b.r), lengths.Y(b.r));
        DrawRockBall(canvas, map.Point(b.x, b.y), rho, b.kind, colours);
    }
}
