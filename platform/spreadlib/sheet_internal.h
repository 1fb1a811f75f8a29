#pragma once
// Storage of a sheet (used by Sheet's implementation files only; callers use sheet.h).
//
// Cells live column by column in sorted sparse arrays, so a sheet of a few cells in a large grid costs
// little and inserting rows only renumbers. A formula cell's engine state lives in a heap object whose
// address does not change while cells are added, so that the dependency graph can point at it.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/zrk_string.h"
#include "spreadlib/cell_type.h"
#include "spreadlib/constants.h"
#include "spreadlib/formula.h"

namespace spreadlib::detail {

struct FormulaCell {
    Formula formula;
    Value result;   // the last computed value (never a reference)
    int col = 0;    // where the cell stands; kept current by structure changes
    int row = 0;
    bool dirty = false;
    bool retired = false;       // replaced while an evaluation was running
    std::uint32_t mark = 0;     // visit marker of graph walks
    std::uint32_t index = 0;    // position in the set being evaluated
    std::vector<std::uint32_t> rangeListeners; // ids of its entries in the range index
};

enum class CellKind : std::uint8_t { Empty, Text, Number, Formula };

struct Cell {
    CellKind kind = CellKind::Empty;
    bool forcedText = false;  // text that stays text even when it reads as a number
    bool numericText = false; // text that reads as a number (number holds it)
    bool locked = false;
    std::uint32_t type = 0;   // index into SheetData::types; 0 is the general type
    std::uint32_t format = 0; // index into SheetData::formats; 0 is the default look
    double number = 0.0;
    Zrk_String text;
    std::unique_ptr<FormulaCell> formula;
    std::unique_ptr<Zrk_String> tag;

    bool hasContent() const { return kind != CellKind::Empty; }
    // Nothing at all: the cell can be dropped from storage.
    bool isBlank() const { return kind == CellKind::Empty && !locked && type == 0 && format == 0 && !tag; }
};

struct Column {
    std::vector<int> rows; // ascending
    std::vector<Cell> cells;
    int formulaCount = 0;
};

struct Span {
    int col = 0, row = 0, cols = 1, rows = 1;
    bool contains(int c, int r) const { return c >= col && c < col + cols && r >= row && r < row + rows; }
    bool operator==(const Span&) const = default;
};

// Everything a sheet file holds; load and import build a new one and swap it in whole.
struct SheetData {
    int maxCols = kDefaultColumnCount;
    int maxRows = kDefaultRowCount;
    std::vector<Column> columns; // maxCols + 1; index 0 is the row-header column
    std::vector<CellType> types{CellType()};
    std::vector<CellFormat> formats{CellFormat()};
    std::vector<Span> spans;
    std::map<int, double> colWidths;  // pixels; col 0 is the row-header column
    std::map<int, double> rowHeights; // pixels; row 0 is the column-header row
    double defaultColWidth = 64.0;
    double defaultRowHeight = 20.0;
    FontSpec defaultFont;
    bool options[kOptionCount] = {};
    int operationMode = kModeNormal;
    int referenceStyle = kRefStyleDefault;
    int appearance = 0;
    int backColorStyle = 0;
    Color selBack = kColorDefault, selFore = kColorDefault;
    int noteIndicator = 0;
    Color grayBack = kColorDefault, grayFore = kColorDefault;
    Color shadowBack = kColorDefault, shadowFore = kColorDefault;
    int gridType = 0;
    Color gridColor = kColorDefault;
    TextTipSettings textTip;
    int activeCol = 1, activeRow = 1;
    bool hasSelection = false;
    int selCol1 = 0, selRow1 = 0, selCol2 = 0, selRow2 = 0;

    SheetData();
};

// Options that belong to the document (saved and loaded); the others belong to the program.
bool isDocumentOption(int option);

} // namespace spreadlib::detail
