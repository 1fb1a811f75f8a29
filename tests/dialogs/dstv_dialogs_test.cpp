// The DSTV point groups dialog and the points dialog, played by the scripted user on a points folder
// of the test's own: groups made, refused, deleted and put in use; points added, deleted, stored as
// the person moves between them; the enabling and the two side selections.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../text_input_answer.h"
#include "../library_folder.h"

#include "core/dstv_points.h"
#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"
#include "dialogs/dlg_dstv_groups.h"
#include "dialogs/dlg_dstv_points.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace fs = std::filesystem;

namespace {

using G = DlgDstvGroups;
using P = DlgEditDstvPoints;

Zrk_DstvPointInfo point(const Zrk_String& name, double minDist = 50.0) {
    Zrk_DstvPointInfo p(name);
    p.setPlateSelection(0, 0, minDist);
    return p;
}

class DstvDialogs : public LibraryFolderTest {
protected:
    DstvDialogs() : LibraryFolderTest("ss_dstv_dialogs_") {}
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        LibraryFolderTest::SetUp();
        folder = DlgDstvPoints::getDstvPointsFolder();
    }

    // The group with these points written as its file.
    static void makeGroup(const Zrk_String& name, std::initializer_list<Zrk_DstvPointInfo> points) {
        ASSERT_TRUE(DlgDstvPoints::createGroup(name));
        DlgDstvPoints group;
        for (const Zrk_DstvPointInfo& p : points)
            group.points.append(p);
        ASSERT_TRUE(group.writeToFile(name));
    }
    // The groups dialog with the script; answers the groups afterwards.
    Zrk_StringArray runGroups(const std::function<void(G&, ui::DialogUser&)>& script) {
        user.onDialog(G::kTemplate, [&](ui::DialogUser& u) { script(static_cast<G&>(u.dialog()), u); });
        StartDSTVPointsDlg();
        Zrk_StringArray groups;
        DlgDstvPoints::getAllDstvPointsFiles(groups);
        return groups;
    }
    // The points dialog on points with the script; answers how it ended, the dialog's points in result.
    int runPoints(DlgDstvPoints& points, const std::function<void(P&, ui::DialogUser&)>& script) {
        P dialog;
        dialog.data = points;
        user.onDialog(P::kTemplate, [&](ui::DialogUser& u) { script(dialog, u); });
        const int result = dialog.doModal();
        points = dialog.data;
        return result;
    }
    static Zrk_StringArray namesOf(const DlgDstvPoints& points) {
        Zrk_StringArray names;
        for (const Zrk_DstvPointInfo& p : points.points)
            names.append(p.name());
        return names;
    }
    static Zrk_StringArray listed(const ui::Dialog& dialog, int id) {
        Zrk_StringArray items;
        for (int i = 0; i < dialog.comboCount(id); ++i)
            items.append(dialog.comboText(id, i));
        return items;
    }

    inline static int instance = 0;
    Zrk_String folder;
    ui::ScriptedUser user;
};

} // namespace

// --- the groups ----------------------------------------------------------------------------------------

TEST_F(DstvDialogs, GroupsAreListedWithTheOneInUseCheckedAndPutInUseOrDeleted) {
    makeGroup("Anchors", {});
    makeGroup("Bolts", {});
    makeGroup("Welds", {});
    ASSERT_TRUE(DlgDstvPoints::setStandardDstvPointsFile("Bolts"));
    const Zrk_StringArray left = runGroups([&](G& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(863));
        EXPECT_EQ(listed(dialog, G::kGroupCombo), (Zrk_StringArray{"Anchors", "Bolts", "Welds"}));
        EXPECT_EQ(dialog.chosenGroup(), "Bolts"); // the group in use first
        EXPECT_EQ(dialog.comboItemCheck(G::kGroupCombo, 0), 0);
        EXPECT_EQ(dialog.comboItemCheck(G::kGroupCombo, 1), 1);
        // Put in use: only the chosen group is checked.
        u.choose(G::kGroupCombo, 2);
        u.click(G::kUseGroup);
        EXPECT_EQ(DlgDstvPoints::getStandardDstvPointsFile(), "Welds");
        EXPECT_EQ(dialog.comboItemCheck(G::kGroupCombo, 1), 0);
        EXPECT_EQ(dialog.comboItemCheck(G::kGroupCombo, 2), 1);
        // "-" deletes at once; with the last one gone, the one now last is chosen.
        u.click(G::kRemoveGroup);
        EXPECT_TRUE(user.messageBoxes().empty());
        EXPECT_EQ(listed(dialog, G::kGroupCombo), (Zrk_StringArray{"Anchors", "Bolts"}));
        EXPECT_EQ(dialog.chosenGroup(), "Bolts");
        u.click(G::kRemoveGroup);
        u.click(G::kRemoveGroup);
        // No group left: nothing to delete, use or edit.
        EXPECT_EQ(dialog.comboCount(G::kGroupCombo), 0);
        EXPECT_FALSE(dialog.isItemEnabled(G::kRemoveGroup));
        EXPECT_FALSE(dialog.isItemEnabled(G::kUseGroup));
        EXPECT_FALSE(dialog.isItemEnabled(G::kEditGroup));
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(left.isEmpty());
    // The group in use went with its file.
    EXPECT_EQ(DlgDstvPoints::getStandardDstvPointsFile(), "");
}

TEST_F(DstvDialogs, ANewGroupNeedsANameThatIsNoGroupsAndCanBeAFileName) {
    makeGroup("Welds", {});
    ASSERT_TRUE(DlgDstvPoints::setStandardDstvPointsFile("Welds"));
    const Zrk_StringArray groups = runGroups([&](G& dialog, ui::DialogUser& u) {
        // A name among the groups (letter case aside): the message, nothing made.
        answerTextInput(user, "WELDS");
        u.click(G::kAddGroup);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(856));
        EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(857) + ".\n" + dialString(858) + ".");
        // Names that cannot be file names: refused with the reason before a file is touched.
        for (const char* name : {"../Welds2", "a/b", "a\\b", "..", "x:y", " "}) {
            answerTextInput(user, name);
            u.click(G::kAddGroup);
            EXPECT_EQ(user.messageBoxes().back().request.caption, dialString(856)) << name;
            EXPECT_NE(user.messageBoxes().back().request.text.find("name"), Zrk_String::npos) << name;
        }
        EXPECT_EQ(user.messageBoxes().size(), 7u);
        // Cancelled: nothing.
        answerTextInput(user, "");
        u.click(G::kAddGroup);
        EXPECT_EQ(dialog.comboCount(G::kGroupCombo), 1);
        // A good name: an empty group; the chosen group stays chosen.
        answerTextInput(user, "Anchors");
        u.click(G::kAddGroup);
        EXPECT_EQ(listed(dialog, G::kGroupCombo), (Zrk_StringArray{"Anchors", "Welds"}));
        EXPECT_EQ(dialog.chosenGroup(), "Welds");
        EXPECT_EQ(user.messageBoxes().size(), 7u);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(groups, (Zrk_StringArray{"Anchors", "Welds"}));
    DlgDstvPoints anchors;
    ASSERT_TRUE(anchors.readFromFile("Anchors"));
    EXPECT_TRUE(anchors.points.isEmpty());
    // Nothing was made outside the points folder, nor in it but the two groups and the group in use.
    EXPECT_EQ(std::distance(fs::directory_iterator(library), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(core::osPath(folder)), fs::directory_iterator()), 3);
}

TEST_F(DstvDialogs, EditingAGroupWritesItsPointsBackOnOKOnly) {
    makeGroup("Welds", {point("A"), point("B")});
    std::string before;
    ASSERT_TRUE(readFileBytes(folder + "Welds.dat", before));
    // Cancel: the file as it was.
    runGroups([&](G&, ui::DialogUser& u) {
        user.onDialog(P::kTemplate, [](ui::DialogUser& points) {
            points.typeText(P::kName, "Changed");
            points.click(ui::IDCANCEL);
        });
        u.click(G::kEditGroup);
        u.click(ui::IDOK);
    });
    std::string after;
    ASSERT_TRUE(readFileBytes(folder + "Welds.dat", after));
    EXPECT_EQ(after, before);
    // OK: the shown point stored, and the group written.
    runGroups([&](G&, ui::DialogUser& u) {
        user.onDialog(P::kTemplate, [](ui::DialogUser& points) {
            points.typeText(P::kName, "Changed");
            points.click(ui::IDOK);
        });
        u.click(G::kEditGroup);
        u.click(ui::IDOK);
    });
    DlgDstvPoints read;
    ASSERT_TRUE(read.readFromFile("Welds"));
    EXPECT_EQ(namesOf(read), (Zrk_StringArray{"Changed", "B"}));

    // A group whose file cannot be read is not opened (saving it would write over what it holds).
    ASSERT_TRUE(writeFileAtomically(folder + "Welds.dat", "not a group\n"));
    runGroups([&](G&, ui::DialogUser& u) {
        u.click(G::kEditGroup);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_NE(user.messageBoxes()[0].request.text.find(folder + "Welds.dat"), Zrk_String::npos);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(user.dialogsRun(),
              (std::vector<int>{G::kTemplate, P::kTemplate, G::kTemplate, P::kTemplate, G::kTemplate}));
    ASSERT_TRUE(readFileBytes(folder + "Welds.dat", after));
    EXPECT_EQ(after, "not a group\n");
}

// --- the points ---------------------------------------------------------------------------------------

TEST_F(DstvDialogs, ANewPointGoesBeforeTheShownOneWithTheDefaultsAndIsShown) {
    DlgDstvPoints points;
    points.points.append(point("A"));
    points.points.append(point("B", 12.25));
    EXPECT_EQ(runPoints(points,
                        [&](P& dialog, ui::DialogUser& u) {
                            EXPECT_EQ(dialog.shownPoint(), 0);
                            u.choose(P::kPointCombo, 1);
                            EXPECT_EQ(dialog.itemText(P::kMinDist), "12.250");
                            answerTextInput(user, "New");
                            u.click(P::kAddPoint);
                            EXPECT_EQ(listed(dialog, P::kPointCombo), (Zrk_StringArray{"A", "New", "B"}));
                            EXPECT_EQ(dialog.shownPoint(), 1);
                            EXPECT_EQ(dialog.comboCurSel(P::kPointCombo), 1);
                            EXPECT_EQ(dialog.itemText(P::kName), "New");
                            EXPECT_EQ(dialog.itemText(P::kMinDist), "50.000");
                            EXPECT_EQ(dialog.itemText(P::kRadius), "16.000");
                            EXPECT_EQ(dialog.comboCurSel(P::kSide1), 0);
                            EXPECT_EQ(dialog.comboCurSel(P::kSide2), 2);
                            EXPECT_EQ(dialog.checkState(P::kGeomExtent), 1);
                            EXPECT_EQ(dialog.checkState(P::kMiddle), 1);
                            // Cancelled: nothing added.
                            answerTextInput(user, "");
                            u.click(P::kAddPoint);
                            EXPECT_EQ(dialog.comboCount(P::kPointCombo), 3);
                            u.click(ui::IDOK);
                        }),
              ui::IDOK);
    EXPECT_EQ(namesOf(points), (Zrk_StringArray{"A", "New", "B"}));
    EXPECT_EQ(points.points[1], Zrk_DstvPointInfo("New"));

    // No point yet: the new one goes first, and the fields come to life.
    DlgDstvPoints empty;
    runPoints(empty, [&](P& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.shownPoint(), -1);
        EXPECT_FALSE(dialog.isItemEnabled(P::kName));
        EXPECT_FALSE(dialog.isItemEnabled(P::kRemovePoint));
        answerTextInput(user, "First");
        u.click(P::kAddPoint);
        EXPECT_EQ(dialog.shownPoint(), 0);
        EXPECT_TRUE(dialog.isItemEnabled(P::kName));
        u.click(ui::IDOK);
    });
    EXPECT_EQ(namesOf(empty), (Zrk_StringArray{"First"}));
}

TEST_F(DstvDialogs, DeletingAPointShowsTheOneNowAtItsPlaceAndTheLastShowsTheNewLast) {
    DlgDstvPoints points;
    for (const char* name : {"A", "B", "C"})
        points.points.append(point(name));
    runPoints(points, [&](P& dialog, ui::DialogUser& u) {
        u.choose(P::kPointCombo, 1);
        u.click(P::kRemovePoint);
        EXPECT_EQ(dialog.shownPoint(), 1);
        EXPECT_EQ(dialog.itemText(P::kName), "C");
        // The last one: the one now last is shown, not one past the end.
        u.click(P::kRemovePoint);
        EXPECT_EQ(dialog.shownPoint(), 0);
        EXPECT_EQ(dialog.comboCurSel(P::kPointCombo), 0);
        EXPECT_EQ(dialog.itemText(P::kName), "A");
        u.click(P::kRemovePoint);
        EXPECT_EQ(dialog.shownPoint(), -1);
        EXPECT_EQ(dialog.itemText(P::kName), "");
        EXPECT_FALSE(dialog.isItemEnabled(P::kRemovePoint));
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(points.points.isEmpty());
}

TEST_F(DstvDialogs, ChoosingAnotherPointStoresTheShownOneUnlessAFieldCannotBeStored) {
    DlgDstvPoints points;
    points.points.append(point("A"));
    points.points.append(point("B"));
    runPoints(points, [&](P& dialog, ui::DialogUser& u) {
        u.typeText(P::kName, "Gusset");
        u.click(P::kIntersGeom);
        u.click(P::kMiddle);
        u.choose(P::kStartDir, 3);
        u.choose(P::kViewPlate, 3);
        u.choose(P::kMarkPlate, 4);
        u.typeText(P::kMinDist, "12.5");
        u.click(P::kFullHole);
        u.click(P::kThicknessBased);
        u.typeText(P::kRadius, "0.75");
        u.choose(P::kPointCombo, 1);
        EXPECT_EQ(dialog.comboText(P::kPointCombo, 0), "Gusset");
        EXPECT_EQ(dialog.itemText(P::kName), "B");
        // A distance that is no number keeps the point shown, with a message, and changes nothing.
        u.typeText(P::kMinDist, "far");
        user.answerMessageBox(ui::IDOK);
        u.choose(P::kPointCombo, 0);
        EXPECT_EQ(dialog.shownPoint(), 1);
        EXPECT_EQ(dialog.comboCurSel(P::kPointCombo), 1);
        EXPECT_EQ(user.messageBoxes().back().request.text, dialString(30102) + "\nfar");
        // An empty name neither.
        u.typeText(P::kMinDist, "5");
        u.typeText(P::kName, "");
        user.answerMessageBox(ui::IDOK);
        u.click(ui::IDOK);
        EXPECT_FALSE(dialog.hasEnded());
        EXPECT_EQ(user.messageBoxes().back().request.text, dialString(30101));
        u.click(ui::IDCANCEL);
    });
    Zrk_DstvPointInfo gusset("Gusset");
    gusset.setSelectGeomExtent(false, dstvSideTop, dstvSideLeft);
    gusset.setSelectIntersGeom(true, false, dstvSideRight);
    gusset.setPlateSelection(3, 4, 12.5);
    gusset.setDrillFullHole(true, true, 0.75);
    EXPECT_EQ(points.points[0], gusset);
    EXPECT_EQ(points.points[1], point("B"));
}

TEST_F(DstvDialogs, TheTwoSideSelectionsAlwaysLieInDifferentClasses) {
    DlgDstvPoints points;
    points.points.append(point("A")); // top and left
    runPoints(points, [&](P& dialog, ui::DialogUser& u) {
        EXPECT_EQ(listed(dialog, P::kSide1),
                  (Zrk_StringArray{secondaryString(10046), secondaryString(10047), secondaryString(10048),
                                   secondaryString(10049)}));
        // The first to the class of the second (left/right): the second moves to entry 0.
        u.choose(P::kSide1, 3);
        EXPECT_EQ(dialog.comboCurSel(P::kSide2), 0);
        // The second to the class of the first: the first moves to entry 2 ... or 0.
        u.choose(P::kSide2, 2);
        EXPECT_EQ(dialog.comboCurSel(P::kSide1), 0);
        u.choose(P::kSide2, 1);
        EXPECT_EQ(dialog.comboCurSel(P::kSide1), 2);
        // Another class: nothing moves.
        u.choose(P::kSide1, 3);
        EXPECT_EQ(dialog.comboCurSel(P::kSide2), 1);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(points.points[0].sideSelection1(), dstvSideRight);
    EXPECT_EQ(points.points[0].sideSelection2(), dstvSideBottom);
}

TEST_F(DstvDialogs, TheOptionsEnableTheirFieldsAndTheRadiusLabelFollowsTheThicknessBox) {
    DlgDstvPoints points;
    points.points.append(point("A"));
    runPoints(points, [&](P& dialog, ui::DialogUser& u) {
        const auto enabled = [&](int id) { return dialog.isItemEnabled(id); };
        EXPECT_TRUE(enabled(P::kSide1) && enabled(P::kSide2));
        EXPECT_FALSE(enabled(P::kStartDir) || enabled(P::kMiddle));
        EXPECT_FALSE(enabled(P::kRadius) || enabled(P::kRadiusLabel) || enabled(P::kThicknessBased));
        EXPECT_EQ(
            listed(dialog, P::kViewPlate),
            (Zrk_StringArray{dialString(854), secondaryString(10157) + " 1", secondaryString(10157) + " 2",
                             secondaryString(10157) + " 3 (" + dialString(1496) + ")",
                             secondaryString(10157) + " 4"}));
        u.click(P::kFullHole);
        EXPECT_TRUE(enabled(P::kRadius) && enabled(P::kRadiusLabel));
        EXPECT_FALSE(enabled(P::kThicknessBased)); // needs the intersection too
        EXPECT_EQ(dialog.itemText(P::kRadiusLabel), dialString(860));
        u.click(P::kIntersGeom);
        EXPECT_FALSE(enabled(P::kSide1) || enabled(P::kSide2));
        EXPECT_TRUE(enabled(P::kStartDir) && enabled(P::kMiddle) && enabled(P::kThicknessBased));
        u.click(P::kThicknessBased);
        EXPECT_EQ(dialog.itemText(P::kRadiusLabel), dialString(859));
        u.click(P::kThicknessBased);
        EXPECT_EQ(dialog.itemText(P::kRadiusLabel), dialString(860));
        u.click(P::kGeomExtent);
        EXPECT_FALSE(enabled(P::kThicknessBased));
        u.click(P::kFullHole);
        EXPECT_FALSE(enabled(P::kRadius));
        u.click(ui::IDCANCEL);
    });
}
