#include "ElementKeys.h"

void WritePenAndBrushColor(TIniFile &ini, const QString &section, const TPen &pen,
                           const TBrush &brush)
{
    WritePen(ini, section, QStringLiteral("Pen"), pen);
    ini.WriteInteger(section, QStringLiteral("BrushColor"), brush.Color());
}

void ReadPenAndBrushColor(const TIniFile &ini, const QString &section, TPen &pen, TBrush &brush)
{
    ReadPen(ini, section, QStringLiteral("Pen"), pen);
    brush.SetColor(ini.ReadInteger(section, QStringLiteral("BrushColor"), brush.Color()));
}
