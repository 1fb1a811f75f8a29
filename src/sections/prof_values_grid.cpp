// The section table in a grid: one grid row per section, the active flags as picture check boxes.

#include "sections/prof_values_table.h"

#include <algorithm>

#include "spread/zrk_spread.h"
#include "spreadlib/constants.h"

namespace {

constexpr int kActiveColumn = 2; // the grid's columns are 1-based: the flag is the second

} // namespace

bool Zrk_ProfValuesTable::setToSS(Zrk_Spread* grid) const {
    if (!grid || !grid->attached) return false;
    grid->setRedraw(false);
    grid->setNrRows(0);
    grid->setNrCols(0);
    if (rows.isEmpty()) {
        grid->setRedraw(true);
        return false;
    }
    // A row longer than the headers keeps its cells: they come back from the grid with the rest.
    int columns = columnNames.length();
    for (const Zrk_StringArray& row : rows) columns = std::max(columns, row.length());
    // The counts are set on the sheet itself: the wrapper's counts would copy the last row onward.
    grid->setMaxRows(rows.length());
    grid->setMaxCols(columns);
    grid->applyFonts();
    grid->setCheckBoxColumn(kActiveColumn, false, false);
    grid->setColumnHeaders(columnNames);
    grid->setRowHeaders(Zrk_StringArray(std::vector<Zrk_String>(static_cast<std::size_t>(rows.length()), tableName)));
    for (int i = 0; i < rows.length(); ++i) grid->fillRow(i + 1, rows[i]);
    grid->fitAll();
    grid->setBool(spreadlib::kOptionChanged, false);
    grid->setRedraw(true);
    return true;
}

bool Zrk_ProfValuesTable::getFromSS(Zrk_Spread* grid) {
    if (!grid || grid->getNrRows() < 1 || grid->getNrCols() < 1) return false;
    Zrk_StringArray headers;
    Zrk_String name;
    Zrk_Array<Zrk_StringArray> read;
    if (!grid->getColumnHeaders(headers) || !grid->getCellText(-32767, 1, name) || !grid->readAllRows(read)) return false;
    columnNames = std::move(headers);
    tableName = std::move(name);
    rows = std::move(read);
    return true;
}
