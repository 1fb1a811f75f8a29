#pragma once
// The two dialogs that edit the standards engine's inputs, on a person's own files:
//
//   sshost mapping --drawing FILE --macro NAME [--png FILE]
//       the standards of a macro on the mapping page: mapping records go into the library's mapping
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
void addGenVarsCommand(CLI::App& app, Shell& shell);
} // namespace sshost
