// Picks in the drawing answered in the desktop window: an object chosen from the list (the tree's
// entry offered first), coordinates typed, Escape, and the empty answer that ends a selection.

#include <QPlainTextEdit>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/settings.h"
#include "host/editor.h"
#include "sshost/gui/main_window.h"
#include "sshost/gui/pick_dialog.h"
#include "ui/scripted_user.h"

namespace fs = std::filesystem;
using sshost::gui::DlgPick;

namespace {

class WindowPicks : public ::testing::Test {
protected:
    void SetUp() override {
        Zrk_String message;
        ASSERT_TRUE(document().open(std::string(SS_SAMPLE_LIBRARY) + "/Drawings/connections.json", message)) << message;
        host::Editor::instance().clear();
    }
    void TearDown() override { document().close(); }
    static host::Document& document() { return host::Document::current(); }
};

} // namespace

TEST_F(WindowPicks, AnObjectIsChosenFromTheListTheTreesEntryFirst) {
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    window.treeView().setCurrentItem(window.tree().find({"Macros", "EndPlate1"}));
    user.onDialog(DlgPick::kTemplate, [](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().itemText(DlgPick::kPrompt), "Select the macro to evaluate");
        EXPECT_EQ(u.dialog().listCount(DlgPick::kObjects), 3);
        EXPECT_EQ(u.dialog().listText(DlgPick::kObjects, u.dialog().listCurSel(DlgPick::kObjects)),
                  "EndPlate1 (macro #102)");
        EXPECT_FALSE(u.dialog().isItemShown(DlgPick::kPoints));
        EXPECT_FALSE(u.dialog().isItemShown(DlgPick::kDone));
        u.click(ui::IDOK);
    });
    AcDbObjectId picked;
    ASSERT_EQ(host::Editor::instance().selectObject("Select the macro to evaluate", {core::ObjectKind::Macro}, picked),
              RTNORM);
    EXPECT_EQ(picked, AcDbObjectId(102));
    EXPECT_TRUE(window.commandLine().toPlainText().contains("Select the macro to evaluate: #102"));

    // Escape cancels.
    user.onDialog(DlgPick::kTemplate, [](ui::DialogUser& u) { u.pressKey(ui::VK_ESCAPE); });
    EXPECT_EQ(host::Editor::instance().selectObject("Select a macro", {core::ObjectKind::Macro}, picked), RTCAN);
    EXPECT_TRUE(window.commandLine().toPlainText().contains("Select a macro: cancelled"));

    // A selection of several ends with Done.
    user.onDialog(DlgPick::kTemplate, [](ui::DialogUser& u) {
        u.choose(DlgPick::kObjects, 0);
        u.click(ui::IDOK);
    });
    user.onDialog(DlgPick::kTemplate, [](ui::DialogUser& u) {
        u.choose(DlgPick::kObjects, 2);
        u.click(ui::IDOK);
    });
    user.onDialog(DlgPick::kTemplate, [](ui::DialogUser& u) { u.click(DlgPick::kDone); });
    AcArray<AcDbObjectId> several;
    ASSERT_EQ(host::Editor::instance().selectObjects("Select macros", {core::ObjectKind::Macro}, several), RTNORM);
    ASSERT_EQ(several.length(), 2);
    EXPECT_EQ(several[1], AcDbObjectId(103));
}

TEST_F(WindowPicks, CoordinatesAreTypedAndCheckedBeforeTheyAnswer) {
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    user.onDialog(DlgPick::kTemplate, [](ui::DialogUser& u) {
        EXPECT_FALSE(u.dialog().isItemShown(DlgPick::kObjects));
        u.typeText(DlgPick::kPoints, "a, 2");
        u.click(ui::IDOK); // refused: said, and the dialog stays
        EXPECT_FALSE(u.dialog().hasEnded());
        u.typeText(DlgPick::kPoints, "0,0; 1,0,0; 2,0,0");
        u.click(ui::IDOK); // three points on one line: the editor refuses the plane
        EXPECT_FALSE(u.dialog().hasEnded());
        u.typeText(DlgPick::kPoints, "0,0; 1,0,0; 0,1");
        u.click(ui::IDOK);
    });
    user.answerMessageBox(ui::IDOK);
    user.answerMessageBox(ui::IDOK);
    Zrk_Point3d origin, xPoint, yPoint;
    ASSERT_EQ(host::Editor::instance().getPlane("Pick the plane", origin, xPoint, yPoint), RTNORM);
    EXPECT_EQ(yPoint, (Zrk_Point3d{0, 1, 0}));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_EQ(user.messageBoxes()[0].request.text, "\"a\" is not a number.");

    std::vector<Zrk_Point3d> points;
    Zrk_String why;
    EXPECT_FALSE(DlgPick::parsePoints("1, 2; 3, 4", 1, points, why));
    EXPECT_EQ(why, "The answer takes 1 point; 2 given.");
    EXPECT_FALSE(DlgPick::parsePoints("1, 2, 3, 4", 1, points, why));
    EXPECT_FALSE(DlgPick::parsePoints("", 1, points, why));
    ASSERT_TRUE(DlgPick::parsePoints(" 1.5 , -2 ", 1, points, why)) << why;
    EXPECT_EQ(points[0], (Zrk_Point3d{1.5, -2, 0}));
}
