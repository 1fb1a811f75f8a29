#pragma once
// The DSTV point groups of the library (--library, else the settings' library):
//
//   sshost dstv-groups [--png FILE]
//       the point groups dialog on the library's points folder ("DSTV Points/"): groups made,
//       deleted and put in use, and their points edited, are written (atomically) as the person does
//       it in the dialog. --png saves the dialog's picture and cancels it.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addDstvCommand(CLI::App& app, Shell& shell);
} // namespace sshost
