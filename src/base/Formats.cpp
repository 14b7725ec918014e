#include "Formats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// A non-negative decimal 0.d1d2d3... x 10^exponent with at most 15 significant digits and no
// trailing zeros; no digits means zero. Rounding is done on this text, not on the binary double, so
// 0.15 rounds up like the 0.15 the operator reads.
struct TDecimal
{
    std::string digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }

    void StripTrailingZeros()
    {
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        if (digits.empty())
            exponent = 0;
    }

    // Keeps the first `keep` significant digits, rounding half away from zero.
    void Round(int keep)
    {
        if (keep >= int(digits.size()))
            return;
        if (keep < 0) {
            *this = {};
            return;
        }
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
        StripTrailingZeros();
    }
};

TDecimal ToDecimal(double magnitude)
{
    TDecimal d;
    if (magnitude == 0)
        return d;
    char text[40];
    const auto result =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
    const std::string_view s(text, result.ptr); // d.ddddddddddddddde[+-]x
    const size_t e = s.find('e');
    d.digits.push_back(s[0]);
    d.digits.append(s.substr(2, e - 2));
    d.exponent = std::atoi(std::string(s.substr(e + 1)).c_str()) + 1;
    d.StripTrailingZeros();
    return d;
}

bool IsQuote(QChar c)
{
    return c == u'\'' || c == u'"';
}

// Index just past the quoted text that starts at `open` (the closing quote, or the end).
qsizetype SkipQuoted(QStringView text, qsizetype open)
{
    const qsizetype close = text.indexOf(text[open], open + 1);
    return close < 0 ? text.size() : close + 1;
}

bool IsExponentAt(QStringView text, qsizetype i)
{
    return (text[i] == u'E' || text[i] == u'e') && i + 1 < text.size()
        && (text[i + 1] == u'+' || text[i + 1] == u'-');
}

// The up to three ";"-separated sections of a number picture; quoted ";" do not separate.
struct TSections
{
    QStringView part[3];
    int count = 0;

    explicit TSections(QStringView pattern)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < pattern.size();) {
            if (IsQuote(pattern[i])) {
                i = SkipQuoted(pattern, i);
            } else if (pattern[i] == u';') {
                part[count++] = pattern.mid(start, i - start);
                if (count == 3)
                    return; // anything after a third ";" is ignored
                start = ++i;
            } else {
                ++i;
            }
        }
        part[count++] = pattern.mid(start);
    }

    // The section for `index`, or the first one when that section is missing or empty.
    int Pick(int index) const { return index < count && !part[index].isEmpty() ? index : 0; }
};

// What one section asks for, gathered before any digit is written.
struct TPicture
{
    int digitCount = 0; // placeholders "0" and "#"
    int decimalIndex = -1; // placeholders before the decimal point
    int firstDigit = 32767; // placeholder index of the first "0"
    int lastDigit = 0; // placeholder index just past the last "0"
    bool thousands = false;
    bool scientific = false;

    explicit TPicture(QStringView section)
    {
        for (qsizetype i = 0; i < section.size();) {
            const QChar c = section[i];
            if (IsQuote(c)) {
                i = SkipQuoted(section, i);
                continue;
            }
            if (c == u'#' || c == u'0') {
                if (c == u'0') {
                    firstDigit = std::min(firstDigit, digitCount);
                    lastDigit = digitCount + 1;
                }
                ++digitCount;
            } else if (c == u'.') {
                if (decimalIndex < 0)
                    decimalIndex = digitCount;
            } else if (c == u',') {
                thousands = true;
            } else if (IsExponentAt(section, i)) {
                scientific = true;
                i += 2;
                while (i < section.size() && section[i] == u'0')
                    ++i;
                continue;
            }
            ++i;
        }
        if (decimalIndex < 0)
            decimalIndex = digitCount;
        lastDigit = std::min(decimalIndex - lastDigit, 0);
        firstDigit = std::max(decimalIndex - firstDigit, 0);
    }

    // Significant digits to keep of a value whose decimal exponent is `exponent`.
    int Keep(int exponent) const
    {
        return scientific ? std::max(digitCount, 1) : exponent + digitCount - decimalIndex;
    }
};

// Writes one section's picture with the digits of a rounded value, the classic way: digits fill
// the placeholders from the decimal point outwards, surplus integer digits go to the first
// placeholder, "#" drops insignificant zeros.
class TPictureWriter
{
public:
    TPictureWriter(QStringView section, const TPicture &picture, const TDecimal &value,
                   const QLocale &locale)
        : section(section)
        , picture(picture)
        , value(value)
        , decimalSep(locale.decimalPoint())
        , groupSep(locale.groupSeparator())
    {
        if (picture.scientific && !value.IsZero()) {
            digitDelta = 0;
            digitPlace = picture.decimalIndex;
            shownExponent = value.exponent - picture.decimalIndex;
        } else {
            digitDelta = value.exponent - picture.decimalIndex;
            digitPlace = digitDelta > 0 ? value.exponent : picture.decimalIndex;
        }
    }

    QString Write(bool minus)
    {
        if (minus)
            out += u'-';
        for (qsizetype i = 0; i < section.size();) {
            const QChar c = section[i];
            if (c == u'#' || c == u'0') {
                PutPlaceholder();
                ++i;
            } else if (c == u'.' || c == u',') {
                ++i; // the separators are written with the digits
            } else if (IsQuote(c)) {
                const qsizetype end = SkipQuoted(section, i);
                const qsizetype textEnd = end > i + 1 && section[end - 1] == c ? end - 1 : end;
                PutLiteral(section.mid(i + 1, textEnd - i - 1));
                i = end;
            } else if (IsExponentAt(section, i)) {
                i = PutExponent(i);
            } else {
                PutLiteral(section.mid(i, 1));
                ++i;
            }
        }
        return out;
    }

private:
    void WriteDigit(char digit)
    {
        if (digitPlace == 0)
            out += decimalSep;
        out += QLatin1Char(digit);
        --digitPlace;
        if (picture.thousands && digitPlace > 0 && digitPlace % 3 == 0)
            out += groupSep;
    }

    void NextDigit()
    {
        if (digitIndex < value.digits.size())
            WriteDigit(value.digits[digitIndex++]);
        else if (digitPlace > picture.lastDigit)
            WriteDigit('0');
    }

    void PutPlaceholder()
    {
        if (digitDelta < 0) {
            ++digitDelta;
            if (digitPlace <= picture.firstDigit)
                WriteDigit('0');
            else
                --digitPlace;
            return;
        }
        for (; digitDelta > 0; --digitDelta)
            NextDigit();
        NextDigit();
    }

    // Every literal is copied where it stands, also the blanks of "# ### ##0.0" before the first
    // digit: they keep the number's columns in place.
    void PutLiteral(QStringView text) { out += text; }

    qsizetype PutExponent(qsizetype i)
    {
        out += section[i];
        const QChar sign = section[i + 1];
        i += 2;
        int minDigits = 0;
        for (; i < section.size() && section[i] == u'0'; ++i)
            ++minDigits;
        if (shownExponent < 0)
            out += u'-';
        else if (sign == u'+')
            out += u'+';
        out += QString::number(std::abs(shownExponent)).rightJustified(minDigits, u'0');
        return i;
    }

    QStringView section;
    const TPicture &picture;
    const TDecimal &value;
    QString decimalSep;
    QString groupSep;
    QString out;
    size_t digitIndex = 0;
    int digitDelta = 0;
    int digitPlace = 0;
    int shownExponent = 0;
};

// Decimal exponent from which a fixed picture gives up and writes the general text (1e18).
constexpr int MaxFixedExponent = 18;

bool ParseDecimal(QStringView text, const QString &separator1, const QString &separator2,
                  double &value)
{
    text = text.trimmed();
    std::string ascii;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ascii += char(text[i++].unicode());
    int mantissaDigits = 0;
    bool point = false;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            ascii += char(c.unicode());
            ++mantissaDigits;
            ++i;
        } else if (!point && text.mid(i).startsWith(separator1)) {
            ascii += '.';
            point = true;
            i += separator1.size();
        } else if (!point && text.mid(i).startsWith(separator2)) {
            ascii += '.';
            point = true;
            i += separator2.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ascii += char(text[i++].unicode());
        int exponentDigits = 0;
        for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++exponentDigits)
            ascii += char(text[i].unicode());
        if (exponentDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    // from_chars takes no "+" and is independent of the C library's locale.
    const char *begin = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    const char *end = ascii.data() + ascii.size();
    double parsed = 0;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

QString TwoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

QString FormatFloat(const QString &pattern, double value, const QLocale &locale)
{
    if (pattern.isEmpty() || !std::isfinite(value))
        return FloatToStr(value, locale);
    const TSections sections(pattern);
    const TDecimal exact = ToDecimal(std::fabs(value));

    int index = sections.Pick(exact.IsZero() ? 2 : value < 0 ? 1 : 0);
    TPicture picture(sections.part[index]);
    if (!picture.scientific && exact.exponent > MaxFixedExponent)
        return FloatToStr(value, locale);
    TDecimal shown = exact;
    shown.Round(picture.Keep(shown.exponent));
    if (shown.IsZero() && index != sections.Pick(2)) {
        // Rounded away to nothing: written as zero, by the zero section when there is one.
        index = sections.Pick(2);
        picture = TPicture(sections.part[index]);
    }
    if (sections.part[index].isEmpty())
        return FloatToStr(value, locale);
    // Only the first section carries no sign of its own for a negative value.
    const bool minus = value < 0 && !shown.IsZero() && index == 0;
    return TPictureWriter(sections.part[index], picture, shown, locale).Write(minus);
}

QString FormatDateTime(const QString &pattern, TMoment moment)
{
    QDate date;
    QTime time;
    DecodeMoment(moment, date, time);
    if (!date.isValid())
        return {};
    const QLocale locale;
    QString out;
    char lastToken = 0;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (IsQuote(c)) {
            const qsizetype end = SkipQuoted(pattern, i);
            const qsizetype textEnd = end > i + 1 && pattern[end - 1] == c ? end - 1 : end;
            out += QStringView(pattern).mid(i + 1, textEnd - i - 1);
            i = end;
            continue;
        }
        const char16_t lower = c.toLower().unicode();
        if (lower < u'a' || lower > u'z') {
            out += c;
            ++i;
            continue;
        }
        qsizetype count = 1;
        while (i + count < pattern.size() && pattern[i + count].toLower() == QChar(lower))
            ++count;
        char token = char(lower - u'a' + 'A');
        // "mm" right after an hour specifier means minutes, even across ":" or blanks.
        if (token == 'M' && lastToken == 'H')
            token = 'N';
        lastToken = token;
        switch (token) {
        case 'Y':
            out += count <= 2 ? TwoDigits(date.year() % 100)
                              : QString::number(date.year()).rightJustified(4, u'0');
            break;
        case 'M':
            if (count <= 2)
                out += count == 1 ? QString::number(date.month()) : TwoDigits(date.month());
            else
                out += locale.standaloneMonthName(
                    date.month(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'D':
            if (count <= 2)
                out += count == 1 ? QString::number(date.day()) : TwoDigits(date.day());
            else
                out += locale.standaloneDayName(
                    date.dayOfWeek(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'H':
            out += count == 1 ? QString::number(time.hour()) : TwoDigits(time.hour());
            break;
        case 'N':
            out += count == 1 ? QString::number(time.minute()) : TwoDigits(time.minute());
            break;
        case 'S':
            out += count == 1 ? QString::number(time.second()) : TwoDigits(time.second());
            break;
        case 'Z':
            out += count == 1 ? QString::number(time.msec())
                              : QString::number(time.msec()).rightJustified(3, u'0');
            break;
        default:
            out += QStringView(pattern).mid(i, count);
            break;
        }
        i += count;
    }
    return out;
}

QString FloatToStr(double value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const TDecimal d = ToDecimal(std::fabs(value));
    if (d.IsZero())
        return QStringLiteral("0");
    const QString separator = locale.decimalPoint();
    const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
    QString out = value < 0 ? QStringLiteral("-") : QString();
    const int exponent = d.exponent - 1; // of the form d.ddd x 10^exponent
    if (exponent < -5 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1)
            out += separator + digits.mid(1);
        out += u'E' + QString::number(exponent);
    } else if (d.exponent <= 0) {
        out += u'0' + separator + QString(-d.exponent, u'0') + digits;
    } else {
        out += digits.left(d.exponent).leftJustified(d.exponent, u'0');
        if (digits.size() > d.exponent)
            out += separator + digits.mid(d.exponent);
    }
    return out;
}

bool TryStrToFloat(const QString &text, double &value, const QLocale &locale)
{
    const QString separator = locale.decimalPoint();
    return ParseDecimal(text, separator, separator, value);
}

bool TryStrToFloatTolerant(const QString &text, double &value)
{
    return ParseDecimal(text, QStringLiteral("."), QStringLiteral(","), value);
}
