#pragma once
// The constraint dialog on a person's own drawing:
//
//   sshost constraints --drawing FILE --macro NAME [--module NAME] [--tab list|geometry|variables|palette]
//                      [--tag OBJECT=TAG]... [--variable NAME=VALUE]... [--equation TEXT]... [--close]
//                      [--png FILE]
//       the macro's modules, constraints, geometry, variables and equations in the constraint dialog
//       (modal), opened on the module NAME (else the macro's first) and the tab asked for (else the
//       constraint list); picks are answered on the terminal; on Close the drawing is written when
//       something changed, never after the close box.
//       --tag, --variable and --equation fill the pages as a person would, and --close (implied by
//       them) then presses Close without showing the dialog: OBJECT is a geometry object's id or
//       its name tag; a variable of the module of that name gets the value, another is added;
//       the --equation texts replace the module's equations, one a line. A refusal (a tag in use,
//       an equation that cannot be computed) is printed and nothing is written.
//       --png saves the dialog's picture instead, and writes nothing.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addConstraintsCommand(CLI::App& app, Shell& shell);
} // namespace sshost
