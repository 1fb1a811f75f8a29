// Demonstrations of the macro sub-dialogs for the host shell (module/demo_dialogs.h), each on a macro
// of the sample drawing (or of the person's drawing with --drawing and --macro; --save writes it
// back when he presses OK):
//   sshost dialog macro-cuts    a new cut of the macro's first module
//   sshost dialog array         the first array of the macro's tabs
//   sshost dialog advanced-bolt       the bolt record of the macro's first bolt tab
//   sshost dialog pattern-settings    the first pattern with settings
//   sshost dialog segmented-profile   the segmented profiles of the first tab that has them
// The bolt and pattern dialogs apply each change as it is made; with --save the drawing is written
// when the dialog closes after any change, whichever way it closes.

#include "core/macro_update.h"
#include "core/text.h"
#include "macrodlg/demo_drawing.h"
#include "macrodlg/dlg_array.h"
#include "macrodlg/dlg_bolt_advanced.h"
#include "macrodlg/dlg_macro_cuts.h"
#include "macrodlg/dlg_pattern_settings.h"
#include "macrodlg/dlg_prof_segmented.h"

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

bool demoAdvancedBolt(const frame::DemoOptions& options, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    MacroData data;
    data.initFromMacros({demo.macro->objectId()});
    Zrk_String tabName;
    MacroBoltData bolt;
    for (const MacroTabData& tab : data.tabs)
        if (tab.boltData && tabName.empty()) tabName = tab.name, bolt = *tab.boltData;
    if (tabName.empty()) {
        answer = "The macro " + demo.macro->macro()->name + " has no bolt tab.";
        return false;
    }
    Zrk_StringArray diameters;
    GetMergedDiameters(data, tabName, diameters);
    MacroDataLink link(data, tabName);
    const bool accepted = StartDlgMacroBoltAdvanced(bolt, diameters, &link);
    // Each change was applied as it was made: Cancel keeps them too.
    return demo.finish(accepted || link.changes() > 0,
                       "Bolt record of " + tabName + ": " + intToStr(link.changes()) + " change(s) applied",
                       answer);
}

bool demoPatternSettings(const frame::DemoOptions& options, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    MacroData data;
    data.initFromMacros({demo.macro->objectId()});
    Zrk_String tabName;
    Zrk_BoltPattern pattern;
    for (const MacroTabData& tab : data.tabs)
        for (const MacroPatternData& each : tab.patterns)
            if (each.hasSettings && tabName.empty()) tabName = tab.name, pattern = each;
    if (tabName.empty()) {
        answer = "The macro " + demo.macro->macro()->name + " has no pattern with settings.";
        return false;
    }
    MacroDataLink link(data, tabName);
    const bool accepted = StartDlgPatternSettings(pattern, &link);
    return demo.finish(accepted || link.changes() > 0,
                       "Pattern " + pattern.name + " of " + tabName + ": " + intToStr(link.changes()) +
                           " change(s) applied",
                       answer);
}

bool demoSegmentedProfile(const frame::DemoOptions& options, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    MacroData data;
    data.initFromMacros({demo.macro->objectId()});
    for (MacroTabData& tab : data.tabs) {
        if (tab.segments.isEmpty()) continue;
        const Zrk_String tabName = tab.name;
        const bool accepted = StartDlgProfSegmented(tab.segments);
        if (accepted) UpdateModule(tabName, data, {core::kChangeSegments}, {});
        return demo.finish(accepted, "Segmented profiles of " + tabName + " written to the macro", answer);
    }
    answer = "The macro " + demo.macro->macro()->name + " has no segmented profiles.";
    return false;
}

[[maybe_unused]] const bool kCutsDemo = frame::registerDrawingDemoDialog("macro-cuts", &demoMacroCuts);
[[maybe_unused]] const bool kArrayDemo = frame::registerDrawingDemoDialog("array", &demoArray);
[[maybe_unused]] const bool kBoltDemo = frame::registerDrawingDemoDialog("advanced-bolt", &demoAdvancedBolt);
[[maybe_unused]] const bool kPatternDemo =
    frame::registerDrawingDemoDialog("pattern-settings", &demoPatternSettings);
[[maybe_unused]] const bool kSegmentedDemo =
    frame::registerDrawingDemoDialog("segmented-profile", &demoSegmentedProfile);

} // namespace
