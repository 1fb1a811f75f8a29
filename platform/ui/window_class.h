#pragma once
// What a window is to the code that asks: its control id, its window class name and its style flags.
// The layer sets them on every control it makes; a window made elsewhere (a grid window) sets its own,
// so that the grid answers "fpSpread70" when a dialog asks for the class of the focused window.

#include <QWidget>

#include "core/zrk_string.h"

namespace ui {

// The control id (0 when the widget has none).
int controlId(const QWidget* widget);
void setControlId(QWidget* widget, int id);

// The window class name: the one set with setWindowClassName, else the Qt class name.
Zrk_String windowClassName(const QWidget* widget);
void setWindowClassName(QWidget* widget, const Zrk_String& className);

// Style flags (style:: of dialog_template.h, or any a window keeps for itself).
unsigned windowStyle(const QWidget* widget);
void setWindowStyle(QWidget* widget, unsigned style);

// The window a widget is part of: the widget itself when it is a control (it has an id or a class
// name of its own), else its nearest ancestor that is one, else the widget. The editor inside a grid
// or the text field inside a combo box belong to the grid or the combo box this way.
QWidget* windowOf(QWidget* widget);
// The window that has the keyboard focus (windowOf the focus widget), or null.
QWidget* focusWindow();

} // namespace ui

// The window class name of a window, as module code asks for it; empty for null.
Zrk_String GetWndClassName(const QWidget* window);
