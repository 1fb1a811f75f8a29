#pragma once
// Answers the module's text input (the dialog that asks a person for one line, such as a new name) as
// a person does: the text typed and OK, or Cancel when the text is empty. A test that must press OK on
// an empty text scripts that answer itself.

#include <gtest/gtest.h>

#include "core/text.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"

// The next text input the user meets is answered with text.
inline void answerTextInput(ui::ScriptedUser& user, const Zrk_String& text) {
    user.onDialog(DlgTextInput::kTemplate, [text](ui::DialogUser& input) {
        if (text.empty()) {
            input.click(ui::IDCANCEL);
            return;
        }
        input.typeText(DlgTextInput::kEdit, text);
        input.click(ui::IDOK);
    });
}
