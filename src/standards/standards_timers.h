#pragma once
// The profiling timers of a standards evaluation, one per phase. The engine starts and ends them; the
// product's other modules read them. A phase that fails returns before its timer is ended; the next
// start begins a new interval.

#include "core/timer.h"
#include "module/export.h"

SS_EXPORT extern Zrk_Timer gLoadFile;              // loading the standards file
SS_EXPORT extern Zrk_Timer gInitMapping;           // setting up the mapping
SS_EXPORT extern Zrk_Timer gInitFromMacro;         // reading the values from the macro
SS_EXPORT extern Zrk_Timer gInitSSForInput;        // reading the declared variables (evaluation for a macro)
SS_EXPORT extern Zrk_Timer gSSSGetFromMacro;       // the macro's values into the variables
SS_EXPORT extern Zrk_Timer gSetMacroValuelsToSS;   // the variables' values into their cells
SS_EXPORT extern Zrk_Timer gSSSreplaceGenVars;     // general variables substituted (evaluation for a macro)
SS_EXPORT extern Zrk_Timer gCalcMain;              // calculating and reading the outputs
SS_EXPORT extern Zrk_Timer gSetToMacro;            // the outputs into the macro
SS_EXPORT extern Zrk_Timer gGetFromVars;           // a child's preparation from its caller's variables
SS_EXPORT extern Zrk_Timer gCalcChild;             // calculating a child
SS_EXPORT extern Zrk_Timer gSetToVars;             // a child's outputs into its caller's variables
SS_EXPORT extern Zrk_Timer gRegisterFuntions;      // registering the standards functions
SS_EXPORT extern Zrk_Timer gFindDuplicates;        // the duplicate-name check
SS_EXPORT extern Zrk_Timer gCalcCells;             // the loop over the equation area
SS_EXPORT extern Zrk_Timer gCalcCellSplitSymbol;   // splitting an equation at "="
SS_EXPORT extern Zrk_Timer gCalcCellFindVarCell;   // finding the equation's variable
SS_EXPORT extern Zrk_Timer gCalcCellFindFunctions; // looking for an engine function in the expression
SS_EXPORT extern Zrk_Timer gCalcCellCalcNativeFunctions;  // running the engine function (CallChild)
SS_EXPORT extern Zrk_Timer gCalcCellCalcFunctionsPrepare; // formatting the cell, replacing variable names
SS_EXPORT extern Zrk_Timer gCalcCellCalcFunctions;        // setting the formula and storing the value
SS_EXPORT extern Zrk_Timer gCalcCellGetVarNames;          // collecting variable names
SS_EXPORT extern Zrk_Timer gCalcCellGetVarCoordName;      // one variable's cell name
SS_EXPORT extern Zrk_Timer gCalcCellGetVarCoords;         // all cell names
SS_EXPORT extern Zrk_Timer gCalcCellReplaceVariables;     // replacing names by cell names

namespace standards {
// The 25 timers in the order above, for reports and resets.
SS_EXPORT Zrk_Timer* const* allTimers(int& count);
} // namespace standards
