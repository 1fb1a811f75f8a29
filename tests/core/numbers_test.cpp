#include <gtest/gtest.h>

#include "core/numbers.h"

TEST(Numbers, RoundToMultiplesOfAStep) {
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(12, 5), 10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(12.5, 5), 15);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(-12.5, 5), -15);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(-12, 5), -10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(2.5, 5), 5);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(1.24, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(1.25, 0.5), 1.5);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(-1.25, 0.5), -1.5);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(-0.2, 0.5), 0.0);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(7, -5), 5);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(7.3, 0), 7.3);
    // 0.35 is stored a hair below 0.35; it still rounds as the half it stands for.
    EXPECT_NEAR(ObjectExportRoundTo(0.35, 0.1), 0.4, 1e-12);
}

TEST(Numbers, RoundUpWithTolerance) {
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(11, 5), 15);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10, 5), 10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(-11, 5), -10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.4, 0.5), 10.5);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(-10.4, 0.5), -10.0);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.2, 5, 0.5), 10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.6, 5, 0.5), 15);
    EXPECT_NEAR(ObjectExportRoundUp(0.1 + 0.2, 0.1), 0.3, 1e-12);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(3.3, 0), 3.3);
}

TEST(Numbers, SortedArrays) {
    Zrk_Array<double> values{3, -1, 2};
    ObjectExportSort(values);
    EXPECT_EQ(values, (Zrk_Array<double>{-1, 2, 3}));
    Zrk_StringArray names{"HEA100", "HEA200"};
    EXPECT_EQ(ObjectExportAddToSorted(names, Zrk_String("HEA120")), 1);
    EXPECT_EQ(ObjectExportAddToSorted(names, Zrk_String("A")), 0);
    EXPECT_EQ(ObjectExportAddToSorted(names, Zrk_String("HEA200")), 4);
    EXPECT_EQ(names, (Zrk_StringArray{"A", "HEA100", "HEA120", "HEA200", "HEA200"}));
}
