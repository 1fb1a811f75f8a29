// The layer's helpers: message boxes and their terminal mode, file dialogs, FillCombo, the check combo
// box, the bitmap button, dialog sizes, pictures, window classes.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/files.h"
#include "test_dialogs.h"
#include "ui/application.h"
#include "ui/button_st.h"
#include "ui/check_combo_box.h"
#include "ui/dialog_size.h"
#include "ui/fill_combo.h"
#include "ui/message_box.h"
#include "ui/picture.h"
#include "ui/scripted_user.h"
#include "ui/text_input.h"
#include "ui/window_class.h"

using namespace test;

TEST(MessageBoxes, OfferTheButtonsOfTheirTypeWithTheirDefault) {
    using ui::MessageBoxRequest;
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_OK}).answers(), std::vector<int>{ui::IDOK});
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_YESNOCANCEL}).answers(), (std::vector<int>{ui::IDYES, ui::IDNO, ui::IDCANCEL}));
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_ABORTRETRYIGNORE}).answers(),
              (std::vector<int>{ui::IDABORT, ui::IDRETRY, ui::IDIGNORE}));
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_YESNO | ui::MB_ICONEXCLAMATION}).defaultAnswer(), ui::IDYES);
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_YESNO | ui::MB_DEFBUTTON2}).defaultAnswer(), ui::IDNO);
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_YESNOCANCEL | ui::MB_DEFBUTTON3}).defaultAnswer(), ui::IDCANCEL);
    // A default button the box does not have falls back to the first.
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_OKCANCEL | ui::MB_DEFBUTTON3}).defaultAnswer(), ui::IDOK);
    EXPECT_EQ(MessageBoxRequest({"", "", ui::MB_OK | ui::MB_ICONINFORMATION}).icon(), ui::MB_ICONINFORMATION);
}

TEST(MessageBoxes, OnATerminalShowCaptionAndTextAndTakeTheDefault) {
    std::string printed;
    ui::TerminalMessageBoxes terminal([&](const std::string& text) { printed += text; });
    EXPECT_EQ(ui::messageBox("First line\nsecond <line>", "Caption", ui::MB_YESNO | ui::MB_DEFBUTTON2), ui::IDNO);
    EXPECT_EQ(printed, "[Caption] First line\n    second <line>\n    -> No\n");

    printed.clear();
    ui::messageBox("Caf\xE9", "", ui::MB_OK);
    EXPECT_EQ(printed, "[" + std::string(ui::applicationCaption()) + "] Caf\u00e9\n    -> OK\n");

    Zrk_String path = "unchanged";
    EXPECT_FALSE(ui::getOpenFileName({}, path));
    EXPECT_EQ(path, "unchanged");

    // A scripted user installed later answers instead, until it goes.
    {
        ui::ScriptedUser user;
        user.answerMessageBox(ui::IDYES);
        printed.clear();
        EXPECT_EQ(ui::messageBox("Sure?", "Q", ui::MB_YESNO | ui::MB_DEFBUTTON2), ui::IDYES);
        EXPECT_TRUE(printed.empty());
    }
    EXPECT_EQ(ui::messageBox("Sure?", "Q", ui::MB_YESNO | ui::MB_DEFBUTTON2), ui::IDNO);
}

TEST(FileDialogs, AreAnsweredByTheScriptAndRecorded) {
    const QTemporaryDir folder;
    const Zrk_String existing = folder.path().toStdString() + "/a.txt";
    ASSERT_TRUE(writeFileAtomically(existing, "x"));
    std::vector<std::string> problems;
    ui::ScriptedUser user([&](const std::string& problem) { problems.push_back(problem); });

    ui::FileDialogRequest request;
    request.title = "Save the template";
    request.filterName = "Templates";
    request.extension = "txt";
    request.startFolder = "C:\\library\\templates";
    EXPECT_EQ(request.filterText(), "Templates (*.txt);;All files (*)");
    request.filterName = "Templates (*.txt)";
    EXPECT_EQ(request.filterText(), "Templates (*.txt);;All files (*)");

    Zrk_String path;
    user.answerFileDialog(folder.path().toStdString() + "\\sub\\new"); // a name without extension
    ASSERT_TRUE(ui::getSaveFileName(request, path));
    EXPECT_EQ(path, folder.path().toStdString() + "/sub/new.txt");

    user.answerFileDialog(existing);
    ASSERT_TRUE(ui::getOpenFileName(request, path));
    EXPECT_EQ(path, existing);

    // Open refuses a file that is not there; cancel changes nothing.
    user.answerFileDialog(folder.path().toStdString() + "/missing.txt");
    EXPECT_FALSE(ui::getOpenFileName(request, path));
    EXPECT_EQ(problems.size(), 1u);
    user.cancelFileDialog();
    EXPECT_FALSE(ui::getOpenFileName(request, path));
    EXPECT_EQ(path, existing);

    Zrk_StringArray chosen{"keep"};
    user.answerFileDialog(Zrk_StringArray{existing, existing});
    ASSERT_TRUE(DlgOpenMulti("AutoCAD Drawing", "dwg", "/library/Macros/", "Select the drawings", chosen));
    EXPECT_EQ(chosen.length(), 2);
    EXPECT_FALSE(DlgOpenMulti("AutoCAD Drawing", "dwg", "/library/Macros/", "Select", chosen)); // nobody answered
    EXPECT_EQ(chosen.length(), 2);

    ASSERT_EQ(user.fileDialogs().size(), 6u);
    EXPECT_EQ(user.fileDialogs()[0].mode, ui::FileDialogRequest::Mode::Save);
    EXPECT_EQ(user.fileDialogs()[0].title, "Save the template");
    EXPECT_EQ(user.fileDialogs()[4].mode, ui::FileDialogRequest::Mode::OpenMultiple);
    EXPECT_EQ(user.fileDialogs()[4].filterText(), "AutoCAD Drawing (*.dwg);;All files (*)");
}

TEST(DialogHelpers, FillComboAndTheCheckComboBoxTellNobody) {
    RecordingDialog dialog;
    dialog.fillOnInit = false;
    ASSERT_TRUE(dialog.create());
    const Zrk_StringArray items{"IPE 200", "HEA 100", "UNP 80"};

    EXPECT_TRUE(FillCombo(dialog, kDropList, items, 1));
    EXPECT_EQ(dialog.comboCount(kDropList), 3);
    EXPECT_EQ(dialog.comboCurSel(kDropList), 1);
    EXPECT_FALSE(FillCombo(dialog, kDropList, items, 5));
    EXPECT_EQ(dialog.comboCurSel(kDropList), -1);
    EXPECT_TRUE(FillCombo(dialog, kDropList, items, "hea 100"));
    EXPECT_EQ(dialog.comboCurSel(kDropList), 1);
    EXPECT_TRUE(FillCombo(dialog, kDropDown, items, "IPE 300")); // not an item: shown as the text
    EXPECT_EQ(dialog.comboCurSel(kDropDown), -1);
    EXPECT_EQ(dialog.itemText(kDropDown), "IPE 300");
    EXPECT_FALSE(FillCombo(dialog, 4711, items, 0));

    auto* checks = dialog.itemAs<CCheckComboBox>(kCheckCombo);
    ASSERT_TRUE(FillCombo(checks, items, -1));
    EXPECT_TRUE(checks->setCheck(2, true));
    EXPECT_FALSE(checks->setCheck(3, true));
    EXPECT_EQ(checks->displayText(), "UNP 80");
    checks->checkAll(true);
    EXPECT_EQ(checks->checkedTexts(), items);
    EXPECT_TRUE(dialog.linesStarting("command").empty());

    // The user's tick is heard.
    ASSERT_TRUE(checks->toggleByUser(0));
    EXPECT_FALSE(checks->getCheck(0));
    EXPECT_EQ(dialog.log.back(), "command " + std::to_string(kCheckCombo) + " " + std::to_string(ui::CBN_SELCHANGE));
    EXPECT_FALSE(checks->toggleByUser(7));

    auto* button = dialog.itemAs<CButtonST>(kBitmapButton);
    EXPECT_TRUE(button->setBitmap(8134));
    EXPECT_EQ(button->iconSize(), QSize(13, 13));
    EXPECT_FALSE(button->setBitmap(4711));
    EXPECT_EQ(button->imageId(), 8134); // a missing picture changes nothing
    button->setTooltipText("Caf\xE9");
    EXPECT_EQ(button->tooltipText(), "Caf\xE9");
    dialog.setCheck(kBitmapButton, 1);
    EXPECT_EQ(button->getCheck(), 1);
    dialog.destroyWindow();
}

TEST(DialogHelpers, DialogSizesAreStoredByKey) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.create());
    dialog.setMinTrackSize(QSize(200, 150));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.setGeometry(area.left() + 30, area.top() + 40, 420, 330);
    ASSERT_TRUE(WriteDlgSize(&dialog, "DLG_TEST/SIZES"));
    QRect stored;
    ASSERT_TRUE(getDlgSize("DLG_TEST/SIZES", stored));
    EXPECT_EQ(stored, QRect(area.left() + 30, area.top() + 40, 420, 330));

    dialog.setGeometry(area.left(), area.top(), 250, 200);
    ASSERT_TRUE(ChangeDlgSize(&dialog, "DLG_TEST/SIZES"));
    EXPECT_EQ(dialog.geometry(), stored);

    // Never below the minimum, never off the screen.
    QSettings(QSettings::IniFormat, QSettings::UserScope, "ss", "dialogs")
        .setValue("DialogSizes/DLG_SMALL", QString("%1 %2 10 10").arg(area.right() + 5000).arg(area.top()));
    ASSERT_TRUE(ChangeDlgSize(&dialog, "DLG_SMALL"));
    EXPECT_EQ(dialog.size(), QSize(200, 150));
    EXPECT_TRUE(area.contains(dialog.geometry().topLeft()));

    // Nothing usable stored: nothing changes.
    const QRect before = dialog.geometry();
    QSettings(QSettings::IniFormat, QSettings::UserScope, "ss", "dialogs").setValue("DialogSizes/DLG_BAD", "1 2 three 4");
    EXPECT_FALSE(ChangeDlgSize(&dialog, "DLG_BAD"));
    EXPECT_FALSE(ChangeDlgSize(&dialog, "DLG_NEVER_STORED"));
    EXPECT_FALSE(getDlgSize("", stored));
    EXPECT_FALSE(WriteDlgSize(nullptr, "DLG_X"));
    EXPECT_EQ(dialog.geometry(), before);
    dialog.destroyWindow();
}

TEST(DialogHelpers, PicturesAreWrittenWholeOrNotAtAll) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.create());
    dialog.setTitle("Every control");
    const QTemporaryDir folder;
    const Zrk_String path = folder.path().toStdString() + "/dialog.png";
    ASSERT_TRUE(ui::savePicture(dialog, path));
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), dialog.width()); // with its frame and title bar
    EXPECT_GT(picture.height(), dialog.height());

    Zrk_String error;
    EXPECT_FALSE(ui::savePicture(dialog, "/nonexistent/folder/dialog.png", &error));
    EXPECT_EQ(error, "Cannot write the picture /nonexistent/folder/dialog.png.");
    EXPECT_FALSE(fileExists("/nonexistent/folder/dialog.png"));
    dialog.destroyWindow();
}

TEST(DialogHelpers, TheFocusedWindowIsTheControlNotItsInnerPart) {
    QWidget window;
    QWidget grid(&window);
    ui::setWindowClassName(&grid, "fpSpread70");
    QLineEdit cellEditor(&grid); // an editor inside the grid is part of the grid
    QLineEdit edit(&window);
    ui::setControlId(&edit, 12);
    window.show();
    ui::activateNow(&window);

    cellEditor.setFocus();
    EXPECT_EQ(ui::focusWindow(), &grid);
    EXPECT_EQ(GetWndClassName(ui::focusWindow()), "fpSpread70");
    edit.setFocus();
    EXPECT_EQ(ui::focusWindow(), &edit);
    EXPECT_EQ(GetWndClassName(&edit), "QLineEdit"); // no class of its own: Qt's
    EXPECT_EQ(GetWndClassName(nullptr), "");
}

TEST(DialogHelpers, TextInputNeedsTheModulesDialog) {
    ui::TextInput input;
    input.value = "kept";
    EXPECT_FALSE(ui::inputText(input)); // nobody handed in a text-input dialog
    EXPECT_EQ(input.value, "kept");
}
