#pragma once
// Numbers as a spreadsheet writes and reads them.

#include "core/zrk_string.h"

namespace spreadlib {

// The text a spreadsheet shows for a number without a format: up to 15 significant digits, no
// trailing zeros, exponent form ("1.5E+20", "1E-05") below 1e-4 and from 1e15 on; never "-0".
Zrk_String formatGeneral(double value);
// Exactly `decimals` decimals (0..15), rounded half away from zero on the number's 15-digit decimal
// form; with separator, thousands are grouped with ",".
Zrk_String formatFixed(double value, int decimals, bool separator = false);

// Rounding on the 15-digit decimal form of the value, so that 2.675 rounds to 2.68 as written.
// digits may be negative (ROUND(1234, -2) is 1200).
double roundHalfAway(double value, int digits);
double roundTowardZero(double value, int digits);
double roundAwayFromZero(double value, int digits);

// Reads a number the way a spreadsheet reads typed text: blanks around it, a sign, digits with
// optional thousands separators in groups of three, a decimal point, an exponent, and a trailing
// percent sign (which divides by 100). False for anything else, including an empty text.
bool parseNumber(const Zrk_String& text, double& value);
// Reads a number as the VALUE function and arithmetic on texts do: parseNumber's forms, and also a
// currency sign "$" before the digits (before or after a sign: "$5", "-$5", "$-5") and a negative
// number in parentheses ("(5)", "($1,234.50)"). A cell's own text keeps parseNumber's reading.
bool parseValueText(const Zrk_String& text, double& value);

// The TEXT function's formats: sections separated by ";" (positive; negative; zero), each made of
// digit placeholders "0" and "#", one ".", "," for thousands (or, at the end of the digits, for
// thousands scaling), "%", an exponent "E+00"/"E-00", literal text in double quotes, characters after
// "\", and the characters $ - + ( ) : space / which stand for themselves. "General" and "@" are
// accepted as well. False for anything else (dates and colours are not supported).
bool formatNumberText(double value, const Zrk_String& format, Zrk_String& result);

} // namespace spreadlib
