#include "core/macro_props_filter.h"

#include "core/drawing.h"
#include "core/files.h"
#include "core/settings.h"

namespace {

// What a module holds, by the property names (in their order).
Zrk_StringArray propertiesOf(const Zrk_Module& module) {
    const Zrk_StringArray& names = Zrk_MacroPropsFilter::propertyNames();
    const bool holds[] = {module.boltData.has_value(),  !module.patterns.isEmpty(),
                          !module.placements.isEmpty(), !module.cuts.isEmpty(),
                          !module.arrays.isEmpty(),     !module.segments.isEmpty(),
                          !module.subMacro.empty()};
    Zrk_StringArray properties;
    for (int i = 0; i < names.length(); ++i)
        if (holds[i]) properties.append(names[i]);
    return properties;
}

// Appends what is not there yet, keeping the order of the property names.
void mergeProperties(Zrk_StringArray& into, const Zrk_StringArray& more) {
    Zrk_StringArray merged;
    for (const Zrk_String& name : Zrk_MacroPropsFilter::propertyNames())
        if (into.contains(name) || more.contains(name)) merged.append(name);
    into = merged;
}

} // namespace

const Zrk_StringArray& Zrk_MacroPropsFilter::propertyNames() {
    static const Zrk_StringArray names{"Bolts",  "Bolt patterns",      "Profiles", "Cuts",
                                       "Arrays", "Segmented profiles", "Sub-macro"};
    return names;
}

void Zrk_MacroPropsFilter::initialize(const Zrk_StringArray& list, const Zrk_Array<bool>& flags, int minBase,
                                      int maxBase, const Zrk_String& folder) {
    allFiles_.removeAll();
    drawings_.removeAll();
    rows_.removeAll();
    std::vector<bool> required(flags.begin(), flags.end());
    for (int i = 0; i < list.length(); ++i) {
        if (list[i].empty() || findRow(list[i])) continue;
        rows_.append(Row{list[i], i < static_cast<int>(required.size()) && required[i], {}, {}});
    }
    const Zrk_String root = folder.empty() ? ensureEndSlash(normalizePath(gSettings.libDir)) + kMacrosFolder
                                           : ensureEndSlash(folder);
    if (!ObjectExportFindFilesRecursive(root, Zrk_String("*.") + kDrawingExtension, allFiles_)) return;
    for (const Zrk_String& path : allFiles_) {
        Drawing entry{path, false, {}};
        core::Drawing drawing;
        if (drawing.readFromFile(path)) {
            int baseProfiles = 0;
            for (int m = 0; m < drawing.macroCount(); ++m) {
                const Zrk_Macro& macro = *drawing.macroAt(m)->macro();
                baseProfiles += macro.baseProfiles.length();
                for (const Zrk_Module& module : macro.modules) {
                    const Zrk_StringArray properties = propertiesOf(module);
                    bool merged = false;
                    for (Module& known : entry.modules)
                        if (known.name == module.name)
                            mergeProperties(known.properties, properties), merged = true;
                    if (!merged) entry.modules.append(Module{module.name, properties});
                }
            }
            entry.inRange = drawing.macroCount() > 0 && (minBase < 0 || baseProfiles >= minBase) &&
                            (maxBase < 0 || baseProfiles <= maxBase);
        }
        if (entry.inRange)
            for (const Module& module : entry.modules) {
                Row* row = findRow(module.name);
                if (!row) row = &rows_.append(Row{module.name, false, {}, {}}).last();
                Zrk_StringArray properties = row->properties;
                mergeProperties(properties, module.properties);
                Zrk_Array<int> required;
                for (const Zrk_String& property : properties) {
                    const int was = row->properties.find(property);
                    required.append(was >= 0 ? row->propRequired[was] : 0);
                }
                row->properties = properties;
                row->propRequired = required;
            }
        drawings_.append(entry);
    }
}

void Zrk_MacroPropsFilter::getAllDwgFiles(Zrk_StringArray& files) const {
    files = allFiles_;
}

bool Zrk_MacroPropsFilter::passes(const Drawing& drawing) const {
    if (!drawing.inRange) return false;
    for (const Row& row : rows_) {
        const Module* held = nullptr;
        for (const Module& module : drawing.modules)
            if (module.name == row.module) held = &module;
        bool propertyRequired = false;
        for (int i = 0; i < row.properties.length(); ++i) {
            if (!row.propRequired[i]) continue;
            propertyRequired = true;
            if (!held || !held->properties.contains(row.properties[i])) return false;
        }
        if ((row.required || propertyRequired) && !held) return false;
    }
    return true;
}

void Zrk_MacroPropsFilter::getFilteredMacros(Zrk_StringArray& files) const {
    files.removeAll();
    for (const Drawing& drawing : drawings_)
        if (passes(drawing)) files.append(drawing.path);
}

bool Zrk_MacroPropsFilter::getMergedProperties(Zrk_Array<Zrk_StringArray>& rows,
                                               Zrk_Array<Zrk_Array<bool>>& states) const {
    rows.removeAll();
    states.removeAll();
    for (const Row& row : rows_) {
        Zrk_StringArray names{row.module};
        names.append(row.properties);
        Zrk_Array<bool> ticked{row.required};
        for (int required : row.propRequired)
            ticked.append(required != 0);
        rows.append(names);
        states.append(ticked);
    }
    return !rows.isEmpty();
}

Zrk_MacroPropsFilter::Row* Zrk_MacroPropsFilter::findRow(const Zrk_String& module) {
    for (Row& row : rows_)
        if (row.module == module) return &row;
    return nullptr;
}

bool Zrk_MacroPropsFilter::setModuleStatus(const Zrk_String& module, bool required) {
    Row* row = findRow(module);
    if (!row) return false;
    row->required = required;
    return true;
}

bool Zrk_MacroPropsFilter::setModulePropStatus(const Zrk_String& module, const Zrk_String& property,
                                               bool required) {
    Row* row = findRow(module);
    const int index = row ? row->properties.find(property) : -1;
    if (index < 0) return false;
    row->propRequired[index] = required ? 1 : 0;
    return true;
}
