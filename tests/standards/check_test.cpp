// Checking standards without evaluating them: each kind of finding on a small faulty standard, a
// clean standard without findings, circles of child calls, and the sample library.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/settings.h"
#include "library_fixture.h"
#include "sheet_writer.h"
#include "standards/standards_check.h"
#include "ui/scripted_user.h"

namespace {

class CheckTest : public LibraryTest {
protected:
    std::filesystem::path folder() const { return library / "Connection Standards"; }

    standards::CheckReport check(const std::filesystem::path& sheet) {
        standards::CheckReport report;
        standards::checkStandard(sheet.string(), report);
        return report;
    }
    // The findings as "FILE CELL: text" with the file's name only.
    static std::vector<std::string> lines(const standards::CheckReport& report) {
        std::vector<std::string> out;
        for (const standards::CheckFinding& finding : report.findings)
            out.push_back(std::filesystem::path(finding.file).filename().string() + " " + finding.cell +
                          ": " + finding.text);
        return out;
    }
    static bool has(const std::vector<std::string>& lines, const std::string& part) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }

    ui::ScriptedUser user;
};

TEST_F(CheckTest, ACleanStandardHasNoFindings) {
    writeSheet(folder() / "Clean.kvs", {{"Input"},
                                        {"Double Thickness", "String Grade"},
                                        {"Output"},
                                        {"Double Width", "String Text"},
                                        {"Local"},
                                        {"Double Twice"},
                                        {"Calc"},
                                        {"Twice = Thickness * 2 + B2 * 0 + $A$1 * 0"},
                                        {"Width = CEILING.MATH(Twice, 5) + gen_Gap"},
                                        {"Text = IF(Grade = \"S355\", \"strong\", \"plain\")"}});
    const standards::CheckReport report = check(folder() / "Clean.kvs");
    EXPECT_TRUE(report.findings.empty()) << ::testing::PrintToString(lines(report));
    EXPECT_EQ(report.checked.length(), 1);
}

TEST_F(CheckTest, EachFaultOfTheEquationsAndDeclarationsIsFoundWithItsCell) {
    writeSheet(folder() / "Faulty.kvs", {{"Input"},
                                         {"Double Thickness", "Double Unused"},
                                         {"Output"},
                                         {"Double Width", "Double Height", "Double Width"},
                                         {"Local"},
                                         {"Double Later", "String Label"},
                                         {"Calc"},
                                         {"Width = Thickness * 2 + Later", "Later = 5"},
                                         {"Label = \"Width of plate\" & Thicknes"},
                                         {"Height = GETCELL(\"NoSuchTable.txt\", Thickness) + FOO(1)"},
                                         {"Nonsense text"},
                                         {"Ghost = 1"},
                                         {"Height = CallChild(\"Missing.kvs\", Width)"}});
    const std::vector<std::string> found = lines(check(folder() / "Faulty.kvs"));
    EXPECT_TRUE(has(found, "Faulty.kvs C4: \"Width\" is declared again (first in A4)"))
        << ::testing::PrintToString(found);
    EXPECT_TRUE(
        has(found, "A8: uses Later before it is assigned (in B8): the evaluation gives it an empty value"));
    EXPECT_TRUE(has(found, "A9: the text \"Width of plate\" holds the variable name Width"));
    EXPECT_TRUE(has(found, "A9: uses Thicknes, which is declared nowhere"));
    EXPECT_TRUE(has(found, "A10: the data file \"NoSuchTable.txt\" of GETCELL cannot be found"));
    EXPECT_TRUE(has(found, "A10: calls FOO, which is no function the engine knows"));
    EXPECT_TRUE(has(found, "A11: \"Nonsense text\" is no equation"));
    EXPECT_TRUE(has(found, "A12: assigns Ghost, which is declared nowhere"));
    EXPECT_TRUE(has(found, "A13: the child sheet \"Missing.kvs\" cannot be found"));
    EXPECT_TRUE(has(found, "B2: the Input Unused is never used"));
    EXPECT_TRUE(has(found, "B6: the Local Label is never used"));
    EXPECT_EQ(found.size(), 11u) << ::testing::PrintToString(found);
}

TEST_F(CheckTest, AnOutputNeverAssignedAndAStaleOutputAreFound) {
    writeSheet(folder() / "Outputs.kvs", {{"Input"},
                                          {"Double In"},
                                          {"Output"},
                                          {"Double Never", "Double Stale", "Double Sum"},
                                          {"Calc"},
                                          {"Sum = In + Stale"},
                                          {"Stale = In * 2"}});
    const std::vector<std::string> found = lines(check(folder() / "Outputs.kvs"));
    EXPECT_TRUE(has(found, "A4: the Output Never is never assigned")) << ::testing::PrintToString(found);
    EXPECT_TRUE(
        has(found,
            "A6: uses Stale before it is assigned (in A7): the evaluation gives it the value it had before"));
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(CheckTest, ChildCallsInACircleAreFoundAndChildrenAreCheckedToo) {
    writeSheet(
        folder() / "A.kvs",
        {{"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}, {"Y = CallChild(\"B.kvs\", X, Y)"}});
    writeSheet(folder() / "B.kvs", {{"Input"},
                                    {"Double X"},
                                    {"Output"},
                                    {"Double Y"},
                                    {"Calc"},
                                    {"Y = CallChild(\"A.kvs\", X, Y)"},
                                    {"Z = 1"}});
    const standards::CheckReport report = check(folder() / "A.kvs");
    const std::vector<std::string> found = lines(report);
    EXPECT_EQ(report.checked.length(), 2);
    EXPECT_TRUE(has(found, "B.kvs A6: the child calls run in a circle: A.kvs -> B.kvs -> A.kvs"))
        << ::testing::PrintToString(found);
    EXPECT_TRUE(has(found, "B.kvs A7: assigns Z, which is declared nowhere"));
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(CheckTest, ASheetThatCannotBeLoadedOrLacksSectionsIsAFinding) {
    writeSheet(folder() / "NoOutput.kvs", {{"Input"}, {"Double X"}, {"Calc"}, {"X = 1"}});
    writeSheet(folder() / "NoCalc.kvs", {{"Input"}, {"Double X"}, {"Output"}, {"Double Y"}});
    standards::CheckReport report;
    Zrk_String error;
    ASSERT_TRUE(standards::checkStandardsFolder(folder().string(), report, error)) << error;
    const std::vector<std::string> found = lines(report);
    EXPECT_TRUE(has(found, "NoCalc.kvs : The sheet has no \"Calc\" section"))
        << ::testing::PrintToString(found);
    EXPECT_TRUE(has(found, "NoOutput.kvs : ")) << ::testing::PrintToString(found);
    EXPECT_TRUE(has(found, "NoCalc.kvs A4: the Output Y is never assigned"));
    standards::CheckReport missing;
    standards::checkStandard((folder() / "Nothing.kvs").string(), missing);
    ASSERT_EQ(missing.findings.size(), 1u);
    EXPECT_NE(missing.findings[0].text.find("Nothing"), Zrk_String::npos) << missing.findings[0].text;
    EXPECT_FALSE(standards::checkStandardsFolder("/nonexistent/folder", report, error));
    EXPECT_EQ(error, "The folder /nonexistent/folder does not exist.");
}

TEST_F(CheckTest, TheSampleLibraryPasses) {
    gSettings.libDir = Zrk_String(SS_SAMPLE_LIBRARY) + "/";
    standards::CheckReport report;
    Zrk_String error;
    ASSERT_TRUE(standards::checkStandardsFolder(SS_SAMPLE_LIBRARY, report, error)) << error;
    EXPECT_GE(report.checked.length(), 4);
    EXPECT_TRUE(report.findings.empty()) << ::testing::PrintToString(lines(report));
}

} // namespace
