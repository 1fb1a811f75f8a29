#pragma once
// Storage of a sheet and the state of its formula engine (used by Sheet's implementation files only;
// callers use sheet.h, which sees none of it).
//
// Cells live column by column in sorted sparse arrays, so a sheet of a few cells in a large grid costs
// little and inserting rows only renumbers. A formula cell's engine state lives in a heap object whose
// address does not change while cells are added, so that the dependency graph can point at it.

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/zrk_string.h"
#include "spreadlib/cell_type.h"
#include "spreadlib/constants.h"
#include "spreadlib/formula.h"
#include "spreadlib/sheet.h"

namespace spreadlib::detail {

struct FormulaCell {
    FormulaCell() = default;
    // A copy of the formula and its last result, linked to nothing (the copy's sheet links it).
    FormulaCell(const FormulaCell& other)
        : formula(other.formula), result(other.result), col(other.col), row(other.row), dirty(other.dirty),
          isVolatile(other.isVolatile) {}
    FormulaCell& operator=(const FormulaCell&) = delete;

    Formula formula;
    Value result;   // the last computed value (never a reference)
    int col = 0;    // where the cell stands; kept current by structure changes
    int row = 0;
    bool dirty = false;
    bool retired = false;       // replaced while an evaluation was running
    bool isVolatile = false;    // calls a function whose value no reference tracks (OFFSET, NOW)
    std::uint32_t mark = 0;     // visit marker of graph walks
    std::uint32_t index = 0;    // position in the set being evaluated
    std::vector<std::uint32_t> rangeListeners; // ids of its entries in the range index
    // The formulas that read this cell by a single reference (for cells without a formula the
    // sheet keeps these lists by position). A walk down a chain of formulas is pointer chasing.
    std::vector<FormulaCell*> dependents;
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

    Cell() = default;
    Cell(Cell&&) = default;
    Cell& operator=(Cell&&) = default;
    // A deep copy (a sheet copied whole: Sheet::copyFrom).
    Cell(const Cell& other)
        : kind(other.kind), forcedText(other.forcedText), numericText(other.numericText), locked(other.locked),
          type(other.type), format(other.format), number(other.number), text(other.text),
          formula(other.formula ? std::make_unique<FormulaCell>(*other.formula) : nullptr),
          tag(other.tag ? std::make_unique<Zrk_String>(*other.tag) : nullptr) {}
    Cell& operator=(const Cell& other) {
        if (this != &other) *this = Cell(other);
        return *this;
    }

    bool hasContent() const { return kind != CellKind::Empty; }
    // Nothing at all: the cell can be dropped from storage.
    bool isBlank() const { return kind == CellKind::Empty && !locked && type == 0 && format == 0 && !tag; }
};

struct Column {
    std::vector<int> rows; // ascending
    std::vector<Cell> cells;
    int formulaCount = 0;
    // Where the last lookup found its row: formulas read their neighbours, so the next lookup
    // usually lands there or one further.
    mutable std::size_t hint = 0;
};

using spreadlib::Span;

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

// The formulas that read each single cell, by cell key (column << 32 | row). Open addressing: a
// lookup is one or two probes, which matters when a long chain of formulas is recalculated. Lists
// are never removed (an emptied list usually fills again); clear() drops everything.
class ListenerMap {
public:
    std::vector<FormulaCell*>* find(std::uint64_t key) {
        if (slots_.empty()) return nullptr;
        for (std::size_t i = slotOf(key);; i = (i + 1) & mask_) {
            const std::uint32_t slot = slots_[i];
            if (slot == 0) return nullptr;
            if (keys_[i] == key) return &lists_[slot - 1];
        }
    }
    std::vector<FormulaCell*>& get(std::uint64_t key) {
        if ((lists_.size() + 1) * 2 > slots_.size()) grow();
        for (std::size_t i = slotOf(key);; i = (i + 1) & mask_) {
            const std::uint32_t slot = slots_[i];
            if (slot == 0) {
                lists_.emplace_back();
                slots_[i] = static_cast<std::uint32_t>(lists_.size());
                keys_[i] = key;
                return lists_.back();
            }
            if (keys_[i] == key) return lists_[slot - 1];
        }
    }
    void clear() {
        keys_.clear();
        slots_.clear();
        lists_.clear();
        mask_ = 0;
    }

private:
    std::size_t slotOf(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & mask_;
    }
    void grow() {
        const std::size_t capacity = slots_.empty() ? 64 : slots_.size() * 2;
        std::vector<std::uint64_t> oldKeys(capacity, 0);
        std::vector<std::uint32_t> oldSlots(capacity, 0);
        oldKeys.swap(keys_);
        oldSlots.swap(slots_);
        mask_ = capacity - 1;
        for (std::size_t j = 0; j < oldSlots.size(); ++j) {
            if (oldSlots[j] == 0) continue;
            std::size_t i = slotOf(oldKeys[j]);
            while (slots_[i] != 0) i = (i + 1) & mask_;
            slots_[i] = oldSlots[j];
            keys_[i] = oldKeys[j];
        }
    }
    std::vector<std::uint64_t> keys_;
    std::vector<std::uint32_t> slots_; // 1 + index into lists_; 0 is a free slot
    std::vector<std::vector<FormulaCell*>> lists_;
    std::size_t mask_ = 0;
};

// Options that belong to the document (saved and loaded); the others belong to the program.
bool isDocumentOption(int option);

} // namespace spreadlib::detail

namespace spreadlib {

struct Sheet::State {
    struct CustomEntry {
        Zrk_String name;
        int minArgs = 0, maxArgs = 0, flags = 0;
        CustomFunction function;
        bool registered = false;
    };
    // A block of cells whose formula reads it (the index of blocks by column points here).
    struct RangeListener {
        int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
        detail::FormulaCell* formula = nullptr;
    };

    explicit State(Sheet& sheet);
    ~State();

    detail::SheetData data;
    ActionKey actionKeys[8];
    bool redraw = true;
    bool editMode = false;
    int editSelStart = 0, editSelEnd = 0;
    TextMeasurer measurer;
    std::vector<SheetObserver*> observers;
    std::vector<CustomEntry> customs;
    std::unique_ptr<Resolver> resolver;

    // dependency graph: single cells by position key, blocks in an index by column
    detail::ListenerMap cellListeners;
    std::vector<RangeListener> rangeListeners;
    std::vector<std::uint32_t> freeRangeListeners;
    std::vector<std::vector<std::uint32_t>> rangesByColumn;
    std::vector<std::uint32_t> wideRanges;
    // Formulas recalculated with every change, whatever it changed (isVolatileBuiltin).
    std::vector<detail::FormulaCell*> volatiles;
    std::uint32_t epoch = 0;
    int evalDepth = 0;  // evaluations running in this sheet
    int batchDepth = 0; // edits whose recalculation waits (paste, import)
    std::vector<std::uint64_t> pending; // cells changed while evaluating or batching
    bool processingPending = false;
    std::vector<std::unique_ptr<detail::FormulaCell>> graveyard;
    std::vector<Value> stack; // the evaluator's value stack
    // The formulas last set in each cell, as parsed: a program that sets the same formula texts again
    // and again (the standards engine, once per evaluation) parses each once. A parse depends only on
    // the text, the reference style, the cell (R1C1 references count from it) and the function names,
    // whose ids a sheet hands out once and keeps.
    struct ParsedFormula {
        Zrk_String text;
        bool r1c1 = false;
        Formula formula;
    };
    std::unordered_map<std::uint64_t, ParsedFormula> parsed; // by cell key
    bool errorTracing = false;
    std::unordered_map<std::uint64_t, ErrorOrigin> errorOrigins; // by cell, while tracing
};

template <typename F> void Sheet::notify(F&& fn) const {
    if (state_->observers.empty()) return;
    // One observer (a grid's model) is told without the copy: no other is left to tell after it.
    if (state_->observers.size() == 1) {
        fn(state_->observers.front());
        return;
    }
    // A copy: an observer may add or remove observers while it is told.
    const std::vector<SheetObserver*> observers = state_->observers;
    for (SheetObserver* observer : observers)
        if (std::find(state_->observers.begin(), state_->observers.end(), observer) != state_->observers.end())
            fn(observer);
}

} // namespace spreadlib
