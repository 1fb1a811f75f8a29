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
