#pragma once
// The desktop host: the module's window on a drawing.
//
//   sshost gui [DRAWING] [--png FILE]
//       opens the main window (main_window.h) with the module loaded, on DRAWING when given; the
//       command ends when the window is closed. --png saves a picture of the window as it opens (the
//       first macro selected, the tree open to its variables) and ends at once; it needs no display.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addGuiCommand(CLI::App& app, Shell& shell);
} // namespace sshost
