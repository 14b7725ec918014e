#include "alarms/AlarmBanner.h"

#include "alarms/AlarmConditions.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor Neutral(96, 96, 96);
const QColor NeutralText(235, 235, 235);
} // namespace

TAlarmBanner::TAlarmBanner(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AlarmBanner"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Сводка тревог (F9)"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QFont bold = font();
    bold.setPixelSize(15);
    bold.setBold(true);
    setFont(bold);
}

QSize TAlarmBanner::sizeHint() const
{
    return {360, 32};
}

void TAlarmBanner::SetView(const TView &view)
{
    if (FView == view)
        return;
    FView = view;
    update();
}

void TAlarmBanner::SetFlashOn(bool on)
{
    if (FFlashOn == on)
        return;
    FFlashOn = on;
    if (FView.Unacked > 0)
        update();
}

QString TAlarmBanner::Caption() const
{
    QString text;
    if (FView.Text.isEmpty())
        text = QStringLiteral("Тревог нет");
    else
        text = QStringLiteral("Тревоги: %1 | %2").arg(FView.Unacked).arg(FView.Text);
    if (!FView.Link.isEmpty())
        text = FView.Link + QStringLiteral(" | ") + text;
    return text;
}

void TAlarmBanner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(1, 1, -2, -2);
    const bool alarm = !FView.Text.isEmpty() && FView.Color.isValid();
    // Colour belongs to alarms: without one the line stays grey.
    QColor fill = alarm ? FView.Color : Neutral;
    QColor ink = alarm ? InkOn(fill) : NeutralText;
    if (!FView.Link.isEmpty() && !alarm)
        fill = Neutral.darker(130);
    painter.setPen(QPen(alarm ? FView.Color : Neutral, 2));
    const bool dark = alarm && FView.Unacked > 0 && !FFlashOn;
    painter.setBrush(dark ? QColor(32, 32, 32) : fill);
    if (dark)
        ink = FView.Color;
    painter.drawRect(box);
    painter.setPen(ink);
    const QString text =
        painter.fontMetrics().elidedText(Caption(), Qt::ElideRight, box.width() - 12);
    painter.drawText(box.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

void TAlarmBanner::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QWidget::mousePressEvent(event);
}
