#include "EBM.h"

#include "Canvas.h"
#include "PercentMap.h"

#include <cmath>

TEBM::TEBM(QWidget *parent)
    : TCachedElement(parent)
{
    m_rotorPen.SetColor(clMaroon);
    m_rotorBrush.SetColor(clYellow);
    m_statorPen.SetColor(clRed);
    m_statorBrush.SetColor(clBlue);
    m_statorPoints.Assign({"10; 25", "10; 80", "20; 80", "20; 60", "40; 99", "70; 99", "90; 60",
                           "99; 60", "99; 20", "90; 20", "90; 40", "20; 40", "20; 25"});
    RefrshPointList();
    Wire(m_rotorPen);
    Wire(m_rotorBrush);
    Wire(m_statorPen);
    Wire(m_statorBrush);
    // Only a new outline is parsed again, so a faulty one is reported once, not on every tick.
    m_statorPoints.SetOnChange([this] {
        RefrshPointList();
        StyleChanged();
    });
    resize(110, 125);
}

void TEBM::SetXFlip(bool flip)
{
    SetIfChanged(m_xFlip, flip, [this] {
        RefrshPointList();
        StyleChanged();
    });
}

void TEBM::RefrshPointList()
{
    m_stator.Refresh(m_statorPoints.Lines(), m_xFlip);
}

double TEBM::CalcVal(double percent) const
{
    return PercentOfSmallerSide(percent, width(), height());
}

QPointF TEBM::RotorCentre() const
{
    const double cx = m_rotorXC * width() / 100;
    return QPointF(m_xFlip ? width() - cx : cx, m_rotorYC * height() / 100);
}

QLineF TEBM::Blade(int k) const
{
    const int blades = DrawnRepeats(m_bladeCount);
    if (blades <= 0)
        return QLineF();
    const double a = m_bladeAngle * M_PI / 180 + k * 2 * M_PI / blades;
    const QPointF c = RotorCentre();
    const QPointF direction(std::cos(a), std::sin(a));
    return QLineF(c + direction * CalcVal(m_intR), c + direction * CalcVal(m_rotorR));
}

void TEBM::Paint(QPainter &painter)
{
    TCanvas canvas(painter);
    canvas.FillRect(0, 0, width(), height(), m_backColor);
    if (m_stator.Count() > 2) {
        canvas.SetPen(m_statorPen);
        canvas.SetBrush(m_statorBrush);
        canvas.Polygon(m_stator.Polygon(width(), height()));
    }
    const QPointF c = RotorCentre();
    canvas.SetPen(m_rotorPen);
    canvas.SetBrush(m_rotorBrush);
    for (const double percent : {m_rotorR, m_intR}) {
        const double r = CalcVal(percent);
        if (r > 0)
            canvas.Circle(c, r, size());
    }
    for (int k = 0; k < DrawnRepeats(m_bladeCount); ++k) {
        const QLineF blade = Blade(k);
        const QPoint from = ToPixelNear(blade.p1(), size());
        const QPoint to = ToPixelNear(blade.p2(), size());
        canvas.Line(from.x(), from.y(), to.x(), to.y());
    }
}
