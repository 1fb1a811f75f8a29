// The profile cuts dialog on the sample drawing (a column C1 with the cuts Top, Seat and Foot, a beam
// B1 with the cut Cope), played by the scripted user: the chosen cut previewed through the host's
// editor, deletions in the drawing, another profile picked, the "no preview" box and the remembered
// preview flag, and no preview left behind however the dialog ends.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/dlg_prof_cuts.h"
#include "host/document.h"
#include "host/editor.h"
#include "host/module_entry.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

using D = DlgProfCuts;

const Zrk_String kDrawing =
    Zrk_String(SS_TEST_DATA_DIR) + "/../../examples/library/Drawings/profile-cuts.json";

class ProfCutsDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        Zrk_String message;
        ASSERT_TRUE(document.open(kDrawing, message)) << message;
        editor().clear();
        D::setRememberedPreview(true);
    }
    void TearDown() override { document.close(); }

    static host::Editor& editor() { return host::Editor::instance(); }
    // What the editor shows now: the descriptions of the previews.
    static std::vector<std::string> previews() {
        std::vector<std::string> shown;
        for (const host::Preview& preview : editor().previews())
            shown.push_back(preview.description);
        return shown;
    }
    Zrk_StringArray cutsOf(int id) {
        Zrk_StringArray names;
        for (const Zrk_CutConstraint& cut :
             document.database().findProfile(AcDbObjectId(id))->profile()->cuts)
            names.append(cut.name);
        return names;
    }
    bool run(int profile, const std::function<void(D&, ui::DialogUser&)>& script) {
        user.onDialog(D::kTemplate, [&](ui::DialogUser& u) { script(static_cast<D&>(u.dialog()), u); });
        DlgProfCutsData cuts;
        cuts.profileId = AcDbObjectId(profile);
        const bool accepted = StartEditProfCutsDlg(cuts);
        EXPECT_EQ(cuts.profileId, AcDbObjectId(profile)); // the caller's record is not written back
        return accepted;
    }

    static inline int instance = 0;
    host::Document& document = host::Document::current();
    ui::ScriptedUser user;
};

} // namespace

TEST_F(ProfCutsDialog, TheChosenCutIsPreviewedAndNoPreviewStaysAfterCancel) {
    const bool accepted = run(201, [](D& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.comboCount(D::kCutList), 3);
        EXPECT_EQ(dialog.comboText(D::kCutList, 0), "Top - Chamfer");
        EXPECT_EQ(dialog.currentIndex(), 0);
        EXPECT_EQ(dialog.checkState(D::kNoPreview), 0);
        EXPECT_EQ(previews(), std::vector<std::string>{"cut Top"});
        u.choose(D::kCutList, 2);
        EXPECT_EQ(dialog.currentIndex(), 2);
        EXPECT_EQ(previews(), std::vector<std::string>{"cut Foot"}); // the one before taken away
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(previews().empty());
    EXPECT_EQ(cutsOf(201).length(), 3);
}

TEST_F(ProfCutsDialog, DeletingKeepsThePlaceAnotherProfileIsPickedAndAnEmptyListDeletesNothing) {
    user.answerPick("B1");
    const bool accepted = run(201, [](D& dialog, ui::DialogUser& u) {
        u.choose(D::kCutList, 2);
        u.click(D::kDeleteCut); // the last: the new last is chosen
        EXPECT_EQ(dialog.comboCount(D::kCutList), 2);
        EXPECT_EQ(dialog.currentIndex(), 1);
        EXPECT_EQ(dialog.comboCurSel(D::kCutList), 1);
        EXPECT_EQ(previews(), std::vector<std::string>{"cut Seat"});

        u.click(D::kOtherProfile); // the dialog steps aside while the person picks B1
        EXPECT_FALSE(dialog.isSteppedAside());
        EXPECT_EQ(dialog.comboCount(D::kCutList), 1);
        EXPECT_EQ(dialog.comboText(D::kCutList, 0), "Cope - Profile against profile");
        EXPECT_EQ(dialog.currentIndex(), 0);
        EXPECT_EQ(previews(), std::vector<std::string>{"cut Cope"});

        u.click(D::kDeleteCut); // the only cut: nothing is chosen any more
        EXPECT_EQ(dialog.comboCount(D::kCutList), 0);
        EXPECT_EQ(dialog.currentIndex(), -1);
        EXPECT_TRUE(previews().empty());
        u.click(D::kDeleteCut); // an empty list: nothing happens
        EXPECT_EQ(dialog.currentIndex(), -1);
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(cutsOf(201), (Zrk_StringArray{"Top", "Seat"}));
    EXPECT_TRUE(cutsOf(202).isEmpty());
    EXPECT_EQ(document.database().undoSteps(), 2); // one step per deleted cut
    EXPECT_TRUE(previews().empty());
}

TEST_F(ProfCutsDialog, ACancelledPickLeavesTheListAndShowsTheChosenCutAgain) {
    user.cancelPick();
    run(201, [](D& dialog, ui::DialogUser& u) {
        u.choose(D::kCutList, 1);
        u.click(D::kOtherProfile);
        EXPECT_EQ(dialog.comboCount(D::kCutList), 3);
        EXPECT_EQ(dialog.currentIndex(), 1);
        EXPECT_EQ(previews(), std::vector<std::string>{"cut Seat"});
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(previews().empty());
}

TEST_F(ProfCutsDialog, WithNoPreviewWantedNoneIsDrawnAndTheChoiceIsRememberedOnlyOnOK) {
    run(201, [](D& dialog, ui::DialogUser& u) {
        u.click(D::kNoPreview);
        EXPECT_FALSE(dialog.previewOn());
        EXPECT_TRUE(previews().empty()); // the shown preview goes with the tick
        u.choose(D::kCutList, 1);
        u.choose(D::kCutList, 2);
        EXPECT_TRUE(previews().empty()); // and none is drawn while the box is ticked
        u.click(ui::IDOK);
    });
    EXPECT_FALSE(D::rememberedPreview());

    run(202, [](D& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.checkState(D::kNoPreview), 1); // the choice of the run that ended with OK
        EXPECT_TRUE(previews().empty());
        u.click(D::kNoPreview);
        EXPECT_EQ(previews(), std::vector<std::string>{"cut Cope"});
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(D::rememberedPreview()); // Cancel keeps the remembered choice
    EXPECT_TRUE(previews().empty());
}
