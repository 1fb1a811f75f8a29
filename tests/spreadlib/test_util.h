#pragma once
// Helpers of the spreadsheet library's tests: a sheet whose formulas are checked by their value text.

#include <gtest/gtest.h>

#include "spreadlib/sheet.h"

namespace spreadlib::test {

// The value text of a formula set in a spare cell (Z100) of the sheet.
inline Zrk_String eval(Sheet& sheet, const Zrk_String& formula) {
    Zrk_String message;
    if (!sheet.setFormula(26, 100, formula, true, &message)) return "refused: " + message;
    Zrk_String value;
    sheet.getValue(26, 100, value);
    return value;
}

inline Zrk_String valueOf(const Sheet& sheet, int col, int row) {
    Zrk_String value;
    sheet.getValue(col, row, value);
    return value;
}

inline Zrk_String formulaOf(const Sheet& sheet, int col, int row) {
    Zrk_String formula;
    sheet.getFormula(col, row, formula);
    return formula;
}

} // namespace spreadlib::test
