#pragma once
// sshost dialog NAME [--png FILE]: one of the module's dialogs on sample data, shown to the person at
// the screen, or saved as a picture (headless too).

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addDialogCommand(CLI::App& app, Shell& shell);
} // namespace sshost
