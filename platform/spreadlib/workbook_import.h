#pragma once
// Workbooks of the common spreadsheet programs (.xlsx, .ods) read into a sheet, so that a person can
// write a sheet in the program of their choice. The files are read by a library made for those formats
// (liborcus); what it hands over is collected first and written into the sheet only when the whole
// file was read, so a file that cannot be read leaves the sheet as it was.
//
// One sheet of the workbook is read: the first, or the one named. Numbers, texts (a text that reads
// as a number stays text), logical values (as the texts TRUE and FALSE), dates (as serial numbers) and
// formulas (as formulas, translated from the file's formula language) are kept; looks, sizes and the
// other sheets are not. A formula this engine cannot read (a reference to another sheet, a function it
// does not know the syntax of) is kept as its text "=..." and listed in the report, so that nothing is
// lost silently. The sheet's counts become the block the workbook's sheet uses.

#include <string>
#include <string_view>

#include "core/zrk_string.h"
#include "spreadlib/sheet.h"

namespace spreadlib {

enum class WorkbookKind { Xlsx, Ods };

// The kind of workbook a file name's extension names (".xlsx", ".ods", any letter case); false for
// any other.
bool workbookKindOf(const Zrk_String& path, WorkbookKind& kind);

struct WorkbookReport {
    Zrk_StringArray sheetNames; // every sheet of the workbook, in order
    Zrk_String sheetName;       // the sheet read
    int cells = 0;              // the cells written
    Zrk_StringArray keptAsText; // "B7: =Sheet2!A1" for each formula kept as text
};

// Reads a workbook file (found ignoring letter case, as sheet files are). On failure message names the
// file and the reason, and the sheet is unchanged.
bool importWorkbook(Sheet& sheet, const Zrk_String& path, const Zrk_String& sheetName, WorkbookReport& report,
                    Zrk_String& message);
// The same from the file's bytes; fileName is used in messages.
bool importWorkbookBytes(Sheet& sheet, std::string_view bytes, WorkbookKind kind, const Zrk_String& fileName,
                         const Zrk_String& sheetName, WorkbookReport& report, Zrk_String& message);

// A formula of a workbook in this engine's language: the ".xlsx" prefixes of newer functions
// ("_xlfn.") dropped; for ".ods" the "of:=" prefix dropped, references in brackets ("[.A1:.B2]")
// unwrapped and ";" between arguments made ",". Texts in quotes are left alone.
Zrk_String translateWorkbookFormula(const Zrk_String& formula, WorkbookKind kind);

} // namespace spreadlib
