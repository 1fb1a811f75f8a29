// The built-in functions, with the results the common spreadsheet programs give, edge cases included.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/text.h"
#include "spreadlib/number_format.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

class Functions : public ::testing::Test {
protected:
    void SetUp() override {
        // A1:A5 = 1, 2, "x", (empty), 5;  B1:B3 = TRUE-ish texts and numbers for lookups.
        sheet.setData(1, 1, "1");
        sheet.setData(1, 2, "2");
        sheet.setData(1, 3, "x");
        sheet.setData(1, 5, "5");
        sheet.setData(2, 1, "apple");
        sheet.setData(2, 2, "banana");
        sheet.setData(2, 3, "cherry");
        sheet.setData(3, 1, "10");
        sheet.setData(3, 2, "20");
        sheet.setData(3, 3, "30");
    }
    Zrk_String operator()(const Zrk_String& formula) { return eval(sheet, formula); }
    Sheet sheet;
};

TEST_F(Functions, Math) {
    auto& f = *this;
    EXPECT_EQ(f("=ABS(-2.5)"), "2.5");
    EXPECT_EQ(f("=ACOS(2)"), "#NUM!");
    EXPECT_EQ(f("=ROUND(ASIN(1)*2,10)"), "3.1415926536");
    EXPECT_EQ(f("=ATAN2(1,1)*4"), f("=PI()"));
    EXPECT_EQ(f("=ATAN2(0,0)"), "#DIV/0!");
    EXPECT_EQ(f("=CEILING(2.5,1)"), "3");
    EXPECT_EQ(f("=CEILING(-2.5,2)"), "-2");
    EXPECT_EQ(f("=CEILING(-2.5,-2)"), "-4");
    EXPECT_EQ(f("=CEILING(2.5,-2)"), "#NUM!");
    EXPECT_EQ(f("=CEILING(0.3,0.1)"), "0.3");
    EXPECT_EQ(f("=FLOOR(2.5,1)"), "2");
    EXPECT_EQ(f("=FLOOR(-2.5,2)"), "-4");
    EXPECT_EQ(f("=FLOOR(-2.5,-2)"), "-2");
    EXPECT_EQ(f("=FLOOR(1,0)"), "#DIV/0!");
    EXPECT_EQ(f("=DEGREES(PI())"), "180");
    EXPECT_EQ(f("=RADIANS(180)"), f("=PI()"));
    EXPECT_EQ(f("=EXP(0)"), "1");
    EXPECT_EQ(f("=LN(0)"), "#NUM!");
    EXPECT_EQ(f("=LOG(8,2)"), "3");
    EXPECT_EQ(f("=LOG(100)"), "2");
    EXPECT_EQ(f("=LOG(10,1)"), "#DIV/0!");
    EXPECT_EQ(f("=LOG10(1000)"), "3");
    EXPECT_EQ(f("=INT(-2.5)"), "-3");
    EXPECT_EQ(f("=TRUNC(-2.57,1)"), "-2.5");
    EXPECT_EQ(f("=MOD(-3,2)"), "1");
    EXPECT_EQ(f("=MOD(3,-2)"), "-1");
    EXPECT_EQ(f("=MOD(1,0)"), "#DIV/0!");
    EXPECT_EQ(f("=POWER(2,10)"), "1024");
    EXPECT_EQ(f("=SIGN(-0.1)"), "-1");
    EXPECT_EQ(f("=SQRT(-1)"), "#NUM!");
    EXPECT_EQ(f("=SIN(0)+COS(0)+TAN(0)"), "1");
    EXPECT_EQ(f("=ROUND(2.675,2)"), "2.68"); // as written, not as stored in binary
    EXPECT_EQ(f("=ROUND(-2.5,0)"), "-3");
    EXPECT_EQ(f("=ROUND(1234.5,-2)"), "1200");
    EXPECT_EQ(f("=ROUNDUP(0.1+0.2,1)"), "0.3");
    EXPECT_EQ(f("=ROUNDUP(-1.21,1)"), "-1.3");
    EXPECT_EQ(f("=ROUNDDOWN(1.99,1)"), "1.9");
    EXPECT_EQ(f("=ROUND(1.5,1E10)"), "1.5");
}

TEST_F(Functions, Aggregates) {
    auto& f = *this;
    // Cells of references count with their numbers; values given directly must read as numbers.
    EXPECT_EQ(f("=SUM(A1:A5)"), "8");
    EXPECT_EQ(f("=SUM(A1:A5,\"2\",TRUE)"), "11");
    EXPECT_EQ(f("=SUM(A1,\"x\")"), "#VALUE!");
    EXPECT_EQ(f("=AVERAGE(A1:A5)"), f("=8/3"));
    EXPECT_EQ(f("=AVERAGE(A3:A4)"), "#DIV/0!");
    EXPECT_EQ(f("=MAX(A1:A5)"), "5");
    EXPECT_EQ(f("=MIN(A1:A5,-1)"), "-1");
    EXPECT_EQ(f("=MAX(A3)"), "0");
    EXPECT_EQ(f("=PRODUCT(A1:A5)"), "10");
    EXPECT_EQ(f("=COUNT(A1:A5,\"3\",\"y\")"), "4");
    EXPECT_EQ(f("=COUNTA(A1:A5)"), "4");
    EXPECT_EQ(f("=COUNTA(A4)"), "0");
    sheet.setFormula(1, 4, "1/0");
    EXPECT_EQ(f("=SUM(A1:A5)"), "#DIV/0!");
    EXPECT_EQ(f("=COUNT(A1:A5)"), "3");
    EXPECT_EQ(f("=COUNTA(A1:A5)"), "5");
}

TEST_F(Functions, Logical) {
    auto& f = *this;
    EXPECT_EQ(f("=AND(1,TRUE)"), "TRUE");
    EXPECT_EQ(f("=AND(1,0)"), "FALSE");
    EXPECT_EQ(f("=AND(FALSE,1/0)"), "#DIV/0!"); // every argument counts
    EXPECT_EQ(f("=AND(A3)"), "#VALUE!");        // no logical value at all
    EXPECT_EQ(f("=OR(0,\"true\")"), "TRUE");
    EXPECT_EQ(f("=OR(\"maybe\")"), "#VALUE!");
    EXPECT_EQ(f("=NOT(0)"), "TRUE");
    EXPECT_EQ(f("=IF(A1=1,\"one\",1/0)"), "one");
    EXPECT_EQ(f("=IF(0,1)"), "FALSE");
    EXPECT_EQ(f("=IF(1,)"), "0");
    EXPECT_EQ(f("=IF(\"x\",1,2)"), "#VALUE!");
    EXPECT_EQ(f("=IF(1/0,1,2)"), "#DIV/0!");
    EXPECT_EQ(f("=SUM(IF(A1,A1:A2,0))*3"), "9");
    EXPECT_EQ(f("=IFERROR(1/0,\"none\")"), "none");
    EXPECT_EQ(f("=IFERROR(A1,\"none\")"), "1");
    EXPECT_EQ(f("=IFERROR(A4,1)"), "0");
    EXPECT_EQ(f("=ISBLANK(A4)"), "TRUE");
    EXPECT_EQ(f("=ISBLANK(\"\")"), "FALSE");
    EXPECT_EQ(f("=ISERROR(1/0)"), "TRUE");
    EXPECT_EQ(f("=ISNUMBER(A1)"), "TRUE");
    EXPECT_EQ(f("=ISNUMBER(\"1\")"), "FALSE");
    EXPECT_EQ(f("=ISTEXT(A3)"), "TRUE");
    EXPECT_EQ(f("=TRUE()"), "TRUE");
    EXPECT_EQ(f("=FALSE()"), "FALSE");
}

TEST_F(Functions, Text) {
    auto& f = *this;
    EXPECT_EQ(f("=CONCATENATE(\"a\",1,TRUE)"), "a1TRUE");
    EXPECT_EQ(f("=FIND(\"n\",\"banana\")"), "3");
    EXPECT_EQ(f("=FIND(\"n\",\"banana\",4)"), "5");
    EXPECT_EQ(f("=FIND(\"N\",\"banana\")"), "#VALUE!"); // letter case counts
    EXPECT_EQ(f("=FIND(\"\",\"abc\",2)"), "2");
    EXPECT_EQ(f("=FIND(\"a\",\"abc\",5)"), "#VALUE!");
    EXPECT_EQ(f("=LEFT(\"abc\")"), "a");
    EXPECT_EQ(f("=LEFT(\"abc\",10)"), "abc");
    EXPECT_EQ(f("=LEFT(\"abc\",-1)"), "#VALUE!");
    EXPECT_EQ(f("=RIGHT(123.5,3)"), "3.5");
    EXPECT_EQ(f("=MID(\"spreadsheet\",7,5)"), "sheet");
    EXPECT_EQ(f("=MID(\"abc\",5,1)"), "");
    EXPECT_EQ(f("=MID(\"abc\",0,1)"), "#VALUE!");
    EXPECT_EQ(f("=LEN(\"\")"), "0");
    EXPECT_EQ(f("=LOWER(\"AbC\")&UPPER(\"x\")"), "abcX");
    EXPECT_EQ(f("=REPT(\"-\",3)"), "---");
    EXPECT_EQ(f("=SUBSTITUTE(\"a-b-c\",\"-\",\"+\")"), "a+b+c");
    EXPECT_EQ(f("=SUBSTITUTE(\"a-b-c\",\"-\",\"+\",2)"), "a-b+c");
    EXPECT_EQ(f("=SUBSTITUTE(\"abc\",\"\",\"x\")"), "abc");
    EXPECT_EQ(f("=TRIM(\"  a   b  \")"), "a b");
    EXPECT_EQ(f("=VALUE(\" 1,234.5 \")"), "1234.5");
    EXPECT_EQ(f("=VALUE(\"12%\")"), "0.12");
    EXPECT_EQ(f("=VALUE(\"12,34\")"), "#VALUE!");
    EXPECT_EQ(f("=TEXT(1234.567,\"0.00\")"), "1234.57");
    EXPECT_EQ(f("=TEXT(1234.567,\"#,##0.0\")"), "1,234.6");
    EXPECT_EQ(f("=TEXT(0.125,\"0.0%\")"), "12.5%");
    EXPECT_EQ(f("=TEXT(-5,\"0;(0)\")"), "(5)");
    EXPECT_EQ(f("=TEXT(3,\"000\")"), "003");
    EXPECT_EQ(f("=TEXT(0.5,\"#.##\")"), ".5");
    EXPECT_EQ(f("=TEXT(12345,\"0.00E+00\")"), "1.23E+04");
    EXPECT_EQ(f("=TEXT(2.5,\"\"\"L=\"\"0.0\\m\")"), "L=2.5m");
    EXPECT_EQ(f("=TEXT(\"abc\",\"0.00\")"), "abc");
    EXPECT_EQ(f("=TEXT(1,\"yyyy\")"), "#VALUE!");
}

TEST_F(Functions, Lookup) {
    auto& f = *this;
    EXPECT_EQ(f("=CHOOSE(2,\"a\",\"b\",1/0)"), "b");
    EXPECT_EQ(f("=CHOOSE(4,1,2,3)"), "#VALUE!");
    EXPECT_EQ(f("=INDEX(B1:C3,2,2)"), "20");
    EXPECT_EQ(f("=INDEX(B1:C3,4,1)"), "#REF!");
    EXPECT_EQ(f("=SUM(INDEX(C1:C3,0,1))"), "60");
    EXPECT_EQ(f("=INDEX(C1:C3,3)"), "30");
    EXPECT_EQ(f("=MATCH(\"banana\",B1:B3,0)"), "2");
    EXPECT_EQ(f("=MATCH(\"B*\",B1:B3,0)"), "2");
    EXPECT_EQ(f("=MATCH(\"?herry\",B1:B3,0)"), "3");
    EXPECT_EQ(f("=MATCH(25,C1:C3)"), "2");
    EXPECT_EQ(f("=MATCH(5,C1:C3)"), "#N/A");
    EXPECT_EQ(f("=MATCH(\"kiwi\",B1:B3,0)"), "#N/A");
    EXPECT_EQ(f("=VLOOKUP(\"BANANA\",B1:C3,2,FALSE)"), "20");
    EXPECT_EQ(f("=VLOOKUP(\"c\",B1:C3,2)"), "20"); // the last key not above "c"
    EXPECT_EQ(f("=VLOOKUP(\"banana\",B1:C3,3,FALSE)"), "#REF!");
    EXPECT_EQ(f("=VLOOKUP(\"banana\",B1:C3,0,FALSE)"), "#VALUE!");
    EXPECT_EQ(f("=VLOOKUP(\"kiwi\",B1:C3,2,FALSE)"), "#N/A");
    EXPECT_EQ(f("=HLOOKUP(\"banana\",B2:C3,2,FALSE)"), "cherry");
    EXPECT_EQ(f("=HLOOKUP(\"apple\",B1:C2,2,FALSE)"), "banana");
    EXPECT_EQ(f("=HLOOKUP(15,C1:C3,2)"), "20");
    EXPECT_EQ(f("=MATCH(REPT(\"*\",300),B1:B3,0)"), "#VALUE!"); // lookup texts are at most 255 long
}

TEST(NumberFormat, GeneralAndFixed) {
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatGeneral(1e15), "1E+15");
    EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatGeneral(0.0001), "0.0001");
    EXPECT_EQ(formatGeneral(0.00001), "1E-05");
    EXPECT_EQ(formatGeneral(-0.0), "0");
    EXPECT_EQ(formatGeneral(2.5), "2.5");
    EXPECT_EQ(formatFixed(2.5, 7), "2.5000000");
    EXPECT_EQ(formatFixed(1234567.891, 2, true), "1,234,567.89");
    EXPECT_EQ(formatFixed(-999.995, 2, true), "-1,000.00");
    double value = 0.0;
    EXPECT_TRUE(parseNumber(" -1.5e3 ", value));
    EXPECT_EQ(value, -1500.0);
    EXPECT_TRUE(parseNumber("1,234,567", value));
    EXPECT_FALSE(parseNumber("1,23", value));
    EXPECT_FALSE(parseNumber("12,3456", value));
    EXPECT_FALSE(parseNumber("1e", value));
    EXPECT_FALSE(parseNumber(".", value));
    EXPECT_FALSE(parseNumber("1e999", value));
    EXPECT_TRUE(parseNumber("1e-999", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(parseNumber("nan", value));
    EXPECT_EQ(roundHalfAway(-0.5, 0), -1.0);
    EXPECT_EQ(roundHalfAway(1.005, 2), 1.01);
}

// Rounding a number to some decimals gives the number its rounded text reads as (both round half
// away from zero on the value's 15-digit decimal text), over many magnitudes and decimals, wherever
// that text has a digit to round.
TEST(NumberFormat, RoundingGivesTheNumberOfTheRoundedText) {
    std::uint64_t state = 12345;
    const auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0; // [0, 1)
    };
    for (int i = 0; i < 20000; ++i) {
        const double value = (next() - 0.5) * std::pow(10.0, static_cast<int>(next() * 16) - 6);
        const int decimals = static_cast<int>(next() * 10);
        // A value with no digit past its 15th to round at keeps every bit (its text does not).
        if (std::fabs(value) * std::pow(10.0, decimals) >= 1e14) continue;
        const double expected = std::strtod(doubleToStr(value, decimals).c_str(), nullptr);
        ASSERT_EQ(roundHalfAway(value, decimals), expected == 0.0 ? expected * (value < 0 ? -1 : 1) : expected)
            << value << " to " << decimals;
    }
}

} // namespace
} // namespace spreadlib::test
