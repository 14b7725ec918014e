#pragma once

#include "CachedElement.h"
#include "PenBrushElement.h"

// Vertical placement of a value field's text.
enum TVorbinVAlign { vb_VAlignCenter, vb_VAlignTop, vb_VAlignBottom };

// One process value as formatted text in a framed box; the text may be rotated, aligned and drawn
// in a script face. The caption changes only when a different value is set.
class TOutField : public TPenBrushElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(QString OutFormat READ GetOutFormat WRITE SetOutFormat)
    Q_PROPERTY(double OutValue READ GetOutValue WRITE SetOutValue)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(int Alpha READ GetAlpha WRITE SetAlpha)
    Q_PROPERTY(bool HandWriting READ GetHandWriting WRITE SetHandWriting)
    Q_PROPERTY(TFont Font READ GetFont WRITE SetFont)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(TVorbinVAlign VAlign READ GetVAlign WRITE SetVAlign)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(QColor AlarmColor READ GetAlarmColor WRITE SetAlarmColor)

public:
    static constexpr int AlarmFrameWidth = 3;

    explicit TOutField(QWidget *parent = nullptr);

    // Unlike the other elements, the field redraws on every pen or brush assignment, even of
    // equal settings.
    void SetBrush(const TBrush &brush);
    void SetPen(const TPen &pen);
    TFont &Font() { return m_font; }
    const TFont &GetFont() const { return m_font; }
    void SetFont(const TFont &font) { m_font.Assign(font); }

    QString GetOutFormat() const { return m_outFormat; }
    // The new format shows with the next different value; the caption is not reformatted.
    void SetOutFormat(const QString &format);
    double GetOutValue() const { return m_outValue; }
    void SetOutValue(double value);
    int GetAlpha() const { return m_alpha; }
    void SetAlpha(int tenthsOfDegree);
    bool GetHandWriting() const { return m_handWriting; }
    void SetHandWriting(bool handWriting);
    TVorbinVAlign GetVAlign() const { return m_vAlign; }
    void SetVAlign(TVorbinVAlign align);
    QString GetCaption() const { return m_caption; }
    void SetCaption(const QString &caption);
    // A frame in this colour marks a value in alarm; an invalid colour draws none.
    QColor GetAlarmColor() const { return m_alarmColor; }
    void SetAlarmColor(const QColor &color);

    // The font the text is drawn with: bold as weight 600, the script family for HandWriting.
    QFont TextFont() const;

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    TFont m_font;
    QString m_outFormat = QStringLiteral("###0.0");
    double m_outValue = 0;
    int m_alpha = 0;
    bool m_handWriting = false;
    TVorbinVAlign m_vAlign = vb_VAlignCenter;
    QString m_caption;
    QColor m_alarmColor;
};
