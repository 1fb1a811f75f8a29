#pragma once
// Translated user-interface texts by number. The texts live in plain UTF-8 files of the resource
// folder (core::resourceFolder()), one "id<TAB>text" a line; "\n" and "\t" in a text stand for a line
// break and a tab, and lines starting with '#' are comments:
//   lang/texts.txt, lang/texts-*.txt           the main table (dialString)
//   lang/secondary.txt, lang/secondary-*.txt   the secondary table (secondaryString)
// Each part of the module keeps its texts in a file of its own (texts-standards.txt ...).
// The files are read on first use; texts come back in the module's code page.

#include <utility>
#include <vector>

#include "core/zrk_string.h"

// The text of id, or an empty text when the table has none.
Zrk_String dialString(int id);
Zrk_String secondaryString(int id);

namespace core {
// Forgets the loaded tables, so that the next lookup reads the files again (after the resource
// folder changed).
void reloadTexts();
// Parses one table file's lines into the table; malformed lines are skipped. Exposed for tests.
void parseTextTable(const Zrk_StringArray& lines, std::vector<std::pair<int, Zrk_String>>& table);
} // namespace core
