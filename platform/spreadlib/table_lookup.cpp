#include "spreadlib/table_lookup.h"

#include "core/number_text.h"
#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/number_format.h"
#include "spreadlib/sheet.h"

namespace spreadlib {

namespace {

bool argumentText(const ValueRecord& arg, const Sheet* calling, Zrk_String& text) {
    switch (arg.type) {
    case kValueLong:
        text = intToStr(arg.longValue);
        return true;
    case kValueDouble:
        text = formatGeneral(arg.doubleValue);
        return true;
    case kValueText:
        text = arg.text;
        return true;
    case kValueCell:
        return calling && calling->getData(arg.col, arg.row, text);
    default:
        return false;
    }
}

} // namespace

bool findTableCell(const Sheet& table, const ValueRecord* args, int count, const Sheet* calling, int& column,
                   int& row) {
    column = 0;
    row = 0;
    if ((count == 2 || count == 3) && args[1].type == kValueCell) {
        column = args[1].col;
        row = args[1].row;
    } else if (count == 4) {
        Zrk_String texts[3];
        for (int i = 0; i < 3; ++i)
            if (!argumentText(args[i + 1], calling, texts[i]) && i > 0) texts[i] = texts[i - 1];
        int keyColumn = 0, valueColumn = 0, keyRow = 0;
        Zrk_String text;
        for (int c = 1; c <= table.getMaxCols() && (!keyColumn || !valueColumn); ++c) {
            table.getData(c, kHeader, text);
            if (!keyColumn && isEqual(text, texts[0], true)) keyColumn = c;
            if (!valueColumn && isEqual(text, texts[1], true)) valueColumn = c;
        }
        for (int r = 1; keyColumn && r <= table.getMaxRows() && !keyRow; ++r)
            if (table.getData(keyColumn, r, text) && isEqual(text, texts[2], true)) keyRow = r;
        if (keyColumn && valueColumn && keyRow) {
            column = valueColumn;
            row = keyRow;
        }
    }
    return column >= 1 && row >= 1 && column <= table.getMaxCols() && row <= table.getMaxRows();
}

void lookUpTable(Sheet& table, const ValueRecord* args, int count, Sheet* calling, ValueRecord& result) {
    result.setEmpty();
    int column = 0, row = 0;
    if (!findTableCell(table, args, count, calling, column, row)) return;

    table.SSReCalcCell(column, row);
    Zrk_String data;
    const bool read = table.getData(column, row, data);
    if (count == 3 && args[2].type == kValueCell) {
        if (calling) calling->setData(args[2].col, args[2].row, data);
        return;
    }
    const int typeCode = table.getCellTypeCode(column, row);
    if (typeCode == kTypeInteger || typeCode == kTypeCheckBox) {
        result.setLong(core::toInt(data));
        result.status = read ? kStatusValid : kStatusUnreadable;
    } else if (isNumberTypeCode(typeCode)) {
        double number = 0.0;
        const bool delivered = table.getFloat(column, row, number);
        result.setDouble(number);
        result.status = delivered ? kStatusValid : kStatusUnreadable;
    } else {
        result.setText(data);
        result.status = read ? kStatusValid : kStatusUnreadable;
    }
}

} // namespace spreadlib
