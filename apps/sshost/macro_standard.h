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

// The macro's drawing in the library's "Macros/" folder, relative to that folder: the library drawing
// the macro was placed from, or else the open drawing itself when it lies there; empty when neither.
// General variables are chosen by it (core/gen_vars.h).
Zrk_String macroLibraryDrawing(host::Document& document, const Zrk_Macro& macro);

// The library's general variables that apply to the macro. False with the reason when the library's
// file cannot be read: a standard evaluated without them would compute from what is missing.
bool libraryGeneralVariables(host::Document& document, const Zrk_Macro& macro, Zrk_StringArray& names,
                             Zrk_StringArray& values, std::string& failure);

} // namespace sshost
