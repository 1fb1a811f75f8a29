#include "core/numbers.h"

#include <cmath>

namespace {
constexpr double kWholeTolerance = 1e-9;
}

double ObjectExportRoundTo(double value, double step) {
    step = std::fabs(step);
    if (step == 0.0 || !std::isfinite(step)) return value;
    const double quotient = value / step;
    // A quotient a hair below a half (0.49999999999) still counts as the half it stands for.
    const double nudged = quotient + (quotient >= 0 ? kWholeTolerance : -kWholeTolerance);
    const double result = std::round(nudged) * step;
    return result == 0.0 ? 0.0 : result;
}

double ObjectExportRoundUp(double value, double step, double tolerance) {
    step = std::fabs(step);
    if (step == 0.0 || !std::isfinite(step)) return value;
    const double quotient = (value - std::fabs(tolerance)) / step;
    const double result = std::ceil(quotient - kWholeTolerance) * step;
    return result == 0.0 ? 0.0 : result;
}
