#pragma once
// Moved to src/module/, the layer every subsystem may include; this name stays for existing includes.
#include "module/temporary_library.h"
