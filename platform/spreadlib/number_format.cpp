#include "spreadlib/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/text.h"

namespace spreadlib {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

enum class RoundMode { HalfAway, TowardZero, AwayFromZero };

// Rounds on the 15 significant decimal digits of the value, which is what a user sees and typed.
double decimalRound(double value, int digits, RoundMode mode) {
    if (!std::isfinite(value) || value == 0.0) return value;
    if (digits > 300) return value;
    if (digits < -308) return 0.0;
    if (long long whole = 0; exactlyScaled(value, digits, whole)) return value; // no digit to round
    // to_chars writes what "%.14e" writes (both round correctly), without the C library's formatting.
    char buffer[40];
    *std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value), std::chars_format::scientific, 14)
         .ptr = '\0';
    char mantissa[16];
    int count = 0;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (isDigit(*p) && count < 15) mantissa[count++] = *p;
    const int exponent = std::atoi(p + 1);
    const int kept = exponent + 1 + digits; // digits of the mantissa that stay
    if (kept >= count) return value;
    bool increment = false;
    char keptDigits[20];
    int keptCount = 0;
    if (kept < 0) {
        increment = mode == RoundMode::AwayFromZero;
    } else {
        for (int i = 0; i < kept; ++i) keptDigits[keptCount++] = mantissa[i];
        if (mode == RoundMode::HalfAway) {
            increment = mantissa[kept] >= '5';
        } else if (mode == RoundMode::AwayFromZero) {
            for (int i = kept; i < count; ++i)
                if (mantissa[i] != '0') increment = true;
        }
    }
    // The kept digits as a whole number, scaled by 10^-digits.
    double whole = 0.0;
    for (int i = 0; i < keptCount; ++i) whole = whole * 10.0 + (keptDigits[i] - '0');
    if (increment) whole += 1.0;
    // whole (at most 16 digits) and the powers of ten up to 10^22 are exact doubles, so one division
    // or multiplication rounds once, correctly: the number the text "WHOLEe-DIGITS" reads as.
    static constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                           1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (digits >= -22 && digits <= 22) {
        const double result = digits >= 0 ? whole / kPowers[digits] : whole * kPowers[-digits];
        return value < 0 ? -result : result;
    }
    char text[64];
    char* end = std::to_chars(text, text + 40, whole, std::chars_format::fixed, 0).ptr;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, -digits).ptr;
    double result = 0.0;
    std::from_chars(text, end, result);
    return value < 0 ? -result : result;
}

Zrk_String groupThousands(const Zrk_String& digits) {
    Zrk_String result;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) result += ',';
        result += digits[static_cast<std::size_t>(i)];
    }
    return result;
}

} // namespace

Zrk_String formatGeneral(double value) {
    if (!std::isfinite(value)) return "#NUM!";
    if (value == 0.0) return "0";
    // What "%.15G" writes (to_chars rounds the same way and always writes a point).
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    Zrk_String text(buffer, static_cast<std::size_t>(end - buffer));
    for (char& c : text)
        if (c == 'e') c = 'E';
    if (text == "-0") return "0";
    return text;
}

Zrk_String formatFixed(double value, int decimals, bool separator) {
    if (!std::isfinite(value)) return "#NUM!";
    Zrk_String text = doubleToStr(value, decimals);
    if (!separator) return text;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.erase(0, 1);
    const std::size_t point = text.find('.');
    const Zrk_String whole = text.substr(0, point);
    const Zrk_String rest = point == Zrk_String::npos ? Zrk_String() : text.substr(point);
    return (negative ? "-" : "") + groupThousands(whole) + rest;
}

double roundHalfAway(double value, int digits) { return decimalRound(value, digits, RoundMode::HalfAway); }
double roundTowardZero(double value, int digits) { return decimalRound(value, digits, RoundMode::TowardZero); }
double roundAwayFromZero(double value, int digits) { return decimalRound(value, digits, RoundMode::AwayFromZero); }

bool parseNumber(const Zrk_String& text, double& value) {
    if (text.empty() || text.size() > 400) return false;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t end = n;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    if (i == end) return false;
    bool percent = false;
    if (text[end - 1] == '%') {
        percent = true;
        --end;
        while (end > i && text[end - 1] == ' ') --end;
    }
    char clean[420];
    std::size_t out = 0;
    if (text[i] == '+' || text[i] == '-') clean[out++] = text[i++];
    // Whole part, with optional thousands separators in groups of three.
    int digitsInGroup = 0;
    int wholeDigits = 0;
    bool grouped = false;
    while (i < end && (isDigit(text[i]) || text[i] == ',')) {
        if (text[i] == ',') {
            if (wholeDigits == 0 || (grouped && digitsInGroup != 3) || (!grouped && digitsInGroup > 3)) return false;
            grouped = true;
            digitsInGroup = 0;
        } else {
            clean[out++] = text[i];
            ++digitsInGroup;
            ++wholeDigits;
        }
        ++i;
    }
    if (grouped && digitsInGroup != 3) return false;
    int fractionDigits = 0;
    if (i < end && text[i] == '.') {
        clean[out++] = text[i++];
        while (i < end && isDigit(text[i])) {
            clean[out++] = text[i++];
            ++fractionDigits;
        }
    }
    if (wholeDigits + fractionDigits == 0) return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        clean[out++] = 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) clean[out++] = text[i++];
        int exponentDigits = 0;
        while (i < end && isDigit(text[i])) {
            clean[out++] = text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    if (i != end) return false;
    const char* first = clean;
    if (*first == '+') ++first;
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(first, clean + out, result);
    if (ptr != clean + out) return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small rounds to 0; too large is no number a cell can hold.
        const char* e = std::find(static_cast<const char*>(first), static_cast<const char*>(clean + out), 'e');
        if (e == clean + out || e[1] != '-') return false;
        result = 0.0;
    } else if (ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(result)) return false;
    value = percent ? result / 100.0 : result;
    return true;
}

bool parseValueText(const Zrk_String& text, double& value) {
    if (parseNumber(text, value)) return true;
    if (text.size() > 400) return false;
    std::size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    if (first == Zrk_String::npos) return false;
    Zrk_String rest = text.substr(first, last - first + 1);
    bool parenthesised = false;
    if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
        parenthesised = true;
        rest = rest.substr(1, rest.size() - 2);
    }
    // One sign at most, before or after the currency sign; parentheses take none.
    bool negative = false, signed_ = false, currency = false;
    auto takeSign = [&] {
        if (!signed_ && !rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
            negative = rest[0] == '-';
            signed_ = true;
            rest.erase(0, 1);
        }
    };
    takeSign();
    if (!rest.empty() && rest[0] == '$') {
        currency = true;
        rest.erase(0, 1);
        takeSign();
    }
    if (!currency && !parenthesised) return false; // parseNumber has read every other form
    if (parenthesised && signed_) return false;
    if (rest.empty() || rest[0] == '+' || rest[0] == '-' || rest[0] == ' ' || rest[0] == '\t') return false;
    double number = 0.0;
    if (!parseNumber(rest, number)) return false;
    value = (negative || parenthesised) ? -number : number;
    return true;
}

namespace {

struct NumberPattern {
    Zrk_String prefix, suffix;
    int wholeZeros = 0;     // '0' placeholders before the point
    int wholePlaces = 0;    // all placeholders before the point
    int fractionZeros = 0;  // '0' placeholders after the point
    int fractionPlaces = 0; // all placeholders after the point
    bool point = false;
    bool grouping = false;
    int scaling = 0;        // trailing commas: divide by 1000 each
    int percents = 0;
    bool exponent = false;
    bool exponentPlus = false;
    int exponentDigits = 0;
};

bool parsePattern(const Zrk_String& section, NumberPattern& pattern) {
    enum { Before, Whole, Fraction, Exponent, After } stage = Before;
    const std::size_t n = section.size();
    auto literal = [&](const Zrk_String& text) {
        if (stage == Before) pattern.prefix += text;
        else if (stage == After) pattern.suffix += text;
        else {
            // Text after the digits ends them; text between digits is not supported.
            stage = After;
            pattern.suffix += text;
        }
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char c = section[i];
        if (c == '"') {
            const std::size_t close = section.find('"', i + 1);
            if (close == Zrk_String::npos) return false;
            literal(section.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '\\') {
            if (i + 1 >= n) return false;
            literal(Zrk_String(1, section[++i]));
        } else if (c == '0' || c == '#' || c == '?') {
            if (stage == After) return false;
            if (stage == Before) stage = Whole;
            if (stage == Whole) {
                ++pattern.wholePlaces;
                if (c != '#') ++pattern.wholeZeros;
            } else if (stage == Fraction) {
                ++pattern.fractionPlaces;
                if (c != '#') ++pattern.fractionZeros;
            } else {
                ++pattern.exponentDigits;
            }
        } else if (c == '.') {
            if (stage == Before || stage == Whole) {
                stage = Fraction;
                pattern.point = true;
            } else {
                literal(".");
            }
        } else if (c == ',') {
            if (stage == Whole) {
                const bool digitFollows = i + 1 < n && (section[i + 1] == '0' || section[i + 1] == '#' || section[i + 1] == '?');
                if (digitFollows) pattern.grouping = true;
                else ++pattern.scaling;
            } else if (stage == Fraction && pattern.fractionPlaces > 0) {
                ++pattern.scaling;
            } else {
                literal(",");
            }
        } else if (c == '%') {
            ++pattern.percents;
            literal("%");
        } else if ((c == 'E' || c == 'e') && i + 1 < n && (section[i + 1] == '+' || section[i + 1] == '-') &&
                   (stage == Whole || stage == Fraction)) {
            pattern.exponent = true;
            pattern.exponentPlus = section[i + 1] == '+';
            stage = Exponent;
            ++i;
        } else if (c == '$' || c == '-' || c == '+' || c == '(' || c == ')' || c == ':' || c == ' ' || c == '/') {
            if (stage == Exponent) stage = After;
            literal(Zrk_String(1, c));
        } else {
            return false;
        }
        if (stage == Exponent && c != 'E' && c != 'e' && c != '+' && c != '-' && c != '0' && c != '#' && c != '?')
            stage = After;
    }
    return true;
}

Zrk_String applyPattern(double magnitude, const NumberPattern& pattern) {
    for (int i = 0; i < pattern.percents; ++i) magnitude *= 100.0;
    for (int i = 0; i < pattern.scaling; ++i) magnitude /= 1000.0;
    int exponentValue = 0;
    if (pattern.exponent && magnitude != 0.0) {
        const int wholeDigits = pattern.wholePlaces > 0 ? pattern.wholePlaces : 1;
        exponentValue = static_cast<int>(std::floor(std::log10(magnitude))) - (wholeDigits - 1);
        magnitude /= std::pow(10.0, exponentValue);
        // Rounding may carry into one more whole digit.
        const double rounded = roundHalfAway(magnitude, pattern.fractionPlaces);
        if (rounded >= std::pow(10.0, wholeDigits)) {
            ++exponentValue;
            magnitude /= 10.0;
        }
    }
    Zrk_String number = formatFixed(magnitude, pattern.fractionPlaces);
    const std::size_t point = number.find('.');
    Zrk_String whole = number.substr(0, point);
    Zrk_String fraction = point == Zrk_String::npos ? Zrk_String() : number.substr(point + 1);
    if (whole == "0" && pattern.wholeZeros == 0) whole.clear();
    while (static_cast<int>(whole.size()) < pattern.wholeZeros) whole.insert(whole.begin(), '0');
    if (pattern.grouping) whole = groupThousands(whole);
    int optional = pattern.fractionPlaces - pattern.fractionZeros;
    while (optional-- > 0 && !fraction.empty() && fraction.back() == '0') fraction.pop_back();
    Zrk_String result = whole;
    if (pattern.point) result += "." + fraction;
    if (pattern.exponent) {
        result += 'E';
        if (exponentValue < 0) result += '-';
        else if (pattern.exponentPlus) result += '+';
        Zrk_String digits = std::to_string(std::abs(exponentValue));
        while (static_cast<int>(digits.size()) < pattern.exponentDigits) digits.insert(digits.begin(), '0');
        result += digits;
    }
    return result;
}

} // namespace

bool formatNumberText(double value, const Zrk_String& format, Zrk_String& result) {
    if (!std::isfinite(value)) return false;
    if (format.empty()) {
        result.clear();
        return true;
    }
    if (isEqual(format, "General", true) || format == "@") {
        result = formatGeneral(value);
        return true;
    }
    // Sections, split at ";" outside quotes.
    Zrk_StringArray sections;
    Zrk_String current;
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"') quoted = !quoted;
        if (c == '\\' && i + 1 < format.size()) {
            current += c;
            current += format[++i];
            continue;
        }
        if (c == ';' && !quoted) {
            sections.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    sections.append(current);
    if (sections.length() > 4) return false;
    int chosen = 0;
    bool explicitSign = false;
    if (value < 0 && sections.length() >= 2) {
        chosen = 1;
        explicitSign = true;
    } else if (value == 0 && sections.length() >= 3) {
        chosen = 2;
    }
    NumberPattern pattern;
    if (!parsePattern(sections[chosen], pattern)) return false;
    if (pattern.wholePlaces + pattern.fractionPlaces == 0 && !pattern.point) {
        // A section of literal text only.
        result = pattern.prefix + pattern.suffix;
        return true;
    }
    const Zrk_String number = applyPattern(std::fabs(value), pattern);
    bool allZero = true;
    for (const char c : number)
        if (c >= '1' && c <= '9') allZero = false;
    const bool minus = value < 0 && !explicitSign && !allZero;
    result = (minus ? "-" : "") + pattern.prefix + number + pattern.suffix;
    return true;
}

} // namespace spreadlib
