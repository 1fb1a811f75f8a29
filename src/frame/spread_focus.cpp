#include "frame/spread_focus.h"

#include "ui/window_class.h"

namespace frame {

bool isSpreadFocused() {
    QWidget* focus = ui::focusWindow();
    if (!focus) return false;
    const Zrk_String name = GetWndClassName(focus);
    return name.rfind("SPR32", 0) == 0 || name.rfind("fpSpr", 0) == 0;
}

} // namespace frame
