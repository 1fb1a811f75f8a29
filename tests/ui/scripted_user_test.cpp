// The scripted user reports what a person could not have done, and what a test forgot.

#include <gtest/gtest.h>

#include "test_dialogs.h"
#include "ui/scripted_user.h"

using namespace test;

namespace {
bool mentions(const std::vector<std::string>& problems, const std::string& part) {
    for (const std::string& problem : problems)
        if (problem.find(part) != std::string::npos) return true;
    return false;
}
} // namespace

TEST(ScriptedUser, ReportsWhatAPersonCouldNotHaveDone) {
    std::vector<std::string> problems;
    {
        ui::ScriptedUser user([&](const std::string& problem) { problems.push_back(problem); });
        RecordingDialog dialog;
        user.onDialog(kEveryControl, [&](ui::DialogUser& u) {
            EXPECT_FALSE(u.click(kDisabledButton));
            EXPECT_FALSE(u.typeText(kHiddenEdit, "x"));
            EXPECT_FALSE(u.click(4711));
            EXPECT_FALSE(u.click(kEdit));          // no button
            EXPECT_FALSE(u.typeText(kCheck, "x")); // no edit
            EXPECT_FALSE(u.choose(kList, 3));      // three items: 0..2
            EXPECT_FALSE(u.choose(kCheckCombo, 0)); // ticked, not chosen
            EXPECT_FALSE(u.pressKey(0x07));        // no such key
            user.answerMessageBox(ui::IDRETRY);    // not offered by a Yes/No box
            u.click(kMore);
            user.answerPopupMenu(32812);           // disabled in the menu
            u.clickAt(QPoint(u.dialog().width() - 3, 3), true);
            EXPECT_EQ(dialog.log.back(), "menu 0");
            EXPECT_FALSE(u.clickAt(QPoint(-1, 5)));
            // ... and the script forgets to end the dialog.
        });
        user.onDialog(kNameDialog, [](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
        EXPECT_EQ(dialog.doModal(), ui::IDCANCEL);
        EXPECT_EQ(user.messageBoxes().back().answer, ui::IDYES); // the default answered instead

        RecordingDialog unscripted;
        EXPECT_EQ(unscripted.doModal(), ui::IDCANCEL);
        EXPECT_EQ(unscripted.log.back(), "destroy");

        user.onDialog(kNameDialog, [](ui::DialogUser&) {}); // never runs
        user.answerMessageBox(ui::IDOK);                    // never asked for
        EXPECT_EQ(user.problems().size(), 13u);
    }
    ASSERT_EQ(problems.size(), 15u);
    EXPECT_TRUE(mentions(problems, "The pop-up menu offers no command 32812; it was closed without a choice."));
    EXPECT_TRUE(mentions(problems, "Cannot click at (-1, 5) in dialog 9000: outside it."));
    EXPECT_TRUE(mentions(problems, "Cannot click control 1019 of dialog 9000: it is disabled."));
    EXPECT_TRUE(mentions(problems, "Cannot type into control 1018 of dialog 9000: it is not shown."));
    EXPECT_TRUE(mentions(problems, "Cannot click control 4711 of dialog 9000: there is no such control."));
    EXPECT_TRUE(mentions(problems, "it is no button"));
    EXPECT_TRUE(mentions(problems, "it takes no typing"));
    EXPECT_TRUE(mentions(problems, "Cannot choose item 3 of control 1012 of dialog 9000: it has 3."));
    EXPECT_TRUE(mentions(problems, "offers no Retry"));
    EXPECT_TRUE(mentions(problems, "The script for dialog 9000 did not end it; it was cancelled."));
    EXPECT_TRUE(mentions(problems, "Dialog 9000 ran without a script; it was cancelled."));
    EXPECT_TRUE(mentions(problems, "1 script(s) for dialog 9001 never ran."));
    EXPECT_TRUE(mentions(problems, "1 message box answer(s) were never asked for."));
}

TEST(ScriptedUser, DragsAndClicksWithKeysHeld) {
    std::vector<std::string> problems;
    ui::ScriptedUser user([&](const std::string& problem) { problems.push_back(problem); });
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](ui::DialogUser& u) {
        const auto mouse = [&] {
            std::vector<std::string> lines;
            for (const std::string& entry : dialog.log)
                if (entry.rfind("lbutton", 0) == 0 || entry.rfind("drag", 0) == 0 ||
                    entry.rfind("hover", 0) == 0)
                    lines.push_back(entry);
            dialog.log.clear();
            return lines;
        };
        const int right = dialog.width() - 3;
        ASSERT_EQ(dialog.childAt(QPoint(right, 3)), nullptr);

        // Pressed, moved in steps and released, with the keys held throughout.
        EXPECT_TRUE(u.drag(QPoint(right - 40, 3), QPoint(right, 43), true, false));
        const std::string x = std::to_string(right);
        EXPECT_EQ(mouse(), (std::vector<std::string>{"lbutton " + std::to_string(right - 40) + " 3 shift",
                                                     "drag " + std::to_string(right - 30) + " 13",
                                                     "drag " + std::to_string(right - 20) + " 23",
                                                     "drag " + std::to_string(right - 10) + " 33",
                                                     "drag " + x + " 43", "lbuttonup " + x + " 43 shift"}));

        // A drag that starts on a disabled control is the dialog's, in its own coordinates, and it
        // hears the mouse outside its window too.
        const QPoint disabled = dialog.itemRect(kDisabledButton).center();
        EXPECT_TRUE(u.drag(disabled, QPoint(-20, disabled.y()), false, true));
        const std::vector<std::string> lines = mouse();
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines.front(),
                  "lbutton " + std::to_string(disabled.x()) + " " + std::to_string(disabled.y()) + " ctrl");
        EXPECT_EQ(lines[4], "drag -20 " + std::to_string(disabled.y()));
        EXPECT_EQ(lines.back(), "lbuttonup -20 " + std::to_string(disabled.y()) + " ctrl");

        EXPECT_TRUE(u.clickHolding(QPoint(right, 3), true, true));
        EXPECT_EQ(mouse(), (std::vector<std::string>{"lbutton " + x + " 3 shift ctrl",
                                                     "lbuttonup " + x + " 3 shift ctrl"}));
        // Over a label, which does not follow the mouse, the dialog hears it move.
        const QPoint label = dialog.itemRect(kLabel).center();
        EXPECT_TRUE(u.moveMouseTo(label));
        EXPECT_EQ(mouse(), (std::vector<std::string>{"hover " + std::to_string(label.x()) + " " +
                                                     std::to_string(label.y())}));

        EXPECT_FALSE(u.drag(QPoint(-1, 3), QPoint(5, 5)));
        EXPECT_FALSE(u.clickHolding(QPoint(3, dialog.height() + 2), false, true));
        EXPECT_TRUE(mouse().empty());
        u.click(ui::IDOK);
    });
    dialog.doModal();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "Cannot drag at (-1, 3) in dialog 9000: outside it.");
    EXPECT_TRUE(mentions(problems, "Cannot click at (3, "));
}

TEST(ScriptedUser, APressGivesTheFocusToWhatTakesItByClick) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](ui::DialogUser& u) {
        u.focus(kList);
        ASSERT_EQ(dialog.focusedItemId(), kList);
        u.clickAt(dialog.itemRect(kLabel).center()); // a label takes no focus: it stays
        EXPECT_EQ(dialog.focusedItemId(), kList);
        u.clickAt(dialog.itemRect(kEdit).center());
        EXPECT_EQ(dialog.focusedItemId(), kEdit);
        u.pressKey('K'); // keys now go where the click went
        EXPECT_EQ(dialog.itemText(kEdit).back(), 'k');
        u.focus(kList);
        u.clickHolding(dialog.itemRect(kEdit).center(), false, true);
        EXPECT_EQ(dialog.focusedItemId(), kEdit);
        u.click(ui::IDOK);
    });
    dialog.doModal();
}
