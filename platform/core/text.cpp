#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t findPart(const Zrk_String& text, const Zrk_String& part, bool ignoreCase) {
    if (!ignoreCase) return text.find(part);
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                          [](char a, char b) { return foldCase(a) == foldCase(b); });
    return it == text.end() && !part.empty() ? Zrk_String::npos : static_cast<std::size_t>(it - text.begin());
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number that starts at position (digits, then '.' and digits); position moves behind it.
double readNumberRun(const Zrk_String& text, std::size_t& position) {
    double value = 0;
    while (position < text.size() && isDigit(text[position]))
        value = value * 10 + (text[position++] - '0');
    if (position + 1 < text.size() && text[position] == '.' && isDigit(text[position + 1])) {
        double scale = 0.1;
        for (++position; position < text.size() && isDigit(text[position]); ++position, scale /= 10)
            value += (text[position] - '0') * scale;
    }
    return value;
}

} // namespace

int compareStrings(const Zrk_String& a, const Zrk_String& b, bool ignoreCase) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(ignoreCase ? foldCase(a[i]) : a[i]);
        const unsigned char cb = static_cast<unsigned char>(ignoreCase ? foldCase(b[i]) : b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compareNatural(const Zrk_String& a, const Zrk_String& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const double x = readNumberRun(a, i);
            const double y = readNumberRun(b, j);
            if (x != y) return x < y ? -1 : 1;
            continue;
        }
        const unsigned char ca = static_cast<unsigned char>(a[i++]);
        const unsigned char cb = static_cast<unsigned char>(b[j++]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    return compareStrings(a, b);
}

bool isEqual(const Zrk_String& a, const Zrk_String& b, bool ignoreCase) {
    return a.size() == b.size() && compareStrings(a, b, ignoreCase) == 0;
}

Zrk_String toUpper(Zrk_String text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

Zrk_String toLower(Zrk_String text) {
    for (char& c : text) c = foldCase(c);
    return text;
}

int findString(const Zrk_StringArray& array, const Zrk_String& text, bool ignoreCase) {
    for (int i = 0; i < array.length(); ++i)
        if (isEqual(array[i], text, ignoreCase)) return i;
    return -1;
}

bool splitString(const Zrk_String& text, const Zrk_String& separator, Zrk_String& before, Zrk_String& after,
                 bool trimBlanks) {
    if (separator.empty()) return false;
    const std::size_t pos = text.find(separator);
    if (pos == Zrk_String::npos) return false;
    before = text.substr(0, pos);
    after = text.substr(pos + separator.size());
    if (trimBlanks) {
        stripSymbols(before, true, true);
        stripSymbols(after, true, true);
    }
    return true;
}

bool splitStringAtSymbol(const Zrk_String& text, char symbol, Zrk_StringArray& parts, bool trimBlanks) {
    if (text.find(symbol) == Zrk_String::npos) return false;
    strToArr(text, parts, symbol);
    if (trimBlanks)
        for (Zrk_String& part : parts) stripSymbols(part, true, true);
    return true;
}

void strToArr(const Zrk_String& text, Zrk_StringArray& parts, char separator) {
    parts.removeAll();
    if (text.empty()) return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pos = text.find(separator, start);
        if (pos == Zrk_String::npos) {
            parts.append(text.substr(start));
            return;
        }
        parts.append(text.substr(start, pos - start));
        start = pos + 1;
    }
}

Zrk_String arrToStr(const Zrk_StringArray& parts, char separator) {
    Zrk_String result;
    for (int i = 0; i < parts.length(); ++i) {
        if (i > 0) result += separator;
        result += parts[i];
    }
    return result;
}

void arrToArrArr(const Zrk_StringArray& lines, Zrk_Array<Zrk_StringArray>& rows, char separator) {
    rows.removeAll();
    rows.setPhysicalLength(lines.length());
    for (const Zrk_String& line : lines) {
        Zrk_StringArray fields;
        strToArr(line, fields, separator);
        rows.append(std::move(fields));
    }
}

void arrArrToArr(const Zrk_Array<Zrk_StringArray>& rows, Zrk_StringArray& lines, char separator) {
    lines.removeAll();
    lines.setPhysicalLength(rows.length());
    for (const Zrk_StringArray& row : rows) lines.append(arrToStr(row, separator));
}

void stripSymbols(Zrk_String& text, bool atEnd, bool atStart, const Zrk_String& symbols) {
    if (atEnd) {
        const std::size_t last = text.find_last_not_of(symbols);
        text.erase(last == Zrk_String::npos ? 0 : last + 1);
    }
    if (atStart) text.erase(0, std::min(text.find_first_not_of(symbols), text.size()));
}

Zrk_String trimmed(const Zrk_String& text) {
    Zrk_String result = text;
    stripSymbols(result, true, true);
    return result;
}

Zrk_String asSentence(const Zrk_String& text) {
    if (text.empty() || (text.back() == '.' || text.back() == '?' || text.back() == '!')) return text;
    return text + ".";
}

bool getSubstrBefore(const Zrk_String& text, const Zrk_String& separator, Zrk_String& result) {
    const std::size_t pos = text.find(separator);
    if (separator.empty() || pos == Zrk_String::npos) return false;
    result = text.substr(0, pos);
    return true;
}

bool getSubstrAfter(const Zrk_String& text, const Zrk_String& separator, Zrk_String& result) {
    const std::size_t pos = text.find(separator);
    if (separator.empty() || pos == Zrk_String::npos) return false;
    result = text.substr(pos + separator.size());
    return true;
}

bool hasASubstr(const Zrk_String& text, const Zrk_String& part, bool ignoreCase) {
    return findPart(text, part, ignoreCase) != Zrk_String::npos;
}

bool hasDuplicates(const Zrk_StringArray& array, bool ignoreCase) {
    Zrk_StringArray duplicates;
    getDuplicates(array, duplicates, ignoreCase);
    return !duplicates.isEmpty();
}

void getDuplicates(const Zrk_StringArray& array, Zrk_StringArray& duplicates, bool ignoreCase) {
    duplicates.removeAll();
    for (int i = 1; i < array.length(); ++i) {
        bool seenBefore = false;
        for (int j = 0; j < i && !seenBefore; ++j) seenBefore = isEqual(array[i], array[j], ignoreCase);
        if (seenBefore && findString(duplicates, array[i], ignoreCase) < 0) duplicates.append(array[i]);
    }
}

bool removeLineComment(Zrk_String& line, const Zrk_String& marker) {
    if (marker.empty()) return false;
    bool inQuotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') inQuotes = !inQuotes;
        else if (!inQuotes && line.compare(i, marker.size(), marker) == 0) {
            line.erase(i);
            return true;
        }
    }
    return false;
}

void removeComments(Zrk_StringArray& lines, const Zrk_String& marker) {
    Zrk_StringArray kept;
    for (Zrk_String line : lines) {
        const bool hadComment = removeLineComment(line, marker);
        if (!hadComment || !trimmed(line).empty()) kept.append(std::move(line));
    }
    lines = std::move(kept);
}

bool hasOnlyLettersNumbers(const Zrk_String& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

bool startsWithNumber(const Zrk_String& text) {
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
}

bool isNumber(const Zrk_String& text) {
    std::size_t i = text.find_first_not_of(core::kBlanks);
    if (i == Zrk_String::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    int digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        int exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return i == text.size();
}

bool exactlyScaled(double value, int decimals, long long& scaled) {
    static constexpr double kPowers[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (decimals < 0 || decimals > 15) return false;
    const double power = kPowers[decimals];
    const double product = value * power;
    // The product was exact when the fused multiply-add finds no remainder.
    if (!(std::fabs(product) < 1e15) || product != std::trunc(product) || std::fma(value, power, -product) != 0.0)
        return false;
    scaled = static_cast<long long>(product);
    return true;
}

Zrk_String doubleToStr(double value, int decimals) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    decimals = std::clamp(decimals, 0, 15);
    if (long long whole = 0; exactlyScaled(value, decimals, whole)) {
        // Most values (whole numbers, 12.5 with 2 decimals) need no rounding: the digits of the whole
        // number with the point put in.
        Zrk_String digits = std::to_string(whole < 0 ? -whole : whole);
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        if (decimals > 0) digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
        return whole < 0 ? '-' + digits : digits;
    }
    // Round half away from zero on the 15-digit decimal text of the value, not on its binary
    // neighbour: 2.675 with 2 decimals gives 2.68, as a user who typed 2.675 expects.
    // to_chars writes what "%.14e" writes (both round correctly), without the C library's formatting.
    char buffer[32];
    *std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value), std::chars_format::scientific, 14)
         .ptr = '\0';
    Zrk_String digits;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
        if (isDigit(*p)) digits += *p;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    // digits[0] stands for 10^exponent; keep the digits down to 10^-decimals.
    const int kept = exponent + 1 + decimals;
    Zrk_String scaled; // value * 10^decimals as a whole number
    if (kept <= 0) {
        scaled = (kept == 0 && digits[0] >= '5') ? "1" : "0";
    } else if (kept >= static_cast<int>(digits.size())) {
        scaled = digits + Zrk_String(static_cast<std::size_t>(kept) - digits.size(), '0');
    } else {
        scaled = digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5') {
            int i = kept - 1;
            while (i >= 0 && scaled[static_cast<std::size_t>(i)] == '9') scaled[static_cast<std::size_t>(i--)] = '0';
            if (i < 0) scaled.insert(scaled.begin(), '1');
            else ++scaled[static_cast<std::size_t>(i)];
        }
    }
    if (scaled.size() <= static_cast<std::size_t>(decimals))
        scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
    Zrk_String result = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) result += '.' + scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
    const bool isZero = scaled.find_first_not_of('0') == Zrk_String::npos;
    return (value < 0 && !isZero) ? '-' + result : result; // no "-0.00"
}

Zrk_String intToStr(long long value) { return std::to_string(value); }

Zrk_String append(const Zrk_String& text, long long number) { return text + std::to_string(number); }

bool findFirstNumbers(const Zrk_String& text, int& position, Zrk_String& digits) {
    const std::size_t start = text.find_first_of("0123456789");
    if (start == Zrk_String::npos) return false;
    std::size_t end = start;
    while (end < text.size() && isDigit(text[end])) ++end;
    position = static_cast<int>(start);
    digits = text.substr(start, end - start);
    return true;
}

Zrk_String stripNumbersAtEnd(const Zrk_String& text) {
    std::size_t end = text.size();
    while (end > 0 && isDigit(text[end - 1])) --end;
    return text.substr(0, end);
}

Zrk_String findNonExistingString(const Zrk_String& base, const Zrk_StringArray& existing, bool ignoreCase) {
    if (findString(existing, base, ignoreCase) < 0) return base;
    for (long long n = 1;; ++n) {
        Zrk_String candidate = append(base, n);
        if (findString(existing, candidate, ignoreCase) < 0) return candidate;
    }
}

Zrk_String getAlfabet(int column) {
    Zrk_String letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

bool generateRandomString(int length, Zrk_String& result) {
    if (length <= 0) return false;
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 engine{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kAlphabet) - 2);
    result.clear();
    for (int i = 0; i < length; ++i) result += kAlphabet[pick(engine)];
    return true;
}
