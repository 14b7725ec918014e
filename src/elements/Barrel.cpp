#include "Barrel.h"

#include "Canvas.h"
#include "base/StyleKeys.h"

#include <algorithm>

TBarrel::TBarrel(QWidget *parent)
    : TPenBrushElement(parent)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    resize(20, 100);
}

TColor TBarrel::BandColor(int k) const
{
    const QColor up = ColorToQColor(m_upColor);
    const QColor down = ColorToQColor(m_downColor);
    auto channel = [k](int d, int u) {
        return int(d + k * (u - d) / 100.0);
    };
    return QColorToColor(QColor(channel(down.red(), up.red()), channel(down.green(), up.green()),
                                channel(down.blue(), up.blue())));
}

void TBarrel::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    TCanvas canvas(painter);
    canvas.FillRect(0, 0, W, H, GetColor());
    const double range = m_maxLevel - m_minLevel;
    if (range <= 0)
        return;
    const double level = std::clamp(m_waterLevel, m_minLevel, m_maxLevel);
    const int extent = m_left2Right ? W : H;
    const double filled = (level - m_minLevel) * extent / range;
    for (int k = 0; k < 100; ++k) {
        const int from = k * extent / 100;
        const int to = (k + 1) * extent / 100;
        if (to > filled)
            break;
        if (m_left2Right)
            canvas.FillRect(from, 0, to, H, BandColor(k));
        else
            canvas.FillRect(0, H - to, W, H - from, BandColor(k));
    }
    // Halved in reals: integer halving puts a one-pixel pen's far walls just outside the box.
    const double half = GetPen().Width() / 2.0;
    const int near = int(half);
    const int right = int(W - half);
    const int bottom = int(H - half);
    canvas.SetPen(GetPen());
    canvas.Polyline(QPolygon(
        {QPoint(near, near), QPoint(near, bottom), QPoint(right, bottom), QPoint(right, near)}));
}

void TBarrel::WriteConfig(TIniFile &ini, const QString &section) const
{
    ini.WriteInteger(section, QStringLiteral("UpColor"), m_upColor);
    ini.WriteInteger(section, QStringLiteral("DownColor"), m_downColor);
    ini.WriteInteger(section, QStringLiteral("BackColor"), GetBrush().Color());
    WritePen(ini, section, QStringLiteral("Pen"), GetPen());
}

void TBarrel::ReadConfig(const TIniFile &ini, const QString &section)
{
    SetUpColor(ini.ReadInteger(section, QStringLiteral("UpColor"), m_upColor));
    SetDownColor(ini.ReadInteger(section, QStringLiteral("DownColor"), m_downColor));
    Brush().SetColor(ini.ReadInteger(section, QStringLiteral("BackColor"), GetBrush().Color()));
    ReadPen(ini, section, QStringLiteral("Pen"), Pen());
}
