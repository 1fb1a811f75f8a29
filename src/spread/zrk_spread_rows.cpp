// Zrk_Spread: whole rows and columns, structure edits, merging of equal cells.

#include <QWidget>

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "spread/zrk_spread.h"
#include "ui/text_input.h"

using namespace spreadlib;

namespace {
int normalized(int index) {
    return index == kHeader ? 0 : index;
}
} // namespace

// --- filling --------------------------------------------------------------------------------------------

bool Zrk_Spread::fillColumn(int column, const Zrk_StringArray& strings, bool asValue) {
    if (!validCell(column, 0)) return false;
    const int last = std::min(strings.length(), getMaxRows());
    bool all = true;
    for (int i = 0; i < last; ++i)
        all = (asValue ? setValue(column, i + 1, strings[i]) : setData(column, i + 1, strings[i])) && all;
    return all;
}

bool Zrk_Spread::fillColumn(int column, const Zrk_Array<int>& values, bool asValue) {
    Zrk_StringArray strings;
    for (const int value : values)
        strings.append(intToStr(value));
    return fillColumn(column, strings, asValue);
}

bool Zrk_Spread::fillColumn(int column, const Zrk_Array<double>& values, bool asValue) {
    Zrk_StringArray strings;
    for (const double value : values)
        strings.append(doubleToStr(value, 2));
    return fillColumn(column, strings, asValue);
}

bool Zrk_Spread::fillColumn(int column, const Zrk_Array<bool>& values, bool asValue) {
    Zrk_StringArray strings;
    for (const bool value : values.vector())
        strings.append(value ? "1" : "0");
    return fillColumn(column, strings, asValue);
}

bool Zrk_Spread::fillRow(int row, const Zrk_StringArray& strings, bool asValue) {
    if (!validCell(0, row)) return false;
    const int last = std::min(strings.length(), getMaxCols());
    bool all = true;
    for (int i = 0; i < last; ++i)
        all = (asValue ? setValue(i + 1, row, strings[i]) : setData(i + 1, row, strings[i])) && all;
    return all;
}

bool Zrk_Spread::setColumnHeaders(const Zrk_StringArray& headers) {
    return fillRow(0, headers);
}

bool Zrk_Spread::getColumnHeaders(Zrk_StringArray& headers) const {
    return readRow(0, headers);
}

bool Zrk_Spread::setRowHeaders(const Zrk_StringArray& headers) {
    return fillColumn(0, headers);
}

bool Zrk_Spread::getRowHeaders(Zrk_StringArray& headers) const {
    return readColumn(0, headers);
}

// --- reading --------------------------------------------------------------------------------------------

bool Zrk_Spread::readColumn(int column, Zrk_StringArray& strings, int kind) const {
    if (!validCell(column, 0) || kind < kTextData || kind > kTextValue) return false;
    Zrk_StringArray read;
    const int rows = getMaxRows();
    read.setPhysicalLength(rows);
    Zrk_String text;
    for (int row = 1; row <= rows; ++row) {
        text.clear();
        TSpread::getCellText(column, row, kind, text);
        read.append(text);
    }
    strings = std::move(read);
    return true;
}

bool Zrk_Spread::readColumn(int column, Zrk_Array<int>& values) const {
    Zrk_StringArray strings;
    if (!readColumn(column, strings)) return false;
    values.removeAll();
    for (const Zrk_String& text : strings)
        values.append(core::toInt(text));
    return true;
}

bool Zrk_Spread::readColumn(int column, Zrk_Array<double>& values) const {
    Zrk_StringArray strings;
    if (!readColumn(column, strings)) return false;
    values.removeAll();
    for (const Zrk_String& text : strings)
        values.append(core::toDouble(text));
    return true;
}

bool Zrk_Spread::readColumn(int column, Zrk_Array<bool>& values) const {
    Zrk_StringArray strings;
    if (!readColumn(column, strings)) return false;
    values.removeAll();
    for (const Zrk_String& text : strings)
        values.append(text == "1");
    return true;
}

bool Zrk_Spread::readRow(int row, Zrk_StringArray& strings, int kind) const {
    if (!validCell(0, row) || kind < kTextData || kind > kTextValue) return false;
    Zrk_StringArray read;
    Zrk_String text;
    for (int column = 1; column <= getMaxCols(); ++column) {
        text.clear();
        TSpread::getCellText(column, row, kind, text);
        read.append(text);
    }
    strings = std::move(read);
    return true;
}

bool Zrk_Spread::readAllRows(Zrk_Array<Zrk_StringArray>& rows, int kind) const {
    if (!attached || kind < kTextData || kind > kTextValue) return false;
    Zrk_Array<Zrk_StringArray> read;
    read.setPhysicalLength(getMaxRows());
    for (int row = 1; row <= getMaxRows(); ++row) {
        Zrk_StringArray strings;
        readRow(row, strings, kind);
        read.append(std::move(strings));
    }
    rows = std::move(read);
    return true;
}

// --- clearing -------------------------------------------------------------------------------------------

bool Zrk_Spread::clearRow(int row) {
    if (!attached || row < 1 || row > getMaxRows()) return false;
    for (int column = 1; column <= getMaxCols(); ++column)
        setValue(column, row, Zrk_String());
    return true;
}

bool Zrk_Spread::clearRowsFrom(int firstRow, int lastRow) {
    if (!attached || firstRow < 1 || firstRow > getMaxRows() || lastRow < firstRow) return false;
    lastRow = std::min(lastRow, getMaxRows());
    setRedraw(false);
    for (int row = firstRow; row <= lastRow; ++row)
        clearRow(row);
    setRedraw(true);
    return true;
}

bool Zrk_Spread::fillColumnWithIndexes(int column, const Zrk_Array<int>& indexes) {
    if (!validCell(column, 0)) return false;
    const int rows = getMaxRows();
    Zrk_StringArray strings;
    for (const int index : indexes)
        strings.append(intToStr(index < 0 || index > rows ? 0 : index));
    return fillColumn(column, strings);
}

// --- structure ------------------------------------------------------------------------------------------

bool Zrk_Spread::askHeaderName(bool column, Zrk_String& name) {
    ui::TextInput input;
    input.title = dialString(1150);
    input.label = dialString(1151) + " " + dialString(column ? 1153 : 1152) + ":";
    input.value = dialString(171);
    input.okCaption = "Ok";
    if (!ui::inputText(input, window())) return false;
    name = input.value;
    return true;
}

// The grid grows by one row and the library inserts the row: what was the last row falls off the
// grown end, as insertion always pushes the following rows down within the count.
bool Zrk_Spread::insertRowAt(int index, bool askName, bool copyNeighbour) {
    if (!attached || index < 1 || index > getMaxRows() + 1) return false;
    setRedraw(false);
    bool done = setMaxRows(getMaxRows() + 1) && insertRows(index);
    if (done) {
        applyRowFonts(index, index, true);
        setBool(kOptionChanged, true);
        if (copyNeighbour && index + 1 <= getMaxRows())
            copyRange(0, index + 1, getMaxCols(), index + 1, 0, index);
    }
    setRedraw(true);
    Zrk_String name;
    if (done && askName && askHeaderName(false, name)) setData(0, index, name);
    return done;
}

bool Zrk_Spread::insertColumnAt(int index, bool askName, bool copyNeighbour) {
    if (!attached || index < 1 || index > getMaxCols() + 1) return false;
    setRedraw(false);
    bool done = setMaxCols(getMaxCols() + 1) && insertCols(index);
    if (done) {
        applyColumnFonts(index, index, true);
        setBool(kOptionChanged, true);
        if (copyNeighbour && index + 1 <= getMaxCols())
            copyRange(index + 1, 0, index + 1, getMaxRows(), index, 0);
    }
    setRedraw(true);
    Zrk_String name;
    if (done && askName && askHeaderName(true, name)) setData(index, 0, name);
    return done;
}

int Zrk_Spread::appendRow(bool copyPrevious) {
    if (!attached) return -1;
    const int row = getMaxRows() + 1;
    setRedraw(false);
    if (!setNrRows(row)) {
        setRedraw(true);
        return -1;
    }
    clearRow(row);
    applyRowFonts(row, row, true);
    setBool(kOptionChanged, true);
    if (copyPrevious && row > 1) copyRange(0, row - 1, getMaxCols(), row - 1, 0, row);
    setRedraw(true);
    return row;
}

bool Zrk_Spread::deleteRowAt(int index) {
    if (!attached || index < 1 || index > getMaxRows()) return false;
    if (!deleteRows(index)) return false;
    setMaxRows(getMaxRows() - 1);
    setBool(kOptionChanged, true);
    return true;
}

bool Zrk_Spread::deleteColumnAt(int index) {
    if (!attached || index < 1 || index > getMaxCols()) return false;
    if (!deleteCols(index)) return false;
    setMaxCols(getMaxCols() - 1);
    setBool(kOptionChanged, true);
    return true;
}

bool Zrk_Spread::moveRows(int firstRow, int lastRow, int destinationRow) {
    const int rows = getMaxRows();
    if (!attached || firstRow < 1 || lastRow < firstRow || lastRow > rows) return false;
    if (destinationRow < 1 || destinationRow > rows || destinationRow + (lastRow - firstRow) > rows)
        return false;
    if (!sheet().moveRows(firstRow, lastRow, destinationRow)) return false;
    int column = 1, row = 1;
    TSpread::getActiveCell(column, row);
    TSpread::setActiveCell(column >= 1 && column <= getMaxCols() ? column : 1, destinationRow);
    setBool(kOptionChanged, true);
    return true;
}

bool Zrk_Spread::moveActiveRowUp() {
    int column = 0, row = 0;
    return getActiveCell(column, row) && moveRows(row, row, row - 1);
}

bool Zrk_Spread::moveActiveRowDown() {
    int column = 0, row = 0;
    return getActiveCell(column, row) && moveRows(row, row, row + 1);
}

// With copy, the new row is a copy of the active row above it.
bool Zrk_Spread::insertRowBelowActive(bool copy) {
    if (!attached) return false;
    int column = 0, row = 0;
    if (!getActiveCell(column, row)) row = 0;
    if (!insertRowAt(row + 1)) return false;
    if (copy && row >= 1) copyRange(0, row, getMaxCols(), row, 0, row + 1);
    return true;
}

bool Zrk_Spread::deleteActiveRow() {
    int column = 0, row = 0;
    return getActiveCell(column, row) && deleteRowAt(row);
}

// --- merging --------------------------------------------------------------------------------------------

bool Zrk_Spread::mergeEqualCells(int column) {
    if (!attached || column < 1 || column > getMaxCols()) return false;
    setRedraw(false);
    unmergeColumn(column);
    Zrk_String previous;
    int runStart = 0, run = 0;
    auto closeRun = [&] {
        if (run >= 2) SSAddCellSpan(column, runStart, 1, run);
    };
    Zrk_String text;
    for (int row = 1; row <= getMaxRows(); ++row) {
        if (!TSpread::getCellText(column, row, kTextValue, text)) {
            previous.clear();
            continue;
        }
        if (!text.empty() && text == previous) {
            ++run;
            continue;
        }
        closeRun();
        previous = text;
        runStart = row;
        run = 1;
    }
    closeRun();
    setRedraw(true);
    return true;
}

bool Zrk_Spread::unmergeColumn(int column) {
    column = normalized(column);
    if (!attached || column < 0 || column > getMaxCols()) return false;
    const std::vector<spreadlib::Span> spans = sheet().getSpans();
    for (const spreadlib::Span& span : spans)
        if (column >= span.col && column < span.col + span.cols) SSRemoveCellSpan(span.col, span.row);
    return true;
}

bool Zrk_Spread::unmergeAll() {
    if (!attached) return false;
    const std::vector<spreadlib::Span> spans = sheet().getSpans();
    for (const spreadlib::Span& span : spans)
        SSRemoveCellSpan(span.col, span.row);
    return true;
}
