#pragma once
// Picking a connection drawing of the library by its picture:
//
//   sshost select-macro [--module NAME]... [--members MIN MAX] [--title TEXT] [--other] [--png FILE]
//       the select-macro dialog over the library's "Macros/" folder (the sample library, or
//       --library); prints the chosen drawing's path. --module starts the filter with the modules the
//       connection must have; --members gives how many members it joins (-1: no bound); --other
//       offers the dialog's extra button (then "other" is printed). Cancel prints nothing on standard
//       output and exits with status 1. Previews the library's drawings lack are made on the way.
//       --png saves the dialog's picture and cancels it.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addSelectMacroCommand(CLI::App& app, Shell& shell);
} // namespace sshost
