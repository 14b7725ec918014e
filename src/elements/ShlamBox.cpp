#include "ShlamBox.h"

#include "Canvas.h"
#include "base/StyleKeys.h"

TShlamBox::TShlamBox(QWidget *parent)
    : TPenBrushElement(parent)
{
    resize(100, 100);
}

void TShlamBox::Paint(QPainter &painter)
{
    constexpr int margin = 4;
    const int R = width() - margin;
    const int B = height() - margin;
    const int x1 = int(m_l1 * (width() - 2 * margin) / 100);
    const int ys = int(B - m_subHPercent * B / 100);
    const int yw = int(ys - m_wPercent * ys / 100);

    TCanvas canvas(painter);
    if (!GetTransparent())
        canvas.FillRect(0, 0, width(), height(), GetColor());
    canvas.SetPen(GetBrush().Color(), 1);
    canvas.SetBrush(GetBrush());
    canvas.Polygon(QPolygon({QPoint(x1, ys), QPoint(R, ys), QPoint(R, B)}));
    canvas.Rectangle(margin, yw, R, ys);
    canvas.SetPen(GetPen());
    canvas.Polyline(QPolygon({QPoint(margin, margin), QPoint(margin, ys), QPoint(x1, ys),
                              QPoint(R, B), QPoint(R, margin)}));
    canvas.Line(x1, margin, x1, ys);
}

void TShlamBox::WriteConfig(TIniFile &ini, const QString &section) const
{
    ini.WriteInteger(section, QStringLiteral("Color"), GetColor());
    ini.WriteInteger(section, QStringLiteral("BrushColor"), GetBrush().Color());
    WritePen(ini, section, QStringLiteral("Pen"), GetPen());
}

void TShlamBox::ReadConfig(const TIniFile &ini, const QString &section)
{
    SetColor(ini.ReadInteger(section, QStringLiteral("Color"), GetColor()));
    Brush().SetColor(ini.ReadInteger(section, QStringLiteral("BrushColor"), GetBrush().Color()));
    ReadPen(ini, section, QStringLiteral("Pen"), Pen());
}
