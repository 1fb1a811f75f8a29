#include "core/macro_cuts_data.h"

#include <cctype>

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/macro_tabs.h"
#include "core/number_text.h"
#include "core/text.h"

namespace {

bool isGenVarName(const Zrk_String& text) {
    if (text.size() <= 4 || text.compare(0, 4, "gen_") != 0) return false;
    for (unsigned char c : text)
        if (!std::isalnum(c) && c != '_') return false;
    return true;
}

} // namespace

DlgMacroCutsData DlgMacroCutsData::forCut(const Zrk_CutConstraint& cut, const Zrk_String& moduleName) {
    DlgMacroCutsData data;
    data.cut = cut;
    data.exists = true;
    data.moduleName = moduleName;
    for (int kind = 0; kind < kCutOffsetTypeCount; ++kind) {
        if (!cut.held[kind]) continue;
        const std::size_t at = static_cast<std::size_t>(kind);
        data.offsetNames.append(core::cutOffsetName(static_cast<KvCutOffsetType>(kind)));
        data.offsetValues.append(cut.offsetVars[at].empty() ? core::numberText(cut.offsets[at])
                                                            : cut.offsetVars[at]);
        data.offsetFlags.append(cut.checked[at] ? 1 : 0);
    }
    return data;
}

void DlgMacroCutsData::GetDefaultValues(int cutType, Zrk_StringArray& names, Zrk_StringArray& values,
                                        Zrk_Array<int>& flags) const {
    names.removeAll();
    values.removeAll();
    flags.removeAll();
    const KvCutOffsetSet held = Zrk_CutConstraint::heldOffsetsOf(cutType);
    for (int kind = 0; kind < kCutOffsetTypeCount; ++kind) {
        if (!held[kind]) continue;
        names.append(core::cutOffsetName(static_cast<KvCutOffsetType>(kind)));
        values.append("0");
        flags.append(0);
    }
}

bool DlgMacroCutsData::CutNameInUse() const {
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return false;
    for (AcDbObjectId id : macroIds) {
        const Zrk_DbMacro* macro = drawing->findMacro(id);
        const Zrk_Module* module = macro ? macro->macro()->findModule(moduleName) : nullptr;
        if (!module) continue;
        for (const Zrk_CutConstraint& existing : module->cuts)
            if (existing.name == cut.name) return true;
    }
    return false;
}

bool DlgMacroCutsData::AreVarNamesValid() const {
    if (offsetNames.length() != offsetValues.length() || offsetNames.length() != offsetFlags.length())
        return false;
    for (int i = 0; i < offsetNames.length(); ++i) {
        KvCutOffsetType kind;
        double number = 0.0;
        if (!core::cutOffsetKindOfName(offsetNames[i], kind)) return false;
        if (!core::parseNumber(offsetValues[i], number) && !isGenVarName(trimmed(offsetValues[i])))
            return false;
    }
    return true;
}

void DlgMacroCutsData::fillModuleNames() {
    moduleNames.removeAll();
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing) return;
    for (AcDbObjectId id : macroIds)
        if (const Zrk_DbMacro* macro = drawing->findMacro(id))
            for (const Zrk_Module& module : macro->macro()->modules)
                if (!moduleNames.contains(module.name)) moduleNames.append(module.name);
}

bool DlgMacroCutsData::UserSelectMacro() {
    AcArray<AcDbObjectId> picked;
    const core::Drawing* drawing = core::workingDrawing();
    if (!core::editorHooks().pickMacros("Select the macro the cut belongs to", false, picked) ||
        picked.isEmpty() || !drawing || !drawing->findMacro(picked[0]))
        return false;
    if (!macroIds.contains(picked[0])) macroIds.append(picked[0]);
    fillModuleNames();
    return true;
}

bool DlgMacroCutsData::toCut(Zrk_CutConstraint& result) const {
    if (!core::isCutType(cut.cutType) || !AreVarNamesValid()) return false;
    Zrk_CutConstraint made = cut;
    made.held = KvCutOffsetSet{};
    made.offsets = {};
    made.offsetVars = {};
    made.checked = KvCutOffsetSet{};
    for (int i = 0; i < offsetNames.length(); ++i) {
        KvCutOffsetType kind;
        core::cutOffsetKindOfName(offsetNames[i], kind);
        const std::size_t at = static_cast<std::size_t>(kind);
        made.held[at] = true;
        made.checked[at] = offsetFlags[i] != 0;
        double number = 0.0;
        if (core::parseNumber(offsetValues[i], number))
            made.offsets[at] = number;
        else
            made.offsetVars[at] = trimmed(offsetValues[i]);
    }
    result = std::move(made);
    return true;
}

bool DlgMacroCutsData::apply() const {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_CutConstraint made;
    if (!drawing || cut.name.empty() || !toCut(made)) return false;
    core::UndoScope undo(*drawing);
    bool written = false;
    for (AcDbObjectId id : macroIds) {
        Zrk_DbMacro* dbMacro = drawing->findMacro(id);
        if (!dbMacro || !dbMacro->macro()->findModule(moduleName)) continue;
        Zrk_Macro* macro = dbMacro->macroWrite();
        Zrk_Module* module = macro->findModuleWrite(moduleName);
        Zrk_CutConstraint placed = made;
        // A general variable's offset takes the macro's value of it.
        for (int kind = 0; kind < kCutOffsetTypeCount; ++kind) {
            const std::size_t at = static_cast<std::size_t>(kind);
            double value = 0.0;
            if (!placed.offsetVars[at].empty() && macro->getGenVar(placed.offsetVars[at], value) == Acad::eOk)
                placed.offsets[at] = value;
        }
        Zrk_CutConstraint* existing = module->getCutConstraint(cut.name);
        if (exists && existing)
            *existing = placed;
        else if (!exists && !existing)
            module->cuts.append(placed);
        else
            return false; // a new cut whose name is in use, or an existing one that is gone
        written = true;
    }
    if (!written) return false;
    undo.keep();
    return true;
}
