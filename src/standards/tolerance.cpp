#include "standards/tolerance.h"

#include <cmath>

#include "core/numbers.h"
#include "core/text.h"
#include "standards/evaluation_chain.h"
#include "standards/standards_report.h"

namespace standards {

namespace {
constexpr double kNoDistance = 999999999.0;

// The first candidate with the smallest distance that the predicate admits.
struct Nearest {
    bool found = false;
    double value = 0.0;
    double distance = kNoDistance;
    void offer(double candidate, double candidateDistance) {
        if (!found || candidateDistance < distance) {
            found = true;
            value = candidate;
            distance = candidateDistance;
        }
    }
};
} // namespace

double chooseWithTolerance(const Zrk_Array<double>& candidates, double x, double down, double up, double step) {
    const double lower = x - down;
    const double upper = x + up;

    Nearest above, below;
    for (double v : candidates) {
        const double delta = v - x;
        if (delta > 0) above.offer(v, delta);
        else below.offer(v, -delta);
    }
    const bool aboveOk = above.found && above.distance <= up && above.value >= lower;
    const bool belowOk = below.found && below.distance <= down && below.value <= upper;
    if (above.distance < below.distance) {
        if (aboveOk) return above.value;
        if (belowOk) return below.value;
    } else {
        if (belowOk) return below.value;
        if (aboveOk) return above.value;
    }

    double y = x;
    if (y > upper) y = upper;
    if (y < lower) y = lower;
    const double roundedUp = ObjectExportRoundUp(y, step, up);
    double roundedDown = ObjectExportRoundTo(y, step);
    if (roundedDown > y) roundedDown -= std::fabs(step);
    const double upDistance = roundedUp - x;
    const double downDistance = x - roundedDown;
    // Each rounding must lie within both tolerances: the rounding up takes the up tolerance as its
    // own and can land below the value (280 in steps of 10 with 60 gives 220), which would give a
    // size smaller than the down tolerance allows.
    const bool upOk = upDistance <= up && roundedUp <= upper && roundedUp >= lower;
    const bool downOk = downDistance <= down && roundedDown >= lower && roundedDown <= upper;
    if (upDistance < downDistance) {
        if (upOk) return roundedUp;
        if (downOk) return roundedDown;
    } else {
        if (downOk) return roundedDown;
        if (upOk) return roundedUp;
    }
    return y;
}

void checkTolerances(double down, double up) {
    if (down + up > 0) return;
    noteAtEquation("the tolerances down " + doubleToStr(down, 2) + " and up " + doubleToStr(up, 2) +
                   " do not add up to a positive value.");
    reportStandardsError("Invalid tolerances provided.\n DownTolerance is :" + doubleToStr(down, 2) +
                         "UpTolerance is :" + doubleToStr(up, 2) +
                         "\nAdding both tolerances should result in a positive value.");
}

} // namespace standards
