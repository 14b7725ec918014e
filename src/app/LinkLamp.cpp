#include "app/LinkLamp.h"

#include <QPainter>

namespace {
const qint64 YellowAfterMs = 5000;
const qint64 RedAfterMs = 10000;
} // namespace

QColor LinkColour(TMoment heartbeat, TMoment now)
{
    const qint64 ageMs = qRound64((now - heartbeat) / OneMillisecond);
    if (ageMs > RedAfterMs)
        return LinkRed;
    if (ageMs > YellowAfterMs)
        return LinkYellow;
    return LinkGreen;
}

TLinkLamp::TLinkLamp(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ShapeLink"));
    setFixedSize(15, 15);
}

void TLinkLamp::SetColor(const QColor &color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TLinkLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(FColor);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
