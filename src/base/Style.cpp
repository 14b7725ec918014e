#include "Style.h"

#include <cstdlib>

namespace {

// a * b / c rounded half away from zero, as the classic MulDiv does.
int MulDiv(int a, int b, int c)
{
    const qint64 product = qint64(a) * b;
    const qint64 half = c / 2;
    return int((product >= 0 ? product + half : product - half) / c);
}

constexpr int kScreenDpi = 96;
constexpr int kDefaultPixelSize = 11; // 8 points at 96 dpi

} // namespace

void InstallFontSubstitutes()
{
    static const bool installed = [] {
        const QStringList sans {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
        const QStringList serif {QStringLiteral("Liberation Serif"),
                                 QStringLiteral("DejaVu Serif")};
        const QStringList mono {QStringLiteral("Liberation Mono"),
                                QStringLiteral("DejaVu Sans Mono")};
        for (const char *face : {"Arial", "Arial Cyr", "MS Sans Serif", "Microsoft Sans Serif",
                                 "Tahoma", "Verdana", "System"})
            QFont::insertSubstitutions(QString::fromLatin1(face), sans);
        for (const char *face : {"Times New Roman", "Times New Roman Cyr", "MS Serif"})
            QFont::insertSubstitutions(QString::fromLatin1(face), serif);
        for (const char *face : {"Courier New", "Courier New Cyr", "Courier"})
            QFont::insertSubstitutions(QString::fromLatin1(face), mono);
        return true;
    }();
    Q_UNUSED(installed);
}

void TPen::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (m_width == width)
        return;
    m_width = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}

void TPen::Assign(const TPen &other)
{
    if (*this == other)
        return;
    m_color = other.m_color;
    m_width = other.m_width;
    m_style = other.m_style;
    Changed();
}

QPen TPen::ToQPen() const
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                          Qt::SolidLine};
    const Qt::PenStyle style =
        m_style >= psSolid && m_style <= psInsideFrame ? styles[m_style] : Qt::SolidLine;
    // Width 0 (and any width below 1) is the one-pixel cosmetic pen.
    QPen pen(ColorToQColor(m_color), qMax(m_width, 0), style, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

bool TPen::operator==(const TPen &other) const
{
    return m_color == other.m_color && m_width == other.m_width && m_style == other.m_style;
}

void TBrush::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}

void TBrush::Assign(const TBrush &other)
{
    if (*this == other)
        return;
    m_color = other.m_color;
    m_style = other.m_style;
    Changed();
}

QBrush TBrush::ToQBrush() const
{
    // The classic forward diagonal rises to the right, which Qt calls the backward one.
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::BDiagPattern,    Qt::FDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle style =
        m_style >= bsSolid && m_style <= bsDiagCross ? styles[m_style] : Qt::SolidPattern;
    return QBrush(ColorToQColor(m_color), style);
}

bool TBrush::operator==(const TBrush &other) const
{
    return m_color == other.m_color && m_style == other.m_style;
}

int TFont::Size() const
{
    return -MulDiv(m_height, 72, kScreenDpi);
}

int TFont::Height() const
{
    return m_height;
}

void TFont::SetName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    Changed();
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kScreenDpi, 72));
}

void TFont::SetHeight(int pixels)
{
    if (m_height == pixels)
        return;
    m_height = pixels;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

void TFont::SetStyle(int styleFlags)
{
    if (m_style == styleFlags)
        return;
    m_style = styleFlags;
    Changed();
}

void TFont::Assign(const TFont &other)
{
    if (*this == other)
        return;
    m_name = other.m_name;
    m_height = other.m_height;
    m_color = other.m_color;
    m_style = other.m_style;
    Changed();
}

QFont TFont::ToQFont(int boldWeight) const
{
    InstallFontSubstitutes();
    QFont font(m_name);
    // Height 0 asks for the default size, as it does for a logical font.
    font.setPixelSize(m_height == 0 ? kDefaultPixelSize : std::abs(m_height));
    font.setWeight(m_style & fsBold ? QFont::Weight(boldWeight) : QFont::Normal);
    font.setItalic(m_style & fsItalic);
    font.setUnderline(m_style & fsUnderline);
    font.setStrikeOut(m_style & fsStrikeOut);
    return font;
}

bool TFont::operator==(const TFont &other) const
{
    return m_name == other.m_name && m_height == other.m_height && m_color == other.m_color
        && m_style == other.m_style;
}
