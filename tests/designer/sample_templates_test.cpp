// The sample library's dialog templates: every one reads with its picture, its controls lie on the
// picture without overlapping, the lists its combo boxes name exist, and each shows as live controls
// at run time and in design mode. "Tests/Bad factors" holds factors as a hand-edited file may: it
// still lays out, sorts and reads back.

#include <cmath>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "designer/control_rect.h"
#include "designer/designer_data.h"
#include "designer/dlg_template_view.h"
#include "host/module_entry.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

class SampleTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override {
        saved = gSettings.libDir;
        gSettings.libDir = core::defaultLibraryFolder();
    }
    void TearDown() override { gSettings.libDir = saved; }

    static bool isTest(const Zrk_String& name) { return name.rfind("Tests/", 0) == 0; }

    inline static int instance = 0;
    Zrk_String saved;
};

} // namespace

TEST_F(SampleTemplates, ReadWithPicturesAndLists) {
    Zrk_StringArray names;
    getModuleImages(names);
    EXPECT_EQ(names, (Zrk_StringArray{"Base plate", "End plate", "Macro bolts", "Macro cleats", "Macro plate",
                                      "Macro stiffener", "Notched beam", "Tests/Bad factors"}));
    for (const Zrk_String& name : names) {
        Zrk_DlgDesignerData data;
        Zrk_String message;
        ASSERT_TRUE(data.readFromFile(getDesignerRootFolder() + name + ".txt", true, &message)) << message;
        EXPECT_EQ(data.getTemplateName(), name);
        EXPECT_GE(data.picture().width(), 300) << name;
        EXPECT_GE(data.picture().height(), 200) << name;
        ASSERT_GT(data.getNrControls(), 5) << name;
        if (isTest(name)) continue;
        for (int i = 0; i < data.getNrControls(); ++i) {
            const Zrk_DesignerControl& control = *data.getControl(i);
            EXPECT_NE(control.resourceId, 0);
            EXPECT_FALSE(control.contents.empty()) << name << " " << i;
            EXPECT_LE(0.0, control.topLeftX);
            EXPECT_LT(control.topLeftX, control.bottomRightX) << name << " " << i;
            EXPECT_LT(control.topLeftY, control.bottomRightY) << name << " " << i;
            EXPECT_LE(control.bottomRightX, 1.0);
            EXPECT_LE(control.bottomRightY, 1.0);
            // A cell combo box without a list file shows its cell's choices.
            if (control.type == ctCellCombo && !control.comboList.empty()) {
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

TEST_F(SampleTemplates, ShowAsLiveControlsInBothModes) {
    Zrk_StringArray names;
    getModuleImages(names);
    for (const Zrk_String& name : names) {
        for (bool design : {false, true}) {
            ui::ScriptedUser user;
            DlgTemplateView view(design);
            ASSERT_TRUE(view.data.readFromFile(getDesignerRootFolder() + name + ".txt", true));
            user.onDialog(DlgTemplateView::kTemplate, [&](ui::DialogUser& u) {
                const Zrk_DlgDesignerData& data = view.data;
                EXPECT_EQ(data.getNrDrawnControls(), data.getNrControls()) << name;
                // The controls of the samples do not overlap, apart from the group boxes around them.
                for (int i = 0; !isTest(name) && i < data.getNrDrawnControls(); ++i) {
                    for (int j = i + 1; j < data.getNrDrawnControls(); ++j) {
                        if (data.getControl(i)->type == ctGroupBox || data.getControl(j)->type == ctGroupBox)
                            continue;
                        const QRect a = view.itemRect(data.getDrawnControl(i)->id());
                        const QRect b = view.itemRect(data.getDrawnControl(j)->id());
                        EXPECT_FALSE(a.intersects(b)) << name << ": " << data.getControl(i)->contents
                                                      << " and " << data.getControl(j)->contents;
                    }
                }
                u.click(ui::IDOK);
            });
            EXPECT_EQ(view.doModal(), ui::IDOK) << name;
            // Read back on OK, every factor is a number, however far off it was.
            for (int i = 0; i < view.data.getNrControls(); ++i) {
                const Zrk_DesignerControl& c = *view.data.getControl(i);
                for (double f : {c.topLeftX, c.topLeftY, c.bottomRightX, c.bottomRightY})
                    EXPECT_TRUE(std::isfinite(f)) << name << " " << i;
            }
        }
    }
}

TEST_F(SampleTemplates, BadFactorsSortInFiniteTime) {
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.readFromFile(getDesignerRootFolder() + "Tests/Bad factors.txt", true));
    data.sortAllControls();
    std::vector<int> orders;
    for (int i = 0; i < data.getNrControls(); ++i)
        orders.push_back(data.getControl(i)->tabOrder);
    // Row by row from the negative top down; the inverted control makes a row of its own; the tops
    // beyond 100 come last, in template order. Only the label takes no part (the type 99 looks like
    // one but is no label).
    EXPECT_EQ(orders, (std::vector<int>{2, 8, 9, 7, 1, 0, 3, 4, 6, 5}));
}
