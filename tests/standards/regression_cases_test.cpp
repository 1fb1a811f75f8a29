// The regression-case format: what it reads, the faults it names with their lines, and how outputs
// are compared; and a run of cases against a standard with its report.
#include <fstream>

#include <gtest/gtest.h>

#include "core/text.h"
#include "library_fixture.h"
#include "sheet_writer.h"
#include "standards/regression_cases.h"

namespace {

using standards::parseRegressionCases;
using standards::RegressionCases;

TEST(RegressionFormat, ReadsCasesWithTheirLines) {
    RegressionCases cases;
    Zrk_String error;
    ASSERT_TRUE(parseRegressionCases({"# a comment", "standard  Sub/Plate ", "tolerance 0.01", "", "case First one",
                                      "in Width = 10", "in  Name=\"  spaced \"", "genvar gen_X = S355", "out Area = 2.5",
                                      "out Empty = \"\"", "message equation failed", "case Second", "  fails  "},
                                     "t.cases", cases, error))
        << error;
    EXPECT_EQ(cases.standard, "Sub/Plate");
    EXPECT_EQ(cases.tolerance, 0.01);
    ASSERT_EQ(cases.cases.length(), 2);
    const auto& first = cases.cases[0];
    EXPECT_EQ(first.name, "First one");
    EXPECT_EQ(first.line, 5);
    EXPECT_EQ(first.inputNames, (Zrk_StringArray{"Width", "Name"}));
    EXPECT_EQ(first.inputValues, (Zrk_StringArray{"10", "  spaced "}));
    EXPECT_EQ(first.genVarValues, (Zrk_StringArray{"S355"}));
    EXPECT_EQ(first.outputValues, (Zrk_StringArray{"2.5", ""}));
    EXPECT_EQ(first.messages, (Zrk_StringArray{"equation failed"}));
    EXPECT_FALSE(first.fails);
    EXPECT_TRUE(cases.cases[1].fails);
    // UTF-8 in the file becomes the module's text.
    ASSERT_TRUE(parseRegressionCases({"case x", "in Grade = S235 \xC3\xA9"}, "t.cases", cases, error));
    EXPECT_EQ(cases.cases[0].inputValues[0], "S235 \xE9");
}

TEST(RegressionFormat, FaultsNameTheirLineAndChangeNothing) {
    RegressionCases cases;
    cases.standard = "kept";
    Zrk_String error;
    const std::pair<Zrk_StringArray, const char*> faults[] = {
        {{"in A = 1"}, "t.cases:1: \"in\" belongs to a case"},
        {{"case"}, "t.cases:1: a case needs a name"},
        {{"case a", "out = 3"}, "t.cases:2: expected \"out NAME = VALUE\""},
        {{"case a", "in A"}, "t.cases:2: expected \"in NAME = VALUE\""},
        {{"case a", "standard x"}, "t.cases:2: \"standard\" belongs before the first case"},
        {{"tolerance -1"}, "t.cases:1: the tolerance must be a number that is not negative"},
        {{"tolerance abc"}, "t.cases:1: the tolerance must be"},
        {{"case a", "fails now"}, "t.cases:2: \"fails\" stands alone"},
        {{"case a", "expect A = 1"}, "t.cases:2: expected case, in, genvar, out, message, fails, standard or tolerance"},
        {{"case a", "message"}, "t.cases:2: \"message\" needs the text"},
    };
    for (const auto& [lines, message] : faults) {
        EXPECT_FALSE(parseRegressionCases(lines, "t.cases", cases, error)) << message;
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
        EXPECT_EQ(cases.standard, "kept");
    }
}

TEST(RegressionFormat, OutputsCompareAsNumbersOrTexts) {
    EXPECT_TRUE(standards::outputMatches("280.0000000", "280", 1e-6));
    EXPECT_TRUE(standards::outputMatches("0.3000001", "0.3", 1e-6));
    EXPECT_FALSE(standards::outputMatches("0.30001", "0.3", 1e-6));
    EXPECT_TRUE(standards::outputMatches("0.30001", "0.3", 0.001));
    EXPECT_TRUE(standards::outputMatches("HEA-200", "HEA-200", 1));
    EXPECT_FALSE(standards::outputMatches("HEA-200", "hea-200", 1));
    EXPECT_FALSE(standards::outputMatches("12mm", "12", 1)); // only whole numbers compare as numbers
    EXPECT_FALSE(standards::outputMatches("", "0", 1));
}

class RegressionRun : public LibraryTest {};

TEST_F(RegressionRun, CasesAgainstTheSheetBesideThem) {
    const auto folder = library / "Connection Standards";
    writeSheet(folder / "Double.kvs",
               {{"Input"}, {"Double A"}, {"Output"}, {"Double B", "String C"}, {"Calc"}, {"B = A * 2", "C = X"}});
    std::ofstream(folder / "Double.cases") << "case good\nin A = 2\nout B = 4\nmessage C = X\n"
                                              "case wrong value\nin A = 2\nout B = 5\nmessage C = X\n"
                                              "case unexpected message\nin A = 1\nout B = 2\n"
                                              "case should fail\nin A = 1\nmessage C = X\nfails\n"
                                              "case unknown output\nin A = 1\nout Z = 1\nmessage C = X\n"
                                              "case unknown input\nin Q = 1\n";
    standards::RegressionReport report;
    Zrk_String error;
    std::vector<std::pair<int, int>> progress; // each case before it runs, and the end
    ASSERT_TRUE(standards::runRegressionCases((folder / "Double.cases").string(), report, error,
                                              [&](int done, int total) { progress.emplace_back(done, total); }))
        << error;
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 6}, {1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));
    EXPECT_EQ(report.passed, 1);
    EXPECT_EQ(report.failed, 5);
    const Zrk_String text = arrToStr(report.lines, '\n');
    EXPECT_NE(text.find("  ok      good\n"), Zrk_String::npos) << text;
    EXPECT_NE(text.find("B is \"4.0000000\", expected \"5\""), Zrk_String::npos) << text;
    EXPECT_NE(text.find("unexpected message: The following equation failed: | C = X | Spreadsheet"), Zrk_String::npos)
        << text;
    EXPECT_NE(text.find("the evaluation succeeded; it was to fail"), Zrk_String::npos) << text;
    EXPECT_NE(text.find("Z is no Output of the standard"), Zrk_String::npos) << text;
    EXPECT_NE(text.find("the evaluation failed: The standards spreadsheet"), Zrk_String::npos) << text;
    EXPECT_NE(text.find("has no Input variable \"Q\""), Zrk_String::npos) << text;
    EXPECT_NE(text.find("6 cases: 1 passed, 5 failed."), Zrk_String::npos) << text;

    // A cases file that names no existing sheet, or cannot be read.
    std::ofstream(folder / "Orphan.cases") << "case a\n";
    EXPECT_FALSE(standards::runRegressionCases((folder / "Orphan.cases").string(), report, error));
    EXPECT_NE(error.find("Orphan.kvs, which does not exist"), Zrk_String::npos) << error;
    EXPECT_FALSE(standards::runRegressionCases((folder / "None.cases").string(), report, error));
    EXPECT_EQ(error, (folder / "None.cases").string() + ": the file cannot be read: No such file or directory.");
}

} // namespace
