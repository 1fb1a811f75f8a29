// The constraint dialog's editing pages, played by the scripted user on the first end-plate
// connection of the sample drawing: the constraint list (picture groups, storing what changed,
// the name checks, sorting, deleting, the context menu, the cut editor, the highlight period and
// Escape), the geometry page (flexibility, the constrained flag, name tags kept until stored) and
// the variables and equations page (what is stored when, blank lines, values that are no number).

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QTableView>
#include <gtest/gtest.h>

#include "constraint_fixture.h"
#include "constraints/dlg_constraint_geometry.h"
#include "constraints/dlg_constraint_list.h"
#include "constraints/dlg_constraint_variables.h"
#include "constraints/dlg_edit_constraints.h"
#include "core/language.h"
#include "core/text.h"
#include "macrodlg/dlg_macro_cuts.h"
#include "ui/codes.h"

namespace {

using D = DlgEditConstraints;
using L = ConstraintListPage;
using G = ConstraintGeometryPage;
using V = ConstraintVariablesPage;
using constrainttest::kMacroA;

// The centre of a cell of a grid, in the coordinates of the dialog the grid lies in.
QPoint cellPoint(Zrk_Spread& grid, ui::Dialog& dialog, int col, int row) {
    grid.flushView();
    QTableView* view = grid.view();
    view->scrollTo(view->model()->index(row - 1, col - 1));
    const QRect rect = view->visualRect(view->model()->index(row - 1, col - 1));
    return view->viewport()->mapTo(&dialog, rect.center());
}

QPoint headerPoint(Zrk_Spread& grid, ui::Dialog& dialog, int col) {
    grid.flushView();
    QHeaderView* header = grid.view()->horizontalHeader();
    const int x = header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2;
    return header->viewport()->mapTo(&dialog, QPoint(x, header->height() / 2));
}

Zrk_String cell(const Zrk_Spread& grid, int col, int row) {
    Zrk_String text;
    grid.getCellText(col, row, text);
    return text;
}

Zrk_StringArray column(const Zrk_Spread& grid, int col) {
    Zrk_StringArray texts;
    for (int row = 1; row <= grid.getNrRows(); ++row)
        texts.append(cell(grid, col, row));
    return texts;
}

class ConstraintPages : public constrainttest::ConstraintDrawingTest {
protected:
    void SetUp() override {
        ConstraintDrawingTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(StartDlgEditConstraints(record));
        dialog = openConstraintDialog();
        ASSERT_NE(dialog, nullptr);
        // The person works in the window: it has the focus (the start gave it to the host's window).
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
    }
    const Zrk_Module& plate() { return *drawing.findMacro(kMacroA)->macro()->findModule("Plate"); }
    const Zrk_Constraint& constraintNamed(const Zrk_String& name) {
        for (const Zrk_Constraint& constraint : plate().constraints)
            if (constraint.name == name) return constraint;
        static const Zrk_Constraint none;
        ADD_FAILURE() << "no constraint " << name;
        return none;
    }
    L& list() { return static_cast<L&>(*dialog->listPage); }
    G& geometry() { return static_cast<G&>(*dialog->geometryPage); }
    V& variables() { return static_cast<V&>(*dialog->variablesPage); }
    // The row (from 1) that shows a constraint.
    int rowOf(const Zrk_String& name) { return column(list().grid, 1).find(name) + 1; }
    void clickRow(ui::DialogUser& u, int row) {
        ASSERT_TRUE(u.clickAt(cellPoint(list().grid, u.dialog(), 2, row)));
    }
    bool picture(int k) { return list().checkState(L::kPictures[k - 1]) == 1; }

    D* dialog = nullptr;
};

} // namespace

// --- the constraint list -------------------------------------------------------------------------------

TEST_F(ConstraintPages, TheListShowsTheConstraintsAndTheAttributesOfTheSelectedOne) {
    L& page = list();
    ui::DialogUser u(page);
    EXPECT_EQ(page.grid.getNrRows(), 17); // 11 constraints, then the 6 cuts
    EXPECT_EQ(page.grid.getNrCols(), 4);
    EXPECT_EQ(cell(page.grid, 1, 2), "Distance1");
    EXPECT_EQ(page.selected(), 0);
    EXPECT_TRUE(host::Editor::instance().isHighlighted(AcDbObjectId(1001)));

    clickRow(u, 2);
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(dialog->data.currentId, 2);
    EXPECT_EQ(page.itemText(L::kValue), "40");
    EXPECT_EQ(page.itemText(L::kName), "Edge");
    EXPECT_TRUE(page.isItemEnabled(L::kValue));
    EXPECT_FALSE(page.isItemEnabled(L::kChoice));
    EXPECT_EQ(page.checkState(L::kFlag1), 1);
    EXPECT_TRUE(page.isItemEnabled(L::kFlag2));
    EXPECT_FALSE(page.isItemShown(L::kCutEditor));
    // The drawing shows the distance's objects, and no longer the parallel's other object.
    EXPECT_TRUE(host::Editor::instance().isHighlighted(AcDbObjectId(1002)));
    EXPECT_FALSE(host::Editor::instance().isHighlighted(AcDbObjectId(1003)));

    // Two radio groups on the five buttons: three directions, then two sides.
    EXPECT_EQ(page.picturesInUse(), 5);
    EXPECT_EQ(page.secondGroupStart(), 4);
    EXPECT_TRUE(picture(1) && !picture(2) && !picture(3) && picture(4) && !picture(5));
    u.click(L::kPictures[1]);
    EXPECT_TRUE(!picture(1) && picture(2) && !picture(3) && picture(4) && !picture(5));
    u.click(L::kPictures[4]);
    EXPECT_TRUE(!picture(1) && picture(2) && !picture(3) && !picture(4) && picture(5));
    // Clicking the checked button again keeps it checked.
    u.click(L::kPictures[4]);
    EXPECT_TRUE(picture(5));

    // A symmetric offers its axis; a radius has no pictures; a cut offers the cut editor only.
    clickRow(u, rowOf("Symmetric1"));
    EXPECT_TRUE(page.isItemEnabled(L::kChoice));
    EXPECT_EQ(page.itemText(L::kChoice), "Y axis");
    EXPECT_FALSE(page.isItemEnabled(L::kValue));
    clickRow(u, rowOf("Radius1"));
    EXPECT_EQ(page.picturesInUse(), 0);
    EXPECT_FALSE(page.isItemEnabled(L::kPictures[0]));
    clickRow(u, rowOf("Cope"));
    EXPECT_TRUE(page.isItemShown(L::kCutEditor));
    EXPECT_FALSE(page.isItemEnabled(L::kValue));
    EXPECT_TRUE(page.isItemEnabled(L::kDelete));
}

TEST_F(ConstraintPages, StoringWritesWhatChangedAndNothingElse) {
    L& page = list();
    ui::DialogUser u(page);
    clickRow(u, 2); // the distance
    clickRow(u, 1); // nothing changed: nothing written
    EXPECT_EQ(drawing.undoSteps(), 0);

    clickRow(u, 2);
    u.typeText(L::kValue, "55");
    u.click(L::kPictures[2]); // along Y
    u.click(L::kFlag1);       // no longer driving: not shown either
    EXPECT_EQ(page.checkState(L::kFlag2), 0);
    EXPECT_FALSE(page.isItemEnabled(L::kFlag2));
    clickRow(u, 1);
    EXPECT_EQ(drawing.undoSteps(), 1);
    const Zrk_Constraint& distance = constraintNamed("Distance1");
    EXPECT_EQ(distance.value, "55");
    EXPECT_EQ(distance.options, (Zrk_Array<int>{3, 4}));
    EXPECT_FALSE(distance.driving);
    EXPECT_FALSE(distance.shown);
    EXPECT_DOUBLE_EQ(plate().findVariable("Edge")->value, 55.0);

    // A choice is stored as its index.
    clickRow(u, rowOf("Symmetric1"));
    u.chooseText(L::kChoice, "Z axis");
    clickRow(u, 1);
    EXPECT_EQ(constraintNamed("Symmetric1").choice, 2);

    // A record whose picture selections do not match the buttons: said, the record's selections
    // kept; the core library then refuses a constraint with too few selections, and that is said too.
    clickRow(u, 2);
    dialog->data.optionSelections[1] = {1};
    u.typeText(L::kValue, "60");
    clickRow(u, 1);
    EXPECT_NE(host::CommandLine::instance().buffer().find("*Error* Array size mismatch.\n"),
              Zrk_String::npos);
    EXPECT_EQ(constraintNamed("Distance1").value, "55");
    EXPECT_EQ(constraintNamed("Distance1").options, (Zrk_Array<int>{3, 4}));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("Distance1"), Zrk_String::npos);

    // A value the core library refuses is said; the drawing keeps its value.
    clickRow(u, rowOf("Radius1"));
    u.typeText(L::kValue, "-3");
    const int steps = drawing.undoSteps();
    clickRow(u, 1);
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_NE(user.messageBoxes()[1].request.text.find("Radius1"), Zrk_String::npos);
    EXPECT_EQ(constraintNamed("Radius1").value, "11");
    EXPECT_EQ(drawing.undoSteps(), steps);
}

TEST_F(ConstraintPages, VariableNamesAreCheckedWhenTheEditIsLeft) {
    L& page = list();
    ui::DialogUser u(page);
    clickRow(u, 2);
    auto leaveName = [&](const Zrk_String& name) {
        u.focus(L::kName);
        u.typeText(L::kName, name);
        u.focus(L::kValue);
    };
    leaveName("1st");
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(884));
    EXPECT_EQ(user.messageBoxes()[0].request.text, "\"1st\"\n" + dialString(885) + ".\n" + dialString(886) +
                                                       ".\n" + dialString(887) + ".\n\n" + dialString(888) +
                                                       ".");
    EXPECT_EQ(page.itemText(L::kName), "1st"); // kept for correction
    leaveName("gap-2");
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_EQ(user.messageBoxes()[1].request.text,
              "\"gap-2\"\n" + dialString(1455) + ".\n" + dialString(1456) + ".\n\n" + dialString(888) + ".");
    leaveName("pitch"); // another dimension variable, letter case aside
    ASSERT_EQ(user.messageBoxes().size(), 3u);
    EXPECT_EQ(user.messageBoxes()[2].request.caption, dialString(856));
    EXPECT_EQ(user.messageBoxes()[2].request.text,
              "\"pitch\"\n" + dialString(857) + ".\n" + dialString(858) + ".");
    leaveName("EdgeDistance");
    EXPECT_EQ(user.messageBoxes().size(), 3u);
    clickRow(u, 1);
    EXPECT_EQ(constraintNamed("Distance1").variable, "EdgeDistance");
    // The dimension variable was renamed with its flex group entry.
    EXPECT_NE(plate().findVariable("EdgeDistance"), nullptr);
    EXPECT_EQ(plate().flexGroups[0].entries[0].variable, "EdgeDistance");
}

TEST_F(ConstraintPages, SortingDeletingAndAModuleWithoutConstraints) {
    L& page = list();
    ui::DialogUser u(page);
    // By kind: the first sort takes the next column as its second key.
    ASSERT_TRUE(u.clickAt(headerPoint(page.grid, page, 2)));
    EXPECT_EQ(page.sortedColumn(), 2);
    EXPECT_EQ(dialog->data.sortPrevious, 3);
    const Zrk_StringArray sorted = column(page.grid, 2);
    Zrk_StringArray expected = sorted;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const Zrk_String& a, const Zrk_String& b) { return toLower(a) < toLower(b); });
    EXPECT_EQ(sorted, expected);
    // The same column again changes nothing; the selected constraint stays selected.
    clickRow(u, rowOf("Radius1"));
    const Zrk_StringArray names = column(page.grid, 1);
    ASSERT_TRUE(u.clickAt(headerPoint(page.grid, page, 2)));
    EXPECT_EQ(column(page.grid, 1), names);
    EXPECT_EQ(cell(page.grid, 1, page.selected() + 1), "Radius1");
    // By name: the second key is the kind.
    ASSERT_TRUE(u.clickAt(headerPoint(page.grid, page, 1)));
    EXPECT_EQ(cell(page.grid, 1, 1), "Angle1");
    EXPECT_EQ(dialog->data.sortPrevious, 2);
    EXPECT_EQ(cell(page.grid, 1, page.selected() + 1), "Radius1");

    // Deleting the first selects the new first; deleting another selects the one before it.
    clickRow(u, 1);
    ASSERT_TRUE(u.click(L::kDelete));
    EXPECT_EQ(cell(page.grid, 1, 1), "BeamEnd");
    EXPECT_EQ(page.selected(), 0);
    const Zrk_String before = cell(page.grid, 1, 4);
    clickRow(u, 5);
    const Zrk_String deleted = cell(page.grid, 1, 5);
    ASSERT_TRUE(u.click(L::kDelete));
    EXPECT_EQ(page.selected(), 3);
    EXPECT_EQ(cell(page.grid, 1, 4), before);
    EXPECT_EQ(column(page.grid, 1).find(deleted), -1);
    EXPECT_EQ(page.grid.getNrRows(), 15);
    EXPECT_EQ(drawing.undoSteps(), 2);

    // A module without constraints: the headers over an empty list, nothing to delete.
    ui::DialogUser(*dialog).chooseText(D::kModules, "Bolts");
    EXPECT_EQ(page.grid.getNrRows(), 0);
    EXPECT_EQ(page.grid.getNrCols(), 4);
    EXPECT_EQ(page.selected(), -1);
    EXPECT_FALSE(page.isItemEnabled(L::kDelete));
    EXPECT_FALSE(page.isItemEnabled(L::kValue));
}

TEST_F(ConstraintPages, TheContextMenuRunsTheActionOfItsItem) {
    L& page = list();
    ui::DialogUser u(page);
    const int row = rowOf("Distance1");
    user.answerPopupMenu(L::kMenuCommands[1]); // the second action: driving
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, 3, row), true));
    ASSERT_EQ(user.popupMenus().size(), 1u);
    const std::vector<ui::MenuItem>& items = user.popupMenus()[0].items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].id, 32811);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[2].id, 32812);
    EXPECT_TRUE(items[2].checked);
    EXPECT_EQ(items[3].id, 32816);
    EXPECT_TRUE(items[3].checked);
    EXPECT_TRUE(items[4].separator);
    EXPECT_EQ(items[5].id, 32817);
    EXPECT_FALSE(constraintNamed("Distance1").driving);
    EXPECT_EQ(page.checkState(L::kFlag1), 0);
    EXPECT_EQ(cell(page.grid, 1, page.selected() + 1), "Distance1");

    // The menu of a cut deletes it through its first command (its only action); a command beyond
    // the menu's actions does nothing.
    const int cuts = plate().cuts.length();
    user.answerPopupMenu(L::kMenuCommands[0]);
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, 1, rowOf("Round")), true));
    EXPECT_EQ(plate().cuts.length(), cuts - 1);
    EXPECT_EQ(cell(page.grid, 1, page.selected() + 1), "Corner");
    EXPECT_EQ(page.grid.getNrRows(), 16);
    // Column 4 offers no menu.
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, 4, 1), true));
    EXPECT_EQ(user.popupMenus().size(), 2u);
}

TEST_F(ConstraintPages, TheCutEditorWritesTheCutAndItsEscapeDoesNotEndTheDialog) {
    L& page = list();
    ui::DialogUser u(page);
    clickRow(u, rowOf("Round"));
    user.onDialog(DlgMacroCuts::kTemplate, [](ui::DialogUser& cuts) {
        auto& dlg = static_cast<DlgMacroCuts&>(cuts.dialog());
        EXPECT_EQ(dlg.data.cut.name, "Round");
        dlg.grid.setCellText(3, 1, "22");
        cuts.click(ui::IDOK);
    });
    ASSERT_TRUE(u.click(L::kCutEditor));
    EXPECT_DOUBLE_EQ(plate().cuts.last().offsets[kCutRadius], 22.0);
    EXPECT_EQ(drawing.undoSteps(), 1);
    EXPECT_FALSE(page.swallowsEscape());

    // Left with Escape: nothing written, and the next Escape on the page is swallowed.
    user.onDialog(DlgMacroCuts::kTemplate, [](ui::DialogUser& cuts) { cuts.pressKey(ui::VK_ESCAPE); });
    ASSERT_TRUE(u.click(L::kCutEditor));
    EXPECT_EQ(drawing.undoSteps(), 1);
    EXPECT_TRUE(page.swallowsEscape());
    u.passTime(ConstraintEditingPage::kHighlightPeriod);
    u.focus(L::kGrid);
    u.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(openConstraintDialog(), dialog);
    EXPECT_FALSE(page.swallowsEscape());
    u.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(openConstraintDialog(), nullptr);
}

TEST_F(ConstraintPages, EscapeBelongsToTheGridForTwoSecondsAfterASelection) {
    L& page = list();
    ui::DialogUser u(page);
    clickRow(u, 3);
    EXPECT_TRUE(page.inHighlightPeriod());
    u.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(openConstraintDialog(), dialog);
    u.passTime(1500);
    clickRow(u, 2); // restarts the period
    u.passTime(1000);
    u.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(openConstraintDialog(), dialog);
    u.passTime(1000);
    EXPECT_FALSE(page.inHighlightPeriod());
    // Escape now ends the dialog as Close does: an edit of the selected constraint is stored.
    u.typeText(L::kValue, "1");
    const Zrk_String name = cell(page.grid, 1, 2);
    u.focus(L::kValue);
    u.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(openConstraintDialog(), nullptr);
    EXPECT_EQ(constraintNamed(name).value, "1");
    // Leaving took the highlight away.
    EXPECT_TRUE(host::Editor::instance().highlights().empty());
}

TEST_F(ConstraintPages, MoreThanFivePicturesShowTheFirstFiveAndSaySo) {
    L& page = list();
    ui::DialogUser u(page);
    clickRow(u, 2);
    Zrk_StringArray& options = dialog->data.pictureOptions[0];
    options = dialog->data.pictureOptions[1];
    options.insertAt(1, options[0]);
    options.insertAt(1, options[0]); // seven pictures: 5 in the first group, then 2
    dialog->data.optionSelections[0] = {5, 7};
    page.selectConstraint(0);
    EXPECT_EQ(page.picturesInUse(), 5);
    EXPECT_EQ(page.secondGroupStart(), 6); // no second group on the buttons
    EXPECT_TRUE(picture(5));
    EXPECT_NE(host::CommandLine::instance().buffer().find(
                  "offers 7 pictures; the 2 after the first 5 are left out"),
              Zrk_String::npos);
    // Every button of the first group belongs to it.
    u.click(L::kPictures[0]);
    EXPECT_TRUE(picture(1) && !picture(5));
}

// --- the geometry page ---------------------------------------------------------------------------------

TEST_F(ConstraintPages, TheGeometryPageSwitchesFlexibilityAndConstrainedAtOnceAndTagsOnStoring) {
    ui::DialogUser(*dialog).choose(D::kTabs, D::kGeometryTab);
    G& page = geometry();
    ui::DialogUser u(page);
    ASSERT_EQ(page.grid.getNrRows(), 6);
    EXPECT_EQ(page.grid.getNrCols(), 5);
    EXPECT_EQ(column(page.grid, G::kTagColumn),
              (Zrk_StringArray{"TopEdge", "", "BottomEdge", "", "Hole", ""}));
    EXPECT_EQ(cell(page.grid, G::kFlexColumn, 2), dialString(894));
    EXPECT_EQ(column(page.grid, G::kConstrainedColumn), (Zrk_StringArray{"0", "1", "1", "0", "1", "1"}));

    // Selecting a row highlights its object only.
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, 1, 2)));
    EXPECT_TRUE(host::Editor::instance().isHighlighted(AcDbObjectId(1002)));
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, 1, 3)));
    EXPECT_FALSE(host::Editor::instance().isHighlighted(AcDbObjectId(1002)));
    EXPECT_TRUE(host::Editor::instance().isHighlighted(AcDbObjectId(1003)));

    // A tag typed on row 2 ...
    page.grid.setCellText(G::kTagColumn, 2, "MidEdge");
    // ... stays while the flexibility of row 3 changes to the first text (level 1 for the core).
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, G::kFlexColumn, 3)));
    ASSERT_TRUE(u.pressKey(ui::VK_F2));
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(0);
    ASSERT_TRUE(u.pressKey(ui::VK_RETURN));
    EXPECT_EQ(plate().geometry[2].flexibility, core::kFlexFixed);
    EXPECT_EQ(cell(page.grid, G::kTagColumn, 2), "MidEdge");
    EXPECT_EQ(plate().geometry[1].nameTag, "");

    // The constrained check box: row 4 switches, row 1 (held by the macro) does not react.
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, G::kConstrainedColumn, 4)));
    EXPECT_EQ(plate().geometry[3].constrained, 1);
    const int steps = drawing.undoSteps();
    ASSERT_TRUE(u.clickAt(cellPoint(page.grid, page, G::kConstrainedColumn, 1)));
    EXPECT_EQ(plate().geometry[0].constrained, core::kConstrainedByMacro);
    EXPECT_EQ(drawing.undoSteps(), steps);
    EXPECT_EQ(cell(page.grid, G::kTagColumn, 2), "MidEdge");

    // Storing all pages (here before a module change) writes the tags.
    ui::DialogUser(*dialog).chooseText(D::kModules, "Cleats");
    EXPECT_EQ(plate().geometry[1].nameTag, "MidEdge");
    // Leaving the page takes its highlight away.
    ui::DialogUser(*dialog).choose(D::kTabs, D::kListTab);
    EXPECT_FALSE(host::Editor::instance().isHighlighted(AcDbObjectId(1003)));
}

TEST_F(ConstraintPages, ATagInUseIsRefusedAndStaysForCorrection) {
    ui::DialogUser(*dialog).choose(D::kTabs, D::kGeometryTab);
    G& page = geometry();
    page.grid.setCellText(G::kTagColumn, 2, "topedge");
    ui::DialogUser(*dialog).choose(D::kTabs, D::kListTab); // stores the geometry page
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(plate().geometry[1].nameTag, "");
    EXPECT_EQ(cell(page.grid, G::kTagColumn, 2), "topedge");
    page.grid.setCellText(G::kTagColumn, 2, "Middle");
    ui::DialogUser(*dialog).choose(D::kTabs, D::kGeometryTab);
    ui::DialogUser(*dialog).choose(D::kTabs, D::kListTab);
    EXPECT_EQ(plate().geometry[1].nameTag, "Middle");
    EXPECT_EQ(user.messageBoxes().size(), 1u);
}

// --- the variables and equations page ------------------------------------------------------------------

TEST_F(ConstraintPages, VariablesAndEquationsAreStoredOnEnteringAndWithTheOtherPages) {
    ui::DialogUser d(*dialog);
    d.choose(D::kTabs, D::kVariablesTab);
    V& page = variables();
    ui::DialogUser u(page);
    EXPECT_EQ(column(page.variables, 1), (Zrk_StringArray{"Gap", "Clearance"}));
    EXPECT_EQ(column(page.variables, 2), (Zrk_StringArray{"5", "2"}));
    EXPECT_EQ(cell(page.variables, 3, 2), dialString(901));
    EXPECT_EQ(page.dimensions.getNrRows(), plate().variables.length());
    EXPECT_EQ(page.itemText(V::kEquations), "Gap = Edge / 8");
    EXPECT_EQ(drawing.undoSteps(), 0); // entering stored nothing that changed

    // Edits: a new variable whose value is no number, a blank row, blank lines between equations.
    ASSERT_TRUE(u.click(V::kAdd));
    page.variables.setCellText(1, 3, "Spare");
    page.variables.setCellText(2, 3, "abc");
    page.variables.setCellText(3, 3, dialString(1325));
    ASSERT_TRUE(u.click(V::kAdd)); // left blank
    u.typeText(V::kEquations, "\r\nGap = Edge / 4\n\n\r\nSpare = Gap * 2\r\n");
    // Leaving for another tab keeps the edits on the page; they are not written yet.
    d.choose(D::kTabs, D::kListTab);
    EXPECT_EQ(plate().moduleVariables.length(), 2);
    EXPECT_EQ(page.variables.getNrRows(), 4);
    // Entering again stores them.
    d.choose(D::kTabs, D::kVariablesTab);
    ASSERT_EQ(plate().moduleVariables.length(), 3);
    EXPECT_EQ(plate().moduleVariables[2].name, "Spare");
    EXPECT_EQ(plate().moduleVariables[2].kind, 5);
    EXPECT_EQ(plate().equations, (Zrk_StringArray{"Gap = Edge / 4", "Spare = Gap * 2"}));
    EXPECT_DOUBLE_EQ(plate().moduleVariables[0].value, 10.0);
    EXPECT_DOUBLE_EQ(plate().moduleVariables[2].value, 20.0);
    // Shown again, joined by line feeds alone.
    EXPECT_EQ(page.itemText(V::kEquations), "Gap = Edge / 4\nSpare = Gap * 2");
    EXPECT_EQ(page.variables.getNrRows(), 3);

    // A value that is no number is 0 (the equation then computes it).
    page.variables.setCellText(2, 2, "none");
    u.typeText(V::kEquations, "Gap = Clearance + 1");
    const int steps = drawing.undoSteps();
    page.variables.setActiveCell(1, 3);
    ASSERT_TRUE(u.click(V::kRemove));   // Spare
    d.chooseText(D::kModules, "Bolts"); // stores all pages
    EXPECT_EQ(drawing.undoSteps(), steps + 1);
    ASSERT_EQ(plate().moduleVariables.length(), 2);
    EXPECT_DOUBLE_EQ(plate().moduleVariables[1].value, 0.0);
    EXPECT_DOUBLE_EQ(plate().moduleVariables[0].value, 1.0);
}

TEST_F(ConstraintPages, RefusedVariablesStayOnThePageAndEscapeEndsTheDialog) {
    ui::DialogUser d(*dialog);
    d.choose(D::kTabs, D::kVariablesTab);
    V& page = variables();
    ui::DialogUser u(page);
    u.typeText(V::kEquations, "Nothing = 1");
    d.choose(D::kTabs, D::kListTab);
    d.choose(D::kTabs, D::kVariablesTab);
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("Nothing"), Zrk_String::npos);
    EXPECT_EQ(page.itemText(V::kEquations), "Nothing = 1");
    EXPECT_EQ(plate().equations, (Zrk_StringArray{"Gap = Edge / 8"}));
    // Corrected, and ended with Escape: the Close button's end stores it.
    u.typeText(V::kEquations, "Gap = 3");
    u.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(openConstraintDialog(), nullptr);
    EXPECT_EQ(plate().equations, (Zrk_StringArray{"Gap = 3"}));
}

TEST_F(ConstraintPages, APaletteCommandStoresThePagesBeforeItFillsThemAgain) {
    ui::DialogUser d(*dialog);
    d.choose(D::kTabs, D::kVariablesTab);
    ui::DialogUser(variables()).typeText(V::kEquations, "Gap = Edge / 2");
    d.choose(D::kTabs, D::kGeometryTab);
    geometry().grid.setCellText(G::kTagColumn, 6, "Corner");
    d.choose(D::kTabs, D::kPaletteTab); // the variables page is left unstored, the geometry page stored
    EXPECT_EQ(plate().equations, (Zrk_StringArray{"Gap = Edge / 8"}));
    user.answerPick(AcDbObjectId(1006));
    ASSERT_TRUE(ui::DialogUser(dialog->palette).click(ConstraintPalettePage::kFirstButton + 10)); // fix
    EXPECT_EQ(plate().equations, (Zrk_StringArray{"Gap = Edge / 2"}));
    EXPECT_EQ(plate().geometry[5].nameTag, "Corner");
    EXPECT_EQ(variables().itemText(V::kEquations), "Gap = Edge / 2");
}

TEST(ConstraintVariablesText, EquationsSplitOnEitherLineEndAndJoinWithLineFeeds) {
    EXPECT_EQ(V::splitEquations("a = 1\r\nb = 2\n\rc = 3\rd = 4\n"),
              (Zrk_StringArray{"a = 1", "b = 2", "c = 3", "d = 4"}));
    EXPECT_EQ(V::splitEquations("  \n\n"), Zrk_StringArray{});
    const Zrk_StringArray equations{"x = 1", "y = x * 2"};
    EXPECT_EQ(V::joinEquations(equations), "x = 1\ny = x * 2");
    EXPECT_EQ(V::splitEquations(V::joinEquations(equations)), equations);
}

TEST_F(ConstraintPages, PicturesOfTheThreePages) {
    ui::DialogUser d(*dialog);
    clickRow(*std::make_unique<ui::DialogUser>(list()), 2);
    EXPECT_TRUE(d.savePicture(Zrk_String(SS_PICTURE_DIR) + "/constraint-list.png"));
    d.choose(D::kTabs, D::kGeometryTab);
    EXPECT_TRUE(d.savePicture(Zrk_String(SS_PICTURE_DIR) + "/constraint-geometry.png"));
    d.choose(D::kTabs, D::kVariablesTab);
    EXPECT_TRUE(d.savePicture(Zrk_String(SS_PICTURE_DIR) + "/constraint-variables.png"));
}
