#include "core/macro_settings.h"

#include <algorithm>

#include "core/drawing.h"

Zrk_String TabMappingData::getMapping(const Zrk_String& name, int row) const {
    if (ssNames.isValid(row) && mappingRefs.isValid(row) && ssNames[row] == name) return mappingRefs[row];
    for (int i = 0; i < ssNames.length() && i < mappingRefs.length(); ++i)
        if (ssNames[i] == name) return mappingRefs[i];
    return Zrk_String();
}

bool TabMappingData::isModuleRef(const Zrk_String& ref, Zrk_String* moduleName) {
    static const Zrk_String kPrefix = "Module.";
    if (ref.compare(0, kPrefix.size(), kPrefix) != 0) return false;
    if (moduleName) *moduleName = ref.substr(kPrefix.size());
    return true;
}

void MacroSettingsData::padParallelLists() {
    const int lists = std::max({listNames.length(), stringLists.length(), listPictures.length()});
    listNames.setLength(lists);
    stringLists.setLength(lists);
    listPictures.setLength(lists);
    const int vars = std::max(defaultVarNames.length(), defaultVarValues.length());
    defaultVarNames.setLength(vars);
    defaultVarValues.setLength(vars);
    const int groups = std::max({groupModules.length(), groupMembers.length(), groupCounts.length()});
    groupModules.setLength(groups);
    groupMembers.setLength(groups);
    groupCounts.setLength(groups);
    const int sheets = std::max(tabMapping.ssNames.length(), tabMapping.mappingRefs.length());
    tabMapping.ssNames.setLength(sheets);
    tabMapping.mappingRefs.setLength(sheets);
}

bool GetMacroSettings(AcDbObjectId macroId, MacroSettingsData& data) {
    core::Drawing* drawing = core::workingDrawing();
    const Zrk_DbMacro* macro = drawing ? drawing->findMacro(macroId) : nullptr;
    if (!macro) return false;
    data = macro->macro()->settings;
    macro->macro()->getModuleNames(data.tabMapping.moduleNames);
    return true;
}

bool SetMacroSettings(AcDbObjectId macroId, const MacroSettingsData& data) {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_DbMacro* macro = drawing ? drawing->findMacro(macroId) : nullptr;
    if (!macro) return false;
    MacroSettingsData stored = data;
    stored.padParallelLists();
    // What belongs to the moment, not to the macro: the module list is the macro's own, and the
    // mapping catalogue is the engine's.
    stored.tabMapping.moduleNames.removeAll();
    stored.tabMapping.macroMapping = nullptr;
    core::UndoScope undo(*drawing);
    macro->macroWrite()->settings = std::move(stored);
    undo.keep();
    return true;
}
