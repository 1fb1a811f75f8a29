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
    original_ = core::currentResourceInstance();
    core::setCurrentResourceInstance(default_);
    return true;
}

void KvTempResourceOverride::RestoreOriginalResource() { core::setCurrentResourceInstance(original_); }
