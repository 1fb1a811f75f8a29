#pragma once
// The drawing's objects outside macros: profiles (members, each with its cuts), building levels and
// named coordinate systems.
//
// A level has a name, the level it is measured from (empty: the world's zero, which is also called
// "wcs") and a value relative to that; its absolute value is the sum along the chain of references.
// Names are unique, "wcs" is reserved, and a chain never runs in a circle.
//
// A named coordinate system has an origin and two axes (x, and y in the xy plane); the axes are not
// zero and not parallel.

#include "core/cut_model.h"
#include "core/profile_model.h"
#include "core/zrk_string.h"
#include "host/acad.h"

namespace core {
class Drawing;
inline constexpr const char* kWorldLevelName = "wcs";
} // namespace core

struct Zrk_Point3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool operator==(const Zrk_Point3d&) const = default;
};

struct Zrk_Level {
    Zrk_String name;
    Zrk_String reference;
    double value = 0.0;
    bool operator==(const Zrk_Level&) const = default;
};

namespace core {
// The absolute value of a level of a list: its value plus that of the level it refers to, along the
// chain (names compared without regard to letter case). "wcs" and the empty name are 0. False for an
// unknown level or a chain that runs in a circle.
bool levelAbsolute(const Zrk_Array<Zrk_Level>& levels, const Zrk_String& name, double& value);
} // namespace core

struct Zrk_CoordSystem {
    Zrk_String name;
    Zrk_Point3d origin;
    Zrk_Point3d xAxis{1.0, 0.0, 0.0};
    Zrk_Point3d yAxis{0.0, 1.0, 0.0};

    // Whether the axes are not zero and not parallel.
    bool hasValidAxes() const;
    bool operator==(const Zrk_CoordSystem&) const = default;
};

// A profile of the drawing: a member from start to end with its section, placement and cuts.
struct Zrk_Profile {
    Zrk_String name; // the member's mark
    MacroProfProps props;
    Zrk_Point3d start;
    Zrk_Point3d end;
    Zrk_Array<Zrk_CutConstraint> cuts;
    bool operator==(const Zrk_Profile&) const = default;
};

// A profile as an object of a drawing; writing goes through profileWrite(), as for macros.
class Zrk_DbProfile {
public:
    explicit Zrk_DbProfile(Zrk_Profile profile = Zrk_Profile(), AcDbObjectId id = AcDbObjectId());
    Zrk_DbProfile(const Zrk_DbProfile&) = delete;
    Zrk_DbProfile& operator=(const Zrk_DbProfile&) = delete;

    AcDbObjectId objectId() const { return id_; }
    const Zrk_Profile* profile() const { return &profile_; }
    Zrk_Profile* profileWrite();
    core::Drawing* database() const { return database_; }

private:
    friend class core::Drawing;
    Zrk_Profile profile_;
    AcDbObjectId id_;
    core::Drawing* database_ = nullptr;
};
