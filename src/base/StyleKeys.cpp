#include "StyleKeys.h"

namespace {

// A list longer than this is a damaged file, not a list anyone wrote.
constexpr int kMaxListLines = 100000;

} // namespace

void WritePen(TIniFile &ini, const QString &section, const QString &prefix, const TPen &pen)
{
    ini.WriteInteger(section, prefix + QStringLiteral("Width"), pen.Width());
    ini.WriteInteger(section, prefix + QStringLiteral("Color"), pen.Color());
    ini.WriteInteger(section, prefix + QStringLiteral("Style"), pen.Style());
}

void ReadPen(const TIniFile &ini, const QString &section, const QString &prefix, TPen &pen)
{
    pen.SetWidth(ini.ReadInteger(section, prefix + QStringLiteral("Width"), pen.Width()));
    pen.SetColor(ini.ReadInteger(section, prefix + QStringLiteral("Color"), pen.Color()));
    const int style = ini.ReadInteger(section, prefix + QStringLiteral("Style"), pen.Style());
    if (style >= psSolid && style <= psInsideFrame)
        pen.SetStyle(TPenStyle(style));
}

void WriteFont(TIniFile &ini, const QString &section, const QString &prefix, const TFont &font)
{
    ini.WriteInteger(section, prefix + QStringLiteral("Size"), font.Size());
    ini.WriteInteger(section, prefix + QStringLiteral("Color"), font.Color());
    ini.WriteString(section, prefix + QStringLiteral("Name"), font.Name());
}

void ReadFont(const TIniFile &ini, const QString &section, const QString &prefix, TFont &font)
{
    // Only a size that differs is set: going through points could round the pixel height.
    const int size = ini.ReadInteger(section, prefix + QStringLiteral("Size"), font.Size());
    if (size != font.Size())
        font.SetSize(size);
    font.SetColor(ini.ReadInteger(section, prefix + QStringLiteral("Color"), font.Color()));
    font.SetName(ini.ReadString(section, prefix + QStringLiteral("Name"), font.Name()));
}

void WriteStrings(TIniFile &ini, const QString &section, const QString &prefix,
                  const QStringList &lines)
{
    ini.WriteInteger(section, prefix + QStringLiteral("Count"), int(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        ini.WriteString(section, prefix + QStringLiteral("L") + QString::number(i), lines[i]);
}

QStringList ReadStrings(const TIniFile &ini, const QString &section, const QString &prefix,
                        const QStringList &current)
{
    const int count =
        ini.ReadInteger(section, prefix + QStringLiteral("Count"), int(current.size()));
    if (count < 0 || count > kMaxListLines)
        return current;
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(ini.ReadString(section, prefix + QStringLiteral("L") + QString::number(i),
                                    current.value(i)));
    return lines;
}
