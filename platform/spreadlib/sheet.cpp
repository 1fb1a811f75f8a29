// Sheet: storage, contents, types, looks, settings, geometry, selection and views.
#include "spreadlib/sheet.h"
#include "spreadlib/sheet_internal.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/text.h"
#include "spreadlib/cell_key.h"
#include "spreadlib/functions.h"
#include "spreadlib/number_format.h"

namespace spreadlib {

using detail::Cell;
using detail::CellKind;
using detail::Column;
using detail::FormulaCell;

namespace {

// Per-cell operations on blocks larger than this fail instead of creating billions of cells.
constexpr long long kMaxBlockCells = 1LL << 22;
constexpr double kPixelsPerWidthUnit = 8.0;
constexpr double kPixelsPerHeightUnit = 4.0 / 3.0;

void estimateText(const Zrk_String& text, const FontSpec& font, int& width, int& height) {
    int lines = 1, longest = 0, current = 0;
    for (const char c : text) {
        if (c == '\n') {
            ++lines;
            longest = std::max(longest, current);
            current = 0;
        } else {
            ++current;
        }
    }
    longest = std::max(longest, current);
    const double charWidth = font.height * (font.weight >= kFontWeightBold ? 0.62 : 0.55);
    width = static_cast<int>(std::lround(longest * charWidth)) + 6;
    height = static_cast<int>(std::lround(lines * font.height * 1.25)) + 4;
}
} // namespace

TextMeasurer defaultTextMeasurer() { return estimateText; }

namespace detail {

SheetData::SheetData() {
    columns.resize(static_cast<std::size_t>(maxCols) + 1);
    for (const int option : {kOptionRowHeaders, kOptionColumnHeaders, kOptionAutoCalc, kOptionHorizontalScrollBar,
                             kOptionVerticalScrollBar, kOptionEditing, kOptionGridLines, kOptionMoveActiveOnEnter,
                             kOptionProcessTab, kOptionNoBeep})
        options[option] = true;
}

bool isDocumentOption(int option) {
    switch (option) {
    case kOptionRowHeaders:
    case kOptionColumnHeaders:
    case kOptionHorizontalScrollBar:
    case kOptionVerticalScrollBar:
    case kOptionGridLines:
    case kOptionCellOverflow: return true;
    default: return false;
    }
}

} // namespace detail

// --- storage ----------------------------------------------------------------------------------------

bool Sheet::validCell(int col, int row) const {
    return col >= 0 && row >= 0 && col <= state_->data.maxCols && row <= state_->data.maxRows;
}

bool Sheet::validBlock(int& col1, int& row1, int& col2, int& row2) const {
    col1 = normalizeIndex(col1);
    row1 = normalizeIndex(row1);
    col2 = normalizeIndex(col2);
    row2 = normalizeIndex(row2);
    if (col1 > col2) std::swap(col1, col2);
    if (row1 > row2) std::swap(row1, row2);
    return validCell(col1, row1) && validCell(col2, row2);
}

Cell* Sheet::findCell(int col, int row) {
    if (col < 0 || col >= static_cast<int>(state_->data.columns.size())) return nullptr;
    Column& column = state_->data.columns[static_cast<std::size_t>(col)];
    const std::size_t size = column.rows.size();
    for (std::size_t i = column.hint; i < size && i < column.hint + 2; ++i)
        if (column.rows[i] == row) {
            column.hint = i;
            return &column.cells[i];
        }
    const auto it = std::lower_bound(column.rows.begin(), column.rows.end(), row);
    column.hint = static_cast<std::size_t>(it - column.rows.begin());
    if (it == column.rows.end() || *it != row) return nullptr;
    return &column.cells[static_cast<std::size_t>(it - column.rows.begin())];
}

const Cell* Sheet::findCell(int col, int row) const { return const_cast<Sheet*>(this)->findCell(col, row); }

Cell& Sheet::cellAt(int col, int row) {
    Column& column = state_->data.columns[static_cast<std::size_t>(col)];
    // Appending in row order is the common case (filling, loading).
    if (column.rows.empty() || column.rows.back() < row) {
        column.rows.push_back(row);
        column.cells.emplace_back();
        return column.cells.back();
    }
    const auto it = std::lower_bound(column.rows.begin(), column.rows.end(), row);
    const auto index = it - column.rows.begin();
    if (it != column.rows.end() && *it == row) return column.cells[static_cast<std::size_t>(index)];
    column.rows.insert(it, row);
    return *column.cells.emplace(column.cells.begin() + index);
}

void Sheet::dropIfBlank(int col, int row) {
    Column& column = state_->data.columns[static_cast<std::size_t>(col)];
    const auto it = std::lower_bound(column.rows.begin(), column.rows.end(), row);
    if (it == column.rows.end() || *it != row) return;
    const auto index = it - column.rows.begin();
    if (!column.cells[static_cast<std::size_t>(index)].isBlank()) return;
    column.rows.erase(it);
    column.cells.erase(column.cells.begin() + index);
}

void Sheet::forEachCellIn(int col1, int row1, int col2, int row2, const std::function<void(int, int, Cell&)>& fn) {
    for (int c = col1; c <= col2; ++c)
        for (int r = row1; r <= row2; ++r) fn(c, r, cellAt(c, r));
}

std::uint32_t Sheet::internType(const CellType& type) {
    for (std::size_t i = 0; i < state_->data.types.size(); ++i)
        if (state_->data.types[i] == type) return static_cast<std::uint32_t>(i);
    state_->data.types.push_back(type);
    return static_cast<std::uint32_t>(state_->data.types.size() - 1);
}

std::uint32_t Sheet::internFormat(const CellFormat& format) {
    for (std::size_t i = 0; i < state_->data.formats.size(); ++i)
        if (state_->data.formats[i] == format) return static_cast<std::uint32_t>(i);
    state_->data.formats.push_back(format);
    return static_cast<std::uint32_t>(state_->data.formats.size() - 1);
}

void Sheet::markChanged() {
    if (state_->data.options[kOptionChanged]) return;
    state_->data.options[kOptionChanged] = true;
    notify([](SheetObserver* o) { o->optionChanged(kOptionChanged, true); });
}

void Sheet::notifyCells(int col1, int row1, int col2, int row2) {
    if (state_->observers.empty()) return;
    notify([&](SheetObserver* o) { o->cellsChanged(col1, row1, col2, row2); });
}

bool Sheet::structureLocked() const { return state_->evalDepth > 0; }

void Sheet::clearContent(Cell& cell, int col) {
    if (cell.formula) {
        FormulaCell* formula = cell.formula.get();
        unlinkFormula(formula);
        // Its readers now read a cell without a formula: the sheet keeps their list by position.
        if (!formula->dependents.empty()) {
            std::vector<FormulaCell*>& list = state_->cellListeners.get(cellKey(col, formula->row));
            list.insert(list.end(), formula->dependents.begin(), formula->dependents.end());
            formula->dependents.clear();
        }
        retireFormula(std::move(cell.formula));
        --state_->data.columns[static_cast<std::size_t>(col)].formulaCount;
    }
    cell.kind = CellKind::Empty;
    cell.text.clear();
    cell.text.shrink_to_fit();
    cell.number = 0.0;
    cell.numericText = false;
    cell.forcedText = false;
}

void Sheet::convertForType(Cell& cell, const CellType& type) {
    const int decimals = type.roundingDecimals();
    if (decimals < 0) return;
    double value = 0.0;
    if (cell.kind == CellKind::Text && !cell.forcedText && cell.numericText) value = cell.number;
    else if (cell.kind == CellKind::Number) value = cell.number;
    else return;
    value = roundHalfAway(value, decimals);
    const bool limited = type.minValue != 0.0 || type.maxValue != 0.0;
    if (limited && (value < type.minValue || value > type.maxValue)) return; // keeps what it held
    cell.kind = CellKind::Number;
    cell.number = value;
    cell.text.clear();
    cell.numericText = false;
}

bool Sheet::writeText(int col, int row, const Zrk_String& text, bool forceText) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row) || text.size() > static_cast<std::size_t>(kMaxCellTextLength)) return false;
    Cell* existing = findCell(col, row);
    if (text.empty()) {
        if (!existing || !existing->hasContent()) return true;
        clearContent(*existing, col);
        dropIfBlank(col, row);
    } else {
        const CellType& type = state_->data.types[existing ? existing->type : 0];
        if (type.isNumeric() && !forceText) {
            double value = 0.0;
            if (!parseNumber(text, value)) return false;
            value = roundHalfAway(value, type.roundingDecimals());
            const bool limited = type.minValue != 0.0 || type.maxValue != 0.0;
            if (limited && (value < type.minValue || value > type.maxValue)) return false;
            // Writing what the cell holds already changes nothing (and wakes no formula).
            if (existing && existing->kind == CellKind::Number && existing->number == value) return true;
            Cell& cell = existing ? *existing : cellAt(col, row);
            clearContent(cell, col);
            cell.kind = CellKind::Number;
            cell.number = value == 0.0 ? 0.0 : value;
        } else {
            if (existing && existing->kind == CellKind::Text && existing->text == text && existing->forcedText == forceText)
                return true;
            Cell& cell = existing ? *existing : cellAt(col, row);
            clearContent(cell, col);
            cell.kind = CellKind::Text;
            cell.text = text;
            cell.forcedText = forceText;
            double value = 0.0;
            cell.numericText = !forceText && parseNumber(text, value);
            cell.number = cell.numericText ? value : 0.0;
        }
    }
    markChanged();
    notifyCells(col, row, col, row);
    cellChanged(col, row);
    return true;
}

// --- contents -----------------------------------------------------------------------------------------

bool Sheet::setData(int col, int row, const Zrk_String& text, bool forceText) { return writeText(col, row, text, forceText); }

bool Sheet::setValue(int col, int row, const Zrk_String& text) { return writeText(col, row, text, false); }

Zrk_String Sheet::valueText(const Cell& cell) const {
    const CellType& type = state_->data.types[cell.type];
    auto number = [&](double value) {
        return type.isNumeric() ? formatFixed(value, type.roundingDecimals(), type.separator) : formatGeneral(value);
    };
    switch (cell.kind) {
    case CellKind::Empty: return Zrk_String();
    case CellKind::Text: return cell.text;
    case CellKind::Number: return number(cell.number);
    case CellKind::Formula: {
        const Value& v = cell.formula->result;
        switch (v.kind) {
        case ValueKind::Number: return number(v.number);
        case ValueKind::Bool: return v.number != 0.0 ? "TRUE" : "FALSE";
        case ValueKind::Text: return v.text;
        case ValueKind::Error: return errorText(v.error);
        default: return Zrk_String();
        }
    }
    }
    return Zrk_String();
}

Zrk_String Sheet::dataText(const Cell& cell) const {
    switch (cell.kind) {
    case CellKind::Empty: return Zrk_String();
    case CellKind::Text: return cell.text;
    case CellKind::Number: return formatGeneral(cell.number);
    case CellKind::Formula: {
        const Value& v = cell.formula->result;
        Zrk_String text;
        ErrorCode error = ErrorCode::None;
        if (v.kind == ValueKind::Error) return errorText(v.error);
        toText(v, text, error);
        return text;
    }
    }
    return Zrk_String();
}

bool Sheet::getData(int col, int row, Zrk_String& text) const { return getCellText(col, row, kTextData, text); }
bool Sheet::getFormula(int col, int row, Zrk_String& text) const { return getCellText(col, row, kTextFormula, text); }
bool Sheet::getValue(int col, int row, Zrk_String& text) const { return getCellText(col, row, kTextValue, text); }

bool Sheet::getCellText(int col, int row, int kind, Zrk_String& text) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row) || kind < kTextData || kind > kTextValue) return false;
    text.clear();
    const Cell* cell = findCell(col, row);
    if (!cell) return true;
    switch (kind) {
    case kTextData: text = dataText(*cell); break;
    case kTextFormula:
        if (cell->formula)
            text = printFormula(cell->formula->formula, state_->data.referenceStyle == kRefStyleR1C1, col, row,
                                functionResolver());
        break;
    case kTextTag:
        if (cell->tag) text = *cell->tag;
        break;
    default: text = valueText(*cell); break;
    }
    return true;
}

bool Sheet::SSGetCellTag(int col, int row, Zrk_String& tag) const { return getCellText(col, row, kTextTag, tag); }

bool Sheet::SSSetCellTag(int col, int row, const Zrk_String& tag) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row) || tag.size() > static_cast<std::size_t>(kMaxCellTextLength)) return false;
    if (tag.empty()) {
        if (Cell* cell = findCell(col, row)) {
            cell->tag.reset();
            dropIfBlank(col, row);
        }
    } else {
        Cell& cell = cellAt(col, row);
        if (cell.tag) *cell.tag = tag;
        else cell.tag = std::make_unique<Zrk_String>(tag);
    }
    markChanged();
    return true;
}

bool Sheet::getFloat(int col, int row, double& value) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    const Cell* cell = findCell(col, row);
    if (!cell) return false;
    switch (cell->kind) {
    case CellKind::Number: value = cell->number; return true;
    case CellKind::Text:
        if (!cell->numericText || cell->forcedText) return false;
        value = cell->number;
        return true;
    case CellKind::Formula:
        if (cell->formula->result.kind != ValueKind::Number && cell->formula->result.kind != ValueKind::Bool) return false;
        value = cell->formula->result.number;
        return true;
    default: return false;
    }
}

bool Sheet::clearData(int col1, int row1, int col2, int row2) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    ++state_->batchDepth;
    for (int c = col1; c <= col2; ++c) {
        Column& column = state_->data.columns[static_cast<std::size_t>(c)];
        const auto first = std::lower_bound(column.rows.begin(), column.rows.end(), row1) - column.rows.begin();
        for (auto i = static_cast<std::size_t>(first); i < column.rows.size() && column.rows[i] <= row2; ++i) {
            Cell& cell = column.cells[i];
            if (!cell.hasContent()) continue;
            clearContent(cell, c);
            state_->pending.push_back((static_cast<std::uint64_t>(c) << 32) | static_cast<std::uint32_t>(column.rows[i]));
        }
    }
    --state_->batchDepth;
    markChanged();
    notifyCells(col1, row1, col2, row2);
    processPending();
    return true;
}

// --- types --------------------------------------------------------------------------------------------

bool Sheet::setCellType(int col1, int row1, int col2, int row2, const CellType& type) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    const std::uint32_t index = internType(type);
    ++state_->batchDepth;
    forEachCellIn(col1, row1, col2, row2, [&](int c, int r, Cell& cell) {
        cell.type = index;
        if (cell.kind == CellKind::Text || cell.kind == CellKind::Number) {
            const CellKind before = cell.kind;
            const double number = cell.number;
            convertForType(cell, type);
            if (cell.kind != before || cell.number != number)
                state_->pending.push_back((static_cast<std::uint64_t>(c) << 32) | static_cast<std::uint32_t>(r));
        }
    });
    --state_->batchDepth;
    markChanged();
    notifyCells(col1, row1, col2, row2);
    processPending();
    return true;
}

bool Sheet::SSSetTypeNumber(int col1, int row1, int col2, int row2, std::uint32_t style, int decimals, double minValue,
                            double maxValue, bool separator) {
    return setCellType(col1, row1, col2, row2, CellType::number(style, decimals, minValue, maxValue, separator));
}

bool Sheet::getCellType(int col, int row, CellType& type) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    const Cell* cell = findCell(col, row);
    type = state_->data.types[cell ? cell->type : 0];
    return true;
}

int Sheet::getCellTypeCode(int col, int row) const {
    CellType type;
    return getCellType(col, row, type) ? type.code : -1;
}

// --- locks and spans ----------------------------------------------------------------------------------

bool Sheet::setLock(int col1, int row1, int col2, int row2, bool locked) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    if (locked) {
        forEachCellIn(col1, row1, col2, row2, [](int, int, Cell& cell) { cell.locked = true; });
    } else {
        for (int c = col1; c <= col2; ++c)
            for (int r = row1; r <= row2; ++r)
                if (Cell* cell = findCell(c, r)) {
                    cell->locked = false;
                    dropIfBlank(c, r);
                }
    }
    markChanged();
    notifyCells(col1, row1, col2, row2);
    return true;
}

bool Sheet::getLock(int col, int row) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    const Cell* cell = validCell(col, row) ? findCell(col, row) : nullptr;
    return cell && cell->locked;
}

bool Sheet::SSAddCellSpan(int col, int row, int numCols, int numRows) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (numCols < 1 || numRows < 1 || !validCell(col, row)) return false;
    if (static_cast<long long>(col) + numCols - 1 > state_->data.maxCols || static_cast<long long>(row) + numRows - 1 > state_->data.maxRows)
        return false;
    const detail::Span span{col, row, numCols, numRows};
    for (const detail::Span& other : state_->data.spans)
        if (other.col < span.col + span.cols && span.col < other.col + other.cols && other.row < span.row + span.rows &&
            span.row < other.row + other.rows)
            return false;
    if (numCols == 1 && numRows == 1) return true; // a single cell is no span
    state_->data.spans.push_back(span);
    markChanged();
    notify([](SheetObserver* o) { o->spansChanged(); });
    return true;
}

bool Sheet::SSRemoveCellSpan(int col, int row) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    for (auto it = state_->data.spans.begin(); it != state_->data.spans.end(); ++it)
        if (it->contains(col, row)) {
            state_->data.spans.erase(it);
            markChanged();
            notify([](SheetObserver* o) { o->spansChanged(); });
            return true;
        }
    return false;
}

bool Sheet::SSGetCellSpan(int col, int row, int& anchorCol, int& anchorRow, int& numCols, int& numRows) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    for (const detail::Span& span : state_->data.spans)
        if (span.contains(col, row)) {
            anchorCol = span.col;
            anchorRow = span.row;
            numCols = span.cols;
            numRows = span.rows;
            return true;
        }
    return false;
}

// --- looks --------------------------------------------------------------------------------------------

namespace {
template <typename Change>
bool changeFormats(Sheet&, std::vector<CellFormat>& formats, int col1, int row1, int col2, int row2,
                   const std::function<void(int, int, const std::function<void(Cell&)>&)>& forCell, Change change) {
    std::unordered_map<std::uint32_t, std::uint32_t> memo;
    auto intern = [&](const CellFormat& format) {
        for (std::size_t i = 0; i < formats.size(); ++i)
            if (formats[i] == format) return static_cast<std::uint32_t>(i);
        formats.push_back(format);
        return static_cast<std::uint32_t>(formats.size() - 1);
    };
    for (int c = col1; c <= col2; ++c)
        for (int r = row1; r <= row2; ++r)
            forCell(c, r, [&](Cell& cell) {
                // The same change of the same format gives the same format: look it up once.
                const std::uint64_t key = cell.format;
                CellFormat format = formats[cell.format];
                change(c, r, format);
                const auto found = memo.find(static_cast<std::uint32_t>(key));
                if (found != memo.end() && formats[found->second] == format) {
                    cell.format = found->second;
                } else {
                    const std::uint32_t index = intern(format);
                    memo[static_cast<std::uint32_t>(key)] = index;
                    cell.format = index;
                }
            });
    return true;
}
} // namespace

bool Sheet::setFont(int col1, int row1, int col2, int row2, const FontSpec& font) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    changeFormats(*this, state_->data.formats, col1, row1, col2, row2,
                  [this](int c, int r, const std::function<void(Cell&)>& fn) { fn(cellAt(c, r)); },
                  [&](int, int, CellFormat& format) {
                      format.hasFont = true;
                      format.font = font;
                  });
    markChanged();
    notifyCells(col1, row1, col2, row2);
    return true;
}

bool Sheet::getFont(int col, int row, FontSpec& font) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    const Cell* cell = findCell(col, row);
    const CellFormat& format = state_->data.formats[cell ? cell->format : 0];
    font = format.hasFont ? format.font : state_->data.defaultFont;
    return true;
}

bool Sheet::setColor(int col1, int row1, int col2, int row2, Color back, Color fore) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    changeFormats(*this, state_->data.formats, col1, row1, col2, row2,
                  [this](int c, int r, const std::function<void(Cell&)>& fn) { fn(cellAt(c, r)); },
                  [&](int, int, CellFormat& format) {
                      format.backColor = back;
                      format.foreColor = fore;
                  });
    markChanged();
    notifyCells(col1, row1, col2, row2);
    return true;
}

bool Sheet::getColor(int col, int row, Color& back, Color& fore) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    const Cell* cell = findCell(col, row);
    const CellFormat& format = state_->data.formats[cell ? cell->format : 0];
    back = format.backColor;
    fore = format.foreColor;
    return true;
}

bool Sheet::setBorder(int col1, int row1, int col2, int row2, int type, int style, Color color) {
    if (!validBlock(col1, row1, col2, row2) || type < 0 || type > kBorderAll || style < 0 || style > kBorderStyleFine)
        return false;
    if (static_cast<long long>(col2 - col1 + 1) * (row2 - row1 + 1) > kMaxBlockCells) return false;
    const bool outline = type & kBorderOutline;
    const BorderSide side{type == kBorderNone ? kBorderStyleNone : style, color};
    changeFormats(*this, state_->data.formats, col1, row1, col2, row2,
                  [this](int c, int r, const std::function<void(Cell&)>& fn) { fn(cellAt(c, r)); },
                  [&](int c, int r, CellFormat& format) {
                      if (type == kBorderNone) {
                          format.border = Border();
                          return;
                      }
                      if ((type & kBorderLeft) && (!outline || c == col1)) format.border.left = side;
                      if ((type & kBorderRight) && (!outline || c == col2)) format.border.right = side;
                      if ((type & kBorderTop) && (!outline || r == row1)) format.border.top = side;
                      if ((type & kBorderBottom) && (!outline || r == row2)) format.border.bottom = side;
                  });
    markChanged();
    notifyCells(col1, row1, col2, row2);
    return true;
}

bool Sheet::getBorder(int col, int row, Border& border) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    const Cell* cell = findCell(col, row);
    border = state_->data.formats[cell ? cell->format : 0].border;
    return true;
}

void Sheet::setDefaultFont(const FontSpec& font) {
    state_->data.defaultFont = font;
    markChanged();
    notify([](SheetObserver* o) { o->lookChanged(); });
}

#define SS_LOOK_SETTER(body)                                                                                           \
    body;                                                                                                              \
    notify([](SheetObserver* o) { o->lookChanged(); })

void Sheet::SSSetAppearance(int appearance) { SS_LOOK_SETTER(state_->data.appearance = appearance); }
void Sheet::SSSetBackColorStyle(int style) { SS_LOOK_SETTER(state_->data.backColorStyle = style); }
void Sheet::SSSetSelColor(Color back, Color fore) { SS_LOOK_SETTER(state_->data.selBack = back; state_->data.selFore = fore); }
void Sheet::getSelColor(Color& back, Color& fore) const {
    back = state_->data.selBack;
    fore = state_->data.selFore;
}
void Sheet::SSSetCellNoteIndicator(int indicator) { SS_LOOK_SETTER(state_->data.noteIndicator = indicator); }
void Sheet::setGrayAreaColor(Color back, Color fore) { SS_LOOK_SETTER(state_->data.grayBack = back; state_->data.grayFore = fore); }
void Sheet::getGrayAreaColor(Color& back, Color& fore) const {
    back = state_->data.grayBack;
    fore = state_->data.grayFore;
}
void Sheet::setShadowColor(Color back, Color fore) { SS_LOOK_SETTER(state_->data.shadowBack = back; state_->data.shadowFore = fore); }
void Sheet::getShadowColor(Color& back, Color& fore) const {
    back = state_->data.shadowBack;
    fore = state_->data.shadowFore;
}
void Sheet::setGridType(int type) { SS_LOOK_SETTER(state_->data.gridType = type); }
void Sheet::setGridColor(Color color) { SS_LOOK_SETTER(state_->data.gridColor = color); }
void Sheet::SSSetTextTip(const TextTipSettings& tip) { SS_LOOK_SETTER(state_->data.textTip = tip); }
void Sheet::SSGetTextTip(TextTipSettings& tip) const { tip = state_->data.textTip; }

#undef SS_LOOK_SETTER

// --- options and modes --------------------------------------------------------------------------------

bool Sheet::setBool(int option, bool on) {
    if (option < 0 || option >= kOptionCount) return false;
    const bool before = state_->data.options[option];
    state_->data.options[option] = on;
    if (before == on) return true;
    notify([&](SheetObserver* o) { o->optionChanged(option, on); });
    // Switching automatic recalculation on brings every waiting formula up to date.
    if (option == kOptionAutoCalc && on && state_->evalDepth == 0) {
        std::vector<FormulaCell*> nodes;
        const std::uint32_t mark = ++state_->epoch;
        for (Column& column : state_->data.columns) {
            if (column.formulaCount == 0) continue;
            for (Cell& cell : column.cells)
                if (cell.formula && cell.formula->dirty) {
                    cell.formula->mark = mark;
                    nodes.push_back(cell.formula.get());
                }
        }
        evaluateSet(nodes);
    }
    return true;
}

bool Sheet::getBool(int option) const { return option >= 0 && option < kOptionCount && state_->data.options[option]; }

bool Sheet::setOperationMode(int mode) {
    if (mode < kModeNormal || mode > kModeExtendedSelect) return false;
    state_->data.operationMode = mode;
    notify([](SheetObserver* o) { o->lookChanged(); });
    return true;
}

bool Sheet::SSSetRefStyle(int style) {
    if (style < kRefStyleDefault || style > kRefStyleR1C1) return false;
    state_->data.referenceStyle = style;
    notify([](SheetObserver* o) { o->lookChanged(); });
    return true;
}

bool Sheet::SSSetActionKey(int action, int shift, int key) {
    if (action < 0 || action >= static_cast<int>(std::size(state_->actionKeys))) return false;
    state_->actionKeys[action] = ActionKey{shift, key};
    return true;
}

bool Sheet::getActionKey(int action, ActionKey& key) const {
    if (action < 0 || action >= static_cast<int>(std::size(state_->actionKeys))) return false;
    key = state_->actionKeys[action];
    return true;
}

// --- settings read back -----------------------------------------------------------------------------

int Sheet::getMaxCols() const { return state_->data.maxCols; }
int Sheet::getMaxRows() const { return state_->data.maxRows; }
const FontSpec& Sheet::getDefaultFont() const { return state_->data.defaultFont; }
int Sheet::getAppearance() const { return state_->data.appearance; }
int Sheet::getBackColorStyle() const { return state_->data.backColorStyle; }
int Sheet::getCellNoteIndicator() const { return state_->data.noteIndicator; }
int Sheet::getGridType() const { return state_->data.gridType; }
Color Sheet::getGridColor() const { return state_->data.gridColor; }
int Sheet::getOperationMode() const { return state_->data.operationMode; }
int Sheet::getRefStyle() const { return state_->data.referenceStyle; }
bool Sheet::getRedraw() const { return state_->redraw; }
bool Sheet::getEditMode() const { return state_->editMode; }
bool Sheet::errorTracing() const { return state_->errorTracing; }
const std::vector<Span>& Sheet::getSpans() const { return state_->data.spans; }
double Sheet::getDefaultColWidthInPixels() const { return state_->data.defaultColWidth; }
double Sheet::getDefaultRowHeightInPixels() const { return state_->data.defaultRowHeight; }
const std::map<int, double>& Sheet::getColWidthsInPixels() const { return state_->data.colWidths; }
const std::map<int, double>& Sheet::getRowHeightsInPixels() const { return state_->data.rowHeights; }

void Sheet::resetData() {
    state_->cellListeners.clear();
    state_->rangeListeners.clear();
    state_->freeRangeListeners.clear();
    state_->rangesByColumn.clear();
    state_->wideRanges.clear();
    state_->volatiles.clear();
    state_->pending.clear();
    state_->data = detail::SheetData();
}

bool Sheet::SSReset() {
    if (structureLocked()) return false;
    notify([](SheetObserver* o) { o->sheetAboutToReset(); });
    resetData();
    for (ActionKey& key : state_->actionKeys) key = ActionKey();
    state_->editMode = false;
    state_->editSelStart = state_->editSelEnd = 0;
    notify([](SheetObserver* o) { o->sheetReset(); });
    return true;
}

void Sheet::setRedraw(bool on) {
    const bool before = state_->redraw;
    state_->redraw = on;
    if (on && !before) notify([](SheetObserver* o) { o->redrawEnabled(); });
}

// --- counts -------------------------------------------------------------------------------------------

bool Sheet::setMaxCols(int count) {
    if (count < 0 || count > kMaxColumnCount || structureLocked()) return false;
    if (count == state_->data.maxCols) return true;
    const int oldCols = state_->data.maxCols;
    notify([&](SheetObserver* o) { o->countsAboutToChange(oldCols, state_->data.maxRows, count, state_->data.maxRows); });
    std::vector<FormulaCell*> none;
    if (count < oldCols) {
        for (int c = count + 1; c <= oldCols; ++c)
            for (Cell& cell : state_->data.columns[static_cast<std::size_t>(c)].cells)
                if (cell.formula) unlinkFormula(cell.formula.get());
        state_->data.columns.resize(static_cast<std::size_t>(count) + 1);
        state_->data.colWidths.erase(state_->data.colWidths.upper_bound(count), state_->data.colWidths.end());
        std::erase_if(state_->data.spans, [&](const detail::Span& s) { return s.col + s.cols - 1 > count; });
    } else {
        state_->data.columns.resize(static_cast<std::size_t>(count) + 1);
    }
    state_->data.maxCols = count;
    markChanged();
    notify([&](SheetObserver* o) { o->countsChanged(state_->data.maxCols, state_->data.maxRows); });
    // Formulas that read the removed cells now read empty cells.
    if (count < oldCols) recalcAfterStructureChange(none);
    return true;
}

bool Sheet::setMaxRows(int count) {
    if (count < 0 || count > kMaxRowCount || structureLocked()) return false;
    if (count == state_->data.maxRows) return true;
    const int oldRows = state_->data.maxRows;
    notify([&](SheetObserver* o) { o->countsAboutToChange(state_->data.maxCols, oldRows, state_->data.maxCols, count); });
    if (count < oldRows) {
        for (std::size_t c = 0; c < state_->data.columns.size(); ++c) {
            Column& column = state_->data.columns[c];
            const auto first = std::upper_bound(column.rows.begin(), column.rows.end(), count) - column.rows.begin();
            for (auto i = static_cast<std::size_t>(first); i < column.cells.size(); ++i)
                if (column.cells[i].formula) {
                    unlinkFormula(column.cells[i].formula.get());
                    --column.formulaCount;
                }
            column.rows.resize(static_cast<std::size_t>(first));
            column.cells.resize(static_cast<std::size_t>(first));
        }
        state_->data.rowHeights.erase(state_->data.rowHeights.upper_bound(count), state_->data.rowHeights.end());
        std::erase_if(state_->data.spans, [&](const detail::Span& s) { return s.row + s.rows - 1 > count; });
    }
    state_->data.maxRows = count;
    markChanged();
    notify([&](SheetObserver* o) { o->countsChanged(state_->data.maxCols, state_->data.maxRows); });
    if (count < oldRows) {
        std::vector<FormulaCell*> none;
        recalcAfterStructureChange(none);
    }
    return true;
}

// --- geometry -----------------------------------------------------------------------------------------

bool Sheet::setColWidthInPixels(int col, int pixels) { return setColWidth(col, pixels / kPixelsPerWidthUnit); }

bool Sheet::setColWidth(int col, double units) {
    col = normalizeIndex(col);
    if (col < 0 || col > state_->data.maxCols || !(units >= 0.0) || units > 100000.0) return false;
    state_->data.colWidths[col] = units * kPixelsPerWidthUnit;
    markChanged();
    notify([](SheetObserver* o) { o->sizesChanged(); });
    return true;
}

bool Sheet::getColWidth(int col, double& units) const {
    col = normalizeIndex(col);
    if (col < 0 || col > state_->data.maxCols) return false;
    const auto it = state_->data.colWidths.find(col);
    units = (it == state_->data.colWidths.end() ? state_->data.defaultColWidth : it->second) / kPixelsPerWidthUnit;
    return true;
}

bool Sheet::getColWidthInPixels(int col, int& pixels) const {
    double units = 0.0;
    if (!getColWidth(col, units)) return false;
    pixels = static_cast<int>(std::lround(units * kPixelsPerWidthUnit));
    return true;
}

bool Sheet::setRowHeightInPixels(int row, int pixels) { return setRowHeight(row, pixels / kPixelsPerHeightUnit); }

bool Sheet::setRowHeight(int row, double units) {
    row = normalizeIndex(row);
    if (row < 0 || row > state_->data.maxRows || !(units >= 0.0) || units > 100000.0) return false;
    state_->data.rowHeights[row] = units * kPixelsPerHeightUnit;
    markChanged();
    notify([](SheetObserver* o) { o->sizesChanged(); });
    return true;
}

bool Sheet::getRowHeight(int row, double& units) const {
    row = normalizeIndex(row);
    if (row < 0 || row > state_->data.maxRows) return false;
    const auto it = state_->data.rowHeights.find(row);
    units = (it == state_->data.rowHeights.end() ? state_->data.defaultRowHeight : it->second) / kPixelsPerHeightUnit;
    return true;
}

bool Sheet::getRowHeightInPixels(int row, int& pixels) const {
    double units = 0.0;
    if (!getRowHeight(row, units)) return false;
    pixels = static_cast<int>(std::lround(units * kPixelsPerHeightUnit));
    return true;
}

void Sheet::setTextMeasurer(TextMeasurer measurer) { state_->measurer = measurer ? std::move(measurer) : estimateText; }

bool Sheet::getMaxTextCellSize(int col, int row, int& width, int& height) const {
    CellDisplay display;
    if (!getDisplay(col, row, display)) return false;
    state_->measurer(display.text, display.font, width, height);
    return true;
}

bool Sheet::getMaxTextColWidth(int col, int& width, bool skipPictures) const {
    col = normalizeIndex(col);
    if (col < 0 || col > state_->data.maxCols) return false;
    width = 0;
    auto measure = [&](int row) {
        CellDisplay display;
        if (!getDisplay(col, row, display) || (skipPictures && display.type.code == kTypePicture)) return;
        int w = 0, h = 0;
        state_->measurer(display.text, display.font, w, h);
        width = std::max(width, w);
    };
    measure(0); // the header, which shows its letters when it has no text
    const Column& column = state_->data.columns[static_cast<std::size_t>(col)];
    for (const int row : column.rows)
        if (row > 0) measure(row);
    return true;
}

bool Sheet::getMaxTextRowHeight(int row, int& height, bool skipPictures) const {
    row = normalizeIndex(row);
    if (row < 0 || row > state_->data.maxRows) return false;
    height = 0;
    for (int col = 0; col <= state_->data.maxCols; ++col) {
        if (col > 0 && !findCell(col, row)) continue;
        CellDisplay display;
        if (!getDisplay(col, row, display) || (skipPictures && display.type.code == kTypePicture)) continue;
        int w = 0, h = 0;
        state_->measurer(display.text, display.font, w, h);
        height = std::max(height, h);
    }
    return true;
}

// --- active cell, selection, editing --------------------------------------------------------------

bool Sheet::setActiveCell(int col, int row) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (col < 1 || row < 1 || col > state_->data.maxCols || row > state_->data.maxRows) return false;
    state_->data.activeCol = col;
    state_->data.activeRow = row;
    notify([&](SheetObserver* o) { o->activeCellChanged(col, row); });
    return true;
}

void Sheet::getActiveCell(int& col, int& row) const {
    col = state_->data.activeCol;
    row = state_->data.activeRow;
}

bool Sheet::setSelBlock(int col1, int row1, int col2, int row2) {
    // -1 stands for "to the last column (row)" in an open-ended selection of whole rows (columns).
    auto valid = [](int v, int maximum) { return v == -1 || (v >= 0 && v <= maximum); };
    col1 = normalizeIndex(col1);
    row1 = normalizeIndex(row1);
    col2 = normalizeIndex(col2);
    row2 = normalizeIndex(row2);
    if (!valid(col1, state_->data.maxCols) || !valid(col2, state_->data.maxCols) || !valid(row1, state_->data.maxRows) ||
        !valid(row2, state_->data.maxRows))
        return false;
    state_->data.hasSelection = true;
    state_->data.selCol1 = col1;
    state_->data.selRow1 = row1;
    state_->data.selCol2 = col2;
    state_->data.selRow2 = row2;
    notify([](SheetObserver* o) { o->selectionChanged(); });
    return true;
}

bool Sheet::getSelBlock(int& col1, int& row1, int& col2, int& row2) const {
    if (!state_->data.hasSelection) return false;
    col1 = state_->data.selCol1;
    row1 = state_->data.selRow1;
    col2 = state_->data.selCol2;
    row2 = state_->data.selRow2;
    return true;
}

void Sheet::clearSelection() {
    state_->data.hasSelection = false;
    notify([](SheetObserver* o) { o->selectionChanged(); });
}

void Sheet::setEditMode(bool editing) {
    if (state_->editMode == editing) return;
    state_->editMode = editing;
    notify([&](SheetObserver* o) { o->editModeChanged(editing); });
}

void Sheet::setEditSel(int start, int end) {
    state_->editSelStart = std::max(0, start);
    state_->editSelEnd = std::max(state_->editSelStart, end);
}

void Sheet::getEditSel(int& start, int& end) const {
    start = state_->editSelStart;
    end = state_->editSelEnd;
}

// --- views --------------------------------------------------------------------------------------------

void Sheet::addObserver(SheetObserver* observer) {
    if (observer && std::find(state_->observers.begin(), state_->observers.end(), observer) == state_->observers.end())
        state_->observers.push_back(observer);
}

void Sheet::removeObserver(SheetObserver* observer) { std::erase(state_->observers, observer); }

bool Sheet::getDisplay(int col, int row, CellDisplay& display) const {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    display = CellDisplay();
    const Cell* cell = findCell(col, row);
    const CellFormat& format = state_->data.formats[cell ? cell->format : 0];
    display.font = format.hasFont ? format.font : state_->data.defaultFont;
    display.backColor = format.backColor;
    display.foreColor = format.foreColor;
    display.border = format.border;
    if (cell) {
        display.type = state_->data.types[cell->type];
        display.locked = cell->locked;
        display.text = valueText(*cell);
        display.isNumber = cell->kind == CellKind::Number || readsAsNumber(*cell) ||
                           (cell->formula && cell->formula->result.kind == ValueKind::Number);
        display.isError = cell->formula && cell->formula->result.kind == ValueKind::Error;
    }
    if (display.text.empty() && (col == 0) != (row == 0)) {
        const bool r1c1 = state_->data.referenceStyle == kRefStyleR1C1;
        display.text = col == 0 ? std::to_string(row) : (r1c1 ? std::to_string(col) : columnName(col));
    }
    return true;
}

void Sheet::getUsedExtent(int& lastCol, int& lastRow) const {
    lastCol = lastRow = 0;
    for (std::size_t c = 1; c < state_->data.columns.size(); ++c) {
        const Column& column = state_->data.columns[c];
        for (std::size_t i = column.cells.size(); i-- > 0;) {
            if (column.rows[i] < 1 || !column.cells[i].hasContent()) continue;
            lastCol = static_cast<int>(c);
            lastRow = std::max(lastRow, column.rows[i]);
            break;
        }
    }
}

} // namespace spreadlib
