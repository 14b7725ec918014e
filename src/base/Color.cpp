#include "Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct TSystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The classic system colour indices, each taken from the palette role that plays the same part.
TSystemRole SystemRole(int index)
{
    constexpr auto A = QPalette::Active;
    switch (index) {
    case 0:
        return {A, QPalette::Button}; // scroll bar
    case 1:
        return {A, QPalette::Window}; // desktop
    case 2:
        return {A, QPalette::Highlight}; // active caption
    case 3:
        return {QPalette::Inactive, QPalette::Highlight}; // inactive caption
    case 4:
        return {A, QPalette::Window}; // menu
    case 5:
        return {A, QPalette::Base}; // window
    case 6:
        return {A, QPalette::Shadow}; // window frame
    case 7:
        return {A, QPalette::WindowText}; // menu text
    case 8:
        return {A, QPalette::Text}; // window text
    case 9:
        return {A, QPalette::HighlightedText}; // caption text
    case 10:
        return {A, QPalette::Window}; // active border
    case 11:
        return {A, QPalette::Window}; // inactive border
    case 12:
        return {A, QPalette::Dark}; // application workspace
    case 13:
        return {A, QPalette::Highlight}; // highlight
    case 14:
        return {A, QPalette::HighlightedText}; // highlight text
    case 15:
        return {A, QPalette::Button}; // button face
    case 16:
        return {A, QPalette::Dark}; // button shadow
    case 17:
        return {QPalette::Disabled, QPalette::Text}; // grey text
    case 18:
        return {A, QPalette::ButtonText}; // button text
    case 19:
        return {QPalette::Inactive, QPalette::HighlightedText}; // inactive caption text
    case 20:
        return {A, QPalette::Light}; // button highlight
    case 21:
        return {A, QPalette::Shadow}; // 3-D dark shadow
    case 22:
        return {A, QPalette::Midlight}; // 3-D light
    case 23:
        return {A, QPalette::ToolTipText}; // info text
    case 24:
        return {A, QPalette::ToolTipBase}; // info background
    case 26:
        return {A, QPalette::Link}; // hot light
    case 27:
        return {A, QPalette::Highlight}; // gradient active caption
    case 28:
        return {QPalette::Inactive, QPalette::Highlight}; // gradient inactive caption
    case 29:
        return {A, QPalette::Highlight}; // menu highlight
    default:
        return {A, QPalette::Window}; // menu bar and unknown indices
    }
}

} // namespace

QColor ColorToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color < 0) {
        const TSystemRole r = SystemRole(color & 0xFF);
        return QGuiApplication::palette().color(r.group, r.role);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor &color)
{
    if (!color.isValid() || color.alpha() == 0)
        return clNone;
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}
