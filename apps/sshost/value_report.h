#pragma once
// How the host shell words what the trace of an evaluation answers (standards/value_diagnostics.h):
// the Outputs and Locals that ended with an error value, each with the equation that gave it and the
// first failing call it came from; and, for --explain, how one variable got its value.

#include <iosfwd>
#include <string>

#include "core/zrk_string.h"

namespace standards {
struct SheetTrace;
}

namespace sshost {

// Prints every Output and Local of the trace's sheet that holds an error value to err (a few lines
// each, the first "sshost: FILE, cell A5: the Output Width is #VALUE!"). Answers whether an Output
// is among them.
bool reportErrorValues(std::ostream& err, const standards::SheetTrace& trace);

// Prints how the variable got its value; nothing when the sheet has no variable of that name.
void printExplanation(std::ostream& out, const standards::SheetTrace& trace, const Zrk_String& name);

} // namespace sshost
