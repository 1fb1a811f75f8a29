#pragma once
// A standards sheet evaluated on its own, without macro: the caller names values for the sheet's
// Inputs, and receives its Outputs. This is the evaluation a child call makes (mode 1), with the
// caller's list built from the sheet's own declarations. The host shell's "evaluate" and the
// regression cases of a standards library use it.

#include "core/zrk_string.h"
#include "module/export.h"
#include "standards/var_cell.h"

namespace standards {

// The file a sheet name means: the name itself when it is a file (in a path a file whose name differs
// only in letter case counts); an absolute path that is no file as it stands; else the standards
// folder's file of that name (".kvs" added unless the name ends in it; letter case may differ). A
// path it answers answers itself again.
SS_EXPORT Zrk_String resolveSheetPath(const Zrk_String& name);

// The variables the sheet declares, in the sheet's order (Input, Output, Local sections), with their
// roles and types and empty values. False with a message when the sheet cannot be loaded or has no
// "Input" or "Output" section.
SS_EXPORT bool readDeclaredVariables(const Zrk_String& sheet, KvVarCells& variables, Zrk_String& error);

struct SheetEvaluation {
    Zrk_String sheet;                 // a path, or a name in the standards folder
    Zrk_StringArray inputNames;       // values for Inputs, by name; Inputs not named are empty
    Zrk_StringArray inputValues;
    Zrk_StringArray genVarNames;      // general variables substituted in the sheet
    Zrk_StringArray genVarValues;
};

// Evaluates the sheet as a child of a caller whose list holds the sheet's own non-local variables in
// the sheet's order. On success result holds them with the Outputs' values. False with a message
// (a name that is no Input of the sheet, or why the evaluation failed).
SS_EXPORT bool evaluateSheet(const SheetEvaluation& evaluation, KvVarCells& result, Zrk_String& error);

} // namespace standards
