#pragma once

#include "Color.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QString>
#include <functional>

// Pen, brush and font holders owned by an element. Any change of a sub-property calls the owner's
// notification (wired to its StyleChanged), so element->Pen().SetColor(c) repaints the element.
// The notification belongs to the holder, not to its settings: a copy (every property read hands
// one out) is detached and may outlive the element, and assigning into a holder keeps that
// holder's own notification and calls it when anything changed.
class TStyleObject
{
public:
    TStyleObject() = default;
    TStyleObject(const TStyleObject &) { }
    TStyleObject &operator=(const TStyleObject &) { return *this; }

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void Changed()
    {
        if (m_onChange)
            m_onChange();
    }

private:
    std::function<void()> m_onChange;
};

// Lets the classic face names ("Arial", "Times New Roman", "Courier New Cyr", "MS Sans Serif" ...)
// resolve to the installed metric twins for every QFont of the process; TFont::ToQFont calls it
// itself, the start-up may call it early for fonts made directly.
void InstallFontSubstitutes();

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TPen : public TStyleObject
{
public:
    TPen() = default;
    TPen(const TPen &) = default;
    TPen &operator=(const TPen &other)
    {
        Assign(other);
        return *this;
    }
    TColor Color() const { return m_color; }
    int Width() const { return m_width; }
    TPenStyle Style() const { return m_style; }
    void SetColor(TColor color);
    void SetWidth(int width);
    void SetStyle(TPenStyle style);
    // Copies the settings (not the notification); notifies once when anything changed.
    void Assign(const TPen &other);
    QPen ToQPen() const;
    bool operator==(const TPen &other) const;

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
};

class TBrush : public TStyleObject
{
public:
    TBrush() = default;
    TBrush(const TBrush &) = default;
    TBrush &operator=(const TBrush &other)
    {
        Assign(other);
        return *this;
    }
    TColor Color() const { return m_color; }
    TBrushStyle Style() const { return m_style; }
    void SetColor(TColor color);
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush &other);
    QBrush ToQBrush() const;
    bool operator==(const TBrush &other) const;

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

class TFont : public TStyleObject
{
public:
    TFont() = default;
    TFont(const TFont &) = default;
    TFont &operator=(const TFont &other)
    {
        Assign(other);
        return *this;
    }
    QString Name() const { return m_name; }
    int Size() const; // points
    int Height() const; // pixels at 96 dpi, negative as in a logical font
    TColor Color() const { return m_color; }
    int Style() const { return m_style; } // TFontStyle flags
    void SetName(const QString &name);
    void SetSize(int points);
    void SetHeight(int pixels);
    void SetColor(TColor color);
    void SetStyle(int styleFlags);
    void Assign(const TFont &other);
    // A QFont of this face and pixel height; bold maps to the given weight.
    QFont ToQFont(int boldWeight = 700) const;
    bool operator==(const TFont &other) const;

private:
    QString m_name = QStringLiteral("MS Sans Serif");
    // The height is what a logical font keeps; the size in points follows from it (8 pt at 96 dpi).
    int m_height = -11;
    TColor m_color = clWindowText;
    int m_style = 0;
};
