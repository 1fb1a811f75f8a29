#include "sections/section_naming.h"

#include <algorithm>

#include "core/number_text.h"
#include "core/numbers.h"
#include "core/text.h"

namespace sections {
namespace {

constexpr int kMostPatternRows = 9999;

Zrk_StringArray nameParts(const Zrk_String& systemName) {
    Zrk_StringArray parts;
    if (!splitStringAtSymbol(systemName, 'x', parts)) parts = Zrk_StringArray{systemName};
    return parts;
}

// The text before the first digit; a text without digits is all prefix.
Zrk_String prefixOf(const Zrk_String& name) {
    int position = 0;
    Zrk_String digits;
    return findFirstNumbers(name, position, digits) ? name.substr(0, static_cast<std::size_t>(position))
                                                    : name;
}

// The dimension each part is taken from, -1 for a part none gives.
Zrk_Array<int> matchParts(const Zrk_StringArray& parts, const Zrk_StringArray& dimensions) {
    Zrk_Array<int> found;
    std::vector<bool> taken(static_cast<std::size_t>(dimensions.length()));
    for (const Zrk_String& part : parts) {
        double partValue = 0;
        const bool number = core::parseNumber(part, partValue);
        int match = -1;
        for (int d = 0; d < dimensions.length() && match < 0; ++d) {
            if (taken[static_cast<std::size_t>(d)]) continue;
            double value = 0;
            if (number ? (core::parseNumber(dimensions[d], value) && value == partValue)
                       : dimensions[d] == part)
                match = d;
        }
        if (match >= 0) taken[static_cast<std::size_t>(match)] = true;
        found.append(match);
    }
    return found;
}

bool isEqualPartsForm(const Zrk_StringArray& parts) {
    return parts.length() >= 2 && parts[0] == parts[1];
}

// The shortest text with at least `least` decimals that reads back as the value.
Zrk_String numberText(double value, int least) {
    for (int decimals = least; decimals < 15; ++decimals) {
        const Zrk_String text = doubleToStr(value, decimals);
        if (core::toDouble(text) == value) return text;
    }
    return doubleToStr(value, 15);
}

} // namespace

Zrk_StringArray dimensionsOf(const Zrk_ProfValuesTable& table, int row) {
    Zrk_StringArray dimensions;
    if (!table.rows.isValid(row)) return dimensions;
    const Zrk_StringArray& cells = table.rows[row];
    for (int i = 2 + table.getNrLanguages(); i < cells.length(); ++i)
        dimensions.append(cells[i]);
    return dimensions;
}

bool findNamingPattern(const Zrk_ProfValuesTable& table, int startRow, NamingPattern& pattern) {
    const int languages = table.getNrLanguages();
    const int last = std::min(table.rows.length(), std::max(startRow, 0) + kMostPatternRows);
    for (int row = std::max(startRow, 0); row < last; ++row) {
        const Zrk_StringArray& cells = table.rows[row];
        if (cells.isEmpty()) continue;
        const Zrk_Array<int> parts = matchParts(nameParts(cells[0]), dimensionsOf(table, row));
        if (parts.contains(-1)) continue;
        pattern.row = row;
        pattern.parts = parts;
        pattern.prefixes.removeAll();
        for (int l = 0; l < languages; ++l)
            pattern.prefixes.append(2 + l < cells.length() ? prefixOf(cells[2 + l]) : Zrk_String());
        return true;
    }
    return false;
}

bool nameFromDimensions(const NamingPattern& pattern, const Zrk_StringArray& dimensions, Zrk_String& name) {
    Zrk_StringArray parts;
    for (int index : pattern.parts) {
        if (!dimensions.isValid(index)) return false;
        parts.append(shortNumberText(dimensions[index]));
    }
    name = arrToStr(parts, 'x');
    return true;
}

Zrk_String shortNumberText(const Zrk_String& text) {
    double value = 0;
    return core::parseNumber(text, value) ? numberText(value, 0) : trimmed(text);
}

Zrk_String storedDimensionText(double value) {
    return numberText(value, 1);
}

int insertionPlace(const Zrk_ProfValuesTable& table, const Zrk_String& systemName) {
    const Zrk_StringArray parts = nameParts(systemName);
    const bool sameForm = isEqualPartsForm(parts);
    struct Named {
        Zrk_String name;
        int row;
    };
    const auto collect = [&](bool ofTheForm) {
        Zrk_Array<Named> named;
        for (int row = 0; row < table.rows.length(); ++row) {
            if (table.rows[row].isEmpty()) continue;
            const Zrk_String& name = table.rows[row][0];
            const Zrk_StringArray theirs = nameParts(name);
            if (!ofTheForm || (isEqualPartsForm(theirs) && theirs.length() == parts.length()))
                named.append({name, row});
        }
        return named;
    };
    Zrk_Array<Named> named = collect(sameForm);
    if (named.isEmpty()) named = collect(false);
    if (named.isEmpty()) return table.rows.length();

    const auto less = [](const Named& a, const Named& b) { return compareNatural(a.name, b.name) < 0; };
    std::stable_sort(named.begin(), named.end(), less);
    const int place = ObjectExportAddToSorted(named, Named{systemName, -1}, less);
    return place > 0 ? named[place - 1].row + 1 : named[1].row;
}

bool splitSectionName(const Zrk_StringArray& tableNames, const Zrk_String& name, int& table,
                      Zrk_String& sysName) {
    table = -1;
    sysName.clear();
    for (int i = 0; i < tableNames.length(); ++i) {
        const Zrk_String& candidate = tableNames[i];
        if (candidate.empty() || name.compare(0, candidate.size(), candidate) != 0) continue;
        if (name.size() > candidate.size() && name[candidate.size()] != '-') continue;
        if (table < 0 || candidate.size() > tableNames[table].size()) table = i;
    }
    if (table < 0) return false;
    const std::size_t end = tableNames[table].size();
    if (name.size() > end) sysName = name.substr(end + 1);
    return true;
}

} // namespace sections
