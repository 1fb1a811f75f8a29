#include "frame/modeless_dialogs.h"

namespace frame {

std::vector<ModelessDialog*>& macroDialogSlots() {
    static std::vector<ModelessDialog*> slots;
    return slots;
}

ModelessDialog*& constraintDialog() {
    static ModelessDialog* dialog = nullptr;
    return dialog;
}

} // namespace frame

void DestroyAllMacroDlgs() {
    auto& slots = frame::macroDialogSlots();
    for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot) {
        if (!*slot) continue;
        (*slot)->destroyWindow();
        delete *slot;
        *slot = nullptr;
    }
    slots.clear();
}

void EndDlgEditConstraints() {
    frame::ModelessDialog*& dialog = frame::constraintDialog();
    if (!dialog) return;
    dialog->destroyWindow();
    delete dialog;
    dialog = nullptr;
}
