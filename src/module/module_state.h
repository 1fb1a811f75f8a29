#pragma once
// Module-wide state created when the library is attached: its instance and its resource override,
// and the scoped switch that makes this module's resources current while a dialog is built.

#include "core/resource_override.h"

namespace frame {

// The instance handle of this library as the loader mapped it.
core::ModuleHandle moduleInstance();
void setModuleInstance(core::ModuleHandle instance);
KvTempResourceOverride& resourceOverride();

} // namespace frame

// Makes this module's instance the current resource instance for its lifetime, and restores the
// previous one on destruction if (and only if) the switch succeeded.
class ModuleResourceSwitch {
public:
    ModuleResourceSwitch();
    ~ModuleResourceSwitch();
    ModuleResourceSwitch(const ModuleResourceSwitch&) = delete;
    ModuleResourceSwitch& operator=(const ModuleResourceSwitch&) = delete;
    bool switched() const { return switched_; }

private:
    bool switched_;
};
