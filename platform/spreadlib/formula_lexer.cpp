#include "spreadlib/formula_lexer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/formula.h"

namespace spreadlib::lexer {

void skipBlanks(const Zrk_String& text, std::size_t& p) {
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t' || text[p] == '\r' || text[p] == '\n')) ++p;
}

void skipSpaces(const Zrk_String& text, std::size_t& p) {
    while (p < text.size() && text[p] == ' ') ++p;
}

NumberScan scanNumber(const Zrk_String& text, std::size_t& p, double& value) {
    std::size_t q = p;
    while (q < text.size() && isDigit(text[q])) ++q;
    if (q < text.size() && text[q] == '.') {
        ++q;
        while (q < text.size() && isDigit(text[q])) ++q;
    }
    if (q < text.size() && (text[q] == 'e' || text[q] == 'E')) {
        std::size_t e = q + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && isDigit(text[e])) {
            q = e;
            while (q < text.size() && isDigit(text[q])) ++q;
        }
    }
    const char* first = text.data() + p;
    const char* last = text.data() + q;
    if (q == p || (q == p + 1 && *first == '.')) return NumberScan::NoNumber;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value)) return NumberScan::OutOfRange;
    p = q;
    return NumberScan::Number;
}

bool scanString(const Zrk_String& text, std::size_t& p, Zrk_String& value) {
    if (p >= text.size() || text[p] != '"') return false;
    value.clear();
    for (std::size_t q = p + 1; q < text.size();) {
        const char c = text[q++];
        if (c != '"') {
            value += c;
        } else if (q < text.size() && text[q] == '"') {
            value += '"';
            ++q;
        } else {
            p = q;
            return true;
        }
    }
    return false;
}

bool scanErrorValue(const Zrk_String& text, std::size_t& p, ErrorCode& code) {
    static const ErrorCode codes[] = {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                                      ErrorCode::Name, ErrorCode::Num,  ErrorCode::NA,    ErrorCode::Circular};
    for (const ErrorCode candidate : codes) {
        const char* name = errorText(candidate);
        const std::size_t length = std::strlen(name);
        if (p <= text.size() && text.size() - p >= length && isEqual(text.substr(p, length), name, true)) {
            p += length;
            code = candidate;
            return true;
        }
    }
    return false;
}

bool scanRowNumber(const Zrk_String& text, std::size_t& p, int& row, bool& absolute) {
    std::size_t q = p;
    absolute = false;
    if (q < text.size() && text[q] == '$') {
        absolute = true;
        ++q;
    }
    const std::size_t start = q;
    long long value = 0;
    while (q < text.size() && isDigit(text[q]) && q - start < 8) value = value * 10 + (text[q++] - '0');
    if (q == start || (q < text.size() && (isDigit(text[q]) || text[q] == '.'))) return false;
    if (value < 1 || value > kMaxRowCount) return false;
    row = static_cast<int>(value);
    p = q;
    return true;
}

bool scanA1Cell(const Zrk_String& text, std::size_t& p, int& col, int& row, std::uint8_t& flags, bool allowColumnOnly,
                bool& columnOnly) {
    flags = 0;
    columnOnly = false;
    std::size_t q = p;
    if (q < text.size() && text[q] == '$') {
        flags |= kColAbs;
        ++q;
    }
    const std::size_t lettersStart = q;
    while (q < text.size() && isLetter(text[q]) && q - lettersStart < 4) ++q;
    if (q == lettersStart) return false;
    col = columnFromName(text.substr(lettersStart, q - lettersStart));
    if (col == 0) return false;
    if (q < text.size() && text[q] == '$') {
        flags |= kRowAbs;
        ++q;
    }
    const std::size_t digitsStart = q;
    long long value = 0;
    while (q < text.size() && isDigit(text[q]) && q - digitsStart < 8) value = value * 10 + (text[q++] - '0');
    if (q == digitsStart) {
        if (!allowColumnOnly || (flags & kRowAbs)) return false;
        if (q < text.size() && (isWordChar(text[q]) || text[q] == '(')) return false;
        columnOnly = true;
        row = 0;
        p = q;
        return true;
    }
    if (q < text.size() && (isWordChar(text[q]) || text[q] == '(' || text[q] == '$')) return false;
    if (value < 1 || value > kMaxRowCount) return false;
    row = static_cast<int>(value);
    p = q;
    return true;
}

namespace {

// One R1C1 part after "R" or "C": digits (absolute), "[n]" (relative) or nothing (relative 0).
bool scanR1C1Part(const Zrk_String& text, std::size_t& p, int base, int maximum, int& value, bool& absolute) {
    if (p < text.size() && isDigit(text[p])) {
        long long v = 0;
        const std::size_t start = p;
        while (p < text.size() && isDigit(text[p]) && p - start < 8) v = v * 10 + (text[p++] - '0');
        if (v < 1 || v > maximum) return false;
        value = static_cast<int>(v);
        absolute = true;
        return true;
    }
    absolute = false;
    if (p < text.size() && text[p] == '[') {
        std::size_t q = p + 1;
        bool negative = false;
        if (q < text.size() && (text[q] == '-' || text[q] == '+')) negative = text[q++] == '-';
        const std::size_t start = q;
        long long v = 0;
        while (q < text.size() && isDigit(text[q]) && q - start < 8) v = v * 10 + (text[q++] - '0');
        if (q == start || q >= text.size() || text[q] != ']') return false;
        p = q + 1;
        const long long target = base + (negative ? -v : v);
        if (target < 1 || target > maximum) return false;
        value = static_cast<int>(target);
        return true;
    }
    value = base;
    return base >= 1 && base <= maximum;
}

} // namespace

bool scanR1C1(const Zrk_String& text, std::size_t& p, int baseCol, int baseRow, int& col, int& row,
              std::uint8_t& flags, int& kind) {
    std::size_t q = p;
    flags = 0;
    bool absolute = false;
    if (q < text.size() && upper(text[q]) == 'R') {
        ++q;
        if (!scanR1C1Part(text, q, baseRow, kMaxRowCount, row, absolute)) return false;
        if (absolute) flags |= kRowAbs;
        if (q < text.size() && upper(text[q]) == 'C') {
            ++q;
            if (!scanR1C1Part(text, q, baseCol, kMaxColumnCount, col, absolute)) return false;
            if (absolute) flags |= kColAbs;
            kind = 0;
        } else {
            kind = 1;
        }
    } else if (q < text.size() && upper(text[q]) == 'C') {
        ++q;
        if (!scanR1C1Part(text, q, baseCol, kMaxColumnCount, col, absolute)) return false;
        if (absolute) flags |= kColAbs;
        kind = 2;
    } else {
        return false;
    }
    if (q < text.size() && (isWordChar(text[q]) || text[q] == '(' || text[q] == '$')) return false;
    p = q;
    return true;
}

} // namespace spreadlib::lexer
