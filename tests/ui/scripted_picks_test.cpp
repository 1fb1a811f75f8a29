// A dialog that lets the person pick in the drawing: it steps aside, the scripted user picks, and it
// comes back; what a person could not have done is reported.

#include <QTimer>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "host/document.h"
#include "host/editor.h"
#include "ui/dialog.h"
#include "ui/resources.h"
#include "ui/scripted_user.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPickTemplate = 9300;
constexpr int kPick = 9301;
constexpr int kName = 9302;
constexpr int kPickCovered = 9303;

const char* kDrawing = R"({"format": "ss-drawing", "version": 1, "macros": [
  {"id": 101, "name": "BasePlate1", "modules": [{"name": "Plate", "variables": [{"name": "W", "value": 1}]}]}
]})";

class DlgPickMacro : public ui::Dialog {
public:
    DlgPickMacro() : ui::Dialog(kPickTemplate) {
        static const bool registered = [] {
            ui::hostResources().addTemplate(
                ui::DialogTemplate(kPickTemplate, "Pick", 160, 50,
                                   {
                                       {kName, ui::Kind::Edit, "", 7, 7, 90, 14},
                                       {kPick, ui::Kind::PushButton, "Pick", 103, 7, 50, 14},
                                       {kPickCovered, ui::Kind::PushButton, "Pick 2", 103, 25, 50, 14},
                                       {ui::IDOK, ui::Kind::DefPushButton, "OK", 7, 29, 44, 14},
                                   }));
            return true;
        }();
        (void)registered;
    }
    int status = 0;

protected:
    bool onCommand(int id, int code) override {
        if (id == kPick && code == ui::BN_CLICKED) {
            BeginEditorCommand();
            pick();
            CompleteEditorCommand();
            return true;
        }
        if (id == kPickCovered && code == ui::BN_CLICKED) {
            pick(); // forgets to step aside
            return true;
        }
        return ui::Dialog::onCommand(id, code);
    }

private:
    void pick() {
        AcDbObjectId id;
        status = host::Editor::instance().selectObject("Select a macro", {core::ObjectKind::Macro}, id);
        if (status == RTNORM) setItemText(kName, std::to_string(id.handle()));
    }
};

class ScriptedPicks : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ss_picks_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const Zrk_String path = (folder / "d.json").string();
        ASSERT_TRUE(writeFileAtomically(path, kDrawing));
        Zrk_String message;
        ASSERT_TRUE(host::Document::current().open(path, message)) << message;
        host::Editor::instance().clear();
    }
    void TearDown() override {
        host::Document::current().close();
        host::Editor::instance().clear();
        fs::remove_all(folder);
    }
    fs::path folder;
};

} // namespace

TEST_F(ScriptedPicks, TheDialogStepsAsideWhileTheUserPicksAndComesBack) {
    ui::ScriptedUser user;
    DlgPickMacro dialog;
    user.onDialog(kPickTemplate, [&](ui::DialogUser& u) {
        user.onPick([&](const host::PickRequest& request, host::PickAnswer& answer) {
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_TRUE(dialog.isSteppedAside());
            EXPECT_EQ(host::Editor::instance().openEditorCommands(), 1);
            EXPECT_EQ(request.prompt, "Select a macro");
            answer = host::PickAnswer::named("BasePlate1");
            return RTNORM;
        });
        u.click(kPick);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.itemText(kName), "101");
        user.cancelPick();
        u.click(kPick);
        EXPECT_EQ(dialog.status, RTCAN);
        EXPECT_EQ(dialog.itemText(kName), "101");
        u.click(ui::IDOK);
    });
    EXPECT_EQ(dialog.doModal(), ui::IDOK);
    EXPECT_EQ(host::Editor::instance().events(),
              (std::vector<std::string>{"begin editor command", "pick macro: BasePlate1 (#101)",
                                        "complete editor command", "begin editor command",
                                        "pick macro: cancelled", "complete editor command"}));
    EXPECT_EQ(user.picksAsked().size(), 2u);
}

TEST_F(ScriptedPicks, WhatAPersonCouldNotHaveDoneIsAProblem) {
    std::vector<std::string> problems;
    {
        ui::ScriptedUser user([&](const std::string& problem) { problems.push_back(problem); });
        DlgPickMacro dialog;
        user.onDialog(kPickTemplate, [&](ui::DialogUser& u) {
            user.answerPick("BasePlate1");
            u.click(kPickCovered); // the dialog still covers the drawing
            user.answerPick("NoSuchMacro");
            u.click(kPick);
            EXPECT_EQ(dialog.status, RTCAN);
            u.click(kPick);                     // nobody answers
            user.answerPick(AcDbObjectId(101)); // never asked for
            u.click(ui::IDOK);
        });
        dialog.doModal();
    }
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0], "The pick of a macro (\"Select a macro\") came while dialog 9300 was shown "
                           "(BeginEditorCommand steps it aside).");
    EXPECT_EQ(problems[1],
              "The pick of a macro (\"Select a macro\") was answered with what cannot be picked: "
              "The drawing has no macro named \"NoSuchMacro\". It was cancelled.");
    EXPECT_EQ(problems[2], "The pick of a macro (\"Select a macro\") had no answer; it was cancelled.");
    EXPECT_EQ(problems[3], "1 pick answer(s) were never asked for.");
}

TEST_F(ScriptedPicks, SteppingAsideDoesNotEndAModalRunOfAPerson) {
    // No scripted user: Qt's own modal loop runs, as for a person.
    DlgPickMacro dialog;
    bool hiddenMeanwhile = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.BeginEditorCommand();
        hiddenMeanwhile = !dialog.isVisible();
        QTimer::singleShot(0, &dialog, [&] {
            dialog.CompleteEditorCommand();
            QTimer::singleShot(0, &dialog, [&] { dialog.endDialog(ui::IDOK); });
        });
    });
    EXPECT_EQ(dialog.doModal(), ui::IDOK);
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_EQ(host::Editor::instance().openEditorCommands(), 0);
}
