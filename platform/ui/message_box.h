#pragma once
// Message boxes: a text, a caption, an icon and a set of buttons; the answer is the id of the button
// pressed (IDOK, IDCANCEL, IDYES, IDNO ..., codes.h). Every message box of the module goes through
// messageBox, so that a test's ScriptedUser answers it and records it, and so that the command-line
// shell can print it on the terminal and take the default answer (user_interaction.h).

#include <QWidget>
#include <vector>

#include "core/zrk_string.h"
#include "ui/codes.h"

namespace ui {

struct MessageBoxRequest {
    Zrk_String text;     // module text; '\n' breaks lines; shown as it is (no markup)
    Zrk_String caption;  // empty: the application's caption
    unsigned type = MB_OK; // buttons | icon | default button (MB_ flags)

    unsigned buttons() const { return type & MB_TYPEMASK; }
    unsigned icon() const { return type & MB_ICONMASK; }
    // The answers its buttons give, left to right.
    std::vector<int> answers() const;
    // The answer of the default button (MB_DEFBUTTONn; the first button when there is no such one).
    int defaultAnswer() const;
};

// Shows a message box owned by owner (null: the active window) and waits for the answer.
int messageBox(const Zrk_String& text, const Zrk_String& caption = {}, unsigned type = MB_OK,
               QWidget* owner = nullptr);

// The caption of message boxes that have none of their own.
const Zrk_String& applicationCaption();
void setApplicationCaption(const Zrk_String& caption);

// The name of an answer ("OK", "Cancel", "Yes" ...), for records and terminals.
const char* answerName(int answer);

} // namespace ui
