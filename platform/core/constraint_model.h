#pragma once
// A module's parametric make-up, as the constraint dialog edits it: its geometry objects (the points,
// lines, arcs, circles, planes and coordinate systems the constraints tie together), its geometric
// constraints, its own variables and its equations. Plain value records of Zrk_Module.
//
// Geometry. Each object has an object id unique in the drawing (the host's editor picks it like any
// other object), a name tag the person gives it (empty: none), a flexibility level and a constrained
// flag:
//   flexibility  0 fixed, 1 semi-flexible, 2 flexible (how far a solve may move it; texts 893-895)
//   constrained  1 it takes part in the constraints, 0 it does not, 2 the macro holds it (its base
//                geometry): always constrained, never switched by the person
//
// Constraints. The kinds are the palette's 0-10; 10 fixes one object where it is. What the person
// may edit of a constraint (its attribute kinds) follows from its kind:
//   kind                 objects   attributes                       picture groups
//   0 parallel           2 lines   -                                same / opposite direction
//   1 perpendicular      2 lines   -                                -
//   2 coincident         2         -                                -
//   3 symmetric          2         2 choice: the axis (X, Y, Z)     -
//   4 tangent            2, one arc or circle   -                   outside / inside
//   5 concentric         2 arcs or circles      -                   -
//   6 equal radius       2 arcs or circles      -                   -
//   7 distance           2         0 value, 1 variable, 3 flags     aligned / along X / along Y, and
//                                                                   this side / the other side
//   8 angle              2 lines   0 value, 1 variable, 3 flags     the four quadrants
//   9 radius             1 arc or circle   0 value, 1 variable, 3 flags   -
//   10 fix               1         -                                -
// "Lines" are lines or planes. The value is a number (an angle in degrees, a radius above 0); the
// variable, when named, is the module's dimension variable that carries the value (its driving and
// shown flags are the constraint's two flags: flag 1 driving, flag 2 shown in the macro dialog, which
// only a driving dimension can be). A picture group's selection is the number of its chosen button,
// counted over all buttons of the constraint from 1 (the second group's numbers follow the first's),
// or 0 for none.
//
// Variables. A module variable has a name, a value and a kind 0-7 (texts 900, 895, 893, 901, 902,
// 1325, 1326, 1327): 0 normal, 1 flexible, 2 fixed, 3 input, 4 output, 5 length, 6 angle, 7 count.
// The kinds are kept for the solver and the standards; the model checks only their range.
//
// Equations. "name = expression", one a line; the name is a module variable or a dimension variable
// of the module, the expression numbers, names of those variables, + - * / and parentheses.

#include <functional>

#include "core/zrk_string.h"
#include "host/acad.h"

namespace core {
inline constexpr int kGeomPoint = 0;
inline constexpr int kGeomLine = 1;
inline constexpr int kGeomArc = 2;
inline constexpr int kGeomCircle = 3;
inline constexpr int kGeomPlane = 4;
inline constexpr int kGeomCoordSystem = 5;
inline constexpr int kGeomKindCount = 6;

inline constexpr int kFlexFixed = 0;
inline constexpr int kFlexSemi = 1;
inline constexpr int kFlexFlexible = 2;
inline constexpr int kConstrainedByMacro = 2;

inline constexpr int kConstrParallel = 0;
inline constexpr int kConstrPerpendicular = 1;
inline constexpr int kConstrCoincident = 2;
inline constexpr int kConstrSymmetric = 3;
inline constexpr int kConstrTangent = 4;
inline constexpr int kConstrConcentric = 5;
inline constexpr int kConstrEqualRadius = 6;
inline constexpr int kConstrDistance = 7;
inline constexpr int kConstrAngle = 8;
inline constexpr int kConstrRadius = 9;
inline constexpr int kConstrFix = 10;
inline constexpr int kConstrKindCount = 11;

// Attribute kinds of a constraint.
inline constexpr int kAttrValue = 0;
inline constexpr int kAttrVariable = 1;
inline constexpr int kAttrChoice = 2;
inline constexpr int kAttrFlags = 3;

inline constexpr int kVariableKindCount = 8;

// The separator of two picture groups in a constraint's option list.
inline constexpr const char* kRadioBreak = "%radioBreak%";

// The names shown for kinds (translated texts where the table has them, plain English otherwise).
Zrk_String geomKindName(int kind);
Zrk_String flexibilityName(int level);
Zrk_String constraintKindName(int kind);
Zrk_String variableKindName(int kind);
} // namespace core

struct Zrk_GeomObject {
    AcDbObjectId id;
    int kind = core::kGeomLine;
    Zrk_String nameTag;
    int flexibility = core::kFlexFixed;
    int constrained = 1;

    // The name tag, or the kind's name and the object's id ("Line 1001").
    Zrk_String description() const;
    bool operator==(const Zrk_GeomObject&) const = default;
};

struct Zrk_Constraint {
    int id = 0; // unique among the module's constraints, from 1
    Zrk_String name;
    int kind = core::kConstrDistance;
    AcArray<AcDbObjectId> objects;
    Zrk_String value;       // attribute 0
    Zrk_String variable;    // attribute 1
    int choice = 0;         // attribute 2
    bool driving = false;   // attribute 3: flag 1
    bool shown = false;     // attribute 3: flag 2
    Zrk_Array<int> options; // one selection per picture group

    // What the kind allows (see the table above).
    static Zrk_Array<int> attributeKindsOf(int kind);
    static int objectCountOf(int kind);
    static Zrk_StringArray choicesOf(int kind);
    // The picture files of the kind's groups (in the product folder's "icons/"), each group followed
    // by kRadioBreak; empty for a kind without pictures.
    static Zrk_StringArray pictureOptionsOf(int kind);
    static int pictureGroupCountOf(int kind);
    // Whether a geometry object of that kind may be the constraint's object number index (0 or 1),
    // given the other object's kind (-1: not known yet).
    static bool acceptsObject(int kind, int index, int objectKind, int otherKind);
    // What is wrong with the constraint's own fields (value, choice, options, flags), or empty.
    Zrk_String fault() const;
    bool operator==(const Zrk_Constraint&) const = default;
};

struct Zrk_ModuleVariable {
    Zrk_String name;
    double value = 0.0;
    int kind = 0;
    bool operator==(const Zrk_ModuleVariable&) const = default;
};

namespace core {
// A name of a variable: letters and digits, the first a letter.
bool isVariableName(const Zrk_String& name);
// Splits an equation at its "=": the variable's name and the expression (blanks trimmed). False when
// it holds no "=", or the name or the expression is empty.
bool splitEquation(const Zrk_String& equation, Zrk_String& name, Zrk_String& expression);
// Computes an expression of numbers, names, + - * / and parentheses; lookUp gives a name's value
// (false: unknown). False, with a reason, for a syntax fault, an unknown name or a division by 0.
bool evaluateExpression(const Zrk_String& expression,
                        const std::function<bool(const Zrk_String&, double&)>& lookUp, double& value,
                        Zrk_String& reason);
} // namespace core
