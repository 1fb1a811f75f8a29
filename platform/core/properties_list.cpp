#include "core/properties_list.h"

#include <charconv>
#include <cmath>

#include "core/files.h"
#include "core/text.h"

namespace {

Zrk_String escape(const Zrk_String& text) {
    Zrk_String out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

bool unescape(const Zrk_String& text, Zrk_String& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        default: return false;
        }
    }
    return true;
}

bool validKey(const Zrk_String& key) { return !key.empty() && key.find_first_of(":=\n\r") == Zrk_String::npos; }

Zrk_String formatDouble(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Zrk_String(buffer, result.ptr);
}

} // namespace

int Zrk_PropertiesList::indexOf(const Zrk_String& key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].first == key) return static_cast<int>(i);
    return -1;
}

void Zrk_PropertiesList::set(const Zrk_String& key, Value value) {
    const int index = indexOf(key);
    if (index >= 0) entries_[static_cast<std::size_t>(index)].second = std::move(value);
    else entries_.emplace_back(key, std::move(value));
}

void Zrk_PropertiesList::setProperty(const Zrk_String& key, int value) { set(key, value); }
void Zrk_PropertiesList::setProperty(const Zrk_String& key, double value) { set(key, value); }
void Zrk_PropertiesList::setProperty(const Zrk_String& key, const Zrk_String& value) { set(key, value); }

bool Zrk_PropertiesList::getProperty(const Zrk_String& key, int& value) const {
    const int index = indexOf(key);
    if (index < 0) return false;
    const int* stored = std::get_if<int>(&valueAt(index));
    if (!stored) return false;
    value = *stored;
    return true;
}

bool Zrk_PropertiesList::getProperty(const Zrk_String& key, double& value) const {
    const int index = indexOf(key);
    if (index < 0) return false;
    if (const double* stored = std::get_if<double>(&valueAt(index))) value = *stored;
    else if (const int* whole = std::get_if<int>(&valueAt(index))) value = *whole;
    else return false;
    return true;
}

bool Zrk_PropertiesList::getProperty(const Zrk_String& key, Zrk_String& value) const {
    const int index = indexOf(key);
    if (index < 0) return false;
    const Zrk_String* stored = std::get_if<Zrk_String>(&valueAt(index));
    if (!stored) return false;
    value = *stored;
    return true;
}

bool Zrk_PropertiesList::removeProperty(const Zrk_String& key) {
    const int index = indexOf(key);
    if (index < 0) return false;
    entries_.erase(entries_.begin() + index);
    return true;
}

Zrk_String Zrk_PropertiesList::toText() const {
    Zrk_String text;
    for (const auto& [key, value] : entries_) {
        text += key;
        if (const int* whole = std::get_if<int>(&value)) text += ":int=" + intToStr(*whole);
        else if (const double* number = std::get_if<double>(&value)) text += ":double=" + formatDouble(*number);
        else text += ":string=" + escape(std::get<Zrk_String>(value));
        text += '\n';
    }
    return text;
}

bool Zrk_PropertiesList::writeToFile(const Zrk_String& path) const {
    // What the reader refuses is not written: a key it cannot take, a number that is no number.
    for (const auto& [key, value] : entries_) {
        if (!validKey(key)) return false;
        if (const double* number = std::get_if<double>(&value); number && !std::isfinite(*number)) return false;
    }
    return writeFileAtomically(path, toText());
}

bool Zrk_PropertiesList::fromText(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message) {
    Zrk_PropertiesList parsed;
    for (int i = 0; i < lines.length(); ++i) {
        const Zrk_String& line = lines[i];
        if (trimmed(line).empty()) continue;
        auto fail = [&](const char* what) {
            if (message) *message = fileName + ", line " + intToStr(i + 1) + ": " + what;
            return false;
        };
        const std::size_t colon = line.find(':');
        const std::size_t equals = line.find('=', colon == Zrk_String::npos ? 0 : colon);
        if (colon == Zrk_String::npos || equals == Zrk_String::npos || colon == 0)
            return fail("expected key:type=value");
        const Zrk_String key = line.substr(0, colon);
        const Zrk_String type = line.substr(colon + 1, equals - colon - 1);
        const Zrk_String text = line.substr(equals + 1);
        if (type == "int") {
            int value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (error != std::errc() || end != text.data() + text.size()) return fail("expected a whole number");
            parsed.set(key, value);
        } else if (type == "double") {
            double value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
                return fail("expected a number");
            parsed.set(key, value);
        } else if (type == "string") {
            Zrk_String value;
            if (!unescape(text, value)) return fail("a '\\' in a string must be followed by \\, n, r or t");
            parsed.set(key, value);
        } else {
            return fail("the type must be int, double or string");
        }
    }
    *this = std::move(parsed);
    return true;
}

bool Zrk_PropertiesList::readFromFile(const Zrk_String& path, Zrk_String* message) {
    Zrk_StringArray lines;
    if (!ObjectExportReadFile(path, lines, message)) return false;
    return fromText(lines, path, message);
}
