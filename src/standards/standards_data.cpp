#include "standards/standards_data.h"

KvDlgStandardsData::~KvDlgStandardsData() = default;

Acad::ErrorStatus KvDlgStandardsData::initialize(Zrk_DbMacro* dbMacro, const Zrk_String& spreadsheetName,
                                                 const Zrk_String& key, MacroData* data) {
    if (!dbMacro || !data) return Acad::eInvalidInput;
    const Zrk_String prefix = "Module.";
    moduleGroup = key.compare(0, prefix.size(), prefix) == 0 ? key.substr(prefix.size()) : Zrk_String();
    mode = kEvaluateForMacro;
    ssName = spreadsheetName;
    mappingKey = key;
    macro = dbMacro;
    macroData = data;
    return Acad::eOk;
}
