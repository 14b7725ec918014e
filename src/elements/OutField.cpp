#include "OutField.h"

#include "Canvas.h"
#include "ElementKeys.h"
#include "base/Formats.h"

#include <QFontMetrics>
#include <QPen>
#include <cmath>

TOutField::TOutField(QWidget *parent)
    : TPenBrushElement(parent)
{
    m_font.SetName(QStringLiteral("Times New Roman"));
    m_font.SetSize(10);
    Wire(m_font);
    resize(185, 41);
}

void TOutField::SetBrush(const TBrush &brush)
{
    TPenBrushElement::SetBrush(brush);
    StyleChanged();
}

void TOutField::SetPen(const TPen &pen)
{
    TPenBrushElement::SetPen(pen);
    StyleChanged();
}

void TOutField::SetOutFormat(const QString &format)
{
    Store(m_outFormat, format);
}

void TOutField::SetOutValue(double value)
{
    if (m_outValue == value)
        return;
    // Format first: a failing format leaves the stored value as it was.
    const QString caption = FormatFloat(m_outFormat, value);
    m_outValue = value;
    m_caption = caption;
    StyleChanged();
}

void TOutField::SetAlpha(int tenthsOfDegree)
{
    Store(m_alpha, tenthsOfDegree);
}

void TOutField::SetHandWriting(bool handWriting)
{
    Store(m_handWriting, handWriting);
}

void TOutField::SetVAlign(TVorbinVAlign align)
{
    Store(m_vAlign, align);
}

void TOutField::SetCaption(const QString &caption)
{
    Store(m_caption, caption);
}

void TOutField::SetAlarmColor(const QColor &color)
{
    Store(m_alarmColor, color);
}

QFont TOutField::TextFont() const
{
    QFont font = m_font.ToQFont(600);
    if (m_handWriting)
        font.setStyleHint(QFont::Cursive);
    return font;
}

void TOutField::Paint(QPainter &painter)
{
    TCanvas canvas(painter);
    if (!GetTransparent()) {
        canvas.SetPen(GetPen());
        canvas.SetBrush(GetBrush());
        canvas.Rectangle(0, 0, width(), height());
    }
    const QFont font = TextFont();
    const QFontMetrics metrics(font, painter.device());
    const double c = metrics.horizontalAdvance(m_caption) / 2.0;
    const double d = metrics.height() / 2.0;
    const double r = std::sqrt(c * c + d * d);
    const double x0 = width() / 2.0;
    double y0 = height() / 2.0;
    if (m_vAlign == vb_VAlignTop)
        y0 = metrics.height() + 1;
    else if (m_vAlign == vb_VAlignBottom)
        y0 = height() - metrics.height();
    // The reference point is the text's top-left corner: from the anchor, go to where that
    // corner lies after turning the text by Alpha around its centre.
    const double phi = m_alpha * 0.1 * M_PI / 180.0 + std::atan2(d, -c);
    const int x = int(r * std::cos(phi) + x0);
    const int y = int(y0 - r * std::sin(phi));
    painter.save();
    painter.setFont(font);
    painter.setPen(ColorToQColor(m_font.Color()));
    painter.translate(x, y);
    painter.rotate(-m_alpha / 10.0);
    painter.drawText(0, metrics.ascent(), m_caption);
    painter.restore();
    if (m_alarmColor.isValid()) {
        const int w = AlarmFrameWidth;
        painter.setPen(QPen(m_alarmColor, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(w / 2.0, w / 2.0, width() - w, height() - w));
    }
}

void TOutField::WriteConfig(TIniFile &ini, const QString &section) const
{
    WritePen(ini, section, QStringLiteral("Pen"), GetPen());
    WriteFont(ini, section, QStringLiteral("Font"), m_font);
    ini.WriteString(section, QStringLiteral("OutFormat"), m_outFormat);
    ini.WriteInteger(section, QStringLiteral("BrushColor"), GetBrush().Color());
}

void TOutField::ReadConfig(const TIniFile &ini, const QString &section)
{
    // The format stays as designed; only the looks are read back.
    ReadPenAndBrushColor(ini, section, Pen(), Brush());
    ReadFont(ini, section, QStringLiteral("Font"), m_font);
}
