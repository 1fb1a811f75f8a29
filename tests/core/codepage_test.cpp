#include <gtest/gtest.h>

#include "core/codepage.h"

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    Zrk_String all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(core::fromUtf8(core::toUtf8(all)), all);
    EXPECT_EQ(core::toUtf8("\x80"), "\xE2\x82\xAC");          // euro sign
    EXPECT_EQ(core::toUtf8("\xBF\xA4"), "\xC2\xBF\xC2\xA4");  // the separators of stored files
    EXPECT_EQ(core::fromUtf8("Stra\xC3\x9F" "e"), "Stra\xDF" "e");
}

TEST(CodePage, ForeignAndBrokenUtf8BecomesQuestionMarks) {
    EXPECT_EQ(core::fromUtf8("\xE4\xB8\xAD"), "?");        // a CJK character
    EXPECT_EQ(core::fromUtf8("a\xC3"), "a?");              // cut off at the end
    EXPECT_EQ(core::fromUtf8("\xFF" "b"), "?b");           // no lead byte
    EXPECT_EQ(core::fromUtf8("\xC3(x"), "?(x");            // lead byte without continuation
    EXPECT_EQ(core::fromUtf8("\xF0\x9F\x98\x80!"), "?!");  // outside the basic plane
}
