#pragma once
// How a standards evaluation ends a command of the host shell. The engine goes on past a failing
// equation, child call or variable (a person at the screen sees its message boxes); on the command
// line such an evaluation is a failure all the same: its reasons go to standard error and the command
// exits with kExitNotEvaluated, writing nothing from it.

#include <iosfwd>

namespace sshost {

// The evaluation could not compute everything it was asked (or failed outright).
inline constexpr int kExitNotEvaluated = 1;
// The evaluation computed everything, but an Output holds an error value ("#VALUE!"); each is
// reported with the first failing call it came from. --allow-errors makes such an evaluation pass.
inline constexpr int kExitErrorValues = 2;

// Prints the problems of the last evaluation to err, one a line ("sshost: " and the text, notes as
// "sshost: note: ..."). Answers kExitNotEvaluated when one of them is a failure, else 0.
int reportEvaluationProblems(std::ostream& err);

} // namespace sshost
