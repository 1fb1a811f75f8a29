#pragma once
// How the engine finds a file a sheet or a caller names (a standards sheet, a child sheet, a data
// table): the name as written, then the name inside each of the places the caller lists, in order.
// Linux file names are case-sensitive, while the names in standards files were written for a system
// that ignores letter case, so a file whose name differs only in letter case counts as well, except
// for a bare name as written (that would mean listing the working folder on every call).

#include <initializer_list>

#include "core/zrk_string.h"

namespace standards {

// The name as written (path separators normalised): the file itself, or, for a name with a folder, a
// file in that folder whose name differs only in letter case.
bool findAsWritten(const Zrk_String& name, Zrk_String& found);
// The name (without a leading separator) inside each folder in order, letter case ignored. Empty
// folders are skipped.
bool findInFolders(const Zrk_String& name, std::initializer_list<Zrk_String> folders, Zrk_String& found);
// Both, as written first.
bool findLibraryFile(const Zrk_String& name, std::initializer_list<Zrk_String> folders, Zrk_String& found);

} // namespace standards
