// The constraint dialog, played by the scripted user on the first end-plate connection of the sample
// drawing of the macro dialogs: one modeless window at a time and its end, the modal run, the palette
// (a kind's command, the kind without a picture, a cancelled pick), the interactive wrapper, module
// management (add, rename, remove down to the last) and the settings button.

#include "constraint_fixture.h"
#include "constraints/dlg_edit_constraints.h"
#include "constraints/dlg_macro_settings.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"

namespace {

using D = DlgEditConstraints;
using P = ConstraintPalettePage;
using constrainttest::kMacroA;
const AcDbObjectId kMacroB(102);
const AcDbObjectId kCorner(1006);

class ConstraintDialog : public constrainttest::ConstraintDrawingTest {
protected:
    void SetUp() override {
        ConstraintDrawingTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(record.moduleName, "Plate");
    }

    // The modeless window, opened; a hand on it.
    D& openModeless() {
        EXPECT_TRUE(StartDlgEditConstraints(record));
        D* dialog = openConstraintDialog();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    static Zrk_StringArray modules(const D& dialog) {
        Zrk_StringArray names;
        for (int i = 0; i < dialog.comboCount(D::kModules); ++i)
            names.append(dialog.comboText(D::kModules, i));
        return names;
    }
    const Zrk_Macro& macroA() { return *drawing.findMacro(kMacroA)->macro(); }
};

} // namespace

TEST_F(ConstraintDialog, StartingTwiceLeavesOneWindowThatEndsOnce) {
    D& dialog = openModeless();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.modeless);
    EXPECT_EQ(modules(dialog), (Zrk_StringArray{"Plate", "Bolts", "Cleats", "Stiffener"}));
    EXPECT_EQ(dialog.itemText(D::kModules), "Plate");
    EXPECT_EQ(dialog.currentTab(), D::kListTab);
    EXPECT_TRUE(dialog.listPage->isVisible());
    EXPECT_FALSE(dialog.palette.isVisible());

    EditConstrData other;
    other.macroId = kMacroB;
    EXPECT_TRUE(StartDlgEditConstraints(other)); // nothing happens
    EXPECT_EQ(openConstraintDialog(), &dialog);
    EXPECT_EQ(dialog.data.macroId, kMacroA);

    const int prompts = host::CommandLine::instance().promptRequests();
    EndDlgEditConstraints();
    EXPECT_EQ(openConstraintDialog(), nullptr);
    EXPECT_EQ(host::CommandLine::instance().promptRequests(), prompts + 1);
    // Open again, then ended from its own close box.
    D& again = openModeless();
    ui::DialogUser(again).closeWindow();
    EXPECT_EQ(openConstraintDialog(), nullptr);
    EXPECT_FALSE(again.isCreated());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // And its Close button ends it too: a hidden window that still counted as open would keep every
    // later start from showing one.
    ui::DialogUser(openModeless()).click(ui::IDOK);
    EXPECT_EQ(openConstraintDialog(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(drawing.undoSteps(), 0);
}

TEST_F(ConstraintDialog, APaletteKindRunsSteppedAsideAndShowsTheListPage) {
    D& dialog = openModeless();
    ui::DialogUser u(dialog);
    u.choose(D::kTabs, D::kPaletteTab);
    EXPECT_TRUE(dialog.palette.isVisible());
    ui::DialogUser palette(dialog.palette);
    // The button without a picture still runs the command of its kind: a fix of a picked object.
    bool hiddenWhilePicking = false;
    user.onPick([&](const host::PickRequest&, host::PickAnswer& answer) {
        hiddenWhilePicking = !dialog.isVisible() && host::Editor::instance().openEditorCommands() == 1;
        answer = host::PickAnswer::of(kCorner);
        return RTNORM;
    });
    const int constraints = macroA().findModule("Plate")->constraints.length();
    ASSERT_TRUE(palette.click(P::kFirstButton + 10));
    EXPECT_TRUE(hiddenWhilePicking);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(host::Editor::instance().openEditorCommands(), 0);
    EXPECT_EQ(macroA().findModule("Plate")->constraints.length(), constraints + 1);
    EXPECT_EQ(macroA().findModule("Plate")->constraints.last().kind, core::kConstrFix);
    EXPECT_EQ(dialog.currentTab(), D::kListTab);
    EXPECT_TRUE(dialog.listPage->isVisible());

    // A cancelled pick leaves the tab and the module as they were, and the window shown.
    u.choose(D::kTabs, D::kPaletteTab);
    u.choose(D::kModules, 2); // Cleats
    user.cancelPick();
    palette.click(P::kFirstButton + 7); // a distance
    EXPECT_EQ(dialog.currentTab(), D::kPaletteTab);
    EXPECT_EQ(dialog.itemText(D::kModules), "Cleats");
    EXPECT_EQ(dialog.data.moduleName, "Cleats");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(drawing.undoSteps(), 1);
}

TEST_F(ConstraintDialog, ModulesAreAddedRenamedAndRemovedDownToTheLast) {
    D& dialog = openModeless();
    ui::DialogUser u(dialog);
    // Add: the new module is the list's last entry, and current.
    ASSERT_TRUE(u.click(D::kAddModule));
    EXPECT_EQ(modules(dialog), (Zrk_StringArray{"Plate", "Bolts", "Cleats", "Stiffener", "Module1"}));
    EXPECT_EQ(dialog.itemText(D::kModules), "Module1");
    EXPECT_EQ(dialog.data.moduleName, "Module1");

    // Rename the chosen module, asked with its name.
    u.choose(D::kModules, 1);
    user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& input) {
        EXPECT_EQ(input.dialog().itemText(DlgTextInput::kEdit), "Bolts");
        input.typeText(DlgTextInput::kEdit, "Bolting");
        input.click(ui::IDOK);
    });
    ASSERT_TRUE(u.click(D::kRename));
    EXPECT_EQ(modules(dialog), (Zrk_StringArray{"Plate", "Bolting", "Cleats", "Stiffener", "Module1"}));
    EXPECT_EQ(dialog.comboCurSel(D::kModules), 1);
    EXPECT_EQ(dialog.data.moduleName, "Bolting");
    // A name another module has is refused: nothing changes.
    user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& input) {
        input.typeText(DlgTextInput::kEdit, "plate");
        input.click(ui::IDOK);
    });
    u.click(D::kRename);
    EXPECT_EQ(dialog.data.moduleName, "Bolting");

    // Remove the last entry: the new last entry is chosen and current. Each removal is one undo step.
    const int steps = drawing.undoSteps();
    u.choose(D::kModules, 4);
    ASSERT_TRUE(u.click(D::kRemove));
    EXPECT_EQ(dialog.itemText(D::kModules), "Stiffener");
    EXPECT_EQ(dialog.data.moduleName, "Stiffener");
    EXPECT_EQ(drawing.undoSteps(), steps + 1);
    // Remove the first: the same place, now Bolting.
    u.choose(D::kModules, 0);
    u.click(D::kRemove);
    EXPECT_EQ(dialog.itemText(D::kModules), "Bolting");
    u.click(D::kRemove);
    u.click(D::kRemove);
    EXPECT_EQ(modules(dialog), (Zrk_StringArray{"Stiffener"}));
    // The macro's last module stays, and stays current.
    u.click(D::kRemove);
    EXPECT_EQ(modules(dialog), (Zrk_StringArray{"Stiffener"}));
    EXPECT_EQ(dialog.data.moduleName, "Stiffener");
    EXPECT_EQ(macroA().modules.length(), 1);
    // Undo brings back the module removed last.
    ASSERT_TRUE(drawing.undo());
    EXPECT_EQ(macroA().modules.length(), 2);
}

TEST_F(ConstraintDialog, TheModalRunEndsWithCloseOrCancelsFromTheCloseBox) {
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        EXPECT_FALSE(static_cast<D&>(u.dialog()).modeless);
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(StartDlgEditConstrModal(record));
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) { u.closeWindow(); });
    EXPECT_FALSE(StartDlgEditConstrModal(record));
    EXPECT_EQ(openConstraintDialog(), nullptr);
}

TEST_F(ConstraintDialog, ZoomAndTheSettingsButton) {
    D& dialog = openModeless();
    ui::DialogUser u(dialog);
    // A second zoom asked for while the first waits for its window is ignored.
    bool secondRefused = false;
    user.onPick([&](const host::PickRequest& request, host::PickAnswer& answer) {
        secondRefused = !dialog.zoom();
        answer.points = {{0, 0, 0}, {100, 100, 0}};
        return request.kind == host::PickKind::ZoomWindow ? RTNORM : RTCAN;
    });
    ASSERT_TRUE(u.click(D::kZoom));
    EXPECT_TRUE(secondRefused);
    ASSERT_FALSE(host::Editor::instance().viewChanges().empty());
    EXPECT_EQ(host::Editor::instance().viewChanges().back().kind, host::ViewChange::Kind::Window);
    EXPECT_TRUE(dialog.isVisible());

    // The settings of the macro: written on OK, one undo step.
    user.onDialog(DlgMacroSettings::kTemplate, [](ui::DialogUser& s) {
        ui::DialogUser angles(static_cast<DlgMacroSettings&>(s.dialog()).anglePage);
        angles.click(MacroAngleFiltersPage::kActive);
        s.click(ui::IDOK);
    });
    const int steps = drawing.undoSteps();
    ASSERT_TRUE(u.click(D::kSettings));
    EXPECT_FALSE(macroA().settings.angleFilters.enabled);
    EXPECT_EQ(drawing.undoSteps(), steps + 1);
}

TEST_F(ConstraintDialog, PictureOfThePalette) {
    D& dialog = openModeless();
    ui::DialogUser u(dialog);
    u.choose(D::kTabs, D::kPaletteTab);
    EXPECT_TRUE(u.savePicture(Zrk_String(SS_PICTURE_DIR) + "/constraints-palette.png"));
    u.choose(D::kTabs, D::kListTab);
    EXPECT_TRUE(u.savePicture(Zrk_String(SS_PICTURE_DIR) + "/constraints-list.png"));
}
