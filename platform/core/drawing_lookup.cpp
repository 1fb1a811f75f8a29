// The drawing's objects of every kind, by id and by name: what the host's editor resolves a pick or
// a highlight through. Each kind the drawing holds answers here; the editor stays free of kinds.

#include "core/drawing.h"

namespace core {

const char* objectKindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Macro:
        return "macro";
    case ObjectKind::Profile:
        return "profile";
    case ObjectKind::Level:
        return "level";
    case ObjectKind::CoordinateSystem:
        return "coordinate system";
    case ObjectKind::Geometry:
        return "geometry object";
    }
    return "object";
}

void Drawing::listObjects(ObjectKind kind, std::vector<DrawingObjectRef>& objects) const {
    objects.clear();
    switch (kind) {
    case ObjectKind::Macro:
        for (const auto& macro : macros_)
            objects.push_back({kind, macro->objectId(), macro->macro()->name});
        break;
    case ObjectKind::Profile:
        for (const auto& profile : profiles_)
            objects.push_back({kind, profile->objectId(), profile->profile()->name});
        break;
    case ObjectKind::Level:
        for (const Zrk_Level& level : levels_)
            objects.push_back({kind, AcDbObjectId(), level.name});
        break;
    case ObjectKind::CoordinateSystem:
        for (const Zrk_CoordSystem& system : coordSystems_)
            objects.push_back({kind, AcDbObjectId(), system.name});
        break;
    case ObjectKind::Geometry:
        for (const auto& macro : macros_)
            for (const Zrk_Module& module : macro->macro()->modules)
                for (const Zrk_GeomObject& object : module.geometry)
                    objects.push_back({kind, object.id, object.description()});
        break;
    }
}

bool Drawing::findObject(AcDbObjectId id, DrawingObjectRef& object) const {
    if (id.isNull()) return false;
    if (const Zrk_DbMacro* macro = findMacro(id)) {
        object = {ObjectKind::Macro, id, macro->macro()->name};
        return true;
    }
    if (const Zrk_DbProfile* profile = findProfile(id)) {
        object = {ObjectKind::Profile, id, profile->profile()->name};
        return true;
    }
    for (const auto& macro : macros_)
        for (const Zrk_Module& module : macro->macro()->modules)
            for (const Zrk_GeomObject& geometry : module.geometry)
                if (geometry.id == id) {
                    object = {ObjectKind::Geometry, id, geometry.description()};
                    return true;
                }
    return false;
}

} // namespace core
