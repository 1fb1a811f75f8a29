#include "core/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "core/text.h"

namespace core {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipSpace(const Zrk_String& text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    return i;
}

} // namespace

double toDouble(const Zrk_String& text) {
    const std::size_t start = skipSpace(text);
    std::size_t i = start;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t numberStart = i;
    int digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    // An exponent counts only when digits follow it ("2e" reads as 2).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + numberStart, text.data() + i, value);
    if (error != std::errc() || !std::isfinite(value)) return 0.0;
    (void)end;
    return negative ? -value : value;
}

bool parseNumber(const Zrk_String& text, double& value) {
    if (!isNumber(text)) return false;
    const std::size_t start = skipSpace(text);
    std::size_t end = text.find_last_not_of(" \t");
    const char* first = text.data() + start;
    if (*first == '+') ++first;
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(first, text.data() + end + 1, parsed);
    if (error != std::errc() || stop != text.data() + end + 1 || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

int toInt(const Zrk_String& text) {
    std::size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && isDigit(text[i])) {
        value = value * 10 + (text[i++] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break; // clamped below
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

} // namespace core
