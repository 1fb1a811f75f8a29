// Property files: the values of a macro's dialog, saved by name and loaded into the same or another
// macro of the group. The file is a property list (core/properties_list.h):
//
//     format:string=ss-macro-properties
//     version:int=1
//     group:string=EndPlate              the group of the macros it was written for
//     macro:string=EndPlate1             the first of those macros
//     tab.1.name:string=EndPlate         tabs, items and values counted from 1, each item by its name
//     tab.1.cell.1.name:string=Width
//     tab.1.cell.1.value:string=150
//     tab.1.pattern.1.name / .nrBolts1 / .nrBolts2 (texts) / .reverseStart1 / .reverseStart2 (0 or 1)
//     tab.1.bolts.<field>                the bolt record's texts and numbers (bolt_model.h names)
//     tab.1.profile.1.group, and the merged settings by their stored names (profile_model.h)
//     tab.1.array.1.name / .mode / .template / .dimension1-3 / .modeText / .value1-5 / .skipCount /
//                   .flag / .alternating
//     tab.1.cut.1.name / .cutType
//     tab.1.subMacro
//     tab.1.flex.1.group / .variable / .flexible (0 or 1)
//
// Values holding the varies text, and read-only cells, are not written. Reading matches tabs and items by
// name; a value whose item the data lacks, that the item does not take, or that a read-only cell holds, and
// an entry that is not understood, count as not used.

#include <set>
#include <tuple>

#include "core/files.h"
#include "core/macro_data.h"
#include "core/macro_tabs.h"
#include "core/number_text.h"
#include "core/properties_list.h"
#include "core/settings.h"
#include "core/text.h"

namespace {

constexpr const char* kFormat = "ss-macro-properties";
constexpr const char* kFolder = "Macro Properties/";
constexpr const char* kExtension = ".kvp";

Zrk_String propertyFolder() {
    return ensureEndSlash(normalizePath(gSettings.libDir)) + kFolder;
}

// A path the property folder's files may have: inside that folder, a name without '/', '\' or "..".
// A path elsewhere may not hold a ".." step or a '\' either, so that it cannot be made to leave the
// folder it names.
bool isSafePath(const Zrk_String& path) {
    if (path.empty() || path.find('\\') != Zrk_String::npos) return false;
    Zrk_StringArray steps;
    strToArr(path, steps, '/');
    if (steps.contains("..")) return false;
    const Zrk_String folder = propertyFolder();
    if (path.compare(0, folder.size(), folder) == 0) {
        const Zrk_String name = path.substr(folder.size());
        return !name.empty() && name.find('/') == Zrk_String::npos;
    }
    return true;
}

// Writes the entries of one item under its prefix.
class Writer {
public:
    explicit Writer(Zrk_PropertiesList& list) : list_(list), varies_(core::variesText()) {}
    void text(const Zrk_String& key, const Zrk_String& value) {
        if (value != varies_) list_.setProperty(key, value);
    }
    void number(const Zrk_String& key, int value, int varies) {
        if (value != varies) list_.setProperty(key, value);
    }

private:
    Zrk_PropertiesList& list_;
    Zrk_String varies_;
};

// Reads entries, remembering which were taken, so that the rest can be counted as not used.
class Reader {
public:
    explicit Reader(const Zrk_PropertiesList& list) : list_(list) {}
    bool has(const Zrk_String& key) const { return list_.hasProperty(key); }
    bool text(const Zrk_String& key, Zrk_String& value) {
        if (!list_.getProperty(key, value)) return false;
        taken_.insert(key);
        return true;
    }
    bool number(const Zrk_String& key, int& value) {
        if (!list_.getProperty(key, value)) return false;
        taken_.insert(key);
        return true;
    }
    // The number of entries under prefix ("tab.1.cell") counted from 1 until one is missing.
    int count(const Zrk_String& prefix, const char* field) const {
        int n = 0;
        while (has(prefix + "." + intToStr(n + 1) + "." + field))
            ++n;
        return n;
    }
    // The values not taken (the names that identify items do not count).
    int untaken() const {
        int n = 0;
        for (int i = 0; i < list_.count(); ++i) {
            const Zrk_String& key = list_.keyAt(i);
            if (taken_.count(key)) continue;
            const Zrk_String field = key.substr(key.rfind('.') == Zrk_String::npos ? 0 : key.rfind('.') + 1);
            if (field != "name" && field != "group" && field != "variable") ++n;
        }
        return n;
    }
    void take(const Zrk_String& key) { taken_.insert(key); }

private:
    const Zrk_PropertiesList& list_;
    std::set<Zrk_String> taken_;
};

} // namespace

bool MacroData::propListAllowed(Zrk_String& reason) const {
    if (macroIds.isEmpty()) {
        reason = "No macro is edited.";
        return false;
    }
    if (tabs.isEmpty()) {
        reason = "The macro has no values to keep.";
        return false;
    }
    return true;
}

void MacroData::getPropFiles(Zrk_String& folder, Zrk_String& extension, Zrk_StringArray& allNames,
                             Zrk_StringArray& matchingNames) const {
    folder = propertyFolder();
    extension = kExtension;
    allNames.removeAll();
    matchingNames.removeAll();
    Zrk_StringArray paths;
    if (!ObjectExportFindFilesRecursive(folder, Zrk_String("*") + kExtension, paths)) return;
    Zrk_String group;
    const bool grouped = currentGroupName(group);
    for (const Zrk_String& path : paths) {
        if (getPath(path) != folder) continue; // the folder's own files, not those of subfolders
        const Zrk_String name = getFileName(path, false);
        allNames.append(name);
        Zrk_PropertiesList list;
        Zrk_String fileGroup;
        if (grouped && list.readFromFile(path) && list.getProperty("group", fileGroup) && fileGroup == group)
            matchingNames.append(name);
    }
}

bool MacroData::propFilePath(const Zrk_String& name, Zrk_String& path) const {
    if (name.empty() || name == "." || name.find("..") != Zrk_String::npos || hasInvalidFileNameChars(name))
        return false;
    path = propertyFolder() + name + kExtension;
    return true;
}

bool MacroData::writeToFile(const Zrk_String& path, Zrk_String* message) const {
    if (!isSafePath(path)) {
        if (message) *message = path + ": a property file may not leave its folder";
        return false;
    }
    Zrk_PropertiesList list;
    Writer put(list);
    list.setProperty("format", kFormat);
    list.setProperty("version", 1);
    Zrk_String group;
    if (currentGroupName(group)) list.setProperty("group", group);
    if (!macroNames.isEmpty()) list.setProperty("macro", macroNames[0]);
    for (int t = 0; t < tabs.length(); ++t) {
        const MacroTabData& tab = tabs[t];
        const Zrk_String at = "tab." + intToStr(t + 1);
        list.setProperty(at + ".name", tab.name);
        int cells = 0;
        for (const MacroCellData& cell : tab.cells) {
            if (cell.readOnly) continue; // the macro computes it
            const Zrk_String key = at + ".cell." + intToStr(++cells);
            list.setProperty(key + ".name", cell.name);
            put.text(key + ".value", cell.value);
        }
        for (int i = 0; i < tab.patterns.length(); ++i) {
            const MacroPatternData& pattern = tab.patterns[i];
            const Zrk_String key = at + ".pattern." + intToStr(i + 1);
            list.setProperty(key + ".name", pattern.name);
            put.text(key + ".nrBolts1", pattern.nrBolts1);
            if (pattern.hasSecondDirection()) put.text(key + ".nrBolts2", pattern.nrBolts2);
            list.setProperty(key + ".reverseStart1", pattern.reverseStart1 ? 1 : 0);
            if (pattern.hasSecondDirection())
                list.setProperty(key + ".reverseStart2", pattern.reverseStart2 ? 1 : 0);
        }
        if (tab.boltData) {
            for (const MacroBoltTextField& field : macroBoltTextFields())
                put.text(at + ".bolts." + field.key, (*tab.boltData).*field.member);
            for (const MacroBoltNumberField& field : macroBoltNumberFields())
                put.number(at + ".bolts." + field.key, (*tab.boltData).*field.member, field.varies);
        }
        for (int i = 0; i < tab.profGroups.length(); ++i) {
            const MacroProfData& group = tab.profGroups[i];
            const Zrk_String key = at + ".profile." + intToStr(i + 1);
            list.setProperty(key + ".group", group.groupName);
            for (const MacroProfTextField& field : macroProfTextFields())
                put.text(key + "." + field.key, group.merged.*field.member);
            for (const MacroProfNumberField& field : macroProfNumberFields())
                put.number(key + "." + field.key, group.merged.*field.member, field.varies);
        }
        for (int i = 0; i < tab.arrays.length(); ++i) {
            const DynArrayData& array = tab.arrays[i];
            const Zrk_String key = at + ".array." + intToStr(i + 1);
            list.setProperty(key + ".name", array.name);
            put.number(key + ".mode", array.mode, -1);
            put.text(key + ".template", array.templateName);
            for (std::size_t d = 0; d < array.dimNames.size(); ++d)
                put.text(key + ".dimension" + intToStr(static_cast<long long>(d) + 1), array.dimNames[d]);
            put.text(key + ".modeText", array.modeText);
            for (std::size_t v = 0; v < array.values.size(); ++v)
                put.text(key + ".value" + intToStr(static_cast<long long>(v) + 1), array.values[v]);
            put.text(key + ".skipCount", array.skipCount);
            put.number(key + ".flag", array.flag, -1);
            put.number(key + ".alternating", array.alternating, -1);
        }
        for (int i = 0; i < tab.cuts.length(); ++i) {
            const Zrk_String key = at + ".cut." + intToStr(i + 1);
            list.setProperty(key + ".name", tab.cuts[i].name);
            put.number(key + ".cutType", tab.cuts[i].cutType, -1);
        }
        if (tab.hasSubMacro) put.text(at + ".subMacro", tab.subMacro);
        int flex = 0;
        for (const Zrk_FlexFixGroup& groupOfFlex : tab.flexGroups) {
            for (const Zrk_FlexFixEntry& entry : groupOfFlex.entries) {
                const Zrk_String key = at + ".flex." + intToStr(++flex);
                list.setProperty(key + ".group", groupOfFlex.name);
                list.setProperty(key + ".variable", entry.variable);
                list.setProperty(key + ".flexible", entry.flexible ? 1 : 0);
            }
        }
    }
    if (!ensureFolder(getPath(path)) || !list.writeToFile(path)) {
        if (message) *message = path + ": the property file cannot be written";
        return false;
    }
    return true;
}

bool MacroData::readFromFile(const Zrk_String& path, int& notUsed, Zrk_String* message) {
    if (!isSafePath(path)) {
        if (message) *message = path + ": a property file may not leave its folder";
        return false;
    }
    Zrk_PropertiesList list;
    if (!list.readFromFile(path, message)) return false;
    Zrk_String format;
    int version = 0;
    if (!list.getProperty("format", format) || format != kFormat || !list.getProperty("version", version) ||
        version != 1) {
        if (message) *message = path + ": this is not a property file of macro values";
        return false;
    }
    Reader read(list);
    for (const char* header : {"format", "version", "group", "macro"})
        read.take(header);
    int unusable = 0;
    // Takes a value of the file that the data could not use.
    auto refuse = [&](const Zrk_String& key) {
        if (read.has(key)) read.take(key), ++unusable;
    };
    MacroData result = *this;
    for (int t = 1; read.has("tab." + intToStr(t) + ".name"); ++t) {
        const Zrk_String at = "tab." + intToStr(t);
        Zrk_String tabName;
        read.text(at + ".name", tabName);
        int tabIndex = -1;
        if (!result.findTab(tabName, tabIndex)) continue; // its values stay untaken: not used
        MacroTabData& tab = result.tabs[tabIndex];
        for (int i = 1; i <= read.count(at + ".cell", "name"); ++i) {
            const Zrk_String key = at + ".cell." + intToStr(i);
            Zrk_String name, value;
            int index = -1;
            if (!read.text(key + ".name", name) || !tab.findCellWithName(name, index) ||
                !read.has(key + ".value"))
                continue;
            read.text(key + ".value", value);
            MacroCellData& cell = tab.cells[index];
            Zrk_DimVariable kind;
            kind.cellKind = cell.kind;
            kind.choices = cell.choices;
            double number = 0.0;
            if (cell.readOnly || !core::cellValueOfText(kind, value, number))
                ++unusable;
            else
                cell.value = value;
        }
        for (int i = 1; i <= read.count(at + ".pattern", "name"); ++i) {
            const Zrk_String key = at + ".pattern." + intToStr(i);
            Zrk_String name;
            int index = -1;
            if (!read.text(key + ".name", name) || !tab.findPatternWithName(name, index)) continue;
            MacroPatternData& pattern = tab.patterns[index];
            for (int direction = 1; direction <= 2; ++direction) {
                const Zrk_String countKey = key + ".nrBolts" + intToStr(direction);
                Zrk_String count;
                int parsed = -1;
                if (!read.has(countKey)) continue;
                if (direction == 2 && !pattern.hasSecondDirection()) {
                    refuse(countKey);
                    continue;
                }
                read.text(countKey, count);
                if (!Zrk_BoltPattern::getCount(count, parsed))
                    ++unusable;
                else
                    (direction == 1 ? pattern.nrBolts1 : pattern.nrBolts2) = intToStr(parsed);
            }
            for (int direction = 1; direction <= 2; ++direction) {
                const Zrk_String flagKey = key + ".reverseStart" + intToStr(direction);
                int flag = 0;
                if (!read.has(flagKey)) continue;
                if ((direction == 2 && !pattern.hasSecondDirection()) || !read.number(flagKey, flag) ||
                    flag < 0 || flag > 1) {
                    refuse(flagKey);
                    continue;
                }
                (direction == 1 ? pattern.reverseStart1 : pattern.reverseStart2) = flag != 0;
            }
        }
        if (tab.boltData) {
            for (const MacroBoltTextField& field : macroBoltTextFields()) {
                Zrk_String value;
                if (read.text(at + ".bolts." + field.key, value)) (*tab.boltData).*field.member = value;
            }
            for (const MacroBoltNumberField& field : macroBoltNumberFields()) {
                const Zrk_String key = at + ".bolts." + field.key;
                int value = 0;
                if (!read.has(key)) continue;
                if (!read.number(key, value) || value < field.lowest || value > field.highest)
                    refuse(key);
                else
                    (*tab.boltData).*field.member = value;
            }
        }
        for (int i = 1; i <= read.count(at + ".profile", "group"); ++i) {
            const Zrk_String key = at + ".profile." + intToStr(i);
            Zrk_String name;
            MacroProfProps props;
            if (!read.text(key + ".group", name) || !tab.getMergedPropsOfGroup(name, props)) continue;
            for (const MacroProfTextField& field : macroProfTextFields())
                read.text(key + "." + field.key, props.*field.member);
            for (const MacroProfNumberField& field : macroProfNumberFields()) {
                int value = 0;
                const Zrk_String fieldKey = key + "." + field.key;
                if (!read.has(fieldKey)) continue;
                if (!read.number(fieldKey, value) || value < field.lowest || value > field.highest)
                    refuse(fieldKey);
                else
                    props.*field.member = value;
            }
            tab.setMergedPropsOfGroup(name, props);
        }
        for (int i = 1; i <= read.count(at + ".array", "name"); ++i) {
            const Zrk_String key = at + ".array." + intToStr(i);
            Zrk_String name;
            int index = -1;
            if (!read.text(key + ".name", name) || !tab.findArrayWithName(name, index)) continue;
            DynArrayData& array = tab.arrays[index];
            read.text(key + ".template", array.templateName);
            for (std::size_t d = 0; d < array.dimNames.size(); ++d)
                read.text(key + ".dimension" + intToStr(static_cast<long long>(d) + 1), array.dimNames[d]);
            read.text(key + ".modeText", array.modeText);
            for (std::size_t v = 0; v < array.values.size(); ++v)
                read.text(key + ".value" + intToStr(static_cast<long long>(v) + 1), array.values[v]);
            read.text(key + ".skipCount", array.skipCount);
            for (auto [field, member, highest] :
                 {std::tuple{".mode", &DynArrayData::mode, core::kArrayModeCount - 1},
                  std::tuple{".flag", &DynArrayData::flag, 1},
                  std::tuple{".alternating", &DynArrayData::alternating, 1}}) {
                int value = 0;
                if (!read.has(key + field)) continue;
                if (!read.number(key + field, value) || value < 0 || value > highest)
                    refuse(key + field);
                else
                    array.*member = value;
            }
        }
        for (int i = 1; i <= read.count(at + ".cut", "name"); ++i) {
            const Zrk_String key = at + ".cut." + intToStr(i);
            Zrk_String name;
            int index = -1, value = 0;
            if (!read.text(key + ".name", name) || !tab.findCutWithName(name, index) ||
                !read.has(key + ".cutType"))
                continue;
            if (!read.number(key + ".cutType", value) || value < 0 || value > core::kCutChoiceNone)
                refuse(key + ".cutType");
            else
                tab.cuts[index].cutType = value;
        }
        if (read.has(at + ".subMacro")) {
            if (tab.hasSubMacro)
                read.text(at + ".subMacro", tab.subMacro);
            else
                refuse(at + ".subMacro");
        }
        for (int i = 1; i <= read.count(at + ".flex", "group"); ++i) {
            const Zrk_String key = at + ".flex." + intToStr(i);
            Zrk_String group, variable;
            int flexible = 0;
            if (!read.has(key + ".variable") || !read.has(key + ".flexible")) continue;
            Zrk_String found;
            if (!read.text(key + ".group", group) || !read.text(key + ".variable", variable) ||
                !tab.findFlexFixGroup(variable, found) || found != group)
                continue;
            if (!read.number(key + ".flexible", flexible) || flexible < 0 || flexible > 1) {
                refuse(key + ".flexible");
                continue;
            }
            for (Zrk_FlexFixGroup& candidate : tab.flexGroups)
                if (candidate.name == group)
                    candidate.entries[candidate.findEntry(variable)].flexible = flexible != 0;
        }
    }
    *this = std::move(result);
    notUsed = unusable + read.untaken();
    return true;
}
