#include "core/section_translation.h"

#include "core/files.h"
#include "core/text.h"

namespace {

// Why a name cannot stand in the table, or empty when it can.
Zrk_String nameProblem(const Zrk_String& name) {
    if (name.empty()) return "is empty";
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 32) return "holds a tab or another control character";
    if (trimmed(name) != name) return "starts or ends with a blank";
    return {};
}

} // namespace

namespace core {

Zrk_String sectionTranslationPath(const Zrk_String& libraryFolder) {
    return ensureEndSlash(libraryFolder) + kSectionTranslationFile;
}

Zrk_String sectionTranslationEntryProblem(const Zrk_StringArray& others, const Zrk_String& name,
                                          const Zrk_String& cis2Name) {
    if (const Zrk_String why = nameProblem(name); !why.empty()) return "the section name " + why;
    if (const Zrk_String why = nameProblem(cis2Name); !why.empty())
        return "the CIS/2 name of " + name + " " + why;
    if (findString(others, name, true) >= 0) return "the section " + name + " is listed already";
    return {};
}

bool checkSectionTranslation(const Zrk_StringArray& names, const Zrk_StringArray& cis2Names,
                             Zrk_String* reason) {
    if (names.length() != cis2Names.length()) {
        if (reason)
            *reason = "The section names and the CIS/2 names are not as many (" + intToStr(names.length()) +
                      " and " + intToStr(cis2Names.length()) + ")";
        return false;
    }
    Zrk_StringArray before;
    for (int i = 0; i < names.length(); ++i) {
        if (const Zrk_String why = sectionTranslationEntryProblem(before, names[i], cis2Names[i]);
            !why.empty()) {
            if (reason) *reason = "Entry " + intToStr(i + 1) + ": " + why;
            return false;
        }
        before.append(names[i]);
    }
    return true;
}

bool parseSectionTranslation(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_StringArray& names,
                             Zrk_StringArray& cis2Names, Zrk_String* message) {
    Zrk_StringArray readNames;
    Zrk_StringArray readCis2Names;
    for (int i = 0; i < lines.length(); ++i) {
        Zrk_String line = lines[i];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trimmed(line).empty()) continue;
        const auto fail = [&](const Zrk_String& why) {
            if (message) *message = fileName + ", line " + intToStr(i + 1) + ": " + why;
            return false;
        };
        const std::size_t tab = line.find('\t');
        if (tab == Zrk_String::npos)
            return fail("a section name and its CIS/2 name separated by a tab are expected");
        const Zrk_String name = line.substr(0, tab);
        const Zrk_String cis2Name = line.substr(tab + 1);
        if (const Zrk_String why = sectionTranslationEntryProblem(readNames, name, cis2Name); !why.empty())
            return fail(why);
        readNames.append(name);
        readCis2Names.append(cis2Name);
    }
    names = readNames;
    cis2Names = readCis2Names;
    return true;
}

Zrk_StringArray sectionTranslationLines(const Zrk_StringArray& names, const Zrk_StringArray& cis2Names) {
    Zrk_StringArray lines;
    for (int i = 0; i < names.length() && i < cis2Names.length(); ++i)
        lines.append(names[i] + "\t" + cis2Names[i]);
    return lines;
}

} // namespace core

bool readSectionTranslation(const Zrk_String& path, Zrk_StringArray& names, Zrk_StringArray& cis2Names,
                            Zrk_String* message) {
    if (!fileExists(path) && !folderExists(path)) {
        names.removeAll();
        cis2Names.removeAll();
        return true;
    }
    Zrk_StringArray lines;
    if (!ObjectExportReadFile(path, lines, message)) return false;
    return core::parseSectionTranslation(lines, path, names, cis2Names, message);
}

bool writeSectionTranslationFile(const Zrk_String& path, const Zrk_StringArray& names,
                                 const Zrk_StringArray& cis2Names, Zrk_String* message) {
    Zrk_String reason;
    if (!core::checkSectionTranslation(names, cis2Names, &reason)) {
        if (message) *message = path + " is not written: " + reason;
        return false;
    }
    return ObjectExportWriteFile(path, core::sectionTranslationLines(names, cis2Names), message);
}
