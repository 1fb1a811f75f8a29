#pragma once
// The built-in functions and the conversions that operators and functions share, with the semantics
// of the common spreadsheet programs: texts that read as numbers work in arithmetic, cells of blocks
// count only with their numbers in SUM and its kin, errors travel as values, logical values are 1 and 0.

#include <ctime>
#include <functional>

#include "spreadlib/value.h"

namespace spreadlib {

// What a function needs of the sheet while it is evaluated.
class EvalContext {
public:
    virtual ~EvalContext() = default;
    // The value of a cell: empty, number, text, logical or error (never a reference).
    virtual void cellValue(int col, int row, Value& out) = 0;
    // Calls visit with every non-empty cell of the block, column by column; visit answers false to stop.
    virtual void forEachValue(int col1, int row1, int col2, int row2,
                              const std::function<bool(const Value&)>& visit) = 0;
    // The same with each cell's place; visit answers false to stop.
    virtual void forEachCell(int col1, int row1, int col2, int row2,
                             const std::function<bool(int col, int row, const Value&)>& visit) = 0;
    // The last column and row that hold content (0 when none): every cell beyond them is empty.
    virtual void usedExtent(int& lastCol, int& lastRow) = 0;
    // The sheet's column and row counts: references beyond them are #REF!.
    virtual void sheetSize(int& cols, int& rows) = 0;
    int col = 0; // the cell whose formula is evaluated
    int row = 0;
};

// Ids of the built-ins that the parser and the evaluator treat specially.
inline constexpr int kFunctionIf = 0;
inline constexpr int kFunctionIfError = 1;
inline constexpr int kFunctionIfNa = 2;
// Custom functions of a sheet have ids from here on.
inline constexpr int kFirstCustomFunctionId = 1000;

// The id of a built-in by name (any letter case), or -1.
int findBuiltin(const Zrk_String& name);
int builtinCount();
const char* builtinName(int id);
void builtinArguments(int id, int& minArgs, int& maxArgs);
// Computes a built-in (not IF or IFERROR, which the evaluator runs). args may be references.
void callBuiltin(int id, EvalContext& context, Value* args, int argCount, Value& result);
// Built-ins whose value can change without any cell they name changing (OFFSET reads cells it
// computes, TODAY and NOW read the clock): their formulas are recalculated with every change.
bool isVolatileBuiltin(int id);

// The serial number of a date and time (month 1..12, day 1..31): days since 1899-12-31, counting the
// 29 February 1900 that spreadsheet files count, the time of day as the fraction.
double serialFromDateTime(long long year, int month, int day, int hour, int minute, double second);
// The local date and time that TODAY and NOW read; tests set a fixed one (null: the system clock).
using LocalClock = std::tm (*)();
void setLocalClock(LocalClock clock);

// --- conversions --------------------------------------------------------------------------------

// A reference becomes the value it stands for: a cell its value; a block the cell in the formula's row
// (one column) or column (one row), else #VALUE!. A missing argument becomes empty.
void toScalar(EvalContext& context, Value& value);
// Number of a scalar: logical 1/0, empty 0, text that reads as a number; else error set, false.
bool toNumber(const Value& value, double& number, ErrorCode& error);
// Text of a scalar: numbers as shown without a format, TRUE/FALSE, empty "".
bool toText(const Value& value, Zrk_String& text, ErrorCode& error);
// Logical of a scalar: numbers other than 0, texts "TRUE"/"FALSE" (any case), empty false.
bool toBool(const Value& value, bool& result, ErrorCode& error);
// Orders two scalars as comparisons do: numbers before texts before logical values, texts as
// compareTexts orders them, empty as 0, "" or FALSE depending on the other side. -1, 0 or 1.
int compareValues(const Value& a, const Value& b);
// Orders texts as spreadsheet programs sort them, not by their bytes: without regard to letter case,
// symbols before digits before letters, hyphens and apostrophes skipped unless the texts differ only
// by them (then the one with them sorts after). -1, 0 or 1.
int compareTexts(const Zrk_String& a, const Zrk_String& b);
// "*", "?" and "~" (escape) wildcards, without regard to letter case.
bool wildcardMatch(const Zrk_String& pattern, const Zrk_String& text);
// base^exponent with the spreadsheet's errors: 0^0 is #NUM!, 0^negative #DIV/0!.
void powerOf(double base, double exponent, Value& result);
// A finite number, else #NUM!.
void setNumberChecked(Value& result, double number);

} // namespace spreadlib
