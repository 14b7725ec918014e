#pragma once

#include "Moment.h"

#include <QLocale>
#include <QString>

// Number picture: "0" digit always shown, "#" digit if significant, "." locale decimal separator,
// "," thousands grouping, "E+"/"E-" scientific, quoted literals, up to three ";" sections
// (positive, negative, zero), every other character copied; rounding half away from zero.
QString FormatFloat(const QString &pattern, double value, const QLocale &locale = QLocale());

// Date-time picture: d/dd, m/mm (minutes right after an hour specifier), yy/yyyy, h/hh, n/nn,
// s/ss, every other character copied.
QString FormatDateTime(const QString &pattern, TMoment moment);

// The general float text: shortest text with up to 15 significant digits, the locale's decimal
// separator.
QString FloatToStr(double value, const QLocale &locale = QLocale());
// Strict parse of that text (the locale's decimal separator only, blanks around allowed).
bool TryStrToFloat(const QString &text, double &value, const QLocale &locale = QLocale());
// Tolerant parse: accepts "." or "," as the decimal separator whatever the locale.
bool TryStrToFloatTolerant(const QString &text, double &value);
