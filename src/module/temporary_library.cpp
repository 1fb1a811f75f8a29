#include "module/temporary_library.h"

#include <unistd.h>

#include "core/files.h"
#include "core/settings.h"

namespace frame {

namespace fs = std::filesystem;

TemporaryLibrary::TemporaryLibrary(std::initializer_list<const char*> parts) : saved_(gSettings.libDir) {
    folder_ = fs::temp_directory_path(error_) / ("ss-library-" + std::to_string(::getpid()));
    fs::remove_all(folder_, error_);
    fs::create_directories(folder_, error_);
    for (const char* part : parts) {
        const fs::path from = core::osPath(ensureEndSlash(saved_) + part);
        if (!error_ && fs::is_directory(from))
            fs::copy(from, folder_ / part, fs::copy_options::recursive, error_);
        else if (!error_ && fs::is_regular_file(from))
            fs::copy_file(from, folder_ / part, error_);
    }
    gSettings.libDir = ensureEndSlash(core::fromOsPath(folder_.string()));
}

TemporaryLibrary::~TemporaryLibrary() {
    gSettings.libDir = saved_;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

} // namespace frame
