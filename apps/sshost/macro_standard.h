#pragma once
// A standards spreadsheet evaluated for a macro of the open drawing, in one transaction of the host:
// the engine reads the macro's values, computes, and writes its outputs (and what it wrote into the
// macro dialog's data: bolt data, profile properties, flex states) into the macro. An evaluation that
// fails, or goes wrong on its way (an Input it could not read, an equation that failed), is aborted:
// its outputs are not to be trusted, and the drawing stays as it was.
//
// The command line's "standards" and the desktop window's "Run standards" both evaluate this way.

#include <iosfwd>
#include <string>

#include "core/macro_model.h"
#include "host/document.h"
#include "standards/var_cell.h"

namespace sshost {

struct MacroStandard {
    Zrk_String sheet; // a name in the standards folder, or a path
    Zrk_String key;   // the mapping key or Module.GROUP; empty: the macro's name
    Zrk_StringArray genVarNames;
    Zrk_StringArray genVarValues; // parallel to genVarNames
};

// Answers 0 with the evaluated variables, or the exit status of a failure with its reason in failure
// (the evaluation's problems are printed to problems either way, as reportEvaluationProblems does).
int evaluateMacroStandard(host::Document& document, Zrk_DbMacro& macro, const MacroStandard& standard,
                          KvVarCells& variables, std::ostream& problems, std::string& failure);

// "Input", "Output" or "Local".
const char* variableRoleName(KvCellType role);

} // namespace sshost
