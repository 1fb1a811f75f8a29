#pragma once
// What a caller hands to a standards evaluation: the spreadsheet, the macro with its dialog data and
// the host transaction, the mapping key, the general variables to substitute, and the variables.

#include "core/macro_data.h"
#include "core/macro_model.h"
#include "core/zrk_string.h"
#include "host/acad.h"
#include "module/export.h"
#include "standards/var_cell.h"

class SS_EXPORT KvDlgStandardsData {
public:
    static constexpr int kEvaluateForMacro = 0;
    static constexpr int kEvaluateAsChild = 1; // any other mode: load only
    static constexpr int kLoadOnly = 2;

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
    // Mode 1: the caller's variables (in), with the child's outputs (out). Mode 0: the evaluated
    // variables (out).
    KvVarCells varCells;

    // Sets up an evaluation for a macro (mode 0). Fails, changing nothing, without macro or macro data.
    // The transaction and the general variables are set by the caller.
    Acad::ErrorStatus initialize(Zrk_DbMacro* dbMacro, const Zrk_String& spreadsheetName, const Zrk_String& key,
                                 MacroData* data);
};
