#pragma once
// The module's open modeless dialogs: the table of modeless macro dialogs and the one modeless
// constraint dialog.
//
// The macro dialog table has a slot per open dialog; a free slot is empty, and a slot's index is the
// caller's handle of its dialog. A dialog opens in the last free slot, or in a new one at the end;
// ending the dialog of the last slot drops every empty slot at the end. A dialog whose data is busy
// (an operation on the drawing is running from it) is not ended at once: its end is tried again
// every 50 ms until the data is free. The macro dialog's entry function opens it through the table:
//
//   bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& slot) {
//       ModuleResourceSwitch resources;
//       return frame::macroDialogs().open(slot, [&](int index) -> std::unique_ptr<frame::ModelessMacroDialog>
//       {
//           auto dialog = std::make_unique<DlgMacro>(index, data);
//           if (!dialog->create() ...) return nullptr;     // no dialog: the table keeps no slot for it
//           return dialog;
//       });
//   }
//
// Unloading the module destroys every dialog, busy or not, and leaves no timer behind: a timer that
// fired into an unloaded module would run code that is gone.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/macro_data.h"
#include "module/export.h"
#include "ui/timers.h"

namespace frame {

class ModelessDialog {
public:
    virtual ~ModelessDialog() = default;
    // Destroys the window; false when it could not be destroyed.
    virtual bool destroyWindow() = 0;
};

class ModelessMacroDialog : public ModelessDialog {
public:
    // The dialog's own copy of the data it edits.
    virtual const MacroData& macroData() const = 0;
    // Whether its data reports that it is busy: the dialog is not ended then.
    virtual bool isBusy() const = 0;
};

// Keeps a modeless dialog window for the module's table of open dialogs (Base: ModelessDialog or one
// of its kinds). Dlg is a ui::Dialog that says whether it is ending itself (isClosing). A dialog
// ended from inside its own window (its Close button, Escape or the close box) is still handling
// that event when the table lets go of it: the window is then deleted once the event is handled,
// never under it.
template <class Dlg, class Base = ModelessDialog> class OwnedModelessDialog : public Base {
public:
    explicit OwnedModelessDialog(std::unique_ptr<Dlg> dialog) : dialog_(std::move(dialog)) {}
    ~OwnedModelessDialog() override {
        if (dialog_ && dialog_->isClosing()) dialog_.release()->deleteLater();
    }
    bool destroyWindow() override { return dialog_->destroyWindow(); }
    Dlg* dialog() const { return dialog_.get(); }

private:
    std::unique_ptr<Dlg> dialog_;
};

class MacroDialogTable {
public:
    using Factory = std::function<std::unique_ptr<ModelessMacroDialog>(int slot)>;
    static constexpr int kDeferMilliseconds = 50;

    MacroDialogTable() = default;
    MacroDialogTable(const MacroDialogTable&) = delete;
    MacroDialogTable& operator=(const MacroDialogTable&) = delete;
    ~MacroDialogTable() { destroyAll(); }

    // Makes a dialog for the last free slot (a new slot at the end when none is free) and keeps it
    // there. False when make gives no dialog: slot is then -1 and the table is as it was.
    bool open(int& slot, const Factory& make);
    // Ends the dialog of a slot. False for a slot that holds no dialog, or whose window could not be
    // destroyed (the dialog stays). A busy dialog: true at once, and the end is tried again after
    // 50 ms, until it is free ("Delayed timer called." on the command line each time).
    bool end(int slot);
    // Destroys every dialog from the last slot to the first, busy or not; no end stays pending.
    void destroyAll();

    // The dialog of a slot, or null.
    ModelessMacroDialog* dialog(int slot) const;
    int slotCount() const { return static_cast<int>(slots_.size()); }
    // Slots whose end is waiting for their dialog to be free.
    int pendingEnds() const { return static_cast<int>(pending_.size()); }

private:
    struct PendingEnd {
        int slot = -1;
        ui::ThreadTimer timer;
    };
    void endLater(int slot);
    void retryEnd(const PendingEnd* entry);
    void dropPending(int slot);

    std::vector<std::unique_ptr<ModelessMacroDialog>> slots_;
    std::vector<std::unique_ptr<PendingEnd>> pending_;
};

// The module's one table.
MacroDialogTable& macroDialogs();

// The modeless constraint dialog, null when none is open.
std::unique_ptr<ModelessDialog>& constraintDialog();

} // namespace frame

// The open modeless macro dialog's data; false for a slot that holds no dialog.
SS_EXPORT bool GetDlgMacroData(int slot, MacroData& data);
// Ends the modeless macro dialog of a slot (see MacroDialogTable::end).
SS_EXPORT bool EndDlgMacroModeless(int slot);
// Destroys every modeless macro dialog, from the last slot to the first, busy or not.
SS_EXPORT void DestroyAllMacroDlgs();
// Ends the modeless constraint dialog when it is open.
SS_EXPORT void EndDlgEditConstraints();
