// The segmented profile dialog on the segmented profiles of the sample drawing: the shown entry
// stored when another is chosen and on OK, a gap that is no number, rows inserted and deleted, no
// entries, Cancel.

#include "core/macro_data.h"
#include "core/text.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_prof_segmented.h"

namespace {

using S = DlgProfSegmented;

class SegmentedDialog : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        segments = moduleOf(macrotest::kMacroA, "Cleats").segments;
        ASSERT_EQ(segments.length(), 2);
    }
    bool run(const std::function<void(S&, ui::DialogUser&)>& script) {
        user.onDialog(S::kTemplate, [&](ui::DialogUser& u) { script(static_cast<S&>(u.dialog()), u); });
        return StartDlgProfSegmented(segments);
    }
    Zrk_Array<MacroSegmentedProfile> segments;
};

} // namespace

TEST_F(SegmentedDialog, TheShownEntryIsStoredWhenAnotherIsChosenAndOnOk) {
    const bool ok = run([&](S& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1027));
        EXPECT_EQ(listed(dialog, S::kEntries), (Zrk_StringArray{"Rail - HEA-100", "Guard - L-50"}));
        EXPECT_EQ(dialog.itemText(S::kGap), "5.00");
        EXPECT_EQ(dialog.checkState(S::kBreak), 1);
        EXPECT_EQ(dialog.grid.getNrRows(), 3);
        EXPECT_EQ(cell(dialog.grid, 2, 2), "bend");
        u.typeText(S::kGap, "7.5");
        // The second row deleted, a row inserted at the first.
        ASSERT_TRUE(dialog.grid.setActiveCell(1, 2));
        u.click(S::kDeleteRow);
        ASSERT_TRUE(dialog.grid.setActiveCell(1, 1));
        u.click(S::kInsertRow);
        typeIntoCell(dialog.grid, 1, 1, "-100");
        typeIntoCell(dialog.grid, 2, 1, "before");
        u.choose(S::kEntries, 1);
        EXPECT_EQ(dialog.itemText(S::kName), "Guard");
        u.typeText(S::kGap, "wide");
        u.click(S::kBreak);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(segments[0].gap, 7.5);
    EXPECT_EQ(segments[0].pointValues, (Zrk_Array<double>{-100, 0, 2400}));
    EXPECT_EQ(segments[0].pointTexts, (Zrk_StringArray{"before", "start", "end"}));
    EXPECT_EQ(segments[1].gap, 0); // no number
    EXPECT_TRUE(segments[1].breakAtPoints);
}

TEST_F(SegmentedDialog, WithoutEntriesEveryEntryFieldIsDisabled) {
    segments.setLength(0);
    const bool ok = run([&](S& dialog, ui::DialogUser& u) {
        for (int id : {S::kPoints, S::kName, S::kGap, S::kBreak, S::kInsertRow, S::kDeleteRow, S::kButton})
            EXPECT_FALSE(dialog.isItemEnabled(id)) << id;
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(segments.isEmpty());
}

TEST_F(SegmentedDialog, CancelLeavesTheSegments) {
    const Zrk_Array<MacroSegmentedProfile> before = segments;
    EXPECT_FALSE(run([&](S& dialog, ui::DialogUser& u) {
        u.typeText(S::kGap, "9");
        u.resize(dialog.width() + 120, dialog.height() + 80);
        EXPECT_GT(dialog.itemRect(S::kPoints).width(), 300); // the grid grows with the window
        macrotest::MacroDialogTest::savePicture(u, "segmented-profile");
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(segments, before);
}
