#include "sshost/macro_standard.h"

#include <filesystem>
#include <ostream>

#include "core/codepage.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/macro_data.h"
#include "frame/standards_entry.h"
#include "sshost/evaluation_report.h"
#include "standards/evaluation_chain.h"
#include "standards/standards_data.h"

namespace sshost {

namespace {

// The path made absolute, without "." and ".." steps.
Zrk_String absolutePath(const Zrk_String& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(core::osPath(normalizePath(path)), error);
    return error ? normalizePath(path) : core::fromOsPath(absolute.lexically_normal().string());
}

} // namespace

Zrk_String macroLibraryDrawing(host::Document& document, const Zrk_Macro& macro) {
    if (!macro.libraryName.empty()) return macro.libraryName + ".json";
    const Zrk_String macros = absolutePath(ensureEndSlash(gSettings.libDir) + "Macros") + "/";
    const Zrk_String own = absolutePath(document.path());
    return own.compare(0, macros.size(), macros) == 0 ? own.substr(macros.size()) : Zrk_String();
}

bool libraryGeneralVariables(host::Document& document, const Zrk_Macro& macro, Zrk_StringArray& names,
                             Zrk_StringArray& values, std::string& failure) {
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(KvAutoStandardsData::libraryFile(gSettings.libDir), &message)) {
        failure = core::toUtf8(asSentence(message));
        return false;
    }
    data.applying(macroLibraryDrawing(document, macro), names, values);
    return true;
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
