#pragma once
// Which module's resources (dialog templates, pictures, icons) are looked up: the current resource
// instance. A module remembers its own instance as its default and switches to it while it builds its
// dialogs, then switches back to whatever was current before.

#include <vector>

namespace core {
using ModuleHandle = const void*;
// The instance whose resources are found now (null: the host's own).
ModuleHandle currentResourceInstance();
void setCurrentResourceInstance(ModuleHandle instance);
} // namespace core

// One object serves every switch of its module, and switches nest (a dialog asks for a text in a dialog
// of the same module): each SetDefaultResource remembers the instance it replaced, and each
// RestoreOriginalResource puts back the one its own Set replaced. With a single remembered instance
// the inner switch would overwrite it, and the outer restore would leave the module's instance current
// after the module is gone, so that the host's own dialogs were no longer found.
class KvTempResourceOverride {
public:
    void SaveDefaultResource(core::ModuleHandle instance) { default_ = instance; }
    core::ModuleHandle GetDefaultResource() const { return default_; }
    // Makes the default the current instance, remembering the one before. False without a default.
    bool SetDefaultResource();
    // Makes the instance the latest SetDefaultResource replaced current again (without one: the host).
    void RestoreOriginalResource();

private:
    core::ModuleHandle default_ = nullptr;
    std::vector<core::ModuleHandle> originals_;
};
