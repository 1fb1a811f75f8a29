#pragma once
// A temporary library folder for the demonstrations of dialogs that write library files: the named
// parts of the current library (its subfolders, "prof", "DSTV Points" ..., or files) are copied into a folder
// of their own, which is the library folder (gSettings.libDir) while the object lives. A person may then try
// every button of the dialog without changing the library it shows; the copy goes afterwards.
//
//   frame::TemporaryLibrary library({"DSTV Points"});
//   if (!library.ok()) return "The library could not be copied into a temporary folder.";

#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "core/zrk_string.h"

namespace frame {

class TemporaryLibrary {
public:
    explicit TemporaryLibrary(std::initializer_list<const char*> parts);
    ~TemporaryLibrary();
    TemporaryLibrary(const TemporaryLibrary&) = delete;
    TemporaryLibrary& operator=(const TemporaryLibrary&) = delete;

    // False when the copy failed (the library folder is then an empty temporary one).
    bool ok() const { return !error_; }

private:
    Zrk_String saved_;
    std::filesystem::path folder_;
    std::error_code error_;
};

} // namespace frame
