#pragma once

#include "base/Color.h"

#include <QString>
#include <array>

// The colours of the diagram's nine colour groups, for the running and for the stopped unit, and
// the label font, kept in the settings file (sections OnColors, OffColors and AdvLabels).

inline constexpr int GroupColourCount = 9;

struct TGroupColourKey
{
    const char *Key; // key in OnColors and OffColors
    const char *Caption; // row caption of the configuration dialog
    TColor Default; // of both sets
};

// In index order: Condition, NonCondition, Water, HydroCyclone, ShlamWater, GC_mix, EBM_rotor,
// EBM_stator, WaterCyrcle.
extern const std::array<TGroupColourKey, GroupColourCount> GroupColourKeys;

using TGroupColours = std::array<TColor, GroupColourCount>;
extern TGroupColours OnColors; // colours of the running unit
extern TGroupColours OffColors; // colours of the stopped unit

struct TLabelFontSetting
{
    QString Name = QStringLiteral("Courier New Cyr");
    int Size = 8;
    TColor Color = clLime;
};
extern TLabelFontSetting AdvLabelFont;

// "0x" and eight upper-case hexadecimal digits.
QString ColourText(TColor colour);

// Both sets take their defaults, then every key is read from the settings file in index order
// (OnColors first), then the label font; the first failure ends the reading silently.
void LoadGroupColours(const QString &settingsPath);
// Writes the nine OnColors keys, the nine OffColors keys and the label font; the first failure
// ends the writing silently.
void SaveGroupColours(const QString &settingsPath);
