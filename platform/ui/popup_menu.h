#pragma once
// Pop-up menus: a list of commands shown at a point, waiting for the choice (the grids' context
// menus). They go through the installed user interaction first, so a test's ScriptedUser chooses.

#include <QPoint>
#include <QWidget>
#include <vector>

#include "core/zrk_string.h"

namespace ui {

struct MenuItem {
    int id = 0;           // the command id the choice answers; 0 with separator
    Zrk_String text;      // '&' marks the mnemonic
    bool separator = false;
    bool enabled = true;
    bool checked = false;

    static MenuItem separatorLine() { return {0, {}, true}; }
};

struct PopupMenuRequest {
    std::vector<MenuItem> items;
    QPoint screenPosition;
    // Whether id is an enabled command of the menu.
    bool offers(int id) const;
};

// Shows the menu at a point of the screen; answers the chosen item's id, or 0 when the menu was
// closed without a choice.
int trackPopupMenu(const std::vector<MenuItem>& items, const QPoint& screenPosition, QWidget* owner = nullptr);

} // namespace ui
