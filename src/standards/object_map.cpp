#include "standards/object_map.h"

#include "core/number_text.h"
#include "core/section_tables.h"
#include "core/text.h"
#include "standards/macro_access.h"
#include "standards/mapping_file.h"
#include "standards/var_cell.h"

namespace {

using standards::kFail;

bool isDigits(const Zrk_String& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == Zrk_String::npos;
}

// "Prof" followed by a whole number: the index of a base profile. Indexes too large for an int are
// no base profile either.
bool parseBaseProfile(const Zrk_String& text, int& index) {
    if (text.compare(0, 4, "Prof") != 0) return false;
    const Zrk_String digits = text.substr(4);
    if (!isDigits(digits) || digits.size() > 9) return false;
    index = core::toInt(digits);
    return true;
}

} // namespace

KvObjectMap::~KvObjectMap() = default;

// --- text form ---------------------------------------------------------------------------------

Acad::ErrorStatus KvObjectMap::setMappingToStrs(Zrk_String& macroSide, Zrk_String& ssSide) const {
    Zrk_String keyword;
    if (!standards::objectTypeKeyword(type, keyword)) return kFail;
    macroSide = groupName + standards::kGroupSeparator + keyword + " " + macroVar;
    ssSide = ssVar;
    return Acad::eOk;
}

Acad::ErrorStatus KvObjectMap::getMappingFromStrs(const Zrk_String& ssSide, const Zrk_String& macroSide) {
    Zrk_String group, rest;
    if (!splitString(macroSide, Zrk_String(1, standards::kGroupSeparator), group, rest)) return kFail;
    stripSymbols(rest, /*atEnd=*/false, /*atStart=*/true);
    KvObjectType parsedType = KvObjectType::NotSet;
    if (!standards::objectTypeFromText(rest, parsedType)) return kFail;
    const std::size_t blank = rest.find(' ');
    groupName = group;
    macroVar = blank == Zrk_String::npos ? Zrk_String() : rest.substr(blank + 1);
    type = parsedType;
    ssVar = ssSide;
    return Acad::eOk;
}

Acad::ErrorStatus KvObjectMap::isCompatible(const KvObjectMap& other) const {
    return (groupName == other.groupName && macroVar == other.macroVar && type == other.type) ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvObjectMap::mapFromArrays(const Zrk_StringArray& ssSides, const Zrk_StringArray& macroSides,
                                             const Zrk_String& ssName) {
    const int index = findString(ssSides, ssName);
    if (index < 0 || !macroSides.isValid(index)) return kFail;
    return getMappingFromStrs(ssSides[index], macroSides[index]);
}

Acad::ErrorStatus KvObjectMap::mapFromArrays(const Zrk_StringArray& ssSides, const Zrk_StringArray& macroSides,
                                             const KvVarCell& cell) {
    return mapFromArrays(ssSides, macroSides, cell.name);
}

// --- macro values ------------------------------------------------------------------------------

Acad::ErrorStatus KvObjectMap::getMacroVarValue(Zrk_DbMacro* macro, MacroData* macroData, Zrk_String& value,
                                                AcTransaction* transaction) {
    return getSetMacroVarValue(macro, macroData, value, true, transaction);
}

Acad::ErrorStatus KvObjectMap::setMacroVarValue(Zrk_DbMacro* macro, MacroData* macroData, const Zrk_String& value,
                                                AcTransaction* transaction) {
    Zrk_String text = value;
    return getSetMacroVarValue(macro, macroData, text, false, transaction);
}

bool KvObjectMap::reachesObject(Zrk_DbMacro* macro, MacroData* macroData, AcTransaction* transaction) {
    Zrk_String value;
    int answered = 0;
    if (getSetMacroVarValue(macro, macroData, value, true, transaction, &answered) != Acad::eOk) return false;
    switch (type) {
    case KvObjectType::GenVar:
    case KvObjectType::PrPlName:
    case KvObjectType::PrPlMaterial:
    case KvObjectType::MemberSectionSize: return true;
    default: return answered > 0;
    }
}

Acad::ErrorStatus KvObjectMap::getSetMacroVarValue(Zrk_DbMacro* dbMacro, MacroData* macroData, Zrk_String& value,
                                                   bool get, AcTransaction* transaction, int* answered) {
    if (!dbMacro) return kFail;
    Zrk_Macro* macro = dbMacro->macroWrite();
    Zrk_StringArray moduleNames;
    if (macro->getModNamesOfGroup(groupName, moduleNames) != Acad::eOk) return kFail;
    // Every module of the group; a module without the object simply does not answer. On a read each
    // module that answers overwrites the value, so the last one wins.
    for (int i = 0; i < moduleNames.length(); ++i)
        if (getSetModuleVarValue(macro, macroData, moduleNames[i], i, value, get, transaction) == Acad::eOk && answered)
            ++*answered;

    switch (type) {
    case KvObjectType::GenVar: {
        if (!get) return macro->setGenVar(macroVar, core::toDouble(value));
        double number = 0.0;
        const Acad::ErrorStatus status = macro->getGenVar(macroVar, number);
        if (status == Acad::eOk) value = doubleToStr(number, 8);
        return status;
    }
    case KvObjectType::PrPlName:
    case KvObjectType::PrPlMaterial: {
        int index = -1;
        const Zrk_BaseProfile* profile = nullptr;
        if (!get || !parseBaseProfile(macroVar, index) || macro->getBaseProf(index, profile) != Acad::eOk) return kFail;
        return type == KvObjectType::PrPlName ? profile->getSectionName(value) : profile->getMaterial(value);
    }
    case KvObjectType::MemberSectionSize: {
        Zrk_String profilePart, columnPart, section;
        int index = -1;
        const Zrk_BaseProfile* profile = nullptr;
        if (!get || !splitString(macroVar, ";", profilePart, columnPart) || !isDigits(columnPart) ||
            columnPart.size() > 9 || !parseBaseProfile(profilePart, index) ||
            macro->getBaseProf(index, profile) != Acad::eOk || profile->getSectionName(section) != Acad::eOk)
            return kFail;
        return gSectionTables.getSectionValue(section, core::toInt(columnPart), value);
    }
    default:
        return Acad::eOk;
    }
}

Acad::ErrorStatus KvObjectMap::getSetModuleVarValue(Zrk_Macro* macro, MacroData* macroData,
                                                    const Zrk_String& moduleName, int position, Zrk_String& value,
                                                    bool get, AcTransaction* transaction) {
    if (!macro || !macroData) return kFail;
    switch (type) {
    case KvObjectType::NotSet:
    case KvObjectType::GenVar:
    case KvObjectType::PrPlName:
    case KvObjectType::PrPlMaterial:
    case KvObjectType::MemberSectionSize:
        return kFail;
    default:
        break;
    }
    Zrk_Module* module = nullptr;
    if (macro->openModule(moduleName, position, module) != Acad::eOk) return kFail;
    MacroTabData* tab = macroData->findTabOfModule(*module);
    if (!tab) return kFail;

    if (standards::isCutOffsetType(type))
        return standards::accessCutOffset(*module, macroVar, standards::cutOffsetKind(type), value, get);
    switch (type) {
    case KvObjectType::Distance: return standards::accessDimension(*module, *tab, macroVar, value, get);
    case KvObjectType::BoltsDiameter: return standards::accessBoltText(*tab, true, value, get);
    case KvObjectType::BoltsHoleOffset: return standards::accessBoltText(*tab, false, value, get);
    case KvObjectType::PatternNrBolts1: return standards::accessNrBolts(*module, macroVar, 1, value, get);
    case KvObjectType::PatternNrBolts2: return standards::accessNrBolts(*module, macroVar, 2, value, get);
    case KvObjectType::PatternReverseStart1: return standards::accessReverseStart(*module, macroVar, 1, value, get);
    case KvObjectType::PatternReverseStart2: return standards::accessReverseStart(*module, macroVar, 2, value, get);
    case KvObjectType::OwnedMemberName:
        // A profile group the tab does not have is no failure of the module.
        standards::accessMemberName(*tab, macroVar, value, get);
        return Acad::eOk;
    default:
        return kFail;
    }
}
