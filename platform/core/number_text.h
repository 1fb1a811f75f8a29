#pragma once
// Numbers read from text the way the product has always read them: the leading numeric part of the
// text counts, and a text that does not start with a number gives 0. Unlike the C library's atof
// and atoi these do not depend on the process locale (Qt sets it from the environment), so "2.5"
// reads as 2.5 on every machine.

#include "core/zrk_string.h"

namespace core {

// Leading blanks are skipped; then an optional sign, digits with an optional decimal point and an
// optional exponent. "12.5mm" gives 12.5, "abc" and "" give 0. Infinity, NaN, hexadecimal forms and
// numbers too large for a double are not numbers here and give 0, so that they never reach a macro.
double toDouble(const Zrk_String& text);
// Strict: true when the whole text (blanks around it allowed) is a finite number as isNumber accepts
// it; value is then that number. "12mm", "" and "1e999" are refused and leave value alone.
bool parseNumber(const Zrk_String& text, double& value);
// Leading blanks, an optional sign and decimal digits; "3.9" gives 3, "x" gives 0. Values beyond the
// range of int are clamped to it.
int toInt(const Zrk_String& text);

} // namespace core
