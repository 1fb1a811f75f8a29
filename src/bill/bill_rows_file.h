#pragma once
// Bill rows in a CSV file, so that a bill can be written without the product's bill engine (the host
// shell's "bill" command). The file is CSV as spreadlib/csv.h reads it (UTF-8, RFC 4180); the first
// field of each record says what the record is:
//
//   columns,Pos,Qty,Section,Length,Weight     the column names (once, first)
//   kinds,1,1,3,1,2                           the column kinds: 1 whole number, 2 one decimal, 3 text
//                                             (once, after the names; at most one per column)
//   row,1,4,HEA200,2500,105.3                 a row of the bill
//   subtotal,,4,,,105.3                       a subtotal row: its non-empty cells are framed
//   variable,Project,Hall 3                   a document variable (name and value)
//
// The words are read without regard to letter case. Records whose first field begins with '#' and
// records with no text at all are skipped. Rows and subtotals may have more fields than there are
// columns (the sheet grows) or fewer. Anything else is refused with a message that names the file,
// the line and what was expected.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/zrk_string.h"
#include "module/export.h"

namespace bill {

struct BillRows {
    struct Row {
        bool subtotal = false;
        Zrk_StringArray strings;
        bool operator==(const Row&) const = default;
    };
    Zrk_StringArray columnNames;
    Zrk_Array<int> columnKinds;
    std::vector<Row> rows; // in the file's order
    Zrk_StringArray variableNames;
    Zrk_StringArray variableValues;
    bool operator==(const BillRows&) const = default;
};

// Reads the text of a rows file. False with a message ("FILE, line N: ...") when it is not one; rows
// is then left as it was.
bool parseBillRows(const std::string& utf8, const Zrk_String& fileName, BillRows& rows, Zrk_String& message);

// What the host shell asks for: the rows file, the bill file to write, the document settings' name,
// the column that names each row's section (by name or 1-based number; empty: no pictures) and
// further document variables ("NAME=VALUE"). All texts in UTF-8.
struct BillRequest {
    std::string rowsFile;
    std::string billFile;
    std::string settingsName;
    std::string titleColumn;
    std::vector<std::string> variables;
    // Hears of the rows fed into the bill: (rows done, all rows). May be empty.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// Reads the rows file and feeds it through KvSSBillOutput, with pictures of the rows when a title
// column is given. False with a message (UTF-8) when the request or the rows file is faulty or the
// bill could not be written; summary then says what was written.
SS_EXPORT bool writeBillFromRows(const BillRequest& request, std::string& summary, std::string& message);

} // namespace bill
