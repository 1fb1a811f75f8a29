#pragma once
// The choice of a standard size within tolerances, used by the functions STDWIDTHWITHTOLERANCE,
// STDTHICKNESSWITHTOLERANCE and STDSIZEWITHTOLERANCE.

#include "core/zrk_string.h"

namespace standards {

// The size for value x that may lie down below it and up above it:
//  1. the nearest candidates above and below x (the first of equal ones), the nearer one tried first
//     (the one below on a tie), each acceptable when within its tolerance and within [x-down, x+up];
//  2. when neither is acceptable, x limited to [x-down, x+up] and rounded up and down to multiples of
//     step, the nearer rounding tried first, each acceptable when it lies within [x-down, x+up];
//  3. when neither rounding is acceptable, x limited to [x-down, x+up].
double chooseWithTolerance(const Zrk_Array<double>& candidates, double x, double down, double up, double step);

// When down + up is not positive and the document asks for standards errors, tells the user in a
// message box (the calculation goes on with the values given).
void checkTolerances(double down, double up);

} // namespace standards
