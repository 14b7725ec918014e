#include "TermoScale.h"

#include "Canvas.h"
#include "base/StyleKeys.h"

TTermoScale::TTermoScale(QWidget *parent)
    : TPanelElement(parent)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    for (TStyleObject *style : std::initializer_list<TStyleObject *> {
             &m_lines, &m_textPen, &m_brush, &m_textBrush, &m_sPen, &m_vPen, &m_wPen})
        Wire(*style);
    SetCoversBox(true);
    resize(50, 100);
}

QList<int> TTermoScale::DivisionRows() const
{
    QList<int> rows;
    const int n = m_lines.Count() - 1;
    if (n < 1)
        return rows;
    const double th = height() * m_textHPercent / 100;
    const double top = th / 2;
    const double step = (height() - th / 2 - top) / n;
    for (int i = 0; i <= n; ++i)
        rows.append(int(top + i * step));
    return rows;
}

void TTermoScale::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    TCanvas canvas(painter);
    if (!GetTransparent()) {
        canvas.SetNoPen();
        canvas.SetBrush(m_brush);
        canvas.Rectangle(0, 0, W, H);
    }
    const int n = m_lines.Count() - 1;
    if (n < 1)
        return;
    const int cx = W / 2;
    const double tw = W * m_textWPercent / 100;
    const double th = H * m_textHPercent / 100;
    const double top = th / 2;
    const double step = (H - th / 2 - top) / n;

    canvas.SetPen(m_vPen);
    canvas.Line(cx, 0, cx, H);
    canvas.SetPen(m_wPen);
    for (const int y : DivisionRows())
        canvas.Line(0, y, W, y);
    const double sw = W * m_sLineXPercent / 100;
    canvas.SetPen(m_sPen);
    for (int i = 0; i < n; ++i) {
        const int y = int(top + step / 2 + i * step);
        canvas.Line(int(cx - sw / 2), y, int(cx + sw / 2), y);
    }

    canvas.SetPen(m_textPen);
    canvas.SetBrush(m_textBrush);
    canvas.SetFont(GetFont());
    for (int i = 0; i <= n; ++i) {
        const double y0 = i * step;
        canvas.Rectangle(int(cx - tw / 2), int(y0), int(cx + tw / 2), int(y0 + th));
        const QString label = m_lines.Line(n - i);
        canvas.TextOut(cx - canvas.TextWidth(label) / 2,
                       int(y0 + (th - canvas.TextHeight(label)) / 2), label);
    }
}

void TTermoScale::WriteConfig(TIniFile &ini, const QString &section) const
{
    WritePen(ini, section, QStringLiteral("TextPen"), m_textPen);
    WritePen(ini, section, QStringLiteral("SPen"), m_sPen);
    WritePen(ini, section, QStringLiteral("VPen"), m_vPen);
    WritePen(ini, section, QStringLiteral("WPen"), m_wPen);
    ini.WriteInteger(section, QStringLiteral("BrushColor"), m_brush.Color());
    ini.WriteInteger(section, QStringLiteral("TextBrushColor"), m_textBrush.Color());
    WriteFont(ini, section, QStringLiteral("Font"), GetFont());
}

void TTermoScale::ReadConfig(const TIniFile &ini, const QString &section)
{
    ReadPen(ini, section, QStringLiteral("TextPen"), m_textPen);
    ReadPen(ini, section, QStringLiteral("SPen"), m_sPen);
    ReadPen(ini, section, QStringLiteral("VPen"), m_vPen);
    ReadPen(ini, section, QStringLiteral("WPen"), m_wPen);
    m_brush.SetColor(ini.ReadInteger(section, QStringLiteral("BrushColor"), m_brush.Color()));
    m_textBrush.SetColor(
        ini.ReadInteger(section, QStringLiteral("TextBrushColor"), m_textBrush.Color()));
    ReadFont(ini, section, QStringLiteral("Font"), Font());
}
