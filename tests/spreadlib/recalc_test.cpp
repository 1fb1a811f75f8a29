// Recalculation: automatic and manual, the order of dependents, circular references, long chains
// (no recursion: a chain far longer than any call stack would allow), and blocks as dependencies.
#include "test_util.h"

namespace spreadlib::test {
namespace {

TEST(Recalc, AutomaticRecalculationFollowsEdits) {
    Sheet sheet;
    sheet.setData(1, 1, "2");
    ASSERT_TRUE(sheet.setFormula(1, 2, "A1*10"));
    ASSERT_TRUE(sheet.setFormula(1, 3, "A2+A1"));
    ASSERT_TRUE(sheet.setFormula(2, 1, "SUM(A1:A3)"));
    EXPECT_EQ(valueOf(sheet, 2, 1), "44");
    sheet.setData(1, 1, "3");
    EXPECT_EQ(valueOf(sheet, 1, 3), "33");
    EXPECT_EQ(valueOf(sheet, 2, 1), "66");
    // A diamond: D1 reads B2 and C2, which both read A1; D1 sees both new values.
    ASSERT_TRUE(sheet.setFormula(2, 2, "A1+1"));
    ASSERT_TRUE(sheet.setFormula(3, 2, "A1*2"));
    ASSERT_TRUE(sheet.setFormula(4, 1, "B2&\"/\"&C2"));
    sheet.setData(1, 1, "5");
    EXPECT_EQ(valueOf(sheet, 4, 1), "6/10");
    // Replacing a formula by a value, and clearing, reach the dependents too.
    sheet.setData(1, 2, "1");
    EXPECT_EQ(valueOf(sheet, 1, 3), "6");
    sheet.clearData(1, 1, 1, 2);
    EXPECT_EQ(valueOf(sheet, 1, 3), "0");
}

TEST(Recalc, ManualModeEvaluatesANewFormulaAtOnce) {
    Sheet sheet;
    sheet.setBool(kOptionAutoCalc, false);
    sheet.setData(1, 1, "2");
    ASSERT_TRUE(sheet.setFormula(1, 2, "A1*10"));
    EXPECT_EQ(valueOf(sheet, 1, 2), "20"); // evaluated when set
    sheet.setData(1, 1, "3");
    EXPECT_EQ(valueOf(sheet, 1, 2), "20"); // waits for a recalculation
    // A new formula brings what it reads up to date first.
    ASSERT_TRUE(sheet.setFormula(1, 3, "A2+1"));
    EXPECT_EQ(valueOf(sheet, 1, 3), "31");
    EXPECT_EQ(valueOf(sheet, 1, 2), "30");
    sheet.setData(1, 1, "4");
    ASSERT_TRUE(sheet.SSReCalcCell(1, 3));
    EXPECT_EQ(valueOf(sheet, 1, 3), "41");
    sheet.setData(1, 1, "5");
    sheet.recalcAll();
    EXPECT_EQ(valueOf(sheet, 1, 3), "51");
    // Without evaluating at once the cell waits, and switching automatic recalculation on catches up.
    ASSERT_TRUE(sheet.setFormula(2, 1, "A1+100", false));
    EXPECT_EQ(valueOf(sheet, 2, 1), "");
    sheet.setData(1, 1, "6");
    sheet.setBool(kOptionAutoCalc, true);
    EXPECT_EQ(valueOf(sheet, 2, 1), "106");
    EXPECT_EQ(valueOf(sheet, 1, 3), "61");
}

TEST(Recalc, CircularReferencesGiveAnErrorValue) {
    Sheet sheet;
    ASSERT_TRUE(sheet.setFormula(1, 1, "A1+1"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "#CIRC!");
    ASSERT_TRUE(sheet.setFormula(2, 1, "C1"));
    ASSERT_TRUE(sheet.setFormula(3, 1, "B1*2"));
    EXPECT_EQ(valueOf(sheet, 2, 1), "#CIRC!");
    EXPECT_EQ(valueOf(sheet, 3, 1), "#CIRC!");
    // Cells after a cycle compute with its error; IFERROR sees it as an error.
    ASSERT_TRUE(sheet.setFormula(4, 1, "IFERROR(C1,\"cycle\")"));
    EXPECT_EQ(valueOf(sheet, 4, 1), "cycle");
    ASSERT_TRUE(sheet.setFormula(5, 1, "SUM(B1:C1)"));
    EXPECT_EQ(valueOf(sheet, 5, 1), "#CIRC!");
    // Breaking the cycle heals every cell.
    sheet.setData(3, 1, "4");
    EXPECT_EQ(valueOf(sheet, 2, 1), "4");
    EXPECT_EQ(valueOf(sheet, 4, 1), "4");
    EXPECT_EQ(valueOf(sheet, 5, 1), "8");
    // A block that holds its own formula.
    ASSERT_TRUE(sheet.setFormula(6, 3, "SUM(F1:F5)"));
    EXPECT_EQ(valueOf(sheet, 6, 3), "#CIRC!");
    sheet.setBool(kOptionAutoCalc, false);
    ASSERT_TRUE(sheet.setFormula(7, 1, "G2"));
    ASSERT_TRUE(sheet.setFormula(7, 2, "G1"));
    // In manual mode the cycle shows at the next recalculation; until then the old values stay.
    EXPECT_EQ(valueOf(sheet, 7, 2), "0");
    sheet.recalcAll();
    EXPECT_EQ(valueOf(sheet, 7, 1), "#CIRC!");
    EXPECT_EQ(valueOf(sheet, 7, 2), "#CIRC!");
}

TEST(Recalc, LongChainsNeedNoStack) {
    Sheet sheet;
    constexpr int kLength = 200000;
    ASSERT_TRUE(sheet.setMaxRows(kLength));
    sheet.setData(1, 1, "1");
    for (int r = 2; r <= kLength; ++r) ASSERT_TRUE(sheet.setFormula(1, r, "A" + std::to_string(r - 1) + "+1"));
    EXPECT_EQ(valueOf(sheet, 1, kLength), std::to_string(kLength));
    sheet.setData(1, 1, "10");
    EXPECT_EQ(valueOf(sheet, 1, kLength), std::to_string(kLength + 9));
    // The same chain in manual mode, brought up to date by evaluating its last cell.
    sheet.setBool(kOptionAutoCalc, false);
    sheet.setData(1, 1, "0");
    ASSERT_TRUE(sheet.SSReCalcCell(1, kLength));
    EXPECT_EQ(valueOf(sheet, 1, kLength), std::to_string(kLength - 1));
    // And as one long cycle.
    sheet.setBool(kOptionAutoCalc, true);
    ASSERT_TRUE(sheet.setFormula(1, 1, "A" + std::to_string(kLength)));
    EXPECT_EQ(valueOf(sheet, 1, kLength / 2), "#CIRC!");
}

TEST(Recalc, BlocksAsDependencies) {
    Sheet sheet;
    ASSERT_TRUE(sheet.setFormula(5, 1, "SUM(A1:C100)"));
    ASSERT_TRUE(sheet.setFormula(5, 2, "SUM(A:A)+COUNT(1:1)"));
    ASSERT_TRUE(sheet.setFormula(5, 3, "SUM(A1:CZ2)")); // wide: listed apart
    sheet.setData(2, 50, "7");
    EXPECT_EQ(valueOf(sheet, 5, 1), "7");
    sheet.setData(1, 1, "1");
    EXPECT_EQ(valueOf(sheet, 5, 1), "8");
    EXPECT_EQ(valueOf(sheet, 5, 2), "3"); // 1 + the two numbers of row 1 (A1 and E1)
    sheet.setData(100, 2, "5");
    EXPECT_EQ(valueOf(sheet, 5, 3), "17"); // A1, E1, E2 and CV2
    sheet.setData(2, 101, "1000"); // outside the block
    EXPECT_EQ(valueOf(sheet, 5, 1), "8");
    // Formulas that feed a block feed its readers in order.
    ASSERT_TRUE(sheet.setFormula(3, 1, "A1*100"));
    EXPECT_EQ(valueOf(sheet, 5, 1), "108");
    sheet.setData(1, 1, "2");
    EXPECT_EQ(valueOf(sheet, 5, 1), "209");
}

} // namespace
} // namespace spreadlib::test
