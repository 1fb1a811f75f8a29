// The words of the formula language: each scanner moves past a word that stands at the position and
// leaves the position where it was otherwise, so that the parser can try the next kind of word.
#include <gtest/gtest.h>

#include "spreadlib/formula.h"
#include "spreadlib/formula_lexer.h"

namespace spreadlib::test {
namespace {

TEST(FormulaLexer, NumbersTextsAndErrorValues) {
    double value = 0.0;
    std::size_t p = 1;
    EXPECT_EQ(lexer::scanNumber("=12.5e2+1", p, value), lexer::NumberScan::Number);
    EXPECT_EQ(value, 1250.0);
    EXPECT_EQ(p, 7u);
    p = 0;
    EXPECT_EQ(lexer::scanNumber("2e+", p, value), lexer::NumberScan::Number); // an exponent needs digits
    EXPECT_EQ(p, 1u);
    p = 0;
    EXPECT_EQ(lexer::scanNumber(".+1", p, value), lexer::NumberScan::NoNumber);
    EXPECT_EQ(lexer::scanNumber("1e999", p, value), lexer::NumberScan::OutOfRange);
    EXPECT_EQ(p, 0u);

    Zrk_String text;
    p = 0;
    ASSERT_TRUE(lexer::scanString("\"say \"\"hi\"\"\"&1", p, text));
    EXPECT_EQ(text, "say \"hi\"");
    EXPECT_EQ(p, 12u);
    p = 0;
    EXPECT_FALSE(lexer::scanString("\"open \"\"", p, text));
    EXPECT_EQ(p, 0u);

    ErrorCode code = ErrorCode::None;
    p = 0;
    ASSERT_TRUE(lexer::scanErrorValue("#div/0!", p, code));
    EXPECT_EQ(code, ErrorCode::Div0);
    EXPECT_EQ(p, 7u);
    p = 0;
    EXPECT_FALSE(lexer::scanErrorValue("#DIV", p, code));
    EXPECT_EQ(p, 0u);
}

TEST(FormulaLexer, ReferencesStopAtTheirLimitsAndBeforeNames) {
    int col = 0, row = 0, kind = -1;
    std::uint8_t flags = 0;
    bool columnOnly = false;
    std::size_t p = 0;
    ASSERT_TRUE(lexer::scanA1Cell("$B$7*2", p, col, row, flags, false, columnOnly));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 7);
    EXPECT_EQ(flags, kColAbs | kRowAbs);
    EXPECT_EQ(p, 4u);
    p = 0;
    EXPECT_FALSE(lexer::scanA1Cell("B7x", p, col, row, flags, false, columnOnly)); // a name, not a cell
    EXPECT_FALSE(lexer::scanA1Cell("LOG10(", p, col, row, flags, false, columnOnly));
    EXPECT_FALSE(lexer::scanA1Cell("B", p, col, row, flags, false, columnOnly));
    EXPECT_EQ(p, 0u);
    ASSERT_TRUE(lexer::scanA1Cell("B:C", p, col, row, flags, true, columnOnly));
    EXPECT_TRUE(columnOnly);
    EXPECT_EQ(p, 1u);

    bool absolute = false;
    p = 0;
    EXPECT_FALSE(lexer::scanRowNumber("0:3", p, row, absolute)); // rows start at 1
    ASSERT_TRUE(lexer::scanRowNumber("$12:14", p, row, absolute));
    EXPECT_TRUE(absolute);
    EXPECT_EQ(row, 12);
    EXPECT_EQ(p, 3u);

    // R1C1, written in C3: relative parts count from there.
    p = 0;
    ASSERT_TRUE(lexer::scanR1C1("R[-1]C2", p, 3, 3, col, row, flags, kind));
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(flags, kColAbs);
    p = 0;
    ASSERT_TRUE(lexer::scanR1C1("R5", p, 3, 3, col, row, flags, kind));
    EXPECT_EQ(kind, 1);
    p = 0;
    EXPECT_FALSE(lexer::scanR1C1("R[-3]C", p, 3, 3, col, row, flags, kind)); // above row 1
    EXPECT_FALSE(lexer::scanR1C1("ROUND(", p, 3, 3, col, row, flags, kind));
    EXPECT_EQ(p, 0u);
}

} // namespace
} // namespace spreadlib::test
