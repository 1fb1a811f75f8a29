// The profile page of the macro dialog on the cleats tab of the sample end plate, played by the
// scripted user: the target (the group or one profile) and the lists keeping their choice, a typed
// rotation, the base plane, a section from the library, the hidden block, the advanced profile
// dialog served by the page (and what it erases afterwards), the advanced dialog at start, and the
// property-file buttons through the property-file dialog.

#include <QTemporaryDir>
#include <filesystem>

#include "core/files.h"
#include "core/macro_update.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_macro.h"
#include "macrodlg/dlg_macro_prof_page.h"
#include "macrodlg/dlg_prof_segmented.h"
#include "macrodlg/dlg_prop_file.h"
#include "ui/dlg_select_prof.h"

namespace fs = std::filesystem;

namespace {

using macrotest::kMacroA;
using F = DlgMacroProfPage;
using A = DlgMacroProfAdv;

const Zrk_String kTab = "EndPlateCleats";

class ProfilePage : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        ASSERT_TRUE(library.isValid());
        // A library of its own: property files are written into it.
        const fs::path from = core::defaultLibraryFolder();
        for (const char* part : {"Macro Properties", "Dialog Templates", "prof", "User Sections"})
            fs::copy(from / part, fs::path(library.path().toStdString()) / part, fs::copy_options::recursive);
        gSettings.libDir = library.path().toStdString() + "/";
    }
    // Runs the macro dialog on macro A with the profile tab shown first; the script gets the page.
    void run(const std::function<void(DlgMacro&, F&, ui::DialogUser&)>& script) {
        ASSERT_TRUE(data.initFromMacros({kMacroA}));
        data.firstTabName = kTab;
        runPrepared(script);
    }
    void runPrepared(const std::function<void(DlgMacro&, F&, ui::DialogUser&)>& script) {
        runMacroDialog(data, [&](DlgMacro& dialog, ui::DialogUser& u) {
            auto* page = dynamic_cast<F*>(dialog.activePage());
            ASSERT_NE(page, nullptr);
            script(dialog, *page, u);
        });
    }
    const Zrk_ProfilePlacement& placement(int number) {
        for (const Zrk_ProfilePlacement& each : moduleOf(kMacroA, "Cleats").placements)
            if (each.number == number) return each;
        ADD_FAILURE() << "no placement " << number;
        static const Zrk_ProfilePlacement none;
        return none;
    }
    static Zrk_String shownText(const ui::Dialog& page, int id) {
        const int item = page.comboCurSel(id);
        return item >= 0 ? page.comboText(id, item) : Zrk_String();
    }

    QTemporaryDir library;
    MacroData data;
};

} // namespace

TEST_F(ProfilePage, AnotherGroupOrProfileShowsItsSettingsWithoutWritingAnything) {
    const std::vector<Zrk_ProfilePlacement> before = {placement(11), placement(12), placement(13)};
    run([&](DlgMacro& dialog, F& page, ui::DialogUser& u) {
        ui::DialogUser p(page);
        EXPECT_TRUE(page.isItemShown(F::kFrame));
        EXPECT_TRUE(page.isItemShown(F::kSegmented)); // the tab has segmented profiles
        EXPECT_EQ(listed(page, F::kGroups), (Zrk_StringArray{"Cleat", "Rib"}));
        EXPECT_EQ(listed(page, F::kProfiles), (Zrk_StringArray{dialString(1010), "11", "12"}));
        EXPECT_EQ(shownText(page, F::kSection), "HEA 100");
        EXPECT_EQ(shownText(page, F::kRotation), "90\xB0");
        EXPECT_EQ(page.comboCurSel(F::kPlane), F::kPlanePicked);
        savePicture(u, "profile-page");
        ASSERT_TRUE(p.chooseText(F::kGroups, "Rib"));
        EXPECT_EQ(listed(page, F::kProfiles), (Zrk_StringArray{dialString(1010), "13"}));
        EXPECT_EQ(page.comboCurSel(F::kRotation), -1); // 45 is no item of the list: shown as typed
        EXPECT_EQ(page.itemText(F::kRotation), "45");
        EXPECT_EQ(shownText(page, F::kSection), "IPE 200");
        EXPECT_EQ(page.comboCurSel(F::kPlane), F::kPlaneNone);
        ASSERT_TRUE(p.chooseText(F::kGroups, "Cleat"));
        ASSERT_TRUE(p.chooseText(F::kProfiles, "12"));
        EXPECT_EQ(page.shownProfile(), 12);
        // The lists keep their choice when the values are shown again.
        dialog.refreshAllPages(true);
        EXPECT_EQ(page.shownGroup(), "Cleat");
        EXPECT_EQ(page.shownProfile(), 12);
        EXPECT_EQ(dialog.appliedChanges(), 0);
    });
    EXPECT_EQ((std::vector<Zrk_ProfilePlacement>{placement(11), placement(12), placement(13)}), before);
}

TEST_F(ProfilePage, ATypedRotationIsKeptAsTextAndAppliedToTheChosenProfileOnly) {
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kProfiles, "12"));
        p.typeText(F::kRotation, "33");
        p.pressKey(ui::VK_RETURN);
        EXPECT_EQ(dialog.appliedChanges(), 1);
        EXPECT_EQ(page.itemText(F::kRotation), "33");
        EXPECT_EQ(page.shownProfile(), 12); // still the profile chosen
        // The whole group now varies in its rotation, and shows so.
        ASSERT_TRUE(p.choose(F::kProfiles, 0));
        EXPECT_EQ(shownText(page, F::kRotation), core::variesText());
        // Showing and storing the varies text writes nothing.
        p.pressKey(ui::VK_RETURN);
        EXPECT_EQ(dialog.appliedChanges(), 1);
    });
    EXPECT_EQ(placement(12).rotation, "33");
    EXPECT_EQ(placement(11).rotation, "90");
}

TEST_F(ProfilePage, AnOffsetTypeOrNoPlaneChosenIsWrittenAndShownAsChosen) {
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.choose(F::kOffsetType, 3));
        EXPECT_EQ(dialog.appliedChanges(), 1);
        // The cleats sit on the coordinate system "Beam": no plane leaves neither plane nor system.
        ASSERT_TRUE(p.choose(F::kPlane, F::kPlaneNone));
        EXPECT_EQ(dialog.appliedChanges(), 2);
        EXPECT_EQ(page.comboCurSel(F::kPlane), F::kPlaneNone);
        EXPECT_EQ(page.comboCurSel(F::kOffsetType), 3);
    });
    for (int number : {11, 12}) {
        EXPECT_EQ(placement(number).offsetType, core::getProfOffsetType(3));
        EXPECT_EQ(placement(number).basePlane, "");
        EXPECT_EQ(placement(number).coordSystem, "");
    }
    EXPECT_EQ(placement(13).offsetType, 0); // the rib is another group
}

TEST_F(ProfilePage, ASectionFromTheLibraryIsKeptRelativeToTheLibraryFolder) {
    // Cancelled first: nothing changes.
    user.onDialog(DlgSelectProf::kTemplate, [&](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
    user.onDialog(DlgSelectProf::kTemplate, [&](ui::DialogUser& u) {
        u.chooseText(DlgSelectProf::kTables, "User sections");
        u.chooseText(DlgSelectProf::kSections, "Hat section");
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kGroups, "Rib"));
        p.click(F::kPickSection);
        EXPECT_EQ(dialog.appliedChanges(), 0);
        p.click(F::kPickSection);
        EXPECT_EQ(dialog.appliedChanges(), 1);
        // A section of no table is offered as it is, first.
        EXPECT_EQ(page.comboCurSel(F::kSection), 0);
        EXPECT_EQ(page.comboText(F::kSection, 0), "User Sections/Hat section.dwg");
    });
    EXPECT_EQ(placement(13).sectionName, "User Sections/Hat section.dwg");
    EXPECT_EQ(placement(11).sectionName, "HEA-100");
}

TEST_F(ProfilePage, WithEveryGroupsAdvancedButtonOnTheTemplateTheBlockIsHidden) {
    int withBlock = 0, block = 0, width = 0;
    run([&](DlgMacro&, F& page, ui::DialogUser&) {
        EXPECT_TRUE(page.blockShown());
        page.wantedSize(width, withBlock);
        block = page.mapDialogRect(QRect(0, 0, 4, F::kBlockUnits)).height();
    });
    // Without the rib, the cleat group, whose advanced button the template has, is the only one.
    auto& placements = module(kMacroA, "Cleats").placements;
    for (int i = placements.length() - 1; i >= 0; --i)
        if (placements[i].name == "Rib") placements.removeAt(i);
    run([&](DlgMacro&, F& page, ui::DialogUser& u) {
        EXPECT_FALSE(page.blockShown());
        for (int id : {F::kFrame, F::kGroups, F::kAdvanced, F::kSegmented, F::kRotation})
            EXPECT_FALSE(page.isItemShown(id)) << id;
        // The page wants the picture and the grid only.
        int height = 0;
        page.wantedSize(width, height);
        EXPECT_EQ(height, withBlock - block);
        savePicture(u, "profile-page-no-block");
    });
}

TEST_F(ProfilePage, TheAdvancedDialogEditsTheTargetAndNeverErasesTheEditedMacro) {
    const int systems = document.database().coordSystems().length();
    Zrk_String made;
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        auto& advanced = static_cast<A&>(u.dialog());
        EXPECT_EQ(advanced.data.groupName, "Rib");
        EXPECT_EQ(advanced.checkState(A::kRotOther), 1);
        u.click(A::kRot180);
        u.click(A::kOwnCoordSystem); // the rib's own coordinate system: it stands on it
        made = advanced.createdCoordSystem;
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kGroups, "Rib"));
        p.click(F::kAdvanced);
        EXPECT_EQ(shownText(page, F::kRotation), "180\xB0"); // shown again after the dialog
        EXPECT_GE(dialog.appliedChanges(), 1);
    });
    // The dialog edited the one macro of the data: it is still there, with the change.
    ASSERT_NE(document.database().findMacro(kMacroA), nullptr);
    EXPECT_EQ(placement(13).rotation, "180");
    ASSERT_FALSE(made.empty());
    EXPECT_EQ(placement(13).coordSystem, made);
    EXPECT_EQ(document.database().coordSystems().length(), systems + 1);
}

TEST_F(ProfilePage, ACoordinateSystemTheAdvancedDialogMadeAndLeftGoesAgain) {
    const int systems = document.database().coordSystems().length();
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        u.click(A::kOwnCoordSystem); // made for the rib ...
        EXPECT_EQ(document.database().coordSystems().length(), systems + 1);
        u.click(A::kNamedCoordSystem); // ... which then takes the beam's
        u.chooseText(A::kCoordSystems, "Beam");
        u.click(ui::IDOK);
    });
    run([&](DlgMacro&, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kGroups, "Rib"));
        p.click(F::kAdvanced);
    });
    EXPECT_EQ(document.database().coordSystems().length(), systems);
    EXPECT_EQ(placement(13).coordSystem, "Beam");
    ASSERT_NE(document.database().findMacro(kMacroA), nullptr);
}

TEST_F(ProfilePage, TheAdvancedDialogOfOneProfileServesThatProfileAndStepsAsideWithTheMacroDialog) {
    DlgMacro* macroDialog = nullptr;
    bool hiddenDuringPick = false;
    user.onPick([&](const host::PickRequest&, host::PickAnswer& answer) {
        // Stepped aside as a dialog does for a pick: hidden, its modal run going on.
        hiddenDuringPick = macroDialog && !macroDialog->isVisible() && macroDialog->isSteppedAside();
        answer = host::PickAnswer::at({{0, 0, 50}, {1, 0, 50}, {0, 1, 50}});
        return RTNORM;
    });
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        auto& advanced = static_cast<A&>(u.dialog());
        EXPECT_EQ(advanced.data.merged.memberName, "CL2"); // the profile chosen, not the group
        u.click(A::kPickedPlane);
        EXPECT_TRUE(macroDialog->isVisible());
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        macroDialog = &dialog;
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kProfiles, "12"));
        p.click(F::kAdvanced);
    });
    EXPECT_TRUE(hiddenDuringPick);
    EXPECT_EQ(placement(12).basePlane, "0,0,50;1,0,50;0,1,50");
    EXPECT_EQ(placement(11).basePlane, "zp");
}

TEST_F(ProfilePage, TheAdvancedDialogOpensAtStartWhenTheDataAsksForIt) {
    ASSERT_TRUE(data.initFromMacros({kMacroA}));
    data.firstTabName = kTab;
    data.profAdvAtStart = true;
    data.profAdvView = "Front";
    int opened = 0;
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        ++opened;
        EXPECT_EQ(static_cast<A&>(u.dialog()).data.groupName, "Cleat");
        u.click(ui::IDCANCEL);
    });
    runPrepared([&](DlgMacro&, F&, ui::DialogUser&) { EXPECT_EQ(opened, 1); });
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(data.profAdvView.empty());
    // Another tab first: not opened.
    data.firstTabName = "EndPlate";
    user.onDialog(DlgMacro::kTemplate, [&](ui::DialogUser& u) { u.click(ui::IDOK); });
    StartDlgMacro(data);
    EXPECT_EQ(opened, 1);
}

TEST_F(ProfilePage, PropertiesSavedChangedAndLoadedComeBackTheSame) {
    user.onDialog(DlgPropFile::kTemplate, [&](ui::DialogUser& u) {
        u.typeText(DlgPropFile::kName, "Cleats as they were");
        u.click(ui::IDOK);
    });
    user.onDialog(DlgPropFile::kTemplate, [&](ui::DialogUser& u) {
        u.chooseText(DlgPropFile::kList, "Cleats as they were");
        u.click(ui::IDOK);
    });
    MacroData saved, changed;
    run([&](DlgMacro& dialog, F& page, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemEnabled(DlgMacro::kSaveProps));
        saved = dialog.macroData;
        u.click(DlgMacro::kSaveProps);
        ui::DialogUser p(page);
        p.typeText(F::kRotation, "12");
        p.pressKey(ui::VK_RETURN);
        changed = dialog.macroData;
        u.click(DlgMacro::kLoadProps);
        EXPECT_EQ(shownText(page, F::kRotation), "90\xB0");
    });
    EXPECT_NE(changed.tabs, saved.tabs);
    EXPECT_TRUE(fs::exists(library.path().toStdString() + "/Macro Properties/Cleats as they were.kvp"));
    ASSERT_EQ(data.tabs.length(), saved.tabs.length());
    for (int t = 0; t < saved.tabs.length(); ++t) {
        EXPECT_EQ(data.tabs[t].cells, saved.tabs[t].cells) << saved.tabs[t].name;
        EXPECT_EQ(data.tabs[t].profGroups, saved.tabs[t].profGroups) << saved.tabs[t].name;
    }
    EXPECT_EQ(placement(11).rotation, "90");
    EXPECT_EQ(placement(12).rotation, "90");
    EXPECT_TRUE(user.messageBoxes().empty()); // every value was used
}

TEST_F(ProfilePage, APropertyFileThatCannotBeReadIsToldAndChangesNothing) {
    Zrk_String path;
    MacroData probe;
    ASSERT_TRUE(probe.initFromMacros({kMacroA}));
    ASSERT_TRUE(probe.propFilePath("Broken", path));
    ASSERT_TRUE(writeFileAtomically(path, "this is no property file\n"));
    user.onDialog(DlgPropFile::kTemplate, [&](ui::DialogUser& u) {
        u.click(DlgPropFile::kShowAll);
        ASSERT_TRUE(u.chooseText(DlgPropFile::kList, "Broken"));
        u.click(ui::IDOK);
    });
    user.answerMessageBox(ui::IDOK);
    MacroData before;
    run([&](DlgMacro& dialog, F&, ui::DialogUser& u) {
        before = dialog.macroData;
        u.click(DlgMacro::kLoadProps);
        EXPECT_EQ(dialog.macroData, before);
        EXPECT_EQ(dialog.appliedChanges(), 0);
    });
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("Broken"), Zrk_String::npos);
    EXPECT_EQ(user.messageBoxes()[0].request.icon(), ui::MB_ICONERROR);
}

TEST_F(ProfilePage, TheTemplatesGroupButtonsEditTheWholeGroupWhicheverProfileTheBlockShows) {
    user.onDialog(A::kTemplate, [&](ui::DialogUser& u) {
        auto& advanced = static_cast<A&>(u.dialog());
        EXPECT_EQ(advanced.data.groupName, "Cleat");
        EXPECT_EQ(advanced.data.merged.memberName, core::variesText()); // CL1 and CL2: the group's
        u.click(A::kRot180);
        u.click(ui::IDOK);
    });
    user.onDialog(DlgSelectProf::kTemplate, [&](ui::DialogUser& u) {
        u.chooseText(DlgSelectProf::kTables, "IPE");
        u.chooseText(DlgSelectProf::kSections, "IPE 300");
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kProfiles, "12"));
        const MacroProfData& cleat = page.tab()->profGroups[0];
        ASSERT_EQ(cleat.groupName, "Cleat");
        const int advancedButton = cleat.advancedCtrl, sectionButton = cleat.buttonCtrl;
        ASSERT_GT(advancedButton, 0);
        ASSERT_GT(sectionButton, 0);
        p.click(advancedButton);
        p.click(sectionButton);
        EXPECT_EQ(dialog.appliedChanges(), 2);
        EXPECT_EQ(page.shownProfile(), 12); // the block still shows the profile chosen
        EXPECT_EQ(shownText(page, F::kRotation), "180\xB0");
    });
    for (int number : {11, 12}) {
        EXPECT_EQ(placement(number).rotation, "180");
        EXPECT_EQ(placement(number).sectionName, "IPE-300");
    }
}

TEST_F(ProfilePage, ABasePlaneIsPickedOnlyWhenThePersonPicksOne) {
    user.cancelPick();         // a plane: cancelled
    user.answerPick("Column"); // a coordinate system
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        ASSERT_TRUE(p.chooseText(F::kGroups, "Rib"));
        ASSERT_TRUE(p.choose(F::kPlane, F::kPlanePicked));
        EXPECT_EQ(dialog.appliedChanges(), 0);
        EXPECT_TRUE(dialog.isVisible()); // back after the pick
        ASSERT_TRUE(p.choose(F::kPlane, F::kPlaneCoordSystem));
        EXPECT_EQ(dialog.appliedChanges(), 1);
        // A plane of a coordinate system is a plane the list shows as picked.
        EXPECT_EQ(page.comboCurSel(F::kPlane), F::kPlanePicked);
    });
    EXPECT_EQ(placement(13).basePlane, "xp");
    EXPECT_EQ(placement(13).coordSystem, "Column");
}

TEST_F(ProfilePage, TheSegmentedProfilesAreWrittenOnOkOnly) {
    user.onDialog(DlgProfSegmented::kTemplate, [&](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
    user.onDialog(DlgProfSegmented::kTemplate, [&](ui::DialogUser& u) {
        u.typeText(DlgProfSegmented::kGap, "8");
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, F& page, ui::DialogUser&) {
        ui::DialogUser p(page);
        p.click(F::kSegmented);
        EXPECT_EQ(dialog.appliedChanges(), 0);
        p.click(F::kSegmented);
        EXPECT_EQ(dialog.appliedChanges(), 1);
    });
    EXPECT_EQ(moduleOf(kMacroA, "Cleats").segments[0].gap, 8);
}
