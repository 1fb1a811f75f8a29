// A plug-in that misbehaves in the one way its build definition names.
#include "host/module_entry.h"

extern "C" __attribute__((visibility("default"))) int DllMain(void*, unsigned long reason, void*) {
#ifdef TEST_MODULE_REFUSING
    return reason == host::kProcessAttach ? 0 : 1;
#else
    return 1;
#endif
}

extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() {
#ifdef TEST_MODULE_WRONG_VERSION
    return host::kApiVersion - 1;
#else
    return host::kApiVersion;
#endif
}

#ifndef TEST_MODULE_NO_ENTRY
extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*) {
    return AcRx::kRetOK;
}
#endif
