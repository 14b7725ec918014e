#include "Arrow.h"

#include "Canvas.h"
#include "base/Formats.h"
#include "base/IniFile.h"

#include <QScopedValueRollback>
#include <cmath>
#include <stdexcept>

namespace {

double BubblePosition(const QString &text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw std::invalid_argument("bubble position is not a number: " + text.toStdString());
    return value;
}

} // namespace

TArrow::TArrow(QWidget *parent)
    : TGraphicElement(parent)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    SetColor(clRed);
    resize(50, 50);
}

void TArrow::SetAngle(double degrees)
{
    Store(m_angle, degrees);
}

void TArrow::SetArrowWidth(int width)
{
    Store(m_arrowWidth, width);
}

void TArrow::SetEdgeLength(int length)
{
    Store(m_edgeLength, length);
}

void TArrow::SetEdgeAngle(int degrees)
{
    Store(m_edgeAngle, degrees);
}

TArrowGeometry TArrow::Geometry() const
{
    return TArrowGeometry::Compute(width(), height(), m_angle, m_edgeLength, m_edgeAngle);
}

void TArrow::Paint(QPainter &painter)
{
    if (m_edgeLength < 0)
        m_edgeLength = 0;
    const TArrowGeometry g = Geometry();
    TCanvas canvas(painter);
    canvas.SetPen(GetColor(), m_arrowWidth);
    canvas.Line(g.tail.x(), g.tail.y(), g.shaftEnd.x(), g.shaftEnd.y());
    PaintBubbles(painter, g);
    if (!g.head.isEmpty()) {
        canvas.SetPen(GetColor(), 1);
        canvas.SetBrush(GetColor());
        canvas.Polygon(g.head);
    }
}

void TArrow::PaintBubbles(QPainter &painter, const TArrowGeometry &g) const
{
    const QPointF delta = g.shaftEnd - g.tail;
    const double length = std::hypot(delta.x(), delta.y());
    if (m_bubbleList.isEmpty() || length == 0)
        return;
    const QPointF u = delta / length;
    TCanvas canvas(painter);
    canvas.SetPen(m_bubbleColor, m_arrowWidth);
    for (const QString &line : m_bubbleList) {
        const double s = BubblePosition(line);
        const QPointF a = QPointF(g.tail) + s * u;
        const QPointF b = QPointF(g.tail) + (s + m_bubbleLen) * u;
        canvas.Line(int(a.x()), int(a.y()), int(b.x()), int(b.y()));
    }
}

void TArrow::BubbleStep(bool chained)
{
    // A pipeline may loop back (a circulation through a sump) or name itself: an arrow already
    // stepping in this step is not stepped again.
    if (m_stepping)
        return;
    const QScopedValueRollback<bool> stepping(m_stepping, true);
    if (m_nextArrow) {
        m_nextArrow->SetBubbleLen(m_bubbleLen);
        m_nextArrow->SetBubbleSpeed(m_bubbleSpeed);
        m_nextArrow->SetBubbleInterval(m_bubbleInterval);
        m_nextArrow->SetBubbleColor(m_bubbleColor);
        m_nextArrow->BubbleStep(true);
    }
    if (m_bubbleList.isEmpty()) {
        if (m_bubbleSource && !chained)
            m_bubbleList.append(FloatToStr(1 - m_bubbleLen));
        return;
    }
    const double total = 2 * Geometry().halfLength;
    const double limit = total - m_bubbleLen;
    QStringList moved;
    QStringList handedOver;
    for (const QString &line : std::as_const(m_bubbleList)) {
        double p = BubblePosition(line) + m_bubbleSpeed;
        // A bubble is handed on when it reaches a whole position past the limit; the added tenth
        // takes it off the whole positions, so it is handed over once.
        if (p > limit && p == std::floor(p) && m_nextArrow) {
            handedOver.append(FloatToStr(p - total));
            p += 0.1;
        }
        if (p <= total)
            moved.append(FloatToStr(p));
    }
    m_bubbleList = moved;
    // Only now: the successor may be this very arrow.
    if (m_nextArrow)
        m_nextArrow->m_bubbleList.append(handedOver);
    if (m_bubbleSource && !chained && !m_bubbleList.isEmpty()
        && BubblePosition(m_bubbleList.last()) > m_bubbleInterval)
        m_bubbleList.append(FloatToStr(-m_bubbleLen));
    update();
}

void TArrow::WriteConfig(TIniFile &ini, const QString &section) const
{
    ini.WriteInteger(section, QStringLiteral("ArrowWidth"), m_arrowWidth);
    ini.WriteInteger(section, QStringLiteral("Color"), GetColor());
    ini.WriteInteger(section, QStringLiteral("EdgeLength"), m_edgeLength);
    ini.WriteInteger(section, QStringLiteral("EdgeAngle"), m_edgeAngle);
}

void TArrow::ReadConfig(const TIniFile &ini, const QString &section)
{
    // The head is part of the design, not of the looks; it is written but never read back.
    SetArrowWidth(ini.ReadInteger(section, QStringLiteral("ArrowWidth"), m_arrowWidth));
    SetColor(ini.ReadInteger(section, QStringLiteral("Color"), GetColor()));
}
