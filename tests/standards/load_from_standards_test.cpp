// The macro dialog's "Load from standards" on the sample drawing: the module installs the engine as
// the core library's standards hook, and the macro's own standards compute its values.
#include <gtest/gtest.h>

#include "core/drawing.h"
#include "core/macro_update.h"
#include "core/settings.h"
#include "host/document.h"
#include "ui/scripted_user.h"

namespace {

const std::string kSample =
    std::string(SS_TEST_DATA_DIR) + "/../../examples/library/Drawings/macro-dialogs.json";

class LoadFromStandards : public ::testing::Test {
protected:
    void SetUp() override {
        savedLibDir = gSettings.libDir;
        gSettings.libDir = core::defaultLibraryFolder(); // the sample library the drawing is made for
        Zrk_String message;
        ASSERT_TRUE(document.open(kSample, message)) << message;
    }
    void TearDown() override {
        document.close();
        gSettings.libDir = savedLibDir;
    }
    double dimension(const Zrk_String& name) {
        return document.database()
            .findMacro(AcDbObjectId(101))
            ->macro()
            ->findModule("Plate")
            ->findVariable(name)
            ->value;
    }

    host::Document& document = host::Document::current(); // the working drawing is its drawing
    Zrk_String savedLibDir;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(LoadFromStandards, TheMacrosStandardsComputeItsValues) {
    ASSERT_TRUE(core::standardsHook()); // installed by the module
    MacroData data;
    ASSERT_TRUE(data.initFromMacros({AcDbObjectId(101)}));
    ASSERT_EQ(dimension("PlateHeight"), 400);

    // Inside the host's transaction, which the caller may still abort.
    AcTransaction* transaction = document.transactionManager().startTransaction();
    ASSERT_NE(transaction, nullptr);
    Zrk_String failure;
    ASSERT_TRUE(data.loadFromStandards(&failure)) << failure;
    // IPE 300 (h 300, b 150) with 250 kN: M20 bolts, the edge 35 mm, the plate 370 mm high.
    EXPECT_EQ(dimension("Edge"), 35);
    EXPECT_EQ(dimension("PlateHeight"), 370);
    EXPECT_EQ(
        document.database().findMacro(AcDbObjectId(101))->macro()->findModule("Bolts")->boltData->diameter,
        "20.0000000");
    int index = -1;
    ASSERT_TRUE(data.tabs[0].findCellWithName("PlateHeight", index));
    EXPECT_EQ(data.tabs[0].cells[index].value, "370");
    ASSERT_EQ(document.transactionManager().abortTransaction(), Acad::eOk);
    EXPECT_EQ(dimension("PlateHeight"), 400);
    EXPECT_FALSE(document.database().isModified());
}
