#include "bill/bill_rows_file.h"

#include "core/text.h"
#include "spreadlib/csv.h"

namespace bill {

namespace {

// The line on which each record of the CSV text starts (the reader counts records, not lines).
std::vector<int> recordLines(const std::string& text) {
    std::vector<int> starts{1};
    int line = 1;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted; // a doubled quote toggles twice
        else if (c == '\n') {
            ++line;
            if (!quoted) starts.push_back(line);
        }
    }
    return starts;
}

bool blank(const Zrk_StringArray& record) {
    for (const Zrk_String& field : record)
        if (!trimmed(field).empty()) return false;
    return true;
}

// A column kind: exactly 1, 2 or 3 (blanks around allowed).
bool readKind(const Zrk_String& field, int& kind) {
    const Zrk_String text = trimmed(field);
    if (text.size() != 1 || text[0] < '1' || text[0] > '3') return false;
    kind = text[0] - '0';
    return true;
}

} // namespace

bool parseBillRows(const std::string& utf8, const Zrk_String& fileName, BillRows& rows, Zrk_String& message) {
    std::vector<Zrk_StringArray> records;
    if (!spreadlib::parseCsv(utf8, records, message)) {
        message = fileName + ": " + message;
        return false;
    }
    const std::vector<int> lines = recordLines(utf8);
    BillRows result;
    bool haveColumns = false, haveKinds = false;
    for (std::size_t r = 0; r < records.size(); ++r) {
        Zrk_StringArray fields = records[r];
        const Zrk_String where =
            fileName + ", " + (r < lines.size() ? "line " + intToStr(lines[r]) : "record " + intToStr(r + 1)) + ": ";
        if (blank(fields) || trimmed(fields[0]).rfind('#', 0) == 0) continue;
        const Zrk_String word = toLower(trimmed(fields[0]));
        fields.removeAt(0);

        if (!haveColumns && word != "columns") {
            message = where + "expected the column names first (columns,NAME,...), found \"" + word + "\"";
            return false;
        }
        if (word == "columns") {
            if (haveColumns) {
                message = where + "the column names are given twice";
                return false;
            }
            if (fields.isEmpty()) {
                message = where + "expected at least one column name after \"columns\"";
                return false;
            }
            result.columnNames = fields;
            haveColumns = true;
        } else if (word == "kinds") {
            if (haveKinds || !result.rows.empty()) {
                message = where + (haveKinds ? "the column kinds are given twice" : "the column kinds must come before the rows");
                return false;
            }
            if (fields.length() > result.columnNames.length()) {
                message = where + "expected at most " + intToStr(result.columnNames.length()) + " column kinds, found " +
                          intToStr(fields.length());
                return false;
            }
            for (int i = 0; i < fields.length(); ++i) {
                int kind = 0;
                if (!readKind(fields[i], kind)) {
                    message = where + "expected the kind of column " + intToStr(i + 1) +
                              " (1 whole number, 2 one decimal, 3 text), found \"" + fields[i] + "\"";
                    return false;
                }
                result.columnKinds.append(kind);
            }
            haveKinds = true;
        } else if (word == "row" || word == "subtotal") {
            result.rows.push_back(BillRows::Row{word == "subtotal", fields});
        } else if (word == "variable") {
            if (fields.length() != 2 || trimmed(fields[0]).empty()) {
                message = where + "expected variable,NAME,VALUE";
                return false;
            }
            result.variableNames.append(trimmed(fields[0]));
            result.variableValues.append(fields[1]);
        } else {
            message = where + "expected columns, kinds, row, subtotal or variable, found \"" + word + "\"";
            return false;
        }
    }
    if (!haveColumns) {
        message = fileName + ": no column names (a record columns,NAME,...)";
        return false;
    }
    rows = std::move(result);
    return true;
}

} // namespace bill
