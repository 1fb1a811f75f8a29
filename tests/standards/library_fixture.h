#pragma once
// A library folder of its own for each test: a temporary folder with "Connection Standards/" and a
// copy of the test section tables in "prof/", made the library of gSettings for the test's life.

#include <filesystem>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/drawing.h"
#include "core/files.h"
#include "core/macro_data.h"
#include "core/settings.h"

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        library = fs::temp_directory_path() /
                  ("ss_standards_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(library);
        fs::create_directories(library / "Connection Standards");
        fs::copy(fs::path(SS_TEST_DATA_DIR) / "standards" / "prof", library / "prof");
        savedLibDir = gSettings.libDir;
        gSettings.libDir = library.string() + "/";
    }
    void TearDown() override {
        gSettings.libDir = savedLibDir;
        std::filesystem::remove_all(library);
    }

    std::string standardsFolder() const { return (library / "Connection Standards").string() + "/"; }
    static std::string dataFile(const std::string& name) { return std::string(SS_TEST_DATA_DIR) + "/standards/" + name; }

    // Opens the test drawing and builds the dialog data of its macro.
    void openConnection() {
        Zrk_String message;
        ASSERT_TRUE(drawing.readFromFile(dataFile("connection.json"), &message)) << message;
        macro = drawing.findMacro(AcDbObjectId(7));
        ASSERT_NE(macro, nullptr);
        macroData.initFromMacro(*macro->macro());
    }

    std::filesystem::path library;
    Zrk_String savedLibDir;
    core::Drawing drawing;
    Zrk_DbMacro* macro = nullptr;
    MacroData macroData;
};
