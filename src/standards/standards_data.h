#pragma once
// What a caller hands to a standards evaluation: the spreadsheet, the macro with its dialog data and
// the host transaction, the mapping key, and the general variables to substitute.

#include "core/macro_data.h"
#include "core/macro_model.h"
#include "core/zrk_string.h"
#include "frame/export.h"
#include "host/acad.h"

class SS_EXPORT KvDlgStandardsData {
public:
    static constexpr int kEvaluateForMacro = 0;
    static constexpr int kEvaluateAsChild = 1; // any other mode: load only

    KvDlgStandardsData() = default;
    KvDlgStandardsData(const KvDlgStandardsData&) = default;
    KvDlgStandardsData& operator=(const KvDlgStandardsData&) = default;
    virtual ~KvDlgStandardsData();

    int mode = kEvaluateForMacro;
    // A full path, or a name relative to the standards folder without extension.
    Zrk_String ssName;
    Zrk_DbMacro* macro = nullptr;
    // The key of the mapping line, or "Module." followed by a module group name.
    Zrk_String mappingKey;
    // The module group of a "Module." key.
    Zrk_String moduleGroup;
    AcTransaction* transaction = nullptr;
    MacroData* macroData = nullptr;
    Zrk_StringArray genVarNames;
    Zrk_StringArray genVarValues; // parallel to genVarNames

    // Sets up an evaluation for a macro (mode 0). Fails, changing nothing, without macro or macro data.
    // The transaction and the general variables are set by the caller.
    Acad::ErrorStatus initialize(Zrk_DbMacro* dbMacro, const Zrk_String& spreadsheetName, const Zrk_String& key,
                                 MacroData* data);
};
