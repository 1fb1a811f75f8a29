#pragma once
// Picture handles of the grid windows. A picture cell or a picture check box refers to its pictures
// by handle (CellType::pictures). A handle here is a key into this registry, never an address: a
// sheet file may hold any number there, and an unknown handle simply shows no picture.

#include <QImage>
#include <cstdint>

namespace spreadlib {

// Registers a picture and answers its handle (never 0). The registry keeps a copy until released.
std::uintptr_t registerPicture(const QImage& image);
// Forgets the picture; nothing happens for an unknown handle.
void releasePicture(std::uintptr_t handle);
// The picture of a handle; false (image untouched) for 0 or an unknown handle.
bool findPicture(std::uintptr_t handle, QImage& image);

} // namespace spreadlib
