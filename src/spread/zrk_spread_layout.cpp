// Zrk_Spread: automatic column widths.
//
// Every rule shares the available width: the grid's client width less the vertical scroll bar when
// one shows. With row headers shown, the row-header column shares it as one more column. Widths that
// would come out below zero are zero (the grid is smaller than the fixed columns).

#include "spread/zrk_spread.h"

using namespace spreadlib;

void Zrk_Spread::setLayout(int mode, int count, int value) {
    layoutMode = mode;
    layoutCount = count;
    layoutValue = value;
}

void Zrk_Spread::setLayout(const Zrk_Array<int>& columns, const Zrk_Array<int>& widths) {
    layoutMode = 5;
    layoutColumns = columns;
    layoutWidths = widths;
}

void Zrk_Spread::availableWidth(int& available, int& n) const {
    int width = 0, height = 0, scrollWidth = 0, scrollHeight = 0;
    getClientArea(width, height);
    SSGetScrollBarSize(scrollWidth, scrollHeight);
    available = width - scrollWidth;
    n = getMaxCols() + (getBool(kOptionRowHeaders) ? 1 : 0);
}

void Zrk_Spread::setWidth(int column, int width) {
    setColWidthInPixels(column, std::max(0, width));
}

void Zrk_Spread::layoutEqual() {
    int available = 0, n = 0;
    availableWidth(available, n);
    if (n <= 0) return;
    const int share = available / n;
    for (int column = 1; column <= getMaxCols(); ++column)
        setWidth(column, share);
    if (getBool(kOptionRowHeaders)) setWidth(0, share);
}

// The header cells become header cells of the library (they keep their texts) and every column and
// row is as large as its largest text.
void Zrk_Spread::layoutFit(bool headers, bool skipPictures) {
    const int cols = getMaxCols(), rows = getMaxRows();
    if (cols >= 1) setCellType(1, 0, cols, 0, CellType::header(kStyleHeaderCell));
    for (int column = headers ? 0 : 1; column <= cols; ++column) {
        int width = 0;
        if (getMaxTextColWidth(column, width, skipPictures)) setWidth(column, width);
    }
    if (rows >= 1) setCellType(0, 1, 0, rows, CellType::header(kStyleHeaderCell));
    for (int row = headers ? 0 : 1; row <= rows; ++row) {
        int height = 0;
        if (getMaxTextRowHeight(row, height, skipPictures) && height > 0) setRowHeightInPixels(row, height);
    }
}

// count c > 0: the first c columns, c < 0: the last |c| columns share percent of the width.
void Zrk_Spread::layoutShare(int count, int percent) {
    int available = 0, n = 0;
    availableWidth(available, n);
    const int cols = getMaxCols();
    const int fixed = std::min(count < 0 ? -count : count, cols);
    if (fixed == 0) return;
    const int each = static_cast<int>(static_cast<long long>(available) * percent / 100 / fixed);
    const int first = count > 0 ? 1 : cols - fixed + 1;
    const int last = count > 0 ? fixed : cols;
    const int others = n - fixed;
    const int share = others > 0 ? (available - each * fixed) / others : 0;
    for (int column = 1; column <= cols; ++column)
        setWidth(column, column >= first && column <= last ? each : share);
    if (getBool(kOptionRowHeaders) && others > 0) setWidth(0, share);
}

void Zrk_Spread::layoutFixed(int column, int width) {
    int available = 0, n = 0;
    availableWidth(available, n);
    const bool rowHeaders = getBool(kOptionRowHeaders);
    const bool header = column == kHeader || column == 0;
    if (header ? !rowHeaders : column < 1 || column > getMaxCols()) return;
    const int share = n > 1 ? (available - width) / (n - 1) : 0;
    for (int c = 1; c <= getMaxCols(); ++c)
        setWidth(c, c == column ? width : share);
    if (header)
        setWidth(0, width);
    else if (rowHeaders && n > 1)
        setWidth(0, share);
}

void Zrk_Spread::layoutLists() {
    int available = 0, n = 0;
    availableWidth(available, n);
    const bool rowHeaders = getBool(kOptionRowHeaders);
    const int pairs = std::min(layoutColumns.length(), layoutWidths.length());
    std::vector<bool> listed(static_cast<std::size_t>(getMaxCols()) + 1, false);
    int sum = 0, count = 0;
    for (int i = 0; i < pairs; ++i) {
        int column = layoutColumns[i] == kHeader ? 0 : layoutColumns[i];
        if (column < 0 || column > getMaxCols() || (column == 0 && !rowHeaders) || listed[column]) continue;
        listed[column] = true;
        setWidth(column, layoutWidths[i]);
        sum += layoutWidths[i];
        ++count;
    }
    if (n - count <= 0) return;
    const int share = (available - sum) / (n - count);
    for (int column = rowHeaders ? 0 : 1; column <= getMaxCols(); ++column)
        if (!listed[column]) setWidth(column, share);
}

bool Zrk_Spread::applyLayout() {
    if (!attached) return false;
    setRedraw(false);
    switch (layoutMode) {
    case 1:
        layoutEqual();
        break;
    case 2:
        layoutFit(false, false);
        break;
    case 3:
        layoutShare(layoutCount, layoutValue);
        break;
    case 4:
        layoutFixed(layoutCount, layoutValue);
        break;
    case 5:
        layoutLists();
        break;
    default:
        break;
    }
    setRedraw(true);
    return true;
}

// One column (the first, or the last data column) is width wide when the equal share allows it; the
// others, the row headers among them, share the rest.
bool Zrk_Spread::equalWidths(bool first, int width) {
    if (!attached) return false;
    int available = 0, n = 0;
    availableWidth(available, n);
    if (n <= 0) return true;
    setRedraw(false);
    const int cols = getMaxCols();
    if (width > 0 && n > 1 && cols >= 1 && available / n >= width) {
        const int fixed = first ? 1 : cols;
        const int share = (available - width) / (n - 1);
        for (int column = 1; column <= cols; ++column)
            setWidth(column, column == fixed ? width : share);
        if (getBool(kOptionRowHeaders)) setWidth(0, share);
    } else {
        layoutEqual();
    }
    setRedraw(true);
    return true;
}

bool Zrk_Spread::fitAll(bool skipPictures) {
    if (!attached) return false;
    setRedraw(false);
    layoutFit(true, skipPictures);
    setRedraw(true);
    return true;
}

bool Zrk_Spread::fillWidth(int column) {
    if (!attached || column < 1 || column > getMaxCols()) return false;
    int width = 0, height = 0, scrollWidth = 0, scrollHeight = 0;
    getClientArea(width, height);
    SSGetScrollBarSize(scrollWidth, scrollHeight);
    int used = 0, size = 0;
    if (getBool(kOptionRowHeaders) && getColWidthInPixels(0, size)) used += size;
    for (int c = 1; c <= getMaxCols(); ++c)
        if (getColWidthInPixels(c, size)) used += size;
    const int extra = width - scrollWidth - used;
    if (extra > 0 && getColWidthInPixels(column, size)) setWidth(column, size + extra);
    return true;
}

void Zrk_Spread::onSizeChanged() {
    if (attached && layoutMode != 0) applyLayout();
}
