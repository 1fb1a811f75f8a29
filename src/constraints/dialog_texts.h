#pragma once
// The constraint and macro settings dialogs take their captions and tool tips from the language
// texts by number; a number the table lacks leaves the template's own text.

#include "core/language.h"
#include "ui/dialog.h"

namespace constraints {

inline void setTextOf(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

inline void setTipOf(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemToolTip(id, text);
}

} // namespace constraints
