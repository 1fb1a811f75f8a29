#include "core/macro_update.h"

#include <map>

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/files.h"
#include "core/macro_tabs.h"
#include "core/settings.h"
#include "core/text.h"

namespace {

// Writes tabs (by index) into every edited macro of the working drawing, in one undo record: kept
// when everything could be written, put back otherwise. changed: whether a macro changed.
bool writeTabs(MacroData& data, const Zrk_Array<int>& tabIndices, const Zrk_Array<int>& codes,
               const Zrk_Array<int>& cellIndices, bool& changed) {
    changed = false;
    core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return false;
    core::UndoScope undo(*drawing);
    for (AcDbObjectId id : data.macroIds) {
        Zrk_DbMacro* dbMacro = drawing->findMacro(id);
        if (!dbMacro) continue;
        Zrk_Macro macro = *dbMacro->macro();
        Zrk_String fault;
        for (int index : tabIndices)
            if (!core::writeTab(data.tabs[index], macro, id, false, codes, cellIndices, fault)) return false;
        if (macro == *dbMacro->macro()) continue;
        *dbMacro->macroWrite() = std::move(macro);
        changed = true;
    }
    undo.keep();
    return true;
}

// After the macros were written: the tabs show them again (a value a macro refused, or one that
// all macros now share, shows as the drawing holds it), with the dialog's references kept.
void refreshTabs(MacroData& data) {
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return;
    Zrk_Array<MacroTabData> tabs;
    for (AcDbObjectId id : data.macroIds)
        if (const Zrk_DbMacro* macro = drawing->findMacro(id))
            core::mergeTabs(tabs, core::tabsOfMacro(*macro->macro(), id));
    for (MacroTabData& tab : data.tabs) {
        int index = -1;
        bool found = false;
        for (int i = 0; i < tabs.length() && !found; ++i)
            found = tabs[i].name == tab.name && (index = i, true);
        if (!found) continue;
        MacroTabData fresh = tabs[index];
        // What only the dialog knows stays: references.
        for (int i = 0; i < fresh.cells.length() && i < tab.cells.length(); ++i)
            fresh.cells[i].ctrl = tab.cells[i].ctrl;
        for (int i = 0; i < fresh.patterns.length() && i < tab.patterns.length(); ++i) {
            fresh.patterns[i].count1Ctrl = tab.patterns[i].count1Ctrl;
            fresh.patterns[i].count2Ctrl = tab.patterns[i].count2Ctrl;
            fresh.patterns[i].buttonCtrl = tab.patterns[i].buttonCtrl;
        }
        fresh.boltRefs = tab.boltRefs;
        for (int i = 0; i < fresh.profGroups.length() && i < tab.profGroups.length(); ++i) {
            MacroProfData& to = fresh.profGroups[i];
            const MacroProfData& from = tab.profGroups[i];
            to.sectionCtrl = from.sectionCtrl;
            to.buttonCtrl = from.buttonCtrl;
            to.offsetTypeCtrl = from.offsetTypeCtrl;
            to.rotationCtrl = from.rotationCtrl;
            to.advancedCtrl = from.advancedCtrl;
        }
        for (int i = 0; i < fresh.arrays.length() && i < tab.arrays.length(); ++i) {
            fresh.arrays[i].valueCtrls = tab.arrays[i].valueCtrls;
            fresh.arrays[i].buttonCtrl = tab.arrays[i].buttonCtrl;
            for (int e = 0; e < fresh.arrays[i].entries.length() && e < tab.arrays[i].entries.length(); ++e)
                fresh.arrays[i].entries[e].ctrl = tab.arrays[i].entries[e].ctrl;
        }
        for (int i = 0; i < fresh.cuts.length() && i < tab.cuts.length(); ++i)
            fresh.cuts[i].ctrl = tab.cuts[i].ctrl;
        fresh.subMacroCtrl = tab.subMacroCtrl;
        tab = std::move(fresh);
    }
}

Zrk_Array<int> allIndices(int count) {
    Zrk_Array<int> indices;
    for (int i = 0; i < count; ++i)
        indices.append(i);
    return indices;
}

} // namespace

bool UpdateModule(const Zrk_String& tabName, MacroData& macroData, const Zrk_Array<int>& list1,
                  const Zrk_Array<int>& list2) {
    int index = -1;
    if (!macroData.findTab(tabName, index)) return false;
    bool changed = false;
    if (!writeTabs(macroData, {index}, list1, list2, changed)) return false;
    if (changed) refreshTabs(macroData);
    return changed;
}

bool setAllToMacro(MacroData& macroData, const Zrk_Array<int>& list1, const Zrk_Array<int>& list2) {
    Zrk_Array<int> tabs;
    for (int index : list2.isEmpty() ? allIndices(macroData.tabs.length()) : list2)
        if (macroData.tabs.isValid(index) && !tabs.contains(index)) tabs.append(index);
    bool changed = false;
    if (!writeTabs(macroData, tabs, list1, {}, changed)) return false;
    if (changed) refreshTabs(macroData);
    return changed;
}

void UpdateAllFilterModified(MacroData& macroData, int which) {
    if (const core::Drawing* drawing = core::workingDrawing())
        core::chooseMacros(macroData, *drawing, which == 1);
}

bool SelectOtherMacros(MacroData& macroData) {
    AcArray<AcDbObjectId> ids;
    if (!core::editorHooks().pickMacros("Select the macros to edit", true, ids) || ids.isEmpty())
        return false;
    MacroData chosen = macroData;
    if (!chosen.initFromMacros(ids)) return false;
    macroData = std::move(chosen);
    return true;
}

bool swapBlockRefs(MacroData& macroData, const Zrk_String& tabName, const Zrk_String& drawingPath) {
    int index = -1;
    if (!macroData.findTab(tabName, index) || !macroData.tabs[index].hasSubMacro) return false;
    Zrk_String path = normalizePath(drawingPath);
    const Zrk_String library = ensureEndSlash(normalizePath(gSettings.libDir));
    if (path.compare(0, library.size(), library) == 0) path = path.substr(library.size());
    if (!isEqual(getExtension(path), "dwg", true) || !fileExists(library + path)) return false;
    MacroTabData& tab = macroData.tabs[index];
    const Zrk_String before = tab.subMacro;
    tab.subMacro = path;
    bool changed = false;
    if (!writeTabs(macroData, {index}, {core::kChangeSubMacro}, {}, changed)) {
        tab.subMacro = before;
        return false;
    }
    return true;
}

// --- bolt assemblies ---------------------------------------------------------------------------

namespace {

// Assembly name -> diameters, from the library's "Bolts/Assemblies.txt" ("name: d1, d2, ...", one
// assembly a line, '#' comments) or built in.
std::vector<std::pair<Zrk_String, Zrk_StringArray>> assemblyTable() {
    std::vector<std::pair<Zrk_String, Zrk_StringArray>> table;
    Zrk_StringArray lines;
    if (ObjectExportReadFile(ensureEndSlash(normalizePath(gSettings.libDir)) + "Bolts/Assemblies.txt",
                             lines)) {
        for (const Zrk_String& line : lines) {
            Zrk_String name, rest;
            if (line.empty() || line[0] == '#' || !splitString(line, ":", name, rest, true) || name.empty())
                continue;
            Zrk_StringArray diameters;
            strToArr(rest, diameters, ',');
            for (Zrk_String& diameter : diameters)
                diameter = trimmed(diameter);
            table.emplace_back(name, diameters);
        }
        if (!table.empty()) return table;
    }
    const Zrk_StringArray metric = {"12", "16", "20", "24", "27", "30"};
    return {{"M-8.8", metric}, {"M-10.9", metric}, {"HV-10.9", {"16", "20", "24", "27", "30", "36"}}};
}

} // namespace

void GetAssemblies(Zrk_StringArray& assemblies) {
    assemblies.removeAll();
    for (const auto& [name, diameters] : assemblyTable())
        assemblies.append(name);
}

void GetDiameters(const Zrk_String& composition, Zrk_StringArray& diameters) {
    diameters.removeAll();
    for (const auto& [name, list] : assemblyTable())
        if (name == composition) diameters = list;
}

void GetMergedDiameters(const MacroData& macroData, const Zrk_String& tabName, Zrk_StringArray& diameters) {
    diameters.removeAll();
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return;
    for (AcDbObjectId id : macroData.macroIds) {
        const Zrk_DbMacro* macro = drawing->findMacro(id);
        if (!macro) continue;
        for (const Zrk_Module& module : macro->macro()->modules) {
            if (module.tabName() != tabName || !module.boltData) continue;
            Zrk_StringArray list;
            GetDiameters(module.boltData->composition, list);
            for (const Zrk_String& diameter : list)
                if (!diameters.contains(diameter)) diameters.append(diameter);
        }
    }
}

// --- clash checker -----------------------------------------------------------------------------

namespace {

struct ClashState {
    bool on = true;
    Zrk_StringArray clashes;
};

std::map<int, ClashState>& clashStates() {
    static std::map<int, ClashState> states;
    return states;
}

} // namespace

void clashInitDlgStarted(int modelessIndex) {
    clashStates()[modelessIndex] = ClashState();
}

void clashResetInfo(int modelessIndex) {
    clashStates()[modelessIndex].clashes.removeAll();
}

int clashcheck(int modelessIndex, const MacroData& macroData) {
    ClashState& state = clashStates()[modelessIndex];
    state.clashes.removeAll();
    const core::Drawing* drawing = core::workingDrawing();
    if (!state.on || !drawing) return 0;
    // Which macros place each member.
    std::map<Zrk_String, Zrk_StringArray> placedBy;
    for (int i = 0; i < const_cast<core::Drawing*>(drawing)->macroCount(); ++i) {
        const Zrk_DbMacro* macro = const_cast<core::Drawing*>(drawing)->macroAt(i);
        for (const Zrk_Module& module : macro->macro()->modules)
            for (const Zrk_ProfilePlacement& placement : module.placements)
                if (!placement.memberName.empty() &&
                    !placedBy[placement.memberName].contains(macro->macro()->name))
                    placedBy[placement.memberName].append(macro->macro()->name);
    }
    for (const auto& [member, macros] : placedBy) {
        if (macros.length() < 2) continue;
        bool ours = false;
        for (const Zrk_String& name : macroData.macroNames)
            ours = ours || macros.contains(name);
        if (ours)
            state.clashes.append("The member " + member + " is placed by " + arrToStr(macros, ',') + ".");
    }
    return state.clashes.length();
}

bool clashGetStatus(int modelessIndex) {
    return clashStates()[modelessIndex].on;
}

void clashSetStatus(int modelessIndex, bool on) {
    ClashState& state = clashStates()[modelessIndex];
    state.on = on;
    if (!on) state.clashes.removeAll();
}

void clashGetInfo(int modelessIndex, Zrk_StringArray& clashes) {
    const auto found = clashStates().find(modelessIndex);
    clashes = found == clashStates().end() ? Zrk_StringArray() : found->second.clashes;
}

void clashDlgClosed(int modelessIndex) {
    clashStates().erase(modelessIndex);
}

// --- the standards engine's hook ---------------------------------------------------------------

namespace core {

namespace {
StandardsHook& hookSlot() {
    static StandardsHook hook;
    return hook;
}
} // namespace

void setStandardsHook(StandardsHook hook) {
    hookSlot() = std::move(hook);
}
const StandardsHook& standardsHook() {
    return hookSlot();
}

} // namespace core

// --- MacroData operations that write the drawing -------------------------------------------------

bool MacroData::reApply() {
    Zrk_Array<int> codes;
    for (int code = core::kChangeCells; code >= core::kChangeSegments; --code)
        codes.append(code);
    codes.append(core::kChangePlacementRefs);
    bool changed = false;
    return writeTabs(*this, allIndices(tabs.length()), codes, {}, changed);
}

bool MacroData::loadFromStandards(Zrk_String* failure) {
    const core::StandardsHook& hook = core::standardsHook();
    core::Drawing* drawing = core::workingDrawing();
    if (!hook || !drawing) {
        if (failure) *failure = "No standards engine is loaded.";
        return false;
    }
    core::UndoScope undo(*drawing);
    for (AcDbObjectId id : macroIds) {
        const Zrk_DbMacro* macro = drawing->findMacro(id);
        if (!macro) continue;
        const TabMappingData standards = macro->macro()->settings.tabMapping;
        for (int i = 0; i < standards.ssNames.length() && i < standards.mappingRefs.length(); ++i) {
            if (standards.mappingRefs[i].empty()) continue; // no mapping record yet: nothing to run
            MacroData data;
            data.initFromMacro(*drawing->findMacro(id)->macro());
            Zrk_String reason;
            if (!hook(id, data, standards.ssNames[i], standards.mappingRefs[i], reason)) {
                if (failure) *failure = reason;
                return false;
            }
            // What the engine changed in the data (bolt data, profile groups, flex states) goes into
            // the macro, as the engine's own callers do.
            Zrk_DbMacro* target = drawing->findMacro(id);
            Zrk_Macro written = *target->macro();
            if (!data.applyToMacro(written)) {
                if (failure)
                    *failure = "The values of " + standards.ssNames[i] + " cannot be written into the macro.";
                return false;
            }
            if (!(written == *target->macro())) *target->macroWrite() = std::move(written);
        }
    }
    undo.keep();
    refreshTabs(*this);
    return true;
}
