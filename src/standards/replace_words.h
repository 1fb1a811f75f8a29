#pragma once
// Whole-word replacement of names in a text: how equations get their variables' cell names and how
// general variables reach every cell of a standards sheet.

#include "core/zrk_string.h"

namespace standards {

// A word character: an ASCII letter, a digit or "_". Every other byte (those above 127 included) is a
// word boundary.
bool isWordChar(char c);

// The longest text a replacement may produce. General-variable values that name other general
// variables could otherwise double the text with every pair.
inline constexpr std::size_t kMaxReplacedTextLength = 32767;

// For each pair (names[i], values[i]), i below the shorter list, in order: every occurrence of the
// name (letter case significant) that has no word character right before or after it is replaced by
// the value; with quote, a value that is not a number is put between double quotes. The search goes
// on right after the inserted text, so a pair never finds its own value; later pairs do search text
// that earlier pairs inserted. Empty names are skipped (they would match everywhere).
//
// Answers true when at least one replacement was made. When a replacement would make the text longer
// than kMaxReplacedTextLength, text is left exactly as it was given, overflow (if given) is set, and
// the answer is false.
bool replaceWords(Zrk_String& text, const Zrk_StringArray& names, const Zrk_StringArray& values, bool quote,
                  bool* overflow = nullptr);

} // namespace standards
