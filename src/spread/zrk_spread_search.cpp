// Zrk_Spread: search and replace, the active cell and the selection, free cells and the Tab key.

#include "core/text.h"
#include "frame/spread_focus.h"
#include "spread/zrk_spread.h"
#include "ui/codes.h"
#include "ui/window_class.h"

using namespace spreadlib;

// --- search -----------------------------------------------------------------------------------------------

namespace {

// An empty text is found nowhere as a part of a text (it would be everywhere).
bool matches(const Zrk_String& value, const Zrk_String& text, bool substring) {
    if (substring) return !text.empty() && hasASubstr(value, text);
    return isEqual(value, text);
}

} // namespace

bool Zrk_Spread::findInRow(const Zrk_String& text, bool substring, int row, int startColumn,
                           int& column) const {
    if (!attached || row < 1 || row > getMaxRows()) return false;
    Zrk_String value;
    for (int c = std::max(1, startColumn); c <= getMaxCols(); ++c) {
        value.clear();
        TSpread::getCellText(c, row, kTextValue, value);
        if (matches(value, text, substring)) {
            column = c;
            return true;
        }
    }
    return false;
}

bool Zrk_Spread::findNext(const Zrk_String& text, bool substring, int startColumn, int startRow, int& column,
                          int& row) const {
    if (!attached) return false;
    for (int r = std::max(1, startRow); r <= getMaxRows(); ++r) {
        if (findInRow(text, substring, r, r == std::max(1, startRow) ? startColumn : 1, column)) {
            row = r;
            return true;
        }
    }
    return false;
}

bool Zrk_Spread::findInCell(const Zrk_String& text, int column, int row, int start, int& position) const {
    Zrk_String value;
    if (text.empty() || !getCellText(column, row, value)) return false;
    const std::size_t found = value.find(text, static_cast<std::size_t>(std::max(0, start)));
    if (found == Zrk_String::npos) return false;
    position = static_cast<int>(found);
    return true;
}

bool Zrk_Spread::selectFound(const Zrk_String& text, int column, int row, int start) {
    int position = 0;
    if (!validData(column, row) || !findInCell(text, column, row, start, position)) return false;
    int activeCol = 0, activeRow = 0;
    TSpread::getActiveCell(activeCol, activeRow);
    if (activeCol != column || activeRow != row) {
        if (getEditMode()) setEditMode(false); // the edit of the other cell ends
        TSpread::setActiveCell(column, row);
    }
    showCell(column, row);
    if (!getEditMode()) setEditMode(true);
    setEditSel(position, position + static_cast<int>(text.size()));
    return true;
}

bool Zrk_Spread::replaceInCell(int column, int row, const Zrk_String& text, const Zrk_String& replacement) {
    Zrk_String value;
    if (text.empty() || !getCellText(column, row, value)) return false;
    Zrk_String result;
    std::size_t from = 0;
    for (std::size_t at = value.find(text); at != Zrk_String::npos; at = value.find(text, from)) {
        result.append(value, from, at - from).append(replacement);
        from = at + text.size();
    }
    result.append(value, from, Zrk_String::npos);
    return setCellText(column, row, result);
}

// --- active cell and selection ----------------------------------------------------------------------------

bool Zrk_Spread::getActiveCell(int& column, int& row) const {
    if (!attached) return false;
    int c = 0, r = 0;
    TSpread::getActiveCell(c, r);
    if (c < 1 || r < 1 || c > getMaxCols() || r > getMaxRows()) return false;
    column = c;
    row = r;
    return true;
}

bool Zrk_Spread::setActiveCell(int column, int row) {
    return validData(column, row) && TSpread::setActiveCell(column, row);
}

bool Zrk_Spread::ensureActiveCell(int& column, int& row) {
    if (getActiveCell(column, row)) return true;
    if (!setActiveCell(1, 1)) return false;
    column = row = 1;
    return true;
}

// Open ends (-1, "to the last column or row") come back as the last column or row.
bool Zrk_Spread::getSelection(int& col1, int& row1, int& col2, int& row2) const {
    if (!attached) return false;
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (getSelBlock(c1, r1, c2, r2)) {
        if (c1 < 0) c1 = 1;
        if (r1 < 0) r1 = 1;
        if (c2 < 0) c2 = getMaxCols();
        if (r2 < 0) r2 = getMaxRows();
        col1 = std::min(c1, c2);
        col2 = std::max(c1, c2);
        row1 = std::min(r1, r2);
        row2 = std::max(r1, r2);
        return true;
    }
    int column = 0, row = 0;
    if (!getActiveCell(column, row)) return false;
    col1 = col2 = column;
    row1 = row2 = row;
    return true;
}

// col2 or row2 -1: open-ended, to the last column or row.
bool Zrk_Spread::selectBlock(int col1, int row1, int col2, int row2) {
    const bool valid =
        validBlock(col1, row1, col2 == -1 ? getMaxCols() : col2, row2 == -1 ? getMaxRows() : row2);
    return valid && setSelBlock(col1, row1, col2, row2);
}

bool Zrk_Spread::selectRow(int row) {
    return attached && row >= 1 && row <= getMaxRows() && getMaxCols() >= 1 &&
           setSelBlock(1, row, getMaxCols(), row);
}

// --- free cells and Tab
// -------------------------------------------------------------------------------------

namespace {

// The lock of a cell, by the anchor of its span when it lies in one.
bool lockedCell(const TSpread& grid, int column, int row) {
    int anchorCol = column, anchorRow = row, cols = 1, rows = 1;
    if (grid.SSGetCellSpan(column, row, anchorCol, anchorRow, cols, rows))
        return grid.getLock(anchorCol, anchorRow);
    return grid.getLock(column, row);
}

} // namespace

bool Zrk_Spread::findFirstFreeCell(int& column, int& row) const {
    if (!attached) return false;
    for (int r = 1; r <= getMaxRows(); ++r)
        for (int c = 1; c <= getMaxCols(); ++c)
            if (!lockedCell(*this, c, r)) {
                column = c;
                row = r;
                return true;
            }
    return false;
}

bool Zrk_Spread::findLastFreeCell(int& column, int& row) const {
    if (!attached) return false;
    for (int r = getMaxRows(); r >= 1; --r)
        for (int c = getMaxCols(); c >= 1; --c)
            if (!lockedCell(*this, c, r)) {
                column = c;
                row = r;
                return true;
            }
    return false;
}

// The focus must lie in this grid: a dialog with two grids asks each about its own cells.
bool Zrk_Spread::handleTabKey(int keyCode, bool shift, Zrk_TabMsgHandle& answer) {
    answer = tabNotHandled;
    if (keyCode != ui::VK_TAB || !attached || !isVisible() || !frame::isSpreadFocused() ||
        ui::focusWindow() != this)
        return false;
    int freeCol = 0, freeRow = 0, activeCol = 0, activeRow = 0;
    const bool found = shift ? findFirstFreeCell(freeCol, freeRow) : findLastFreeCell(freeCol, freeRow);
    const bool active = ensureActiveCell(activeCol, activeRow);
    if (found && active && freeCol == activeCol && freeRow == activeRow)
        answer = shift ? tabBeforeFirst : tabPastLast;
    else
        answer = tabHandled;
    return true;
}

bool Zrk_Spread::focusFreeCell(bool first) {
    if (!attached || !isVisible()) return false;
    int column = 0, row = 0;
    if (!(first ? findFirstFreeCell(column, row) : findLastFreeCell(column, row))) return false;
    setFocus(Qt::TabFocusReason);
    TSpread::setActiveCell(column, row);
    setSelBlock(column, row, column, row);
    return true;
}
