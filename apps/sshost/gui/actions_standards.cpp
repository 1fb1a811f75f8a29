// The connection standards of a macro: run them, one of them, or edit which it runs.
#include "sshost/gui/actions.h"

#include <sstream>

#include "constraints/dlg_macro_settings.h"
#include "core/settings.h"
#include "core/text.h"
#include "sshost/evaluation_report.h"
#include "sshost/macro_standard.h"
#include "standards/value_type.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace sshost::gui {
namespace {

// Evaluates one standard for the macro with the library's general variables that apply to it, and
// shows its variables on the command line; a failure is said there and in a message box (nothing of
// it is written).
bool runStandard(ActionContext& context, Zrk_DbMacro& macro, MacroStandard standard) {
    const std::string macroName = core::toUtf8(macro.macro()->name);
    print("Command: standards " + core::toUtf8(standard.sheet) + " for " + macroName + "\n");
    KvVarCells variables;
    std::ostringstream problems;
    std::string failure;
    int status = kExitNotEvaluated;
    if (libraryGeneralVariables(context.document, *macro.macro(), standard.genVarNames, standard.genVarValues,
                                failure)) {
        for (int i = 0; i < standard.genVarNames.length(); ++i)
            print("  General " + core::toUtf8(standard.genVarNames[i]) + " = " +
                  core::toUtf8(standard.genVarValues[i]) + "\n");
        status = evaluateMacroStandard(context.document, macro, standard, variables, problems, failure);
    }
    print(problems.str());
    if (status != 0) {
        print("sshost: " + failure + "\n");
        ui::messageBox(core::fromUtf8(failure), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return false;
    }
    for (const KvVarCell& cell : variables.cells)
        print(std::string("  ") + roleName(cell.role) + ' ' + core::toUtf8(cell.name) + " = " +
              core::toUtf8(cell.value) + "\n");
    return true;
}

void runChosenStandard(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro) return;
    ui::FileDialogRequest request;
    request.title = "Standards spreadsheet for " + macro->macro()->name;
    request.filterName = "Standards spreadsheets";
    request.extension = "kvs";
    request.startFolder = standardsFolder();
    Zrk_String path;
    if (!ui::getOpenFileName(request, path, context.window)) return;
    MacroStandard standard;
    standard.sheet = path;
    runStandard(context, *macro, standard);
}

// The standard of a row of the macro's settings.
MacroStandard listedStandard(const TabMappingData& listed, int row) {
    MacroStandard standard;
    standard.sheet = listed.ssNames[row];
    // "" maps the entire macro without a record of its own: by the macro's name.
    standard.key = listed.mappingRefs.isValid(row) ? listed.mappingRefs[row] : Zrk_String();
    return standard;
}

// The standards the macro's settings list, in order (the first that fails ends the run); a macro
// without any asks for the spreadsheet.
void runMacroStandards(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro) return;
    const TabMappingData listed = macro->macro()->settings.tabMapping;
    if (listed.ssNames.isEmpty()) {
        runChosenStandard(context);
        return;
    }
    for (int i = 0; i < listed.ssNames.length(); ++i)
        if (!runStandard(context, *macro, listedStandard(listed, i))) return;
}

void runOneListedStandard(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro || !macro->macro()->settings.tabMapping.ssNames.isValid(context.object.index)) return;
    runStandard(context, *macro, listedStandard(macro->macro()->settings.tabMapping, context.object.index));
}

// The settings dialog writes the macro's settings itself, as one undo step.
void editStandardsMapping(ActionContext& context) {
    StartDlgMacroSettings(context.object.owner, DlgMacroSettings::kStandardsPage);
}

} // namespace

Zrk_String standardsFolder() {
    return gSettings.libDir + "Connection Standards/";
}

std::vector<WindowAction> standardsActions() {
    return {
        {"Macro", "Run standards", TreeKind::Macro, &runMacroStandards},
        {"Macro", "Run a standard...", TreeKind::Macro, &runChosenStandard},
        {"Macro", "Standards mapping...", TreeKind::Macro, &editStandardsMapping},
        {"Macro", "Run this standard", TreeKind::Standard, &runOneListedStandard},
    };
}

} // namespace sshost::gui
