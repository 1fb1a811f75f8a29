// Sheet: inserting, deleting and moving rows and columns, copying and moving blocks, the clipboard.
#include <algorithm>
#include <numeric>

#include "spreadlib/sheet.h"
#include "spreadlib/sheet_internal.h"

namespace spreadlib {

using detail::Cell;
using detail::CellKind;
using detail::Column;
using detail::FormulaCell;

namespace {

constexpr long long kMaxBlockCells = 1LL << 22;

Zrk_String& clipboard() {
    static Zrk_String text;
    return text;
}

// Moves the keys of a size map: map answers the new index, or -1 to drop it.
void remapSizes(std::map<int, double>& sizes, const std::function<int(int)>& map) {
    std::map<int, double> moved;
    for (const auto& [index, size] : sizes) {
        if (index == 0) {
            moved[0] = size;
            continue;
        }
        const int to = map(index);
        if (to >= 1) moved[to] = size;
    }
    sizes.swap(moved);
}

// A copy of a cell's stored state (content, type, look, lock, tag).
struct CellCopy {
    int col = 0, row = 0;
    CellKind kind = CellKind::Empty;
    bool forcedText = false, numericText = false, locked = false;
    std::uint32_t type = 0, format = 0;
    double number = 0.0;
    Zrk_String text;
    bool hasFormula = false;
    Formula formula;
    Value result;
    bool hasTag = false;
    Zrk_String tag;
};

CellCopy copyOf(const Cell& cell, int col, int row) {
    CellCopy copy;
    copy.col = col;
    copy.row = row;
    copy.kind = cell.kind;
    copy.forcedText = cell.forcedText;
    copy.numericText = cell.numericText;
    copy.locked = cell.locked;
    copy.type = cell.type;
    copy.format = cell.format;
    copy.number = cell.number;
    copy.text = cell.text;
    if (cell.formula) {
        copy.hasFormula = true;
        copy.formula = cell.formula->formula;
        copy.result = cell.formula->result;
    }
    if (cell.tag) {
        copy.hasTag = true;
        copy.tag = *cell.tag;
    }
    return copy;
}

} // namespace

bool Sheet::shiftCells(bool columns, int at, int count, bool insert) {
    const int maximum = columns ? state_->data.maxCols : state_->data.maxRows;
    if (structureLocked() || count < 1 || at < 1 || at > maximum) return false;
    if (!insert && count > maximum - at + 1) return false;
    const int last = at + count - 1;
    if (insert) {
        // Content pushed past the last row (column) would be lost: refuse.
        const int firstLost = maximum - count + 1;
        if (columns) {
            for (int c = std::max(firstLost, 1); c <= maximum; ++c)
                for (const Cell& cell : state_->data.columns[static_cast<std::size_t>(c)].cells)
                    if (cell.hasContent()) return false;
        } else {
            for (const Column& column : state_->data.columns) {
                const auto from = std::lower_bound(column.rows.begin(), column.rows.end(), std::max(firstLost, 1));
                for (auto i = static_cast<std::size_t>(from - column.rows.begin()); i < column.rows.size(); ++i)
                    if (column.cells[i].hasContent()) return false;
            }
        }
    }
    std::function<int(int)> map;
    if (insert) map = [=](int x) { return x >= at ? (x + count <= maximum ? x + count : -1) : x; };
    else map = [=](int x) { return x < at ? x : (x > last ? x - count : -1); };

    if (columns) {
        std::vector<Column>& all = state_->data.columns;
        if (insert) {
            std::vector<Column> fresh(static_cast<std::size_t>(count));
            all.insert(all.begin() + at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
            all.resize(static_cast<std::size_t>(maximum) + 1);
        } else {
            all.erase(all.begin() + at, all.begin() + at + count);
            all.resize(static_cast<std::size_t>(maximum) + 1);
        }
    } else {
        for (Column& column : state_->data.columns) {
            std::vector<int> rows;
            std::vector<Cell> cells;
            rows.reserve(column.rows.size());
            cells.reserve(column.cells.size());
            for (std::size_t i = 0; i < column.rows.size(); ++i) {
                const int row = column.rows[i];
                const int to = row == 0 ? 0 : map(row);
                if (to < 0) continue;
                rows.push_back(to);
                cells.push_back(std::move(column.cells[i]));
            }
            column.rows.swap(rows);
            column.cells.swap(cells);
        }
    }
    // References follow their cells.
    std::vector<FormulaCell*> changed;
    for (Column& column : state_->data.columns)
        for (Cell& cell : column.cells)
            if (cell.formula) {
                Formula& formula = cell.formula->formula;
                const bool moved = insert ? adjustForInsert(formula, columns, at, count) : adjustForDelete(formula, columns, at, count);
                if (moved) changed.push_back(cell.formula.get());
            }
    remapSizes(columns ? state_->data.colWidths : state_->data.rowHeights, map);
    // Spans move with their cells, grow when rows are inserted inside them, shrink when rows are deleted.
    std::vector<detail::Span> spans;
    for (detail::Span span : state_->data.spans) {
        int& start = columns ? span.col : span.row;
        int& size = columns ? span.cols : span.rows;
        const int end = start + size - 1;
        if (insert) {
            if (start >= at) start += count;
            else if (end >= at) size += count;
            if (start + size - 1 > maximum) continue;
        } else {
            const int keptBefore = std::max(0, std::min(end, at - 1) - start + 1);
            const int keptAfter = std::max(0, end - std::max(start, last + 1) + 1);
            size = keptBefore + keptAfter;
            start = start < at ? start : (start > last ? start - count : at);
            if (size < 1) continue;
        }
        if (span.cols * span.rows > 1) spans.push_back(span);
    }
    state_->data.spans.swap(spans);
    int& active = columns ? state_->data.activeCol : state_->data.activeRow;
    const int newActive = map(active);
    active = std::clamp(newActive < 0 ? at : newActive, 1, std::max(1, maximum));
    state_->data.hasSelection = false;
    markChanged();
    notify([&](SheetObserver* o) {
        if (columns) insert ? o->columnsInserted(at, count) : o->columnsDeleted(at, count);
        else insert ? o->rowsInserted(at, count) : o->rowsDeleted(at, count);
    });
    if (changed.empty()) rebuildGraph();
    else recalcAfterStructureChange(changed);
    return true;
}

bool Sheet::insertRows(int at, int count) { return shiftCells(false, at, count, true); }
bool Sheet::deleteRows(int at, int count) { return shiftCells(false, at, count, false); }
bool Sheet::insertCols(int at, int count) { return shiftCells(true, at, count, true); }
bool Sheet::deleteCols(int at, int count) { return shiftCells(true, at, count, false); }

bool Sheet::renumber(bool columns, int first, int last, int destination) {
    const int maximum = columns ? state_->data.maxCols : state_->data.maxRows;
    if (structureLocked() || first < 1 || last < first || last > maximum || destination < 1) return false;
    const int n = last - first + 1;
    if (destination + n - 1 > maximum) return false;
    if (destination == first) return true;
    const std::function<int(int)> map = [=](int x) {
        if (x >= first && x <= last) return destination + (x - first);
        if (destination < first && x >= destination && x < first) return x + n;
        if (destination > first && x > last && x <= destination + n - 1) return x - n;
        return x;
    };
    if (columns) {
        std::vector<Column> moved(state_->data.columns.size());
        moved[0] = std::move(state_->data.columns[0]);
        for (int c = 1; c <= maximum; ++c) moved[static_cast<std::size_t>(map(c))] = std::move(state_->data.columns[static_cast<std::size_t>(c)]);
        state_->data.columns.swap(moved);
    } else {
        for (Column& column : state_->data.columns) {
            std::vector<std::size_t> order(column.rows.size());
            std::iota(order.begin(), order.end(), 0);
            for (int& row : column.rows)
                if (row > 0) row = map(row);
            std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return column.rows[a] < column.rows[b]; });
            std::vector<int> rows;
            std::vector<Cell> cells;
            for (const std::size_t i : order) {
                rows.push_back(column.rows[i]);
                cells.push_back(std::move(column.cells[i]));
            }
            column.rows.swap(rows);
            column.cells.swap(cells);
        }
    }
    std::vector<FormulaCell*> changed;
    for (Column& column : state_->data.columns)
        for (Cell& cell : column.cells)
            if (cell.formula && adjustForRenumber(cell.formula->formula, columns, map)) changed.push_back(cell.formula.get());
    remapSizes(columns ? state_->data.colWidths : state_->data.rowHeights, map);
    const int low = std::min(first, destination), high = std::max(last, destination + n - 1);
    std::vector<detail::Span> spans;
    for (detail::Span span : state_->data.spans) {
        int& start = columns ? span.col : span.row;
        const int size = columns ? span.cols : span.rows;
        if (start >= first && start + size - 1 <= last) start = map(start);
        else if (start + size - 1 >= low && start <= high) continue; // torn apart by the move
        spans.push_back(span);
    }
    state_->data.spans.swap(spans);
    int& active = columns ? state_->data.activeCol : state_->data.activeRow;
    active = map(active);
    state_->data.hasSelection = false;
    markChanged();
    notify([&](SheetObserver* o) {
        if (columns) o->columnsMoved(first, last, destination);
        else o->rowsMoved(first, last, destination);
    });
    // Formulas in moved rows read other cells now even when their tokens did not change.
    recalcAfterStructureChange({});
    (void)changed;
    return true;
}

bool Sheet::moveRows(int first, int last, int destination) { return renumber(false, first, last, destination); }
bool Sheet::moveCols(int first, int last, int destination) { return renumber(true, first, last, destination); }

bool Sheet::copyRange(int col1, int row1, int col2, int row2, int destCol, int destRow) {
    if (structureLocked() || !validBlock(col1, row1, col2, row2)) return false;
    destCol = normalizeIndex(destCol);
    destRow = normalizeIndex(destRow);
    const int dCol = destCol - col1, dRow = destRow - row1;
    if (!validCell(destCol, destRow) || !validCell(col2 + dCol, row2 + dRow)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    std::vector<CellCopy> copies;
    for (int c = col1; c <= col2; ++c) {
        const Column& column = state_->data.columns[static_cast<std::size_t>(c)];
        const auto from = std::lower_bound(column.rows.begin(), column.rows.end(), row1) - column.rows.begin();
        for (auto i = static_cast<std::size_t>(from); i < column.rows.size() && column.rows[i] <= row2; ++i)
            copies.push_back(copyOf(column.cells[i], c, column.rows[i]));
    }
    ++state_->batchDepth;
    // The destination block is emptied first, then the copies land.
    for (int c = destCol; c <= col2 + dCol; ++c)
        for (int r = destRow; r <= row2 + dRow; ++r)
            if (Cell* cell = findCell(c, r)) {
                const bool had = cell->hasContent();
                clearContent(*cell, c);
                cell->type = cell->format = 0;
                cell->locked = false;
                cell->tag.reset();
                dropIfBlank(c, r);
                if (had) state_->pending.push_back((static_cast<std::uint64_t>(c) << 32) | static_cast<std::uint32_t>(r));
            }
    for (CellCopy& copy : copies) {
        const int c = copy.col + dCol, r = copy.row + dRow;
        Cell& cell = cellAt(c, r);
        cell.type = copy.type;
        cell.format = copy.format;
        cell.locked = copy.locked;
        if (copy.hasTag) cell.tag = std::make_unique<Zrk_String>(copy.tag);
        if (copy.hasFormula && c >= 1 && r >= 1) {
            cell.kind = CellKind::Formula;
            cell.formula = std::make_unique<FormulaCell>();
            FormulaCell* formula = cell.formula.get();
            formula->formula = std::move(copy.formula);
            adjustForCopy(formula->formula, dCol, dRow);
            formula->result = copy.result;
            formula->col = c;
            formula->row = r;
            formula->dirty = true;
            ++state_->data.columns[static_cast<std::size_t>(c)].formulaCount;
            attachFormula(formula);
            linkFormula(formula);
        } else if (!copy.hasFormula) {
            cell.kind = copy.kind;
            cell.forcedText = copy.forcedText;
            cell.numericText = copy.numericText;
            cell.number = copy.number;
            cell.text = std::move(copy.text);
        }
        state_->pending.push_back((static_cast<std::uint64_t>(c) << 32) | static_cast<std::uint32_t>(r));
    }
    --state_->batchDepth;
    markChanged();
    notifyCells(destCol, destRow, col2 + dCol, row2 + dRow);
    processPending();
    return true;
}

bool Sheet::moveRange(int col1, int row1, int col2, int row2, int destCol, int destRow) {
    if (structureLocked() || !validBlock(col1, row1, col2, row2)) return false;
    destCol = normalizeIndex(destCol);
    destRow = normalizeIndex(destRow);
    const int dCol = destCol - col1, dRow = destRow - row1;
    if (!validCell(destCol, destRow) || !validCell(col2 + dCol, row2 + dRow)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    if (dCol == 0 && dRow == 0) return true;
    // Take the source cells out whole (formula state included), empty both blocks, put them back.
    struct Taken {
        int col, row;
        Cell cell;
    };
    std::vector<Taken> taken;
    for (int c = col1; c <= col2; ++c) {
        Column& column = state_->data.columns[static_cast<std::size_t>(c)];
        const auto from = std::lower_bound(column.rows.begin(), column.rows.end(), row1) - column.rows.begin();
        auto to = static_cast<std::size_t>(from);
        while (to < column.rows.size() && column.rows[to] <= row2) ++to;
        for (auto i = static_cast<std::size_t>(from); i < to; ++i) {
            if (column.cells[i].formula) --column.formulaCount;
            taken.push_back({c, column.rows[i], std::move(column.cells[i])});
        }
        column.rows.erase(column.rows.begin() + from, column.rows.begin() + static_cast<std::ptrdiff_t>(to));
        column.cells.erase(column.cells.begin() + from, column.cells.begin() + static_cast<std::ptrdiff_t>(to));
    }
    for (int c = destCol; c <= col2 + dCol; ++c) {
        Column& column = state_->data.columns[static_cast<std::size_t>(c)];
        const int first = destRow, lastRow = row2 + dRow;
        const auto from = std::lower_bound(column.rows.begin(), column.rows.end(), first) - column.rows.begin();
        auto to = static_cast<std::size_t>(from);
        while (to < column.rows.size() && column.rows[to] <= lastRow) ++to;
        for (auto i = static_cast<std::size_t>(from); i < to; ++i)
            if (column.cells[i].formula) --column.formulaCount;
        column.rows.erase(column.rows.begin() + from, column.rows.begin() + static_cast<std::ptrdiff_t>(to));
        column.cells.erase(column.cells.begin() + from, column.cells.begin() + static_cast<std::ptrdiff_t>(to));
    }
    for (Taken& item : taken) {
        const int c = item.col + dCol, r = item.row + dRow;
        if (item.cell.formula && (c < 1 || r < 1)) item.cell.formula.reset(), item.cell.kind = CellKind::Empty;
        Cell& cell = cellAt(c, r);
        cell = std::move(item.cell);
    }
    for (Column& column : state_->data.columns)
        for (Cell& cell : column.cells)
            if (cell.formula) adjustForMove(cell.formula->formula, col1, row1, col2, row2, dCol, dRow);
    markChanged();
    notifyCells(std::min(col1, destCol), std::min(row1, destRow), std::max(col2, col2 + dCol), std::max(row2, row2 + dRow));
    recalcAfterStructureChange({});
    return true;
}

// --- clipboard ----------------------------------------------------------------------------------

const Zrk_String& Sheet::clipboardText() { return clipboard(); }
void Sheet::setClipboardText(const Zrk_String& text) { clipboard() = text; }

Zrk_String Sheet::blockToText(int col1, int row1, int col2, int row2) const {
    if (!validBlock(col1, row1, col2, row2)) return Zrk_String();
    Zrk_String text;
    for (int r = row1; r <= row2; ++r) {
        for (int c = col1; c <= col2; ++c) {
            if (c > col1) text += '\t';
            Zrk_String field;
            getCellText(c, r, kTextData, field);
            if (field.find_first_of("\t\r\n\"") != Zrk_String::npos) {
                Zrk_String quoted = "\"";
                for (const char ch : field) {
                    quoted += ch;
                    if (ch == '"') quoted += '"';
                }
                field = quoted + "\"";
            }
            text += field;
        }
        text += "\r\n";
    }
    return text;
}

bool Sheet::textToBlock(int col, int row, const Zrk_String& text) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    ++state_->batchDepth;
    int c = col, r = row;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool any = false;
    while (i < n) {
        Zrk_String field;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            while (i < n && text[i] != '\t' && text[i] != '\n' && text[i] != '\r') field += text[i++];
        } else {
            while (i < n && text[i] != '\t' && text[i] != '\n' && text[i] != '\r') field += text[i++];
        }
        if (c <= state_->data.maxCols && r <= state_->data.maxRows) {
            setData(c, r, field);
            any = true;
        }
        if (i < n && text[i] == '\t') {
            ++c;
            ++i;
        } else if (i < n) {
            if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            ++i;
            c = col;
            ++r;
        }
    }
    --state_->batchDepth;
    processPending();
    return any || text.empty();
}

bool Sheet::clipboardCopy(int col1, int row1, int col2, int row2) const {
    if (!validBlock(col1, row1, col2, row2)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    clipboard() = blockToText(col1, row1, col2, row2);
    return true;
}

bool Sheet::clipboardCut(int col1, int row1, int col2, int row2) {
    if (!clipboardCopy(col1, row1, col2, row2)) return false;
    return clearData(col1, row1, col2, row2);
}

bool Sheet::clipboardPaste(int col, int row) { return textToBlock(col, row, clipboard()); }

} // namespace spreadlib
