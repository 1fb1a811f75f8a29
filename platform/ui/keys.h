#pragma once
// Keys seen before the window that has the focus handles them. A key press goes first to the
// preTranslateKey of every KeyHandler on the way from the focused window up to its top-level window
// (the innermost first: a grid, then the page it lies on, then the dialog that holds the page); the
// first that answers true consumes the key. Otherwise the focused window gets it, and then its
// dialog: Tab and Shift+Tab move the focus, Enter presses the default button and Escape cancels.

#include <QKeyEvent>

namespace ui {

struct KeyPress {
    int key = 0;          // virtual-key code (codes.h): VK_TAB, VK_RETURN, VK_F5, 'A' ...
    bool shift = false;
    bool control = false;
    bool alt = false;
    QWidget* target = nullptr; // the window that has the focus (windowOf, window_class.h)
    int targetId = 0;          // its control id (0: none)
    bool autoRepeat = false;
};

class KeyHandler {
public:
    virtual ~KeyHandler() = default;
    // True when the key was handled here and goes no further.
    virtual bool preTranslateKey(const KeyPress& key) = 0;
};

// The virtual-key code of a Qt key (Qt::Key_Backtab is VK_TAB), or 0 when it has none.
int virtualKey(int qtKey);
// The Qt key of a virtual-key code (VK_TAB gives Qt::Key_Tab), or 0.
int qtKey(int virtualKeyCode);

// Installs the application-wide key routing (once; called by every Dialog).
void installKeyRouting();

} // namespace ui
