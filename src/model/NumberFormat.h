#pragma once

// The number forms of user-facing texts, each in the current default locale
// (QLocale()), written once here so that every screen formats alike.

#include <QString>

namespace NumberFormat {

// A decimal number with exactly `fractionDigits` digits after the decimal point
// ("1.00", "2.1"). A value that rounds to zero is written without a minus sign.
QString fixed(double value, int fractionDigits);

// The locale's default decimal form: grouped, at most `maxFractionDigits` (six by
// default) fraction digits, no trailing zeros ("1", "0.5", "1,234.25").
QString decimal(double value, int maxFractionDigits = 6);

// A whole number with the locale's digit grouping ("1,000", "-12,345").
QString grouped(qint64 value);

// A whole number in short compact notation ("999", "1K", "1.5K", "12M", "2.1B",
// "3T"): scaled to thousands, millions, billions or trillions, then rounded half to
// even to two significant digits, or to a whole number when there are more. A value
// that rounds up to the next scale takes that scale (999,999 gives "1M"). Past
// 999T the count of trillions keeps growing ("1000T", "10,000T"). The suffixes are
// the English ones in every locale; sign, digits and decimal point are the locale's.
QString compact(qint64 value);

} // namespace NumberFormat
