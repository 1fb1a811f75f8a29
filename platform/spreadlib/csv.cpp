#include "spreadlib/csv.h"

#include <algorithm>

#include "core/codepage.h"
#include "core/files.h"
#include "spreadlib/number_format.h"
#include "spreadlib/sheet.h"
#include "spreadlib/sheet_internal.h"

namespace spreadlib {

namespace {
constexpr std::size_t kMaxCsvBytes = 256u << 20;
}

bool parseCsv(const std::string& utf8, std::vector<Zrk_StringArray>& records, Zrk_String& message) {
    records.clear();
    if (utf8.size() > kMaxCsvBytes) {
        message = "the file is too large";
        return false;
    }
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    if (n >= 3 && utf8.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    int line = 1;
    Zrk_StringArray record;
    std::string field;
    // A field longer than a cell takes is refused here, where its line is known: taken in, it would
    // make a sheet that no reader takes back.
    int tooLong = 0; // the field (from 1) that is too long
    auto endField = [&]() {
        record.append(core::fromUtf8(field));
        field.clear();
        if (record.last().size() > static_cast<std::size_t>(kMaxCellTextLength)) tooLong = record.length();
    };
    auto endRecord = [&]() {
        endField();
        records.push_back(std::move(record));
        record = Zrk_StringArray();
    };
    if (i >= n) return true;
    for (;;) {
        // One field.
        if (i < n && utf8[i] == '"') {
            const int startLine = line;
            ++i;
            for (;;) {
                if (i >= n) {
                    message = "line " + std::to_string(startLine) + ": a quoted field is not closed";
                    return false;
                }
                const char c = utf8[i++];
                if (c == '"') {
                    if (i < n && utf8[i] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (c == '\n') ++line;
                field += c;
            }
            if (i < n && utf8[i] != ',' && utf8[i] != '\n' && utf8[i] != '\r') {
                message = "line " + std::to_string(line) + ": text follows the closing quote of a field";
                return false;
            }
        } else {
            while (i < n && utf8[i] != ',' && utf8[i] != '\n' && utf8[i] != '\r') field += utf8[i++];
        }
        if (record.length() >= kMaxColumnCount) {
            message = "line " + std::to_string(line) + ": more than " + std::to_string(kMaxColumnCount) + " fields";
            return false;
        }
        const auto refuseLongField = [&] {
            message = "line " + std::to_string(line) + ", field " + std::to_string(tooLong) +
                      ": the text is longer than the " + std::to_string(kMaxCellTextLength) + " characters a cell holds";
            return false;
        };
        if (i >= n) {
            endRecord();
            return tooLong ? refuseLongField() : true;
        }
        if (utf8[i] == ',') {
            endField();
            if (tooLong) return refuseLongField();
            ++i;
            continue;
        }
        // A line end: CRLF, LF or a lone CR.
        if (utf8[i] == '\r' && i + 1 < n && utf8[i + 1] == '\n') ++i;
        ++i;
        endRecord();
        if (tooLong) return refuseLongField();
        ++line;
        if (records.size() > static_cast<std::size_t>(kMaxRowCount) + 1) {
            message = "more than " + std::to_string(kMaxRowCount) + " records";
            return false;
        }
        if (i >= n) return true;
    }
}

std::string writeCsv(const std::vector<Zrk_StringArray>& records) {
    std::string out;
    for (const Zrk_StringArray& record : records) {
        for (int f = 0; f < record.length(); ++f) {
            if (f > 0) out += ',';
            const std::string field = core::toUtf8(record[f]);
            const bool quote = field.find_first_of(",\"\r\n") != std::string::npos ||
                               (!field.empty() && (field.front() == ' ' || field.back() == ' '));
            if (!quote) {
                out += field;
                continue;
            }
            out += '"';
            for (const char c : field) {
                out += c;
                if (c == '"') out += '"';
            }
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

// --- sheets ---------------------------------------------------------------------------------------

bool Sheet::importCsv(const Zrk_String& path, bool headerRow, Zrk_String& message) {
    Zrk_String found;
    std::string bytes;
    if (!readFoundFile(normalizePath(path), found, bytes, message)) return false;
    return importCsvText(bytes, found, headerRow, message);
}

bool Sheet::importCsvText(const std::string& utf8, const Zrk_String& fileName, bool headerRow, Zrk_String& message) {
    if (structureLocked()) {
        message = fileName + ": a CSV file cannot be imported while formulas are calculated.";
        return false;
    }
    std::vector<Zrk_StringArray> records;
    Zrk_String fault;
    if (!parseCsv(utf8, records, fault)) {
        message = fileName + ": " + fault + ".";
        return false;
    }
    const std::size_t firstData = headerRow && !records.empty() ? 1 : 0;
    int cols = 0;
    for (const Zrk_StringArray& record : records) cols = std::max(cols, record.length());
    const int rows = static_cast<int>(records.size() - firstData);
    if (rows > kMaxRowCount) {
        message = fileName + ": more than " + std::to_string(kMaxRowCount) + " rows.";
        return false;
    }
    // Build the new contents beside the sheet; they replace it only when all is read.
    detail::SheetData d;
    d.maxCols = cols;
    d.maxRows = rows;
    d.columns.clear();
    d.columns.resize(static_cast<std::size_t>(cols) + 1);
    d.defaultFont = state_->data.defaultFont;
    std::copy(std::begin(state_->data.options), std::end(state_->data.options), std::begin(d.options));
    d.options[kOptionChanged] = true;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const int row = (firstData == 1 && r == 0) ? 0 : static_cast<int>(r - firstData) + 1;
        const Zrk_StringArray& record = records[r];
        for (int f = 0; f < record.length(); ++f) {
            const Zrk_String& field = record[f];
            if (field.empty()) continue;
            const int col = f + 1;
            detail::Column& column = d.columns[static_cast<std::size_t>(col)];
            detail::Cell cell;
            if (row > 0 && field[0] == '=') {
                auto formula = std::make_unique<detail::FormulaCell>();
                if (parseFormula(field, false, col, row, mutableResolver(), formula->formula).ok) {
                    formula->col = col;
                    formula->row = row;
                    formula->dirty = true;
                    cell.kind = detail::CellKind::Formula;
                    cell.formula = std::move(formula);
                }
            }
            if (cell.kind == detail::CellKind::Empty) {
                // Header texts are names: taken as they stand, as the export writes them.
                const bool literal = row > 0 && field[0] == '\'';
                cell.kind = detail::CellKind::Text;
                cell.text = literal ? field.substr(1) : field;
                cell.forcedText = literal;
                double value = 0.0;
                cell.numericText = !literal && parseNumber(cell.text, value);
                cell.number = cell.numericText ? value : 0.0;
                if (cell.text.empty()) continue;
            }
            column.rows.push_back(std::max(row, 0));
            column.cells.push_back(std::move(cell));
        }
    }
    notify([](SheetObserver* o) { o->sheetAboutToReset(); });
    d.operationMode = state_->data.operationMode;
    d.referenceStyle = state_->data.referenceStyle;
    d.appearance = state_->data.appearance;
    d.selBack = state_->data.selBack;
    d.selFore = state_->data.selFore;
    d.grayBack = state_->data.grayBack;
    d.grayFore = state_->data.grayFore;
    d.shadowBack = state_->data.shadowBack;
    d.shadowFore = state_->data.shadowFore;
    d.textTip = state_->data.textTip;
    state_->data = std::move(d);
    state_->pending.clear();
    state_->editMode = false;
    rebuildGraph();
    recalcAll();
    notify([](SheetObserver* o) { o->sheetReset(); });
    message.clear();
    return true;
}

std::string Sheet::exportCsvText(bool headerRow, bool formulasAsValues) const {
    int lastCol = 0, lastRow = 0;
    getUsedExtent(lastCol, lastRow);
    if (headerRow)
        for (int c = 1; c <= state_->data.maxCols; ++c) {
            const detail::Cell* cell = findCell(c, 0);
            if (cell && cell->hasContent()) lastCol = std::max(lastCol, c);
        }
    std::vector<Zrk_StringArray> records;
    if (headerRow) {
        Zrk_StringArray header;
        for (int c = 1; c <= lastCol; ++c) {
            Zrk_String text;
            getCellText(c, 0, kTextData, text);
            header.append(text);
        }
        records.push_back(header);
    }
    for (int r = 1; r <= lastRow; ++r) {
        Zrk_StringArray record;
        for (int c = 1; c <= lastCol; ++c) {
            const detail::Cell* cell = findCell(c, r);
            Zrk_String field;
            if (cell) {
                if (cell->kind == detail::CellKind::Formula && !formulasAsValues) {
                    field = "=" + printFormula(cell->formula->formula, false, c, r, functionResolver());
                } else if (cell->kind == detail::CellKind::Text) {
                    // Text that would read back as a formula or lose its apostrophe keeps one in front.
                    const bool guard = cell->forcedText || cell->text[0] == '=' || cell->text[0] == '\'';
                    field = guard ? "'" + cell->text : cell->text;
                } else {
                    field = dataText(*cell);
                }
            }
            record.append(field);
        }
        records.push_back(record);
    }
    return writeCsv(records);
}

bool Sheet::exportCsv(const Zrk_String& path, bool headerRow, bool formulasAsValues, Zrk_String& message) const {
    const Zrk_String file = normalizePath(path);
    if (file.empty()) {
        message = "No file name was given for the CSV file.";
        return false;
    }
    const std::string text = exportCsvText(headerRow, formulasAsValues);
    if (text.size() > kMaxCsvBytes) {
        message = file + ": the CSV file is not written: it would take more than " + std::to_string(kMaxCsvBytes >> 20) +
                  " MB, more than a CSV import reads.";
        return false;
    }
    if (!writeFileAtomically(file, text, &message)) return false;
    message.clear();
    return true;
}

} // namespace spreadlib
