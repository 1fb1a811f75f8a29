#include <thread>

#include <gtest/gtest.h>

#include "core/timer.h"

TEST(Timer, AccumulatesOverRunsAndScopes) {
    Zrk_Timer timer("gLoadFile");
    timer.end(); // an end without a start counts nothing
    EXPECT_EQ(timer.runs(), 0);
    EXPECT_EQ(timer.seconds(), 0.0);

    for (int i = 0; i < 2; ++i) {
        Zrk_FunctionTimer scope(timer);
        EXPECT_TRUE(timer.isRunning());
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.runs(), 2);
    EXPECT_GE(timer.seconds(), 0.010);
    EXPECT_EQ(timer.name(), "gLoadFile");

    timer.reset();
    EXPECT_EQ(timer.runs(), 0);
    EXPECT_EQ(timer.seconds(), 0.0);
}
