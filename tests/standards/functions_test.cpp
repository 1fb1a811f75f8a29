// The standards functions as a sheet's formulas see them: look-ups in table files found by the
// data-file search, section tables, tolerance choices with their message, and the small helpers.
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "core/files.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "library_fixture.h"
#include "spreadlib/sheet.h"
#include "standards/data_files.h"
#include "standards/evaluation_chain.h"
#include "standards/standards_functions.h"
#include "ui/scripted_user.h"

namespace {

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class FunctionsTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        for (const standards::StandardsFunction& f : standards::standardsFunctions())
            ASSERT_TRUE(sheet.SSAddCustomFunctionExt(f.name, f.minArgs, f.maxArgs, f.callback, 0));
        standards::clearDataFileCache();
    }
    // The value text of a formula evaluated in a spare cell.
    Zrk_String eval(const Zrk_String& formula) {
        Zrk_String message, value;
        if (!sheet.setFormula(20, 50, formula, true, &message)) return "refused: " + message;
        sheet.getValue(20, 50, value);
        return value;
    }
    std::filesystem::path dataFolder() const { return library / "Connection Standards" / "Data"; }

    spreadlib::Sheet sheet;
};

TEST_F(FunctionsTest, RegisteredInTheirOrderWithTheirArgumentCounts) {
    const auto& functions = standards::standardsFunctions();
    ASSERT_EQ(functions.length(), 12);
    EXPECT_STREQ(functions[0].name, "ROUNDTO");
    EXPECT_STREQ(functions[5].name, "STDWIDTHWITHTOLERANCE");
    EXPECT_EQ(functions[5].minArgs, 6);
    EXPECT_STREQ(functions[11].name, "ISPOSITIVE");
    EXPECT_EQ(functions[1].maxArgs, 7);
    // Too few arguments: the function fails at once, with an empty result.
    spreadlib::ValueRecord result, arg;
    result.setDouble(3);
    arg.setText("x");
    EXPECT_EQ(standards::getCell(result, &arg, 1), 0);
    EXPECT_EQ(result.status, spreadlib::kStatusEmpty);
}

TEST_F(FunctionsTest, GetCellSearchesTheDataFolderAndBuildsNumberKeysWithSixDecimals) {
    writeText(dataFolder() / "bolts.txt",
              "// diameter;grade\tarea\n"
              "10.000000;A\t58   // comment\n"
              "10.000000;A\tsecond\n"
              "12.000000;A\n"
              "\n"
              "Text key\tTEXT VALUE\textra\n");
    EXPECT_EQ(eval("GETCELL(\"bolts.txt\",10,\"A\")"), "58"); // the first of two equal keys
    EXPECT_EQ(eval("GETCELL(\"bolts.txt\",\"Text key\")"), "TEXT VALUE");
    EXPECT_EQ(eval("GETCELL(\"bolts.txt\",10,\"B\")"), "#VALUE!");  // no such key
    EXPECT_EQ(eval("GETCELL(\"bolts.txt\",12,\"A\")"), "#VALUE!");  // a line without value
    EXPECT_EQ(eval("GETCELL(\"bolts.txt\",\"10\",\"A\")"), "#VALUE!"); // "10" is no "10.000000"
    EXPECT_EQ(eval("GETCELL(\"missing.txt\",10)"), "#VALUE!");
    EXPECT_EQ(eval("GETCELL(10,10)"), "#VALUE!");
    // Quoted texts lose one pair of quotes; a full path reads that file.
    writeText(library / "elsewhere" / "t.txt", "k\tv\n");
    EXPECT_EQ(eval("GETCELL(\"" + (library / "elsewhere" / "t.txt").string() + "\",\"\"\"k\"\"\")"), "v");
}

TEST_F(FunctionsTest, DataFileSearchOrder) {
    writeText(library / "lib.txt", "k\tlibrary\n");
    EXPECT_EQ(eval("GETCELL(\"lib.txt\",\"k\")"), "library");
    writeText(library / "Connection Standards" / "lib.txt", "k\tstandards\n");
    EXPECT_EQ(eval("GETCELL(\"lib.txt\",\"k\")"), "standards");
    writeText(dataFolder() / "LIB.TXT", "k\tdata\n"); // letter case differs: still found
    EXPECT_EQ(eval("GETCELL(\"lib.txt\",\"k\")"), "data");
    Zrk_String path;
    EXPECT_FALSE(standards::findDataFile("nothing.txt", path));
    EXPECT_FALSE(standards::findDataFile("", path));
}

TEST_F(FunctionsTest, AChangedDataFileIsReadAgain) {
    const auto file = dataFolder() / "t.txt";
    writeText(file, "k\tone\n");
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"k\")"), "one");
    // Same size, new content: the modification time tells.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    writeText(file, "k\ttwo\n");
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"k\")"), "two");
    writeText(file, "k\tthree!\n");
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) - std::chrono::hours(1));
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"k\")"), "three!"); // older time, other size
    std::filesystem::remove(file);
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"k\")"), "#VALUE!");
}

// Why a look-up answers an error value: each failure leaves a note naming the file (and line).
TEST_F(FunctionsTest, FailedLookUpsSayWhy) {
    const auto lastNote = [] {
        const auto& problems = standards::evaluationProblems();
        return problems.isEmpty() ? Zrk_String() : problems.last().text;
    };
    standards::clearFailure();
    EXPECT_EQ(eval("GETCELL(\"missing.txt\",10)"), "#VALUE!");
    EXPECT_EQ(lastNote(), "GETCELL failed: there is no data file missing.txt (as written, in the standards folder's "
                          "\"Data\" folder, the standards folder or the library folder).");
    const Zrk_String table = (dataFolder() / "t.txt").string();
    writeText(dataFolder() / "t.txt", "a\t1\nb\n");
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"c\")"), "#VALUE!");
    EXPECT_EQ(lastNote(), "GETCELL failed: " + table + " has no line with the key \"c\".");
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"b\")"), "#VALUE!");
    EXPECT_EQ(lastNote(), "GETCELL failed: " + table + ", line 2: the line of the key \"b\" has no value (no tab after the key).");
    // A file of random bytes is no table: nothing in it is a key.
    writeText(dataFolder() / "t.txt", std::string("a\t1\n\x01\x9c\0\tzz\n", 11));
    EXPECT_EQ(eval("GETCELL(\"t.txt\",\"a\")"), "#VALUE!");
    EXPECT_EQ(lastNote(), "GETCELL failed: " + table + ", line 2: not text (a control byte); the file is not read.");
    EXPECT_TRUE(standards::evaluationProblems().length() >= 4);
    EXPECT_FALSE(standards::evaluationHasFailures()); // notes: the evaluation goes on with the error values
}

TEST_F(FunctionsTest, SizesFilesThatAreNoSizesAreRefused) {
    const Zrk_String sizes = (dataFolder() / "s.txt").string();
    standards::clearFailure();
    writeText(dataFolder() / "s.txt", "");
    const Zrk_String withoutSizes = eval("STDSIZEWITHTOLERANCE(\"s.txt\",5,103,10,10)");
    // Random bytes once gave sizes (atof of anything is a number); now nothing is read, the rounding
    // answers alone, and the note names the line.
    writeText(dataFolder() / "s.txt", "100\n\x8f\xa0garbage\x07\n");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"s.txt\",5,103,10,10)"), withoutSizes);
    EXPECT_EQ(standards::evaluationProblems().last().text,
              "STDSIZEWITHTOLERANCE rounds without sizes: " + sizes + ", line 2: not text (a control byte); the file is not read.");
    writeText(dataFolder() / "s.txt", "100\n150x10\n120 mm\n");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"s.txt\",5,103,10,10)"), withoutSizes);
    EXPECT_EQ(standards::evaluationProblems().last().text,
              "STDSIZEWITHTOLERANCE rounds without sizes: " + sizes +
                  ", line 3: expected a size or a size \"x\" thickness (\"100x10\"), found \"120 mm\"; the file is not read.");
    writeText(dataFolder() / "s.txt", "100\n150 x 10 // blanks around the x are fine\n");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"s.txt\",5,103,10,10)"), "100");

    standards::SizesFile parsed;
    Zrk_String message;
    EXPECT_TRUE(parsed.parse({"/* a */ 100x12", "", "50"}, "f", message));
    EXPECT_EQ(parsed.sizes, (Zrk_Array<double>{100, 50}));
    EXPECT_EQ(parsed.thicknesses, (Zrk_Array<double>{12, 0}));
    EXPECT_FALSE(parsed.parse({"100", "x10"}, "f", message));
    EXPECT_EQ(message, "f, line 2: expected a size or a size \"x\" thickness (\"100x10\"), found \"x10\"; the file is not read.");
    EXPECT_TRUE(parsed.sizes.isEmpty());
}

// A section table cut short is not read as sections: a look-up names the file and the line.
TEST_F(FunctionsTest, ATruncatedSectionTableIsNamedByTheLookUp) {
    std::string table;
    ASSERT_TRUE(readFileBytes((library / "prof" / "HEA.pr").string(), table));
    const std::size_t cut = table.find("HEA 200");
    ASSERT_NE(cut, std::string::npos);
    writeText(library / "prof" / "HEA.pr", table.substr(0, cut + 3));
    gSectionTables.loadFolder((library / "prof").string());
    standards::clearFailure();
    EXPECT_EQ(eval("SECTIONSIZE(\"HEA 200\",2)"), "#VALUE!");
    const Zrk_String note = standards::evaluationProblems().last().text;
    EXPECT_EQ(note.rfind("SECTIONSIZE failed: the section tables (" + gSettings.libDir + "prof/*.pr) have no section \"HEA 200\". " +
                             (library / "prof" / "HEA.pr").string() + ", line ",
                         0),
              0u)
        << note;
    EXPECT_NE(note.find("cells separated by tabs, as line 3 names them, found 3."), Zrk_String::npos) << note;
}

TEST_F(FunctionsTest, GetProfCellMatchesUserNamesBySystemName) {
    writeText(dataFolder() / "prof.txt", "HEA 220\tfirst\nHEA-200\tsystem\nHE 200 A\tgerman\nXYZ\tunknown\n");
    // "HEA-200" is written as a system name; "HE 200 A" (a display name of it) comes later.
    EXPECT_EQ(eval("GETPROFCELL(\"prof.txt\",\"HEA-200\")"), "system");
    EXPECT_EQ(eval("GETPROFCELL(\"prof.txt\",\"HEA-220\")"), "first");
    EXPECT_EQ(eval("GETPROFCELL(\"prof.txt\",\"XYZ\")"), "unknown");
    EXPECT_EQ(eval("GETCELL(\"prof.txt\",\"HEA-220\")"), "#VALUE!"); // GETCELL compares as written
}

TEST_F(FunctionsTest, SectionFunctions) {
    EXPECT_EQ(eval("SECTIONSIZE(\"HEA 200\",2)"), "200");
    EXPECT_EQ(eval("SECTIONSIZE(\"HEA-200\",1.9)"), "190");
    EXPECT_EQ(eval("SECTIONSIZE(\"HEA-200\",0)"), "#VALUE!");
    EXPECT_EQ(eval("SECTIONSIZE(\"HEA-999\",1)"), "#VALUE!");
    EXPECT_EQ(eval("GETSYSNAME(\"HE 200 A\")"), "HEA-200");
    EXPECT_EQ(eval("GETSYSNAME(\"Plate 10\")"), "Plate 10");
}

TEST_F(FunctionsTest, SmallHelpers) {
    EXPECT_EQ(eval("ROUNDTO(12.4,5)"), "10");
    EXPECT_EQ(eval("ROUNDTO(\"12\",5)"), "#VALUE!");
    EXPECT_EQ(eval("GETARRAYITEM(\"a;b;c\",2)"), "b");
    EXPECT_EQ(eval("GETARRAYITEM(\"a;b;c\",3.9)"), "c");
    EXPECT_EQ(eval("ISNULL(GETARRAYITEM(\"a;b;c\",0))"), "1");
    EXPECT_EQ(eval("ISNULL(GETARRAYITEM(\"a;b;c\",4))"), "1");
    EXPECT_EQ(eval("TONUMBER(\"12.5mm\")"), "12.5");
    EXPECT_EQ(eval("TONUMBER(\"abc\")"), "0");
    EXPECT_EQ(eval("TONUMBER(7)"), "7");
    // ISNULL: an empty cell, an empty text and 0 are null.
    EXPECT_EQ(eval("ISNULL(A1)"), "1");
    EXPECT_EQ(eval("ISNULL(\"\")"), "1");
    EXPECT_EQ(eval("ISNULL(0)"), "1");
    EXPECT_EQ(eval("ISNULL(\"x\")"), "0");
    EXPECT_EQ(eval("ISNULL(1/0)"), "#VALUE!"); // neither empty, text nor number
    EXPECT_EQ(eval("ISPOSITIVE(\"5\")"), "1");
    EXPECT_EQ(eval("ISPOSITIVE(\"-1\")"), "0");
    EXPECT_EQ(eval("ISPOSITIVE(\"abc\")"), "0");
    EXPECT_EQ(eval("ISPOSITIVE(A1)"), "0");
    EXPECT_EQ(eval("ISPOSITIVE(0.001)"), "1");
}

class ToleranceTest : public FunctionsTest {
protected:
    void SetUp() override {
        FunctionsTest::SetUp();
        writeText(dataFolder() / "plates.txt", "/* widths */ 120x10 // a comment\n100x10\n150\n\n 200x12 \n");
        writeText(dataFolder() / "sizes.txt", "100\n120\n");
    }
    ui::ScriptedUser user;
};

TEST_F(ToleranceTest, WidthCandidatesFollowTheThickness) {
    // step, thickness, value, down, up: thickness 10 offers 100, 120, 150; 12 offers 150 and 200.
    EXPECT_EQ(eval("STDWIDTHWITHTOLERANCE(\"plates.txt\",5,10,118,10,10)"), "120");
    EXPECT_EQ(eval("STDWIDTHWITHTOLERANCE(\"plates.txt\",5,12,118,10,40)"), "150");
    EXPECT_EQ(eval("STDWIDTHWITHTOLERANCE(\"plates.txt\",5,12,160,20,45)"), "150");
    EXPECT_EQ(eval("STDTHICKNESSWITHTOLERANCE(\"plates.txt\",1,11,2,2)"), "10"); // 10 and 12 tie: below first
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",5,105,10,20)"), "100");
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(ToleranceTest, NearestStandardAndRoundingWithinTolerance) {
    // Below distance 5, above 15: the nearer one.
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",5,105,10,20)"), "100");
    // Below distance 5 out of its tolerance 4: above (15 within 20).
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",5,105,4,20)"), "120");
    // Both out of tolerance: rounding decides, to a multiple of the step.
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",10,110,5,5)"), "110");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",8,110,5,5)"), "112");
    // Rounding up takes the up tolerance: 105 is the smallest multiple of 7 not below 110 - 5.
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",7,110,5,5)"), "105");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",7,110,5,1)"), "105");
    // The rounding up takes the up tolerance: from 280 with 60 it would reach 220, below the value;
    // a size outside the tolerances is never chosen.
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"none.txt\",10,280,0,60)"), "280");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"none.txt\",10,283,0,60)"), "283");
    // Neither rounding fits: the value itself, limited to its tolerances.
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",50,110,1,1)"), "110");
    // A missing sizes file leaves only the rounding.
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"none.txt\",10,104,5,5)"), "100");
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"none.txt\",\"10\",104,5,5)"), "#VALUE!");
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(ToleranceTest, InvalidTolerancesAreReportedAndStillAnswered) {
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",5,105,-1,1)"), "106"); // 105 limited to [106, 106]
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    const auto& box = user.messageBoxes()[0].request;
    EXPECT_EQ(box.text, "Invalid tolerances provided.\n DownTolerance is :-1.00UpTolerance is :1.00\n"
                        "Adding both tolerances should result in a positive value.");
    EXPECT_EQ(box.icon(), ui::MB_ICONEXCLAMATION);
    // Not shown when the document does not ask for standards errors.
    gSettings.current().reportStandardsErrors = false;
    EXPECT_EQ(eval("STDSIZEWITHTOLERANCE(\"sizes.txt\",5,107,0,0)"), "107");
    gSettings.current().reportStandardsErrors = true;
    EXPECT_EQ(user.messageBoxes().size(), 1u);
}

} // namespace
