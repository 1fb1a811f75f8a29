#include "sheetdoc/settings_store.h"

#include <climits>

#include "core/number_text.h"
#include "core/text.h"

namespace {

// Leading blanks, a sign and decimal digits, clamped to the range; "x" gives 0. (core::toInt does
// the same for int.)
long long toLongLong(const Zrk_String& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned long long value = 0;
    const unsigned long long limit = negative ? static_cast<unsigned long long>(LLONG_MAX) + 1ULL : LLONG_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned long long>(text[i] - '0');
        if (value >= limit) {
            value = limit;
            break;
        }
    }
    if (!negative) return static_cast<long long>(value);
    return value == limit ? LLONG_MIN : -static_cast<long long>(value);
}

void appendField(Zrk_String& out, const Zrk_String& field) {
    for (char c : field) out += (c == SettingsStore::kSeparator) ? '?' : c;
    out += SettingsStore::kSeparator;
}

} // namespace

int SettingsStore::find(const Zrk_String& name) const {
    const auto found = index_.find(toLower(name));
    return found == index_.end() ? -1 : found->second;
}

SettingsStore::Entry& SettingsStore::entryFor(const Zrk_String& name) {
    const auto [place, added] = index_.emplace(toLower(name), count());
    if (!added) return entries_[static_cast<std::size_t>(place->second)];
    Entry entry;
    entry.name = name;
    entries_.push_back(std::move(entry));
    return entries_.back();
}

void SettingsStore::setDouble(const Zrk_String& name, double value) {
    Entry& entry = entryFor(name);
    entry.type = kDouble;
    entry.doubleValue = value;
    entry.text.clear();
}

void SettingsStore::setInt(const Zrk_String& name, int value) {
    Entry& entry = entryFor(name);
    entry.type = kInt;
    entry.intValue = value;
    entry.text.clear();
}

void SettingsStore::setLong(const Zrk_String& name, long long value) {
    Entry& entry = entryFor(name);
    entry.type = kLong;
    entry.longValue = value;
    entry.text.clear();
}

void SettingsStore::setString(const Zrk_String& name, const Zrk_String& text) {
    Entry& entry = entryFor(name);
    entry.type = kString;
    entry.text = text;
}

void SettingsStore::setNone(const Zrk_String& name) {
    Entry& entry = entryFor(name);
    entry.type = kNone;
    entry.text.clear();
}

bool SettingsStore::getDouble(const Zrk_String& name, double& value) const {
    const int index = find(name);
    if (index < 0 || entries_[static_cast<std::size_t>(index)].type != kDouble) return false;
    value = entries_[static_cast<std::size_t>(index)].doubleValue;
    return true;
}

bool SettingsStore::getInt(const Zrk_String& name, int& value) const {
    const int index = find(name);
    if (index < 0 || entries_[static_cast<std::size_t>(index)].type != kInt) return false;
    value = entries_[static_cast<std::size_t>(index)].intValue;
    return true;
}

bool SettingsStore::getLong(const Zrk_String& name, long long& value) const {
    const int index = find(name);
    if (index < 0 || entries_[static_cast<std::size_t>(index)].type != kLong) return false;
    value = entries_[static_cast<std::size_t>(index)].longValue;
    return true;
}

bool SettingsStore::getString(const Zrk_String& name, Zrk_String& text) const {
    const int index = find(name);
    if (index < 0 || entries_[static_cast<std::size_t>(index)].type != kString) return false;
    text = entries_[static_cast<std::size_t>(index)].text;
    return true;
}

bool SettingsStore::getBool(const Zrk_String& name, bool& value) const {
    int number = 0;
    if (!getInt(name, number)) return false;
    value = number != 0;
    return true;
}

Zrk_String SettingsStore::toText() const {
    Zrk_String out;
    for (const Entry& entry : entries_) {
        appendField(out, entry.name);
        appendField(out, intToStr(entry.type));
        switch (entry.type) {
        case kDouble: appendField(out, doubleToStr(entry.doubleValue, 2)); break;
        case kInt: appendField(out, intToStr(entry.intValue)); break;
        case kLong: appendField(out, intToStr(entry.longValue)); break;
        case kString: appendField(out, entry.text); break;
        default: appendField(out, Zrk_String()); break;
        }
    }
    return out;
}

void SettingsStore::fromText(const Zrk_String& text) {
    clear();
    Zrk_String fields[3];
    int filled = 0;
    std::size_t start = 0;
    for (std::size_t end = text.find(kSeparator); end != Zrk_String::npos; end = text.find(kSeparator, start)) {
        fields[filled++].assign(text, start, end - start);
        start = end + 1;
        if (filled < 3) continue;
        filled = 0;
        switch (core::toInt(fields[1])) {
        case kDouble: setDouble(fields[0], core::toDouble(fields[2])); break;
        case kInt: setInt(fields[0], core::toInt(fields[2])); break;
        case kLong: setLong(fields[0], toLongLong(fields[2])); break;
        case kString: setString(fields[0], fields[2]); break;
        default: setNone(fields[0]); break;
        }
    }
}
