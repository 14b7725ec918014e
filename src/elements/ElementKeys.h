#pragma once

#include "base/StyleKeys.h"

// The looks most elements keep in their section: pen "Pen" and the brush colour "BrushColor".
void WritePenAndBrushColor(TIniFile &ini, const QString &section, const TPen &pen,
                           const TBrush &brush);
void ReadPenAndBrushColor(const TIniFile &ini, const QString &section, TPen &pen, TBrush &brush);
