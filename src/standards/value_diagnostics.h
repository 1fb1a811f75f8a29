#pragma once
// What the trace of an evaluation (evaluation_trace.h) answers about its results:
//   - every Output and Local that ended with an error value ("#VALUE!"), with the equation that gave
//     it and the first failing call it came from: an error value passes from variable to variable
//     through the equations that read it (and through child calls, both ways), so the call is
//     looked for along that way back, in this sheet or another;
//   - how one variable got its value: the equations it depends on in the order they ran, the given
//     values they used (Inputs, and variables read before any equation set them), the general
//     variables substituted into them, the data rows their functions read and the children they
//     called.
// These are values; the programs that run the engine word and print them.

#include "core/zrk_string.h"
#include "module/export.h"
#include "standards/evaluation_trace.h"

namespace standards {

// Whether a variable's value is an error value ("#VALUE!", "#N/A" ...).
SS_EXPORT bool isErrorValue(const Zrk_String& value);

// An equation of a sheet: where it stands and how it is written.
struct EquationAt {
    Zrk_String file;
    int column = 0;
    int row = 0;
    Zrk_String written;
};

struct ErrorValueDiagnostic {
    TracedVariable variable; // an Output or Local, with its declaring cell and its error value
    Zrk_String file;         // the sheet that declares it
    // The equation that gave the variable its value; none (false) when it kept the value it was given.
    bool fromEquation = false;
    EquationAt equation;
    // Where the error arose. Kinds: a failing call (in the equation at origin, perhaps of another
    // cell or sheet); a variable that was given the error value (given, of the sheet givenFile: an
    // Input, or a variable read before any equation set it); or not found (the error arose where the
    // engine does not look, such as a cell the equations read by its own name).
    enum class Origin { Call, GivenValue, Unknown };
    Origin kind = Origin::Unknown;
    EquationAt origin;
    FailedCall call;
    TracedVariable given;
    Zrk_String givenFile;
    // The variables the error passed through from the origin to this one, nearest first, as
    // "NAME" with the file of a child's variables.
    Zrk_Array<NamedValue> through; // name and "FILE, cell A1"
};

// The Outputs and Locals of the trace's sheet that ended with an error value, in the sheet's order
// (Outputs and Locals as declared). Empty for an incomplete trace.
SS_EXPORT Zrk_Array<ErrorValueDiagnostic> diagnoseErrorValues(const SheetTrace& trace);

struct Explanation {
    Zrk_String file;
    TracedVariable variable;
    // The variables the value depends on that no equation set before they were read: Inputs, and
    // Outputs or Locals read before their equation ran (with the value they held then).
    Zrk_Array<TracedVariable> given;
    Zrk_Array<NamedValue> generalVariables;
    Zrk_Array<EquationTrace> equations; // the equations it depends on, in the order they ran
};

// How the variable of that name got its value. False when the sheet declares no such variable.
SS_EXPORT bool explainVariable(const SheetTrace& trace, const Zrk_String& name, Explanation& explanation);

} // namespace standards
