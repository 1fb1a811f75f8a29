#pragma once
// Zrk_Spread: the module's one grid class. Every grid the module shows or fills (the variable grids of
// the macro dialogs, the section tables, the standards spreadsheets, the string-array and side dialogs,
// the bill sheet) is a Zrk_Spread: a grid window of the spreadsheet library (TSpread) with the module's
// conventions on top of the library's cell-by-cell calls.
//
// Life: a Zrk_Spread is a member of its dialog and starts unattached; attach() in the dialog's
// onInitDialog puts it in place of a placeholder control and makes it usable. While it is not
// attached every operation that touches cells does nothing and answers false, counts answer -1.
//
// Coordinates are 1-based (column 1, row 1 is the top-left data cell); -32767 as a column is the
// row-header column, as a row the column-header row. Operations that take 1-based indexes answer
// false for an index below 1 or beyond the current counts and change nothing.
//
// Cell text kinds (getCellText and readers): 0 data (the stored text), 1 formula, 2 tag (the hidden
// text of a cell), 3 value (what the cell shows; the default wherever the grid is read).
//
// Notifications of the grid reach the dialog as described in spreadlib/grid/grid_notify.h; the
// check-box and button clicks are the commands 59 and 60 of the grid's id.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/zrk_string.h"
#include "module/export.h"
#include "spread/tab_msg_handle.h"
#include "spreadlib/grid/tspread.h"
#include "ui/popup_menu.h"

namespace ui {
class Dialog;
class Bitmap;
} // namespace ui
class DlgFindReplace;

class SS_EXPORT Zrk_Spread : public TSpread {
public:
    Zrk_Spread();
    ~Zrk_Spread() override;
    Zrk_Spread(const Zrk_Spread&) = delete;
    Zrk_Spread& operator=(const Zrk_Spread&) = delete;

    // The run-time class name, and the base's.
    static constexpr const char* kClassName = "Zrk_Spread";
    static constexpr const char* kBaseClassName = "TSpread";

    // Context-menu entry kinds (setContextMenu).
    enum MenuEntry : int {
        menuSeparator = 1,
        menuCopy = 2,
        menuPaste = 3,
        menuInsertRow = 4,
        menuDeleteRow = 5,
        menuInsertColumn = 6,
        menuDeleteColumn = 7,
        menuCheckAll = 8,
        menuUncheckAll = 9,
    };

    // --- members -----------------------------------------------------------------------------------
    bool attached = false;                       // the grid window is in its dialog
    ui::Dialog* parentWindow = nullptr;          // the dialog the grid was attached in
    int controlId = 0;                           // the dialog item id the grid took over
    Zrk_String defaultFontName = "Tahoma";       // face of every font the grid makes
    int defaultFontHeight = 15;                  // height (pixels) of every font the grid makes
    int layoutMode = 0;                          // column-width rule 0..5 (setLayout)
    int layoutCount = 0;                         // mode 3: count of columns; mode 4: the fixed column
    int layoutValue = 0;                         // mode 3: percentage; mode 4: width in pixels
    Zrk_Array<int> layoutColumns;                // mode 5: columns (0 or -32767: the row-header column)
    Zrk_Array<int> layoutWidths;                 // mode 5: their widths in pixels
    std::unique_ptr<ui::Bitmap> checkPictureOn;  // picture check boxes (bitmap 8134), loaded on first use
    std::unique_ptr<ui::Bitmap> checkPictureOff; // (bitmap 8136)
    std::vector<ui::MenuItem> contextMenu;       // the pop-up menu built from menuItemKinds (setContextMenu)
    Zrk_Array<int> menuItemKinds; // the context menu's entries (MenuEntry), in order; empty: no menu
    std::unique_ptr<DlgFindReplace> findDialog; // the open find/replace dialog
    bool toggleKeyEnabled = true;               // F8 toggles editing (option 13)
    int pairFirstColumn = -1; // two check-box columns that are alternatives (setExclusiveColumns)
    int pairSecondColumn = -1;

    // --- creation and look ---------------------------------------------------------------------------

    // Takes the place of the placeholder control placeholderId of the dialog: same id, same rectangle,
    // visible, with no rows and no columns. The rectangle is taken relative to the parent's window
    // rectangle and, unless clientRelative, moved 5 left and 20 up (see the implementation for how
    // that lands on the placeholder). False when the dialog has no such control.
    bool attach(ui::Dialog* parent, int placeholderId, bool clientRelative = false);
    // The module's one look for grids: editable (editing on, normal selection) or not (no editing,
    // extended selection). False when not attached.
    bool applyStandardLook(bool editable = true);

    // The automatic column widths: mode 0 none, 1 equal, 2 fit the texts, 3 (count c, percentage p):
    // |c| first (c > 0) or last (c < 0) columns share p percent, 4 (column k, width w): column k (or
    // -32767, the row headers) is w wide; the others share the rest. Stored only: applyLayout applies
    // it, and so does every size change of the grid.
    void setLayout(int mode, int count = 0, int value = 0);
    // Mode 5: the listed columns get the listed widths (pairs up to the shorter list); the others share.
    void setLayout(const Zrk_Array<int>& columns, const Zrk_Array<int>& widths);
    bool applyLayout();
    // Equal widths for all columns and the row headers; with width > 0 one column (the first with
    // first set, else the last) is that wide when the share allows it.
    bool equalWidths(bool first = false, int width = 0);
    // Every column as wide as its widest text and every row as high as its tallest, headers included;
    // skipPictures leaves picture cells out of the measure.
    bool fitAll(bool skipPictures = false);
    // Widens the column so that all columns together fill the grid's width.
    bool fillWidth(int column);

    // --- size ----------------------------------------------------------------------------------------

    // The counts; -1 when not attached.
    int getNrRows() const;
    int getNrCols() const;
    // New rows copy the previously last row (cells, types, looks, locks; header included) and get the
    // fonts: bold row headers (all headers when the grid had no rows), normal cells. A smaller count
    // deletes rows at the end and touches no fonts.
    bool setNrRows(int count);
    // The same for columns; the last column is copied into the new ones only with copyLast.
    bool setNrCols(int count, bool copyLast = true);
    // Bold for all header cells, normal for all data cells; withTextTips also gives the text tips
    // the default face and height.
    bool applyFonts(bool withTextTips = true);

    // --- cells ---------------------------------------------------------------------------------------
    // Each answers false when not attached or when the cell lies beyond the counts. Headers: 0 or -32767.

    // The text of the kind (0 data, 1 formula, 2 tag, 3 value); empty for an empty cell.
    bool getCellText(int column, int row, Zrk_String& text, int kind = 3) const;
    // Stores the text as data (setCellText) or as value (setCellValue). A number cell refuses a text
    // that is not a number within its limits.
    bool setCellText(int column, int row, const Zrk_String& text);
    bool setCellValue(int column, int row, const Zrk_String& text);
    // Typed reads of the value text: an integer (leading digits, as atoi), a double (as atof), a bool
    // ("1" true, "0" false; any other text is no bool and answers false).
    bool getCellInt(int column, int row, int& value) const;
    bool getCellDouble(int column, int row, double& value) const;
    bool getCellBool(int column, int row, bool& value) const;
    // Typed writes: an integer in decimal, a double with two decimals, a bool as "1" or "0".
    bool setCellInt(int column, int row, int value);
    bool setCellDouble(int column, int row, double value);
    bool setCellBool(int column, int row, bool value);

    bool setCellLocked(int column, int row, bool locked = true);
    bool isCellLocked(int column, int row) const;

    // Cell types, on a block (col1, row1)-(col2, row2) or on one cell.
    // Number: the given decimals, limits -99999999999999..99999999999999, no thousands separator;
    // variant gives the variant look.
    bool setNumberCells(int col1, int row1, int col2, int row2, int decimals, bool variant = false);
    bool setNumberCells(int column, int row, int decimals, bool variant = false);
    // Text: at most maxLength characters typed (200 unless given).
    bool setTextCells(int col1, int row1, int col2, int row2, int maxLength = 200);
    bool setTextCells(int column, int row, int maxLength = 200);
    // Static text, shown and not edited.
    bool setStaticCells(int col1, int row1, int col2, int row2);
    bool setStaticCells(int column, int row);
    // A combo box of the items; editable lets the user type a text of his own.
    bool setComboCells(int col1, int row1, int col2, int row2, const Zrk_StringArray& items,
                       bool editable = false);
    bool setComboCells(int column, int row, const Zrk_StringArray& items, bool editable = false);
    // A push button with a caption; pressing it makes the cell active and sends command 60.
    bool setButtonCells(int col1, int row1, int col2, int row2, const Zrk_String& caption);
    bool setButtonCells(int column, int row, const Zrk_String& caption);

    // --- whole rows and columns ----------------------------------------------------------------------

    // Item i into row i+1 of the column (fillColumn) or column i+1 of the row (fillRow), stopping at
    // the last row or column; as data, or as value with asValue.
    bool fillColumn(int column, const Zrk_StringArray& strings, bool asValue = false);
    bool fillColumn(int column, const Zrk_Array<int>& values, bool asValue = false);
    bool fillColumn(int column, const Zrk_Array<double>& values, bool asValue = false); // two decimals
    bool fillColumn(int column, const Zrk_Array<bool>& values, bool asValue = false);   // "1" / "0"
    bool fillRow(int row, const Zrk_StringArray& strings, bool asValue = false);
    // The column-header row (columns 1..) and the row-header column (rows 1..).
    bool setColumnHeaders(const Zrk_StringArray& headers);
    bool getColumnHeaders(Zrk_StringArray& headers) const;
    bool setRowHeaders(const Zrk_StringArray& headers);
    bool getRowHeaders(Zrk_StringArray& headers) const;
    // Rows 1..last of a column, columns 1..last of a row, every row (texts of the kind, value unless
    // given); typed columns read the value texts (integers as atoi, doubles as atof, bools "1").
    bool readColumn(int column, Zrk_StringArray& strings, int kind = 3) const;
    bool readColumn(int column, Zrk_Array<int>& values) const;
    bool readColumn(int column, Zrk_Array<double>& values) const;
    bool readColumn(int column, Zrk_Array<bool>& values) const;
    bool readRow(int row, Zrk_StringArray& strings, int kind = 3) const;
    bool readAllRows(Zrk_Array<Zrk_StringArray>& rows, int kind = 3) const;
    // Empty values into every column of a row, or of the rows first..last.
    bool clearRow(int row);
    bool clearRowsFrom(int firstRow, int lastRow);
    // Each integer as text into rows 1.. of the column; an integer below 0 or above the row count
    // is written as 0.
    bool fillColumnWithIndexes(int column, const Zrk_Array<int>& indexes);

    // --- structure -----------------------------------------------------------------------------------
    // Every structure edit sets the changed flag (option 30).

    // A row (column) at index, 1..count+1; askName asks for the header text (text-input dialog),
    // copyNeighbour copies the row (column) that was pushed on into the new one.
    bool insertRowAt(int index, bool askName = false, bool copyNeighbour = false);
    bool insertColumnAt(int index, bool askName = false, bool copyNeighbour = false);
    // A new empty last row, copying the previous one with copyPrevious; its index, or -1.
    int appendRow(bool copyPrevious = false);
    bool deleteRowAt(int index);
    bool deleteColumnAt(int index);
    // Rows first..last move to the destination row (1..count), which becomes the active row.
    bool moveRows(int firstRow, int lastRow, int destinationRow);
    bool moveActiveRowUp();
    bool moveActiveRowDown();
    bool insertRowBelowActive(bool copy = false);
    bool deleteActiveRow();
    // Spans runs of equal non-empty value texts down the column (one column wide); unmerging removes
    // the spans of a column or of the whole grid.
    bool mergeEqualCells(int column);
    bool unmergeColumn(int column);
    bool unmergeAll();

    // --- check boxes and pictures --------------------------------------------------------------------

    // Rows 1..last of the column become picture check boxes (bitmaps 8134 / 8136); centred with
    // centre; spanHeader spans the column header over this column and the next.
    bool setCheckBoxColumn(int column, bool centre = true, bool spanHeader = false);
    // The same with the library's plain check box and a caption; spanHeader spans the header from the
    // column before over two columns.
    bool setPlainCheckBoxColumn(int column, const Zrk_String& caption, bool centre = true,
                                bool spanHeader = false);
    bool setCheckBoxCell(int column, int row, bool centre = true);
    // The second column's check box is usable only where the first is checked (both 1..count; else
    // nothing changes and the previous pair stays).
    bool setExclusiveColumns(int firstColumn, int secondColumn);
    // "1" (checked) or "0" into every check-box cell of the selection.
    bool setSelectionChecked(bool checked);
    // A picture cell showing a bitmap (or with icon an icon) of the module, centred.
    bool setPictureCell(int column, int row, int resourceId, bool icon = false);
    // The row shows the picture file across all columns, as high as the picture. False when the file
    // does not exist or cannot be read.
    bool setImageRow(const Zrk_String& bitmapFile, int column, int row);

    // --- search and replace --------------------------------------------------------------------------

    // The first column from startColumn (at least 1) whose value text equals the text (or contains it
    // with substring).
    bool findInRow(const Zrk_String& text, bool substring, int row, int startColumn, int& column) const;
    // From (startColumn, startRow) on in reading order; later rows from column 1. False past the last row.
    bool findNext(const Zrk_String& text, bool substring, int startColumn, int startRow, int& column,
                  int& row) const;
    // The position (0-based) of the text in the cell's value text, from start on.
    bool findInCell(const Zrk_String& text, int column, int row, int start, int& position) const;
    // Edit mode on the cell, with the found characters selected.
    bool selectFound(const Zrk_String& text, int column, int row, int start);
    // Every occurrence in the cell's value text replaced; the result is stored as data.
    bool replaceInCell(int column, int row, const Zrk_String& text, const Zrk_String& replacement);
    // Opens the find/replace dialog bound to this grid (F3, F5); replace puts the focus on the
    // replacement. False when not attached.
    bool showFindDialog(bool replace = false);
    // The find dialog tells the grid that it closed (the grid then destroys it).
    void findDialogClosed();

    // --- selection and active cell -------------------------------------------------------------------

    bool getActiveCell(int& column, int& row) const;
    bool setActiveCell(int column, int row);
    // The active cell, or cell (1, 1) made active when there is none.
    bool ensureActiveCell(int& column, int& row);
    // The selected block, or the active cell when nothing is selected.
    bool getSelection(int& col1, int& row1, int& col2, int& row2) const;
    // col2 or row2 -1 selects to the last column or row.
    bool selectBlock(int col1, int row1, int col2, int row2);
    bool selectRow(int row);
    // The first (last) unlocked cell in reading order; a cell in a span counts by its anchor's lock.
    bool findFirstFreeCell(int& column, int& row) const;
    bool findLastFreeCell(int& column, int& row) const;
    // Tab (key 9) on a visible grid that has the focus: tabBeforeFirst (Shift+Tab on the first free
    // cell), tabPastLast (Tab on the last), else tabHandled. Otherwise answer stays tabNotHandled
    // and the call answers false.
    bool handleTabKey(int keyCode, bool shift, Zrk_TabMsgHandle& answer);
    // The focus to the grid on its first (or last) free cell; false when hidden or without one.
    bool focusFreeCell(bool first = true);

    // --- context menu --------------------------------------------------------------------------------

    // The entries of the right-button menu (MenuEntry kinds); empty: no menu.
    void setContextMenu(const Zrk_Array<int>& kinds);
    // Runs a menu command (32811 ... by position among the non-separator entries). False for an id
    // that is not in the menu.
    bool onMenuCommand(int commandId);
    // The command id of the k-th (0-based) non-separator entry.
    static int menuCommandId(int position);

    // --- files ---------------------------------------------------------------------------------------

    // The library's own spreadsheet file. Failures leave a message in lastFileMessage().
    bool loadFile(const Zrk_String& path);
    bool saveFile(const Zrk_String& path);
    const Zrk_String& lastFileMessage() const { return fileMessage_; }
    // An empty sheet prepared from the named document settings, whose default font becomes the grid's.
    bool prepareFromSettings(const Zrk_String& settingsName);
    // The document settings' variable lists replaced by these, and applied to the grid.
    bool setDocumentVariables(const Zrk_StringArray& names, const Zrk_StringArray& values);

    // --- spreadsheet functions -------------------------------------------------------------------------

    // A custom function of this grid's sheet; the callback gets (result, arguments, count) and answers
    // nonzero for success. flags: spreadlib::kFunctionValues (0) or kFunctionReferences (1).
    bool registerFunction(const Zrk_String& name, int minArgs, int maxArgs,
                          spreadlib::CustomFunction callback, int flags = 0);
    // 0 default, 1 A1, 2 R1C1.
    bool setReferenceStyle(int style);
    bool recalcCell(int column, int row);
    bool recalcAll();
    bool setAutoCalc(bool on);

    // --- keys ----------------------------------------------------------------------------------------

    // F3 and F5: the find dialog (or, when open, its find next and replace); F8 toggles editing.
    bool preTranslateKey(const ui::KeyPress& key) override;

protected:
    void onCellCommand(int code) override;
    void onRightButtonDown(int col, int row, const QPoint& globalPosition) override;
    void onSizeChanged() override;

private:
    bool validCell(int column, int row) const; // attached, 0/-32767..count
    bool validData(int column, int row) const; // attached, 1..count
    bool validBlock(int col1, int row1, int col2, int row2) const;
    void applyRowFonts(int firstRow, int lastRow, bool withTextTips);
    void applyColumnFonts(int firstColumn, int lastColumn, bool withTextTips);
    bool askHeaderName(bool column, Zrk_String& name);
    bool loadCheckPictures();
    bool checkBoxType(spreadlib::CellType& type);
    void updateExclusiveRow(int row);
    void availableWidth(int& available, int& n) const;
    void layoutEqual();
    void layoutFit(bool headers, bool skipPictures);
    void layoutShare(int count, int percent);
    void layoutFixed(int column, int width);
    void layoutLists();
    void setWidth(int column, int width);
    bool copyRows(int sourceRow, int firstRow, int lastRow);
    bool copyColumns(int sourceColumn, int firstColumn, int lastColumn);
    void retireFindDialog();

    Zrk_String fileMessage_;
    std::uintptr_t checkHandleOn_ = 0; // the pictures of the check boxes, by picture handle
    std::uintptr_t checkHandleOff_ = 0;
    std::map<std::pair<int, bool>, std::uintptr_t> pictureHandles_; // (resource, icon) -> handle
    std::unique_ptr<DlgFindReplace> closedFindDialog_;              // closed, destroyed when it is safe
};

// The spreadsheet documents (sheetdoc: the document settings) serve the two document operations of
// the grid through these hooks, as they build on the grid; without them the operations answer false
// with a message on the command line.
namespace spread {
using PrepareSheetHook = bool (*)(Zrk_Spread& grid, const Zrk_String& settingsName, Zrk_String& fontName,
                                  int& fontHeight);
using SetDocumentVariablesHook = bool (*)(Zrk_Spread& grid, const Zrk_StringArray& names,
                                          const Zrk_StringArray& values);
void setDocumentHooks(PrepareSheetHook prepare, SetDocumentVariablesHook setVariables);
} // namespace spread
