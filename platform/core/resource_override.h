#pragma once
// Which module's resources (dialog templates, pictures, icons) are looked up: the current resource
// instance. A module remembers its own instance as its default and switches to it while it builds its
// dialogs, then switches back to whatever was current before.

namespace core {
using ModuleHandle = const void*;
// The instance whose resources are found now (null: the host's own).
ModuleHandle currentResourceInstance();
void setCurrentResourceInstance(ModuleHandle instance);
} // namespace core

class KvTempResourceOverride {
public:
    void SaveDefaultResource(core::ModuleHandle instance) { default_ = instance; }
    core::ModuleHandle GetDefaultResource() const { return default_; }
    // Makes the default the current instance, remembering the one before. False without a default.
    bool SetDefaultResource();
    // Makes the remembered instance current again.
    void RestoreOriginalResource();

private:
    core::ModuleHandle default_ = nullptr;
    core::ModuleHandle original_ = nullptr;
};
