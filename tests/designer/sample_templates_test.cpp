// The sample library's dialog templates: every one reads with its picture, its controls lie on the
// picture, and the lists its combo boxes name exist.

#include <gtest/gtest.h>

#include "core/settings.h"
#include "designer/designer_data.h"

namespace {

class SampleTemplates : public ::testing::Test {
protected:
    void SetUp() override {
        saved = gSettings.libDir;
        gSettings.libDir = core::defaultLibraryFolder();
    }
    void TearDown() override { gSettings.libDir = saved; }
    Zrk_String saved;
};

} // namespace

TEST_F(SampleTemplates, ReadWithPicturesAndLists) {
    Zrk_StringArray names;
    getModuleImages(names);
    EXPECT_EQ(names, (Zrk_StringArray{"Base plate", "End plate"}));
    for (const Zrk_String& name : names) {
        Zrk_DlgDesignerData data;
        Zrk_String message;
        ASSERT_TRUE(data.readFromFile(getDesignerRootFolder() + name + ".txt", true, &message)) << message;
        EXPECT_EQ(data.getTemplateName(), name);
        EXPECT_GE(data.picture().width(), 400) << name;
        EXPECT_GE(data.picture().height(), 300) << name;
        ASSERT_GT(data.getNrControls(), 5) << name;
        for (int i = 0; i < data.getNrControls(); ++i) {
            const Zrk_DesignerControl& control = *data.getControl(i);
            EXPECT_NE(control.resourceId, 0);
            EXPECT_FALSE(control.contents.empty()) << name << " " << i;
            EXPECT_LE(0.0, control.topLeftX);
            EXPECT_LT(control.topLeftX, control.bottomRightX) << name << " " << i;
            EXPECT_LT(control.topLeftY, control.bottomRightY) << name << " " << i;
            EXPECT_LE(control.bottomRightX, 1.0);
            EXPECT_LE(control.bottomRightY, 1.0);
            if (control.type == ctCellCombo) {
                Zrk_StringArray items;
                control.getComboItemsFromFile(items);
                EXPECT_GE(items.length(), 3) << control.comboList;
            }
        }
    }

    Zrk_StringArray cells;
    GetImageDlgCtrlNames(getDesignerRootFolder() + "End plate.txt", cells);
    EXPECT_EQ(cells, (Zrk_StringArray{"Height", "Edge1", "Pitch", "Edge2", "Thick", "Width"}));
}
