#pragma once
// The words of the formula language, read from a position of a formula's text: blanks, numbers,
// texts in double quotes, error values, A1 and R1C1 references and row numbers. Each scanner answers
// whether such a word stands at p and, when it does, moves p past it; otherwise p stays. The parser
// (formula.cpp) decides what the words mean and where they may stand.

#include <cstddef>
#include <cstdint>

#include "core/zrk_string.h"
#include "spreadlib/value.h"

namespace spreadlib::lexer {

inline bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
// A character of a name (functions are named with letters, digits, "_" and ".").
inline bool isWordChar(char c) { return isLetter(c) || isDigit(c) || c == '_' || c == '.'; }
inline char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Blanks, tabs and line breaks.
void skipBlanks(const Zrk_String& text, std::size_t& p);
// Spaces only (between the corners of a range).
void skipSpaces(const Zrk_String& text, std::size_t& p);

enum class NumberScan { Number, NoNumber, OutOfRange };
// Digits with an optional fraction and exponent (a lone "." is no number); a finite double.
NumberScan scanNumber(const Zrk_String& text, std::size_t& p, double& value);
// From the opening '"' to the closing one; a doubled '"' inside stands for one. False without a
// closing '"' (p then stays).
bool scanString(const Zrk_String& text, std::size_t& p, Zrk_String& value);
// "#DIV/0!" and the other error values, letter case ignored.
bool scanErrorValue(const Zrk_String& text, std::size_t& p, ErrorCode& code);

// "$"? digits: a row number of A1 style (1..kMaxRowCount), not followed by a digit or ".".
bool scanRowNumber(const Zrk_String& text, std::size_t& p, int& row, bool& absolute);
// An A1 cell: "$"? letters "$"? digits, not followed by a name's character, "(" or "$". With
// allowColumnOnly, letters alone (a whole column of a range such as A:B) make a column with row 0.
// flags: kColAbs, kRowAbs.
bool scanA1Cell(const Zrk_String& text, std::size_t& p, int& col, int& row, std::uint8_t& flags, bool allowColumnOnly,
                bool& columnOnly);
// An R1C1 reference written in the cell (baseCol, baseRow): RnCn or R[n]C[n] (a cell, kind 0), Rn (a
// whole row, kind 1), Cn (a whole column, kind 2). flags: kColAbs, kRowAbs.
bool scanR1C1(const Zrk_String& text, std::size_t& p, int baseCol, int baseRow, int& col, int& row,
              std::uint8_t& flags, int& kind);

} // namespace spreadlib::lexer
