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
    const double sy = PixelsPerUnit(H, m_boxH);
    const double sx = PixelsPerUnit(W, m_mainW);
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
    const int right = ToPixel(W - w);
    const int tankBottom = ToPixel(m);
    if (m - l > 0) {
        canvas.SetNoBrush();
        canvas.Polyline(QPolygon({QPoint(w, w), QPoint(right, w), QPoint(right, tankBottom),
                                  QPoint(w, tankBottom), QPoint(w, w)}));
        canvas.FillRect(2 * w, ToPixel(m - l) - 2 * w, width() - 2 * w, tankBottom, m_waterColor);
    } else {
        canvas.SetBrush(m_waterColor);
        canvas.Rectangle(w, w, width() - w, tankBottom - w);
    }
    const int funnelTop = ToPixel(m - w);
    const int outletTop = ToPixel(m + f);
    const int outletLeft = ToPixel(e);
    const int outletRight = ToPixel(W - e);
    canvas.SetBrush(m_waterColor);
    canvas.Polygon(QPolygon({QPoint(w, funnelTop), QPoint(right, funnelTop),
                             QPoint(outletRight, outletTop), QPoint(outletLeft, outletTop)}));
    canvas.Rectangle(outletLeft, outletTop, outletRight, height());
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
