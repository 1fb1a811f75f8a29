#include "frame/modeless_dialogs.h"

#include <algorithm>

#include "host/command_line.h"

namespace frame {

bool MacroDialogTable::open(int& slot, const Factory& make) {
    int index = -1;
    for (int i = slotCount() - 1; i >= 0 && index < 0; --i)
        if (!slots_[static_cast<std::size_t>(i)]) index = i;
    const bool appended = index < 0;
    if (appended) {
        index = slotCount();
        slots_.emplace_back();
    }
    std::unique_ptr<ModelessMacroDialog> made = make ? make(index) : nullptr;
    if (!made) {
        // No empty slot is left behind for a dialog that never came.
        if (appended) slots_.pop_back();
        slot = -1;
        return false;
    }
    slots_[static_cast<std::size_t>(index)] = std::move(made);
    slot = index;
    return true;
}

ModelessMacroDialog* MacroDialogTable::dialog(int slot) const {
    return slot >= 0 && slot < slotCount() ? slots_[static_cast<std::size_t>(slot)].get() : nullptr;
}

bool MacroDialogTable::end(int slot) {
    ModelessMacroDialog* open = dialog(slot);
    if (!open) return false;
    if (open->isBusy()) {
        endLater(slot);
        return true;
    }
    if (!open->destroyWindow()) return false;
    // An end still pending for this slot belongs to this dialog, not to the next one in the slot.
    dropPending(slot);
    slots_[static_cast<std::size_t>(slot)].reset();
    if (slot == slotCount() - 1)
        while (!slots_.empty() && !slots_.back())
            slots_.pop_back();
    acedPostCommandPrompt();
    return true;
}

void MacroDialogTable::endLater(int slot) {
    // One retry per slot is enough: a second request while one waits changes nothing.
    if (std::any_of(pending_.begin(), pending_.end(),
                    [slot](const auto& entry) { return entry->slot == slot; }))
        return;
    auto entry = std::make_unique<PendingEnd>();
    entry->slot = slot;
    const PendingEnd* key = entry.get();
    entry->timer.start(kDeferMilliseconds, [this, key](int) { retryEnd(key); });
    pending_.push_back(std::move(entry));
}

void MacroDialogTable::retryEnd(const PendingEnd* entry) {
    acutPrintf("Delayed timer called.\n");
    const auto found = std::find_if(pending_.begin(), pending_.end(),
                                    [entry](const auto& pending) { return pending.get() == entry; });
    if (found == pending_.end()) return;
    // Only the entry of the timer that fired goes (its timer with it); when the dialog is still
    // busy, end() makes a new one for the next try.
    const int slot = (*found)->slot;
    pending_.erase(found);
    end(slot);
}

void MacroDialogTable::dropPending(int slot) {
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                  [slot](const auto& entry) { return entry->slot == slot; }),
                   pending_.end());
}

void MacroDialogTable::destroyAll() {
    pending_.clear();
    for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot) {
        if (!*slot) continue;
        (*slot)->destroyWindow();
        slot->reset();
    }
    slots_.clear();
}

MacroDialogTable& macroDialogs() {
    static MacroDialogTable table;
    return table;
}

std::unique_ptr<ModelessDialog>& constraintDialog() {
    static std::unique_ptr<ModelessDialog> dialog;
    return dialog;
}

} // namespace frame

bool GetDlgMacroData(int slot, MacroData& data) {
    const frame::ModelessMacroDialog* dialog = frame::macroDialogs().dialog(slot);
    if (!dialog) return false;
    data = dialog->macroData();
    return true;
}

bool EndDlgMacroModeless(int slot) {
    return frame::macroDialogs().end(slot);
}

void DestroyAllMacroDlgs() {
    frame::macroDialogs().destroyAll();
}

void EndDlgEditConstraints() {
    std::unique_ptr<frame::ModelessDialog>& dialog = frame::constraintDialog();
    if (!dialog) return;
    if (!dialog->destroyWindow()) acutPrintf("Erase window failed\n");
    dialog.reset();
    acedPostCommandPrompt();
}
