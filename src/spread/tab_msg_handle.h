#pragma once
// The answer of a Tab-key handler of a grid or of a designed dialog template: whether the key moved the
// focus inside the window, or whether the caller must move it on.

enum Zrk_TabMsgHandle : int {
    tabHandled = 0,     // the focus moved within the window
    tabNotHandled = 1,  // the key was not for this window
    tabPastLast = 2,    // Tab on the last field: the caller moves on to the next area
    tabBeforeFirst = 3, // Shift+Tab on the first field: the caller moves back to the previous area
};
