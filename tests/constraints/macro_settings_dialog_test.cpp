// The macro settings dialog, played by the scripted user on the first end-plate connection of the
// sample drawing of the macro dialogs, through its entry: the filter groups (entries switched,
// switched on and off, a group without entries), the section-angle pairs, the lists page's copies,
// the variables and groups pages, what OK writes into the drawing and what Cancel leaves.

#include <gtest/gtest.h>

#include "constraints/dlg_macro_settings.h"
#include "core/drawing.h"
#include "host/module_entry.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

using D = DlgMacroSettings;
using A = MacroAngleFiltersPage;
using S = MacroSizeFiltersPage;
using L = MacroListsPage;
using V = MacroVariablesPage;
using G = MacroGroupsPage;

class MacroSettingsDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override {
        Zrk_String message;
        ASSERT_TRUE(
            drawing.readFromFile(Zrk_String(SS_SAMPLE_LIBRARY) + "/Drawings/macro-dialogs.json", &message))
            << message;
        macro = drawing.findMacroByName("EndPlateA");
        ASSERT_NE(macro, nullptr);
        before = settings();
        previous = core::setWorkingDrawing(&drawing);
    }
    void TearDown() override { core::setWorkingDrawing(previous); }

    const MacroSettingsData& settings() const { return macro->macro()->settings; }

    // The dialog through its entry, opened on a page; the script gets the dialog and a hand on the
    // page shown.
    bool run(int firstPage,
             const std::function<void(D&, ui::DialogUser& dialog, ui::DialogUser& page)>& script) {
        user.onDialog(D::kTemplate, [&](ui::DialogUser& u) {
            D& dialog = static_cast<D&>(u.dialog());
            EXPECT_EQ(dialog.currentPage(), firstPage);
            ui::DialogUser page(pageOf(dialog, firstPage));
            script(dialog, u, page);
        });
        return StartDlgMacroSettings(macro->objectId(), firstPage);
    }
    static ui::Dialog& pageOf(D& dialog, int index) {
        ui::Dialog* pages[] = {&dialog.anglePage,     &dialog.sizePage,   &dialog.listsPage,
                               &dialog.variablesPage, &dialog.groupsPage, &dialog.mappingPage};
        return *pages[index];
    }
    static Zrk_Array<Zrk_StringArray> rows(SettingsTable& table) { return table.rows(); }

    inline static int instance = 0;
    core::Drawing drawing;
    core::Drawing* previous = nullptr;
    Zrk_DbMacro* macro = nullptr;
    MacroSettingsData before;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(MacroSettingsDialog, SwitchingBetweenEntriesKeepsEachEntrysValuesAndFlags) {
    ASSERT_TRUE(run(D::kAnglePage, [](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        A& p = dialog.anglePage;
        // Square is on: its values shown with two decimals and enabled; its item checked.
        EXPECT_EQ(p.itemText(A::kAxisValue0), "85.00");
        EXPECT_EQ(p.itemText(A::kAxisValue1), "95.00");
        EXPECT_TRUE(p.isItemEnabled(A::kAxisValue0));
        EXPECT_EQ(p.comboItemCheck(A::kAxisEntries, 0), 1);
        EXPECT_EQ(p.comboItemCheck(A::kAxisEntries, 1), 0);
        page.typeText(A::kAxisValue1, "92.5");
        page.click(A::kAxisOption1);
        // Skew is off: its values are shown but cannot be edited until it is switched on.
        page.choose(A::kAxisEntries, 1);
        EXPECT_EQ(p.itemText(A::kAxisValue0), "30.00");
        EXPECT_FALSE(p.isItemEnabled(A::kAxisValue0));
        EXPECT_EQ(p.checkState(A::kAxisOption1), 1); // Skew's own option
        page.click(A::kAxisOn);
        EXPECT_EQ(p.comboItemCheck(A::kAxisEntries, 1), 1);
        EXPECT_TRUE(p.isItemEnabled(A::kAxisValue0));
        page.typeText(A::kAxisValue0, "no number");
        page.choose(A::kAxisEntries, 0);
        EXPECT_EQ(p.itemText(A::kAxisValue1), "92.50");
        EXPECT_EQ(p.checkState(A::kAxisOption1), 1);
        page.click(A::kActive); // the filters no longer active
        u.click(ui::IDOK);
    }));
    const MacroAngleFilters& filters = settings().angleFilters;
    EXPECT_FALSE(filters.enabled);
    ASSERT_EQ(filters.axisAngle.length(), 2);
    EXPECT_EQ(filters.axisAngle[0].values, (Zrk_Array<double>{85, 92.5}));
    EXPECT_EQ(filters.axisAngle[0].option, 1);
    EXPECT_TRUE(filters.axisAngle[1].on);
    EXPECT_EQ(filters.axisAngle[1].values, (Zrk_Array<double>{0, 85})); // text that is no number reads 0
    // The section-angle entry shown was stored too: its pair of zeros is no pair.
    EXPECT_EQ(filters.sectionAngle[0].values, (Zrk_Array<double>{90, 90}));
    EXPECT_EQ(filters.sectionAngle[1], before.angleFilters.sectionAngle[1]);
}

TEST_F(MacroSettingsDialog, SectionAngleRowsOfTwoZerosAreNoPairs) {
    ASSERT_TRUE(run(D::kAnglePage, [](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        A& p = dialog.anglePage;
        EXPECT_EQ(rows(p.sectionTable), (Zrk_Array<Zrk_StringArray>{{"0.00", "0.00"}, {"90.00", "90.00"}}));
        p.sectionTable.grid.setCellText(1, 1, "45");
        p.sectionTable.grid.setActiveCell(1, 2);
        page.click(A::kSectionInsert);
        EXPECT_EQ(p.sectionTable.grid.getNrRows(), 3);
        p.sectionTable.grid.setCellText(2, 3, "180");
        // Turned has no pairs: it shows one empty row, and all-zero rows store nothing.
        page.choose(A::kSectionEntries, 1);
        EXPECT_EQ(rows(p.sectionTable), (Zrk_Array<Zrk_StringArray>{{"", ""}}));
        EXPECT_FALSE(p.isItemEnabled(A::kSectionInsert)); // Turned is off
        page.click(A::kSectionOn);
        p.sectionTable.grid.setCellText(1, 1, "0");
        p.sectionTable.grid.setCellText(2, 1, "0.00");
        page.choose(A::kSectionEntries, 0);
        EXPECT_EQ(rows(p.sectionTable),
                  (Zrk_Array<Zrk_StringArray>{{"45.00", "0.00"}, {"90.00", "90.00"}, {"0.00", "180.00"}}));
        u.click(ui::IDOK);
    }));
    const Zrk_Array<MacroFilterEntry>& section = settings().angleFilters.sectionAngle;
    EXPECT_EQ(section[0].values, (Zrk_Array<double>{45, 0, 90, 90, 0, 180}));
    EXPECT_TRUE(section[1].on);
    EXPECT_TRUE(section[1].values.isEmpty());
}

TEST_F(MacroSettingsDialog, AGroupWithoutEntriesCannotBeSwitchedOnAndShowsNoValues) {
    macro->macroWrite()->settings.sizeFilters.pathDistance.removeAll();
    ASSERT_TRUE(run(D::kSizePage, [](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        S& p = dialog.sizePage;
        for (int id : {S::kPathGroup, S::kPathEntries, S::kPathOn, S::kPathValue0, S::kPathValue1})
            EXPECT_FALSE(p.isItemEnabled(id)) << id;
        EXPECT_EQ(p.itemText(S::kPathValue0), "");
        EXPECT_EQ(p.comboCurSel(S::kPathEntries), -1);
        // The size group next to it works: Large switched on, its four numbers edited.
        page.choose(S::kSizeEntries, 1);
        page.click(S::kSizeOn);
        page.typeText(S::kSizeValue0 + 6, "600");
        u.click(ui::IDOK);
    }));
    EXPECT_TRUE(settings().sizeFilters.pathDistance.isEmpty());
    EXPECT_TRUE(settings().sizeFilters.sectionSize[1].on);
    EXPECT_EQ(settings().sizeFilters.sectionSize[1].values, (Zrk_Array<double>{400, 1000, 200, 600}));
}

TEST_F(MacroSettingsDialog, TheListsPageWorksOnCopiesHandedBackOnlyOnOK) {
    auto edit = [](D& dialog, ui::DialogUser& page) {
        L& p = dialog.listsPage;
        EXPECT_EQ(rows(p.table), (Zrk_Array<Zrk_StringArray>{{"Plain"}, {"Galvanised"}, {"Painted"}}));
        EXPECT_EQ(p.itemText(L::kPicture), "Plate");
        p.table.grid.setCellText(1, 3, ""); // Painted emptied: an empty row is no text
        page.choose(L::kNames, 1);
        EXPECT_EQ(rows(p.table), (Zrk_Array<Zrk_StringArray>{{"S235"}, {"S355"}}));
        EXPECT_EQ(p.comboCurSel(L::kPicture), 0); // no picture
        p.table.grid.setActiveCell(1, 2);
        page.click(L::kInsert);
        p.table.grid.setCellText(1, 3, "S460");
        page.chooseText(L::kPicture, "Plate");
        page.choose(L::kNames, 0);
        EXPECT_EQ(rows(p.table), (Zrk_Array<Zrk_StringArray>{{"Plain"}, {"Galvanised"}}));
    };
    EXPECT_FALSE(run(D::kListsPage, [&](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        edit(dialog, page);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(settings(), before);
    ASSERT_TRUE(run(D::kListsPage, [&](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        edit(dialog, page);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(settings().listNames, before.listNames);
    EXPECT_EQ(settings().stringLists,
              (Zrk_Array<Zrk_StringArray>{{"Plain", "Galvanised"}, {"S235", "S355", "S460"}}));
    EXPECT_EQ(settings().listPictures, (Zrk_StringArray{"Plate", "Plate"}));
}

TEST_F(MacroSettingsDialog, VariablesAndGroupsPagesReadBackTheirControls) {
    ASSERT_TRUE(run(D::kVariablesPage, [](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        V& p = dialog.variablesPage;
        EXPECT_EQ(p.comboCurSel(V::kRounding), 1);
        EXPECT_EQ(p.itemText(V::kDecimals), "1");
        EXPECT_EQ(rows(p.table), (Zrk_Array<Zrk_StringArray>{{"PlateWidth", "200.00"}, {"Edge", "40.00"}}));
        page.choose(V::kUnits, 2);
        page.typeText(V::kDecimals, "7"); // more decimals than a value shows
        p.table.grid.setActiveCell(1, 2);
        page.click(V::kDelete);
        u.choose(D::kTabs, D::kGroupsPage);
        EXPECT_TRUE(dialog.groupsPage.isVisible());
        EXPECT_FALSE(p.isVisible());
        G& g = dialog.groupsPage;
        ui::DialogUser groups(g);
        EXPECT_EQ(g.itemText(G::kName), "EndPlates");
        EXPECT_EQ(rows(g.table),
                  (Zrk_Array<Zrk_StringArray>{{"Plate", "Plates", "1"}, {"Cleats", "Cleats", "2"}}));
        groups.typeText(G::kPrefix, "EPX");
        g.table.grid.setCellText(3, 2, "3");
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(settings().varUnits, 2);
    EXPECT_EQ(settings().varDecimals, 3);
    EXPECT_EQ(settings().defaultVarNames, (Zrk_StringArray{"PlateWidth"}));
    EXPECT_EQ(settings().defaultVarValues, (Zrk_Array<double>{200}));
    EXPECT_EQ(settings().memberPrefix, "EPX");
    EXPECT_EQ(settings().groupCounts, (Zrk_Array<int>{1, 3}));
    EXPECT_EQ(settings().tabMapping.ssNames, before.tabMapping.ssNames);
}

TEST_F(MacroSettingsDialog, CancelLeavesTheDrawingAsItWasAndOKUnchangedWritesTheSame) {
    EXPECT_FALSE(run(D::kAnglePage, [](D& dialog, ui::DialogUser& u, ui::DialogUser& page) {
        page.click(A::kActive);
        page.choose(A::kAxisEntries, 1);
        u.choose(D::kTabs, D::kVariablesPage);
        ui::DialogUser variables(dialog.variablesPage);
        variables.typeText(V::kDecimals, "0");
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(drawing.undoSteps(), 0);
    ASSERT_TRUE(run(D::kAnglePage, [](D& dialog, ui::DialogUser& u, ui::DialogUser&) {
        for (int i = 0; i < D::kPageCount; ++i)
            u.choose(D::kTabs, i);
        u.click(ui::IDOK);
    }));
    MacroSettingsData expected = before;
    expected.tabMapping.moduleNames = settings().tabMapping.moduleNames;
    expected.angleFilters.sectionAngle[0].values = {90, 90}; // its pair of zeros is no pair
    EXPECT_EQ(settings().angleFilters, expected.angleFilters);
    EXPECT_EQ(settings().sizeFilters, expected.sizeFilters);
    EXPECT_EQ(settings().stringLists, expected.stringLists);
    EXPECT_EQ(settings().listPictures, expected.listPictures);
    EXPECT_EQ(settings().tabMapping, expected.tabMapping);
    EXPECT_EQ(settings(), expected);
}

TEST_F(MacroSettingsDialog, PicturesOfEveryPage) {
    ASSERT_FALSE(run(D::kAnglePage, [](D& dialog, ui::DialogUser& u, ui::DialogUser&) {
        const char* names[] = {"angle", "size", "lists", "variables", "groups", "standards"};
        for (int i = 0; i < D::kPageCount; ++i) {
            u.choose(D::kTabs, i);
            EXPECT_TRUE(u.savePicture(Zrk_String(SS_PICTURE_DIR) + "/macro-settings-" + names[i] + ".png"));
        }
        u.click(ui::IDCANCEL);
    }));
}
