#pragma once
// Text and array functions of the core library. All work on the bytes of Zrk_String; letter case is
// folded for ASCII letters only ("ignoreCase" below), which is what names of variables, sections and
// files in this product use.
//
// Option flags decided here, once for every caller:
//  - ignoreCase (comparisons, searches): compare without regard to ASCII letter case.
//  - trimBlanks (splitString, splitStringAtSymbol): remove blanks (space and tab) around every part.
//  - stripSymbols(text, atEnd, atStart): remove the symbols at the end and/or at the start.

#include "core/zrk_string.h"

namespace core {
inline constexpr const char* kBlanks = " \t";
}

// --- comparisons -------------------------------------------------------------------------------

// Three-way comparison (<0, 0, >0) of the bytes, optionally without regard to case.
int compareStrings(const Zrk_String& a, const Zrk_String& b, bool ignoreCase = false);
bool isEqual(const Zrk_String& a, const Zrk_String& b, bool ignoreCase = false);
// Three-way comparison in the order a person reads names with numbers: runs of digits, with a decimal
// fraction, compare by their value and the rest byte by byte ("L 45x45" comes before "L 100x100",
// "5.25" before "5.5"). Texts equal by that order ("05", "5") compare by their bytes.
int compareNatural(const Zrk_String& a, const Zrk_String& b);
Zrk_String toUpper(Zrk_String text);
Zrk_String toLower(Zrk_String text);
// Index of the first element equal to text, or -1.
int findString(const Zrk_StringArray& array, const Zrk_String& text, bool ignoreCase = false);

// --- splitting and joining ---------------------------------------------------------------------

// Splits text at the first occurrence of separator into the part before and the part after.
// Fails (false, outputs untouched) when separator is empty or absent.
bool splitString(const Zrk_String& text, const Zrk_String& separator, Zrk_String& before,
                 Zrk_String& after, bool trimBlanks = false);
// Splits text at every occurrence of symbol. Fails (false, parts untouched) when symbol is absent.
// Two neighbouring symbols give an empty part; a symbol at the end gives an empty last part.
bool splitStringAtSymbol(const Zrk_String& text, char symbol, Zrk_StringArray& parts,
                         bool trimBlanks = false);
// Splits text at every separator into parts; never fails. An empty text gives no parts.
void strToArr(const Zrk_String& text, Zrk_StringArray& parts, char separator);
// Joins the parts with the separator between them (none at the end).
Zrk_String arrToStr(const Zrk_StringArray& parts, char separator);
// Lines into rows of fields (strToArr per line) and back (arrToStr per row). An empty line is a row
// with no fields and writes back as an empty line; a trailing separator gives an empty last field.
void arrToArrArr(const Zrk_StringArray& lines, Zrk_Array<Zrk_StringArray>& rows, char separator);
void arrArrToArr(const Zrk_Array<Zrk_StringArray>& rows, Zrk_StringArray& lines, char separator);

// Removes the symbols (any byte of symbols) at the end of text when atEnd, at its start when atStart.
void stripSymbols(Zrk_String& text, bool atEnd, bool atStart, const Zrk_String& symbols = core::kBlanks);
Zrk_String trimmed(const Zrk_String& text);
// The text as a sentence: a full stop added unless it is empty or already ends with one (or ? or !). Reasons
// from different layers differ in whether they end their sentence; a message that joins them ends it once.
Zrk_String asSentence(const Zrk_String& text);

// The text before (after) the first occurrence of separator. False and result untouched when absent.
bool getSubstrBefore(const Zrk_String& text, const Zrk_String& separator, Zrk_String& result);
bool getSubstrAfter(const Zrk_String& text, const Zrk_String& separator, Zrk_String& result);

// --- searching ---------------------------------------------------------------------------------

bool hasASubstr(const Zrk_String& text, const Zrk_String& part, bool ignoreCase = false);
bool hasDuplicates(const Zrk_StringArray& array, bool ignoreCase = false);
// Every text that occurs more than once, once each, in the order of its second occurrence.
void getDuplicates(const Zrk_StringArray& array, Zrk_StringArray& duplicates, bool ignoreCase = false);

// Removes a comment that starts with marker from one line (the marker and everything after it).
// Markers inside double quotes do not count. Answers true when something was removed.
bool removeLineComment(Zrk_String& line, const Zrk_String& marker = "//");
// Removes line comments from every line and drops the lines that are then blank.
void removeComments(Zrk_StringArray& lines, const Zrk_String& marker = "//");

// --- numbers in text ---------------------------------------------------------------------------

// A whole number text: optional blanks, sign, digits with at most one decimal point (at least one
// digit), optional exponent, optional blanks. "1e", ".", "" and "1,5" are not numbers.
bool isNumber(const Zrk_String& text);
// A double with the given count of decimals (0..15), rounded half away from zero; "-0" never appears.
Zrk_String doubleToStr(double value, int decimals);
// value * 10^decimals (decimals 0..15) when that is exactly a whole number of at most 15 digits:
// then the value's 15-digit decimal text is exact and has no digit past those decimals, so rounding
// it to them changes nothing. False otherwise (also for infinities and NaN).
bool exactlyScaled(double value, int decimals, long long& scaled);
Zrk_String intToStr(long long value);
// text followed by number in decimal ("Value" and 2 give "Value2").
Zrk_String append(const Zrk_String& text, long long number);
// Whether every character is an ASCII letter or digit (true for an empty text).
bool hasOnlyLettersNumbers(const Zrk_String& text);
// Whether the text starts with a digit.
bool startsWithNumber(const Zrk_String& text);
// Position and text of the first run of digits. False when text has no digit.
bool findFirstNumbers(const Zrk_String& text, int& position, Zrk_String& digits);
// text without the digits at its end ("Beam12" gives "Beam").
Zrk_String stripNumbersAtEnd(const Zrk_String& text);
// The first of base, base1, base2 ... that is not in existing.
Zrk_String findNonExistingString(const Zrk_String& base, const Zrk_StringArray& existing,
                                 bool ignoreCase = false);

// A1 column letters: 1 is A, 26 is Z, 27 is AA, 702 is ZZ, 703 is AAA. Below 1: empty text.
Zrk_String getAlfabet(int column);

// Random letters and digits. False when length is not positive.
bool generateRandomString(int length, Zrk_String& result);
