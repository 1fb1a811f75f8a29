#pragma once
// The macro dialog on macros of a drawing:
//
//   sshost macro --drawing FILE --macro NAME[,NAME...] [--set NAME=VALUE]... [--save] [--png FILE]
//       the parameter window of those macros (edited together). Every change is applied to the
//       drawing in memory at once; when the dialog closes after changes the drawing file is written
//       back (atomically) with --save, or after asking the person on the desktop. --set enters
//       values as a person types them into the variables' controls (no display needed) and closes
//       the dialog; a value the macros refuse stops the command and nothing is written. --png saves
//       the dialog's picture and writes nothing.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addMacroCommand(CLI::App& app, Shell& shell);
} // namespace sshost
