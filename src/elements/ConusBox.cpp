#include "ConusBox.h"

#include "Canvas.h"

TConusBox::TConusBox(QWidget *parent)
    : TCachedElement(parent)
{
    SetColor(clBlack);
    Wire(m_pen);
    resize(100, 100);
}

void TConusBox::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    const int w = m_pen.Width();
    const int yW = int(H - CalcYVal(m_waterH));
    const int yC = int(H - CalcYVal(m_conusH));
    const int cx = W / 2;
    const double D = CalcXVal(m_downW);
    const double d = D / 2;

    TCanvas canvas(painter);
    canvas.SetPen(m_pen);
    canvas.FillRect(0, 0, W, H, m_backColor);

    QPoint b1(int(cx - d), H - w);
    QPoint b2(int(cx + d), H - w);
    if (m_halfConus) {
        b1 = m_xFlip ? QPoint(w, H - w) : QPoint(int(W - D), H - w);
        b2 = m_xFlip ? QPoint(int(D), H - w) : QPoint(W - w, H - w);
    }
    const QPolygon cone({QPoint(w, yC), b1, b2, QPoint(W - w, yC)});

    // Without the top line the cylinder flows into the cone with no line between them.
    auto hideConusTop = [&](TColor color) {
        if (m_showConusTop)
            return;
        canvas.SetPen(color, 1);
        canvas.SetBrush(color);
        canvas.Rectangle(2 * w, yC - w, W - 2 * w, yC + w);
        canvas.SetPen(m_pen);
    };

    if (m_conusH < m_waterH) {
        if (m_waterH < 100) {
            canvas.SetBrush(GetColor());
            canvas.Rectangle(w, w, W, yW);
        }
        canvas.SetBrush(m_waterColor);
        canvas.Rectangle(w, yW, W, yC);
        canvas.Polygon(cone);
        hideConusTop(m_waterColor);
    } else {
        canvas.SetBrush(GetColor());
        canvas.Rectangle(w, 0, W, yC);
        canvas.Polygon(cone);
        hideConusTop(GetColor());
        if (m_conusH > 0) {
            const double f = m_waterH / m_conusH;
            int left = 0;
            int right = 0;
            if (!m_halfConus) {
                const double half = d + f * (cx - d);
                left = int(cx - half);
                right = int(cx + half);
            } else {
                const double I = D + f * (W - D);
                left = m_xFlip ? w : int(W - I);
                right = m_xFlip ? int(I) : W - w;
            }
            canvas.SetBrush(m_waterColor);
            canvas.Polygon(QPolygon({QPoint(left, yW), b1, b2, QPoint(right, yW)}));
        }
    }
    if (!m_showTopLine)
        canvas.FillRect(0, 0, W, 2 * w, m_backColor);
}
