#include "Transporter.h"

#include "Canvas.h"

#include <QKeyEvent>

namespace {

bool IsArrowOrCharacter(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        break;
    }
    const bool commandKey = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    return !commandKey && !event->text().isEmpty() && event->text().front().isPrint();
}

} // namespace

TTransporter::TTransporter(QWidget *parent)
    : TGraphicElement(parent)
{
    m_bodyBrush.SetColor(clNavy);
    m_c1Brush.SetColor(clBlack);
    m_c2Brush.SetColor(clYellow);
    m_pen.SetColor(clYellow);
    m_r1Pen.SetColor(clRed);
    m_r2Pen.SetColor(clRed);
    Wire(m_bodyBrush);
    Wire(m_c1Brush);
    Wire(m_c2Brush);
    Wire(m_pen);
    Wire(m_r1Pen);
    Wire(m_r2Pen);
    // Not a Tab stop, as a panel is not; a click or SetFocus gives it the keys.
    setFocusPolicy(Qt::ClickFocus);
    resize(100, 20);
}

void TTransporter::SetR1Persent(double percent)
{
    Store(m_r1Persent, percent);
}

void TTransporter::Paint(QPainter &painter)
{
    const int W = width();
    const int r = height() / 2;
    const int hub = int(r * m_r1Persent / 100);
    TCanvas canvas(painter);
    canvas.SetPen(m_pen);
    canvas.SetBrush(m_bodyBrush);
    canvas.Rectangle(r, 0, W - r, height());
    for (const int cx : {r, W - r}) {
        canvas.SetPen(m_r2Pen);
        canvas.SetBrush(m_c2Brush);
        canvas.Ellipse(cx - r, 0, cx + r, 2 * r);
        canvas.SetPen(m_r1Pen);
        canvas.SetBrush(m_c1Brush);
        canvas.Ellipse(cx - hub, r - hub, cx + hub, r + hub);
    }
}

bool TTransporter::event(QEvent *event)
{
    // Claiming the key before the shortcut map sees it keeps a plain-letter shortcut from firing.
    if (event->type() == QEvent::ShortcutOverride
        && IsArrowOrCharacter(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return TGraphicElement::event(event);
}

void TTransporter::keyPressEvent(QKeyEvent *event)
{
    // Accepted keys stop here instead of travelling up to a scrolling or navigating parent.
    if (IsArrowOrCharacter(event))
        event->accept();
    else
        TGraphicElement::keyPressEvent(event);
}
