// Whole-word replacement: names inside longer words stay, quoting of texts, the order of pairs, and
// the bound on the text's growth.
#include <random>

#include <gtest/gtest.h>

#include "standards/replace_words.h"

namespace {

using standards::replaceWords;

TEST(ReplaceWords, OnlyWholeWords) {
    Zrk_String text = "Width*2+PlateWidth+Width_2+(Width)+Width2 +Width";
    EXPECT_TRUE(replaceWords(text, {"Width"}, {"C5"}, false));
    EXPECT_EQ(text, "C5*2+PlateWidth+Width_2+(C5)+Width2 +C5");
    // Bytes above 127 are boundaries; letter case counts.
    text = "\xE9Width width";
    EXPECT_TRUE(replaceWords(text, {"Width"}, {"B1"}, false));
    EXPECT_EQ(text, "\xE9" "B1 width");
    text = "nothing here";
    EXPECT_FALSE(replaceWords(text, {"Width"}, {"B1"}, false));
    EXPECT_EQ(text, "nothing here");
}

TEST(ReplaceWords, QuotesValuesThatAreNoNumbers) {
    Zrk_String text = "gen_Grade & gen_T";
    EXPECT_TRUE(replaceWords(text, {"gen_Grade", "gen_T"}, {"S355", "12.5"}, true));
    EXPECT_EQ(text, "\"S355\" & 12.5");
    // A quote inside a value is written twice, so that the literal holds the value and nothing more.
    for (const bool indexed : {false, true}) {
        Zrk_String equation = "S = gen_B";
        if (indexed) standards::WordReplacer({"gen_B"}, {"a\"b"}, true).apply(equation);
        else replaceWords(equation, {"gen_B"}, {"a\"b"}, true);
        EXPECT_EQ(equation, "S = \"a\"\"b\"");
    }
}

TEST(ReplaceWords, PairsInOrderAndInsertedTextSearchedByLaterPairs) {
    Zrk_String text = "a + b";
    // The first pair's value holds b: the second pair replaces it too; a pair never finds its own value.
    EXPECT_TRUE(replaceWords(text, {"a", "b", "c"}, {"a*b", "c", "1"}, false));
    EXPECT_EQ(text, "a*1 + 1");
    // Extra values (or names) are ignored; empty names are skipped.
    text = "x y";
    EXPECT_TRUE(replaceWords(text, {"", "x"}, {"1", "2", "3"}, false));
    EXPECT_EQ(text, "2 y");
}

TEST(ReplaceWords, GrowthIsBounded) {
    // Each general variable names the next twice: the text would double with every pair.
    Zrk_StringArray names, values;
    for (int i = 0; i < 40; ++i) {
        names.append("g" + std::to_string(i));
        values.append("g" + std::to_string(i + 1) + "+g" + std::to_string(i + 1));
    }
    Zrk_String text = "g0";
    bool overflow = false;
    EXPECT_FALSE(replaceWords(text, names, values, false, &overflow));
    EXPECT_TRUE(overflow);
    EXPECT_EQ(text, "g0"); // untouched
    text = "g30";
    EXPECT_TRUE(replaceWords(text, names, values, false, &overflow));
    EXPECT_FALSE(overflow);
    EXPECT_EQ(text.size(), 1024u * 3 + 1023); // 1024 times "g40", joined by "+"
}

TEST(ReplaceWords, TheIndexedReplacerGivesTheSameTexts) {
    // Names that look like cell names, names with dots, names that start with other bytes, values
    // that hold later names: whatever the pairs, the indexed replacer must agree with the plain one.
    const Zrk_StringArray pool{"a", "b", "A1", "B2", "x.y", ".z", "a_1", "C3", "y", "Width", "W"};
    const Zrk_StringArray valuePool{"A1", "B2", "C3", "x", "b+a", "Width*2", "\"t\"", "1.5", "x.y", "q"};
    std::mt19937 random(7);
    const auto pick = [&](const Zrk_StringArray& from) { return from[static_cast<int>(random() % from.length())]; };
    const Zrk_StringArray glue{"+", "*", " ", "(", ")", ".", "", "_", "1"};
    for (int round = 0; round < 3000; ++round) {
        Zrk_StringArray names, values;
        const int pairs = static_cast<int>(random() % 6);
        for (int i = 0; i < pairs; ++i) {
            names.append(pick(pool));
            values.append(pick(valuePool));
        }
        Zrk_String text;
        const int words = static_cast<int>(random() % 6);
        for (int i = 0; i < words; ++i) text += pick(pool) + pick(glue);
        const bool quote = random() % 2 == 0;
        Zrk_String plain = text, indexed = text;
        const bool plainChanged = replaceWords(plain, names, values, quote);
        const standards::WordReplacer replacer(names, values, quote);
        const bool indexedChanged = replacer.apply(indexed);
        ASSERT_EQ(plain, indexed) << "text: " << text;
        ASSERT_EQ(plainChanged, indexedChanged) << "text: " << text;
    }
}

} // namespace
