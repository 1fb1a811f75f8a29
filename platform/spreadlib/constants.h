#pragma once
// Numbers of the spreadsheet library: coordinates, boolean options, operation modes, reference
// styles, cell type codes, cell styles, colours and borders. Callers pass these as plain numbers (the
// grid wrapper and the files store them that way); the names say what each number does here.

#include <cstdint>

namespace spreadlib {

// --- coordinates --------------------------------------------------------------------------------

// As a column: the row-header column; as a row: the column-header row. Index 0 means the same.
inline constexpr int kHeader = -32767;
// The largest counts a sheet can be given.
inline constexpr int kMaxColumnCount = 16384;
inline constexpr int kMaxRowCount = 1048576;
// Counts of a new sheet and of a sheet after reset.
inline constexpr int kDefaultColumnCount = 500;
inline constexpr int kDefaultRowCount = 500;

// --- boolean options (getBool/setBool) ------------------------------------------------------------
// Options marked "document" are saved with the sheet and restored by load; the others describe how
// the program drives its grid and keep the value the program gave them when a file is loaded.

enum BoolOption : int {
    kOptionAutoClipboard = 0,       // the grid handles copy and paste keys itself
    kOptionColumnHeaders = 3,       // document: the column-header row is shown
    kOptionRowHeaders = 4,          // document: the row-header column is shown (dialogs switch row headers off with 4)
    kOptionAutoCalc = 7,            // every edit recalculates what depends on it, in dependency order
    kOptionArrowsExitEdit = 8,      // arrow keys end editing and move the active cell
    kOptionHorizontalScrollBar = 10,// document
    kOptionVerticalScrollBar = 11,  // document
    kOptionUserFormulas = 12,       // text typed into a cell that begins with "=" is a formula
    kOptionEditing = 13,            // the active cell can be edited (F8 toggles it in the wrapper)
    kOptionGridLines = 18,          // document: grid lines are drawn
    kOptionEditReplace = 20,        // typing into a cell replaces its text instead of editing it
    kOptionMoveActiveOnEnter = 21,  // Enter moves the active cell down
    kOptionProcessTab = 22,         // Tab moves the active cell inside the grid
    kOptionCellOverflow = 25,       // document: text runs on into empty neighbours
    kOptionDragDrop = 26,           // blocks can be dragged with the mouse
    kOptionChanged = 30,            // set by every edit and structure change; stays until cleared
    kOptionNoBeep = 32,             // invalid input is refused without a sound
    kOptionRetainSelection = 34,    // the selection stays visible when the grid loses the focus
};
inline constexpr int kOptionCount = 64; // options are numbered 0..63

// --- operation modes ----------------------------------------------------------------------------

enum OperationMode : int {
    kModeNormal = 0,
    kModeReadOnly = 1,
    kModeRowSelect = 2,
    kModeSingleSelect = 3,
    kModeMultiSelect = 4,
    kModeExtendedSelect = 5,
};

// --- reference styles ---------------------------------------------------------------------------
// Formulas are read and written in A1 style except in R1C1 style; the default is A1.

enum ReferenceStyle : int {
    kRefStyleDefault = 0,
    kRefStyleA1 = 1,
    kRefStyleR1C1 = 2,
};

// --- cell types (getCellTypeCode) ---------------------------------------------------------------

enum CellTypeCode : int {
    kTypeGeneral = 0,      // no type set: text, with texts that read as numbers counting as numbers
    kTypeEdit = 1,         // text with a style and an editing limit
    kTypeStatic = 2,       // text shown, not edited
    kTypeHeader = 3,       // looks like a header cell
    kTypeCombo = 4,        // one of a tab-separated list
    kTypeButton = 7,       // a push button with a caption; pressing it tells the grid's dialog
    kTypePicture = 8,      // a picture from a file or a handle
    kTypeInteger = 10,     // a whole number
    kTypeCheckBox = 12,    // "1" checked, "0" not; with a caption or with pictures
    kTypeNumber = 14,      // a number with decimals, limits and separators
};
// Codes 14 to 16 are read as number types by the callers; this library answers 14 for every number cell.
inline constexpr int kTypeNumberFirst = 14;
inline constexpr int kTypeNumberLast = 16;
inline bool isNumberTypeCode(int code) { return code >= kTypeNumberFirst && code <= kTypeNumberLast; }

// --- cell styles --------------------------------------------------------------------------------
// A cell type carries a style number, kept as given. These bits mean something to the grid:
inline constexpr std::uint32_t kStyleComboEditable = 0x00000002; // combo: text can be typed
inline constexpr std::uint32_t kStyleCenter = 0x00000004;        // centred horizontally
inline constexpr std::uint32_t kStyleVCenter = 0x00000008;       // centred vertically
inline constexpr std::uint32_t kStylePictureFit = 0x00000020;    // picture scaled into the cell
inline constexpr std::uint32_t kStylePictureIcon = 0x00001000;   // picture handle is an icon
inline constexpr std::uint32_t kStyleCheckPictures = 0x00000300; // check box drawn with pictures
inline constexpr std::uint32_t kStyleStaticText = 0x00400000;    // edit cell shown but not edited

// The style values the module uses, by name.
inline constexpr std::uint32_t kStyleTextCell = 0x00110000;          // text cells
inline constexpr std::uint32_t kStyleStaticCell = 0x00400000;        // static cells
inline constexpr std::uint32_t kStyleDocumentEditCell = 4;           // cells of a prepared document
inline constexpr std::uint32_t kStyleNumberCell = 0x10100000;        // number cells
inline constexpr std::uint32_t kStyleNumberCellVariant = 0x10400000; // number cells, variant look
inline constexpr std::uint32_t kStyleComboCell = 0x00100000;
inline constexpr std::uint32_t kStyleComboCellEditable = 0x00100002;
inline constexpr std::uint32_t kStyleHeaderCell = 140;
inline constexpr std::uint32_t kStylePictureBitmap = 0x00210024;
inline constexpr std::uint32_t kStylePictureIconCell = 0x00211004;
inline constexpr std::uint32_t kStylePictureFile = 36;
inline constexpr std::uint32_t kStyleCheckBoxPictures = 768;

// --- colours ------------------------------------------------------------------------------------
// Colours are 0x00BBGGRR. kColorDefault stands for the grid's own colour of that element.

using Color = std::uint32_t;
inline constexpr Color kColorDefault = 0x8000000B;
inline constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// --- borders ------------------------------------------------------------------------------------

enum BorderType : int {
    kBorderNone = 0,      // removes every border of the cells
    kBorderLeft = 1,
    kBorderRight = 2,
    kBorderTop = 4,
    kBorderBottom = 8,
    kBorderOutline = 16,  // with the side bits: only the outline of the block, not every cell
    kBorderAll = 31,
};
enum BorderStyle : int {
    kBorderStyleNone = 0,
    kBorderStyleSolid = 1,
    kBorderStyleDash = 2,
    kBorderStyleDot = 3,
    kBorderStyleDashDot = 4,
    kBorderStyleDashDotDot = 5,
    kBorderStyleFine = 6, // one-pixel line
};

// --- fonts --------------------------------------------------------------------------------------

inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;

// --- limits -------------------------------------------------------------------------------------

inline constexpr int kMaxFormulaLength = 8192;   // bytes of formula text
inline constexpr int kMaxFormulaNesting = 64;    // nested parentheses, functions and operators
inline constexpr int kMaxFunctionArguments = 255;
inline constexpr int kMaxTextLength = 32767;     // longest text a formula produces
inline constexpr int kMaxCellTextLength = 1 << 20; // longest text a cell, tag or header holds
inline constexpr std::size_t kMaxPictureBytes = 16u << 20; // largest picture file a picture cell keeps
inline constexpr int kMaxEvaluationNesting = 16; // formulas evaluated from inside custom functions

} // namespace spreadlib
