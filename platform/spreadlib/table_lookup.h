#pragma once
// The look-up of the module's FROMTABLE function in a table sheet, as a plain function over sheets so
// that it can be tested and used without any window. The caller loads the table (the file named by
// FROMTABLE's first argument) and hands in all of FROMTABLE's arguments:
//
//   (file, cell)                        the value of that cell of the table
//   (file, cell, target)                that cell's data text written into target of the calling
//                                       sheet; no value
//   (file, keyColumn, valueColumn, key) the value in the column headed valueColumn, in the first row
//                                       whose cell in the column headed keyColumn is key (headers and
//                                       keys compared as data texts, letter case ignored)
//
// Arguments are turned into texts for the comparisons: a long in decimal, a double as a sheet shows
// it without a format, a string as it is, a cell reference by that cell's data text in the calling
// sheet; a range gives no text, and its comparison uses the previous argument's text.

#include "spreadlib/value_record.h"

namespace spreadlib {

class Sheet;

// The table's cell the arguments point at; false when there is none (a header or key not found, a
// cell outside the table, arguments of another shape).
bool findTableCell(const Sheet& table, const ValueRecord* args, int count, const Sheet* calling, int& column,
                   int& row);

// The look-up: the result is empty (status 2) when no cell is found or the call writes into the
// calling sheet; else the target cell, recalculated, as a long (integer and check-box cells, from its
// data text), a double (number cells) or its data text, with status 0 when it could be read, else 1.
void lookUpTable(Sheet& table, const ValueRecord* args, int count, Sheet* calling, ValueRecord& result);

} // namespace spreadlib
