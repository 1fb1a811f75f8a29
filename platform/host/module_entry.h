#pragma once
// The entry points a module library offers its loader, with their exported names. The attach entry is
// what the operating system calls when it maps and unmaps a library; the other two are the host's.

#include "host/acad.h"

namespace host {

enum AttachReason : unsigned long {
    kProcessDetach = 0,
    kProcessAttach = 1,
    kThreadAttach = 2,
    kThreadDetach = 3,
};

inline constexpr const char* kAttachEntryName = "DllMain";
inline constexpr const char* kMessageEntryName = "acrxEntryPoint";
inline constexpr const char* kApiVersionEntryName = "acrxGetApiVersion";

// Answers nonzero for success; 0 on attach refuses the load.
using AttachEntry = int (*)(void* instance, unsigned long reason, void* reserved);
using MessageEntry = AcRx::AppRetCode (*)(AcRx::AppMsgCode message, void* appId);
using ApiVersionEntry = int (*)();

} // namespace host
