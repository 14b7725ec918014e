#include "Poligon.h"

#include "Canvas.h"
#include "ElementKeys.h"

TPoligon::TPoligon(QWidget *parent)
    : TPenBrushElement(parent, clRed, clYellow)
    , m_pointList({QStringLiteral("50; 0"), QStringLiteral("0; 100"), QStringLiteral("100; 100")})
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    RefrshPointList();
    resize(100, 100);
}

void TPoligon::SetPointList(const QStringList &lines)
{
    // Parsed on every assignment, so faulty input is reported at once even when unchanged.
    m_pointList = lines;
    RefrshPointList();
    StyleChanged();
}

void TPoligon::SetXFlip(bool flip)
{
    SetIfChanged(m_xFlip, flip, [this] {
        RefrshPointList();
        StyleChanged();
    });
}

void TPoligon::RefrshPointList()
{
    m_points.Refresh(m_pointList, m_xFlip);
}

void TPoligon::Paint(QPainter &painter)
{
    if (m_points.Count() <= 2)
        return;
    TCanvas canvas(painter);
    canvas.SetPen(GetPen());
    canvas.SetBrush(GetBrush());
    canvas.Polygon(m_points.Polygon(width(), height()));
}

void TPoligon::WriteConfig(TIniFile &ini, const QString &section) const
{
    WritePenAndBrushColor(ini, section, GetPen(), GetBrush());
}

void TPoligon::ReadConfig(const TIniFile &ini, const QString &section)
{
    ReadPenAndBrushColor(ini, section, Pen(), Brush());
}
