#pragma once
// The section library commands of the host shell, on the library folder (--library, else the
// settings' library):
//
//   sshost sections [--start TABLE-SYSNAME] [--png FILE]
//       the section library editor on the library's groups, types and tables, showing the section
//       TABLE-SYSNAME first (its table's page) when given. On OK the groups and types are written back
//       into the library file (atomically); the tables are written by the editor as they are saved.
//       --png saves the editor's picture and cancels it.
//
//   sshost add-section TABLE SYSNAME [--value K=X]... [--name NAME] [--ok] [--png FILE]
//       the add-section dialog on the section table TABLE, started from its section SYSNAME; on OK
//       the table is written back (atomically) with the new section. --value types X into dimension
//       field K (1 to 11, or its letter A to K) and --name chooses the own name NAME; --ok then
//       presses OK without showing the dialog (a refusal is printed and nothing is written), --png
//       saves the dialog's picture and cancels it. Without --ok or --png the dialog is shown to the
//       person.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addSectionCommands(CLI::App& app, Shell& shell);
} // namespace sshost
