#pragma once
// Formulas in their compact form: the formula text parsed once into a postfix token list that the
// evaluator runs with a value stack and that prints back in A1 or R1C1 style. References are kept as
// sheet coordinates with absolute/relative flags, so that inserting and deleting rows and columns,
// copying and moving only rewrite tokens.
//
// Parsing is a recursive descent whose depth is bounded by kMaxFormulaNesting; printing and
// evaluation use explicit stacks, so no formula can exhaust the call stack.

#include <cstdint>
#include <functional>
#include <vector>

#include "core/zrk_string.h"
#include "spreadlib/value.h"

namespace spreadlib {

enum class Op : std::uint8_t {
    Number,
    String,  // a = index into Formula::strings
    Bool,
    Error,   // a = ErrorCode
    Missing, // an omitted argument
    Ref,     // a = col, b = row
    Range,   // a, b = first col, row; c, d = last col, row
    Neg,
    Plus,    // unary plus
    Percent,
    Add, Sub, Mul, Div, Pow, Concat,
    Eq, Ne, Lt, Le, Gt, Ge,
    Paren,   // parentheses written in the formula: nothing at run time
    Call,    // a = function id, count = argument count
    IfFalseJump, // IF: pops the condition; a = index to continue at when it is false
    Jump,        // a = index to continue at
    IfErrorJump, // IFERROR (b = 0) and IFNA (b = 1): keeps the value and jumps to a when it is no error
                 // (no #N/A), else pops it
};

enum TokenFlags : std::uint8_t {
    kColAbs = 1,
    kRowAbs = 2,
    kCol2Abs = 4,
    kRow2Abs = 8,
    kWholeColumns = 16, // a range of whole columns (A:B): rows 1..max
    kWholeRows = 32,    // a range of whole rows (1:2): columns 1..max
    kSynthetic = 128,   // added by the parser (the FALSE of an IF without else): not printed
};

struct Token {
    Op op = Op::Number;
    std::uint8_t flags = 0;
    std::uint16_t count = 0;
    std::int32_t a = 0, b = 0, c = 0, d = 0;
    double number = 0.0;
};

struct Formula {
    std::vector<Token> code;
    std::vector<Zrk_String> strings;
    bool operator==(const Formula&) const;
};

// The function names a formula may use: the built-ins and the sheet's custom functions.
class FunctionResolver {
public:
    virtual ~FunctionResolver() = default;
    // The id of a function by name (any letter case), or -1. A resolver may hand out ids for names it
    // does not know yet (functions registered later), or refuse them.
    virtual int functionId(const Zrk_String& name) = 0;
    virtual Zrk_String functionName(int id) const = 0;
    // Argument counts checked while parsing; -1 where unknown until the call.
    virtual void argumentRange(int id, int& minArgs, int& maxArgs) const = 0;
};

struct ParseResult {
    bool ok = false;
    Zrk_String message; // what was expected where, when not ok
};

// Parses formula text (a leading "=" is allowed) written at (col, row) in the given reference style
// (R1C1 when r1c1 is true).
ParseResult parseFormula(const Zrk_String& text, bool r1c1, int col, int row, FunctionResolver& resolver,
                         Formula& formula);
// The formula's text without the leading "=", for a formula standing at (col, row).
Zrk_String printFormula(const Formula& formula, bool r1c1, int col, int row, const FunctionResolver& resolver);

// Column letters of A1 style (1 is A, 27 is AA) and back; 0 when the letters name no valid column.
Zrk_String columnName(int col);
int columnFromName(const Zrk_String& letters);

// --- rewriting references -----------------------------------------------------------------------
// Each answers true when a token changed. A reference that no longer points into the sheet becomes
// the error #REF!.

// Rows (or columns when columns is true) inserted at `at`: references at or after it move by count.
bool adjustForInsert(Formula& formula, bool columns, int at, int count);
// Rows (columns) at..at+count-1 deleted: references into them become #REF!, ranges shrink.
bool adjustForDelete(Formula& formula, bool columns, int at, int count);
// A formula copied by (dCol, dRow): its relative references move with it.
bool adjustForCopy(Formula& formula, int dCol, int dRow);
// Cells of a block moved by (dCol, dRow): references to cells inside the block follow them (a range
// follows when both of its corners lie inside).
bool adjustForMove(Formula& formula, int col1, int row1, int col2, int row2, int dCol, int dRow);
// Rows (columns) renumbered: map gives each old index its new one.
bool adjustForRenumber(Formula& formula, bool columns, const std::function<int(int)>& map);

// Calls visit for every reference of the formula: a cell as (col, row, col, row), a block as its corners.
void forEachReference(const Formula& formula, const std::function<void(int, int, int, int)>& visit);
template <typename Visit> void visitReferences(const Formula& formula, Visit&& visit) {
    for (const Token& t : formula.code) {
        if (t.op == Op::Ref) visit(t.a, t.b, t.a, t.b);
        else if (t.op == Op::Range) visit(t.a, t.b, t.c, t.d);
    }
}

} // namespace spreadlib
