#pragma once
// The dialogs that edit a macro's settings and the standards engine's inputs, on a person's own files:
//
//   sshost settings --drawing FILE --macro NAME [--png FILE]
//       the general settings of a macro (the macro settings dialog from its first page); on OK they
//       are written back into the drawing
//   sshost mapping --drawing FILE --macro NAME [--png FILE]
//       the same dialog opened on its standards page: mapping records go into the library's mapping
//       files as the page writes them; on OK the macro's settings are written back into the drawing
//   sshost genvars [--drawing FILE] [--png FILE]
//       the library's general variables; on OK written back to the library's file. With --drawing,
//       the general variables that apply to each macro of that drawing are listed afterwards
//
// --png saves the dialog's picture instead of showing it, and writes nothing.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addMappingCommand(CLI::App& app, Shell& shell);
void addSettingsCommand(CLI::App& app, Shell& shell);
void addGenVarsCommand(CLI::App& app, Shell& shell);
} // namespace sshost
