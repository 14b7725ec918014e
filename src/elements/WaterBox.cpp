#include "WaterBox.h"

#include "Canvas.h"
#include "base/StyleKeys.h"

#include <algorithm>

TWaterBox::TWaterBox(QWidget *parent)
    : TGraphicElement(parent)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    m_pen.SetColor(clYellow);
    Wire(m_pen);
    SetCoversBox(true);
    resize(100, 100);
}

void TWaterBox::Paint(QPainter &painter)
{
    const double W = width();
    const double H = height();
    const double sy = H / m_boxH;
    const double sx = W / m_mainW;
    const double m = sy * m_mainH;
    const double l = sy * m_waterLevel;
    const double o = sx * m_bottomW;
    const double f = sy * m_bottomH;
    const double e = (W - o) / 2;
    const int w = std::max(m_pen.Width(), 1);

    TCanvas canvas(painter);
    if (!GetTransparent())
        canvas.FillRect(0, 0, width(), height(), m_backColor);
    canvas.SetPen(m_pen);
    if (m - l > 0) {
        canvas.SetNoBrush();
        canvas.Polyline(QPolygon({QPoint(w, w), QPoint(int(W - w), w), QPoint(int(W - w), int(m)),
                                  QPoint(w, int(m)), QPoint(w, w)}));
        canvas.FillRect(2 * w, int(m - l) - 2 * w, int(W) - 2 * w, int(m), m_waterColor);
    } else {
        canvas.SetBrush(m_waterColor);
        canvas.Rectangle(w, w, int(W) - w, int(m) - w);
    }
    canvas.SetBrush(m_waterColor);
    canvas.Polygon(QPolygon({QPoint(w, int(m - w)), QPoint(int(W - w), int(m - w)),
                             QPoint(int(W - e), int(m + f)), QPoint(int(e), int(m + f))}));
    canvas.Rectangle(int(e), int(m + f), int(W - e), int(H));
}

void TWaterBox::WriteConfig(TIniFile &ini, const QString &section) const
{
    WritePen(ini, section, QStringLiteral("Pen"), m_pen);
    ini.WriteInteger(section, QStringLiteral("BackColor"), m_backColor);
    ini.WriteInteger(section, QStringLiteral("BorderColor"), m_borderColor);
    ini.WriteInteger(section, QStringLiteral("WaterColor"), m_waterColor);
}

void TWaterBox::ReadConfig(const TIniFile &ini, const QString &section)
{
    ReadPen(ini, section, QStringLiteral("Pen"), m_pen);
    SetBackColor(ini.ReadInteger(section, QStringLiteral("BackColor"), m_backColor));
    SetBorderColor(ini.ReadInteger(section, QStringLiteral("BorderColor"), m_borderColor));
    SetWaterColor(ini.ReadInteger(section, QStringLiteral("WaterColor"), m_waterColor));
}
