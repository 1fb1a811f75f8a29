#pragma once
// The module's one text-input dialog, as any dialog asks for a name: a title, a label, the text to
// start with, and the captions of the two buttons. The module that owns the dialog hands its function
// to the layer (setTextInputFunction); inputText calls it.

#include <QWidget>

#include "core/zrk_string.h"

namespace ui {

struct TextInput {
    Zrk_String title;
    Zrk_String label;
    Zrk_String value;         // in: the text to start with; out: the accepted text
    Zrk_String okCaption;     // empty: the button's own caption
    Zrk_String cancelCaption; // empty: the button's own caption
    bool showEdit = true;     // false: a question without an edit, answered with OK or Cancel
};

using TextInputFunction = bool (*)(TextInput& input, QWidget* owner);
void setTextInputFunction(TextInputFunction function);

// Asks for the text. True when accepted (input.value is then the text); false when cancelled, or
// when no module has handed in a text-input dialog.
bool inputText(TextInput& input, QWidget* owner = nullptr);

} // namespace ui
