// The catalogue of a macro: every object a spreadsheet variable can be mapped to, in the order the
// mapping dialog offers them.

#include "core/section_tables.h"
#include "core/text.h"
#include "standards/ss_mapping.h"

namespace {

KvObjectMap catalogueEntry(const Zrk_String& group, const Zrk_String& name, KvObjectType type,
                           int varKind = 0) {
    KvObjectMap entry;
    entry.groupName = group;
    entry.macroVar = name;
    entry.type = type;
    entry.varKind = varKind;
    return entry;
}

} // namespace

Acad::ErrorStatus KvSSMapping::initAllVarsFromMacro(Zrk_DbMacro* dbMacro, AcTransaction* transaction) {
    if (!dbMacro) return Acad::eInvalidInput;
    const Zrk_Macro& macro = *dbMacro->macro();
    Zrk_StringArray moduleNames;
    macro.getModuleNames(moduleNames);
    for (const Zrk_String& moduleName : moduleNames) {
        const Zrk_Module* module = macro.findModule(moduleName);
        if (!module) continue;
        addAllVariables(*module);
        addAllCuts(*module);
        addAllPatterns(*module, transaction);
        addAllProfPlacements(*module);
    }
    addAllBaseProfs(macro);
    addAllGenVars(macro);
    return Acad::eOk;
}

void KvSSMapping::addAllVariables(const Zrk_Module& module) {
    Zrk_StringArray names;
    Zrk_Array<int> shown, driving;
    if (module.getDialogVariables(names, shown, driving) != Acad::eOk) return;
    for (int i = 0; i < names.length() && i < shown.length() && i < driving.length(); ++i) {
        const bool a = shown[i] != 0, b = driving[i] != 0;
        const int varKind = (a && b) ? 0 : a ? 1 : b ? 2 : 3;
        objects_.append(catalogueEntry(module.tabName(), names[i], KvObjectType::Distance, varKind));
    }
}

void KvSSMapping::addAllCuts(const Zrk_Module& module) {
    for (const Zrk_CutConstraint& cut : module.cuts) {
        Zrk_Array<KvCutOffsetType> kinds;
        cut.getOffsetKinds(kinds);
        for (KvCutOffsetType kind : kinds)
            objects_.append(catalogueEntry(module.tabName(), cut.name, standards::cutOffsetObjectType(kind)));
    }
}

void KvSSMapping::addAllPatterns(const Zrk_Module& module, AcTransaction*) {
    if (module.kindCode() != core::kBoltModule) return;
    objects_.append(catalogueEntry(module.tabName(), Zrk_String(), KvObjectType::BoltsDiameter));
    objects_.append(catalogueEntry(module.tabName(), Zrk_String(), KvObjectType::BoltsHoleOffset));
    for (const Zrk_BoltPattern& pattern : module.patterns) {
        objects_.append(catalogueEntry(module.tabName(), pattern.name, KvObjectType::PatternNrBolts1));
        objects_.append(catalogueEntry(module.tabName(), pattern.name, KvObjectType::PatternReverseStart1));
        if (pattern.kindCode == core::kPatternTwoDirections) {
            objects_.append(catalogueEntry(module.tabName(), pattern.name, KvObjectType::PatternNrBolts2));
            objects_.append(
                catalogueEntry(module.tabName(), pattern.name, KvObjectType::PatternReverseStart2));
        }
    }
}

void KvSSMapping::addAllProfPlacements(const Zrk_Module& module) {
    if (module.kindCode() != core::kProfileModule) return;
    for (const Zrk_ProfilePlacement& placement : module.placements)
        if (!placement.name.empty())
            objects_.append(catalogueEntry(module.tabName(), placement.name, KvObjectType::OwnedMemberName));
}

void KvSSMapping::addAllBaseProfs(const Zrk_Macro& macro) {
    for (int i = 0; i < macro.baseProfiles.length(); ++i) {
        const Zrk_String prof = append("Prof", i);
        objects_.append(catalogueEntry(Zrk_String(), prof, KvObjectType::PrPlName));
        objects_.append(catalogueEntry(Zrk_String(), prof, KvObjectType::PrPlMaterial));
        Zrk_String section;
        Zrk_StringArray columns;
        if (macro.baseProfiles[i].getSectionName(section) != Acad::eOk ||
            gSectionTables.getSectionColumnNames(section, columns) != Acad::eOk)
            continue;
        for (int j = 0; j < columns.length(); ++j) {
            KvObjectMap entry =
                catalogueEntry(Zrk_String(), prof + ";" + intToStr(j), KvObjectType::MemberSectionSize);
            entry.columnName = columns[j];
            objects_.append(std::move(entry));
        }
    }
}

void KvSSMapping::addAllGenVars(const Zrk_Macro& macro) {
    for (const Zrk_GenVariable& variable : macro.genVars)
        objects_.append(catalogueEntry(Zrk_String(), variable.name, KvObjectType::GenVar));
}
