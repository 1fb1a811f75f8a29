#include "spreadlib/grid/picture_registry.h"

#include <unordered_map>

namespace spreadlib {

namespace {

struct Registry {
    // Handles count up from a base far from small numbers, so a number typed into a file rarely
    // meets a live picture.
    std::uintptr_t next = 0x51500000u;
    std::unordered_map<std::uintptr_t, QImage> pictures;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

std::uintptr_t registerPicture(const QImage& image) {
    Registry& r = registry();
    const std::uintptr_t handle = r.next++;
    r.pictures.emplace(handle, image);
    return handle;
}

void releasePicture(std::uintptr_t handle) {
    registry().pictures.erase(handle);
}

bool findPicture(std::uintptr_t handle, QImage& image) {
    if (handle == 0) return false;
    const Registry& r = registry();
    const auto it = r.pictures.find(handle);
    if (it == r.pictures.end()) return false;
    image = it->second;
    return true;
}

} // namespace spreadlib
