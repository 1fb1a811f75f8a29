#pragma once
// Messages of the standards engine to the user: message boxes with the exclamation icon, shown only
// when the current document asks for standards errors (gSettings.current().reportStandardsErrors).

#include "core/zrk_string.h"

class QWidget;

namespace standards {

// Shows the message when the document asks for standards errors. An empty caption is the
// application's caption.
void reportStandardsError(const Zrk_String& text, const Zrk_String& caption = Zrk_String(), QWidget* owner = nullptr);
// Shows the message whatever the document says.
void showStandardsMessage(const Zrk_String& text, const Zrk_String& caption = Zrk_String(), QWidget* owner = nullptr);

} // namespace standards
