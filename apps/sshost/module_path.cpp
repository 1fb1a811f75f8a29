#include "sshost/module_path.h"

#include <filesystem>
#include <system_error>

namespace sshost {

std::string defaultModulePath(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0 ? argv0 : "sshost", error);
    return (self.parent_path() / "libSS.so").string();
}

} // namespace sshost
