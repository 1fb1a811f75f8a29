// The advanced profile dialog on the cleat and rib groups of the sample end plate: what it shows of
// the settings (rotation, anchors, morphed sections), each change applied through the owner's
// callback at once (and into the drawing), Enter, a plane picked in the drawing with the owner told
// to step aside, and the two entry functions: what the first erases afterwards, and the second's
// check box and empty arrays.

#include "core/drawing.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_prof_advanced.h"

namespace {

using A = DlgMacroProfAdv;
using macrotest::kMacroA;
using macrotest::kMacroB;

const Zrk_String kTab = "EndPlateCleats";

class ProfAdvancedDialog : public macrotest::MacroDialogTest {
protected:
    // The dialog for a group of macro A's data, served by the macro data's callback; the requests
    // the owner heard are recorded.
    bool run(const Zrk_String& group, const std::function<void(A&, ui::DialogUser&)>& script) {
        EXPECT_TRUE(data.initFromMacros({kMacroA}));
        A dialog;
        dialog.data.groupName = group;
        dialog.callbackData.macroData = &data;
        dialog.callbackData.tabName = kTab;
        const KvMACallBackType served = macroDataProfileCallback();
        dialog.callback = [&](int request, KvMACallBackData& link, MacroProfData& settings) {
            requests.append(request);
            return served(request, link, settings);
        };
        user.onDialog(A::kTemplate, [&](ui::DialogUser& u) { script(static_cast<A&>(u.dialog()), u); });
        return dialog.doModal() == ui::IDOK;
    }
    const Zrk_ProfilePlacement& placement(AcDbObjectId macro, const Zrk_String& name) {
        for (const Zrk_ProfilePlacement& each : moduleOf(macro, "Cleats").placements)
            if (each.name == name) return each;
        ADD_FAILURE() << "no placement " << name;
        static const Zrk_ProfilePlacement none;
        return none;
    }
    static int anchorChecked(const A& dialog) {
        int checked = 0;
        for (int i = 0; i < 9; ++i)
            if (dialog.checkState(A::kAnchors[i]) == 1) checked = checked ? -1 : i + 1;
        return checked;
    }

    MacroData data;
    Zrk_Array<int> requests;
};

} // namespace

TEST_F(ProfAdvancedDialog, ShowsRotationsAnchorsAndTheMorphedSection) {
    run("Cleat", [&](A& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1011));
        EXPECT_EQ(dialog.checkState(A::kRot90), 1);
        EXPECT_EQ(anchorChecked(dialog), 1); // offset type 9: top left
        EXPECT_FALSE(dialog.isItemEnabled(A::kX));
        EXPECT_FALSE(dialog.isItemShown(A::kSecondSection)); // not morphed
        u.click(ui::IDCANCEL);
    });
    int narrow = 0;
    run("Cleat", [&](A& dialog, ui::DialogUser& u) {
        narrow = dialog.width();
        u.click(ui::IDCANCEL);
    });
    run("Rib", [&](A& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.checkState(A::kRotOther), 1);
        EXPECT_EQ(dialog.itemText(A::kRotValue), "45");
        EXPECT_TRUE(dialog.isItemEnabled(A::kRotValue));
        EXPECT_EQ(anchorChecked(dialog), 0); // offset type 0: free, displaced
        EXPECT_EQ(dialog.itemText(A::kX), "12.500");
        EXPECT_EQ(dialog.itemText(A::kY), "-4.000");
        EXPECT_TRUE(dialog.isItemShown(A::kSecondSection));
        EXPECT_GT(dialog.width(), narrow); // widened for the second section
        EXPECT_EQ(dialog.checkState(A::kOnSegment), 1);
        EXPECT_EQ(dialog.itemText(A::kSegment), "2");
        savePicture(u, "advanced-profile");
        u.click(ui::IDCANCEL);
    });
    EXPECT_EQ(requests, (Zrk_Array<int>{0, 0, 0})); // read only: nothing written
}

TEST_F(ProfAdvancedDialog, AnAnchorButtonSetsItsOffsetTypeInTheDrawingAtOnce) {
    run("Rib", [&](A& dialog, ui::DialogUser& u) {
        u.click(A::kAnchors[8]); // bottom right
        EXPECT_EQ(dialog.comboCurSel(A::kOffsetType), 12);
        EXPECT_EQ(placement(kMacroA, "Rib").offsetType, 12);
        u.click(A::kAnchors[0]); // top left
        EXPECT_EQ(dialog.comboCurSel(A::kOffsetType), 9);
        EXPECT_FALSE(dialog.isItemEnabled(A::kX));
        // An offset type without an anchor (the gravity line) checks none.
        u.choose(A::kOffsetType, 4);
        EXPECT_EQ(anchorChecked(dialog), 0);
        EXPECT_FALSE(dialog.isItemEnabled(A::kX));
        EXPECT_FALSE(dialog.isItemEnabled(A::kY));
        u.click(ui::IDCANCEL);
    });
    // Cancel undoes nothing: each change was applied as it was made.
    EXPECT_EQ(placement(kMacroA, "Rib").offsetType, 4);
    EXPECT_EQ(placement(kMacroA, "Cleat").offsetType, 9); // the other group is left alone
}

TEST_F(ProfAdvancedDialog, EnterAppliesATypedRotationAndKeepsTheDialogOpen) {
    run("Cleat", [&](A& dialog, ui::DialogUser& u) {
        u.click(A::kRotOther);
        u.typeText(A::kRotValue, "30");
        u.pressKey(ui::VK_RETURN);
        EXPECT_FALSE(dialog.hasEnded());
        EXPECT_EQ(dialog.checkState(A::kRotOther), 1);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(placement(kMacroA, "Cleat").rotation, "30");
}

TEST_F(ProfAdvancedDialog, APlanePickedInTheDrawingTellsTheOwnerToStepAside) {
    user.onPick([&](const host::PickRequest& request, host::PickAnswer& answer) {
        EXPECT_EQ(request.kind, host::PickKind::Plane);
        EXPECT_EQ(requests.last(), KvMACallBackData::kHide);
        answer = host::PickAnswer::at({{0, 0, 100}, {1, 0, 100}, {0, 1, 100}});
        return RTNORM;
    });
    run("Rib", [&](A& dialog, ui::DialogUser& u) {
        u.click(A::kPickedPlane);
        EXPECT_TRUE(dialog.isItemEnabled(A::kPickPlane));
        u.click(ui::IDOK);
    });
    EXPECT_EQ(placement(kMacroA, "Rib").basePlane, "0,0,100;1,0,100;0,1,100");
    const int hide = requests.find(KvMACallBackData::kHide);
    ASSERT_GE(hide, 0);
    EXPECT_EQ(requests[hide + 1], KvMACallBackData::kShow);
}

TEST_F(ProfAdvancedDialog, TheFirstEntryErasesTheSingleObjectItEditedAndTheCoordinateSystemItMade) {
    ASSERT_TRUE(data.initFromMacros({kMacroA}));
    const int systems = document.database().coordSystems().length();
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        EXPECT_FALSE(u.dialog().isItemEnabled(A::kGroup));
        u.click(A::kOwnCoordSystem); // makes the profile's own coordinate system
        EXPECT_EQ(document.database().coordSystems().length(), systems + 1);
        u.click(ui::IDOK);
    });
    StartDlgMacroProfAdv(data, kTab, "Rib", true);
    EXPECT_EQ(document.database().findMacro(kMacroA), nullptr);
    EXPECT_EQ(document.database().coordSystems().length(), systems);
    EXPECT_TRUE(data.tempCoordSystem.empty());

    // Over two macros nothing is erased.
    ASSERT_TRUE(data.initFromMacros({kMacroB}));
    data.macroIds.append(AcDbObjectId(999));
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
    StartDlgMacroProfAdv(data, kTab, "Cleat", true);
    EXPECT_NE(document.database().findMacro(kMacroB), nullptr);
}

TEST_F(ProfAdvancedDialog, TheSecondEntryServesItsCallerAndReportsTheCheckBox) {
    int calls = 0;
    const KvMACallBackType callback = [&](int request, KvMACallBackData& link, MacroProfData& settings) {
        ++calls;
        EXPECT_EQ(link.objects.length(), 1);
        if (request == KvMACallBackData::kRead) {
            settings.groupName = "Column";
            settings.merged.sectionName = "HEA-200";
            settings.merged.rotation = "180";
        }
        return true;
    };
    bool flag = true;
    StartDlgMacroProfAdv(nullptr, flag, callback);
    const AcArray<AcDbObjectId> none;
    StartDlgMacroProfAdv(&none, flag, callback);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(flag); // nothing happened

    const AcArray<AcDbObjectId> profiles{AcDbObjectId(201)};
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        auto& dialog = static_cast<A&>(u.dialog());
        EXPECT_TRUE(dialog.isItemShown(A::kSecondCheck));
        EXPECT_FALSE(dialog.isItemShown(A::kGroup));
        EXPECT_EQ(dialog.checkState(A::kSecondCheck), 0);
        EXPECT_EQ(dialog.checkState(A::kRot180), 1);
        u.click(A::kSecondCheck);
        u.click(ui::IDOK);
    });
    StartDlgMacroProfAdv(&profiles, flag, callback);
    EXPECT_TRUE(flag);
    EXPECT_GE(calls, 2); // read, then the write of OK

    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        u.click(A::kSecondCheck);
        u.click(ui::IDCANCEL);
    });
    StartDlgMacroProfAdv(&profiles, flag, callback);
    EXPECT_FALSE(flag); // not closed with OK
}
