#include "core/gen_vars.h"

#include <algorithm>
#include <vector>

#include "core/files.h"
#include "core/number_text.h"
#include "core/properties_list.h"
#include "core/text.h"

namespace {

constexpr const char* kFormat = "ss-general-variables";

// One kind of list: its key prefix and its parallel fields.
struct ListKind {
    const char* prefix;
    std::vector<std::pair<const char*, int>> fields; // field name, index into the record's lists
};

const ListKind kDrawingList{"drawing", {{"name", 0}, {"value", 1}, {"filter", 2}}};
const ListKind kStandardList{"standard", {{"name", 3}, {"value", 4}, {"override", 5}, {"filter", 6}}};

Zrk_String fieldKey(const ListKind& kind, int row, const char* field) {
    return Zrk_String(kind.prefix) + "." + intToStr(row + 1) + "." + field;
}

} // namespace

Zrk_String KvAutoStandardsData::libraryFile(const Zrk_String& libDir) {
    return ensureEndSlash(normalizePath(libDir)) + "General Variables.txt";
}

bool KvAutoStandardsData::filterCovers(const Zrk_String& filter, const Zrk_String& drawing) {
    Zrk_StringArray entries;
    strToArr(filter, entries, ';');
    const Zrk_String target = normalizePath(drawing);
    bool anyEntry = false;
    for (const Zrk_String& text : entries) {
        Zrk_String entry = normalizePath(trimmed(text));
        while (!entry.empty() && entry.back() == '/')
            entry.pop_back();
        if (entry.empty()) continue;
        anyEntry = true;
        if (target == entry || target.compare(0, entry.size() + 1, entry + "/") == 0) return true;
    }
    return !anyEntry;
}

namespace {

Zrk_String entryOf(const Zrk_StringArray& list, int i) { return list.isValid(i) ? list[i] : Zrk_String(); }

bool overrideSet(const Zrk_String& text) {
    const Zrk_String value = trimmed(text);
    for (const char* off : {"", "0", "no", "false"})
        if (isEqual(value, off, true)) return false;
    return true;
}

} // namespace

void KvAutoStandardsData::applying(const Zrk_String& drawing, Zrk_StringArray& names,
                                   Zrk_StringArray& values) const {
    names.removeAll();
    values.removeAll();
    std::vector<bool> fromStandard;
    auto add = [&](const Zrk_StringArray& listNames, const Zrk_StringArray& listValues,
                   const Zrk_StringArray& filters, const Zrk_StringArray* overrides) {
        const int firstOfList = names.length();
        for (int i = 0; i < listNames.length(); ++i) {
            const Zrk_String name = trimmed(listNames[i]);
            if (name.empty() || !filterCovers(entryOf(filters, i), drawing)) continue;
            const int at = names.find(name);
            if (at < 0) {
                names.append(name);
                values.append(entryOf(listValues, i));
                fromStandard.push_back(overrides != nullptr);
            } else if (at < firstOfList && overrides && overrideSet(entryOf(*overrides, i)) && !fromStandard[at]) {
                values[at] = entryOf(listValues, i);
                fromStandard[at] = true;
            }
        }
    };
    add(dwgGenVars_, dwgGenValues_, dwgGenFilters_, nullptr);
    add(stdGenVars_, stdGenValues_, stdGenFilters_, &stdGenOverrides_);
}

bool KvAutoStandardsData::readFromFile(const Zrk_String& path, Zrk_String* message) {
    if (!fileExists(path)) {
        *this = KvAutoStandardsData();
        return true;
    }
    Zrk_PropertiesList list;
    if (!list.readFromFile(path, message)) return false;
    auto fault = [&](const Zrk_String& what) {
        if (message) *message = path + ": " + what;
        return false;
    };
    Zrk_String format;
    int version = 0;
    if (!list.getProperty("format", format) || format != kFormat)
        return fault("\"format\" must be \"" + Zrk_String(kFormat) +
                     "\" (this is not a general variables file)");
    if (!list.getProperty("version", version) || version != 1) return fault("\"version\" must be 1");
    KvAutoStandardsData read;
    Zrk_StringArray* lists[7] = {&read.dwgGenVars_,   &read.dwgGenValues_, &read.dwgGenFilters_,
                                 &read.stdGenVars_,   &read.stdGenValues_, &read.stdGenOverrides_,
                                 &read.stdGenFilters_};
    for (const ListKind* kind : {&kDrawingList, &kStandardList}) {
        int count = 0;
        const Zrk_String countKey = Zrk_String(kind->prefix) + ".count";
        if (list.hasProperty(countKey) && (!list.getProperty(countKey, count) || count < 0 || count > 100000))
            return fault("\"" + countKey + "\" must be a whole number from 0 to 100000");
        for (int row = 0; row < count; ++row) {
            for (const auto& [field, index] : kind->fields) {
                Zrk_String value;
                const Zrk_String key = fieldKey(*kind, row, field);
                if (list.hasProperty(key) && !list.getProperty(key, value))
                    return fault("\"" + key + "\" must be a text");
                lists[index]->append(value);
            }
        }
    }
    // Every key must be one of the record's, so that a misspelt key is not silently lost.
    for (int i = 0; i < list.count(); ++i) {
        const Zrk_String& key = list.keyAt(i);
        if (key == "format" || key == "version" || key == "drawing.count" || key == "standard.count")
            continue;
        bool known = false;
        for (const ListKind* kind : {&kDrawingList, &kStandardList}) {
            Zrk_String rest, number, field;
            if (!getSubstrAfter(key, Zrk_String(kind->prefix) + ".", rest) ||
                key.rfind(kind->prefix, 0) != 0 || !splitString(rest, ".", number, field) ||
                !isNumber(number))
                continue;
            const int row = core::toInt(number);
            if (row < 1 || row > lists[kind->fields[0].second]->length() || intToStr(row) != number) continue;
            for (const auto& entry : kind->fields)
                known = known || field == entry.first;
        }
        if (!known) return fault("unknown entry \"" + key + "\"");
    }
    *this = std::move(read);
    return true;
}

bool KvAutoStandardsData::writeToFile(const Zrk_String& path) const {
    Zrk_PropertiesList list;
    list.setProperty("format", kFormat);
    list.setProperty("version", 1);
    const Zrk_StringArray* lists[7] = {&dwgGenVars_,   &dwgGenValues_,    &dwgGenFilters_, &stdGenVars_,
                                       &stdGenValues_, &stdGenOverrides_, &stdGenFilters_};
    for (const ListKind* kind : {&kDrawingList, &kStandardList}) {
        int count = 0;
        for (const auto& field : kind->fields)
            count = std::max(count, lists[field.second]->length());
        list.setProperty(Zrk_String(kind->prefix) + ".count", count);
        for (int row = 0; row < count; ++row)
            for (const auto& [field, index] : kind->fields)
                list.setProperty(fieldKey(*kind, row, field),
                                 lists[index]->isValid(row) ? (*lists[index])[row] : Zrk_String());
    }
    return list.writeToFile(path);
}
