#include "spreadlib/workbook_import.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <vector>

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>

#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/functions.h"
#include "spreadlib/number_format.h"

namespace spreadlib {

namespace iface = orcus::spreadsheet::iface;
using orcus::spreadsheet::col_t;
using orcus::spreadsheet::formula_grammar_t;
using orcus::spreadsheet::row_t;

namespace {

// More cells than this in one sheet is refused: a workbook of repeated rows can ask for any number.
constexpr long long kMaxImportedCells = 2'000'000;

struct CellEntry {
    enum class Kind { Number, Text, Typed, Bool, Formula, CopyOf };
    int row = 0, col = 0; // 1-based
    Kind kind = Kind::Number;
    double number = 0.0;
    std::string text; // UTF-8: a text, or a formula in the file's language
    WorkbookKind grammar = WorkbookKind::Xlsx;
    int fromRow = 0, fromCol = 0; // CopyOf: the cell whose formula is copied here, references moved
};

// What the reader hands over for the sheet being read, and the reasons it stopped.
struct Collected {
    std::vector<CellEntry> cells;
    bool tooMany = false;
    bool add(CellEntry entry) {
        if (static_cast<long long>(cells.size()) >= kMaxImportedCells) {
            tooMany = true;
            return false;
        }
        cells.push_back(std::move(entry));
        return true;
    }
};

class SharedStrings : public iface::import_shared_strings {
public:
    const std::string* text(std::size_t index) const {
        return index < strings_.size() ? &strings_[index] : nullptr;
    }
    std::size_t append(std::string_view s) override {
        strings_.emplace_back(s);
        return strings_.size() - 1;
    }
    std::size_t add(std::string_view s) override {
        const auto found = index_.find(std::string(s));
        if (found != index_.end()) return found->second;
        const std::size_t index = append(s);
        index_.emplace(strings_.back(), index);
        return index;
    }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t,
                                orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t) override {
    }
    void append_segment(std::string_view s) override { segments_ += s; }
    std::size_t commit_segments() override {
        const std::size_t index = append(segments_);
        segments_.clear();
        return index;
    }

private:
    std::vector<std::string> strings_;
    std::map<std::string, std::size_t> index_;
    std::string segments_;
};

class GlobalSettings : public iface::import_global_settings {
public:
    void set_origin_date(int, int, int) override {}
    void set_default_formula_grammar(formula_grammar_t grammar) override { grammar_ = grammar; }
    formula_grammar_t get_default_formula_grammar() const override { return grammar_; }
    void set_character_set(orcus::character_set_t) override {}

private:
    formula_grammar_t grammar_ = formula_grammar_t::unknown;
};

// Cell addresses that the reader asks to be read ("A1", "$B$2:C3", "Sheet1!A1", ".A1"); what is no
// address reads as A1: these only place sheet dimensions and the blocks of shared formulas.
class AddressResolver : public iface::import_reference_resolver {
public:
    orcus::spreadsheet::src_address_t resolve_address(std::string_view address) override {
        orcus::spreadsheet::src_address_t result{0, 0, 0};
        const std::size_t sheetEnd = address.find_last_of("!.");
        if (sheetEnd != std::string_view::npos) address.remove_prefix(sheetEnd + 1);
        long long col = 0, row = 0;
        std::size_t i = 0;
        if (i < address.size() && address[i] == '$') ++i;
        for (; i < address.size() && std::isalpha(static_cast<unsigned char>(address[i])) &&
               col <= kMaxColumnCount;
             ++i)
            col = col * 26 + (std::toupper(static_cast<unsigned char>(address[i])) - 'A' + 1);
        if (i < address.size() && address[i] == '$') ++i;
        for (; i < address.size() && std::isdigit(static_cast<unsigned char>(address[i])) &&
               row <= kMaxRowCount;
             ++i)
            row = row * 10 + (address[i] - '0');
        if (i != address.size() || col < 1 || row < 1 || col > kMaxColumnCount || row > kMaxRowCount)
            return result;
        result.column = static_cast<col_t>(col - 1);
        result.row = static_cast<row_t>(row - 1);
        return result;
    }
    orcus::spreadsheet::src_range_t resolve_range(std::string_view range) override {
        const std::size_t colon = range.find(':');
        orcus::spreadsheet::src_range_t result;
        result.first = resolve_address(range.substr(0, colon));
        result.last =
            colon == std::string_view::npos ? result.first : resolve_address(range.substr(colon + 1));
        return result;
    }
};

// A formula cell: its place, its text, and for a formula shared along a block the index of the
// block's formula (given once, at the block's first cell).
class FormulaReader : public iface::import_formula {
public:
    FormulaReader(Collected* target, std::map<std::size_t, std::pair<int, int>>& shared, WorkbookKind kind)
        : target_(target), shared_(shared), kind_(kind) {}
    void set_position(row_t row, col_t col) override {
        row_ = row;
        col_ = col;
    }
    void set_formula(formula_grammar_t, std::string_view formula) override {
        formula_ = formula;
        hasFormula_ = true;
    }
    void set_shared_formula_index(std::size_t index) override {
        sharedIndex_ = index;
        isShared_ = true;
    }
    void set_result_string(std::string_view) override {}
    void set_result_value(double) override {}
    void set_result_bool(bool) override {}
    void set_result_empty() override {}
    void commit() override {
        if (target_ && row_ >= 0 && col_ >= 0 && row_ < kMaxRowCount && col_ < kMaxColumnCount) {
            CellEntry entry;
            entry.row = row_ + 1;
            entry.col = col_ + 1;
            if (hasFormula_) {
                entry.kind = CellEntry::Kind::Formula;
                entry.text = formula_;
                entry.grammar = kind_;
                if (isShared_) shared_[sharedIndex_] = {entry.row, entry.col};
                target_->add(std::move(entry));
            } else if (isShared_) {
                const auto first = shared_.find(sharedIndex_);
                if (first != shared_.end()) {
                    entry.kind = CellEntry::Kind::CopyOf;
                    entry.fromRow = first->second.first;
                    entry.fromCol = first->second.second;
                    target_->add(std::move(entry));
                }
            }
        }
        formula_.clear();
        hasFormula_ = isShared_ = false;
        row_ = col_ = -1;
    }

private:
    Collected* target_;
    std::map<std::size_t, std::pair<int, int>>& shared_;
    WorkbookKind kind_;
    row_t row_ = -1;
    col_t col_ = -1;
    std::string formula_;
    bool hasFormula_ = false, isShared_ = false;
    std::size_t sharedIndex_ = 0;
};

// One sheet of the workbook. The sheet being read collects its cells; the others only answer.
class SheetReader : public iface::import_sheet {
public:
    SheetReader(Collected* target, const SharedStrings& strings, WorkbookKind kind)
        : target_(target), strings_(strings), formulas_(target, shared_, kind) {}

    iface::import_formula* get_formula() override { return &formulas_; }
    void set_auto(row_t row, col_t col, std::string_view s) override {
        add(row, col, CellEntry::Kind::Typed, 0.0, std::string(s));
    }
    void set_string(row_t row, col_t col, orcus::spreadsheet::string_id_t index) override {
        if (const std::string* text = strings_.text(index)) add(row, col, CellEntry::Kind::Text, 0.0, *text);
    }
    void set_value(row_t row, col_t col, double value) override {
        add(row, col, CellEntry::Kind::Number, value, {});
    }
    void set_bool(row_t row, col_t col, bool value) override {
        add(row, col, CellEntry::Kind::Bool, value ? 1.0 : 0.0, {});
    }
    void set_date_time(row_t row, col_t col, int year, int month, int day, int hour, int minute,
                       double second) override {
        if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1900 || year > 9999) return;
        add(row, col, CellEntry::Kind::Number, serialFromDateTime(year, month, day, hour, minute, second),
            {});
    }
    void set_format(row_t, col_t, std::size_t) override {}
    void set_format(row_t, col_t, row_t, col_t, std::size_t) override {}
    void fill_down_cells(row_t row, col_t col, row_t count) override {
        if (!target_ || target_->cells.empty()) return;
        // The source is the cell last written there (cells arrive row by row).
        const auto source =
            std::find_if(target_->cells.rbegin(), target_->cells.rend(),
                         [&](const CellEntry& e) { return e.row == row + 1 && e.col == col + 1; });
        if (source == target_->cells.rend()) return;
        const CellEntry model = *source;
        const long long last = std::min<long long>(static_cast<long long>(row) + count, kMaxRowCount - 1);
        for (long long r = row + 1LL; r <= last; ++r) {
            CellEntry copy = model;
            copy.row = static_cast<int>(r) + 1;
            if (model.kind == CellEntry::Kind::Formula || model.kind == CellEntry::Kind::CopyOf) {
                copy.kind = CellEntry::Kind::CopyOf;
                copy.fromRow = model.kind == CellEntry::Kind::CopyOf ? model.fromRow : model.row;
                copy.fromCol = model.kind == CellEntry::Kind::CopyOf ? model.fromCol : model.col;
                copy.text.clear();
            }
            if (!target_->add(std::move(copy))) return;
        }
    }
    orcus::spreadsheet::range_size_t get_sheet_size() const override {
        return {kMaxRowCount, kMaxColumnCount};
    }

private:
    void add(row_t row, col_t col, CellEntry::Kind kind, double number, std::string text) {
        if (!target_ || row < 0 || col < 0 || row >= kMaxRowCount || col >= kMaxColumnCount) return;
        CellEntry entry;
        entry.row = row + 1;
        entry.col = col + 1;
        entry.kind = kind;
        entry.number = number;
        entry.text = std::move(text);
        target_->add(std::move(entry));
    }

    Collected* target_;
    const SharedStrings& strings_;
    std::map<std::size_t, std::pair<int, int>> shared_;
    FormulaReader formulas_;
};

class WorkbookReader : public iface::import_factory {
public:
    WorkbookReader(WorkbookKind kind, std::string wantedSheet)
        : kind_(kind), wanted_(std::move(wantedSheet)) {}

    iface::import_global_settings* get_global_settings() override { return &settings_; }
    iface::import_shared_strings* get_shared_strings() override { return &strings_; }
    iface::import_reference_resolver*
    get_reference_resolver(orcus::spreadsheet::formula_ref_context_t) override {
        return &addresses_;
    }
    iface::import_sheet* append_sheet(orcus::spreadsheet::sheet_t, std::string_view name) override {
        names_.emplace_back(name);
        const bool wanted = chosen_ < 0 && (wanted_.empty() || name == wanted_);
        if (wanted) chosen_ = static_cast<int>(sheets_.size());
        sheets_.push_back(std::make_unique<SheetReader>(wanted ? &collected_ : nullptr, strings_, kind_));
        return sheets_.back().get();
    }
    iface::import_sheet* get_sheet(std::string_view name) override {
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name) return sheets_[i].get();
        return nullptr;
    }
    iface::import_sheet* get_sheet(orcus::spreadsheet::sheet_t index) override {
        return index >= 0 && static_cast<std::size_t>(index) < sheets_.size()
                   ? sheets_[static_cast<std::size_t>(index)].get()
                   : nullptr;
    }
    void finalize() override {}

    const std::vector<std::string>& names() const { return names_; }
    int chosen() const { return chosen_; }
    Collected& collected() { return collected_; }

private:
    WorkbookKind kind_;
    std::string wanted_;
    GlobalSettings settings_;
    SharedStrings strings_;
    AddressResolver addresses_;
    std::vector<std::string> names_;
    std::vector<std::unique_ptr<SheetReader>> sheets_;
    int chosen_ = -1;
    Collected collected_;
};

const char* kindName(WorkbookKind kind) {
    return kind == WorkbookKind::Xlsx ? ".xlsx" : ".ods";
}

// The shortest text that reads back as exactly the number.
Zrk_String numberText(double value) {
    Zrk_String general = formatGeneral(value);
    double back = 0.0;
    if (parseNumber(general, back) && back == value) return general;
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? Zrk_String(buffer, end) : general;
}

bool startsWithIgnoringCase(const Zrk_String& text, std::size_t at, const char* prefix) {
    const std::size_t length = std::char_traits<char>::length(prefix);
    return text.size() - at >= length && isEqual(text.substr(at, length), prefix, true);
}

// An ODF reference in brackets ("[.A1]", "[.$A$1:.B2]") as A1 text; false when it names another
// sheet or is not a reference of this sheet.
bool unwrapOdsReference(const Zrk_String& inner, Zrk_String& out) {
    Zrk_StringArray parts;
    strToArr(inner, parts, ':');
    if (parts.length() < 1 || parts.length() > 2) return false;
    out.clear();
    for (int i = 0; i < parts.length(); ++i) {
        const Zrk_String& part = parts[i];
        if (part.size() < 2 || part[0] != '.') return false;
        if (i > 0) out += ':';
        out += part.substr(1);
    }
    return true;
}

void importCells(Sheet& sheet, Collected& collected, WorkbookReport& report) {
    int lastCol = 1, lastRow = 1;
    for (const CellEntry& cell : collected.cells) {
        lastCol = std::max(lastCol, cell.col);
        lastRow = std::max(lastRow, cell.row);
    }
    sheet.setMaxCols(lastCol);
    sheet.setMaxRows(lastRow);
    // Formulas may read cells written after them: everything is computed once at the end.
    const bool automatic = sheet.getBool(kOptionAutoCalc);
    sheet.setBool(kOptionAutoCalc, false);
    std::vector<const CellEntry*> copies;
    for (const CellEntry& cell : collected.cells) {
        const Zrk_String text = core::fromUtf8(cell.text);
        switch (cell.kind) {
        case CellEntry::Kind::Number:
            sheet.setData(cell.col, cell.row, numberText(cell.number));
            break;
        case CellEntry::Kind::Text: {
            double number = 0.0;
            sheet.setData(cell.col, cell.row, text, /*forceText=*/parseNumber(text, number));
            break;
        }
        case CellEntry::Kind::Typed:
            sheet.setData(cell.col, cell.row, text);
            break;
        case CellEntry::Kind::Bool:
            sheet.setData(cell.col, cell.row, cell.number != 0.0 ? "TRUE" : "FALSE");
            break;
        case CellEntry::Kind::Formula: {
            const Zrk_String formula = translateWorkbookFormula(text, cell.grammar);
            if (!sheet.setFormula(cell.col, cell.row, formula, /*evaluateNow=*/false)) {
                sheet.setData(cell.col, cell.row, "=" + formula, /*forceText=*/true);
                report.keptAsText.append(getAlfabet(cell.col) + intToStr(cell.row) + ": =" + formula);
            }
            break;
        }
        case CellEntry::Kind::CopyOf:
            copies.push_back(&cell);
            break;
        }
    }
    // A formula shared along a block, or repeated down rows, is the first cell's formula copied with
    // its relative references moved.
    for (const CellEntry* copy : copies)
        sheet.copyRange(copy->fromCol, copy->fromRow, copy->fromCol, copy->fromRow, copy->col, copy->row);
    sheet.recalcAll();
    sheet.setBool(kOptionAutoCalc, automatic);
    int usedCols = 0, usedRows = 0;
    sheet.getUsedExtent(usedCols, usedRows);
    report.cells = 0;
    Zrk_String data;
    for (int row = 1; row <= usedRows; ++row)
        for (int col = 1; col <= usedCols; ++col)
            if (sheet.getData(col, row, data) && !data.empty()) ++report.cells;
}

} // namespace

bool workbookKindOf(const Zrk_String& path, WorkbookKind& kind) {
    const Zrk_String extension = getExtension(path);
    if (isEqual(extension, "xlsx", true))
        kind = WorkbookKind::Xlsx;
    else if (isEqual(extension, "ods", true))
        kind = WorkbookKind::Ods;
    else
        return false;
    return true;
}

Zrk_String translateWorkbookFormula(const Zrk_String& formula, WorkbookKind kind) {
    Zrk_String text = formula;
    if (kind == WorkbookKind::Ods) {
        if (startsWithIgnoringCase(text, 0, "of:")) text.erase(0, 3);
    }
    if (!text.empty() && text[0] == '=') text.erase(0, 1);
    Zrk_String out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"') {
            // A text literal, its doubled quotes included, stays as it is.
            std::size_t end = i + 1;
            while (end < text.size() &&
                   !(text[end] == '"' && (end + 1 >= text.size() || text[end + 1] != '"')))
                end += text[end] == '"' ? 2 : 1;
            out.append(text, i, std::min(end + 1, text.size()) - i);
            i = end + 1;
            continue;
        }
        const bool wordStart = i == 0 || !(std::isalnum(static_cast<unsigned char>(text[i - 1])) ||
                                           text[i - 1] == '_' || text[i - 1] == '.');
        if (kind == WorkbookKind::Xlsx && wordStart &&
            (startsWithIgnoringCase(text, i, "_xlfn.") || startsWithIgnoringCase(text, i, "_xlws."))) {
            // Prefixes may follow each other ("_xlfn._xlws.FILTER"): the next one starts a word too.
            text.erase(i, 6);
            continue;
        }
        if (kind == WorkbookKind::Ods) {
            if (wordStart && startsWithIgnoringCase(text, i, "COM.MICROSOFT.")) {
                i += 14;
                continue;
            }
            if (c == ';') {
                out += ',';
                ++i;
                continue;
            }
            if (c == '[') {
                const std::size_t close = text.find(']', i);
                Zrk_String reference;
                if (close != Zrk_String::npos &&
                    unwrapOdsReference(text.substr(i + 1, close - i - 1), reference)) {
                    out += reference;
                    i = close + 1;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

bool importWorkbookBytes(Sheet& sheet, std::string_view bytes, WorkbookKind kind, const Zrk_String& fileName,
                         const Zrk_String& sheetName, WorkbookReport& report, Zrk_String& message) {
    report = WorkbookReport();
    const auto* blob = reinterpret_cast<const unsigned char*>(bytes.data());
    const bool recognised = kind == WorkbookKind::Xlsx ? orcus::orcus_xlsx::detect(blob, bytes.size())
                                                       : orcus::orcus_ods::detect(blob, bytes.size());
    if (!recognised) {
        message = fileName + ": this is no " + kindName(kind) + " workbook (or the file is damaged).";
        return false;
    }
    WorkbookReader reader(kind, core::toUtf8(sheetName));
    try {
        if (kind == WorkbookKind::Xlsx) {
            orcus::orcus_xlsx filter(&reader);
            filter.read_stream(bytes);
        } else {
            orcus::orcus_ods filter(&reader);
            filter.read_stream(bytes);
        }
    } catch (const std::exception& error) {
        message = fileName + ": the " + kindName(kind) + " workbook cannot be read (" +
                  core::fromUtf8(error.what()) + ").";
        return false;
    } catch (...) {
        message = fileName + ": the " + kindName(kind) + " workbook cannot be read.";
        return false;
    }
    for (const std::string& name : reader.names())
        report.sheetNames.append(core::fromUtf8(name));
    if (reader.names().empty()) {
        message = fileName + ": the workbook has no sheet.";
        return false;
    }
    if (reader.chosen() < 0) {
        Zrk_String names;
        for (int i = 0; i < report.sheetNames.length(); ++i)
            names += (i ? ", " : "") + report.sheetNames[i];
        message = fileName + ": the workbook has no sheet \"" + sheetName + "\" (its sheets: " + names + ").";
        return false;
    }
    if (reader.collected().tooMany) {
        message = fileName + ": the sheet has more than " + std::to_string(kMaxImportedCells) + " cells.";
        return false;
    }
    if (!sheet.SSReset()) {
        message = fileName + ": a workbook cannot be read while formulas are calculated.";
        return false;
    }
    report.sheetName = report.sheetNames[reader.chosen()];
    importCells(sheet, reader.collected(), report);
    return true;
}

bool importWorkbook(Sheet& sheet, const Zrk_String& path, const Zrk_String& sheetName, WorkbookReport& report,
                    Zrk_String& message) {
    WorkbookKind kind = WorkbookKind::Xlsx;
    if (!workbookKindOf(path, kind)) {
        message = path + ": a workbook is an .xlsx or .ods file.";
        return false;
    }
    Zrk_String found;
    std::string bytes;
    if (!readFoundFile(normalizePath(path), found, bytes, message)) return false;
    return importWorkbookBytes(sheet, bytes, kind, found, sheetName, report, message);
}

} // namespace spreadlib
