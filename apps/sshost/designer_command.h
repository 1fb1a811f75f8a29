#pragma once
// The dialog designer on the library's own templates (--library, else the settings' library):
//
//   sshost designer [TEMPLATE] [--png FILE]
//       the designer on the template TEMPLATE (its name below the templates' folder, "End plate",
//       or the path of its .txt file there); without TEMPLATE an empty designer. The designer writes
//       a template (atomically) only when the person saves it in it: Save as, or Yes to the question
//       before a changed template is closed. --png saves the designer's picture and cancels it.
//
// A template that is not there, or a file outside the templates' folder, is refused (exit status 1):
// the designer would otherwise open empty and the person would think the template lost.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addDesignerCommand(CLI::App& app, Shell& shell);
} // namespace sshost
