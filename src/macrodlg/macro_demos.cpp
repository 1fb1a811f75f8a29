// Demonstrations of the macro sub-dialogs for the host shell (frame/demo_dialogs.h), each on a macro
// of the sample drawing (or of the person's drawing with --drawing and --macro; --save writes it
// back when he presses OK):
//   sshost dialog macro-cuts    a new cut of the macro's first module
//   sshost dialog array         the first array of the macro's tabs

#include "core/macro_update.h"
#include "core/text.h"
#include "macrodlg/demo_drawing.h"
#include "macrodlg/dlg_array.h"
#include "macrodlg/dlg_macro_cuts.h"

namespace {

const Zrk_String kSampleMacro = "EndPlateA";

bool demoMacroCuts(const frame::DemoOptions& options, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    DlgMacroCutsData data;
    data.macroIds = {demo.macro->objectId()};
    data.fillModuleNames();
    if (data.moduleNames.isEmpty()) {
        answer = "The macro " + demo.macro->macro()->name + " has no modules.";
        return false;
    }
    data.moduleName = data.moduleNames[0];
    data.cut = Zrk_CutConstraint::ofType("", core::kCutProfVsPlate);
    data.GetDefaultValues(core::kCutProfVsPlate, data.offsetNames, data.offsetValues, data.offsetFlags);
    bool escaped = false;
    bool accepted = StartDlgMacroCuts(data, escaped);
    if (accepted && !data.apply()) {
        answer =
            "The cut \"" + data.cut.name + "\" could not be added to the module " + data.moduleName + ".";
        return false;
    }
    return demo.finish(accepted, "Cut \"" + data.cut.name + "\" added to the module " + data.moduleName,
                       answer);
}

bool demoArray(const frame::DemoOptions& options, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    MacroData data;
    data.initFromMacros({demo.macro->objectId()});
    for (MacroTabData& tab : data.tabs) {
        if (tab.arrays.isEmpty()) continue;
        DynArrayData& array = tab.arrays[0];
        const Zrk_String tabName = tab.name, arrayName = array.name;
        const bool accepted = StartArrayDlg(array, data.macroIds, tabName);
        if (accepted) UpdateModule(tabName, data, {core::kChangeArrays}, {});
        return demo.finish(accepted, "Array " + arrayName + " of " + tabName + " written to the macro",
                           answer);
    }
    answer = "The macro " + demo.macro->macro()->name + " has no arrays.";
    return false;
}

[[maybe_unused]] const bool kCutsDemo = frame::registerDrawingDemoDialog("macro-cuts", &demoMacroCuts);
[[maybe_unused]] const bool kArrayDemo = frame::registerDrawingDemoDialog("array", &demoArray);

} // namespace
