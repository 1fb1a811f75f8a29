// Demonstrations of the macro dialog for the host shell (module/demo_dialogs.h), on a macro of the
// sample drawing (or of the person's drawing with --drawing and --macro; --save writes it back when
// anything was applied):
//   sshost dialog macro         the dialog on the macro, its first tab (a plain tab with a template)
//   sshost dialog macro-page    the same dialog showing the macro's bolt tab
//   sshost dialog profile-page  the same dialog showing the macro's profile tab
// Every change is applied to the drawing as it is made; the dialog has no Cancel.

#include "core/text.h"
#include "macrodlg/demo_drawing.h"
#include "macrodlg/dlg_macro.h"

namespace {

const Zrk_String kSampleMacro = "EndPlateA";

bool runOn(const frame::DemoOptions& options, int tabKind, Zrk_String& answer) {
    macrodlg::DemoDrawing demo;
    if (!demo.open(options, kSampleMacro, answer)) return false;
    MacroData data;
    if (!data.initFromMacros({demo.macro->objectId()})) {
        answer = "The macro " + demo.macro->macro()->name + " cannot be edited.";
        return false;
    }
    for (const MacroTabData& tab : data.tabs)
        if (tab.kind == tabKind) {
            data.firstTabName = tab.name;
            break;
        }
    const int changes = runMacroDialog(data);
    return demo.finish(changes > 0, intToStr(changes) + " change(s) applied to " + demo.macro->macro()->name,
                       answer);
}

bool demoMacro(const frame::DemoOptions& options, Zrk_String& answer) {
    return runOn(options, core::kTabPlain, answer);
}

bool demoMacroPage(const frame::DemoOptions& options, Zrk_String& answer) {
    return runOn(options, core::kTabBolt, answer);
}

bool demoProfilePage(const frame::DemoOptions& options, Zrk_String& answer) {
    return runOn(options, core::kTabProfile, answer);
}

[[maybe_unused]] const bool kMacroDemo = frame::registerDrawingDemoDialog("macro", &demoMacro);
[[maybe_unused]] const bool kMacroPageDemo = frame::registerDrawingDemoDialog("macro-page", &demoMacroPage);
[[maybe_unused]] const bool kProfilePageDemo =
    frame::registerDrawingDemoDialog("profile-page", &demoProfilePage);

} // namespace
