#pragma once
// The module's open modeless dialogs: the table of modeless macro dialogs (a slot per dialog, a free
// slot holds null, the slot index is the caller's handle) and the one modeless constraint dialog.

#include <vector>

#include "frame/export.h"

namespace frame {

class ModelessDialog {
public:
    virtual ~ModelessDialog() = default;
    // Destroys the window; false when it could not be destroyed.
    virtual bool destroyWindow() = 0;
};

std::vector<ModelessDialog*>& macroDialogSlots();
ModelessDialog*& constraintDialog();

} // namespace frame

// Ends every modeless macro dialog, from the last slot to the first.
SS_EXPORT void DestroyAllMacroDlgs();
// Ends the modeless constraint dialog when it is open.
SS_EXPORT void EndDlgEditConstraints();
