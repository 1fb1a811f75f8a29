#pragma once
#include <string>

namespace sshost {
// libSS.so beside the running executable.
std::string defaultModulePath(const char* argv0);
} // namespace sshost
