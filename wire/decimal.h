#pragma once

#include <QLocale>
#include <QString>

namespace wire {

// The decimal text of v rounded to `decimals` places, halves away from
// zero, with '.' as the separator ("1234.57"). Rounding works on the
// shortest text that reads back as v, so 1234.565 rounds up as a person
// expects although its binary value lies a hair below.
QString roundedDecimalText(double v, int decimals);

// Money rounding: two decimals, halves away from zero.
double round2(double v);

// Formats v with a display pattern such as "#,###,##0.00": '0' is a
// required digit, '#' an optional one, a ',' before the decimal point
// switches on digit grouping, '.' marks the decimal point. Separators and
// the minus sign come from the locale (Turkish: 1.234,57).
QString formatFloat(double v, const QString &pattern, const QLocale &locale);

} // namespace wire
