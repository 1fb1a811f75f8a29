#pragma once
// The values a formula computes with: empty, number, text, logical, error, and while evaluating, a
// reference to a cell or a block.

#include <cstdint>

#include "core/zrk_string.h"

namespace spreadlib {

enum class ErrorCode : std::uint8_t {
    None = 0,
    Null,     // #NULL!
    Div0,     // #DIV/0!
    Value,    // #VALUE!
    Ref,      // #REF!
    Name,     // #NAME?
    Num,      // #NUM!
    NA,       // #N/A
    Circular, // #CIRC!  a cell that takes part in a circular reference
};

const char* errorText(ErrorCode code);
// The error whose text this is ("#DIV/0!" ...); None when it is none.
ErrorCode errorFromText(const Zrk_String& text);
// What the error says, in a few words ("a division by zero" for #DIV/0!); empty for None.
const char* errorMeaning(ErrorCode code);

enum class ValueKind : std::uint8_t { Empty, Number, Text, Bool, Error, Ref, Range, Missing };

struct Value {
    ValueKind kind = ValueKind::Empty;
    ErrorCode error = ErrorCode::None;
    double number = 0.0; // Number; Bool as 0 or 1
    Zrk_String text;
    int col = 0, row = 0, col2 = 0, row2 = 0; // Ref: col, row. Range: the block.

    static Value makeNumber(double v) {
        Value value;
        value.kind = ValueKind::Number;
        value.number = v;
        return value;
    }
    static Value makeBool(bool v) {
        Value value;
        value.kind = ValueKind::Bool;
        value.number = v ? 1.0 : 0.0;
        return value;
    }
    static Value makeText(Zrk_String v) {
        Value value;
        value.kind = ValueKind::Text;
        value.text = std::move(v);
        return value;
    }
    static Value makeError(ErrorCode e) {
        Value value;
        value.kind = ValueKind::Error;
        value.error = e;
        return value;
    }
    void setNumber(double v) {
        kind = ValueKind::Number;
        number = v;
        text.clear();
    }
    void setBool(bool v) {
        kind = ValueKind::Bool;
        number = v ? 1.0 : 0.0;
        text.clear();
    }
    void setError(ErrorCode e) {
        kind = ValueKind::Error;
        error = e;
        text.clear();
    }
    void setText(Zrk_String v) {
        kind = ValueKind::Text;
        text = std::move(v);
    }
    void setEmpty() {
        kind = ValueKind::Empty;
        text.clear();
    }
    bool isError() const { return kind == ValueKind::Error; }
    bool isReference() const { return kind == ValueKind::Ref || kind == ValueKind::Range; }
    bool operator==(const Value& other) const {
        if (kind != other.kind) return false;
        switch (kind) {
        case ValueKind::Number:
        case ValueKind::Bool: return number == other.number;
        case ValueKind::Text: return text == other.text;
        case ValueKind::Error: return error == other.error;
        case ValueKind::Ref: return col == other.col && row == other.row;
        case ValueKind::Range: return col == other.col && row == other.row && col2 == other.col2 && row2 == other.row2;
        default: return true;
        }
    }
};

// Where the error value of a formula arose: the function or operator that made it from arguments that
// held no error, with those arguments as a formula would write them ("\"XYZ 1\"", "4", "TRUE", a
// block as "B2:B5"); or, with an empty operation, the error value written in the formula itself.
struct ErrorOrigin {
    Zrk_String operation;       // "VLOOKUP", a custom function's name, "/", "&", "IF" ...
    Zrk_StringArray arguments;
    ErrorCode error = ErrorCode::None;
};

} // namespace spreadlib
