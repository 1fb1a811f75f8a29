#include "core/constraint_model.h"

#include <cctype>
#include <cmath>

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"

namespace core {

namespace {

Zrk_String textOr(int id, const char* english) {
    const Zrk_String text = id > 0 ? dialString(id) : Zrk_String();
    return text.empty() ? Zrk_String(english) : text;
}

bool isRound(int kind) {
    return kind == kGeomArc || kind == kGeomCircle;
}

bool isStraight(int kind) {
    return kind == kGeomLine || kind == kGeomPlane;
}

// A small recursive-descent reader of arithmetic expressions.
class ExpressionReader {
public:
    ExpressionReader(const Zrk_String& text, const std::function<bool(const Zrk_String&, double&)>& lookUp)
        : text_(text), lookUp_(lookUp) {}

    bool run(double& value, Zrk_String& reason) {
        if (!sum(value)) {
            reason = reason_;
            return false;
        }
        skipBlanks();
        if (at_ < text_.size()) {
            reason = "\"" + text_.substr(at_) + "\" cannot follow the expression";
            return false;
        }
        return true;
    }

private:
    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t'))
            ++at_;
    }
    bool fail(const Zrk_String& reason) {
        reason_ = reason;
        return false;
    }
    bool sum(double& value) {
        if (!product(value)) return false;
        for (;;) {
            skipBlanks();
            if (at_ >= text_.size() || (text_[at_] != '+' && text_[at_] != '-')) return true;
            const char op = text_[at_++];
            double right = 0.0;
            if (!product(right)) return false;
            value = op == '+' ? value + right : value - right;
        }
    }
    bool product(double& value) {
        if (!factor(value)) return false;
        for (;;) {
            skipBlanks();
            if (at_ >= text_.size() || (text_[at_] != '*' && text_[at_] != '/')) return true;
            const char op = text_[at_++];
            double right = 0.0;
            if (!factor(right)) return false;
            if (op == '/' && right == 0.0) return fail("a division by 0");
            value = op == '*' ? value * right : value / right;
        }
    }
    bool factor(double& value) {
        skipBlanks();
        if (++depth_ > 100) return fail("the expression is nested too deeply");
        const bool ok = primary(value);
        --depth_;
        return ok;
    }
    bool primary(double& value) {
        if (at_ >= text_.size()) return fail("the expression ends too early");
        const unsigned char c = static_cast<unsigned char>(text_[at_]);
        if (c == '-' || c == '+') {
            ++at_;
            if (!factor(value)) return false;
            if (c == '-') value = -value;
            return true;
        }
        if (c == '(') {
            ++at_;
            if (!sum(value)) return false;
            skipBlanks();
            if (at_ >= text_.size() || text_[at_] != ')') return fail("a \")\" is missing");
            ++at_;
            return true;
        }
        if (std::isdigit(c) || c == '.') {
            std::size_t end = at_;
            while (end < text_.size() &&
                   (std::isdigit(static_cast<unsigned char>(text_[end])) || text_[end] == '.'))
                ++end;
            if (end < text_.size() && (text_[end] == 'e' || text_[end] == 'E')) {
                std::size_t exponent = end + 1;
                if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-')) ++exponent;
                if (exponent < text_.size() && std::isdigit(static_cast<unsigned char>(text_[exponent]))) {
                    end = exponent;
                    while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end])))
                        ++end;
                }
            }
            const Zrk_String number = text_.substr(at_, end - at_);
            if (!parseNumber(number, value)) return fail("\"" + number + "\" is no number");
            at_ = end;
            return true;
        }
        if (std::isalpha(c) || c == '_') {
            std::size_t end = at_;
            while (end < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[end])) || text_[end] == '_'))
                ++end;
            const Zrk_String name = text_.substr(at_, end - at_);
            if (!lookUp_(name, value)) return fail("\"" + name + "\" is no variable of the module");
            at_ = end;
            return true;
        }
        return fail("\"" + text_.substr(at_, 1) + "\" is not understood");
    }

    const Zrk_String& text_;
    const std::function<bool(const Zrk_String&, double&)>& lookUp_;
    std::size_t at_ = 0;
    int depth_ = 0;
    Zrk_String reason_;
};

} // namespace

Zrk_String geomKindName(int kind) {
    static const char* const kNames[kGeomKindCount] = {"Point",  "Line",  "Arc",
                                                       "Circle", "Plane", "Coordinate system"};
    return kind >= 0 && kind < kGeomKindCount ? Zrk_String(kNames[kind]) : Zrk_String();
}

Zrk_String flexibilityName(int level) {
    static const char* const kNames[] = {"Fixed", "Semi-flexible", "Flexible"};
    return level >= 0 && level <= kFlexFlexible ? textOr(893 + level, kNames[level]) : Zrk_String();
}

Zrk_String constraintKindName(int kind) {
    static const char* const kNames[kConstrKindCount] = {
        "Parallel",     "Perpendicular", "Coincident", "Symmetric", "Tangent", "Concentric",
        "Equal radius", "Distance",      "Angle",      "Radius",    "Fixed"};
    if (kind < 0 || kind >= kConstrKindCount) return Zrk_String();
    return textOr(kind < kConstrFix ? 903 + kind : 0, kNames[kind]);
}

Zrk_String variableKindName(int kind) {
    static const int kIds[kVariableKindCount] = {900, 895, 893, 901, 902, 1325, 1326, 1327};
    static const char* const kNames[kVariableKindCount] = {"Normal", "Flexible", "Fixed", "Input",
                                                           "Output", "Length",   "Angle", "Count"};
    return kind >= 0 && kind < kVariableKindCount ? textOr(kIds[kind], kNames[kind]) : Zrk_String();
}

bool isVariableName(const Zrk_String& name) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    for (unsigned char c : name)
        if (!std::isalnum(c)) return false;
    return true;
}

bool splitEquation(const Zrk_String& equation, Zrk_String& name, Zrk_String& expression) {
    Zrk_String before, after;
    if (!splitString(equation, "=", before, after, true) || before.empty() || trimmed(after).empty())
        return false;
    name = trimmed(before);
    expression = trimmed(after);
    return true;
}

bool evaluateExpression(const Zrk_String& expression,
                        const std::function<bool(const Zrk_String&, double&)>& lookUp, double& value,
                        Zrk_String& reason) {
    double result = 0.0;
    ExpressionReader reader(expression, lookUp);
    if (!reader.run(result, reason)) return false;
    if (!std::isfinite(result)) {
        reason = "the result is too large";
        return false;
    }
    value = result;
    return true;
}

} // namespace core

Zrk_String Zrk_GeomObject::description() const {
    if (!nameTag.empty()) return nameTag;
    return core::geomKindName(kind) + " " + intToStr(id.handle());
}

Zrk_Array<int> Zrk_Constraint::attributeKindsOf(int kind) {
    switch (kind) {
    case core::kConstrSymmetric:
        return {core::kAttrChoice};
    case core::kConstrDistance:
    case core::kConstrAngle:
    case core::kConstrRadius:
        return {core::kAttrValue, core::kAttrVariable, core::kAttrFlags};
    default:
        return {};
    }
}

int Zrk_Constraint::objectCountOf(int kind) {
    return kind == core::kConstrRadius || kind == core::kConstrFix ? 1 : 2;
}

Zrk_StringArray Zrk_Constraint::choicesOf(int kind) {
    if (kind == core::kConstrSymmetric) return {"X axis", "Y axis", "Z axis"};
    return {};
}

Zrk_StringArray Zrk_Constraint::pictureOptionsOf(int kind) {
    switch (kind) {
    case core::kConstrParallel:
        return {"ParallelSame.bmp", "ParallelOpposite.bmp", core::kRadioBreak};
    case core::kConstrTangent:
        return {"TangentOutside.bmp", "TangentInside.bmp", core::kRadioBreak};
    case core::kConstrDistance:
        return {"DistanceAligned.bmp",  "DistanceX.bmp",         "DistanceY.bmp",  core::kRadioBreak,
                "DistanceThisSide.bmp", "DistanceOtherSide.bmp", core::kRadioBreak};
    case core::kConstrAngle:
        return {"AngleQuadrant1.bmp", "AngleQuadrant2.bmp", "AngleQuadrant3.bmp", "AngleQuadrant4.bmp",
                core::kRadioBreak};
    default:
        return {};
    }
}

int Zrk_Constraint::pictureGroupCountOf(int kind) {
    int groups = 0;
    for (const Zrk_String& entry : pictureOptionsOf(kind))
        groups += entry == core::kRadioBreak ? 1 : 0;
    return groups;
}

bool Zrk_Constraint::acceptsObject(int kind, int index, int objectKind, int otherKind) {
    if (objectKind < 0 || objectKind >= core::kGeomKindCount || index < 0 || index >= objectCountOf(kind))
        return false;
    switch (kind) {
    case core::kConstrParallel:
    case core::kConstrPerpendicular:
    case core::kConstrAngle:
        return core::isStraight(objectKind);
    case core::kConstrConcentric:
    case core::kConstrEqualRadius:
    case core::kConstrRadius:
        return core::isRound(objectKind);
    case core::kConstrTangent:
        // One of the two is round; the other may be anything that has a direction or is round.
        return otherKind < 0 ? (core::isRound(objectKind) || core::isStraight(objectKind))
                             : (core::isRound(objectKind) || core::isRound(otherKind)) &&
                                   objectKind != core::kGeomPoint && objectKind != core::kGeomCoordSystem;
    default:
        return true;
    }
}

Zrk_String Zrk_Constraint::fault() const {
    if (kind < 0 || kind >= core::kConstrKindCount) return "the kind must be 0 to 10";
    const Zrk_Array<int> attributes = attributeKindsOf(kind);
    if (attributes.contains(core::kAttrValue)) {
        double number = 0.0;
        if (!core::parseNumber(value, number)) return "the value \"" + value + "\" is no number";
        if (kind == core::kConstrRadius && number <= 0.0) return "a radius must be above 0";
    } else if (!value.empty()) {
        return "a " + core::constraintKindName(kind) + " constraint has no value";
    }
    if (!attributes.contains(core::kAttrVariable) && !variable.empty())
        return "a " + core::constraintKindName(kind) + " constraint has no variable";
    if (!variable.empty() && !core::isVariableName(variable))
        return "the variable name \"" + variable + "\" must be letters and digits, the first a letter";
    const Zrk_StringArray choices = choicesOf(kind);
    if ((choices.isEmpty() && choice != 0) || (!choices.isEmpty() && !choices.isValid(choice)))
        return "the choice " + intToStr(choice) + " is not offered";
    if (!attributes.contains(core::kAttrFlags) && (driving || shown))
        return "a " + core::constraintKindName(kind) + " constraint has no flags";
    if (shown && !driving) return "only a driving dimension can be shown in the macro dialog";
    if (options.length() != pictureGroupCountOf(kind))
        return "it needs " + intToStr(pictureGroupCountOf(kind)) + " picture selections";
    // Buttons are counted over the groups: the first group's from 1, the next group's after them.
    int first = 1;
    int group = 0;
    int size = 0;
    for (const Zrk_String& entry : pictureOptionsOf(kind)) {
        if (entry != core::kRadioBreak) {
            ++size;
            continue;
        }
        const int selected = options[group];
        if (selected != 0 && (selected < first || selected >= first + size))
            return "the picture selection " + intToStr(selected) + " is not a button of group " +
                   intToStr(group + 1);
        first += size;
        size = 0;
        ++group;
    }
    return Zrk_String();
}
