#include "GroupColours.h"

#include "Paths.h"
#include "base/IniFile.h"

#include <exception>

const std::array<TGroupColourKey, GroupColourCount> GroupColourKeys {{
    {"Condition", "Кондиция", clRed},
    {"NonCondition", "Некондиция", clLime},
    {"Water", "Техническая вода", clAqua},
    {"HydroCyclone", "Гидроциклон", clYellow},
    {"ShlamWater", "Шламовая вода", clBlue},
    {"GC_mix", "Смесь", clOlive},
    {"EBM_rotor", "Ротор ЭБМ", clYellow},
    {"EBM_stator", "Статор ЭБМ", clBlue},
    {"WaterCyrcle", "Брызгала", clAqua},
}};

namespace {

TGroupColours Defaults()
{
    TGroupColours colours;
    for (int i = 0; i < GroupColourCount; ++i)
        colours[i] = GroupColourKeys[i].Default;
    return colours;
}

const QString OnSection = QStringLiteral("OnColors");
const QString OffSection = QStringLiteral("OffColors");
const QString LabelSection = QStringLiteral("AdvLabels");

} // namespace

TGroupColours OnColors = Defaults();
TGroupColours OffColors = Defaults();
TLabelFontSetting AdvLabelFont;

QString ColourText(TColor colour)
{
    return QStringLiteral("0x")
        + QString::number(quint32(colour), 16).toUpper().rightJustified(8, u'0');
}

void LoadGroupColours(const QString &settingsPath)
{
    OnColors = Defaults();
    OffColors = Defaults();
    try {
        const TIniFile ini(settingsPath);
        for (auto [section, colours] :
             {std::pair {&OnSection, &OnColors}, {&OffSection, &OffColors}}) {
            for (int i = 0; i < GroupColourCount; ++i) {
                const QString key = QString::fromLatin1(GroupColourKeys[i].Key);
                // A value that is not a colour text keeps the default.
                (*colours)[i] = ini.ReadInteger(*section, key, (*colours)[i]);
            }
        }
        AdvLabelFont.Name =
            ini.ReadString(LabelSection, QStringLiteral("FontName"), AdvLabelFont.Name);
        AdvLabelFont.Size =
            ini.ReadInteger(LabelSection, QStringLiteral("FontSize"), AdvLabelFont.Size);
        AdvLabelFont.Color =
            ini.ReadInteger(LabelSection, QStringLiteral("FontColor"), AdvLabelFont.Color);
    } catch (const std::exception &) { }
}

void SaveGroupColours(const QString &settingsPath)
{
    try {
        // The settings file also holds the scrambled password: nobody else may read it.
        if (!CreatePrivateFile(settingsPath))
            return;
        TIniFile ini(settingsPath);
        for (auto [section, colours] :
             {std::pair {&OnSection, &OnColors}, {&OffSection, &OffColors}}) {
            for (int i = 0; i < GroupColourCount; ++i)
                ini.WriteString(*section, QString::fromLatin1(GroupColourKeys[i].Key),
                                ColourText((*colours)[i]));
        }
        ini.WriteString(LabelSection, QStringLiteral("FontName"), AdvLabelFont.Name);
        ini.WriteInteger(LabelSection, QStringLiteral("FontSize"), AdvLabelFont.Size);
        ini.WriteInteger(LabelSection, QStringLiteral("FontColor"), AdvLabelFont.Color);
    } catch (const std::exception &) { }
}
