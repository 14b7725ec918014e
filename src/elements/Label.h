#pragma once

#include "Clickable.h"
#include "base/Style.h"

#include <QLabel>

// The plain text label of the diagrams, with a colour-group Tag, a click slot and an owned Font
// whose edits (face, size, colour, style) show at once; an unedited label keeps its parent's font.
class TLabel : public TClickable<QLabel>
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(TFont Font READ GetFont WRITE SetFont)

public:
    explicit TLabel(QWidget *parent = nullptr);

    int GetTag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    TFont &Font() { return m_font; }
    const TFont &GetFont() const { return m_font; }
    void SetFont(const TFont &font) { m_font.Assign(font); }

private:
    // Carries the font holder onto the label: face and size as its font, colour as its text.
    void ApplyFont();

    int m_tag = 0;
    TFont m_font;
};
