#pragma once
// A spreadsheet: cells with texts, numbers and formulas, their types and looks, the sheet's settings,
// the formula engine with its dependency graph, custom functions, files and CSV. One method per
// operation of the spreadsheet library; the grid wrapper calls them and a grid window shows the sheet
// through its observers (sheet_observer.h).
//
// Coordinates are 1-based; kHeader (-32767) or 0 as a column is the row-header column, as a row the
// column-header row, so (0, 0) is the corner cell. Cell operations answer false for a cell outside
// 0..count and change nothing then.
//
// Texts of a cell:
//  - data: what the cell holds: a text as stored, a number in the general form, a formula's result in
//    the general form (full precision);
//  - formula: the formula without "=", in the sheet's reference style; empty for other cells;
//  - value: what the cell shows: number cells with exactly their decimals (and separators when their
//    type asks for them), a formula result in a number cell the same way, other numbers in the general
//    form (15 significant digits, no trailing zeros), errors as "#DIV/0!" ...;
//  - tag: a hidden text of the cell.
//
// Writing data or a value: an empty text clears the content. In a number or integer cell the text
// must read as a number within the type's limits (else the write fails and the cell stays as it was);
// the number is kept rounded to the cell's decimals, so formulas see what the cell shows. In other
// cells the text is kept as written and counts as a number in formulas when it reads as one, except
// in edit (text) cells, whose texts stay texts as in text-formatted cells of other spreadsheets (a
// text written with forceText, or imported with a leading apostrophe, stays text as well). Writing
// never makes a formula; setFormula does.
//
// Recalculation: with automatic recalculation (option 7) on, every edit recalculates the formulas
// that depend on it, in dependency order. With it off, an edit marks them for recalculation; setting
// a formula still evaluates that cell at once (with the marked formulas it depends on), and
// SSReCalcCell and recalcAll bring cells up to date. A circular reference gives #CIRC! in the cells
// of the cycle (in manual mode from the next recalculation on, as the cycle may run through cells
// that are not due). Nothing here recurses over cells, so chains of any length are safe.
//
// While a custom function runs, the sheet may be read and its cells written (the writes are
// recalculated when the running evaluation ends), but its structure cannot change: inserting,
// deleting, moving, copying blocks, counts, loading, importing and reset answer false then.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/zrk_string.h"
#include "spreadlib/cell_type.h"
#include "spreadlib/constants.h"
#include "spreadlib/sheet_observer.h"
#include "spreadlib/value.h"
#include "spreadlib/value_record.h"

namespace spreadlib {

struct Formula;
class FunctionResolver;
namespace detail {
struct Cell;
struct FormulaCell;
struct SheetData;
} // namespace detail

// Text kinds of getCellText.
enum TextKind : int { kTextData = 0, kTextFormula = 1, kTextTag = 2, kTextValue = 3 };

// Cells joined into one, shown by the anchor (top-left) cell.
struct Span {
    int col = 0, row = 0, cols = 1, rows = 1;
    bool contains(int c, int r) const { return c >= col && c < col + cols && r >= row && r < row + rows; }
    bool operator==(const Span&) const = default;
};

// What a view needs to draw one cell.
struct CellDisplay {
    Zrk_String text;        // the value text; header cells without text show their letters or numbers
    CellType type;
    bool locked = false;
    FontSpec font;
    Color backColor = kColorDefault;
    Color foreColor = kColorDefault;
    Border border;
    bool isNumber = false;  // the value is a number (views right-align numbers)
    bool isError = false;
};

// Measures a text in a font, in pixels. The default estimates from the font height; a grid window
// sets one that asks its toolkit.
using TextMeasurer = std::function<void(const Zrk_String& text, const FontSpec& font, int& width, int& height)>;
TextMeasurer defaultTextMeasurer();

class Sheet {
public:
    Sheet();
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // --- counts ---------------------------------------------------------------------------------
    int getMaxCols() const;
    int getMaxRows() const;
    // Set the counts (0..kMaxColumnCount / kMaxRowCount). Cells beyond a smaller count are deleted.
    bool setMaxCols(int count);
    bool setMaxRows(int count);

    // --- contents -------------------------------------------------------------------------------
    bool setData(int col, int row, const Zrk_String& text, bool forceText = false);
    bool setValue(int col, int row, const Zrk_String& text);
    // Sets a formula (a leading "=" is allowed) written in the sheet's reference style. A formula that
    // cannot be read is refused (false, message says why) and the cell stays as it was. With
    // evaluateNow false and automatic recalculation off, the cell waits for the next recalculation.
    bool setFormula(int col, int row, const Zrk_String& formula, bool evaluateNow = true, Zrk_String* message = nullptr);
    bool getData(int col, int row, Zrk_String& text) const;
    bool getFormula(int col, int row, Zrk_String& text) const;
    bool getValue(int col, int row, Zrk_String& text) const;
    bool getCellText(int col, int row, int kind, Zrk_String& text) const;
    bool SSGetCellTag(int col, int row, Zrk_String& tag) const;
    bool SSSetCellTag(int col, int row, const Zrk_String& tag);
    // The cell's number: a number, a text that reads as one, a formula's numeric (or logical) result.
    bool getFloat(int col, int row, double& value) const;
    // Empties the contents (not types or looks) of a block.
    bool clearData(int col1, int row1, int col2, int row2);
    bool SSReCalcCell(int col, int row);
    void recalcAll();

    // --- cell types ------------------------------------------------------------------------------
    bool setCellType(int col1, int row1, int col2, int row2, const CellType& type);
    bool SSSetTypeNumber(int col1, int row1, int col2, int row2, std::uint32_t style, int decimals, double minValue,
                         double maxValue, bool separator);
    bool getCellType(int col, int row, CellType& type) const;
    // The type code (kTypeGeneral, kTypeEdit ... kTypeNumber); -1 outside the sheet.
    int getCellTypeCode(int col, int row) const;

    // --- locks and spans -------------------------------------------------------------------------
    bool setLock(int col1, int row1, int col2, int row2, bool locked);
    bool getLock(int col, int row) const;
    // A span joins cols x rows cells into one, shown by its anchor (top-left) cell. Spans inside the
    // counts that overlap no other span only.
    bool SSAddCellSpan(int col, int row, int numCols, int numRows);
    // Removes the span that contains the cell.
    bool SSRemoveCellSpan(int col, int row);
    // The span that contains the cell: its anchor and size. False when the cell is in no span.
    bool SSGetCellSpan(int col, int row, int& anchorCol, int& anchorRow, int& numCols, int& numRows) const;

    // --- looks ------------------------------------------------------------------------------------
    bool setFont(int col1, int row1, int col2, int row2, const FontSpec& font);
    bool getFont(int col, int row, FontSpec& font) const;
    bool setColor(int col1, int row1, int col2, int row2, Color back, Color fore);
    bool getColor(int col, int row, Color& back, Color& fore) const;
    // type: kBorderLeft | kBorderRight | kBorderTop | kBorderBottom, with kBorderOutline for the outline
    // of the block only; kBorderNone removes the borders of the cells.
    bool setBorder(int col1, int row1, int col2, int row2, int type, int style, Color color);
    bool getBorder(int col, int row, Border& border) const;
    void setDefaultFont(const FontSpec& font);
    const FontSpec& getDefaultFont() const;
    void SSSetAppearance(int appearance);
    int getAppearance() const;
    void SSSetBackColorStyle(int style);
    int getBackColorStyle() const;
    void SSSetSelColor(Color back, Color fore);
    void getSelColor(Color& back, Color& fore) const;
    void SSSetCellNoteIndicator(int indicator);
    int getCellNoteIndicator() const;
    void setGrayAreaColor(Color back, Color fore);
    void getGrayAreaColor(Color& back, Color& fore) const;
    void setShadowColor(Color back, Color fore);
    void getShadowColor(Color& back, Color& fore) const;
    // Grid lines: their kind (0 none, 1 solid, 2 dotted, 7 the document's fine lines ...) and colour.
    void setGridType(int type);
    int getGridType() const;
    void setGridColor(Color color);
    Color getGridColor() const;
    void SSSetTextTip(const TextTipSettings& tip);
    void SSGetTextTip(TextTipSettings& tip) const;

    // --- options and modes ----------------------------------------------------------------------------
    bool setBool(int option, bool on);
    bool getBool(int option) const;
    bool setOperationMode(int mode);
    int getOperationMode() const;
    bool SSSetRefStyle(int style);
    int getRefStyle() const;
    bool SSSetActionKey(int action, int shift, int key);
    bool getActionKey(int action, ActionKey& key) const;
    // Back to a new sheet: contents, types, looks, sizes, counts and settings (custom functions and
    // observers stay).
    bool SSReset();
    // Drawing off while a sequence of changes is made; switching it on tells the views.
    void setRedraw(bool on);
    bool getRedraw() const;

    // --- geometry ---------------------------------------------------------------------------------------
    // Widths in the library's units (8 pixels) or pixels; col 0 is the row-header column. Heights in
    // units (points: 3/4 pixel) or pixels; row 0 is the column-header row.
    bool setColWidth(int col, double units);
    bool getColWidth(int col, double& units) const;
    bool setColWidthInPixels(int col, int pixels);
    bool getColWidthInPixels(int col, int& pixels) const;
    bool setRowHeight(int row, double units);
    bool getRowHeight(int row, double& units) const;
    bool setRowHeightInPixels(int row, int pixels);
    bool getRowHeightInPixels(int row, int& pixels) const;
    // The size of a cell's text in its font; the widest text of a column and the tallest of a row
    // (headers included), optionally leaving picture cells out. Pixels.
    bool getMaxTextCellSize(int col, int row, int& width, int& height) const;
    bool getMaxTextColWidth(int col, int& width, bool skipPictures = false) const;
    bool getMaxTextRowHeight(int row, int& height, bool skipPictures = false) const;
    void setTextMeasurer(TextMeasurer measurer);

    // --- active cell, selection, editing ---------------------------------------------------------------
    bool setActiveCell(int col, int row);
    void getActiveCell(int& col, int& row) const;
    bool setSelBlock(int col1, int row1, int col2, int row2);
    // False when there is no selection block.
    bool getSelBlock(int& col1, int& row1, int& col2, int& row2) const;
    void clearSelection();
    void setEditMode(bool editing);
    bool getEditMode() const;
    // The selected characters of the edited text: start and end (end excluded).
    void setEditSel(int start, int end);
    void getEditSel(int& start, int& end) const;

    // --- structure ----------------------------------------------------------------------------------
    // Rows (columns) inserted at `at` push the following ones down within the count; an insert that
    // would push content past the last row fails. Deleting pulls the following ones up. Formula
    // references follow their cells; references to deleted cells become #REF!.
    bool insertRows(int at, int count = 1);
    bool deleteRows(int at, int count = 1);
    bool insertCols(int at, int count = 1);
    bool deleteCols(int at, int count = 1);
    // The rows (columns) first..last end up at destination..destination+last-first; the rows between
    // close the gap. References follow.
    bool moveRows(int first, int last, int destination);
    bool moveCols(int first, int last, int destination);
    // Copies a block (contents, types, looks, locks, tags) to the block whose top-left cell is
    // (destCol, destRow); relative references of copied formulas move with them.
    bool copyRange(int col1, int row1, int col2, int row2, int destCol, int destRow);
    // Moves a block; the source is emptied, and references to the moved cells follow them.
    bool moveRange(int col1, int row1, int col2, int row2, int destCol, int destRow);
    // The library's clipboard, shared by all sheets: a block as tab-separated text of data texts (a
    // field holding a tab, line break or quote is quoted, as spreadsheets do). Paste writes the text as
    // data from the given cell, cut to the counts.
    bool clipboardCopy(int col1, int row1, int col2, int row2) const;
    bool clipboardCut(int col1, int row1, int col2, int row2);
    bool clipboardPaste(int col, int row);
    static const Zrk_String& clipboardText();
    static void setClipboardText(const Zrk_String& text);
    // The block as tab-separated text, and writing such text from a cell (what copy and paste use).
    Zrk_String blockToText(int col1, int row1, int col2, int row2) const;
    bool textToBlock(int col, int row, const Zrk_String& text);

    // --- custom functions -------------------------------------------------------------------------------
    // Registers (or replaces) a function of this sheet. Names: a letter, then letters, digits, "_" or
    // "."; at most 64; not a built-in name. Formulas that already use the name see it at once.
    bool SSAddCustomFunctionExt(const Zrk_String& name, int minArgs, int maxArgs, CustomFunction function,
                                int flags = kFunctionValues);
    bool removeCustomFunction(const Zrk_String& name);
    bool hasCustomFunction(const Zrk_String& name) const;
    // The sheet whose formula is being evaluated (inside a custom function), else null.
    static Sheet* evaluatingSheet();

    // --- where error values arise ------------------------------------------------------------------------
    // With tracing on, a formula evaluated to an error value keeps where that error arose: the first
    // function or operator of the formula that made an error of the result's kind from arguments that
    // held none (else the first that made any), or the error value the formula writes. An error that
    // only passed through an argument or a referenced cell arose in that cell and is none of this
    // formula's. Off by default, and then the evaluator does nothing more for it.
    void setErrorTracing(bool on);
    bool errorTracing() const;
    // Where the error value of the formula at (col, row) arose, as found when it was last evaluated
    // with tracing on; false when its result is no error or the error only passed through it.
    bool getErrorOrigin(int col, int row, ErrorOrigin& origin) const;

    // --- files ---------------------------------------------------------------------------------------
    // The library's own format (docs/spreadsheet-format.md). Load replaces the sheet only when the
    // whole file is valid; else it answers false, message names the file and the fault, and the sheet
    // stays as it was. Save writes atomically. Options that belong to the program (automatic
    // recalculation, editing ...) keep their values on load; the changed flag is cleared.
    bool loadFromFile(const Zrk_String& path, Zrk_String& message);
    bool saveToFile(const Zrk_String& path, Zrk_String& message) const;
    bool loadFromText(const std::string& utf8, const Zrk_String& fileName, Zrk_String& message);
    // Makes this sheet what loading source's file made of source: everything a file holds is copied
    // (formulas call custom functions by name, whatever this sheet registered first); options that
    // belong to the program keep their values and the changed flag is cleared, as on load. What a
    // cache of loaded files hands out instead of reading and parsing the file again. False while a
    // custom function runs (the structure cannot change then).
    bool copyFrom(const Sheet& source);
    // The file's text. refusal (when given) receives what the sheet holds beyond what the reader
    // takes (the first thing, with where), empty when the text reads back; saveToFile refuses then.
    std::string saveToText(Zrk_String* refusal = nullptr) const;
    // CSV (RFC 4180, UTF-8). Import replaces the contents, types and looks with the CSV's fields as
    // data from (1, 1) (a field beginning with "=" is a formula, one beginning with an apostrophe stays
    // text without it); with headerRow the first record fills the column headers. Export writes the
    // used block, formulas as "=formula" (or their values with formulasAsValues), texts that begin with
    // "=" or an apostrophe behind an apostrophe.
    bool importCsv(const Zrk_String& path, bool headerRow, Zrk_String& message);
    bool importCsvText(const std::string& utf8, const Zrk_String& fileName, bool headerRow, Zrk_String& message);
    bool exportCsv(const Zrk_String& path, bool headerRow, bool formulasAsValues, Zrk_String& message) const;
    std::string exportCsvText(bool headerRow, bool formulasAsValues) const;

    // --- views --------------------------------------------------------------------------------------
    void addObserver(SheetObserver* observer);
    void removeObserver(SheetObserver* observer);
    bool getDisplay(int col, int row, CellDisplay& display) const;
    // The last column and row that hold content (0 when none).
    void getUsedExtent(int& lastCol, int& lastRow) const;
    // What a view lays out at once instead of asking cell by cell: the spans, the default sizes and
    // the column widths and row heights that differ from them (pixels; index 0 is the header).
    const std::vector<Span>& getSpans() const;
    double getDefaultColWidthInPixels() const;
    double getDefaultRowHeightInPixels() const;
    const std::map<int, double>& getColWidthsInPixels() const;
    const std::map<int, double>& getRowHeightsInPixels() const;

private:
    friend class SheetEvaluator;
    friend class SheetFiles;
    // What the sheet holds and its formula engine (sheet_internal.h): callers of this header see
    // neither the storage nor the dependency graph.
    struct State;
    class Resolver;
    friend class Resolver;

    // storage (sheet.cpp)
    static int normalizeIndex(int index) { return index == kHeader ? 0 : index; }
    bool validCell(int col, int row) const;
    bool validBlock(int& col1, int& row1, int& col2, int& row2) const;
    detail::Cell* findCell(int col, int row);
    const detail::Cell* findCell(int col, int row) const;
    detail::Cell& cellAt(int col, int row);
    void dropIfBlank(int col, int row);
    void forEachCellIn(int col1, int row1, int col2, int row2, const std::function<void(int, int, detail::Cell&)>& fn);
    std::uint32_t internType(const CellType& type);
    std::uint32_t internFormat(const CellFormat& format);
    bool writeText(int col, int row, const Zrk_String& text, bool forceText);
    void clearContent(detail::Cell& cell, int col);
    void convertForType(detail::Cell& cell, const CellType& type);
    Zrk_String valueText(const detail::Cell& cell) const;
    Zrk_String dataText(const detail::Cell& cell) const;
    void markChanged();
    void notifyCells(int col1, int row1, int col2, int row2);
    template <typename F> void notify(F&& fn) const; // sheet_internal.h
    bool structureLocked() const;

    // engine (sheet_calc.cpp)
    detail::FormulaCell* formulaAt(int col, int row);
    void linkFormula(detail::FormulaCell* formula);
    void unlinkFormula(detail::FormulaCell* formula);
    void rebuildGraph();
    void retireFormula(std::unique_ptr<detail::FormulaCell> formula);
    template <typename F> void forEachDependent(int col, int row, F&& fn);
    template <typename F> void forEachDependentOf(const detail::FormulaCell* formula, F&& fn);
    template <typename F> void forEachRangeDependent(int col, int row, F&& fn);
    void attachFormula(detail::FormulaCell* formula);
    using Edges = std::vector<std::pair<std::uint32_t, std::uint32_t>>; // (from, to) indexes into a node set
    void collectDependents(const std::vector<std::uint64_t>& seeds, std::vector<detail::FormulaCell*>& nodes, Edges& edges);
    void collectDirtyPrecedents(detail::FormulaCell* root, std::vector<detail::FormulaCell*>& nodes);
    void evaluateSet(std::vector<detail::FormulaCell*>& nodes, const Edges* edges = nullptr);
    void finishEvaluation(const std::vector<detail::FormulaCell*>& nodes);
    void evaluateFormula(detail::FormulaCell& formula);
    void cellChanged(int col, int row);
    void processPending();
    void recalcAfterStructureChange(const std::vector<detail::FormulaCell*>& changed);
    void cellValueOf(int col, int row, Value& out);
    bool readsAsNumber(const detail::Cell& cell) const;
    void callCustom(int id, Value* args, int argCount, Value& result, int col, int row);
    Zrk_String describeValue(const Value& value);
    bool bringsError(const Value& value);
    int customFunctionId(const Zrk_String& name, bool create);
    const FunctionResolver& functionResolver() const;
    FunctionResolver& mutableResolver();
    void markDependentsDirty(const std::vector<std::uint64_t>& seeds);
    void recalcFormulasUsing(int functionId);

    // structure (sheet_structure.cpp)
    bool shiftCells(bool columns, int at, int count, bool insert);
    bool renumber(bool columns, int first, int last, int destination);
    void adjustAllFormulas(const std::function<bool(Formula&)>& adjust);

    void resetData();
    // Swaps in a sheet read from a file (or copied from one), keeping what belongs to the program.
    void replaceWithLoaded(detail::SheetData& loaded);

    std::unique_ptr<State> state_;
};

} // namespace spreadlib
