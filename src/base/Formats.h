#pragma once

#include "Moment.h"

#include <QLocale>
#include <QString>

// Number picture: "0" digit always shown, "#" digit if significant, "." locale decimal separator,
// "," thousands grouping, "E+"/"E-" scientific, quoted literals, up to three ";" sections
// (positive, negative, zero), every other character copied; rounding half away from zero.
// Literals between placeholders are copied also before the first digit: "# ### ##0.0" gives
// "  12.3" for 12.3, so numbers written one under another keep their columns.
// A negative value in the first section gets a leading "-"; one that rounds to zero shows as zero.
// Empty pattern, NaN, infinities and fixed pictures of values from 1e18 give the general text.
QString FormatFloat(const QString &pattern, double value, const QLocale &locale = QLocale());

// Date-time picture: d/dd, m/mm (minutes right after an hour specifier), yy/yyyy, h/hh, n/nn,
// s/ss, z/zzz (milliseconds), ddd/dddd and mmm/mmmm (the default locale's day and month names),
// quoted literals; every other character copied. Empty text for a moment that is not a date.
QString FormatDateTime(const QString &pattern, TMoment moment);

// The general float text: shortest text with up to 15 significant digits, the locale's decimal
// separator; exponent form ("1E20", "1.5E-6") below 1e-5 and from 1e15; "NAN", "INF", "-INF".
QString FloatToStr(double value, const QLocale &locale = QLocale());
// Strict parse of that text (the locale's decimal separator only, blanks around allowed).
bool TryStrToFloat(const QString &text, double &value, const QLocale &locale = QLocale());
// Tolerant parse: accepts "." or "," as the decimal separator whatever the locale.
bool TryStrToFloatTolerant(const QString &text, double &value);
