// Built-ins on texts: SEARCH (without regard to case, with wildcards), REPLACE, EXACT, CHAR and CODE
// (the bytes of the active code page), TEXTJOIN, and N and T.
#include <algorithm>
#include <vector>

#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/functions_internal.h"
#include "spreadlib/number_format.h"

namespace spreadlib::fn {

namespace {

// A search pattern cut at its "*" wildcards into segments of literal bytes and "?" (any one byte);
// "~" makes the byte after it literal.
class SearchPattern {
public:
    explicit SearchPattern(const Zrk_String& pattern) {
        segments_.emplace_back();
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const char c = pattern[i];
            if (c == '~' && i + 1 < pattern.size())
                segments_.back().push_back({pattern[++i], false});
            else if (c == '?')
                segments_.back().push_back({c, true});
            else if (c == '*')
                segments_.emplace_back();
            else
                segments_.back().push_back({c, false});
        }
    }

    // The first position at or after start where the pattern matches the beginning of the rest of the
    // text, or npos. Linear in the text times the pattern: the segments after the first are placed
    // once, as far right as they go, and a match needs only the first segment to end before them.
    std::size_t find(const Zrk_String& text, std::size_t start) const {
        const Segment& first = segments_[0];
        std::size_t latestEnd = text.size(); // the first segment must end at or before this
        if (segments_.size() > 1) {
            std::size_t limit = text.size();
            for (std::size_t s = segments_.size() - 1; s >= 1; --s) {
                const Segment& segment = segments_[s];
                if (segment.size() > limit) return Zrk_String::npos;
                std::size_t q = limit - segment.size();
                for (;; --q) {
                    if (matchesAt(segment, text, q)) break;
                    if (q == 0) return Zrk_String::npos;
                }
                limit = q;
            }
            latestEnd = limit;
        }
        for (std::size_t p = start; p + first.size() <= latestEnd; ++p)
            if (matchesAt(first, text, p)) return p;
        return Zrk_String::npos;
    }

private:
    struct Item {
        char c;
        bool any;
    };
    using Segment = std::vector<Item>;

    static char folded(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
    static bool matchesAt(const Segment& segment, const Zrk_String& text, std::size_t at) {
        if (at + segment.size() > text.size()) return false;
        for (std::size_t i = 0; i < segment.size(); ++i)
            if (!segment[i].any && folded(segment[i].c) != folded(text[at + i])) return false;
        return true;
    }

    std::vector<Segment> segments_;
};

} // namespace

// SEARCH(find, within [, start]): the position of find in within from start on, without regard to
// case, with the wildcards "*" and "?" ("~" escapes them). Not found, a start outside the text or a
// find text longer than 255 is #VALUE!.
void fnSearch(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String needle, haystack;
    if (!textArg(c, a[0], needle, r) || !textArg(c, a[1], haystack, r)) return;
    long long start = 1;
    if (isGiven(a, n, 2) && !intArg(c, a[2], start, r)) return;
    if (start < 1 || start > static_cast<long long>(haystack.size()) + 1 || needle.size() > kMaxLookupText)
        return r.setError(ErrorCode::Value);
    const std::size_t found = SearchPattern(needle).find(haystack, static_cast<std::size_t>(start - 1));
    if (found == Zrk_String::npos) return r.setError(ErrorCode::Value);
    r.setNumber(static_cast<double>(found + 1));
}

// REPLACE(text, start, count, new): count bytes from start replaced by new.
void fnReplace(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text, replacement;
    long long start = 0, count = 0;
    if (!textArg(c, a[0], text, r) || !intArg(c, a[1], start, r) || !intArg(c, a[2], count, r) ||
        !textArg(c, a[3], replacement, r))
        return;
    if (start < 1 || count < 0) return r.setError(ErrorCode::Value);
    const std::size_t from =
        static_cast<std::size_t>(std::min<long long>(start - 1, static_cast<long long>(text.size())));
    const std::size_t removed =
        static_cast<std::size_t>(std::min<long long>(count, static_cast<long long>(text.size() - from)));
    setText(r, text.substr(0, from) + replacement + text.substr(from + removed));
}

void fnExact(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String x, y;
    if (textArg(c, a[0], x, r) && textArg(c, a[1], y, r)) r.setBool(x == y);
}

void fnChar(EvalContext& c, Value* a, int, Value& r) {
    long long code = 0;
    if (!intArg(c, a[0], code, r)) return;
    if (code < 1 || code > 255) return r.setError(ErrorCode::Value);
    r.setText(Zrk_String(1, static_cast<char>(static_cast<unsigned char>(code))));
}

void fnCode(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    if (!textArg(c, a[0], text, r)) return;
    if (text.empty()) return r.setError(ErrorCode::Value);
    r.setNumber(static_cast<double>(static_cast<unsigned char>(text[0])));
}

// TEXTJOIN(delimiter, ignoreEmpty, text1, ...): the texts joined with the delimiter between them; the
// cells of a block row by row. With ignoreEmpty, empty cells and empty texts are left out.
void fnTextJoin(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String delimiter;
    bool ignoreEmpty = true;
    if (!textArg(c, a[0], delimiter, r) || !boolArg(c, a[1], ignoreEmpty, r)) return;
    Zrk_String result;
    bool first = true;
    auto add = [&](const Zrk_String& part) {
        if (ignoreEmpty && part.empty()) return true;
        if (!first) result += delimiter;
        first = false;
        result += part;
        return result.size() <= static_cast<std::size_t>(kMaxTextLength);
    };
    int lastCol = 0, lastRow = 0;
    c.usedExtent(lastCol, lastRow);
    Value cell;
    for (int i = 2; i < n; ++i) {
        Zrk_String part;
        int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
        if (!blockOf(a[i], c1, r1, c2, r2)) {
            if (a[i].kind != ValueKind::Missing && !textArg(c, a[i], part, r)) return;
            if (!add(part)) return r.setError(ErrorCode::Value);
            continue;
        }
        // Empty cells beyond the used ones add only delimiters: none when they are left out or the
        // delimiter is empty, and too many for any text when the block is that large.
        const long long cells = static_cast<long long>(c2 - c1 + 1) * (r2 - r1 + 1);
        if (ignoreEmpty || delimiter.empty()) {
            c2 = std::min(c2, lastCol);
            r2 = std::min(r2, lastRow);
        } else if (cells > kMaxTextLength + 1LL) {
            return r.setError(ErrorCode::Value);
        }
        for (int row = r1; row <= r2; ++row)
            for (int col = c1; col <= c2; ++col) {
                c.cellValue(col, row, cell);
                ErrorCode error = ErrorCode::None;
                if (!toText(cell, part, error)) return r.setError(error);
                if (!add(part)) return r.setError(ErrorCode::Value);
            }
    }
    r.setText(std::move(result));
}

// N(value): a number as it is, a logical value as 1 or 0, an error as it is, anything else 0.
void fnN(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    switch (a[0].kind) {
    case ValueKind::Number:
    case ValueKind::Bool:
        return r.setNumber(a[0].number);
    case ValueKind::Error:
        return r.setError(a[0].error);
    default:
        return r.setNumber(0.0);
    }
}

// T(value): a text as it is, an error as it is, anything else the empty text.
void fnT(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    if (a[0].kind == ValueKind::Text) return r.setText(a[0].text);
    if (a[0].kind == ValueKind::Error) return r.setError(a[0].error);
    r.setText("");
}

} // namespace spreadlib::fn
