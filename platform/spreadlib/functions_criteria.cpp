// Built-ins that count, add or average the cells of blocks that meet conditions (COUNTIF, COUNTIFS,
// SUMIF, SUMIFS, AVERAGEIF) and COUNTBLANK.
//
// A condition is a value or a text with an operator in front ("<>", "<=", ">=", "<", ">", "="):
//  - a number (or a text that reads as one: ">=10") compares with numbers and with texts that read as
//    numbers, as spreadsheet programs compare them;
//  - "TRUE" or "FALSE" compares with logical values, "#N/A" and the other error texts with errors;
//  - any other text compares with texts without regard to case; with "=" (or no operator) and "<>"
//    it may hold the wildcards "*", "?" and "~";
//  - "" and "=" match empty cells (and empty texts), "<>" every cell that is not empty;
//  - "<>" with anything matches every cell that the same condition with "=" does not match, empty
//    cells included;
//  - a reference to an empty cell is the number 0.
#include <algorithm>
#include <cstring>

#include "core/text.h"

#include "spreadlib/functions_internal.h"
#include "spreadlib/number_format.h"

namespace spreadlib::fn {

namespace {

enum class Compare { Eq, Ne, Lt, Le, Gt, Ge };

class Criterion {
public:
    // From the condition argument (a scalar); an error value as the condition matches that error.
    explicit Criterion(const Value& condition) {
        switch (condition.kind) {
        case ValueKind::Number:
            setNumber(condition.number);
            break;
        case ValueKind::Bool:
            operand_ = Operand::Bool;
            number_ = condition.number;
            break;
        case ValueKind::Error:
            operand_ = Operand::Error;
            error_ = condition.error;
            break;
        case ValueKind::Text:
            parse(condition.text);
            break;
        default:
            setNumber(0.0);
            break; // an empty cell as the condition is 0
        }
    }

    bool matchesBlank() const {
        if (compare_ == Compare::Eq) return operand_ == Operand::Blank;
        if (compare_ == Compare::Ne) return operand_ != Operand::Blank;
        return false;
    }

    bool matches(const Value& cell) const {
        if (cell.kind == ValueKind::Empty || cell.kind == ValueKind::Missing) return matchesBlank();
        if (operand_ == Operand::Blank) {
            // "=" matches empty texts too; "<>" every cell with something in it.
            const bool emptyText = cell.kind == ValueKind::Text && cell.text.empty();
            if (compare_ == Compare::Eq) return emptyText;
            if (compare_ == Compare::Ne) return true;
            return cell.kind == ValueKind::Text && ordered(compareTexts(cell.text, text_));
        }
        int order = 0;
        if (!compareWith(cell, order)) return compare_ == Compare::Ne;
        return ordered(order);
    }

private:
    enum class Operand { Number, Text, Bool, Error, Blank };

    void setNumber(double number) {
        operand_ = Operand::Number;
        number_ = number;
    }

    void parse(const Zrk_String& condition) {
        static const struct {
            const char* symbol;
            Compare compare;
        } operators[] = {{"<>", Compare::Ne}, {"<=", Compare::Le}, {">=", Compare::Ge},
                         {"<", Compare::Lt},  {">", Compare::Gt},  {"=", Compare::Eq}};
        Zrk_String rest = condition;
        for (const auto& op : operators)
            if (rest.compare(0, std::strlen(op.symbol), op.symbol) == 0) {
                compare_ = op.compare;
                rest.erase(0, std::strlen(op.symbol));
                break;
            }
        double number = 0.0;
        if (rest.empty()) {
            operand_ = Operand::Blank;
        } else if (parseValueText(rest, number)) {
            setNumber(number);
        } else if (isEqual(rest, "TRUE", true) || isEqual(rest, "FALSE", true)) {
            operand_ = Operand::Bool;
            number_ = isEqual(rest, "TRUE", true) ? 1.0 : 0.0;
        } else if (errorFromText(rest) != ErrorCode::None) {
            operand_ = Operand::Error;
            error_ = errorFromText(rest);
        } else {
            operand_ = Operand::Text;
            wildcards_ = (compare_ == Compare::Eq || compare_ == Compare::Ne) &&
                         rest.size() <= kMaxLookupText && rest.find_first_of("*?~") != Zrk_String::npos;
        }
        text_ = rest;
    }

    // The order of the cell against the operand; false when they do not compare (other kinds).
    bool compareWith(const Value& cell, int& order) const {
        switch (operand_) {
        case Operand::Number: {
            double number = cell.number;
            if (cell.kind == ValueKind::Text) {
                if (!parseNumber(cell.text, number)) return false;
            } else if (cell.kind != ValueKind::Number) {
                return false;
            }
            order = number < number_ ? -1 : (number > number_ ? 1 : 0);
            return true;
        }
        case Operand::Bool:
            if (cell.kind != ValueKind::Bool) return false;
            order = cell.number < number_ ? -1 : (cell.number > number_ ? 1 : 0);
            return true;
        case Operand::Error:
            if (cell.kind != ValueKind::Error || (compare_ != Compare::Eq && compare_ != Compare::Ne))
                return false;
            order = cell.error == error_ ? 0 : 1;
            return true;
        case Operand::Text:
            if (cell.kind != ValueKind::Text) return false;
            if (wildcards_)
                order = wildcardMatch(text_, cell.text) ? 0 : 1;
            else
                order = compareTexts(cell.text, text_);
            return true;
        case Operand::Blank:
            return false;
        }
        return false;
    }

    bool ordered(int order) const {
        switch (compare_) {
        case Compare::Eq:
            return order == 0;
        case Compare::Ne:
            return order != 0;
        case Compare::Lt:
            return order < 0;
        case Compare::Le:
            return order <= 0;
        case Compare::Gt:
            return order > 0;
        case Compare::Ge:
            return order >= 0;
        }
        return false;
    }

    Compare compare_ = Compare::Eq;
    Operand operand_ = Operand::Number;
    double number_ = 0.0;
    Zrk_String text_;
    bool wildcards_ = false;
    ErrorCode error_ = ErrorCode::None;
};

struct Block {
    int col = 0, row = 0, cols = 0, rows = 0;
};

// The block of a reference argument; false (#VALUE!, or the argument's error) for anything else.
bool blockArg(const Value& arg, Block& block, Value& r) {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (!blockOf(arg, c1, r1, c2, r2)) {
        r.setError(arg.isError() ? arg.error : ErrorCode::Value);
        return false;
    }
    block = {c1, r1, c2 - c1 + 1, r2 - r1 + 1};
    return true;
}

struct Condition {
    Block block;
    Criterion criterion;
};

// Calls visit(dc, dr) for every place of the blocks' shape (rows x cols) at which every condition
// holds, and answers how many more places beyond the used cells hold them all (places whose cells
// are all empty: visited only as a count, as they can add nothing).
long long forEachMatch(EvalContext& c, const std::vector<Condition>& conditions,
                       const std::vector<Block>& others, int rows, int cols,
                       const std::function<void(int, int)>& visit) {
    int lastCol = 0, lastRow = 0;
    c.usedExtent(lastCol, lastRow);
    int usedRows = 0, usedCols = 0;
    auto widen = [&](const Block& b) {
        usedRows = std::max(usedRows, std::clamp(lastRow - b.row + 1, 0, rows));
        usedCols = std::max(usedCols, std::clamp(lastCol - b.col + 1, 0, cols));
    };
    for (const Condition& condition : conditions)
        widen(condition.block);
    for (const Block& block : others)
        widen(block);
    Value cell;
    for (int dr = 0; dr < usedRows; ++dr)
        for (int dc = 0; dc < usedCols; ++dc) {
            bool all = true;
            for (const Condition& condition : conditions) {
                c.cellValue(condition.block.col + dc, condition.block.row + dr, cell);
                if (!condition.criterion.matches(cell)) {
                    all = false;
                    break;
                }
            }
            if (all) visit(dc, dr);
        }
    bool blanksMatch = true;
    for (const Condition& condition : conditions)
        blanksMatch = blanksMatch && condition.criterion.matchesBlank();
    if (!blanksMatch) return 0;
    return static_cast<long long>(rows) * cols - static_cast<long long>(usedRows) * usedCols;
}

// The pairs (block, condition) from args[first] on; every block of the given shape (else #VALUE!).
bool readConditions(EvalContext& c, Value* a, int n, int first, int& rows, int& cols,
                    std::vector<Condition>& out, Value& r) {
    if ((n - first) % 2 != 0 || n - first < 2) {
        r.setError(ErrorCode::Value);
        return false;
    }
    for (int i = first; i < n; i += 2) {
        Block block;
        if (!blockArg(a[i], block, r)) return false;
        if (rows < 0) {
            rows = block.rows;
            cols = block.cols;
        } else if (block.rows != rows || block.cols != cols) {
            r.setError(ErrorCode::Value);
            return false;
        }
        toScalar(c, a[i + 1]);
        out.push_back({block, Criterion(a[i + 1])});
    }
    return true;
}

// Adds the numbers of the block's cells at the matching places (texts and logical values do not
// count); an error among them is the result.
void sumMatches(EvalContext& c, const std::vector<Condition>& conditions, const Block& sum, int rows,
                int cols, bool average, Value& r) {
    double total = 0.0;
    long long count = 0;
    ErrorCode error = ErrorCode::None;
    Value cell;
    forEachMatch(c, conditions, {sum}, rows, cols, [&](int dc, int dr) {
        c.cellValue(sum.col + dc, sum.row + dr, cell);
        if (cell.kind == ValueKind::Number) {
            total += cell.number;
            ++count;
        } else if (cell.kind == ValueKind::Error && error == ErrorCode::None) {
            error = cell.error;
        }
    });
    if (error != ErrorCode::None) return r.setError(error);
    if (!average) return setNumberChecked(r, total);
    if (count == 0) return r.setError(ErrorCode::Div0);
    setNumberChecked(r, total / static_cast<double>(count));
}

// SUMIF and AVERAGEIF: the cells to add are those of the third argument's block taken from its
// top-left cell in the shape of the first (as spreadsheet programs do), else the first's own.
void conditionalSum(EvalContext& c, Value* a, int n, Value& r, bool average) {
    int rows = -1, cols = -1;
    std::vector<Condition> conditions;
    if (!readConditions(c, a, 2, 0, rows, cols, conditions, r)) return;
    Block sum = conditions[0].block;
    if (isGiven(a, n, 2)) {
        Block given;
        if (!blockArg(a[2], given, r)) return;
        sum.col = given.col;
        sum.row = given.row;
    }
    sumMatches(c, conditions, sum, rows, cols, average, r);
}

} // namespace

void fnCountIf(EvalContext& c, Value* a, int, Value& r) {
    fnCountIfs(c, a, 2, r);
}

void fnCountIfs(EvalContext& c, Value* a, int n, Value& r) {
    int rows = -1, cols = -1;
    std::vector<Condition> conditions;
    if (!readConditions(c, a, n, 0, rows, cols, conditions, r)) return;
    long long count = 0;
    const long long beyondUsedCells = forEachMatch(c, conditions, {}, rows, cols, [&](int, int) { ++count; });
    r.setNumber(static_cast<double>(count + beyondUsedCells));
}

void fnSumIf(EvalContext& c, Value* a, int n, Value& r) {
    conditionalSum(c, a, n, r, false);
}
void fnAverageIf(EvalContext& c, Value* a, int n, Value& r) {
    conditionalSum(c, a, n, r, true);
}

void fnSumIfs(EvalContext& c, Value* a, int n, Value& r) {
    Block sum;
    if (!blockArg(a[0], sum, r)) return;
    int rows = sum.rows, cols = sum.cols;
    std::vector<Condition> conditions;
    if (!readConditions(c, a, n, 1, rows, cols, conditions, r)) return;
    sumMatches(c, conditions, sum, rows, cols, false, r);
}

// COUNTBLANK(block): its empty cells and the cells that hold an empty text.
void fnCountBlank(EvalContext& c, Value* a, int, Value& r) {
    Block block;
    if (!blockArg(a[0], block, r)) return;
    long long filled = 0;
    c.forEachValue(block.col, block.row, block.col + block.cols - 1, block.row + block.rows - 1,
                   [&](const Value& v) {
                       if (!(v.kind == ValueKind::Text && v.text.empty())) ++filled;
                       return true;
                   });
    r.setNumber(static_cast<double>(static_cast<long long>(block.rows) * block.cols - filled));
}

} // namespace spreadlib::fn
