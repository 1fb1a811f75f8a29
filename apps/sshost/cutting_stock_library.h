#pragma once
// What the command line and the desktop window share of the cutting-stock input on the library's
// own files (core/csp2_library.h): the record they open the dialog with.

#include "core/csp2_data.h"

namespace sshost {

// A record with the column titles of the three tables and no groups yet (the library's folders give
// them); the lengths to cut, which the product hands in, start empty.
DlgCSP2Data libraryCuttingStockRecord(bool stockMode);

} // namespace sshost
