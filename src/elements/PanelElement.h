#pragma once

#include "base/Style.h"

#include <QString>

class QWidget;

// What every panel-based element publishes besides its own properties: the Caption text and the
// owned Font, whose edits redraw the element. Base is TGraphicElement or TCachedElement; each
// class still declares the Caption and Font properties itself (moc needs them there).
template<class Base> class TPanelElement : public Base
{
public:
    QString GetCaption() const { return m_caption; }
    void SetCaption(const QString &caption) { this->Store(m_caption, caption); }
    TFont &Font() { return m_font; }
    const TFont &GetFont() const { return m_font; }
    void SetFont(const TFont &font) { m_font.Assign(font); }

protected:
    explicit TPanelElement(QWidget *parent)
        : Base(parent)
    {
        this->Wire(m_font);
    }

private:
    QString m_caption;
    TFont m_font;
};
