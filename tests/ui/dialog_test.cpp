// A dialog built from a template with a control of every kind, driven by the scripted user: what it
// is made of, which events reach it and when, message boxes, a nested dialog, timers and keys.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWindow>
#include <algorithm>
#include <gtest/gtest.h>

#include "core/settings.h"
#include "host/command_line.h"
#include "test_dialogs.h"
#include "ui/button_st.h"
#include "ui/check_combo_box.h"
#include "ui/controls.h"
#include "ui/scripted_user.h"
#include "ui/timers.h"
#include "ui/window_class.h"

using namespace test;
using ui::DialogUser;

namespace {

std::string command(int id, int code) { return "command " + std::to_string(id) + " " + std::to_string(code); }

bool contains(const std::vector<std::string>& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

} // namespace

TEST(Dialog, IsMadeOfTheTemplatesControls) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.create());
    EXPECT_FALSE(dialog.create()); // the window exists already
    EXPECT_EQ(dialog.log.front(), "init");
    EXPECT_EQ(GetWndClassName(&dialog), "#32770");

    const std::pair<int, const char*> classes[] = {
        {kLabel, "Static"},      {kEdit, "Edit"},         {kMultiLine, "Edit"},   {kGroup, "Button"},
        {kCheck, "Button"},      {kThreeState, "Button"}, {kRadioOne, "Button"},  {kDropDown, "ComboBox"},
        {kDropList, "ComboBox"}, {kCheckCombo, "ComboBox"}, {kList, "ListBox"},  {kTabs, "SysTabControl32"},
        {kPicture, "Static"},    {kPlaceholder, "Static"}, {kBitmapButton, "Button"}, {ui::IDOK, "Button"},
    };
    for (const auto& [id, className] : classes) {
        ASSERT_NE(dialog.item(id), nullptr) << id;
        EXPECT_EQ(GetWndClassName(dialog.item(id)), className) << id;
        EXPECT_EQ(ui::controlId(dialog.item(id)), id);
    }
    EXPECT_NE(dialog.itemAs<QPlainTextEdit>(kMultiLine), nullptr);
    EXPECT_NE(dialog.itemAs<CCheckComboBox>(kCheckCombo), nullptr);
    EXPECT_TRUE(dialog.itemAs<QComboBox>(kDropDown)->isEditable());
    EXPECT_FALSE(dialog.itemAs<QComboBox>(kDropList)->isEditable());
    EXPECT_EQ(dialog.item(4242), nullptr);

    // Rectangles come from dialog units through the dialog's font; a combo box is one line high.
    const ui::DialogUnits units = dialog.dialogUnits();
    EXPECT_GT(units.baseX(), 3);
    EXPECT_GT(units.baseY(), 8);
    EXPECT_EQ(dialog.itemRect(kEdit), dialog.mapDialogRect(QRect(50, 5, 100, 14)));
    EXPECT_EQ(dialog.size(), dialog.mapDialogRect(QRect(0, 0, 300, 200)).size());
    const QRect dropDown = dialog.itemRect(kDropDown);
    EXPECT_EQ(dropDown.topLeft(), dialog.mapDialogRect(QRect(7, 60, 80, 60)).topLeft());
    EXPECT_LT(dropDown.height(), dialog.mapDialogRect(QRect(7, 60, 80, 60)).height() / 2);

    // Styles: hidden, disabled, sorted, and the three-state box.
    EXPECT_FALSE(dialog.isItemShown(kHiddenEdit));
    EXPECT_TRUE(dialog.isItemShown(kEdit));
    EXPECT_FALSE(dialog.isItemEnabled(kDisabledButton));
    EXPECT_EQ(dialog.itemStyle(kHiddenEdit), ui::style::Hidden);
    EXPECT_EQ(dialog.comboText(kDropList, 0), "a");
    EXPECT_EQ(dialog.comboText(kDropList, 1), "b");
    EXPECT_EQ(dialog.comboText(kDropList, 2), "C");
    EXPECT_FALSE(dialog.setCheck(kCheck, 2)); // a two-state box has no third state
    EXPECT_TRUE(dialog.setCheck(kThreeState, 2));
    EXPECT_EQ(dialog.checkState(kThreeState), 2);

    // The label keeps its text as written and shows its mnemonic, leading to the edit after it.
    EXPECT_EQ(dialog.itemText(kLabel), "&Name:");
    EXPECT_EQ(dialog.itemAs<QLabel>(kLabel)->buddy(), dialog.item(kEdit));
    EXPECT_EQ(dialog.itemAs<QGroupBox>(kGroup)->title(), "Options");

    // Pictures by resource number.
    EXPECT_EQ(dialog.itemAs<QLabel>(kPicture)->pixmap().size(), QSize(13, 13));
    EXPECT_EQ(dialog.itemAs<CButtonST>(kBitmapButton)->imageId(), 8136);
    EXPECT_FALSE(dialog.setItemImage(kPicture, 4711));

    // Module text is the code page's bytes on both sides.
    EXPECT_TRUE(dialog.setItemText(kEdit, "Caf\xE9 \x80"));
    EXPECT_EQ(dialog.itemText(kEdit), "Caf\xE9 \x80");
    EXPECT_EQ(dialog.itemAs<QLineEdit>(kEdit)->text(), QString::fromUtf8("Caf\u00e9 \u20ac"));
    EXPECT_TRUE(dialog.setItemInt(kEdit, -42));
    bool ok = false;
    EXPECT_EQ(dialog.itemInt(kEdit, &ok), -42);
    EXPECT_TRUE(ok);
    dialog.setItemText(kEdit, "12abc");
    EXPECT_EQ(dialog.itemInt(kEdit, &ok), 0);
    EXPECT_FALSE(ok);

    // A drop list takes a text by choosing the item that equals it, letter case ignored.
    EXPECT_TRUE(dialog.setItemText(kDropList, "c"));
    EXPECT_EQ(dialog.comboCurSel(kDropList), 2);
    EXPECT_FALSE(dialog.setItemText(kDropList, "z"));
    EXPECT_EQ(dialog.comboFindStringExact(kDropList, "B"), 1);
    EXPECT_EQ(dialog.comboFindStringExact(kDropList, "a", 0), 0); // searched after 0, found by wrapping

    QPointer<QWidget> edit = dialog.item(kEdit);
    EXPECT_TRUE(dialog.destroyWindow());
    EXPECT_EQ(dialog.log.back(), "destroy");
    EXPECT_TRUE(edit.isNull());
    EXPECT_EQ(dialog.item(kEdit), nullptr);
    EXPECT_FALSE(dialog.destroyWindow());
}

TEST(Dialog, ControlsMadeByCodeAreControlsLikeTheTemplates) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        // A list in which every click toggles an item, made at a rectangle in pixels.
        QWidget* made = dialog.createItem({2000, ui::Kind::ListBox, "", 0, 0, 0, 0, ui::style::MultipleSelection},
                                          QRect(300, 300, 120, 80));
        ASSERT_EQ(dialog.item(2000), made);
        EXPECT_EQ(dialog.itemRect(2000), QRect(300, 300, 120, 80));
        EXPECT_EQ(GetWndClassName(made), "ListBox");
        for (const char* item : {"a", "b", "c"}) dialog.listAddString(2000, item);
        dialog.listSetSel(2000, -1, true);
        dialog.listSetSel(2000, 1, false);
        EXPECT_EQ(dialog.listSelectedIndexes(2000), (std::vector<int>{0, 2}));
        EXPECT_TRUE(dialog.linesStarting(command(2000, ui::LBN_SELCHANGE)).empty());
        u.choose(2000, 1);
        EXPECT_EQ(dialog.linesStarting(command(2000, ui::LBN_SELCHANGE)).size(), 1u);
        EXPECT_TRUE(dialog.destroyItem(2000));
        EXPECT_EQ(dialog.item(2000), nullptr);
        EXPECT_FALSE(dialog.destroyItem(2000));

        // Item data, lines of a multi-line edit, selections.
        ASSERT_TRUE(dialog.comboSetItemData(kDropDown, 2, 1234567890123LL));
        EXPECT_EQ(dialog.comboItemData(kDropDown, 2), 1234567890123LL);
        EXPECT_FALSE(dialog.comboSetItemData(kDropDown, 3, 1));
        // Items to choose from may show a check box; choosing still chooses.
        EXPECT_EQ(dialog.comboItemCheck(kDropList, 1), -1);
        ASSERT_TRUE(dialog.comboSetItemCheck(kDropList, 1, true));
        ASSERT_TRUE(dialog.comboSetItemCheck(kDropList, 2, false));
        EXPECT_EQ(dialog.comboItemCheck(kDropList, 1), 1);
        EXPECT_EQ(dialog.comboItemCheck(kDropList, 2), 0);
        EXPECT_FALSE(dialog.comboSetItemCheck(kDropList, 3, true));
        u.choose(kDropList, 1);
        EXPECT_EQ(dialog.comboCurSel(kDropList), 1);
        EXPECT_EQ(dialog.comboItemCheck(kDropList, 1), 1);
        // A picture from a file, or none when the file cannot be read.
        EXPECT_TRUE(dialog.setItemImageFile(kPicture, core::resourceFolder() + "bitmaps/8134.png"));
        EXPECT_EQ(dialog.itemAs<QLabel>(kPicture)->pixmap().size(), QSize(13, 13));
        EXPECT_FALSE(dialog.setItemImageFile(kPicture, core::resourceFolder() + "bitmaps/none.png"));
        EXPECT_TRUE(dialog.itemAs<QLabel>(kPicture)->pixmap().isNull());
        EXPECT_FALSE(dialog.setItemImageFile(kEdit, core::resourceFolder() + "bitmaps/8134.png"));
        dialog.setItemText(kMultiLine, "one\ntwo");
        EXPECT_EQ(dialog.itemText(kMultiLine), "one\ntwo");
        int start = 0, end = 0;
        dialog.setEditSel(kMultiLine, 4, -1);
        ASSERT_TRUE(dialog.editSel(kMultiLine, start, end));
        EXPECT_EQ(start, 4);
        EXPECT_EQ(end, 7);
        EXPECT_FALSE(dialog.editSel(kCheck, start, end));
        u.click(ui::IDOK);
    });
    dialog.doModal();
}

TEST(Dialog, HearsWhatTheUserDoesAndNotWhatCodeDoes) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        // Initialisation filled lists, chose items and checked buttons: no notification came of it;
        // only the edit heard that it has the focus, once the dialog showed.
        EXPECT_EQ(dialog.linesStarting("command"), std::vector<std::string>{command(kEdit, ui::EN_SETFOCUS)});
        EXPECT_TRUE(dialog.linesStarting("notify").empty());
        EXPECT_EQ(dialog.focusedItemId(), kEdit); // the first control Tab reaches

        dialog.log.clear();
        u.typeText(kEdit, "Beam");
        EXPECT_EQ(dialog.itemText(kEdit), "Beam");
        EXPECT_TRUE(contains(dialog.log, command(kEdit, ui::EN_CHANGE)));

        u.click(kCheck); // the edit loses the focus first
        const auto killFocus = std::find(dialog.log.begin(), dialog.log.end(), command(kEdit, ui::EN_KILLFOCUS));
        const auto clicked = std::find(dialog.log.begin(), dialog.log.end(), command(kCheck, ui::BN_CLICKED));
        ASSERT_NE(killFocus, dialog.log.end());
        ASSERT_NE(clicked, dialog.log.end());
        EXPECT_LT(killFocus, clicked);
        EXPECT_EQ(dialog.checkState(kCheck), 1);

        // A three-state box goes 0 -> 1 -> 2 -> 0.
        std::vector<int> states;
        for (int i = 0; i < 3; ++i) {
            u.click(kThreeState);
            states.push_back(dialog.checkState(kThreeState));
        }
        EXPECT_EQ(states, (std::vector<int>{1, 2, 0}));

        // Radio buttons are exclusive within their group only.
        u.click(kRadioTwo);
        EXPECT_EQ(dialog.checkedRadioButton(kRadioOne, kRadioTwo), kRadioTwo);
        EXPECT_EQ(dialog.checkState(kRadioOne), 0);
        EXPECT_EQ(dialog.checkState(kRadioOther), 1);

        dialog.log.clear();
        u.choose(kDropDown, 1);
        EXPECT_EQ(dialog.log, (std::vector<std::string>{command(kDropDown, ui::CBN_SETFOCUS),
                                                        command(kDropDown, ui::CBN_SELCHANGE)}));
        EXPECT_EQ(dialog.itemText(kDropDown), "HEA 100");
        dialog.comboSetCurSel(kDropDown, 2); // code again: silent
        EXPECT_EQ(dialog.linesStarting(command(kDropDown, ui::CBN_SELCHANGE)).size(), 1u);

        u.toggleItem(kCheckCombo, 2);
        u.toggleItem(kCheckCombo, 0);
        EXPECT_EQ(dialog.itemText(kCheckCombo), "bolts, washers");
        EXPECT_EQ(dialog.linesStarting(command(kCheckCombo, ui::CBN_SELCHANGE)).size(), 2u);

        u.choose(kList, 2);
        EXPECT_EQ(dialog.listCurSel(kList), 2);
        EXPECT_EQ(dialog.linesStarting(command(kList, ui::LBN_SELCHANGE)).size(), 1u);

        u.choose(kTabs, 1);
        EXPECT_EQ(dialog.tabCurSel(kTabs), 1);
        EXPECT_EQ(dialog.linesStarting("notify").size(), 1u);
        EXPECT_EQ(dialog.linesStarting("notify").front(), "notify " + std::to_string(kTabs) + " " + std::to_string(ui::TCN_SELCHANGE));

        u.click(kBitmapButton); // a picture check button stays pressed
        EXPECT_EQ(dialog.checkState(kBitmapButton), 1);

        u.click(ui::IDOK);
    });
    EXPECT_EQ(dialog.doModal(), ui::IDOK);
    EXPECT_EQ(dialog.log.back(), "destroy");
    EXPECT_FALSE(dialog.isCreated());
    EXPECT_EQ(user.dialogsRun(), std::vector<int>{kEveryControl});
}

TEST(Dialog, AsksWithMessageBoxesAndOpensANestedDialogInsideACommand) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        u.typeText(kEdit, "old name");
        // Yes: the command opens the name dialog, which ends before the click returns.
        user.answerMessageBox(ui::IDYES);
        user.onDialog(kNameDialog, [](DialogUser& nested) {
            EXPECT_EQ(nested.dialog().itemText(kNameEdit), "old name");
            EXPECT_EQ(nested.dialog().focusedItemId(), kNameEdit);
            nested.typeText(kNameEdit, "new name");
            nested.click(ui::IDOK);
        });
        u.click(kMore);
        EXPECT_EQ(dialog.itemText(kEdit), "new name");
        EXPECT_TRUE(dialog.isVisible());

        // No: nothing opens.
        user.answerMessageBox(ui::IDNO);
        u.click(kMore);
        EXPECT_EQ(dialog.itemText(kEdit), "new name");
        // Nobody answers: the default button (Yes) does, and the nested dialog is cancelled.
        user.onDialog(kNameDialog, [](DialogUser& nested) { nested.pressKey(ui::VK_ESCAPE); });
        u.click(kMore);
        EXPECT_EQ(dialog.itemText(kEdit), "new name");
        u.click(ui::IDCANCEL);
    });
    EXPECT_EQ(dialog.doModal(), ui::IDCANCEL);

    ASSERT_EQ(user.messageBoxes().size(), 3u);
    const auto& first = user.messageBoxes()[0];
    EXPECT_EQ(first.request.text, "Replace the name?");
    EXPECT_EQ(first.request.caption, "Name");
    EXPECT_EQ(first.request.icon(), ui::MB_ICONQUESTION);
    EXPECT_EQ(first.request.buttons(), ui::MB_YESNO);
    EXPECT_EQ(first.answer, ui::IDYES);
    EXPECT_EQ(user.messageBoxes()[1].answer, ui::IDNO);
    EXPECT_TRUE(user.messageBoxes()[2].byDefault);
    EXPECT_EQ(user.messageBoxes()[2].answer, ui::IDYES);
    EXPECT_EQ(user.dialogsRun(), (std::vector<int>{kEveryControl, kNameDialog, kNameDialog}));
}

TEST(Dialog, TimersFireWhenTimePasses) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        ASSERT_TRUE(dialog.setTimer(7, 100));
        u.passTime(99);
        EXPECT_EQ(dialog.timerTicks, 0);
        u.passTime(1);
        EXPECT_EQ(dialog.timerTicks, 1);
        u.passTime(1000); // the dialog kills it at its third tick
        EXPECT_EQ(dialog.timerTicks, 3);
        EXPECT_FALSE(ui::hasWindowTimer(&dialog, 7));

        // A timer set again restarts; the window's timers go with the window.
        dialog.setTimer(8, 50);
        u.passTime(30);
        dialog.setTimer(8, 50);
        u.passTime(30);
        EXPECT_TRUE(dialog.linesStarting("timer 8").empty());
        u.click(ui::IDOK);
    });
    dialog.doModal();
    EXPECT_FALSE(ui::hasWindowTimer(&dialog, 8));
    EXPECT_FALSE(dialog.setTimer(9, 10)); // no window, no timer

    // Thread timers fire in the order they fall due, and may kill themselves.
    std::vector<int> fired;
    const int slow = ui::setThreadTimer(50, [&](int id) {
        fired.push_back(50);
        ui::killThreadTimer(id);
    });
    const int fast = ui::setThreadTimer(20, [&](int) { fired.push_back(20); });
    ASSERT_GT(slow, 0);
    ASSERT_NE(slow, fast);
    user.passTime(60);
    EXPECT_EQ(fired, (std::vector<int>{20, 20, 50, 20}));
    EXPECT_FALSE(ui::killThreadTimer(slow));
    EXPECT_TRUE(ui::killThreadTimer(fast));
}

TEST(Dialog, KeysReachTheDialogBeforeTheControls) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    dialog.keysToConsume = {ui::VK_F5};
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        ASSERT_EQ(dialog.focusedItemId(), kEdit);
        u.pressKey(ui::VK_TAB);
        EXPECT_EQ(dialog.focusedItemId(), kMultiLine);
        u.pressKey(ui::VK_TAB, true);
        EXPECT_EQ(dialog.focusedItemId(), kEdit);
        EXPECT_EQ(dialog.linesStarting("key").front(), "key 9 " + std::to_string(kEdit));
        EXPECT_EQ(dialog.linesStarting("key")[1], "key 9 " + std::to_string(kMultiLine) + " shift");

        // A consumed key goes no further; others do.
        u.typeText(kEdit, "abc");
        u.pressKey(ui::VK_F5);
        u.pressKey('X');
        EXPECT_EQ(dialog.itemText(kEdit), "abcx");
        EXPECT_EQ(dialog.linesStarting("key 116").size(), 1u);

        // Escape is the cancel command.
        u.pressKey(ui::VK_ESCAPE);
    });
    EXPECT_EQ(dialog.doModal(), ui::IDCANCEL);
    EXPECT_TRUE(contains(dialog.log, command(ui::IDCANCEL, ui::BN_CLICKED)));

    // Enter in an edit, even a multi-line one, presses the default button; on a push button, that one.
    RecordingDialog second;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        u.focus(kMultiLine);
        u.pressKey(ui::VK_RETURN);
    });
    EXPECT_EQ(second.doModal(), ui::IDOK);
    EXPECT_EQ(second.itemIds().size(), 0u);

    RecordingDialog third;
    user.answerMessageBox(ui::IDNO);
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        u.focus(kMore);
        u.pressKey(ui::VK_RETURN); // asks its question (answered No)
        EXPECT_TRUE(third.isVisible());
        u.closeWindow();
    });
    third.closeResult = 77;
    EXPECT_EQ(third.doModal(), 77);
    EXPECT_TRUE(contains(third.log, command(kMore, ui::BN_CLICKED)));
    EXPECT_TRUE(contains(third.log, "close"));
}

TEST(Dialog, SizeChangesKeepToTheMinimumTrackingSize) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        const QSize start = dialog.size();
        dialog.setMinTrackSize(start);
        u.resize(start.width() + 40, start.height() + 30);
        EXPECT_EQ(dialog.log.back(), "size " + std::to_string(start.width() + 40) + " " + std::to_string(start.height() + 30));
        u.resize(10, 10);
        EXPECT_EQ(dialog.size(), start);
        u.click(ui::IDOK);
    });
    dialog.doModal();
}

TEST(Dialog, HearsTheMouseInItsOwnAreaAndDrawsIt) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        const QPoint empty(dialog.width() - 3, 3); // on no control
        ASSERT_EQ(dialog.childAt(empty), nullptr);
        const std::string at = std::to_string(empty.x()) + " 3";
        u.clickAt(empty);
        ASSERT_GE(dialog.log.size(), 2u);
        EXPECT_EQ(dialog.log[dialog.log.size() - 2], "lbutton " + at);
        EXPECT_EQ(dialog.log.back(), "lbuttonup " + at);
        u.clickAt(empty, false, true);
        EXPECT_EQ(dialog.log[dialog.log.size() - 2], "double " + at);

        // A click on a control is the control's.
        u.clickAt(dialog.itemRect(kCheck).center());
        EXPECT_EQ(dialog.checkState(kCheck), 1);
        EXPECT_EQ(dialog.log.back(), command(kCheck, ui::BN_CLICKED));

        // The right button opens a menu; the user chooses in it, or not.
        user.answerPopupMenu(32811);
        u.clickAt(empty, true);
        EXPECT_EQ(dialog.log.back(), "menu 32811");
        u.clickAt(empty, true);
        EXPECT_EQ(dialog.log.back(), "menu 0");
        ASSERT_EQ(user.popupMenus().size(), 2u);
        EXPECT_EQ(user.popupMenus()[0].items.size(), 3u);
        EXPECT_TRUE(user.popupMenus()[0].offers(32811));
        EXPECT_FALSE(user.popupMenus()[0].offers(32812)); // disabled

        const int before = dialog.paints;
        dialog.grab();
        EXPECT_GT(dialog.paints, before);
        u.click(ui::IDOK);
    });
    dialog.doModal();
}

TEST(Dialog, AGridWindowTakesThePlaceOfAPlaceholder) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.create());
    const QRect place = dialog.itemRect(kPlaceholder);
    QPointer<QWidget> placeholder = dialog.item(kPlaceholder);

    QWidget grid;
    ui::setWindowClassName(&grid, "fpSpread70");
    ASSERT_TRUE(dialog.replaceItem(kPlaceholder, &grid));
    EXPECT_TRUE(placeholder.isNull());
    EXPECT_EQ(dialog.item(kPlaceholder), &grid);
    EXPECT_EQ(dialog.itemRect(kPlaceholder), place);
    EXPECT_EQ(grid.parentWidget(), &dialog);
    EXPECT_FALSE(dialog.replaceItem(4711, &grid));

    // The grid tells its dialog, by its id.
    const int cell[2] = {3, 4};
    EXPECT_TRUE(ui::notifyParent(&grid, 5, cell));
    EXPECT_EQ(dialog.log.back(), "notify " + std::to_string(kPlaceholder) + " 5 with details");
    ui::commandParent(&grid, 60);
    EXPECT_EQ(dialog.log.back(), command(kPlaceholder, 60));

    // The window stays its maker's: destroying the dialog's window lets it go.
    dialog.destroyWindow();
    EXPECT_EQ(grid.parentWidget(), nullptr);
    EXPECT_FALSE(ui::notifyParent(&grid, 5));
}

TEST(Dialog, PagesLieInsideTheirDialog) {
    ui::ScriptedUser user;
    RecordingDialog dialog;
    RecordingDialog page(kPage);
    user.onDialog(kEveryControl, [&](DialogUser& u) {
        ASSERT_TRUE(page.create(&dialog));
        EXPECT_FALSE(page.isWindow());
        EXPECT_EQ(page.parentWidget(), &dialog);
        page.setGeometry(dialog.tabDisplayRect(kTabs));
        page.show();
        EXPECT_GT(dialog.tabItemRect(kTabs, 1).left(), dialog.tabItemRect(kTabs, 0).left());
        EXPECT_TRUE(dialog.tabDisplayRect(kTabs).top() > dialog.tabItemRect(kTabs, 0).top());

        // The page's controls are the dialog's focus too, and the page hears its own controls.
        DialogUser onPage(page);
        onPage.typeText(kPageEdit, "x");
        EXPECT_EQ(dialog.focusedItemId(), kPageEdit);
        EXPECT_EQ(page.focusedItemId(), kPageEdit);
        EXPECT_TRUE(contains(page.log, command(kPageEdit, ui::EN_CHANGE)));
        EXPECT_FALSE(contains(dialog.log, command(kPageEdit, ui::EN_CHANGE)));

        // Keys pass the page, then the dialog; Escape on the page cancels the dialog.
        u.pressKey(ui::VK_F2);
        EXPECT_EQ(page.linesStarting("key 113").size(), 1u);
        EXPECT_EQ(dialog.linesStarting("key 113").size(), 1u);
        u.pressKey(ui::VK_ESCAPE);
        EXPECT_FALSE(contains(page.log, command(ui::IDCANCEL, ui::BN_CLICKED)));
    });
    EXPECT_EQ(dialog.doModal(), ui::IDCANCEL);
    page.destroyWindow();
}

TEST(Dialog, AnOwnedWindowStaysAboveItsOwnerWithoutBeingItsChild) {
    QWidget owner;
    owner.show();
    {
        RecordingDialog dialog(kNameDialog, &owner);
        ASSERT_TRUE(dialog.create());
        EXPECT_EQ(dialog.parentWidget(), nullptr); // the owner never deletes it
        ASSERT_NE(dialog.windowHandle(), nullptr);
        EXPECT_EQ(dialog.windowHandle()->transientParent(), owner.windowHandle());
        EXPECT_EQ(dialog.owner(), &owner);
        dialog.destroyWindow();
    }
    EXPECT_TRUE(owner.children().isEmpty());
}

TEST(Dialog, EndsAtOnceWhenInitialisationEndsIt) {
    class Refusing : public RecordingDialog {
        bool onInitDialog() override {
            endDialog(5);
            return true;
        }
    } dialog;
    ui::ScriptedUser user; // no script: the dialog never waits for one
    EXPECT_EQ(dialog.doModal(), 5);
    EXPECT_TRUE(user.dialogsRun().empty());
}

TEST(Dialog, AMissingTemplateIsReported) {
    host::CommandLine::instance().clear();
    RecordingDialog dialog(4711);
    EXPECT_EQ(dialog.doModal(), -1);
    EXPECT_FALSE(dialog.create());
    EXPECT_EQ(host::CommandLine::instance().buffer().find("*Error* Dialog template 4711 not found.\n"), 0u);
    EXPECT_TRUE(dialog.log.empty());
}
