#pragma once
// Moved to src/module/, the layer every subsystem may include; this name stays for existing includes.
#include "module/module_state.h"
