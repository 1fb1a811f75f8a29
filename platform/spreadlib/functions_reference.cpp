// Built-ins about references: ROW, COLUMN, ROWS, COLUMNS, OFFSET (a reference computed from
// another), ADDRESS (a reference as text) and XLOOKUP.
#include <algorithm>

#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/formula.h"
#include "spreadlib/functions_internal.h"

namespace spreadlib::fn {

namespace {

// The reference to the block (a single cell as Ref), or #REF! when it leaves the sheet.
void setBlock(EvalContext& c, Value& r, long long c1, long long r1, long long c2, long long r2) {
    int cols = 0, rows = 0;
    c.sheetSize(cols, rows);
    if (c1 < 1 || r1 < 1 || c2 > cols || r2 > rows || c1 > c2 || r1 > r2) return r.setError(ErrorCode::Ref);
    r.setEmpty();
    r.kind = (c1 == c2 && r1 == r2) ? ValueKind::Ref : ValueKind::Range;
    r.col = static_cast<int>(c1);
    r.row = static_cast<int>(r1);
    r.col2 = static_cast<int>(c2);
    r.row2 = static_cast<int>(r2);
}

template <bool Rows> void position(EvalContext& c, Value* a, int n, Value& r) {
    if (n == 0 || a[0].kind == ValueKind::Missing) return r.setNumber(Rows ? c.row : c.col);
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (a[0].isError()) return r.setError(a[0].error);
    if (!blockOf(a[0], c1, r1, c2, r2)) return r.setError(ErrorCode::Value);
    r.setNumber(Rows ? r1 : c1);
}

template <bool Rows> void extent(EvalContext&, Value* a, int, Value& r) {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (a[0].isError()) return r.setError(a[0].error);
    if (!blockOf(a[0], c1, r1, c2, r2)) return r.setNumber(1.0); // a single value
    r.setNumber(Rows ? r2 - r1 + 1 : c2 - c1 + 1);
}

// Whether a cell matches XLOOKUP's value exactly: the same kind, texts without regard to case (with
// wildcards in mode 2); an empty value matches an empty cell.
bool exactMatch(const Value& wanted, const Value& cell, bool wildcards) {
    if (wanted.kind == ValueKind::Empty) return cell.kind == ValueKind::Empty;
    if (wildcards && wanted.kind == ValueKind::Text)
        return cell.kind == ValueKind::Text && wildcardMatch(wanted.text, cell.text);
    return cell.kind == wanted.kind && compareValues(cell, wanted) == 0;
}

} // namespace

void fnRow(EvalContext& c, Value* a, int n, Value& r) {
    position<true>(c, a, n, r);
}
void fnColumn(EvalContext& c, Value* a, int n, Value& r) {
    position<false>(c, a, n, r);
}
void fnRows(EvalContext& c, Value* a, int n, Value& r) {
    extent<true>(c, a, n, r);
}
void fnColumns(EvalContext& c, Value* a, int n, Value& r) {
    extent<false>(c, a, n, r);
}

// OFFSET(reference, rows, cols [, height [, width]]): the block moved by rows and cols, of the given
// size (else the reference's). A size below 1 or a block outside the sheet is #REF!.
void fnOffset(EvalContext& c, Value* a, int n, Value& r) {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (a[0].isError()) return r.setError(a[0].error);
    if (!blockOf(a[0], c1, r1, c2, r2)) return r.setError(ErrorCode::Value);
    long long down = 0, right = 0, height = r2 - r1 + 1, width = c2 - c1 + 1;
    if (isGiven(a, n, 1) && !intArg(c, a[1], down, r)) return;
    if (isGiven(a, n, 2) && !intArg(c, a[2], right, r)) return;
    if (isGiven(a, n, 3) && !intArg(c, a[3], height, r)) return;
    if (isGiven(a, n, 4) && !intArg(c, a[4], width, r)) return;
    if (height < 1 || width < 1) return r.setError(ErrorCode::Ref);
    const long long top = r1 + down, left = c1 + right;
    setBlock(c, r, left, top, left + width - 1, top + height - 1);
}

// ADDRESS(row, col [, kind [, a1 [, sheet]]]): kind 1 absolute, 2 absolute row, 3 absolute column,
// 4 relative; R1C1 style when a1 is FALSE (relative parts as offsets from the first cell).
void fnAddress(EvalContext& c, Value* a, int n, Value& r) {
    long long row = 0, col = 0, kind = 1;
    bool a1 = true;
    if (!intArg(c, a[0], row, r) || !intArg(c, a[1], col, r)) return;
    if (isGiven(a, n, 2) && !intArg(c, a[2], kind, r)) return;
    if (isGiven(a, n, 3) && !boolArg(c, a[3], a1, r)) return;
    Zrk_String sheet;
    if (isGiven(a, n, 4) && !textArg(c, a[4], sheet, r)) return;
    if (row < 1 || col < 1 || row > kMaxRowCount || col > kMaxColumnCount || kind < 1 || kind > 4)
        return r.setError(ErrorCode::Value);
    const bool rowAbsolute = kind == 1 || kind == 2, colAbsolute = kind == 1 || kind == 3;
    Zrk_String text;
    if (a1) {
        text = (colAbsolute ? "$" : "") + columnName(static_cast<int>(col)) + (rowAbsolute ? "$" : "") +
               std::to_string(row);
    } else {
        text = (rowAbsolute ? "R" + std::to_string(row) : "R[" + std::to_string(row) + "]") +
               (colAbsolute ? "C" + std::to_string(col) : "C[" + std::to_string(col) + "]");
    }
    if (!sheet.empty()) {
        const bool plain = std::all_of(sheet.begin(), sheet.end(), [](char ch) {
            return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
                   ch == '_' || ch == '.';
        });
        Zrk_String quoted;
        for (const char ch : sheet)
            quoted += ch == '\'' ? Zrk_String("''") : Zrk_String(1, ch);
        text = (plain ? sheet : "'" + quoted + "'") + "!" + text;
    }
    setText(r, std::move(text));
}

// XLOOKUP(value, lookIn, returnFrom [, ifNotFound [, matchMode [, searchMode]]]): the cell (or the
// row or column of a block) of returnFrom at the place where value is found in the row or column
// lookIn. matchMode 0 exact, -1 exact or the next smaller, 1 exact or the next larger, 2 wildcards;
// searchMode 1 from the first, -1 from the last, 2 and -2 (sorted data) as 1 and -1. Not found is
// ifNotFound when given, else #N/A.
void fnXLookup(EvalContext& c, Value* a, int n, Value& r) {
    toScalar(c, a[0]);
    Value& wanted = a[0];
    if (wanted.isError()) return r.setError(wanted.error);
    if (wanted.kind == ValueKind::Text && wanted.text.size() > kMaxLookupText)
        return r.setError(ErrorCode::Value);
    int lc1 = 0, lr1 = 0, lc2 = 0, lr2 = 0, rc1 = 0, rr1 = 0, rc2 = 0, rr2 = 0;
    for (int i = 1; i <= 2; ++i)
        if (a[i].isError()) return r.setError(a[i].error);
    if (!blockOf(a[1], lc1, lr1, lc2, lr2) || !blockOf(a[2], rc1, rr1, rc2, rr2))
        return r.setError(ErrorCode::Value);
    if (lc1 != lc2 && lr1 != lr2) return r.setError(ErrorCode::Value);
    double matchMode = 0, searchMode = 1;
    if (isGiven(a, n, 4) && !numberArg(c, a[4], matchMode, r)) return;
    if (isGiven(a, n, 5) && !numberArg(c, a[5], searchMode, r)) return;
    if ((matchMode != 0 && matchMode != -1 && matchMode != 1 && matchMode != 2) ||
        (searchMode != 1 && searchMode != -1 && searchMode != 2 && searchMode != -2))
        return r.setError(ErrorCode::Value);
    // A single cell counts along the return block's direction.
    const bool vertical = lc1 == lc2 && (lr1 != lr2 || rc1 == rc2);
    const long long count = vertical ? lr2 - lr1 + 1 : lc2 - lc1 + 1;
    if (count != (vertical ? rr2 - rr1 + 1 : rc2 - rc1 + 1)) return r.setError(ErrorCode::Value);

    long long found = -1, nearest = -1;
    Value cell, best;
    const bool backwards = searchMode < 0;
    for (long long k = 0; k < count && found < 0; ++k) {
        const long long i = backwards ? count - 1 - k : k;
        c.cellValue(static_cast<int>(vertical ? lc1 : lc1 + i), static_cast<int>(vertical ? lr1 + i : lr1),
                    cell);
        if (exactMatch(wanted, cell, matchMode == 2)) {
            found = i;
        } else if ((matchMode == -1 || matchMode == 1) && cell.kind == wanted.kind) {
            const int side = compareValues(cell, wanted);
            const bool onSide = matchMode < 0 ? side < 0 : side > 0;
            const bool better = nearest < 0 || (matchMode < 0 ? compareValues(cell, best) > 0
                                                              : compareValues(cell, best) < 0);
            if (onSide && better) {
                nearest = i;
                best = cell;
            }
        }
    }
    if (found < 0) found = nearest;
    if (found < 0) {
        if (!isGiven(a, n, 3)) return r.setError(ErrorCode::NA);
        toScalar(c, a[3]);
        r = a[3];
        if (r.kind == ValueKind::Empty) r.setNumber(0.0);
        return;
    }
    if (vertical)
        setBlock(c, r, rc1, rr1 + found, rc2, rr1 + found);
    else
        setBlock(c, r, rc1 + found, rr1, rc1 + found, rr2);
}

} // namespace spreadlib::fn
