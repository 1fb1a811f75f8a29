// The cladding settings and bracing dialogs, played by the scripted user through their entry
// functions: the holds offered for each purlin type, the spacing field's enabling, the section chosen
// from the library, what OK reads back and what Cancel leaves.

#include <gtest/gtest.h>

#include "core/cladding_data.h"
#include "core/settings.h"
#include "dialogs/dlg_cladding.h"
#include "host/module_entry.h"
#include "ui/codes.h"
#include "ui/dlg_select_prof.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

using C = DlgCladdingSettings;
using B = DlgBracing;
using T = KvCladConstrainType;

class CladdingDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override { savedLibDir = gSettings.libDir; }
    void TearDown() override { gSettings.libDir = savedLibDir; }

    static KvCladdingDlgData roof() {
        KvCladdingDlgData data;
        data.purlinType = KvPurlinType::Roof;
        data.sections = {"HAT-60x40x1.5", "HAT-80x50x2"};
        data.section = "HAT-80x50x2";
        data.purlinKind = 1;
        data.placement = 3;
        data.spacing = "1500";
        data.firstConstraint = T::AtEdge;
        data.lastConstraint = T::AtRidge;
        return data;
    }
    static Zrk_StringArray listed(const ui::Dialog& dialog, int id) {
        Zrk_StringArray items;
        for (int i = 0; i < dialog.comboCount(id); ++i)
            items.append(dialog.comboText(id, i));
        return items;
    }
    // The cladding dialog through its entry with the script; answers the entry's result.
    bool runCladding(KvCladdingDlgData& data, const std::function<void(C&, ui::DialogUser&)>& script) {
        user.onDialog(C::kTemplate, [&](ui::DialogUser& u) { script(static_cast<C&>(u.dialog()), u); });
        return StartDlgCladdingSettings(data);
    }
    bool runBracing(KvBracingDlgData& data, const std::function<void(B&, ui::DialogUser&)>& script) {
        user.onDialog(B::kTemplate, [&](ui::DialogUser& u) { script(static_cast<B&>(u.dialog()), u); });
        return StartDlgBracing(data);
    }

    inline static int instance = 0;
    Zrk_String savedLibDir;
    ui::ScriptedUser user;
};

} // namespace

TEST(CladConstrainTypes, EachPurlinTypeHasItsOwnHoldsAndFreeOnlyWhenAskedFor) {
    const auto valid = [](KvPurlinType purlin, bool includeFree) {
        std::vector<T> types;
        for (int k = 0; k < core::kCladConstrainTypeCount; ++k)
            if (isValidConstrainType(purlin, T(k), includeFree)) types.push_back(T(k));
        return types;
    };
    EXPECT_EQ(valid(KvPurlinType::Roof, true),
              (std::vector{T::Free, T::AtEdge, T::FromEdge, T::AtRidge, T::AtOpening}));
    EXPECT_EQ(valid(KvPurlinType::Wall, true), (std::vector{T::Free, T::AtEdge, T::FromEdge, T::AtOpening}));
    EXPECT_EQ(valid(KvPurlinType::Canopy, false), (std::vector{T::AtEdge, T::FromEdge}));
    // Values outside the enumerations (a record from a newer caller) are never valid holds.
    EXPECT_FALSE(isValidConstrainType(KvPurlinType(7), T::AtEdge, true));
    EXPECT_FALSE(isValidConstrainType(KvPurlinType::Roof, T(5), true));
}

TEST_F(CladdingDialogs, AWallOffersOnlyItsHoldsInTypeOrderAndAHoldItCannotHaveComesBackFree) {
    KvCladdingDlgData data = roof();
    data.purlinType = KvPurlinType::Wall;
    data.firstConstraint = T::AtOpening;
    data.lastConstraint = T::AtRidge; // no ridge on a wall
    ASSERT_TRUE(runCladding(data, [](C& dialog, ui::DialogUser& u) {
        const Zrk_StringArray holds{"Free", "At the edge", "At a distance from the edge", "At an opening"};
        EXPECT_EQ(listed(dialog, C::kFirstConstraint), holds);
        EXPECT_EQ(listed(dialog, C::kLastConstraint), holds);
        EXPECT_EQ(dialog.comboCurSel(C::kFirstConstraint), 3);
        EXPECT_EQ(dialog.comboCurSel(C::kLastConstraint), -1);
        EXPECT_EQ(dialog.itemText(1010), "First purlin:");
        EXPECT_EQ(dialog.title(), "Cladding settings");
        u.choose(C::kFirstConstraint, 2);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data.firstConstraint, T::FromEdge);
    EXPECT_EQ(data.lastConstraint, T::Free);
}

TEST_F(CladdingDialogs, OnlyTheLastTwoPlacementsTakeTheSpacingWhoseTextIsKeptAnyway) {
    KvCladdingDlgData data = roof();
    ASSERT_TRUE(runCladding(data, [](C& dialog, ui::DialogUser& u) {
        EXPECT_EQ(listed(dialog, C::kPurlinKind),
                  (Zrk_StringArray{"Single span", "Lapped over the supports", "Sleeved at the supports"}));
        EXPECT_EQ(dialog.comboCount(C::kPlacement), 5);
        EXPECT_EQ(dialog.itemText(C::kSection), "HAT-80x50x2");
        EXPECT_TRUE(dialog.isItemEnabled(C::kSpacing));
        u.typeText(C::kSpacing, "1200");
        u.choose(C::kPlacement, 4);
        EXPECT_TRUE(dialog.isItemEnabled(C::kSpacing));
        u.choose(C::kPlacement, 0);
        EXPECT_FALSE(dialog.isItemEnabled(C::kSpacing));
        u.choose(C::kPlacement, 1);
        EXPECT_FALSE(dialog.isItemEnabled(C::kSpacing));
        u.choose(C::kPurlinKind, 2);
        u.click(C::kSagRods);
        u.typeText(C::kSection, "HAT-100x60x2");
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data.placement, 1);
    EXPECT_EQ(data.spacing, "1200");
    EXPECT_EQ(data.purlinKind, 2);
    EXPECT_TRUE(data.sagRods);
    EXPECT_EQ(data.section, "HAT-100x60x2"); // a name the list did not offer
    EXPECT_EQ(data.firstConstraint, T::AtEdge);
    EXPECT_EQ(data.lastConstraint, T::AtRidge);

    // A placement that starts disabled, and indexes outside their lists: nothing chosen, kept on OK.
    data.placement = 9;
    data.purlinKind = -1;
    const KvCladdingDlgData before = data;
    ASSERT_TRUE(runCladding(data, [](C& dialog, ui::DialogUser& u) {
        EXPECT_FALSE(dialog.isItemEnabled(C::kSpacing));
        EXPECT_EQ(dialog.comboCurSel(C::kPlacement), -1);
        EXPECT_EQ(dialog.comboCurSel(C::kPurlinKind), -1);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data, before);
}

TEST_F(CladdingDialogs, TheLibraryButtonKeepsWhatWasChosenAndTakesTheSectionBelowTheLibraryFolder) {
    gSettings.libDir = SS_SAMPLE_LIBRARY "/";
    KvCladdingDlgData data = roof();
    data.section = "HEA-100";
    ASSERT_TRUE(runCladding(data, [this](C& dialog, ui::DialogUser& u) {
        u.choose(C::kPurlinKind, 0);
        u.typeText(C::kSpacing, "900");
        user.onDialog(DlgSelectProf::kTemplate, [](ui::DialogUser& chooser) {
            // It starts at the form's section.
            EXPECT_EQ(chooser.dialog().listText(DlgSelectProf::kSections,
                                                chooser.dialog().listCurSel(DlgSelectProf::kSections)),
                      "HEA 100");
            chooser.chooseText(DlgSelectProf::kTables, "IPE");
            chooser.chooseText(DlgSelectProf::kSections, "IPE 120");
            chooser.click(ui::IDOK);
        });
        u.click(C::kChooseSection);
        EXPECT_EQ(dialog.itemText(C::kSection), "IPE-120");
        EXPECT_EQ(dialog.comboCurSel(C::kPurlinKind), 0); // the form was stored before, shown again after
        EXPECT_EQ(dialog.itemText(C::kSpacing), "900");
        // Cancelled in the chooser: the section stays.
        user.onDialog(DlgSelectProf::kTemplate, [](ui::DialogUser& chooser) { chooser.click(ui::IDCANCEL); });
        u.click(C::kChooseSection);
        EXPECT_EQ(dialog.itemText(C::kSection), "IPE-120");
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data.section, "IPE-120");
    EXPECT_EQ(data.purlinKind, 0);
    EXPECT_EQ(data.spacing, "900");
}

TEST_F(CladdingDialogs, CancelLeavesTheCallersRecordsAsTheyWere) {
    const KvCladdingDlgData cladding = roof();
    KvCladdingDlgData edited = cladding;
    EXPECT_FALSE(runCladding(edited, [](C&, ui::DialogUser& u) {
        u.choose(C::kPlacement, 0);
        u.typeText(C::kSection, "IPE-100");
        u.click(C::kSagRods);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(edited, cladding);

    KvBracingDlgData bracing;
    bracing.sections = {"L-50x50x5"};
    KvBracingDlgData bracingEdited = bracing;
    EXPECT_FALSE(runBracing(bracingEdited, [](B&, ui::DialogUser& u) {
        u.choose(B::kRoofKind, 3);
        u.typeText(B::kRoofSection, "L-50x50x5");
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(bracingEdited, bracing);
}

TEST_F(CladdingDialogs, ABracingsSectionIsAskedForOnlyByTheKindMadeOfASection) {
    KvBracingDlgData data;
    data.sections = {"L-50x50x5", "L-60x60x6"};
    data.roofKind = 2;
    data.wallKind = core::kBracingKindSection;
    data.wallSection = "L-60x60x6";
    data.roofSection = "L-50x50x5";
    ASSERT_TRUE(runBracing(data, [](B& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), "Bracing");
        EXPECT_EQ(dialog.itemText(1003), "Section:");
        EXPECT_EQ(listed(dialog, B::kRoofKind),
                  (Zrk_StringArray{"None", "Rods, one diagonal", "Rods, crossed", "Sections, crossed",
                                   "Flats, crossed", "Cables, crossed"}));
        EXPECT_EQ(listed(dialog, B::kWallSection), (Zrk_StringArray{"L-50x50x5", "L-60x60x6"}));
        EXPECT_FALSE(dialog.isItemEnabled(B::kRoofSection));
        EXPECT_TRUE(dialog.isItemEnabled(B::kWallSection));
        EXPECT_EQ(dialog.itemText(B::kWallSection), "L-60x60x6");
        EXPECT_EQ(dialog.checkState(B::kGussetPlates), 1);
        u.choose(B::kRoofKind, core::kBracingKindSection);
        EXPECT_TRUE(dialog.isItemEnabled(B::kRoofSection));
        u.typeText(B::kRoofSection, "L-70x70x7");
        u.choose(B::kWallKind, 0);
        EXPECT_FALSE(dialog.isItemEnabled(B::kWallSection));
        u.click(B::kGussetPlates);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data.roofKind, core::kBracingKindSection);
    EXPECT_EQ(data.roofSection, "L-70x70x7");
    EXPECT_EQ(data.wallKind, 0);
    EXPECT_EQ(data.wallSection, "L-60x60x6"); // kept while its field is disabled
    EXPECT_FALSE(data.gussetPlates);
}
