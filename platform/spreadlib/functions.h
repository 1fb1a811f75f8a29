#pragma once
// The built-in functions and the conversions that operators and functions share, with the semantics
// of the common spreadsheet programs: texts that read as numbers work in arithmetic, cells of blocks
// count only with their numbers in SUM and its kin, errors travel as values, logical values are 1 and 0.

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
    int col = 0; // the cell whose formula is evaluated
    int row = 0;
};

// Ids of the built-ins that the parser and the evaluator treat specially.
inline constexpr int kFunctionIf = 0;
inline constexpr int kFunctionIfError = 1;
// Custom functions of a sheet have ids from here on.
inline constexpr int kFirstCustomFunctionId = 1000;

// The id of a built-in by name (any letter case), or -1.
int findBuiltin(const Zrk_String& name);
int builtinCount();
const char* builtinName(int id);
void builtinArguments(int id, int& minArgs, int& maxArgs);
// Computes a built-in (not IF or IFERROR, which the evaluator runs). args may be references.
void callBuiltin(int id, EvalContext& context, Value* args, int argCount, Value& result);

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
// Orders two scalars as comparisons do: numbers before texts before logical values, texts without
// regard to letter case, empty as 0, "" or FALSE depending on the other side. -1, 0 or 1.
int compareValues(const Value& a, const Value& b);
// "*", "?" and "~" (escape) wildcards, without regard to letter case.
bool wildcardMatch(const Zrk_String& pattern, const Zrk_String& text);
// base^exponent with the spreadsheet's errors: 0^0 is #NUM!, 0^negative #DIV/0!.
void powerOf(double base, double exponent, Value& result);
// A finite number, else #NUM!.
void setNumberChecked(Value& result, double number);

} // namespace spreadlib
