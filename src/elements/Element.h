#pragma once

#include "Align.h"
#include "Clickable.h"
#include "base/Color.h"

#include <QWidget>

class TIniFile;
class TStyleObject;
class QPainter;

// What every plant element shares: the colour-group Tag, the click slot, the element section of
// its colour file, and painting that never lets an error escape (a failure only beeps).
class TElement : public TClickable<QWidget>
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)

public:
    explicit TElement(QWidget *parent = nullptr);

    int GetTag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    QString GetConfigName() const { return m_configName; }
    void SetConfigName(const QString &name) { m_configName = name; }
    // Writes this element's keys into the section named after objectName(); false when the file
    // could not be written.
    bool SaveConfig();
    // Reads this element's keys from the given section (its own when empty), each key defaulting
    // to the current value, so a missing file, section or key changes nothing.
    bool LoadConfig(const QString &section = QString());

    TColor GetColor() const { return m_color; }
    void SetColor(TColor color);
    bool GetTransparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    // Published by the classes that offer it; an aligned element follows its parent's size.
    TAlign GetAlign() const { return m_align; }
    void SetAlign(TAlign align);

    // A look-affecting change: invalidates (and marks the cache dirty where there is one).
    virtual void StyleChanged();
    void UpdateChanges() { StyleChanged(); }

protected:
    // Published-property storage: compare, store, and redraw only on a change.
    template<class T> void Store(T &stored, const T &value);

    // The element's own keys; the default element has none.
    virtual void WriteConfig(TIniFile &ini, const QString &section) const;
    virtual void ReadConfig(const TIniFile &ini, const QString &section);

    // Draws the figure; may throw, the caller beeps.
    virtual void Paint(QPainter &painter) = 0;
    // Runs Paint inside the catch-all; false when it failed.
    bool SafePaint(QPainter &painter);

    // Routes the edits of an owned pen, brush, font or list to StyleChanged.
    void Wire(TStyleObject &style);
    // Transparency changes whether the element covers all of its pixels.
    virtual void TransparencyChanged();
    bool event(QEvent *event) override;

private:
    int m_tag = 0;
    QString m_configName;
    TColor m_color = clBtnFace;
    bool m_transparent = false;
    TAlign m_align = alNone;
};

// Storage of a published property: compare, store, then react only on a change.
template<class T, class F> void SetIfChanged(T &stored, const T &value, F &&onChange)
{
    if (stored == value)
        return;
    stored = value;
    onChange();
}

template<class T> void TElement::Store(T &stored, const T &value)
{
    SetIfChanged(stored, value, [this] { StyleChanged(); });
}
