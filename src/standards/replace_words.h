#pragma once
// Whole-word replacement of names in a text: how equations get their variables' cell names and how
// general variables reach every cell of a standards sheet.

#include <string_view>
#include <unordered_map>
#include <vector>

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
// the value; with quote, a value that is not a number is put between double quotes as a text literal
// of the formula language (a double quote inside it written twice). The search goes
// on right after the inserted text, so a pair never finds its own value; later pairs do search text
// that earlier pairs inserted. Empty names are skipped (they would match everywhere).
//
// Answers true when at least one replacement was made. When a replacement would make the text longer
// than kMaxReplacedTextLength, text is left exactly as it was given, overflow (if given) is set, and
// the answer is false.
bool replaceWords(Zrk_String& text, const Zrk_StringArray& names, const Zrk_StringArray& values, bool quote,
                  bool* overflow = nullptr);

// The replacement of replaceWords for one list of pairs applied to many texts, with the same result:
// the names are indexed by their leading run of word characters, so that a text is searched only for
// the names that can stand in it (a name that starts with a word character can only stand where a
// word of the text equals that leading run).
class WordReplacer {
public:
    WordReplacer(const Zrk_StringArray& names, const Zrk_StringArray& values, bool quote);
    WordReplacer(const WordReplacer&) = delete;
    WordReplacer& operator=(const WordReplacer&) = delete;

    // used, when given, receives the indexes of the pairs that replaced something, ascending.
    bool apply(Zrk_String& text, bool* overflow = nullptr, std::vector<int>* used = nullptr) const;

private:
    std::vector<Zrk_String> names_;
    std::vector<Zrk_String> values_; // quoted where asked
    std::unordered_map<std::string_view, std::vector<int>> byLeadingWord_; // views into names_
    std::vector<int> otherNames_; // names that start with another byte: always searched
    bool firstBytes_[256] = {};   // the first bytes of the leading words
};

} // namespace standards
