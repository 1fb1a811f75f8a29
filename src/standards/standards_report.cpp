#include "standards/standards_report.h"

#include "core/settings.h"
#include "ui/message_box.h"

namespace standards {

void reportStandardsError(const Zrk_String& text, const Zrk_String& caption, QWidget* owner) {
    if (gSettings.current().reportStandardsErrors) showStandardsMessage(text, caption, owner);
}

void showStandardsMessage(const Zrk_String& text, const Zrk_String& caption, QWidget* owner) {
    ui::messageBox(text, caption, ui::MB_OK | ui::MB_ICONEXCLAMATION, owner);
}

} // namespace standards
