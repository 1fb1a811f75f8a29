#include "sshost/macro_standard.h"

#include <ostream>

#include "core/codepage.h"
#include "core/macro_data.h"
#include "frame/standards_entry.h"
#include "sshost/evaluation_report.h"
#include "standards/evaluation_chain.h"
#include "standards/standards_data.h"

namespace sshost {

const char* variableRoleName(KvCellType role) {
    switch (role) {
    case KvCellType::Input: return "Input";
    case KvCellType::Output: return "Output";
    default: return "Local";
    }
}

int evaluateMacroStandard(host::Document& document, Zrk_DbMacro& macro, const MacroStandard& standard,
                          KvVarCells& variables, std::ostream& problems, std::string& failure) {
    MacroData macroData;
    macroData.initFromMacro(*macro.macro());
    KvDlgStandardsData data;
    const Zrk_String macroName = macro.macro()->name;
    data.initialize(&macro, standard.sheet, standard.key.empty() ? macroName : standard.key, &macroData);
    data.genVarNames = standard.genVarNames;
    data.genVarValues = standard.genVarValues;

    host::TransactionManager& transactions = document.transactionManager();
    data.transaction = transactions.startTransaction();
    if (!data.transaction) {
        failure = "No drawing is open.";
        return kExitNotEvaluated;
    }
    if (!StartDlgStandardsSS(data)) {
        transactions.abortTransaction();
        reportEvaluationProblems(problems);
        const Zrk_String reason = standards::lastFailure();
        failure = reason.empty() ? "The evaluation of " + core::toUtf8(standard.sheet) + " failed."
                                 : core::toUtf8(reason);
        return kExitNotEvaluated;
    }
    if (const int status = reportEvaluationProblems(problems); status != 0) {
        transactions.abortTransaction();
        failure = "the evaluation of " + core::toUtf8(standard.sheet) + " for " + core::toUtf8(macroName) +
                  " failed; the drawing is left as it was.";
        return status;
    }
    // What the engine wrote into the dialog data goes into the macro, as the macro dialog does when it
    // is closed with OK.
    macroData.applyToMacro(*macro.macroWrite());
    transactions.endTransaction();
    variables = data.varCells;
    return 0;
}

} // namespace sshost
