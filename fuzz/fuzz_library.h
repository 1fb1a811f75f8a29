#pragma once
// A library of its own for a fuzzer's run, with an empty standards folder, removed when the run ends:
// for fuzzers of what the standards read from and write to the library.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/settings.h"

namespace fuzz {

// The standards folder (with its closing '/'); the library is made on the first call and named after
// name and the process.
inline const std::string& standardsFolder(const char* name) {
    static const std::string folder = [name] {
        const std::filesystem::path library =
            std::filesystem::temp_directory_path() / ("ss_" + std::string(name) + "_" + std::to_string(::getpid()));
        std::filesystem::create_directories(library / "Connection Standards");
        static const std::string toRemove = library.string();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(toRemove, ignored);
        });
        gSettings.libDir = library.string() + "/";
        return (library / "Connection Standards").string() + "/";
    }();
    return folder;
}

} // namespace fuzz
