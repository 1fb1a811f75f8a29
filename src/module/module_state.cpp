#include "module/module_state.h"

namespace frame {
namespace {
core::ModuleHandle gModuleInstance = nullptr;
KvTempResourceOverride gResourceOverride;
} // namespace

core::ModuleHandle moduleInstance() {
    return gModuleInstance;
}
void setModuleInstance(core::ModuleHandle instance) {
    gModuleInstance = instance;
}
KvTempResourceOverride& resourceOverride() {
    return gResourceOverride;
}

} // namespace frame

ModuleResourceSwitch::ModuleResourceSwitch() : switched_(frame::resourceOverride().SetDefaultResource()) {}

ModuleResourceSwitch::~ModuleResourceSwitch() {
    if (switched_) frame::resourceOverride().RestoreOriginalResource();
}
