#pragma once
// The building levels of a drawing:
//
//   sshost levels --drawing FILE [--png FILE]
//       the levels dialog on the drawing's levels; on OK the changed levels are written into the
//       drawing file (atomically); Cancel, or OK without a change, writes nothing. --png saves the
//       dialog's picture and cancels it.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addLevelsCommand(CLI::App& app, Shell& shell);
} // namespace sshost
