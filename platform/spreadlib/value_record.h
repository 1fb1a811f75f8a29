#pragma once
// The value record that custom spreadsheet functions receive and answer, and their registration.
//
// A record has a status (valid, unreadable, empty), a type and the payload of that type. Text is held
// by the record itself (a Zrk_String of the module's 8-bit text): nobody allocates or frees memory
// blocks for it.
//
// How a function's answer shows in its cell:
//  - the callback answers nonzero and the result is valid: long and double give a number, text gives a
//    text, a cell reference gives that cell's value, a range gives #VALUE!;
//  - the callback answers nonzero and the result is empty: the cell is empty (0 in arithmetic);
//  - the callback answers nonzero with an unreadable result, or answers zero (failure): #VALUE!;
//  - a call with fewer or more arguments than registered, or a nesting of evaluations deeper than
//    kMaxEvaluationNesting: #VALUE! without calling the function;
//  - a name used in a formula that is neither built in nor registered: #NAME?.

#include <cstdint>
#include <functional>

#include "core/zrk_string.h"

namespace spreadlib {

enum ValueStatus : std::uint8_t {
    kStatusValid = 0,
    kStatusUnreadable = 1,
    kStatusEmpty = 2,
};

enum ValueType : std::uint8_t {
    kValueLong = 0,
    kValueDouble = 1,
    kValueText = 2,
    kValueCell = 3,
    kValueRange = 4,
};

// Registration flags: how references arrive.
enum FunctionFlags : int {
    // Every argument arrives as a value: a referenced cell's number as a double, its text as a text,
    // an empty cell with status empty, an error value as unreadable; a block of several cells is
    // unreadable. Logical values arrive as longs (1 or 0), numbers always as doubles.
    kFunctionValues = 0,
    // A reference to one cell arrives as a cell (type 3), a block as a range (type 4).
    kFunctionReferences = 1,
};

struct ValueRecord {
    std::uint8_t status = kStatusEmpty;
    std::uint8_t type = kValueLong;
    long longValue = 0;
    double doubleValue = 0.0;
    Zrk_String text;
    // Cell: col, row. Range: col, row to col2, row2 (1-based, inclusive).
    int col = 0;
    int row = 0;
    int col2 = 0;
    int row2 = 0;

    void setEmpty() { *this = ValueRecord(); }
    void setLong(long value) { *this = ValueRecord(); status = kStatusValid; type = kValueLong; longValue = value; }
    void setDouble(double value) {
        *this = ValueRecord();
        status = kStatusValid;
        type = kValueDouble;
        doubleValue = value;
    }
    void setText(const Zrk_String& value) {
        *this = ValueRecord();
        status = kStatusValid;
        type = kValueText;
        text = value;
    }
    void setCell(int c, int r) {
        *this = ValueRecord();
        status = kStatusValid;
        type = kValueCell;
        col = c;
        row = r;
    }
    void setRange(int c1, int r1, int c2, int r2) {
        *this = ValueRecord();
        status = kStatusValid;
        type = kValueRange;
        col = c1;
        row = r1;
        col2 = c2;
        row2 = r2;
    }
    bool operator==(const ValueRecord&) const = default;
};

// The callback: result record (starts empty), the argument records and their count; answers nonzero
// for success. Inside the callback Sheet::evaluatingSheet() is the sheet whose formula is evaluated.
using CustomFunction = std::function<long(ValueRecord& result, const ValueRecord* args, int argCount)>;

} // namespace spreadlib
