#include "DensMeter.h"

#include "Canvas.h"
#include "base/Formats.h"
#include "base/StyleKeys.h"

#include <algorithm>

TDensMeter::TDensMeter(QWidget *parent)
    : TPanelElement(parent)
{
    SetConfigName(QStringLiteral(".\\Colors.INI"));
    m_strCellColors.Assign(QStringList(MaxCells, QStringLiteral("0x000000FF")));
    ReadCellColors();
    for (TStyleObject *style : std::initializer_list<TStyleObject *> {
             &m_outFont, &m_termoPen, &m_pen, &m_outBrush, &m_outPen})
        Wire(*style);
    m_strCellColors.SetOnChange([this] {
        ReadCellColors();
        StyleChanged();
    });
    resize(120, 80);
}

void TDensMeter::ReadCellColors()
{
    m_cellColors.fill(0);
    const int count = std::min(MaxCells, m_strCellColors.Count());
    for (int i = 0; i < count; ++i) {
        const QString text = m_strCellColors.Line(i).trimmed();
        bool ok = false;
        const qint64 value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
            ? text.mid(2).toLongLong(&ok, 16)
            : text.toLongLong(&ok, 10);
        // An unreadable entry leaves its cell black.
        m_cellColors[i] = ok ? TColor(quint32(value)) : 0;
    }
}

// With OutMin other than 0 the bar still starts at OutMin: the value counts from there.
double TDensMeter::ValueX() const
{
    const double w = (width() - m_termoXSpace) - m_termoXSpace;
    const double k = m_outMax - m_outMin > 0 ? w / (m_outMax - m_outMin) : 0;
    return m_termoXSpace + (m_outValue - m_outMin) * k;
}

void TDensMeter::Paint(QPainter &painter)
{
    const int W = width();
    const int H = height();
    TCanvas canvas(painter);
    canvas.SetPen(m_pen);
    canvas.SetBrush(GetColor());
    canvas.Rectangle(0, 0, W, H);
    canvas.SetFont(GetFont());
    canvas.TextOut(W / 2 - canvas.TextWidth(GetCaption()) / 2, 4, GetCaption());

    const int x1 = m_termoXSpace;
    const int x2 = W - m_termoXSpace;
    const int y1 = m_termoTop;
    const int y2 = m_termoTop + m_termoHeight;
    canvas.SetPen(m_termoPen);
    canvas.SetBrush(m_termoBackColor);
    canvas.Rectangle(x1, y1, x2, y2);
    const double xv = ValueX();
    const int cells = std::clamp(m_cellCount, 0, MaxCells);
    const double c = cells > 0 ? double(x2 - x1) / cells : 0;
    for (int i = 0; i < cells; ++i) {
        const int a = int(x1 + i * c);
        const int b = int(a + c);
        if (b < xv)
            canvas.FillRect(a, y1, b, y2, m_cellColors[i]);
        else if (xv > a)
            canvas.FillRect(a, y1, int(xv), y2, m_cellColors[i]);
        canvas.Line(a, y1, a, y2 + 4);
        canvas.Line(b, y1, b, y2 + 4);
    }

    const int ox1 = m_outXSpace;
    const int ox2 = W - m_outXSpace;
    const int oy1 = m_outTop;
    const int oy2 = m_outTop + m_outHeight;
    canvas.SetPen(m_outPen);
    canvas.SetBrush(m_outBrush);
    canvas.Rectangle(ox1, oy1, ox2, oy2);
    const QString text = FormatFloat(m_outFormat, m_outValue);
    canvas.SetFont(m_outFont);
    canvas.TextOut(ox1 + (ox2 - ox1 - canvas.TextWidth(text)) / 2,
                   oy1 + (oy2 - oy1 - canvas.TextHeight(text)) / 2, text);
}

void TDensMeter::WriteConfig(TIniFile &ini, const QString &section) const
{
    const std::pair<const char *, int> integers[] = {{"TermoTop", m_termoTop},
                                                     {"TermoHeight", m_termoHeight},
                                                     {"TermoXSpace", m_termoXSpace},
                                                     {"OutTop", m_outTop},
                                                     {"TermoCellCount", m_termoCellCount},
                                                     {"CellCount", m_cellCount},
                                                     {"TermoBackColor", m_termoBackColor},
                                                     {"OutXSpace", m_outXSpace},
                                                     {"OutHeight", m_outHeight}};
    for (const auto &[key, value] : integers)
        ini.WriteInteger(section, QLatin1String(key), value);
    ini.WriteFloat(section, QStringLiteral("OutMin"), m_outMin);
    ini.WriteFloat(section, QStringLiteral("OutMax"), m_outMax);
    ini.WriteFloat(section, QStringLiteral("OutValue"), m_outValue);
    ini.WriteString(section, QStringLiteral("OutFormat"), m_outFormat);
    WritePen(ini, section, QStringLiteral("TermoPen"), m_termoPen);
    WritePen(ini, section, QStringLiteral("Pen"), m_pen);
    WriteFont(ini, section, QStringLiteral("OutFont"), m_outFont);
    WriteStrings(ini, section, QStringLiteral("StrCellColors"), m_strCellColors.Lines());
}

void TDensMeter::ReadConfig(const TIniFile &ini, const QString &section)
{
    auto readInt = [&](const char *key, int current) {
        return ini.ReadInteger(section, QLatin1String(key), current);
    };
    SetTermoTop(readInt("TermoTop", m_termoTop));
    SetTermoHeight(readInt("TermoHeight", m_termoHeight));
    SetTermoXSpace(readInt("TermoXSpace", m_termoXSpace));
    SetOutTop(readInt("OutTop", m_outTop));
    SetTermoCellCount(readInt("TermoCellCount", m_termoCellCount));
    SetCellCount(readInt("CellCount", m_cellCount));
    SetTermoBackColor(readInt("TermoBackColor", m_termoBackColor));
    SetOutXSpace(readInt("OutXSpace", m_outXSpace));
    SetOutHeight(readInt("OutHeight", m_outHeight));
    SetOutMin(ini.ReadFloat(section, QStringLiteral("OutMin"), m_outMin));
    SetOutMax(ini.ReadFloat(section, QStringLiteral("OutMax"), m_outMax));
    SetOutValue(ini.ReadFloat(section, QStringLiteral("OutValue"), m_outValue));
    SetOutFormat(ini.ReadString(section, QStringLiteral("OutFormat"), m_outFormat));
    ReadPen(ini, section, QStringLiteral("TermoPen"), m_termoPen);
    ReadPen(ini, section, QStringLiteral("Pen"), m_pen);
    ReadFont(ini, section, QStringLiteral("OutFont"), m_outFont);
    SetStrCellColors(
        ReadStrings(ini, section, QStringLiteral("StrCellColors"), m_strCellColors.Lines()));
    // Cell counts only store; what was read shows now.
    StyleChanged();
}
