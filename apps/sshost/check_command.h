#pragma once
// Checking standards without evaluating them:
//
//   sshost check SHEET|FOLDER   one standard (a .kvs, or a name in the standards folder) with the
//                               children it calls, or every .kvs below a folder
//
// One line per finding, "FILE CELL: what is wrong"; exit status 1 when there is any finding or the
// check could not run, 0 when everything is clean.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addCheckCommand(CLI::App& app, Shell& shell);
} // namespace sshost
