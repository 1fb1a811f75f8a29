// Demonstrations of the advanced profile, property-file and select-macro dialogs for the host shell
// (module/demo_dialogs.h):
//   sshost dialog advanced-profile   the first profile group of the sample end plate's profile tab
//                                    (or of the person's drawing with --drawing/--macro; --save
//                                    writes it back); each change is applied as it is made
//   sshost dialog property-file      the property files of the sample end plate, to load one (on a
//                                    copy of the library's property files: deleting is harmless)
//   sshost dialog select-macro       the connections of the library's "Macros/" folder (on a copy,
//                                    so that the previews made for it go with it)

#include "core/drawing.h"
#include "core/macro_props_filter.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/temporary_library.h"
#include "macrodlg/demo_drawing.h"
#include "macrodlg/dlg_prof_advanced.h"
#include "macrodlg/dlg_prop_file.h"
#include "macrodlg/dlg_select_macro.h"

namespace {

const Zrk_String kSampleMacro = "EndPlateA";

bool demoAdvancedProfile(const frame::DemoOptions& options, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    MacroData data;
    data.initFromMacros({demo.macro->objectId()});
    for (const MacroTabData& tab : data.tabs) {
        if (tab.profGroups.isEmpty()) continue;
        DlgMacroProfAdv dialog;
        dialog.data.groupName = tab.profGroups[0].groupName;
        dialog.coordSystemAllowed = data.coordSystemAllowed;
        dialog.callbackData.macroData = &data;
        dialog.callbackData.tabName = tab.name;
        int writes = 0;
        const KvMACallBackType write = macroDataProfileCallback();
        dialog.callback = [&](int request, KvMACallBackData& link, MacroProfData& settings) {
            if (request == KvMACallBackData::kWrite) ++writes;
            return write(request, link, settings);
        };
        const Zrk_String group = dialog.data.groupName, tabName = tab.name;
        const bool accepted = dialog.doModal() == ui::IDOK;
        // Each change was applied as it was made: Cancel keeps them too.
        return demo.finish(accepted || writes > 0,
                           "Profile group " + group + " of " + tabName + ": " + intToStr(writes) +
                               " change(s) applied",
                           answer);
    }
    answer = "The macro " + demo.macro->macro()->name + " has no profile groups.";
    return false;
}

Zrk_String demoPropertyFile() {
    core::Drawing drawing;
    Zrk_String message;
    if (!drawing.readFromFile(gSettings.libDir + "Drawings/macro-dialogs.json", &message)) return message;
    frame::TemporaryLibrary library({"Macro Properties"});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    DlgPropFileData data;
    // The end plate's files, as the macro dialog lists them for it.
    MacroData macro;
    macro.initFromMacro(*drawing.findMacroByName(kSampleMacro)->macro());
    macro.selectList1 = {"EndPlate"};
    macro.selectIndex1 = 0;
    macro.getPropFiles(data.folder, data.extension, data.allNames, data.matchingNames);
    if (!StartDlgPropFile(data)) return "Cancelled.";
    return "Chosen: " + data.chosenName + " (" + data.pathOf(data.chosenName) + ")";
}

Zrk_String demoSelectMacro() {
    frame::TemporaryLibrary library({"Macros"});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    Zrk_String result;
    bool special = true;
    if (!StartDlgSelectMacro({}, {}, AcArray<bool>{}, -1, -1, result, special, false)) return "Cancelled.";
    if (special) return "The extra button was pressed: no connection chosen.";
    const Zrk_String macros = gSettings.libDir + Zrk_MacroPropsFilter::kMacrosFolder;
    return "Chosen: " +
           (result.compare(0, macros.size(), macros) == 0 ? result.substr(macros.size()) : result);
}

[[maybe_unused]] const bool kAdvancedDemo =
    frame::registerDrawingDemoDialog("advanced-profile", &demoAdvancedProfile);
[[maybe_unused]] const bool kPropertyFileDemo = frame::registerDemoDialog("property-file", &demoPropertyFile);
[[maybe_unused]] const bool kSelectMacroDemo = frame::registerDemoDialog("select-macro", &demoSelectMacro);

} // namespace
