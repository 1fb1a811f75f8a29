#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

#include "core/numbers.h"
#include "core/text.h"

TEST(Text, SplitStringNeedsTheSeparator) {
    Zrk_String before = "untouched", after = "untouched";
    EXPECT_FALSE(splitString("Width 12", "=", before, after));
    EXPECT_EQ(before, "untouched");
    EXPECT_FALSE(splitString("Width", "", before, after));

    ASSERT_TRUE(splitString("  Width = a + b = c ", "=", before, after));
    EXPECT_EQ(before, "  Width ");
    EXPECT_EQ(after, " a + b = c ");
    ASSERT_TRUE(splitString("  Width = a + b = c ", "=", before, after, true));
    EXPECT_EQ(before, "Width");
    EXPECT_EQ(after, "a + b = c");
    ASSERT_TRUE(splitString("a<>b", "<>", before, after));
    EXPECT_EQ(before, "a");
    EXPECT_EQ(after, "b");
}

TEST(Text, SplitAtEverySymbol) {
    Zrk_StringArray parts{"old"};
    EXPECT_FALSE(splitStringAtSymbol("file.kvs", ',', parts));
    EXPECT_EQ(parts, Zrk_StringArray{"old"});

    ASSERT_TRUE(splitStringAtSymbol("child, a ,,b,", ',', parts, true));
    EXPECT_EQ(parts, (Zrk_StringArray{"child", "a", "", "b", ""}));
    ASSERT_TRUE(splitStringAtSymbol(" x ;y", ';', parts));
    EXPECT_EQ(parts, (Zrk_StringArray{" x ", "y"}));

    strToArr("", parts, '\t');
    EXPECT_EQ(parts.length(), 0);
    strToArr("one", parts, '\t');
    EXPECT_EQ(parts, Zrk_StringArray{"one"});
    EXPECT_EQ(arrToStr(Zrk_StringArray{"a", "", "c"}, '\xBF'), "a\xBF\xBF" "c");
}

TEST(Text, LinesToRowsAndBackKeepEmptyFields) {
    const Zrk_StringArray lines{"a\xBF" "b\xBF", "", "\xBF" "c"};
    Zrk_Array<Zrk_StringArray> rows;
    arrToArrArr(lines, rows, '\xBF');
    ASSERT_EQ(rows.length(), 3);
    EXPECT_EQ(rows[0], (Zrk_StringArray{"a", "b", ""}));
    EXPECT_EQ(rows[1].length(), 0);
    EXPECT_EQ(rows[2], (Zrk_StringArray{"", "c"}));
    Zrk_StringArray back;
    arrArrToArr(rows, back, '\xBF');
    EXPECT_EQ(back, lines);
}

TEST(Text, StripSymbolsAtEitherEnd) {
    Zrk_String text = " \t Width \t";
    stripSymbols(text, true, false);
    EXPECT_EQ(text, " \t Width");
    stripSymbols(text, false, true);
    EXPECT_EQ(text, "Width");
    text = "   ";
    stripSymbols(text, true, false);
    EXPECT_EQ(text, "");
    text = "xxabcxx";
    stripSymbols(text, true, true, "x");
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(trimmed("\t a b \t"), "a b");
}

TEST(Text, AReasonJoinedIntoAMessageEndsItsSentenceOnce) {
    EXPECT_EQ(asSentence("the file cannot be read"), "the file cannot be read.");
    EXPECT_EQ(asSentence("the file cannot be read: No such file or directory."),
              "the file cannot be read: No such file or directory.");
    EXPECT_EQ(asSentence("Overwrite it?"), "Overwrite it?");
    EXPECT_EQ(asSentence(""), "");
}

TEST(Text, SubstringsAroundASeparator) {
    Zrk_String part = "kept";
    EXPECT_FALSE(getSubstrBefore("IPE200", ".", part));
    EXPECT_EQ(part, "kept");
    EXPECT_TRUE(getSubstrBefore("Module.Width.x", ".", part));
    EXPECT_EQ(part, "Module");
    EXPECT_TRUE(getSubstrAfter("Module.Width.x", ".", part));
    EXPECT_EQ(part, "Width.x");
}

TEST(Text, ComparisonsWithTheCaseFlag) {
    EXPECT_TRUE(isEqual("Width", "Width"));
    EXPECT_FALSE(isEqual("Width", "WIDTH"));
    EXPECT_TRUE(isEqual("Width", "WIDTH", true));
    EXPECT_FALSE(isEqual("Width", "Widt", true));
    EXPECT_LT(compareStrings("abc", "abd"), 0);
    EXPECT_GT(compareStrings("abc", "ab"), 0);
    EXPECT_EQ(compareStrings("ABC", "abc", true), 0);
    // Bytes above 0x7F sort after ASCII, as unsigned bytes.
    EXPECT_LT(compareStrings("z", "\xE9"), 0);
    EXPECT_TRUE(hasASubstr("EndPlate", "plate", true));
    EXPECT_FALSE(hasASubstr("EndPlate", "plate"));
    EXPECT_TRUE(hasASubstr("x", ""));
}

TEST(Text, NaturalOrderComparesNumbersByValue) {
    const auto less = [](const Zrk_String& a, const Zrk_String& b) { return compareNatural(a, b) < 0; };
    Zrk_StringArray names{"100x100x10", "L 9",      "40x40x4", "5.5", "45x45x5", "5.25",
                          "L 10",       "40x40x10", "05",      "5",   "x"};
    std::sort(names.begin(), names.end(), less);
    EXPECT_EQ(names, (Zrk_StringArray{"05", "5", "5.25", "5.5", "40x40x4", "40x40x10", "45x45x5",
                                      "100x100x10", "L 9", "L 10", "x"}));
    EXPECT_EQ(compareNatural("HEA200", "HEA200"), 0);
    EXPECT_LT(compareNatural("HEA", "HEA200"), 0);
    EXPECT_GT(compareNatural("a1.", "a1"), 0); // a point without digits is no fraction
    EXPECT_EQ(ObjectExportAddToSorted(names, Zrk_String("60x60x6"), less), 7);
}

TEST(Text, Duplicates) {
    const Zrk_StringArray names{"a", "B", "b", "a", "c", "A"};
    EXPECT_TRUE(hasDuplicates(names));
    EXPECT_FALSE(hasDuplicates(Zrk_StringArray{"a", "B", "b"}));
    Zrk_StringArray duplicates;
    getDuplicates(names, duplicates);
    EXPECT_EQ(duplicates, Zrk_StringArray{"a"});
    getDuplicates(names, duplicates, true);
    EXPECT_EQ(duplicates, (Zrk_StringArray{"b", "a"}));
}

TEST(Text, Comments) {
    Zrk_String line = "x = \"http://a\" // note";
    EXPECT_TRUE(removeLineComment(line));
    EXPECT_EQ(line, "x = \"http://a\" ");
    line = "no comment";
    EXPECT_FALSE(removeLineComment(line));

    Zrk_StringArray lines{"a", "// whole line", "", "b // tail"};
    removeComments(lines);
    EXPECT_EQ(lines, (Zrk_StringArray{"a", "", "b "}));
}

TEST(Text, NumbersInText) {
    for (const char* yes : {"0", "-1", "+2.5", " 3. ", ".5", "1e3", "1.5E-2"}) EXPECT_TRUE(isNumber(yes)) << yes;
    for (const char* no : {"", " ", ".", "-", "1e", "1,5", "12a", "1 2", "e3"}) EXPECT_FALSE(isNumber(no)) << no;

    EXPECT_EQ(doubleToStr(2.675, 2), "2.68");
    EXPECT_EQ(doubleToStr(-2.675, 2), "-2.68");
    EXPECT_EQ(doubleToStr(-0.001, 2), "0.00");
    EXPECT_EQ(doubleToStr(0.5, 0), "1");
    EXPECT_EQ(doubleToStr(9.9999, 3), "10.000");
    EXPECT_EQ(doubleToStr(0.0004, 3), "0.000");
    EXPECT_EQ(doubleToStr(0.0005, 3), "0.001");
    EXPECT_EQ(doubleToStr(12345678.9, 7), "12345678.9000000");
    EXPECT_EQ(doubleToStr(1e20, 2), "100000000000000000000.00");
    EXPECT_EQ(doubleToStr(0.1 + 0.2, 8), "0.30000000");
    EXPECT_EQ(append("Value", 2), "Value2");
}

// A value with no more decimals than asked is written from its whole number of decimal steps; the
// text must be what printf writes for it (exact then), up to 15 digits and on either side of it.
TEST(Text, ValuesThatNeedNoRoundingAreWrittenExactly) {
    const auto printed = [](double value, int decimals) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return Zrk_String(buffer);
    };
    long long scaled = 0;
    for (const double value : {0.0, 1.0, -1.0, 280.0, 12.5, -12.5, 0.125, 1234.5678125, 999999999999999.0,
                               99999999999999.9, -0.0625, 7e-7, 1e-7})
        for (int decimals = 0; decimals <= 15; ++decimals)
            if (exactlyScaled(value, decimals, scaled)) {
                EXPECT_EQ(doubleToStr(value, decimals), printed(value, decimals)) << value << " " << decimals;
            }
    EXPECT_TRUE(exactlyScaled(12.5, 1, scaled));
    EXPECT_EQ(scaled, 125);
    EXPECT_TRUE(exactlyScaled(-280.0, 7, scaled));
    EXPECT_EQ(scaled, -2800000000);
    EXPECT_FALSE(exactlyScaled(12.5, 0, scaled));         // a digit to round
    EXPECT_FALSE(exactlyScaled(0.1, 1, scaled));          // 0.1 is no exact double: rounded on its text
    EXPECT_FALSE(exactlyScaled(1e15, 0, scaled));         // 16 digits
    EXPECT_FALSE(exactlyScaled(1.0, 16, scaled));
    EXPECT_FALSE(exactlyScaled(std::nan(""), 2, scaled));
    // The texts of values beside the fast ones are as before.
    EXPECT_EQ(doubleToStr(999999999999999.0, 0), "999999999999999");
    EXPECT_EQ(doubleToStr(1e15, 0), "1000000000000000");
    EXPECT_EQ(doubleToStr(-0.0, 2), "0.00");
    EXPECT_EQ(doubleToStr(0.1, 1), "0.1");
    EXPECT_EQ(doubleToStr(-12.5, 3), "-12.500");

    int position = -1;
    Zrk_String digits;
    EXPECT_FALSE(findFirstNumbers("IPE", position, digits));
    ASSERT_TRUE(findFirstNumbers("HEA 120x5", position, digits));
    EXPECT_EQ(position, 4);
    EXPECT_EQ(digits, "120");
    EXPECT_EQ(stripNumbersAtEnd("Beam12"), "Beam");
    EXPECT_EQ(stripNumbersAtEnd("12"), "");
    EXPECT_EQ(findNonExistingString("New", {"Old"}), "New");
    EXPECT_EQ(findNonExistingString("New", {"New", "New1", "new2"}), "New2");
    EXPECT_EQ(findNonExistingString("New", {"New", "New1", "new2"}, true), "New3");
}

TEST(Text, ColumnLetters) {
    EXPECT_EQ(getAlfabet(1), "A");
    EXPECT_EQ(getAlfabet(26), "Z");
    EXPECT_EQ(getAlfabet(27), "AA");
    EXPECT_EQ(getAlfabet(52), "AZ");
    EXPECT_EQ(getAlfabet(702), "ZZ");
    EXPECT_EQ(getAlfabet(703), "AAA");
    EXPECT_EQ(getAlfabet(0), "");
}

TEST(Text, RandomStrings) {
    Zrk_String a, b;
    EXPECT_FALSE(generateRandomString(0, a));
    ASSERT_TRUE(generateRandomString(24, a));
    ASSERT_TRUE(generateRandomString(24, b));
    EXPECT_EQ(a.size(), 24u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"), Zrk_String::npos);
}
