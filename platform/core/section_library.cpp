#include "core/section_library.h"

#include <algorithm>
#include <climits>
#include <system_error>

#include "core/files.h"
#include "core/language.h"
#include "core/macro_langs.h"
#include "core/number_text.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "core/text.h"

namespace {

const Zrk_String kTitle = "SS section library 1";
const Zrk_String kLanguages = "languages";
const Zrk_String kGroup = "group";
const Zrk_String kType = "type";
constexpr int kNewGroupText = 758;

Zrk_StringArray allLanguages() {
    Zrk_StringArray languages;
    MacroLangs::GetAllLanguages(languages);
    return languages;
}

// The user's language's name when it is given, else the fallback.
Zrk_String nameInUserLanguage(const Zrk_StringArray& langs, const Zrk_String& fallback) {
    const int index = allLanguages().find(MacroLangs::GetCurLanguage());
    return (langs.isValid(index) && !langs[index].empty()) ? langs[index] : fallback;
}

// Names per language always have one entry per language.
Zrk_StringArray fitted(Zrk_StringArray langs) {
    langs.setLength(allLanguages().length());
    return langs;
}

bool parseInteger(const Zrk_String& text, int& value) {
    double number = 0;
    if (!core::parseNumber(text, number) || number != static_cast<long long>(number) || number < INT_MIN ||
        number > INT_MAX)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool parseFlag(const Zrk_String& text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

// Collects the files of a folder (not of its subfolders) with an extension, by name without it.
void filesOf(const Zrk_String& folder, const Zrk_String& extension, Zrk_StringArray& names) {
    Zrk_StringArray paths;
    if (!ObjectExportFindFilesRecursive(folder, "*" + extension, paths)) return;
    for (const Zrk_String& path : paths)
        if (getPath(path) == folder) names.append(getFileName(path, false));
}

} // namespace

// --- groups --------------------------------------------------------------------------------------------

Zrk_String SectionGroupArray::getName(int index) const {
    if (!groups_.isValid(index)) return {};
    return nameInUserLanguage(groups_[index].langs, groups_[index].name);
}

bool SectionGroupArray::getEnabled(int index) const {
    return groups_.isValid(index) && groups_[index].enabled;
}

bool SectionGroupArray::setEnabled(int index, bool enabled) {
    if (!groups_.isValid(index)) return false;
    groups_[index].enabled = enabled;
    return true;
}

Zrk_String SectionGroupArray::getImage(int index) const {
    return groups_.isValid(index) ? groups_[index].image : Zrk_String();
}

bool SectionGroupArray::setImage(int index, const Zrk_String& image) {
    if (!groups_.isValid(index)) return false;
    groups_[index].image = image;
    return true;
}

bool SectionGroupArray::getLangs(int index, Zrk_StringArray& langs) const {
    if (!groups_.isValid(index)) return false;
    langs = fitted(groups_[index].langs);
    return true;
}

bool SectionGroupArray::setLangs(int index, const Zrk_StringArray& langs) {
    if (!groups_.isValid(index)) return false;
    groups_[index].langs = fitted(langs);
    return true;
}

int SectionGroupArray::getId(int index) const {
    return groups_.isValid(index) ? groups_[index].id : -1;
}

int SectionGroupArray::findId(int id) const {
    for (int i = 0; i < groups_.length(); ++i)
        if (groups_[i].id == id) return i;
    return -1;
}

int SectionGroupArray::appendNewGrp() {
    SectionGroup group;
    group.id = nextId_++;
    Zrk_StringArray names;
    for (const SectionGroup& existing : groups_)
        names.append(existing.name);
    const Zrk_String base = dialString(kNewGroupText);
    group.name = findNonExistingString(base.empty() ? Zrk_String("Group") : base, names, true);
    group.langs = fitted({});
    for (Zrk_String& name : group.langs)
        name = group.name;
    groups_.append(group);
    return groups_.length() - 1;
}

bool SectionGroupArray::removeAt(int index) {
    return groups_.removeAt(index);
}

void SectionGroupArray::namesOfAllGroups(Zrk_StringArray& names, Zrk_Array<int>& ids) const {
    names.removeAll();
    ids.removeAll();
    for (int i = 0; i < groups_.length(); ++i) {
        names.append(getName(i));
        ids.append(groups_[i].id);
    }
}

bool SectionGroupArray::append(const SectionGroup& group) {
    if (group.id <= 0 || group.id == INT_MAX || findId(group.id) >= 0) return false;
    SectionGroup added = group;
    added.langs = fitted(added.langs);
    groups_.append(added);
    nextId_ = std::max(nextId_, group.id + 1);
    return true;
}

// --- types -----------------------------------------------------------------------------------------------

Zrk_String SectionType::getName() const {
    return nameInUserLanguage(langs, name);
}

// --- the library -----------------------------------------------------------------------------------------

bool DlgEditLibData::GetAvailableFiles() {
    availableFiles.removeAll();
    tableNames.removeAll();
    userTypeNames.removeAll();
    pictureNames.removeAll();

    filesOf(gSettings.libDir + "prof/", ".pr", tableNames);
    Zrk_StringArray drawings;
    filesOf(gSettings.libDir + "User Sections/", ".dwg", drawings);
    for (const Zrk_String& table : tableNames)
        availableFiles.append("prof/" + table + ".pr");
    for (const Zrk_String& drawing : drawings) {
        userTypeNames.append(drawing + ".dwg");
        availableFiles.append("User Sections/" + drawing + ".dwg");
    }
    std::sort(availableFiles.begin(), availableFiles.end());

    Zrk_StringArray pictures;
    filesOf(gSettings.zrkDir + "icons/", ".bmp", pictures);
    const Zrk_String big = "-big";
    for (const Zrk_String& picture : pictures)
        if (picture.size() > big.size() && picture.compare(picture.size() - big.size(), big.size(), big) == 0)
            pictureNames.append(picture.substr(0, picture.size() - big.size()));
    std::sort(pictureNames.begin(), pictureNames.end());
    return true;
}

Zrk_String DlgEditLibData::libraryFilePath() {
    return gSettings.libDir + "prof/SectionLibrary.txt";
}

bool DlgEditLibData::readFromLibrary(Zrk_String* message) {
    const Zrk_String path = libraryFilePath();
    if (!fileExists(path)) {
        groups = SectionGroupArray();
        types.removeAll();
        return true;
    }
    Zrk_String title, reason;
    Zrk_Array<Zrk_StringArray> rows;
    const auto fail = [&](int line, const Zrk_String& what) {
        if (message) *message = path + ", line " + intToStr(line) + ": " + what;
        return false;
    };
    if (!Zrk_SectionTables::readFile(path, title, rows, &reason)) {
        if (message) *message = reason;
        return false;
    }
    if (title != kTitle) return fail(1, "expected \"" + kTitle + "\", found \"" + title + "\"");

    const Zrk_StringArray languages = allLanguages();
    // Column i of the names is the product's language order[i] (-1: a language the product lacks).
    Zrk_Array<int> order;
    for (int i = 0; i < languages.length(); ++i)
        order.append(i);
    const auto namesOf = [&](const Zrk_StringArray& row, int first) {
        Zrk_StringArray langs;
        langs.setLength(languages.length());
        for (int i = first; i < row.length(); ++i)
            if (order.isValid(i - first) && order[i - first] >= 0) langs[order[i - first]] = row[i];
        return langs;
    };

    SectionGroupArray readGroups;
    Zrk_Array<SectionType> readTypes;
    for (int r = 0; r < rows.length(); ++r) {
        const Zrk_StringArray& row = rows[r];
        const int line = r + 2;
        if (row.isEmpty()) continue;
        if (row[0] == kLanguages) {
            order.removeAll();
            for (int i = 1; i < row.length(); ++i)
                order.append(languages.find(row[i]));
        } else if (row[0] == kGroup) {
            SectionGroup group;
            if (row.length() < 5) return fail(line, "expected a group's id, name, enabled flag and picture");
            if (!parseInteger(row[1], group.id) || group.id <= 0 || group.id == INT_MAX)
                return fail(line, "expected a group id (a whole number above 0), found \"" + row[1] + "\"");
            if (!parseFlag(row[3], group.enabled))
                return fail(line, "expected 0 or 1, found \"" + row[3] + "\"");
            group.name = row[2];
            group.image = row[4];
            group.langs = namesOf(row, 5);
            if (!readGroups.append(group)) return fail(line, "the group id " + row[1] + " is given twice");
        } else if (row[0] == kType) {
            SectionType type;
            if (row.length() < 6)
                return fail(line, "expected a type's drawing, enabled flag, picture, group and table");
            if (!parseFlag(row[2], type.enabled))
                return fail(line, "expected 0 or 1, found \"" + row[2] + "\"");
            if (!parseInteger(row[4], type.groupId))
                return fail(line, "expected a group id (a whole number), found \"" + row[4] + "\"");
            type.name = row[1];
            type.image = row[3];
            type.table = row[5];
            type.langs = namesOf(row, 6);
            readTypes.append(type);
        } else {
            return fail(line, "expected \"languages\", \"group\" or \"type\", found \"" + row[0] + "\"");
        }
    }
    for (SectionType& type : readTypes)
        if (readGroups.findId(type.groupId) < 0) type.groupId = -1;
    groups = readGroups;
    types = readTypes;
    return true;
}

bool DlgEditLibData::writeToLibrary(Zrk_String* message) const {
    const Zrk_String path = libraryFilePath();
    Zrk_Array<Zrk_StringArray> rows;
    Zrk_StringArray languages = allLanguages();
    languages.insertAt(0, kLanguages);
    rows.append(languages);
    for (int i = 0; i < groups.length(); ++i) {
        const SectionGroup& group = groups.at(i);
        Zrk_StringArray row{kGroup, intToStr(group.id), group.name, group.enabled ? "1" : "0", group.image};
        row.append(fitted(group.langs));
        rows.append(row);
    }
    for (const SectionType& type : types) {
        const int groupId = groups.findId(type.groupId) >= 0 ? type.groupId : -1;
        Zrk_StringArray row{kType,      type.name,         type.enabled ? "1" : "0",
                            type.image, intToStr(groupId), type.table};
        row.append(fitted(type.langs));
        rows.append(row);
    }
    ensureFolder(getPath(path));
    if (Zrk_SectionTables::writeFile(path, kTitle, rows)) return true;
    if (message)
        *message = path + ": the section library cannot be written (a name holding a tab or a line break "
                          "cannot be stored, or the folder cannot be written)";
    return false;
}
