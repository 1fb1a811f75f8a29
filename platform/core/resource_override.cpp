#include "core/resource_override.h"

namespace core {
namespace {
ModuleHandle gCurrentInstance = nullptr;
}
ModuleHandle currentResourceInstance() { return gCurrentInstance; }
void setCurrentResourceInstance(ModuleHandle instance) { gCurrentInstance = instance; }
} // namespace core

bool KvTempResourceOverride::SetDefaultResource() {
    if (!default_) return false;
    originals_.push_back(core::currentResourceInstance());
    core::setCurrentResourceInstance(default_);
    return true;
}

void KvTempResourceOverride::RestoreOriginalResource() {
    core::ModuleHandle original = nullptr;
    if (!originals_.empty()) {
        original = originals_.back();
        originals_.pop_back();
    }
    core::setCurrentResourceInstance(original);
}
