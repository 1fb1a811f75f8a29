// A macro's settings and the constraints of its modules.
#include "sshost/gui/actions.h"

#include "constraints/dlg_edit_constraints.h"
#include "constraints/dlg_macro_settings.h"

namespace sshost::gui {
namespace {

void editMacroSettings(ActionContext& context) {
    StartDlgMacroSettings(context.object.owner);
}

// The constraint dialog changes the drawing as it goes, each operation one undo step.
void editConstraints(ActionContext& context) {
    EditConstrData data = constraintRecordOf(context.object.owner);
    StartDlgEditConstrModal(data);
}

} // namespace

std::vector<WindowAction> constraintsActions() {
    return {
        {"Macro", "Macro settings...", TreeKind::Macro, &editMacroSettings},
        {"Macro", "Constraints...", TreeKind::Macro, &editConstraints},
    };
}

} // namespace sshost::gui
