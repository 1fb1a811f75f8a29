#pragma once
// Value type and role of a standards variable, and the status every failing step of the engine
// answers.

#include "host/acad.h"

// The value type of a spreadsheet variable and of a macro object it can be mapped to.
enum class KvValueType : int { Int = 0, Double = 1, String = 2 };

// The role of a standards variable, given by the section of the sheet that declares it.
enum class KvCellType : int { Input = 0, Output = 1, Local = 2 };

// Int and Double are numeric.
inline bool isNumeric(KvValueType type) { return type == KvValueType::Int || type == KvValueType::Double; }

// The keyword that declares the type: "Int", "Double", "String".
inline const char* valueTypeName(KvValueType type) {
    switch (type) {
    case KvValueType::Int: return "Int";
    case KvValueType::Double: return "Double";
    default: return "String";
    }
}

// The section that declares the role: "Input", "Output", "Local".
inline const char* roleName(KvCellType role) {
    switch (role) {
    case KvCellType::Input:
        return "Input";
    case KvCellType::Output:
        return "Output";
    default:
        return "Local";
    }
}

namespace standards {
// What the engine's operations answer when they fail (the reason goes to setFailure or the report).
inline constexpr Acad::ErrorStatus kFail = Acad::eInvalidInput;
} // namespace standards
