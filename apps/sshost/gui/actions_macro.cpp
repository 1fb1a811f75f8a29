// The parameters of a macro and of its modules: the macro dialog, the module's template, cuts, bolts,
// patterns and segmented profiles.
#include "sshost/gui/actions.h"

#include "core/macro_update.h"
#include "core/settings.h"
#include "core/text.h"
#include "designer/dlg_designer.h"
#include "macrodlg/dlg_bolt_advanced.h"
#include "macrodlg/dlg_macro.h"
#include "macrodlg/dlg_macro_cuts.h"
#include "macrodlg/dlg_pattern_settings.h"
#include "macrodlg/dlg_prof_segmented.h"
#include "ui/message_box.h"

namespace sshost::gui {
namespace {

// The parameter window of the macro, modeless as the host runs it: each change is applied at once, in
// one transaction of the drawing, which the window hears (its tree and its changed mark follow).
void openMacroDialog(ActionContext& context) {
    MacroData data;
    if (!data.initFromMacros({context.object.owner})) return;
    int slot = -1;
    if (!StartDlgMacroModeless(true, data, slot)) {
        warn(context, "The macro dialog could not be opened");
        return;
    }
    print("Macro dialog of " + core::toUtf8(data.title) + " opened\n");
}

void designModuleTemplate(ActionContext& context) {
    const Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const Zrk_Module* module = macro ? macro->macro()->findModule(context.object.module) : nullptr;
    if (!module) return;
    if (module->templatePath.empty()) {
        ui::messageBox("The module " + module->name + " has no dialog template.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    StartDlgDesigner(gSettings.libDir + module->templatePath);
}

// Writes a cut the cuts dialog accepted into the drawing, in one transaction; a cut that cannot be
// written is said, and the drawing stays as it was.
void applyCut(ActionContext& context, const DlgMacroCutsData& data) {
    host::TransactionManager& transactions = context.document.transactionManager();
    if (!transactions.startTransaction()) return;
    if (!data.apply()) {
        transactions.abortTransaction();
        ui::messageBox("The cut " + data.cut.name + " could not be written into the module " +
                           data.moduleName + ".",
                       {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    transactions.endTransaction();
    print("Macro cut " + core::toUtf8(data.cut.name) + " of " + core::toUtf8(data.moduleName) + " written\n");
}

void editMacroCut(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const Zrk_Module* module = macro ? macro->macro()->findModule(context.object.module) : nullptr;
    const Zrk_CutConstraint* cut = nullptr;
    if (module)
        for (const Zrk_CutConstraint& each : module->cuts)
            if (each.name == context.object.name) cut = &each;
    if (!cut) return;
    DlgMacroCutsData data = DlgMacroCutsData::forCut(*cut, module->name);
    data.macroIds = {macro->objectId()};
    bool escaped = false;
    if (StartDlgMacroCuts(data, escaped)) applyCut(context, data);
}

void addMacroCut(ActionContext& context) {
    const Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro) return;
    DlgMacroCutsData data;
    data.macroIds = {macro->objectId()};
    data.fillModuleNames();
    data.moduleName = context.object.module;
    data.cut = Zrk_CutConstraint::ofType("", core::kCutProfVsPlate);
    data.GetDefaultValues(core::kCutProfVsPlate, data.offsetNames, data.offsetValues, data.offsetFlags);
    bool escaped = false;
    if (StartDlgMacroCuts(data, escaped)) applyCut(context, data);
}

// The macro dialog data over the entry's macro, and the tab of the entry's module; null when the
// macro or module is gone.
MacroTabData* tabOfEntry(ActionContext& context, MacroData& data) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const Zrk_Module* module = macro ? macro->macro()->findModule(context.object.module) : nullptr;
    if (!module || !data.initFromMacros({macro->objectId()})) return nullptr;
    return data.findTabOfModule(*module);
}

// The bolt and pattern dialogs apply each change as it is made (each one undo step), so they need no
// writing afterwards; the segmented profiles are written on OK.
void editBoltRecord(ActionContext& context) {
    MacroData data;
    MacroTabData* tab = tabOfEntry(context, data);
    if (!tab || !tab->boltData) {
        ui::messageBox("The module " + context.object.module + " has no bolt record.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    const Zrk_String tabName = tab->name;
    MacroBoltData bolt = *tab->boltData;
    Zrk_StringArray diameters;
    GetMergedDiameters(data, tabName, diameters);
    MacroDataLink link(data, tabName);
    StartDlgMacroBoltAdvanced(bolt, diameters, &link);
    print("Bolt record of " + core::toUtf8(tabName) + ": " + std::to_string(link.changes()) +
          " change(s) applied\n");
}

void editPatternSettings(ActionContext& context) {
    MacroData data;
    MacroTabData* tab = tabOfEntry(context, data);
    int index = -1;
    if (!tab || !tab->findPatternWithName(context.object.name, index)) return;
    const Zrk_String tabName = tab->name;
    Zrk_BoltPattern pattern = tab->patterns[index];
    MacroDataLink link(data, tabName);
    StartDlgPatternSettings(pattern, &link);
    print("Pattern " + core::toUtf8(pattern.name) + ": " + std::to_string(link.changes()) +
          " change(s) applied\n");
}

void editSegmentedProfiles(ActionContext& context) {
    MacroData data;
    MacroTabData* tab = tabOfEntry(context, data);
    if (!tab || tab->segments.isEmpty()) {
        ui::messageBox("The module " + context.object.module + " has no segmented profiles.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    const Zrk_String tabName = tab->name;
    if (!StartDlgProfSegmented(tab->segments)) return;
    if (UpdateModule(tabName, data, {core::kChangeSegments}, {}))
        print("Segmented profiles of " + core::toUtf8(tabName) + " written\n");
}

} // namespace

std::vector<WindowAction> macroActions() {
    return {
        {"Macro", "Macro dialog...", TreeKind::Macro, &openMacroDialog},
        {"Macro", "Design the module's template...", TreeKind::Module, &designModuleTemplate},
        {"Macro", "Add a cut...", TreeKind::Module, &addMacroCut},
        {"Macro", "Edit cut...", TreeKind::Cut, &editMacroCut},
        {"Macro", "Bolt settings...", TreeKind::Module, &editBoltRecord},
        {"Macro", "Segmented profiles...", TreeKind::Module, &editSegmentedProfiles},
        {"Macro", "Pattern settings...", TreeKind::Pattern, &editPatternSettings},
    };
}

} // namespace sshost::gui
