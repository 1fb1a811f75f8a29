#pragma once
// The CIS/2 section-name translation of the library (--library, else the settings' library):
//
//   sshost section-names [--png FILE]
//       the translation editor on the library's "CIS2ProfNames.dat" (docs/section-translation.md);
//       on OK the table is written (atomically). A file that is not a table is refused with its line
//       (exit 1) and not opened. --png saves the editor's picture and cancels it.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addSectionNamesCommand(CLI::App& app, Shell& shell);
} // namespace sshost
