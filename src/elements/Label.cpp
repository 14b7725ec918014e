#include "Label.h"

TLabel::TLabel(QWidget *parent)
    : TClickable<QLabel>(parent)
{
    // Until its font is edited the label follows its parent's font, as a designed label does.
    m_font.SetOnChange([this] { ApplyFont(); });
}

void TLabel::ApplyFont()
{
    setFont(m_font.ToQFont());
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ColorToQColor(m_font.Color()));
    setPalette(colours);
}
