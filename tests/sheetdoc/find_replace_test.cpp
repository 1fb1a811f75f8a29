// The find/replace dialog of a grid (template 218), opened from the grid as F3 and F5 open it.

#include <QApplication>

#include "../spread/grid_host.h"
#include "sheetdoc/dlg_find_replace.h"
#include "ui/dialog_size.h"

using namespace gridtest;
using namespace spreadlib;

namespace {

class FindReplace : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        shape(3, 3);
        grid().fillRow(1, {"ab", "x", "cab"});
        grid().fillRow(2, {"", "abab", "y"});
        grid().fillRow(3, {"z", "", "ab"});
        grid().setBool(kOptionEditing, false);
        ASSERT_TRUE(grid().showFindDialog());
        dialog = grid().findDialog.get();
        ASSERT_NE(dialog, nullptr);
    }
    void find(const Zrk_String& text, const Zrk_String& replacement = {}) {
        dialog->setItemText(DlgFindReplace::kFindEdit, text);
        dialog->setItemText(DlgFindReplace::kReplaceEdit, replacement);
    }
    std::pair<int, int> active() {
        int col = 0, row = 0;
        grid().getActiveCell(col, row);
        return {col, row};
    }
    std::pair<int, int> selection() {
        int start = 0, end = 0;
        grid().getEditSel(start, end);
        return {start, end};
    }
    DlgFindReplace* dialog = nullptr;
};

using Cell = std::pair<int, int>;

} // namespace

TEST_F(FindReplace, OpensOnTopWithEditingOnAndCloses) {
    EXPECT_EQ(dialog->templateId(), 218);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog->title(), dialString(1136));
    EXPECT_EQ(dialog->itemText(DlgFindReplace::kFindLabel), dialString(1137));
    EXPECT_EQ(dialog->itemText(DlgFindReplace::kReplaceAll), dialString(1141));
    EXPECT_EQ(dialog->itemText(ui::IDCANCEL), dialString(285));
    EXPECT_TRUE(grid().getBool(kOptionEditing));
    EXPECT_FALSE(grid().getBool(kOptionEditReplace));
    EXPECT_EQ(dialog->focusedItemId(), DlgFindReplace::kFindEdit);

    ui::DialogUser u(*dialog);
    u.click(ui::IDCANCEL);
    EXPECT_FALSE(grid().getBool(kOptionEditing)); // off again, as it was
    EXPECT_FALSE(grid().findDialog);
    QRect stored;
    EXPECT_TRUE(getDlgSize("DLG_FINDREPLACE", stored));
    QApplication::sendPostedEvents(); // the closed dialog goes once its handlers have returned
    ASSERT_TRUE(grid().showFindDialog(true));
    EXPECT_EQ(grid().findDialog->focusedItemId(), DlgFindReplace::kReplaceEdit);
}

TEST_F(FindReplace, FindNextWalksTheHitsInReadingOrderAndAsksBeforeWrapping) {
    find("ab");
    ui::DialogUser u(*dialog);
    u.click(ui::IDOK); // from the active cell (1, 1) itself
    EXPECT_EQ(active(), Cell(1, 1));
    EXPECT_TRUE(grid().getEditMode());
    EXPECT_EQ(selection(), Cell(0, 2));
    u.click(ui::IDOK);
    EXPECT_EQ(active(), Cell(3, 1));
    EXPECT_EQ(selection(), Cell(1, 3));
    u.click(ui::IDOK);
    EXPECT_EQ(active(), Cell(2, 2));
    EXPECT_EQ(selection(), Cell(0, 2));
    u.click(ui::IDOK); // the second hit in the same cell
    EXPECT_EQ(active(), Cell(2, 2));
    EXPECT_EQ(selection(), Cell(2, 4));
    u.click(ui::IDOK);
    EXPECT_EQ(active(), Cell(3, 3));
    EXPECT_TRUE(user.messageBoxes().empty());

    user.answerMessageBox(ui::IDYES);
    u.click(ui::IDOK); // past the last: from the first cell on after asking
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    const ui::MessageBoxRequest& asked = user.messageBoxes()[0].request;
    EXPECT_EQ(asked.text, dialString(1142) + "\n" + dialString(1143) + "\n");
    EXPECT_EQ(asked.caption, dialString(1144));
    EXPECT_EQ(asked.type, ui::MB_YESNO | ui::MB_ICONQUESTION);
    EXPECT_EQ(active(), Cell(1, 1));

    grid().setActiveCell(3, 3);
    grid().setEditMode(false);
    grid().setCellText(3, 3, "none");
    user.answerMessageBox(ui::IDNO);
    EXPECT_FALSE(dialog->findNext(true));
    EXPECT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_FALSE(dialog->findNext(false)); // without asking: false, silently
    EXPECT_EQ(user.messageBoxes().size(), 2u);
}

TEST_F(FindReplace, NothingAnywhereSaysSo) {
    find("qq");
    user.answerMessageBox(ui::IDYES);
    EXPECT_FALSE(dialog->findNext(true));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_EQ(user.messageBoxes()[1].request.text, dialString(1145));
    EXPECT_EQ(user.messageBoxes()[1].request.caption, dialString(1146));
}

TEST_F(FindReplace, FindNextGoesOnPastALockedHit) {
    grid().setCellLocked(1, 1);
    find("ab");
    EXPECT_TRUE(dialog->findNext(false));
    EXPECT_EQ(active(), Cell(1, 1));
    EXPECT_FALSE(grid().getEditMode()); // a locked cell is not edited
    EXPECT_TRUE(dialog->findNext(false));
    EXPECT_EQ(active(), Cell(3, 1));
}

TEST_F(FindReplace, ReplaceFindsThenReplacesTheSelection) {
    find("ab", "XY");
    grid().setBool(kOptionChanged, false);
    ui::DialogUser u(*dialog);
    u.click(DlgFindReplace::kReplace);
    EXPECT_EQ(text(1, 1), "XY");
    EXPECT_TRUE(grid().getBool(kOptionChanged));
    EXPECT_EQ(active(), Cell(1, 1));
    EXPECT_EQ(selection(), Cell(1, 2));
    u.click(DlgFindReplace::kReplace);
    EXPECT_EQ(text(3, 1), "cXY");
    u.pressKey(ui::VK_F5); // F5 in the dialog replaces too
    EXPECT_EQ(text(2, 2), "XYab");
}

TEST_F(FindReplace, ReplaceAllWithTheFindTextInTheReplacementEnds) {
    find("ab", "abab");
    grid().setCellLocked(3, 3);
    grid().setBool(kOptionChanged, false);
    ui::DialogUser u(*dialog);
    u.click(DlgFindReplace::kReplaceAll);
    EXPECT_EQ(text(1, 1), "abab");
    EXPECT_EQ(text(3, 1), "cabab");
    EXPECT_EQ(text(2, 2), "abababab"); // every occurrence, the cell once
    EXPECT_EQ(text(3, 3), "ab");       // locked
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(1147) + " 3 " + dialString(1148));
    EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(1149));
    EXPECT_TRUE(grid().getBool(kOptionChanged));
}

TEST_F(FindReplace, KeysOfTheGridReachTheOpenDialog) {
    find("ab");
    ui::activateNow(&host);
    grid().setFocus();
    ui::DialogUser u(host);
    u.pressKey(ui::VK_F3);
    EXPECT_EQ(active(), Cell(1, 1));
    EXPECT_EQ(selection(), Cell(0, 2));
}
