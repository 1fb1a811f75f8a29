#include "core/drawing_objects.h"

#include <cmath>

#include "core/drawing.h"
#include "core/text.h"

namespace core {

bool levelAbsolute(const Zrk_Array<Zrk_Level>& levels, const Zrk_String& name, double& value) {
    double sum = 0.0;
    Zrk_String at = name;
    for (int steps = 0; steps <= levels.length(); ++steps) {
        if (at.empty() || isEqual(at, kWorldLevelName, true)) {
            value = sum;
            return true;
        }
        int index = -1;
        for (int i = 0; i < levels.length() && index < 0; ++i)
            if (isEqual(levels[i].name, at, true)) index = i;
        if (index < 0) return false;
        sum += levels[index].value;
        at = levels[index].reference;
    }
    return false; // a circle
}

} // namespace core

bool Zrk_CoordSystem::hasValidAxes() const {
    const Zrk_Point3d& a = xAxis;
    const Zrk_Point3d& b = yAxis;
    const double lengthA = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const double lengthB = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    if (!(lengthA > 1e-12) || !(lengthB > 1e-12) || !std::isfinite(lengthA) || !std::isfinite(lengthB))
        return false;
    // Parallel when the cross product is (nearly) zero relative to the lengths.
    const double cx = a.y * b.z - a.z * b.y, cy = a.z * b.x - a.x * b.z, cz = a.x * b.y - a.y * b.x;
    return std::sqrt(cx * cx + cy * cy + cz * cz) > 1e-9 * lengthA * lengthB;
}

Zrk_DbProfile::Zrk_DbProfile(Zrk_Profile profile, AcDbObjectId id) : profile_(std::move(profile)), id_(id) {}

Zrk_Profile* Zrk_DbProfile::profileWrite() {
    if (database_) database_->recordWrite(*this);
    return &profile_;
}
