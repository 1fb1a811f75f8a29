#include "core/macro_model.h"

#include <cmath>

#include "core/drawing.h"
#include "core/number_text.h"
#include "core/text.h"

namespace {

constexpr Acad::ErrorStatus kFail = Acad::eInvalidInput;

} // namespace

// --- flex/fix groups ---------------------------------------------------------------------------

int Zrk_FlexFixGroup::findEntry(const Zrk_String& variable) const {
    for (int i = 0; i < entries.length(); ++i)
        if (entries[i].variable == variable) return i;
    return -1;
}

bool Zrk_FlexFixGroup::hasFlexibleEntry() const {
    for (const Zrk_FlexFixEntry& entry : entries)
        if (entry.flexible) return true;
    return false;
}

bool Zrk_FlexFixGroup::press(const Zrk_String& variable, bool checked) {
    const int index = findEntry(variable);
    if (index < 0) return false;
    bool changed = false;
    auto set = [&changed](Zrk_FlexFixEntry& entry, bool flexible) {
        if (entry.flexible != flexible) changed = true;
        entry.flexible = flexible;
    };
    if (checked) {
        for (int i = 0; i < entries.length(); ++i)
            set(entries[i], i == index);
        return changed;
    }
    set(entries[index], false);
    if (!hasFlexibleEntry() && entries.length() > 1) set(entries[(index + 1) % entries.length()], true);
    return changed;
}

// --- modules -----------------------------------------------------------------------------------

Acad::ErrorStatus Zrk_Module::getDialogVariables(Zrk_StringArray& names, Zrk_Array<int>& shown,
                                                 Zrk_Array<int>& driving) const {
    names.removeAll();
    shown.removeAll();
    driving.removeAll();
    for (const Zrk_DimVariable& variable : variables) {
        names.append(variable.name);
        shown.append(variable.shown ? 1 : 0);
        driving.append(variable.driving ? 1 : 0);
    }
    return Acad::eOk;
}

Zrk_DimVariable* Zrk_Module::findVariable(const Zrk_String& variableName) {
    for (Zrk_DimVariable& variable : variables)
        if (variable.name == variableName) return &variable;
    return nullptr;
}

const Zrk_DimVariable* Zrk_Module::findVariable(const Zrk_String& variableName) const {
    return const_cast<Zrk_Module*>(this)->findVariable(variableName);
}

Acad::ErrorStatus Zrk_Module::getSetConstrVarValue(const Zrk_String& variableName, Zrk_String& value,
                                                   bool get) {
    Zrk_DimVariable* variable = findVariable(variableName);
    if (!variable) return kFail;
    if (get) {
        value = doubleToStr(variable->value, 8);
        return Acad::eOk;
    }
    double number = 0.0;
    if (!core::parseNumber(value, number)) return kFail;
    variable->value = number;
    return Acad::eOk;
}

void Zrk_Module::getCutConstraints(Zrk_StringArray& names, Zrk_Array<int>& cutTypes) const {
    names.removeAll();
    cutTypes.removeAll();
    for (const Zrk_CutConstraint& cut : cuts) {
        names.append(cut.name);
        cutTypes.append(cut.cutType);
    }
}

Zrk_CutConstraint* Zrk_Module::getCutConstraint(const Zrk_String& cutName) {
    for (Zrk_CutConstraint& cut : cuts)
        if (cut.name == cutName) return &cut;
    return nullptr;
}

Zrk_BoltPattern* Zrk_Module::findPattern(const Zrk_String& patternName) {
    for (Zrk_BoltPattern& pattern : patterns)
        if (pattern.name == patternName) return &pattern;
    return nullptr;
}

Acad::ErrorStatus Zrk_Module::getNamedPrpl(const Zrk_String& placementName,
                                           Zrk_ProfilePlacement*& placement) {
    for (Zrk_ProfilePlacement& candidate : placements) {
        if (candidate.name == placementName) {
            placement = &candidate;
            return Acad::eOk;
        }
    }
    return kFail;
}

// --- macros ------------------------------------------------------------------------------------

void Zrk_Macro::getModuleNames(Zrk_StringArray& names) const {
    names.removeAll();
    for (const Zrk_Module& module : modules)
        names.append(module.name);
}

Acad::ErrorStatus Zrk_Macro::getModNamesOfGroup(const Zrk_String& group, Zrk_StringArray& names) const {
    Zrk_StringArray found;
    if (!group.empty()) {
        for (const Zrk_Module& module : modules)
            if (module.tabName() == group) found.append(module.name);
        if (found.isEmpty()) return kFail;
    }
    names = std::move(found);
    return Acad::eOk;
}

Zrk_Module* Zrk_Macro::findModuleWrite(const Zrk_String& moduleName) {
    for (Zrk_Module& module : modules)
        if (module.name == moduleName) return &module;
    return nullptr;
}

const Zrk_Module* Zrk_Macro::findModule(const Zrk_String& moduleName) const {
    return const_cast<Zrk_Macro*>(this)->findModuleWrite(moduleName);
}

Acad::ErrorStatus Zrk_Macro::openModule(const Zrk_String& moduleName, int position, Zrk_Module*& module) {
    Zrk_Module* found = nullptr;
    if (position >= 0) {
        const Zrk_Module* named = findModule(moduleName);
        if (named) {
            // The module at that place of its group, when it carries the name.
            int place = 0;
            for (Zrk_Module& candidate : modules) {
                if (candidate.tabName() != named->tabName()) continue;
                if (place++ == position) {
                    if (candidate.name == moduleName) found = &candidate;
                    break;
                }
            }
        }
    }
    if (!found) found = findModuleWrite(moduleName);
    if (!found) return kFail;
    module = found;
    return Acad::eOk;
}

Acad::ErrorStatus Zrk_Macro::getBaseProf(int index, const Zrk_BaseProfile*& profile) const {
    if (!baseProfiles.isValid(index)) return kFail;
    profile = &baseProfiles[index];
    return Acad::eOk;
}

void Zrk_Macro::getGenVarNames(Zrk_StringArray& names) const {
    names.removeAll();
    for (const Zrk_GenVariable& variable : genVars)
        names.append(variable.name);
}

bool Zrk_Macro::hasGenVar(const Zrk_String& varName) const {
    for (const Zrk_GenVariable& variable : genVars)
        if (variable.name == varName) return true;
    return false;
}

Acad::ErrorStatus Zrk_Macro::getGenVar(const Zrk_String& varName, double& value) const {
    for (const Zrk_GenVariable& variable : genVars) {
        if (variable.name == varName) {
            value = variable.value;
            return Acad::eOk;
        }
    }
    return kFail;
}

Acad::ErrorStatus Zrk_Macro::setGenVar(const Zrk_String& varName, double value) {
    if (!std::isfinite(value)) return kFail;
    for (Zrk_GenVariable& variable : genVars) {
        if (variable.name == varName) {
            variable.value = value;
            return Acad::eOk;
        }
    }
    return kFail;
}

// --- database object ---------------------------------------------------------------------------

Zrk_DbMacro::Zrk_DbMacro(Zrk_Macro macro, AcDbObjectId id) : macro_(std::move(macro)), id_(id) {}

Zrk_Macro* Zrk_DbMacro::macroWrite() {
    if (database_) database_->recordWrite(*this);
    return &macro_;
}
