#include "AniTrans.h"

#include "Canvas.h"

#include <cmath>

TAniTrans::TAniTrans(QWidget *parent)
    : TPenBrushElement(parent, clRed, clYellow)
{
    m_intPen.SetColor(clBlue);
    m_intBrush.SetColor(0xF0FBFF);
    m_scoopPen.SetColor(clSilver);
    m_bladePen.SetColor(clSilver);
    Wire(m_intPen);
    Wire(m_intBrush);
    Wire(m_scoopPen);
    Wire(m_bladePen);
    Wire(m_coalBitmap);
    resize(100, 100);
}

void TAniTrans::CalcRegion()
{
    m_scale = 0;
    if (m_virtH <= 0 || m_virtW <= 0 || width() <= 9 || height() <= 9)
        return;
    m_scale = std::min((width() + 1) / m_virtW, (height() + 1) / m_virtH);
    const double dx = m_x2 - m_x1;
    const double dy = m_y2 - m_y1;
    m_d = std::hypot(dx, dy);
    // Pulleys on one spot still give a belt: round the one pulley, with the runs pointing right.
    m_u = m_d > 0 ? QPointF(dx / m_d, dy / m_d) : QPointF(1, 0);
    m_length = 2 * (m_d + M_PI * m_r);
    m_travel = m_position / 100 * m_length;
    const int scoops = DrawnRepeats(m_scoopCount);
    m_spacing = scoops > 0 ? m_length / scoops : 0;
    m_a = std::atan2(m_u.y(), m_u.x());
    const QPointF up = m_r * QPointF(std::cos(m_a + M_PI / 2), std::sin(m_a + M_PI / 2));
    const QPointF down = m_r * QPointF(std::cos(m_a - M_PI / 2), std::sin(m_a - M_PI / 2));
    const QPointF p1(m_x1, m_y1);
    const QPointF p2(m_x2, m_y2);
    m_t1 = p1 + up;
    m_t2 = p2 + up;
    m_t3 = p2 + down;
    m_t4 = p1 + down;
    m_b1 = m_d;
    m_b2 = m_d + M_PI * m_r;
    m_b3 = 2 * m_d + M_PI * m_r;
}

QList<double> TAniTrans::ScoopDistances() const
{
    QList<double> distances;
    if (m_spacing <= 0 || m_length <= 0)
        return distances;
    for (int i = 0; i < DrawnRepeats(m_scoopCount); ++i) {
        // Reduced into [0, L) also for a position outside 0..100.
        double s = std::fmod(i * m_spacing + m_travel, m_length);
        if (s < 0)
            s += m_length;
        distances.append(s);
    }
    return distances;
}

TAniTrans::TBeltPlace TAniTrans::PlaceAt(double s) const
{
    const QPointF p1(m_x1, m_y1);
    const QPointF p2(m_x2, m_y2);
    auto onPulley = [this](const QPointF &centre, double phi) {
        return centre + m_r * QPointF(std::cos(phi), std::sin(phi));
    };
    if (s <= m_b1)
        return {m_t1 + s * m_u, M_PI};
    if (s <= m_b2) {
        const double f = (s - m_b1) / (m_b2 - m_b1);
        return {onPulley(p2, m_a + M_PI / 2 - f * M_PI), M_PI - f * 3 * M_PI / 2};
    }
    if (s <= m_b3)
        return {m_t3 - (s - m_b2) * m_u, -M_PI / 2};
    const double f = (s - m_b3) / (m_length - m_b3);
    return {onPulley(p1, m_a - M_PI / 2 - f * M_PI), -M_PI / 2 - f * M_PI / 2};
}

bool TAniTrans::CarriesCoal(double theta)
{
    return theta >= M_PI / 2;
}

QPoint TAniTrans::ToScreen(const QPointF &p) const
{
    const int x = ToPixelNear(std::round(p.x() * m_scale), width());
    return QPoint(m_xFlip ? width() - x : x,
                  ToPixelNear(std::round(height() - p.y() * m_scale), height()));
}

void TAniTrans::Paint(QPainter &painter)
{
    CalcRegion();
    TCanvas canvas(painter);
    canvas.FillRect(0, 0, width(), height(), m_backColor);
    DrawBody(canvas);
    for (const double s : ScoopDistances())
        DrawScoop(canvas, PlaceAt(s));
}

void TAniTrans::DrawBody(TCanvas &canvas) const
{
    const QPointF centres[] = {QPointF(m_x1, m_y1), QPointF(m_x2, m_y2)};
    auto circle = [&](const QPointF &centre, double radius) {
        const QPoint c = ToScreen(centre);
        const int r = ToPixelNear(radius * m_scale, std::max(width(), height()));
        canvas.Ellipse(c.x() - r, c.y() - r, c.x() + r, c.y() + r);
    };
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    for (const QPointF &c : centres)
        circle(c, m_r);
    canvas.SetPen(m_intPen);
    canvas.SetBrush(m_intBrush);
    for (const QPointF &c : centres)
        circle(c, m_intR);
    const int blades = DrawnRepeats(m_bladeCount);
    if (blades > 0 && m_r != 0) {
        canvas.SetPen(m_bladePen);
        double w = -m_travel / m_r;
        for (int k = 0; k < blades; ++k) {
            const QPointF direction(std::cos(w), std::sin(w));
            for (const QPointF &c : centres) {
                const QPoint a = ToScreen(c + m_intR * direction);
                const QPoint b = ToScreen(c + m_r * direction);
                canvas.Line(a.x(), a.y(), b.x(), b.y());
            }
            w += 2 * M_PI / blades;
        }
    }
    canvas.SetPen(GetPen());
    for (const auto &[from, to] : {std::pair(m_t1, m_t2), std::pair(m_t3, m_t4)}) {
        const QPoint a = ToScreen(from);
        const QPoint b = ToScreen(to);
        canvas.Line(a.x(), a.y(), b.x(), b.y());
    }
}

void TAniTrans::DrawScoop(TCanvas &canvas, const TBeltPlace &place) const
{
    const QPoint p = ToScreen(place.point);
    if (m_showScoops || !m_showCoal) {
        canvas.SetPen(m_scoopPen);
        canvas.SetBrush(m_scoopPen.Color());
        canvas.Ellipse(p.x() - 3, p.y() - 3, p.x() + 3, p.y() + 3);
    }
    if (!m_showScoops && !m_showCoal)
        return;
    // The scoop template in its own frame (x outward from the belt, y across), turned by theta
    // and placed at the belt point.
    const double k = m_rk;
    const double h = m_scoopLH;
    const double c = std::cos(place.theta);
    const double sn = std::sin(place.theta);
    auto at = [&](double tx, double ty) {
        return ToScreen(place.point + QPointF(tx * c - ty * sn, tx * sn + ty * c));
    };
    const QPoint A = at(h, 0);
    const QPoint B = at(h + 2 * k, 0);
    const QPoint P0 = at(h + k / 3, 2 * k / 3);
    const QPoint P1 = at(h + 2 * k / 3, k);
    const QPoint P2 = at(h + 4 * k / 3, k);
    const QPoint P3 = at(h + 5 * k / 3, 2 * k / 3);
    const QPoint P4 = at(h + k, -k / 3);
    if (m_showScoops) {
        canvas.SetPen(m_scoopPen);
        canvas.Polyline(QPolygon({p, A, P0, P1, P2, P3, B}));
    }
    if (!m_showCoal || !CarriesCoal(place.theta))
        return;
    TBrush solid;
    solid.SetColor(m_coalColor);
    canvas.SetBrush(solid, m_coalBitmap);
    canvas.SetPen(clBlack, 1);
    if (m_showScoops) {
        canvas.Polygon(QPolygon({P0, P1, P2, P3, P4}));
        return;
    }
    const int px = p.x();
    const int py = p.y();
    const int kp = ToPixelNear(std::round(m_rk * m_scale), std::max(width(), height()));
    canvas.Polygon(
        QPolygon({QPoint(px - kp, py - 1), QPoint(int(px - kp / 2.0), int(py - 0.66 * kp)),
                  QPoint(px, int(py - 1.2 * kp)), QPoint(int(px + kp / 2.0), int(py - 0.66 * kp)),
                  QPoint(px + kp, py - 1)}));
}
