// The advanced bolt dialog on the bolt tab of the sample drawing's first macro, applying through a
// link to the tab: each accepted change is one step of the drawing at once, Cancel undoes none of
// them; the slotted-hole check and its message; nuts and washers the assembly lacks; Enter; the
// label that toggles the first nut.

#include "core/macro_update.h"
#include "core/text.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_bolt_advanced.h"

namespace {

using B = DlgMacroBoltAdvanced;
using macrotest::kMacroA;

class BoltDialog : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        ASSERT_TRUE(data.initFromMacros({kMacroA}));
        int index = -1;
        ASSERT_TRUE(data.findTab("EndPlateBolts", index));
        ASSERT_NE(data.tabs[index].getBoltData(), nullptr);
        bolt = *data.tabs[index].getBoltData();
        GetMergedDiameters(data, "EndPlateBolts", diameters);
    }
    bool run(const std::function<void(B&, ui::DialogUser&)>& script) {
        user.onDialog(B::kTemplate, [&](ui::DialogUser& u) { script(static_cast<B&>(u.dialog()), u); });
        return StartDlgMacroBoltAdvanced(bolt, diameters, &link);
    }
    const MacroBoltData& inDrawing() { return *moduleOf(kMacroA, "Bolts").boltData; }
    int steps() { return document.database().undoSteps(); }

    MacroData data;
    MacroDataLink link{data, "EndPlateBolts"};
    MacroBoltData bolt;
    Zrk_StringArray diameters;
};

} // namespace

TEST_F(BoltDialog, ShowsTheRecordAndAppliesEachClickAtOnceWhichCancelKeeps) {
    ASSERT_EQ(inDrawing().tapped, 0);
    const int before = steps();
    const bool ok = run([&](B& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(983));
        EXPECT_EQ(dialog.itemText(B::kComposition), "M-8.8");
        EXPECT_EQ(dialog.itemText(B::kDiameter), "20");
        EXPECT_EQ(dialog.itemText(B::kAdded), "5");
        EXPECT_TRUE(dialog.isItemEnabled(B::kOptionFlag)); // two options
        EXPECT_EQ(dialog.itemText(B::kOptionLabel), dialString(997));
        EXPECT_EQ(dialog.checkState(B::kReverse), 1);
        EXPECT_EQ(dialog.itemText(B::kNut1Label), dialString(991) + " 1");
        // Nut 2 and the washers: the assembly has none.
        EXPECT_TRUE(dialog.isItemEnabled(B::kNut1));
        EXPECT_FALSE(dialog.isItemEnabled(B::kNut2));
        EXPECT_FALSE(dialog.isItemEnabled(B::kWashers));
        EXPECT_EQ(dialog.checkState(B::kWasher1), 1);
        // The hole columns and the slotted-hole entries, counted from 1, the active one checked.
        EXPECT_EQ(dialog.grid.getNrRows(), 2);
        EXPECT_EQ(cell(dialog.grid, 1, 1), "1");
        EXPECT_EQ(cell(dialog.grid, 2, 2), "B");
        EXPECT_EQ(listed(dialog, B::kEntries),
                  (Zrk_StringArray{dialString(999) + " nr: 1", dialString(999) + " nr: 2"}));
        EXPECT_EQ(dialog.comboItemCheck(B::kEntries, 0), 1);
        EXPECT_EQ(dialog.comboItemCheck(B::kEntries, 1), 0);
        EXPECT_EQ(dialog.shownEntry(), 0);
        EXPECT_EQ(dialog.itemText(B::kRadius), "11");
        EXPECT_TRUE(dialog.isItemEnabled(B::kRadius));

        u.click(B::kTapped);
        EXPECT_EQ(inDrawing().tapped, 1);
        EXPECT_EQ(steps(), before + 1);
        u.click(B::kWasher1);
        EXPECT_EQ(inDrawing().washer1, 0);
        EXPECT_EQ(steps(), before + 2);
        // The values the assembly lacks stay -1.
        EXPECT_EQ(inDrawing().nut2, -1);
        EXPECT_EQ(inDrawing().washers, -1);
        macrotest::MacroDialogTest::savePicture(u, "advanced-bolt");
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(inDrawing().tapped, 1); // Cancel undoes nothing applied
    EXPECT_EQ(inDrawing().washer1, 0);
    EXPECT_EQ(bolt.tapped, 1); // the caller's record is the one applied
    EXPECT_EQ(bolt.nut2, -1);
}

TEST_F(BoltDialog, AnActiveSlottedHoleWithoutRadiusIsNamedFromZeroAndNothingIsApplied) {
    const bool ok = run([&](B& dialog, ui::DialogUser& u) {
        // The second entry is inactive: its radius of 0 passes.
        u.choose(B::kEntries, 1);
        EXPECT_EQ(dialog.shownEntry(), 1);
        EXPECT_FALSE(dialog.isItemEnabled(B::kRadius));
        u.click(B::kCountersunk);
        EXPECT_TRUE(user.messageBoxes().empty());
        EXPECT_EQ(inDrawing().countersunk, 1);

        // Made active, it fails at once: the message counts from 0.
        u.click(B::kActive);
        EXPECT_TRUE(dialog.isItemEnabled(B::kRadius));
        EXPECT_EQ(dialog.comboItemCheck(B::kEntries, 1), 1);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.caption, "Ongeldige waarde");
        EXPECT_EQ(user.messageBoxes()[0].request.text,
                  dialString(1000) + " 1 " + dialString(1001) + "\n\n" + dialString(888) + ".");
        EXPECT_FALSE(inDrawing().slottedHoles[1].active);

        // OK fails the same way and the dialog stays, with the input.
        u.click(ui::IDOK);
        EXPECT_EQ(user.messageBoxes().size(), 2u);
        EXPECT_FALSE(dialog.hasEnded());
        EXPECT_EQ(dialog.checkState(B::kActive), 1);
        u.typeText(B::kRadius, "9");
        u.typeText(B::kLength, "25");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_TRUE(inDrawing().slottedHoles[1].active);
    EXPECT_EQ(inDrawing().slottedHoles[1].radius, 9);
    EXPECT_EQ(inDrawing().slottedHoles[1].length, 25);
    EXPECT_EQ(inDrawing().slottedHoles[0].radius, 11); // the first entry kept
    EXPECT_EQ(bolt, inDrawing());
}

TEST_F(BoltDialog, EnterAppliesWhatWasTypedAndTheFirstNutsLabelTogglesIt) {
    const bool ok = run([&](B& dialog, ui::DialogUser& u) {
        u.typeText(B::kAdded, "7");
        EXPECT_EQ(inDrawing().addedLength, "5"); // typing alone applies nothing
        u.pressKey(ui::VK_RETURN);
        EXPECT_FALSE(dialog.hasEnded());
        EXPECT_EQ(inDrawing().addedLength, "7");
        EXPECT_EQ(dialog.checkState(B::kNut1), 1);
        u.clickAt(dialog.itemRect(B::kNut1Label).center());
        EXPECT_EQ(dialog.checkState(B::kNut1), 0);
        u.clickAt(dialog.itemRect(B::kNut2Label).center()); // the other labels do nothing
        EXPECT_FALSE(dialog.isItemEnabled(B::kNut2));
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(inDrawing().nut1, 0);
    EXPECT_EQ(inDrawing().nut2, -1);
}
