// The functions authors of engineering sheets expect, checked against the results the common
// spreadsheet program documents for them (its help pages' examples where it gives them), with errors
// and mixed kinds of values; the order of texts in comparisons; the forms VALUE reads.
#include <ctime>

#include "spreadlib/functions.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

// Writes rows of a table from (col, row) on: each text as typed (numbers read as numbers), "=..." as
// a formula.
void fill(Sheet& sheet, int col, int row, std::initializer_list<std::initializer_list<const char*>> rows) {
    for (const auto& cells : rows) {
        int c = col;
        for (const char* text : cells) {
            if (text[0] == '=')
                EXPECT_TRUE(sheet.setFormula(c, row, text)) << text;
            else
                sheet.setData(c, row, text);
            ++c;
        }
        ++row;
    }
}

class ExcelFunctions : public ::testing::Test {
protected:
    Zrk_String operator()(const Zrk_String& formula) { return eval(sheet, formula); }
    Sheet sheet;
};

TEST_F(ExcelFunctions, InformationAndChoices) {
    auto& f = *this;
    EXPECT_EQ(f("=ISNA(NA())"), "TRUE");
    EXPECT_EQ(f("=ISNA(1/0)"), "FALSE");
    EXPECT_EQ(f("=ISERR(NA())"), "FALSE");
    EXPECT_EQ(f("=ISERR(1/0)"), "TRUE");
    EXPECT_EQ(f("=ISERR(1)"), "FALSE");
    EXPECT_EQ(f("=ISLOGICAL(TRUE)"), "TRUE");
    EXPECT_EQ(f("=ISLOGICAL(\"TRUE\")"), "FALSE");
    EXPECT_EQ(f("=NA()"), "#N/A");
    // IFNA replaces #N/A only, and runs its alternative only then.
    EXPECT_EQ(f("=IFNA(MATCH(\"x\",A1:A3,0),\"Not found\")"), "Not found");
    EXPECT_EQ(f("=IFNA(1/0,\"Not found\")"), "#DIV/0!");
    EXPECT_EQ(f("=IFNA(5,1/0)"), "5");
    EXPECT_EQ(f("=IFNA(A99,1)"), "0");
    EXPECT_EQ(f("=IFNA(NA(),A99)"), "0");
    // XOR: true for an odd number of true values.
    EXPECT_EQ(f("=XOR(3>0,2<9)"), "FALSE");
    EXPECT_EQ(f("=XOR(3>12,4>6)"), "FALSE");
    EXPECT_EQ(f("=XOR(TRUE,FALSE,FALSE)"), "TRUE");
    EXPECT_EQ(f("=XOR(\"x\")"), "#VALUE!");
    // IFS: the first true condition; none is #N/A; a text condition is #VALUE!.
    EXPECT_EQ(f("=IFS(85>89,\"A\",85>79,\"B\",85>69,\"C\")"), "B");
    EXPECT_EQ(f("=IFS(1>2,\"A\")"), "#N/A");
    EXPECT_EQ(f("=IFS(\"x\",1,TRUE,2)"), "#VALUE!");
    EXPECT_EQ(f("=IFS(FALSE,1/0,TRUE,2)"), "2"); // a value not chosen does not count
    EXPECT_EQ(f("=IFS(1/0,1,TRUE,2)"), "#DIV/0!");
    EXPECT_EQ(f("=IFS(TRUE,1,FALSE)"), "#N/A"); // not pairs
    // SWITCH: values of the same kind, texts without regard to case, the default last.
    EXPECT_EQ(f("=SWITCH(2,1,\"Sunday\",2,\"Monday\",3,\"Tuesday\")"), "Monday");
    EXPECT_EQ(f("=SWITCH(99,1,\"Sunday\",2,\"Monday\",3,\"Tuesday\")"), "#N/A");
    EXPECT_EQ(f("=SWITCH(99,1,\"Sunday\",2,\"Monday\",\"No match\")"), "No match");
    EXPECT_EQ(f("=SWITCH(\"b\",\"A\",1,\"B\",2)"), "2");
    EXPECT_EQ(f("=SWITCH(1,\"1\",\"text\",\"number\")"), "number");
    EXPECT_EQ(f("=SWITCH(A99,0,\"zero\")"), "zero");
    EXPECT_EQ(f("=SWITCH(1/0,1,2)"), "#DIV/0!");
}

TEST_F(ExcelFunctions, RoundingAndWholeNumbers) {
    auto& f = *this;
    EXPECT_EQ(f("=MROUND(10,3)"), "9");
    EXPECT_EQ(f("=MROUND(-10,-3)"), "-9");
    EXPECT_EQ(f("=MROUND(1.3,0.2)"), "1.4");
    EXPECT_EQ(f("=MROUND(5,-2)"), "#NUM!");
    EXPECT_EQ(f("=MROUND(7.5,5)"), "10"); // halves away from zero
    EXPECT_EQ(f("=MROUND(5,0)"), "0");
    EXPECT_EQ(f("=EVEN(1.5)&\" \"&EVEN(3)&\" \"&EVEN(2)&\" \"&EVEN(-1)&\" \"&EVEN(0)"), "2 4 2 -2 0");
    EXPECT_EQ(f("=ODD(1.5)&\" \"&ODD(3)&\" \"&ODD(2)&\" \"&ODD(-1)&\" \"&ODD(-2)&\" \"&ODD(0)"),
              "3 3 3 -1 -3 1");
    EXPECT_EQ(f("=CEILING.MATH(24.3,5)"), "25");
    EXPECT_EQ(f("=CEILING.MATH(6.7)"), "7");
    EXPECT_EQ(f("=CEILING.MATH(-8.1,2)"), "-8");
    EXPECT_EQ(f("=CEILING.MATH(-5.5,2,-1)"), "-6");
    EXPECT_EQ(f("=CEILING.MATH(0.3,0.1)"), "0.3");
    EXPECT_EQ(f("=FLOOR.MATH(24.3,5)"), "20");
    EXPECT_EQ(f("=FLOOR.MATH(6.7)"), "6");
    EXPECT_EQ(f("=FLOOR.MATH(-8.1,2)"), "-10");
    EXPECT_EQ(f("=FLOOR.MATH(-5.5,2,-1)"), "-4");
    EXPECT_EQ(f("=FLOOR.MATH(5,0)"), "0");
    EXPECT_EQ(f("=QUOTIENT(5,2)"), "2");
    EXPECT_EQ(f("=QUOTIENT(4.5,3.1)"), "1");
    EXPECT_EQ(f("=QUOTIENT(-10,3)"), "-3");
    EXPECT_EQ(f("=QUOTIENT(1,0)"), "#DIV/0!");
    EXPECT_EQ(f("=FACT(5)"), "120");
    EXPECT_EQ(f("=FACT(1.9)"), "1");
    EXPECT_EQ(f("=FACT(0)"), "1");
    EXPECT_EQ(f("=FACT(-1)"), "#NUM!");
    EXPECT_EQ(f("=FACT(171)"), "#NUM!");
    EXPECT_EQ(f("=GCD(5,2)"), "1");
    EXPECT_EQ(f("=GCD(24,36)"), "12");
    EXPECT_EQ(f("=GCD(5,0)"), "5");
    EXPECT_EQ(f("=GCD(-1,2)"), "#NUM!");
    EXPECT_EQ(f("=LCM(5,2)"), "10");
    EXPECT_EQ(f("=LCM(24,36)"), "72");
    EXPECT_EQ(f("=LCM(3,0)"), "0");
    EXPECT_EQ(f("=GCD(\"x\",2)"), "#VALUE!");
}

TEST_F(ExcelFunctions, Hyperbolic) {
    auto& f = *this;
    EXPECT_EQ(f("=ROUND(SINH(1),9)"), "1.175201194");
    EXPECT_EQ(f("=ROUND(COSH(4),8)"), "27.30823284");
    EXPECT_EQ(f("=ROUND(TANH(-2),8)"), "-0.96402758");
    EXPECT_EQ(f("=ROUND(ASINH(-2.5),9)"), "-1.647231146");
    EXPECT_EQ(f("=ACOSH(1)"), "0");
    EXPECT_EQ(f("=ROUND(ACOSH(10),9)"), "2.993222846");
    EXPECT_EQ(f("=ACOSH(0.5)"), "#NUM!");
    EXPECT_EQ(f("=ROUND(ATANH(-0.1),9)"), "-0.100335348");
    EXPECT_EQ(f("=ATANH(1)"), "#NUM!");
    EXPECT_EQ(f("=COSH(1000)"), "#NUM!");
}

TEST_F(ExcelFunctions, Statistics) {
    auto& f = *this;
    // A column of strengths; B: 0, 0.2, 0.5, 0.4, TRUE (a logical value in a cell); C: a text.
    fill(sheet, 1, 1,
         {{"1345", "0", "x"},
          {"1301", "0.2", "-3"},
          {"1368", "0.5"},
          {"1322", "0.4"},
          {"1310", "=TRUE"},
          {"1370"},
          {"1318"},
          {"1350"},
          {"1303"},
          {"1299"}});
    EXPECT_EQ(f("=ROUND(STDEV(A1:A10),8)"), "27.46391572");
    EXPECT_EQ(f("=ROUND(VAR(A1:A10),7)"), "754.2666667");
    EXPECT_EQ(f("=STDEV(5)"), "#DIV/0!");
    EXPECT_EQ(f("=MEDIAN(1,2,3,4,5)"), "3");
    EXPECT_EQ(f("=MEDIAN(1,2,3,4,5,6)"), "3.5");
    EXPECT_EQ(f("=MEDIAN(C1)"), "#NUM!");
    // MAXA and MINA count logical values and texts of cells; MAX and MIN do not.
    EXPECT_EQ(f("=MAXA(B1:B5)"), "1");
    EXPECT_EQ(f("=MAX(B1:B5)"), "0.5");
    EXPECT_EQ(f("=MINA(B2:B5,C1)"), "0");
    EXPECT_EQ(f("=MINA(B2:B5)"), "0.2");
    EXPECT_EQ(f("=MINA(\"x\")"), "#VALUE!");
    EXPECT_EQ(f("=SUMSQ(3,4)"), "25");
    EXPECT_EQ(f("=SUMSQ(B1:C2)"), "9.04");
    // LARGE and SMALL: the k-th of the numbers; k outside 1..count is #NUM!.
    fill(sheet, 5, 1, {{"3", "4"}, {"5", "2"}, {"3", "4"}, {"5", "6"}, {"4", "7"}});
    EXPECT_EQ(f("=LARGE(E1:F5,3)"), "5");
    EXPECT_EQ(f("=LARGE(E1:F5,7)"), "4");
    EXPECT_EQ(f("=SMALL(E1:F5,1)"), "2");
    EXPECT_EQ(f("=SMALL(E1:F5,0)"), "#NUM!");
    EXPECT_EQ(f("=SMALL(E1:F5,11)"), "#NUM!");
    // SUMPRODUCT: blocks of one size; texts count as 0.
    fill(sheet, 8, 1, {{"3", "4", "2", "7"}, {"8", "6", "6", "7"}, {"1", "9", "5", "3"}});
    EXPECT_EQ(f("=SUMPRODUCT(H1:I3,J1:K3)"), "156");
    EXPECT_EQ(f("=SUMPRODUCT(H1:I3,J1:J3)"), "#VALUE!");
    EXPECT_EQ(f("=SUMPRODUCT(C1:C2,H1:H2)"), "-24");
    sheet.setFormula(8, 4, "1/0");
    EXPECT_EQ(f("=SUMPRODUCT(H1:H4,I1:I4)"), "#DIV/0!");
    EXPECT_EQ(f("=SUMPRODUCT(I1:I1000)"), "19"); // blocks beyond the used cells
}

TEST_F(ExcelFunctions, ConditionsOverBlocks) {
    auto& f = *this;
    fill(sheet, 1, 2, {{"apples", "32"}, {"oranges", "54"}, {"peaches", "75"}, {"apples", "86"}});
    EXPECT_EQ(f("=COUNTIF(A2:A5,\"apples\")"), "2");
    EXPECT_EQ(f("=COUNTIF(A2:A5,A4)"), "1");
    EXPECT_EQ(f("=COUNTIF(A2:A5,A2)+COUNTIF(A2:A5,A3)"), "3");
    EXPECT_EQ(f("=COUNTIF(B2:B5,\">55\")"), "2");
    EXPECT_EQ(f("=COUNTIF(B2:B5,\"<>\"&B4)"), "3");
    EXPECT_EQ(f("=COUNTIF(B2:B5,\">=32\")-COUNTIF(B2:B5,\">85\")"), "3");
    EXPECT_EQ(f("=COUNTIF(A2:A5,\"*\")"), "4");
    EXPECT_EQ(f("=COUNTIF(A2:A5,\"?????es\")"), "2");
    EXPECT_EQ(f("=COUNTIF(A2:A5,\"APPLES\")"), "2");
    EXPECT_EQ(f("=COUNTIF(A2,\"x\")+COUNTIF(\"x\",\"x\")"), "#VALUE!"); // a block is required

    // SUMIF and AVERAGEIF: property values and commissions.
    fill(sheet, 4, 2, {{"100000", "7000"}, {"200000", "14000"}, {"300000", "21000"}, {"400000", "28000"}});
    EXPECT_EQ(f("=SUMIF(D2:D5,\">160000\",E2:E5)"), "63000");
    EXPECT_EQ(f("=SUMIF(D2:D5,\">160000\")"), "900000");
    EXPECT_EQ(f("=SUMIF(D2:D5,300000,E2:E5)"), "21000");
    EXPECT_EQ(f("=SUMIF(D2:D5,\">160000\",E2)"), "63000"); // the sum block takes the first's shape
    EXPECT_EQ(f("=AVERAGEIF(E2:E5,\"<23000\")"), "14000");
    EXPECT_EQ(f("=AVERAGEIF(D2:D5,\"<250000\")"), "150000");
    EXPECT_EQ(f("=AVERAGEIF(D2:D5,\"<95000\")"), "#DIV/0!");
    EXPECT_EQ(f("=AVERAGEIF(D2:D5,\">250000\",E2:E5)"), "24500");

    // SUMIFS and COUNTIFS: several conditions on blocks of one shape.
    fill(sheet, 7, 2,
         {{"5", "Apples", "Tom"},
          {"4", "Apples", "Sarah"},
          {"15", "Artichokes", "Tom"},
          {"3", "Artichokes", "Sarah"},
          {"22", "Bananas", "Tom"},
          {"12", "Bananas", "Sarah"},
          {"10", "Carrots", "Tom"},
          {"33", "Carrots", "Sarah"}});
    EXPECT_EQ(f("=SUMIFS(G2:G9,H2:H9,\"=A*\",I2:I9,\"Tom\")"), "20");
    EXPECT_EQ(f("=SUMIFS(G2:G9,H2:H9,\"<>Bananas\",I2:I9,\"Tom\")"), "30");
    EXPECT_EQ(f("=COUNTIFS(H2:H9,\"Carrots\",G2:G9,\">10\")"), "1");
    EXPECT_EQ(f("=COUNTIFS(H2:H9,\"Carrots\",G2:G8,\">10\")"), "#VALUE!");
    EXPECT_EQ(f("=SUMIFS(G2:G9,H2:H9,\"Tom\",I2:I9)"), "#VALUE!"); // a block without its condition
}

TEST_F(ExcelFunctions, ConditionsOnMixedKindsAndBlanks) {
    auto& f = *this;
    // A1:A8: a number, a number written as text, a logical value, an error, an empty text, a text,
    // an empty cell, a number.
    sheet.setData(1, 1, "1");
    sheet.setData(1, 2, "1", /*forceText=*/true);
    sheet.setFormula(1, 3, "TRUE");
    sheet.setFormula(1, 4, "1/0");
    sheet.setFormula(1, 5, "\"\"");
    sheet.setData(1, 6, "b");
    sheet.setData(1, 8, "2");
    EXPECT_EQ(f("=COUNTIF(A1:A8,1)"), "2"); // the text "1" counts as the number
    EXPECT_EQ(f("=COUNTIF(A1:A8,\">0\")"), "3");
    EXPECT_EQ(f("=COUNTIF(A1:A8,TRUE)"), "1");
    EXPECT_EQ(f("=COUNTIF(A1:A8,\"TRUE\")"), "1");
    EXPECT_EQ(f("=COUNTIF(A1:A8,\"#DIV/0!\")"), "1");
    EXPECT_EQ(f("=COUNTIF(A1:A8,\"\")"), "2"); // the empty cell and the empty text
    EXPECT_EQ(f("=COUNTIF(A1:A8,\"=\")"), "2");
    EXPECT_EQ(f("=COUNTIF(A1:A8,\"<>\")"), "7");
    EXPECT_EQ(f("=COUNTIF(A1:A8,\"<>b\")"), "7");   // the empty cell too
    EXPECT_EQ(f("=COUNTIF(A1:A8,\">a\")"), "1");    // texts only
    EXPECT_EQ(f("=COUNTIF(A1:A8,A7)"), "0");        // an empty cell as the condition is 0
    EXPECT_EQ(f("=COUNTIF(A1:A1000,\"\")"), "994"); // the empty cells beyond the used ones
    EXPECT_EQ(f("=COUNTBLANK(A1:A8)"), "2");
    EXPECT_EQ(f("=COUNTBLANK(A1:B8)"), "10");
    EXPECT_EQ(f("=COUNTBLANK(5)"), "#VALUE!");
    // Summing skips texts and logical values, but an error among the matching cells is the result.
    EXPECT_EQ(f("=SUMIF(A1:A8,\"<>b\")"), "#DIV/0!");
    EXPECT_EQ(f("=SUMIF(A1:A8,\">0\")"), "3");
}

TEST_F(ExcelFunctions, References) {
    auto& f = *this;
    fill(sheet, 2, 6, {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
    EXPECT_EQ(f("=ROW(C10)&\",\"&COLUMN(D10)&\",\"&ROWS(C1:E4)&\",\"&COLUMNS(C1:E4)"), "10,4,4,3");
    EXPECT_EQ(f("=ROW()&\",\"&COLUMN()"), "100,26"); // the formula's own cell (Z100)
    EXPECT_EQ(f("=ROW(\"x\")"), "#VALUE!");
    EXPECT_EQ(f("=ROWS(5)"), "1");
    EXPECT_EQ(f("=OFFSET(D3,3,-2,1,1)"), "1");
    EXPECT_EQ(f("=SUM(OFFSET(D3:F5,3,-2,3,3))"), "45");
    EXPECT_EQ(f("=OFFSET(D3:F5,-3,-3)"), "#REF!");
    EXPECT_EQ(f("=OFFSET(B6,0,0,0,1)"), "#REF!");
    EXPECT_EQ(f("=OFFSET(5,1,1)"), "#VALUE!");
    EXPECT_EQ(f("=ADDRESS(2,3)"), "$C$2");
    EXPECT_EQ(f("=ADDRESS(2,3,2)"), "C$2");
    EXPECT_EQ(f("=ADDRESS(2,3,2,FALSE)"), "R2C[3]");
    EXPECT_EQ(f("=ADDRESS(2,3,1,FALSE,\"[Book1]Sheet1\")"), "'[Book1]Sheet1'!R2C3");
    EXPECT_EQ(f("=ADDRESS(2,3,1,FALSE,\"EXCEL SHEET\")"), "'EXCEL SHEET'!R2C3");
    EXPECT_EQ(f("=ADDRESS(1,1,4,TRUE,\"Data\")"), "Data!A1");
    EXPECT_EQ(f("=ADDRESS(0,1)"), "#VALUE!");
    EXPECT_EQ(f("=ADDRESS(1,1,5)"), "#VALUE!");
}

TEST_F(ExcelFunctions, OffsetFollowsTheCellsItReadsWhenTheyChange) {
    sheet.setData(1, 1, "1");
    sheet.setData(1, 2, "2");
    ASSERT_TRUE(sheet.setFormula(2, 1, "SUM(OFFSET(A1,0,0,3,1))"));
    ASSERT_TRUE(sheet.setFormula(3, 1, "B1*10"));
    EXPECT_EQ(valueOf(sheet, 3, 1), "30");
    sheet.setData(1, 3, "4"); // A3 is named by no reference, only computed by OFFSET
    EXPECT_EQ(valueOf(sheet, 2, 1), "7");
    EXPECT_EQ(valueOf(sheet, 3, 1), "70");
    // Cleared, it is no longer recalculated (and nothing points at it).
    sheet.clearData(2, 1, 2, 1);
    sheet.setData(1, 3, "5");
    EXPECT_EQ(valueOf(sheet, 3, 1), "0");
}

TEST_F(ExcelFunctions, XLookup) {
    auto& f = *this;
    fill(sheet, 1, 1,
         {{"China", "CN", "1411"},
          {"India", "IN", "1380"},
          {"USA", "US", "331"},
          {"Brazil", "BR", "212"},
          {"India", "IN2", "0"}});
    EXPECT_EQ(f("=XLOOKUP(\"brazil\",A1:A5,B1:B5)"), "BR");
    EXPECT_EQ(f("=XLOOKUP(\"India\",A1:A5,B1:B5,,0,-1)"), "IN2"); // from the last
    EXPECT_EQ(f("=XLOOKUP(\"Chile\",A1:A5,B1:B5)"), "#N/A");
    EXPECT_EQ(f("=XLOOKUP(\"Chile\",A1:A5,B1:B5,\"none\")"), "none");
    EXPECT_EQ(f("=XLOOKUP(\"U*\",A1:A5,C1:C5,,2)"), "331");
    EXPECT_EQ(f("=XLOOKUP(\"U*\",A1:A5,C1:C5)"), "#N/A");    // no wildcards in exact mode
    EXPECT_EQ(f("=XLOOKUP(300,C1:C5,A1:A5,,-1)"), "Brazil"); // next smaller
    EXPECT_EQ(f("=XLOOKUP(300,C1:C5,A1:A5,,1)"), "USA");     // next larger
    EXPECT_EQ(f("=XLOOKUP(2000,C1:C5,A1:A5,,1)"), "#N/A");
    EXPECT_EQ(f("=SUM(XLOOKUP(\"USA\",A1:A5,B1:C5))"), "331"); // a row of a block
    EXPECT_EQ(f("=XLOOKUP(\"USA\",A1:A5,B1:B4)"), "#VALUE!");
    EXPECT_EQ(f("=XLOOKUP(\"USA\",A1:B5,C1:C5)"), "#VALUE!");
    EXPECT_EQ(f("=XLOOKUP(\"USA\",A1:A5,B1:B5,,3)"), "#VALUE!");
    EXPECT_EQ(f("=XLOOKUP(1/0,A1:A5,B1:B5)"), "#DIV/0!");
    EXPECT_EQ(f("=XLOOKUP(\"1411\",C1:C5,A1:A5)"), "#N/A"); // a text is not the number
}

TEST_F(ExcelFunctions, Text) {
    auto& f = *this;
    EXPECT_EQ(f("=SEARCH(\"e\",\"Statements\",6)"), "7");
    EXPECT_EQ(f("=SEARCH(\"margin\",\"Profit Margin\")"), "8");
    EXPECT_EQ(f("=SEARCH(\"p*e\",\"apple\")"), "2");
    EXPECT_EQ(f("=SEARCH(\"?l\",\"apple\")"), "3");
    EXPECT_EQ(f("=SEARCH(\"~*\",\"a*b\")"), "2");
    EXPECT_EQ(f("=SEARCH(\"x*\",\"abc\")"), "#VALUE!");
    EXPECT_EQ(f("=SEARCH(\"a*c*e\",\"xxabxcyye\")"), "3");
    EXPECT_EQ(f("=SEARCH(\"a*c*e\",\"xxabxcyy\")"), "#VALUE!");
    EXPECT_EQ(f("=SEARCH(\"\",\"abc\",2)"), "2");
    EXPECT_EQ(f("=SEARCH(\"a\",\"abc\",5)"), "#VALUE!");
    EXPECT_EQ(f("=SEARCH(\"z\",REPT(\"a\",30000)&\"z\")"), "30001");
    EXPECT_EQ(f("=REPLACE(\"abcdefghijk\",6,5,\"*\")"), "abcde*k");
    EXPECT_EQ(f("=REPLACE(\"2009\",3,2,\"10\")"), "2010");
    EXPECT_EQ(f("=REPLACE(\"123456\",1,3,\"@\")"), "@456");
    EXPECT_EQ(f("=REPLACE(\"abc\",10,1,\"d\")"), "abcd");
    EXPECT_EQ(f("=REPLACE(\"abc\",0,1,\"d\")"), "#VALUE!");
    EXPECT_EQ(f("=EXACT(\"word\",\"word\")&EXACT(\"Word\",\"word\")&EXACT(\"w ord\",\"word\")"),
              "TRUEFALSEFALSE");
    EXPECT_EQ(f("=EXACT(1,\"1\")"), "TRUE");
    EXPECT_EQ(f("=CHAR(65)&CHAR(33)"), "A!");
    EXPECT_EQ(f("=CHAR(0)"), "#VALUE!");
    EXPECT_EQ(f("=CHAR(256)"), "#VALUE!");
    EXPECT_EQ(f("=CODE(\"A\")&\",\"&CODE(\"!\")&\",\"&CODE(CHAR(200))"), "65,33,200");
    EXPECT_EQ(f("=CODE(\"\")"), "#VALUE!");
    EXPECT_EQ(f("=N(7)&N(\"Even\")&N(TRUE)"), "701");
    EXPECT_EQ(f("=N(1/0)"), "#DIV/0!");
    EXPECT_EQ(f("=T(\"Rainfall\")&\"|\"&T(19)&\"|\"&T(TRUE)"), "Rainfall||");
    // TEXTJOIN: blocks row by row, empty cells left out or kept.
    fill(sheet, 1, 1, {{"a", "b"}, {"", "d"}, {"1", "=TRUE"}});
    EXPECT_EQ(f("=TEXTJOIN(\", \",TRUE,A1:B3)"), "a, b, d, 1, TRUE");
    EXPECT_EQ(f("=TEXTJOIN(\"-\",FALSE,A1:B3,\"x\")"), "a-b--d-1-TRUE-x");
    EXPECT_EQ(f("=TEXTJOIN(\"\",TRUE,A1:A1048576)"), "a1");
    EXPECT_EQ(f("=TEXTJOIN(\",\",FALSE,A1:A1048576)"), "#VALUE!"); // more commas than any text holds
    EXPECT_EQ(f("=TEXTJOIN(\",\",\"x\",A1)"), "#VALUE!");
    sheet.setFormula(2, 2, "NA()");
    EXPECT_EQ(f("=TEXTJOIN(\",\",TRUE,A1:B3)"), "#N/A");
}

TEST_F(ExcelFunctions, Dates) {
    auto& f = *this;
    EXPECT_EQ(f("=DATE(2008,1,1)"), "39448");
    EXPECT_EQ(f("=DATE(2008,14,2)"), "39846"); // 2 February 2009
    EXPECT_EQ(f("=DATE(2008,-3,2)"), "39327"); // 2 September 2007
    EXPECT_EQ(f("=DATE(2008,1,35)"), "39482"); // 4 February 2008
    EXPECT_EQ(f("=DATE(108,1,2)"), "39449");   // years below 1900 count from 1900
    EXPECT_EQ(f("=DATE(1900,1,1)"), "1");
    EXPECT_EQ(f("=DATE(1900,2,29)"), "60"); // the day spreadsheets count in 1900
    EXPECT_EQ(f("=DATE(1900,3,1)"), "61");
    EXPECT_EQ(f("=DATE(9999,12,31)"), "2958465");
    EXPECT_EQ(f("=DATE(10000,1,1)"), "#NUM!");
    EXPECT_EQ(f("=DATE(1900,0,1)"), "#NUM!");
    EXPECT_EQ(f("=DATE(-1,1,1)"), "#NUM!");
    // TODAY and NOW read the local clock.
    setLocalClock([] {
        std::tm t{};
        t.tm_year = 2024 - 1900;
        t.tm_mon = 2; // March
        t.tm_mday = 15;
        t.tm_hour = 18;
        return t;
    });
    EXPECT_EQ(f("=TODAY()"), f("=DATE(2024,3,15)"));
    EXPECT_EQ(f("=NOW()-TODAY()"), "0.75");
    setLocalClock(nullptr);
    EXPECT_EQ(f("=AND(TODAY()>DATE(2024,1,1),NOW()-TODAY()<1)"), "TRUE");
}

TEST_F(ExcelFunctions, TextsCompareInTheSpreadsheetOrderNotByBytes) {
    auto& f = *this;
    EXPECT_EQ(f("=\"a\"<\"B\""), "TRUE"); // bytes would put "B" first
    EXPECT_EQ(f("=\"abc\"=\"ABC\""), "TRUE");
    EXPECT_EQ(f("=\"!\"<\"1\""), "TRUE"); // symbols before digits
    EXPECT_EQ(f("=\"9\"<\"A\""), "TRUE"); // digits before letters
    EXPECT_EQ(f("=\"_\"<\"a\""), "TRUE"); // bytes would put "a" first ...
    EXPECT_EQ(f("=\"~\"<\"0\""), "TRUE"); // ... and "~" after "0"
    EXPECT_EQ(f("=\"Z\"<\"a\""), "FALSE");
    EXPECT_EQ(f("=\"a-c\">\"ab\""), "TRUE");     // hyphens are skipped ...
    EXPECT_EQ(f("=\"co-op\">\"coop\""), "TRUE"); // ... unless they are the only difference
    EXPECT_EQ(f("=\"co-op\"=\"coop\""), "FALSE");
    EXPECT_EQ(f("=1<\"0\""), "TRUE"); // numbers before texts before logical values
    EXPECT_EQ(f("=\"z\"<FALSE"), "TRUE");
    // Approximate lookups search in the same order.
    fill(sheet, 1, 1, {{"!"}, {"10"}, {"A"}, {"b"}, {"C"}});
    sheet.setData(1, 2, "10", /*forceText=*/true);
    EXPECT_EQ(f("=MATCH(\"Bz\",A1:A5)"), "4");
    EXPECT_EQ(f("=MATCH(\"5\",A1:A5)"), "2"); // the text "10" sorts before "5"
}

TEST_F(ExcelFunctions, ValueReadsCurrencyParenthesesSeparatorsAndPercent) {
    auto& f = *this;
    EXPECT_EQ(f("=VALUE(\"$5\")"), "5");
    EXPECT_EQ(f("=VALUE(\"(5)\")"), "-5");
    EXPECT_EQ(f("=VALUE(\"1,234.5\")"), "1234.5");
    EXPECT_EQ(f("=VALUE(\"12%\")"), "0.12");
    EXPECT_EQ(f("=VALUE(\"($1,234.50)\")"), "-1234.5");
    EXPECT_EQ(f("=VALUE(\" -$5 \")"), "-5");
    EXPECT_EQ(f("=VALUE(\"$-5\")"), "-5");
    EXPECT_EQ(f("=VALUE(\"(5%)\")"), "-0.05");
    EXPECT_EQ(f("=VALUE(\"(-5)\")"), "#VALUE!");
    EXPECT_EQ(f("=VALUE(\"5$\")"), "#VALUE!");
    EXPECT_EQ(f("=VALUE(\"$$5\")"), "#VALUE!");
    EXPECT_EQ(f("=VALUE(\"-$-5\")"), "#VALUE!");
    EXPECT_EQ(f("=VALUE(\"()\")"), "#VALUE!");
    EXPECT_EQ(f("=VALUE(TRUE)"), "#VALUE!");
    // Arithmetic on texts reads them the same way; a cell's own text stays as typed.
    EXPECT_EQ(f("=\"$5\"+1"), "6");
    EXPECT_EQ(f("=\"(2)\"*TRUE"), "-2");
    sheet.setData(1, 1, "(5)");
    EXPECT_EQ(f("=ISTEXT(A1)"), "TRUE");
    EXPECT_EQ(f("=A1+0"), "-5");
}

} // namespace
} // namespace spreadlib::test
