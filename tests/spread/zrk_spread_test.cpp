// The grid wrapper: a grid in a dialog, driven as the module's dialogs and engines drive it.

#include "grid_host.h"

using namespace gridtest;

TEST_F(GridTest, Smoke) {
    shape(3, 4);
    EXPECT_EQ(grid().getNrCols(), 3);
    EXPECT_EQ(grid().getNrRows(), 4);
    EXPECT_TRUE(grid().setCellText(1, 1, "abc"));
    EXPECT_EQ(text(1, 1), "abc");
    ui::DialogUser u(host);
    EXPECT_TRUE(u.savePicture("/tmp/grid_smoke.png"));
}
