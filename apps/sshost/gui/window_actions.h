#pragma once
// What the desktop window offers on the drawing and the library: one table, one line an entry. An
// entry names the menu of the main window that shows it, its text, and the kind of tree object it
// works on; the tree's context menu offers the entries of the clicked object's kind, and a double
// click runs the first of them. An entry of kind None works on no object (the library, the drawing
// as a whole) and is always offered in its menu.
//
// To offer a new dialog of the module: write its run function in the file of its area
// (actions_<area>.cpp, see actions.h; it gets the object, the open drawing and the window) and add its
// line to that area's table.

#include <QWidget>
#include <vector>

#include "host/document.h"
#include "sshost/gui/drawing_tree.h"

namespace sshost::gui {

struct ActionContext {
    QWidget* window = nullptr; // owns the dialogs and message boxes
    host::Document& document;
    TreeObject object;
};

struct WindowAction {
    const char* menu;   // "Macro", "Profile", "Library" ...
    const char* text;   // the menu entry ("Run standards")
    TreeKind appliesTo; // the kind of tree object it works on; None: none
    void (*run)(ActionContext& context);
};

const std::vector<WindowAction>& windowActions();

// Whether an entry may run with this object selected (and a drawing open, unless it works on none).
bool applies(const WindowAction& action, const TreeObject& object, bool drawingOpen);

} // namespace sshost::gui
