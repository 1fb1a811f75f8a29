#pragma once
// The cutting-stock input of the library (--library, else the settings' library):
//
//   sshost cutting-stock [--stock-mode] [--png FILE]
//       the cutting-stock input dialog on the library's "Cutting Stock/" folder: each folder there is
//       a group, its newest ".shp" and ".buy" files its stock and purchase rows. The dialog's load
//       and save buttons work on the files at once; on OK the rows that changed are written back
//       (atomically) to the files they came from, or to a new numbered file of a group that had
//       none. --stock-mode edits the stock rows only; --png saves the dialog's picture and cancels.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addCuttingStockCommand(CLI::App& app, Shell& shell);
} // namespace sshost
