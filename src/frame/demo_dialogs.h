#pragma once
// Moved to src/module/, the layer every subsystem may include; this name stays for existing includes.
#include "module/demo_dialogs.h"
