#pragma once
// A library folder of the test's own: a fresh temporary folder, named after the test program's process
// and the running test, made gSettings' library for the test's life. TearDown gives the previous
// library back and removes the folder, so that no test sees another's files, even when ctest runs
// several test programs at once. A fixture names its folders by the prefix it passes, and calls
// LibraryFolderTest::SetUp() first when it has a SetUp of its own (TearDown last).

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/settings.h"

class LibraryFolderTest : public ::testing::Test {
protected:
    explicit LibraryFolderTest(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        library = std::filesystem::temp_directory_path() /
                  (prefix_ + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(library);
        std::filesystem::create_directories(library);
        savedLibDir = gSettings.libDir;
        gSettings.libDir = library.string() + "/";
    }
    void TearDown() override {
        gSettings.libDir = savedLibDir;
        std::filesystem::remove_all(library);
    }

    // A file written whole, its folders made first; a file read whole, failing the test when it cannot.
    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string readBytes(const std::filesystem::path& path) {
        std::string bytes;
        EXPECT_TRUE(readFileBytes(path.string(), bytes)) << path;
        return bytes;
    }

    std::filesystem::path library;
    Zrk_String savedLibDir;

private:
    std::string prefix_;
};
