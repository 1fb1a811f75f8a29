#include "standards/standards_timers.h"

Zrk_Timer gLoadFile("gLoadFile");
Zrk_Timer gInitMapping("gInitMapping");
Zrk_Timer gInitFromMacro("gInitFromMacro");
Zrk_Timer gInitSSForInput("gInitSSForInput");
Zrk_Timer gSSSGetFromMacro("gSSSGetFromMacro");
Zrk_Timer gSetMacroValuelsToSS("gSetMacroValuelsToSS");
Zrk_Timer gSSSreplaceGenVars("gSSSreplaceGenVars");
Zrk_Timer gCalcMain("gCalcMain");
Zrk_Timer gSetToMacro("gSetToMacro");
Zrk_Timer gGetFromVars("gGetFromVars");
Zrk_Timer gCalcChild("gCalcChild");
Zrk_Timer gSetToVars("gSetToVars");
Zrk_Timer gRegisterFuntions("gRegisterFuntions");
Zrk_Timer gFindDuplicates("gFindDuplicates");
Zrk_Timer gCalcCells("gCalcCells");
Zrk_Timer gCalcCellSplitSymbol("gCalcCellSplitSymbol");
Zrk_Timer gCalcCellFindVarCell("gCalcCellFindVarCell");
Zrk_Timer gCalcCellFindFunctions("gCalcCellFindFunctions");
Zrk_Timer gCalcCellCalcNativeFunctions("gCalcCellCalcNativeFunctions");
Zrk_Timer gCalcCellCalcFunctionsPrepare("gCalcCellCalcFunctionsPrepare");
Zrk_Timer gCalcCellCalcFunctions("gCalcCellCalcFunctions");
Zrk_Timer gCalcCellGetVarNames("gCalcCellGetVarNames");
Zrk_Timer gCalcCellGetVarCoordName("gCalcCellGetVarCoordName");
Zrk_Timer gCalcCellGetVarCoords("gCalcCellGetVarCoords");
Zrk_Timer gCalcCellReplaceVariables("gCalcCellReplaceVariables");

namespace standards {

Zrk_Timer* const* allTimers(int& count) {
    static Zrk_Timer* const timers[] = {
        &gLoadFile,           &gInitMapping,         &gInitFromMacro,         &gInitSSForInput,
        &gSSSGetFromMacro,    &gSetMacroValuelsToSS, &gSSSreplaceGenVars,     &gCalcMain,
        &gSetToMacro,         &gGetFromVars,         &gCalcChild,             &gSetToVars,
        &gRegisterFuntions,   &gFindDuplicates,      &gCalcCells,             &gCalcCellSplitSymbol,
        &gCalcCellFindVarCell, &gCalcCellFindFunctions, &gCalcCellCalcNativeFunctions,
        &gCalcCellCalcFunctionsPrepare, &gCalcCellCalcFunctions, &gCalcCellGetVarNames,
        &gCalcCellGetVarCoordName, &gCalcCellGetVarCoords, &gCalcCellReplaceVariables,
    };
    count = static_cast<int>(sizeof timers / sizeof timers[0]);
    return timers;
}

} // namespace standards
