#pragma once
// The desktop window's entries, one file per area of the module (actions_<area>.cpp). Each area returns
// its lines in menu order; windowActions() joins the areas in the order below, which is also the order
// of the menus in the menu bar (a menu appears where its first entry does). A double click on a tree
// object runs the first entry of its kind, so the areas that own a kind's main dialog come first.

#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/text.h"
#include "sshost/gui/window_actions.h"

namespace sshost::gui {

std::vector<WindowAction> macroActions();       // actions_macro.cpp
std::vector<WindowAction> standardsActions();   // actions_standards.cpp
std::vector<WindowAction> constraintsActions(); // actions_constraints.cpp
std::vector<WindowAction> profileActions();     // actions_profile.cpp
std::vector<WindowAction> libraryActions();     // actions_library.cpp
std::vector<WindowAction> settingsActions();    // actions_settings.cpp

// A line on the window's command-line pane.
void print(const std::string& utf8);

// The library's standards spreadsheets, where a file dialog for one starts.
Zrk_String standardsFolder();

// A failure the person must see: a message box over the window (the text made a sentence).
void warn(const ActionContext& context, const Zrk_String& message);

} // namespace sshost::gui
