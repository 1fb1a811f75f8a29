#include "standards/ss_mapping.h"

#include <vector>

#include "standards/macro_access.h"
#include "standards/standards_data.h"

namespace {
using standards::kFail;
} // namespace

KvSSMapping::~KvSSMapping() = default;

Acad::ErrorStatus KvSSMapping::initFromMacro(const KvDlgStandardsData& data) {
    if (!data.macro || !data.moduleGroup.empty()) return kFail;
    kind = kFile;
    // The entries of an earlier evaluation (the pool's sheets are used again) must not carry over: a
    // mapping file that cannot be read, or holds no line, would otherwise write this sheet's outputs
    // into the macro through another sheet's entries.
    objects_.removeAll();
    return getMappingFromFile(data.ssName, data.mappingKey);
}

Acad::ErrorStatus KvSSMapping::initFromModuleGroup(const Zrk_String& group) {
    if (group.empty()) return kFail;
    kind = kModuleGroup;
    return Acad::eOk;
}

// --- comparisons -------------------------------------------------------------------------------

bool KvSSMapping::isEqual(const KvSSMapping& other) const {
    for (const KvObjectMap& entry : objects_) {
        KvValueType valueType;
        int index = -1;
        if (!standards::objectValueType(entry.type, valueType) ||
            other.findSSVar(entry.ssVar, valueType, index) != Acad::eOk ||
            other.objects_[index].isCompatible(entry) != Acad::eOk)
            return false;
    }
    return true;
}

Acad::ErrorStatus KvSSMapping::findSSVar(const Zrk_String& ssName, KvValueType valueType, int& index) const {
    for (int i = 0; i < objects_.length(); ++i) {
        KvValueType entryType;
        if (objects_[i].ssVar == ssName && standards::objectValueType(objects_[i].type, entryType) &&
            entryType == valueType) {
            index = i;
            return Acad::eOk;
        }
    }
    return kFail;
}

Acad::ErrorStatus KvSSMapping::findCompatible(const KvObjectMap& entry, int& index) const {
    for (int i = 0; i < objects_.length(); ++i) {
        if (objects_[i].isCompatible(entry) == Acad::eOk) {
            index = i;
            return Acad::eOk;
        }
    }
    return kFail;
}

Acad::ErrorStatus KvSSMapping::isCompatible(const KvSSMapping& other, int& count) const {
    count = 0;
    int index = -1;
    for (const KvObjectMap& entry : objects_)
        if (other.findCompatible(entry, index) == Acad::eOk) ++count;
    return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::getValidVars(bool, KvValueType valueType, Zrk_Array<int>& indices) const {
    indices.removeAll();
    for (int i = 0; i < objects_.length(); ++i) {
        KvValueType entryType;
        if (standards::objectValueType(objects_[i].type, entryType) && isNumeric(entryType) == isNumeric(valueType))
            indices.append(i);
    }
    return Acad::eOk;
}

Acad::ErrorStatus KvSSMapping::sortValidVars(Zrk_Array<int>& indices, const Zrk_Array<int>& order) const {
    const int groupCount = order.length();
    if (groupCount == 0) return kFail;
    std::vector<Zrk_Array<int>> groups(static_cast<std::size_t>(groupCount));
    for (int index : indices) {
        if (!objects_.isValid(index)) continue;
        int group = order.find(objects_[index].varKind);
        if (group < 0) group = groupCount - 1;
        groups[static_cast<std::size_t>(group)].append(index);
    }
    Zrk_Array<int> sorted;
    for (const Zrk_Array<int>& group : groups) {
        sorted.append(-1);
        sorted.append(group);
    }
    indices = std::move(sorted);
    return Acad::eOk;
}

// --- macro values ------------------------------------------------------------------------------

Acad::ErrorStatus KvSSMapping::getMacroVarValue(const Zrk_String& ssName, KvValueType valueType, Zrk_String& value,
                                                const KvDlgStandardsData& data) {
    return getSetMacroVarValue(ssName, valueType, value, data, true);
}

Acad::ErrorStatus KvSSMapping::setMacroVarValue(const Zrk_String& ssName, KvValueType valueType,
                                                const Zrk_String& value, const KvDlgStandardsData& data) {
    Zrk_String text = value;
    return getSetMacroVarValue(ssName, valueType, text, data, false);
}

Acad::ErrorStatus KvSSMapping::getSetMacroVarValue(const Zrk_String& ssName, KvValueType valueType,
                                                   Zrk_String& value, const KvDlgStandardsData& data, bool get) {
    if (!data.macro) return kFail;
    if (kind == kModuleGroup) {
        Zrk_Macro* macro = data.macro->macroWrite();
        Zrk_StringArray moduleNames;
        macro->getModNamesOfGroup(data.moduleGroup, moduleNames);
        bool accepted = false;
        for (const Zrk_String& moduleName : moduleNames) {
            Zrk_Module* module = macro->findModuleWrite(moduleName);
            if (!module) continue;
            // A read ends with the first module that answers; a write goes to every module.
            const Acad::ErrorStatus status =
                standards::getSetByName(*macro, data.macroData, module, ssName, valueType, value, get);
            if (status == Acad::eOk && get) return Acad::eOk;
            accepted = accepted || status == Acad::eOk;
        }
        return accepted ? Acad::eOk : kFail;
    }
    int index = -1;
    if (findSSVar(ssName, valueType, index) != Acad::eOk) return kFail;
    KvObjectMap& entry = objects_[index];
    return get ? entry.getMacroVarValue(data.macro, data.macroData, value, data.transaction)
               : entry.setMacroVarValue(data.macro, data.macroData, value, data.transaction);
}

bool KvSSMapping::reachesMacroObject(const Zrk_String& ssName, KvValueType valueType, const KvDlgStandardsData& data) {
    Zrk_String value;
    if (kind == kModuleGroup) return getMacroVarValue(ssName, valueType, value, data) == Acad::eOk;
    int index = -1;
    if (!data.macro || findSSVar(ssName, valueType, index) != Acad::eOk) return false;
    return objects_[index].reachesObject(data.macro, data.macroData, data.transaction);
}
