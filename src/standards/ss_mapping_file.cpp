// KvSSMapping and its mapping file (format in mapping_file.h).

#include "core/files.h"
#include "core/text.h"
#include "standards/mapping_file.h"
#include "standards/ss_mapping.h"
#include "standards/value_type.h"

namespace {

using standards::kFail;

// Bytes that would change the meaning of a mapping line if a name held them.
bool holdsLineSyntax(const Zrk_String& text, bool groupPart) {
    for (char c : text) {
        if (c == standards::kEntrySeparator || c == standards::kSideSeparator || c == '\n' || c == '\r') return true;
        if (groupPart && c == standards::kGroupSeparator) return true;
    }
    return false;
}

} // namespace

Acad::ErrorStatus KvSSMapping::getMappingFromFile(const Zrk_String& ssName, const Zrk_String& key) {
    Zrk_StringArray lines;
    if (!standards::readMappingLines(standards::mappingFilePath(ssName), lines)) return kFail;
    if (lines.isEmpty()) return Acad::eOk;
    const int line = standards::findMappingLine(lines, key);
    if (line < 0) return kFail;
    return initMappingFromLine(lines[line]);
}

Acad::ErrorStatus KvSSMapping::initMappingFromLine(const Zrk_String& line) {
    objects_.removeAll();
    Zrk_String key, value;
    if (!splitString(line, "=", key, value)) return kFail;
    Zrk_StringArray entries;
    strToArr(value, entries, standards::kEntrySeparator);
    for (const Zrk_String& entryText : entries) {
        Zrk_String ssSide, macroSide;
        if (!splitString(entryText, Zrk_String(1, standards::kSideSeparator), ssSide, macroSide)) continue;
        KvObjectMap entry;
        if (entry.getMappingFromStrs(ssSide, macroSide) == Acad::eOk) objects_.append(std::move(entry));
    }
    return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::setMappingToFile(const Zrk_String& ssName, const Zrk_String& key) {
    if (key.find_first_of("=\r\n") != Zrk_String::npos) return kFail;

    // 1-3: the pairs to store. One entry per spreadsheet variable: the first, the one the mapping
    // reads by. When that one cannot be stored, the variable is left out: a later entry stored in its
    // place would map the variable to something else than the mapping did.
    Zrk_StringArray seen, keptSs, keptMacro;
    for (const KvObjectMap& entry : objects_) {
        Zrk_String macroSide, ssSide;
        if (entry.setMappingToStrs(macroSide, ssSide) != Acad::eOk) continue;
        if (findString(seen, ssSide) >= 0) continue;
        seen.append(ssSide);
        if (holdsLineSyntax(entry.ssVar, true) || holdsLineSyntax(entry.groupName, true) ||
            holdsLineSyntax(entry.macroVar, false) || hasInvalidFileNameChars(ssSide))
            continue;
        keptSs.append(ssSide);
        keptMacro.append(macroSide);
    }

    // 4-5: the file as it is; an equal stored line means there is nothing to write.
    const Zrk_String path = standards::mappingFilePath(ssName);
    Zrk_StringArray lines;
    if (!standards::readMappingLines(path, lines)) {
        if (fileExists(path) || folderExists(path)) return kFail; // never overwrite what cannot be read
        lines.removeAll();
    }
    const int stored = standards::findMappingLine(lines, key);
    if (stored >= 0) {
        KvSSMapping storedMapping;
        if (storedMapping.initMappingFromLine(lines[stored]) == Acad::eOk && isEqual(storedMapping)) return Acad::eOk;
        // Every line of the key goes, so that no older line shadows the new one.
        for (int i = lines.length() - 1; i >= 0; --i)
            if (::isEqual(standards::mappingLineKey(lines[i]), key, true) && hasASubstr(lines[i], "=")) lines.removeAt(i);
    }

    // 6-7: the new line last, the header first.
    Zrk_String line = key + "=";
    for (int i = 0; i < keptSs.length(); ++i) {
        if (i > 0) line += standards::kEntrySeparator;
        line += keptSs[i] + standards::kSideSeparator + keptMacro[i];
    }
    lines.append(line);
    lines.insertAt(0, standards::kMappingHeader);
    return ObjectExportWriteFile(path, lines) ? Acad::eOk : kFail;
}

bool KvSSMapping::hasSameMapping(const Zrk_String& ssName, Zrk_String& key) const {
    Zrk_StringArray lines;
    if (!standards::readMappingLines(standards::mappingFilePath(ssName), lines)) return false;
    for (const Zrk_String& line : lines) {
        KvSSMapping stored;
        if (stored.initMappingFromLine(line) == Acad::eOk && isEqual(stored)) {
            key = standards::mappingLineKey(line);
            return true;
        }
    }
    return false;
}
