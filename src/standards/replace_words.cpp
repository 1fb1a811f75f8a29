#include "standards/replace_words.h"

#include <algorithm>

#include "core/text.h"

namespace standards {

bool isWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

namespace {

// Replaces the whole-word occurrences of name in text (from the start, going on after each inserted
// value). Answers false with overflow when the text would grow too long (text may then be changed
// in part: callers work on a copy). insertedAt receives the start of each inserted value.
bool replacePair(Zrk_String& text, const Zrk_String& name, const Zrk_String& value, bool& replaced,
                 std::vector<std::size_t>* insertedAt) {
    std::size_t position = 0;
    for (long iteration = 0; iteration < 99999999L; ++iteration) {
        const std::size_t found = text.find(name, position);
        if (found == Zrk_String::npos) break;
        const std::size_t after = found + name.size();
        const bool startsWord = found == 0 || !isWordChar(text[found - 1]);
        const bool endsWord = after == text.size() || !isWordChar(text[after]);
        if (!startsWord || !endsWord) {
            position = after;
            continue;
        }
        if (text.size() - name.size() + value.size() > kMaxReplacedTextLength) return false;
        text.replace(found, name.size(), value);
        if (insertedAt) insertedAt->push_back(found);
        position = found + value.size();
        replaced = true;
    }
    return true;
}

// A value that is no number becomes a text literal of the formula language: in double quotes, a
// double quote inside written twice, so that the value cannot end the literal and run into the
// formula ("a\"b" becomes "a""b").
Zrk_String quoted(const Zrk_String& value, bool quote) {
    if (!quote || isNumber(value)) return value;
    Zrk_String literal = "\"";
    for (const char c : value) {
        literal += c;
        if (c == '"') literal += '"';
    }
    return literal + "\"";
}

// The leading run of word characters of a text (empty when it starts with another byte).
std::string_view leadingWord(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && isWordChar(text[end])) ++end;
    return text.substr(0, end);
}

} // namespace

bool replaceWords(Zrk_String& text, const Zrk_StringArray& names, const Zrk_StringArray& values, bool quote,
                  bool* overflow) {
    if (overflow) *overflow = false;
    const int pairs = std::min(names.length(), values.length());
    // Most texts hold none of the names: answer without copying them.
    bool any = false;
    for (int i = 0; i < pairs && !any; ++i) any = !names[i].empty() && text.find(names[i]) != Zrk_String::npos;
    if (!any) return false;

    Zrk_String result = text;
    bool replaced = false;
    for (int i = 0; i < pairs; ++i) {
        if (names[i].empty()) continue;
        if (!replacePair(result, names[i], quoted(values[i], quote), replaced, nullptr)) {
            if (overflow) *overflow = true;
            return false;
        }
    }
    if (replaced) text = std::move(result);
    return replaced;
}

WordReplacer::WordReplacer(const Zrk_StringArray& names, const Zrk_StringArray& values, bool quote) {
    const int pairs = std::min(names.length(), values.length());
    names_.reserve(static_cast<std::size_t>(pairs));
    values_.reserve(static_cast<std::size_t>(pairs));
    for (int i = 0; i < pairs; ++i) {
        names_.push_back(names[i]);
        values_.push_back(quoted(values[i], quote));
    }
    for (int i = 0; i < pairs; ++i) {
        const Zrk_String& name = names_[static_cast<std::size_t>(i)];
        if (name.empty()) continue;
        const std::string_view word = leadingWord(name);
        if (word.empty()) {
            otherNames_.push_back(i);
        } else {
            byLeadingWord_[word].push_back(i);
            firstBytes_[static_cast<unsigned char>(word[0])] = true;
        }
    }
}

bool WordReplacer::apply(Zrk_String& text, bool* overflow, std::vector<int>* used) const {
    if (overflow) *overflow = false;
    if (used) used->clear();
    // The pairs to try, ascending; a pair's inserted words can only wake later pairs. Few pairs wake
    // in a text, so a sorted vector serves.
    std::vector<int> due(otherNames_.begin(), otherNames_.end());
    const auto wake = [&](std::string_view part, int after) {
        for (std::size_t i = 0; i < part.size();) {
            if (!isWordChar(part[i])) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < part.size() && isWordChar(part[end])) ++end;
            if (firstBytes_[static_cast<unsigned char>(part[i])]) {
                const auto found = byLeadingWord_.find(part.substr(i, end - i));
                if (found != byLeadingWord_.end())
                    for (int pair : found->second) {
                        if (pair <= after) continue;
                        const auto place = std::lower_bound(due.begin(), due.end(), pair);
                        if (place == due.end() || *place != pair) due.insert(place, pair);
                    }
            }
            i = end;
        }
    };
    wake(text, -1);
    if (due.empty()) return false;

    Zrk_String result = text;
    bool replaced = false;
    std::vector<std::size_t> insertedAt;
    for (std::size_t next = 0; next < due.size(); ++next) {
        const int pair = due[next];
        const Zrk_String& value = values_[static_cast<std::size_t>(pair)];
        insertedAt.clear();
        if (!replacePair(result, names_[static_cast<std::size_t>(pair)], value, replaced, &insertedAt)) {
            if (overflow) *overflow = true;
            return false;
        }
        // Every inserted copy of the value holds the same words; they wake pairs after this one,
        // which lie behind next in the vector.
        if (!insertedAt.empty()) {
            if (used) used->push_back(pair);
            wake(value, pair);
        }
    }
    if (replaced) text = std::move(result);
    return replaced;
}

} // namespace standards
