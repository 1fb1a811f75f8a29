// Formula text: operators and their precedence, literals, references in A1 and R1C1 style, how a
// formula prints back, and the limits that keep any text from hurting the parser.
#include "spreadlib/formula.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

TEST(Formula, OperatorsFollowSpreadsheetPrecedence) {
    Sheet sheet;
    EXPECT_EQ(eval(sheet, "=1+2*3"), "7");
    EXPECT_EQ(eval(sheet, "=(1+2)*3"), "9");
    EXPECT_EQ(eval(sheet, "=-2^2"), "4");        // the sign binds tighter than ^
    EXPECT_EQ(eval(sheet, "=2^3^2"), "64");      // ^ is read from the left
    EXPECT_EQ(eval(sheet, "=2^-1"), "0.5");
    EXPECT_EQ(eval(sheet, "=50%"), "0.5");
    EXPECT_EQ(eval(sheet, "=10-2-3"), "5");
    EXPECT_EQ(eval(sheet, "=12/4/3"), "1");
    EXPECT_EQ(eval(sheet, "=1+2&3"), "33");      // & below + and -
    EXPECT_EQ(eval(sheet, "=1+1=2"), "TRUE");    // comparisons last
    EXPECT_EQ(eval(sheet, "=\"a\"&1=\"a1\""), "TRUE");
    EXPECT_EQ(eval(sheet, "=1<>2"), "TRUE");
    EXPECT_EQ(eval(sheet, "=2<=2"), "TRUE");
    EXPECT_EQ(eval(sheet, "=3>=4"), "FALSE");
    EXPECT_EQ(eval(sheet, "=--3"), "3");
    EXPECT_EQ(eval(sheet, "=+\"x\""), "x");
    EXPECT_EQ(eval(sheet, "= 1 +\t2 "), "3");
    EXPECT_EQ(eval(sheet, "=0.1+0.2"), "0.3");
    EXPECT_EQ(eval(sheet, "=1E3+.5"), "1000.5");
}

TEST(Formula, TextsAndNumbersMix) {
    Sheet sheet;
    EXPECT_EQ(eval(sheet, "=\"3\"+4"), "7");
    EXPECT_EQ(eval(sheet, "=\"1,000\"*2"), "2000");
    EXPECT_EQ(eval(sheet, "=\"abc\"+1"), "#VALUE!");
    EXPECT_EQ(eval(sheet, "=\"\"+1"), "#VALUE!");
    EXPECT_EQ(eval(sheet, "=TRUE+1"), "2");
    EXPECT_EQ(eval(sheet, "=\"Say \"\"hi\"\"\""), "Say \"hi\"");
    EXPECT_EQ(eval(sheet, "=1.5&\"m\""), "1.5m");
    EXPECT_EQ(eval(sheet, "=TRUE&\"\""), "TRUE");
    // Numbers sort before texts, texts before logical values; texts without regard to case.
    EXPECT_EQ(eval(sheet, "=1<\"0\""), "TRUE");
    EXPECT_EQ(eval(sheet, "=\"z\"<TRUE"), "TRUE");
    EXPECT_EQ(eval(sheet, "=\"ABC\"=\"abc\""), "TRUE");
    sheet.setData(1, 1, "12.5");
    sheet.setData(1, 2, "12.5", true); // kept as text
    EXPECT_EQ(eval(sheet, "=A1=12.5"), "TRUE");
    EXPECT_EQ(eval(sheet, "=A2=12.5"), "FALSE");
    EXPECT_EQ(eval(sheet, "=A2*2"), "25");
    EXPECT_EQ(eval(sheet, "=A3"), "0"); // an empty cell shows 0
    EXPECT_EQ(eval(sheet, "=A3=\"\""), "TRUE");
    EXPECT_EQ(eval(sheet, "=A3=0"), "TRUE");
}

TEST(Formula, ErrorsAreValues) {
    Sheet sheet;
    EXPECT_EQ(eval(sheet, "=1/0"), "#DIV/0!");
    EXPECT_EQ(eval(sheet, "=#N/A+1/0"), "#N/A"); // the left error wins
    EXPECT_EQ(eval(sheet, "=1/0&\"x\""), "#DIV/0!");
    EXPECT_EQ(eval(sheet, "=0^0"), "#NUM!");
    EXPECT_EQ(eval(sheet, "=0^-1"), "#DIV/0!");
    EXPECT_EQ(eval(sheet, "=(-8)^(1/3)"), "#NUM!");
    EXPECT_EQ(eval(sheet, "=1E308*10"), "#NUM!");
    EXPECT_EQ(eval(sheet, "=NOSUCH(1)"), "#NAME?");
    EXPECT_EQ(eval(sheet, "=#REF!"), "#REF!");
    EXPECT_EQ(eval(sheet, "=1/0=1"), "#DIV/0!");
}

TEST(Formula, RangesAndImplicitIntersection) {
    Sheet sheet;
    for (int r = 1; r <= 4; ++r) sheet.setData(1, r, std::to_string(r));
    sheet.setData(2, 1, "x");
    EXPECT_EQ(eval(sheet, "=SUM(A1:A4)"), "10");
    EXPECT_EQ(eval(sheet, "=SUM(A4:A1)"), "10");
    EXPECT_EQ(eval(sheet, "=SUM($A$1:A$2)"), "3");
    EXPECT_EQ(eval(sheet, "=SUM(A:A)"), "10");
    EXPECT_EQ(eval(sheet, "=SUM(1:2)"), "3"); // the text in B1 does not count
    EXPECT_EQ(eval(sheet, "=COUNTA(A1:B4)"), "5");
    // A block in a single value's place gives the cell in the formula's own row.
    ASSERT_TRUE(sheet.setFormula(3, 3, "A1:A4*10"));
    EXPECT_EQ(valueOf(sheet, 3, 3), "30");
    ASSERT_TRUE(sheet.setFormula(3, 7, "A1:A4*10"));
    EXPECT_EQ(valueOf(sheet, 3, 7), "#VALUE!");
    ASSERT_TRUE(sheet.setFormula(3, 8, "A1:B2"));
    EXPECT_EQ(valueOf(sheet, 3, 8), "#VALUE!");
}

TEST(Formula, R1C1ReferencesAndTheStyleSwitch) {
    Sheet sheet;
    sheet.setData(1, 1, "5");
    sheet.setData(2, 1, "7");
    ASSERT_TRUE(sheet.SSSetRefStyle(kRefStyleR1C1));
    ASSERT_TRUE(sheet.setFormula(3, 2, "R1C1+R[-1]C[-1]*2"));
    EXPECT_EQ(valueOf(sheet, 3, 2), "19");
    EXPECT_EQ(formulaOf(sheet, 3, 2), "R1C1+R[-1]C[-1]*2");
    ASSERT_TRUE(sheet.setFormula(3, 3, "SUM(R1C1:R1C2)+SUM(C1)+RC[-2]"));
    EXPECT_EQ(valueOf(sheet, 3, 3), "17");
    ASSERT_TRUE(sheet.setFormula(3, 4, "ROUND(R1C1/3,2)")); // names beginning with R or C are functions
    EXPECT_EQ(valueOf(sheet, 3, 4), "1.67");
    Zrk_String message;
    EXPECT_FALSE(sheet.setFormula(3, 5, "A1+1", true, &message)); // A1 names nothing in R1C1 style
    EXPECT_FALSE(sheet.setFormula(1, 1, "R[-1]C", true, &message)); // above row 1
    // The same formula prints in A1 style once the style switches.
    ASSERT_TRUE(sheet.SSSetRefStyle(kRefStyleA1));
    EXPECT_EQ(formulaOf(sheet, 3, 2), "$A$1+B1*2");
    EXPECT_EQ(formulaOf(sheet, 3, 3), "SUM($A$1:$B$1)+SUM($A:$A)+A3");
}

TEST(Formula, TheSameTextSetAgainMeansWhatItMeansNow) {
    // A cell keeps its last formula as parsed; setting that text again reuses it only where the
    // text would parse the same.
    Sheet sheet;
    sheet.setData(1, 2, "5");
    sheet.setData(2, 2, "7");
    ASSERT_TRUE(sheet.SSSetRefStyle(kRefStyleR1C1));
    ASSERT_TRUE(sheet.setFormula(1, 1, "R[1]C*2"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "10");
    ASSERT_TRUE(sheet.setFormula(2, 1, "R[1]C*2")); // the same text in another cell reads another cell
    EXPECT_EQ(valueOf(sheet, 2, 1), "14");
    ASSERT_TRUE(sheet.SSSetRefStyle(kRefStyleA1));
    EXPECT_FALSE(sheet.setFormula(1, 1, "R[1]C*2")); // no R1C1 reference in A1 style
    ASSERT_TRUE(sheet.SSSetRefStyle(kRefStyleR1C1));
    ASSERT_TRUE(sheet.setFormula(1, 1, "R[1]C*2"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "10");

    // A function registered after its first use is called by the same formula text set again.
    EXPECT_EQ(eval(sheet, "=LATER()+1"), "#NAME?");
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("LATER", 0, 0, [](ValueRecord& result, const ValueRecord*, int) {
        result.setDouble(41);
        return 1L;
    }));
    EXPECT_EQ(eval(sheet, "=LATER()+1"), "42");
}

TEST(Formula, PrintsBackAsWritten) {
    Sheet sheet;
    const char* formulas[] = {"A1+$B$2*(C3-D$4)", "IF(A1>1,\"yes\",\"no\")", "IF(A1,,2)", "SUM(A1:B2,3)",
                              "-A1%", "\"a\"\"b\"&TRUE", "PI()", "IFERROR(1/0,#N/A)", "SUM($A:$B)+SUM(2:$3)",
                              "1.5E+20*2"};
    for (const char* text : formulas) {
        ASSERT_TRUE(sheet.setFormula(5, 5, text)) << text;
        EXPECT_EQ(formulaOf(sheet, 5, 5), text);
    }
    ASSERT_TRUE(sheet.setFormula(5, 5, "=sum( a1 , b2 )"));
    EXPECT_EQ(formulaOf(sheet, 5, 5), "SUM(A1,B2)");
}

TEST(Formula, BadTextIsRefusedWithAReason) {
    Sheet sheet;
    sheet.setData(1, 1, "1");
    ASSERT_TRUE(sheet.setFormula(2, 2, "A1*2"));
    const char* bad[] = {"", "=", "1+", "(1", "1)", "\"open", "SUM(1,", "Width*2", "A1 B1", "#BOGUS!",
                         "ROUND(1)", "PI(1)", "1..2", "$", "A0", "XFE1", "SUM(A1:)", "1+*2"};
    for (const char* text : bad) {
        Zrk_String message;
        EXPECT_FALSE(sheet.setFormula(2, 2, text, true, &message)) << text;
        EXPECT_FALSE(message.empty()) << text;
    }
    // The cell keeps its formula.
    EXPECT_EQ(formulaOf(sheet, 2, 2), "A1*2");
    Zrk_String message;
    sheet.setFormula(2, 2, "Width*2", true, &message);
    EXPECT_EQ(message, "Unknown name 'Width' at position 1");
}

TEST(Formula, LimitsInsteadOfExhaustion) {
    Sheet sheet;
    Zrk_String message;
    // Nesting beyond the limit is refused; within it, it works.
    Zrk_String deep(kMaxFormulaNesting - 1, '(');
    deep += "1" + Zrk_String(kMaxFormulaNesting - 1, ')');
    EXPECT_TRUE(sheet.setFormula(1, 1, deep, true, &message)) << message;
    Zrk_String tooDeep(5000, '(');
    tooDeep += "1" + Zrk_String(5000, ')');
    EXPECT_FALSE(sheet.setFormula(1, 1, tooDeep, true, &message));
    Zrk_String calls;
    for (int i = 0; i < 3000; ++i) calls += "ABS(";
    EXPECT_FALSE(sheet.setFormula(1, 1, calls + "1" + Zrk_String(3000, ')'), true, &message));
    // A long run of signs is no recursion.
    EXPECT_TRUE(sheet.setFormula(1, 1, Zrk_String(4000, '-') + "1", true, &message));
    EXPECT_EQ(valueOf(sheet, 1, 1), "1");
    EXPECT_FALSE(sheet.setFormula(1, 1, "1" + Zrk_String(kMaxFormulaLength, '+'), true, &message));
    // Texts a formula makes stay below the limit.
    EXPECT_EQ(eval(sheet, "=REPT(\"ab\",20000)"), "#VALUE!");
    EXPECT_EQ(eval(sheet, "=LEN(REPT(\"ab\",16000))"), "32000");
}

TEST(Formula, ColumnNames) {
    EXPECT_EQ(columnName(1), "A");
    EXPECT_EQ(columnName(28), "AB");
    EXPECT_EQ(columnName(16384), "XFD");
    EXPECT_EQ(columnFromName("xfd"), 16384);
    EXPECT_EQ(columnFromName("XFE"), 0);
    EXPECT_EQ(columnFromName("A1"), 0);
}

} // namespace
} // namespace spreadlib::test
