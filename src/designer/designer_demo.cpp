// The demonstration of the dialog designer for the host shell (module/demo_dialogs.h), on a temporary
// copy of the library's templates, so that a person may try every command, save included, without
// changing the library:
//   sshost dialog designer [--template NAME] [--png FILE]
// The template ("End plate" unless named) opens with its first cell edit selected, to show the panel
// filled.

#include "core/settings.h"
#include "designer/dlg_designer.h"
#include "module/demo_dialogs.h"
#include "module/entry_function.h"
#include "module/temporary_library.h"

namespace {

const Zrk_String kDefaultTemplate = "End plate";

bool demoDesigner(const frame::DemoOptions& options, Zrk_String& answer) {
    if (options.design) {
        answer = "The designer always shows its template in design mode: it takes no --design.";
        return false;
    }
    frame::TemporaryLibrary library({"Dialog Templates"});
    if (!library.ok()) {
        answer = "The library could not be copied into a temporary folder.";
        return false;
    }
    const Zrk_String name = options.templateName.empty() ? kDefaultTemplate : options.templateName;
    Zrk_DlgDesignerData probe;
    if (!probe.readFromFile(getDesignerRootFolder() + name + ".txt", false, &answer)) {
        if (answer.empty()) answer = "There is no dialog template \"" + name + "\".";
        return false;
    }
    DlgDesigner dialog(getDesignerRootFolder() + name + ".txt");
    for (int i = 0; i < probe.getNrControls() && dialog.selection.empty(); ++i)
        if (probe.getControl(i)->type == ctCellEdit)
            dialog.selection.push_back(probe.getControl(i)->resourceId);
    const bool ok = frame::runModal(dialog) == ui::IDOK;
    answer = (ok ? "Closed" : "Cancelled") + Zrk_String(" (on a copy of the library, not kept).");
    return true;
}

[[maybe_unused]] const bool kDemo = frame::registerDemoDialog("designer", &demoDesigner);

} // namespace
