#pragma once

#include "IniFile.h"
#include "Style.h"

#include <QStringList>

// Composite keys of an element section: prefix + suffix, no separator.
//   pen P:   P+"Width", P+"Color", P+"Style" (style ordinal 0-6)
//   font P:  P+"Size",  P+"Color", P+"Name"
//   list P:  P+"Count", then P+"L"+index for each line
// Reads take the object's current values as defaults, so missing keys change nothing.
void WritePen(TIniFile &ini, const QString &section, const QString &prefix, const TPen &pen);
void ReadPen(const TIniFile &ini, const QString &section, const QString &prefix, TPen &pen);
void WriteFont(TIniFile &ini, const QString &section, const QString &prefix, const TFont &font);
void ReadFont(const TIniFile &ini, const QString &section, const QString &prefix, TFont &font);
void WriteStrings(TIniFile &ini, const QString &section, const QString &prefix,
                  const QStringList &lines);
QStringList ReadStrings(const TIniFile &ini, const QString &section, const QString &prefix,
                        const QStringList &current);
