#include "Element.h"

#include "base/Feedback.h"
#include "base/IniFile.h"
#include "base/Style.h"

#include <QEvent>

TElement::TElement(QWidget *parent)
    : TClickable<QWidget>(parent)
{ }

void TElement::SetColor(TColor color)
{
    Store(m_color, color);
}

void TElement::SetTransparent(bool transparent)
{
    SetIfChanged(m_transparent, transparent, [this] {
        TransparencyChanged();
        StyleChanged();
    });
}

void TElement::TransparencyChanged() { }

void TElement::SetAlign(TAlign align)
{
    SetIfChanged(m_align, align, [this] { KeepAligned(parentWidget()); });
}

bool TElement::event(QEvent *event)
{
    const bool handled = TClickable<QWidget>::event(event);
    if (event->type() == QEvent::ParentChange && m_align != alNone)
        KeepAligned(parentWidget());
    return handled;
}

void TElement::StyleChanged()
{
    update();
}

void TElement::WriteConfig(TIniFile &, const QString &) const { }

void TElement::ReadConfig(const TIniFile &, const QString &) { }

bool TElement::SaveConfig()
{
    try {
        TIniFile ini(m_configName);
        WriteConfig(ini, objectName());
        return true;
    } catch (...) {
        return false;
    }
}

bool TElement::LoadConfig(const QString &section)
{
    try {
        const TIniFile ini(m_configName);
        ReadConfig(ini, section.isEmpty() ? objectName() : section);
        return true;
    } catch (...) {
        return false;
    }
}

bool TElement::SafePaint(QPainter &painter)
{
    try {
        Paint(painter);
        return true;
    } catch (...) {
        Beep();
        return false;
    }
}

void TElement::Wire(TStyleObject &style)
{
    style.SetOnChange([this] { StyleChanged(); });
}
