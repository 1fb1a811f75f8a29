#include "core/drawing_objects.h"

#include <cmath>

#include "core/drawing.h"

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
