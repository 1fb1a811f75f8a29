// The macro dialog's pages on the sample drawing's end-plate macro, played by the scripted user: the
// template and the grid sharing the tab's items, a value typed on the template and in the grid
// reaching the drawing (and a refused one leaving it as it was), the rotation list and its varies
// item, the cell buttons' sums, the Tab cycle over template, grid and fixed controls, F12 and the
// bolt fields.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <set>

#include "core/language.h"
#include "core/macro_tabs.h"
#include "core/macro_update.h"
#include "designer/dlg_designer.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_array.h"
#include "macrodlg/dlg_bolt_advanced.h"
#include "macrodlg/dlg_macro.h"
#include "macrodlg/dlg_pattern_settings.h"
#include "module/entry_function.h"
#include "sheetdoc/dlg_text_input.h"

namespace {

using macrotest::kMacroA;

class MacroPages : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        ASSERT_TRUE(data.initFromMacros({kMacroA}));
    }
    // Runs the dialog modally on data with the script; data is the dialog's afterwards.
    void run(const std::function<void(DlgMacro&, ui::DialogUser&)>& script) { runMacroDialog(data, script); }
    int tabIndex(const Zrk_String& name) const {
        int index = -1;
        EXPECT_TRUE(data.findTab(name, index)) << name;
        return index;
    }
    static MacroCellData& cellOf(MacroTabData& tab, const Zrk_String& name) {
        int index = -1;
        EXPECT_TRUE(tab.findCellWithName(name, index)) << name;
        return tab.cells[index];
    }
    Zrk_String variable(const Zrk_String& module, const Zrk_String& name) {
        for (const Zrk_DimVariable& each : moduleOf(kMacroA, module).variables)
            if (each.name == name) return core::numberText(each.value);
        return "(none)";
    }
    int steps() { return document.database().undoSteps(); }

    MacroData data;
};

// What a person does to change a grid cell: opens its editor, types, presses Enter.
void typeIntoGridCell(Zrk_Spread& grid, int column, int row, const Zrk_String& text) {
    QTableView* view = grid.view();
    const QModelIndex index = view->model()->index(row - 1, column - 1);
    view->setFocus();
    view->setCurrentIndex(index);
    view->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromStdString(text));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
}

// The designer control of a page's template with that type, or -1.
int controlOfType(MacroPage& page, Zrk_ControlType type) {
    for (int i = 0; i < page.designer.getNrControls(); ++i)
        if (page.designer.getControl(i)->type == type) return page.designer.getControl(i)->resourceId;
    return -1;
}

} // namespace

TEST_F(MacroPages, ATabOfThreeCellsWithOneOnTheTemplateListsTheOtherTwoInGridRowsMinusOneAndTwo) {
    MacroTabData tab;
    tab.name = "Hand-made";
    tab.templatePath = "Dialog Templates/Dialog Design/Macro plate.txt";
    for (const char* name : {"Alpha", "Edge", "Beta"}) {
        MacroCellData cell;
        cell.name = cell.label = name;
        cell.value = "1";
        tab.cells.append(cell);
    }
    data.tabs = {tab};
    data.firstTabName = tab.name;
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        MacroPage* page = dialog.page(0);
        ASSERT_NE(page, nullptr);
        MacroTabData& shown = *page->tab();
        EXPECT_EQ(cellOf(shown, "Alpha").ctrl, -1);
        EXPECT_GE(cellOf(shown, "Edge").ctrl, Zrk_DlgDesignerData::kFirstControlId);
        EXPECT_EQ(cellOf(shown, "Beta").ctrl, -2);
        EXPECT_EQ(page->grid.getNrRows(), 2);
        EXPECT_EQ(cell(page->grid, 1, 1), "Alpha");
        EXPECT_EQ(cell(page->grid, 1, 2), "Beta");
        // Every control whose item the tab lacks is gone; labels stay.
        for (int i = 0; i < page->designer.getNrControls(); ++i) {
            const Zrk_DesignerControl& control = *page->designer.getControl(i);
            EXPECT_TRUE(control.type == ctLabel || control.type == ctGroupBox || control.contents == "Edge")
                << control.contents;
        }
    });
}

TEST_F(MacroPages, EveryControlOfTheSampleTemplatesBindsToTheSampleMacro) {
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        // Across the four tabs' templates the 31 control types all bound to an item of their tab.
        std::set<int> types;
        for (int p = 0; p < dialog.pageCount(); ++p)
            for (int i = 0; i < dialog.page(p)->designer.getNrControls(); ++i)
                types.insert(dialog.page(p)->designer.getControl(i)->type);
        EXPECT_EQ(types.size(), 31u);
        MacroTabData& plate = *dialog.page(tabIndex("EndPlate"))->tab();
        EXPECT_GT(cellOf(plate, "Edge").ctrl, 0);
        EXPECT_GT(cellOf(plate, "Mass").ctrl, 0); // the cell buttons' base
        EXPECT_LT(cellOf(plate, "Rows").ctrl, 0);
        EXPECT_GT(plate.cuts[0].ctrl, 0);
        MacroTabData& bolts = *dialog.page(tabIndex("EndPlateBolts"))->tab();
        EXPECT_TRUE(dialog.page(tabIndex("EndPlateBolts"))->hasBoltButton);
        EXPECT_GT(bolts.patterns[0].count2Ctrl, 0);
        EXPECT_EQ(bolts.patterns[1].count1Ctrl, -1); // "Extra" has no control: grid row 1
    });
}

TEST_F(MacroPages, AValueTypedOnTheTemplateReachesTheDrawingInOneStepAndARefusedOneLeavesItAsItWas) {
    const int before = steps();
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        MacroPage& page = *dialog.page(tabIndex("EndPlate"));
        ui::DialogUser pageUser(page);
        const int edge = cellOf(*page.tab(), "Edge").ctrl;
        const int pitch = cellOf(*page.tab(), "Pitch").ctrl;
        EXPECT_EQ(page.itemText(edge), "40");
        pageUser.typeText(edge, "45");
        pageUser.focus(pitch); // the edit loses the focus: applied
        EXPECT_EQ(variable("Plate", "Edge"), "45");
        EXPECT_EQ(steps(), before + 1);
        EXPECT_EQ(dialog.appliedChanges(), 1);

        // A text the macro cannot take: nothing is written, the page shows the drawing's value.
        pageUser.typeText(edge, "wide");
        pageUser.focus(pitch);
        EXPECT_EQ(variable("Plate", "Edge"), "45");
        EXPECT_EQ(steps(), before + 1);
        EXPECT_EQ(page.itemText(edge), "45");
        EXPECT_EQ(host::Document::current().transactionManager().numActiveTransactions(), 0);
    });
    EXPECT_TRUE(data.closed);
}

TEST_F(MacroPages, AValueTypedIntoTheGridIsAppliedAndNumbersAreNotRoundedWhenNothingWasTyped) {
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        MacroPage& page = *dialog.page(tabIndex("EndPlate"));
        const int row = -cellOf(*page.tab(), "Rows").ctrl;
        ASSERT_GT(row, 0);
        typeIntoGridCell(page.grid, 3, row, "6");
        EXPECT_EQ(variable("Plate", "Rows"), "6");
        EXPECT_EQ(cell(page.grid, 3, row), "6");
    });
    // The mass (9.42) and every other value stayed as they were.
    EXPECT_EQ(variable("Plate", "Mass"), "9.42");
    EXPECT_EQ(variable("Plate", "PlateHeight"), "400");
}

TEST_F(MacroPages, ARotationOfNinetyDegreesShowsAsNinetyDegreesAndChoosingTheVariesTextStoresNothing) {
    const int before = steps();
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        dialog.selectTab(tabIndex("EndPlateCleats"));
        MacroPage& page = *dialog.activePage();
        const int rotation = page.tab()->profGroups[0].rotationCtrl;
        ASSERT_GT(rotation, 0);
        EXPECT_EQ(page.itemText(rotation), "90\xB0");
        ui::DialogUser pageUser(page);
        pageUser.chooseText(rotation, core::variesText());
        EXPECT_EQ(page.tab()->profGroups[0].merged.rotation, "90");
        EXPECT_EQ(steps(), before);
        // A rotation chosen from the list is stored without its degree sign.
        pageUser.chooseText(rotation, "180\xB0");
        EXPECT_EQ(page.tab()->profGroups[0].merged.rotation, "180");
        EXPECT_EQ(steps(), before + 1);
    });
}

TEST(CellButtonSum, SplitsATotalOverNPartsAndCannotComputeWithNoParts) {
    // Type 25, n = 2, base 100, A = 10, no C: the button offers 105; 110 makes A 20.
    macrodlg::CellButtonSum sum{25, 100, 10, 2, 0, false};
    double total = 0, part = 0;
    ASSERT_TRUE(sum.total(total));
    EXPECT_DOUBLE_EQ(total, 105);
    ASSERT_TRUE(sum.part(110, part));
    EXPECT_DOUBLE_EQ(part, 20);
    // n = 0 would divide by zero: no sum, no part.
    sum.f = 0;
    EXPECT_FALSE(sum.total(total));
    EXPECT_FALSE(sum.part(110, part));
    // Type 26: base + A + C, and what the typed total leaves for A.
    const macrodlg::CellButtonSum second{26, 100, 10, 5, 0, true};
    ASSERT_TRUE(second.total(total));
    EXPECT_DOUBLE_EQ(total, 115);
    ASSERT_TRUE(second.part(120, part));
    EXPECT_DOUBLE_EQ(part, 15);
}

TEST_F(MacroPages, TheCellButtonAsksForTheTotalAndWritesThePartIntoItsTarget) {
    // The base (the read-only mass) 100 and the target (the edge) 10, as the example has them.
    MacroTabData& plate = data.tabs[tabIndex("EndPlate")];
    cellOf(plate, "Mass").value = "100";
    cellOf(plate, "Edge").value = "10";
    user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().itemText(DlgTextInput::kEdit), "105.00000");
        u.typeText(DlgTextInput::kEdit, "110");
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        MacroPage& page = *dialog.page(tabIndex("EndPlate"));
        const int button = controlOfType(page, ctCellButton);
        ASSERT_GT(button, 0);
        ui::DialogUser(page).click(button);
        EXPECT_EQ(page.itemText(cellOf(*page.tab(), "Edge").ctrl), "20");
    });
    EXPECT_EQ(variable("Plate", "Edge"), "20");
}

TEST_F(MacroPages, TabLeavesTheLastTemplateControlForTheFirstFreeGridCell) {
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        MacroPage& page = *dialog.page(tabIndex("EndPlate"));
        ASSERT_TRUE(page.designer.setFocusToCtrl(false));
        u.pressKey(ui::VK_TAB);
        EXPECT_TRUE(page.grid.hasFocus() || page.grid.isAncestorOf(QApplication::focusWidget()));
        int column = 0, row = 0;
        page.grid.getActiveCell(column, row);
        EXPECT_EQ(column, 3);
        EXPECT_EQ(row, 1);
        // Shift+Tab on the first free cell goes back to the template's last control.
        u.pressKey(ui::VK_TAB, true);
        int focused = 0;
        EXPECT_TRUE(page.designer.getFocusedDynControl(focused));
    });
}

TEST_F(MacroPages, ShiftTabOnTheFirstTemplateControlOfABoltPageGoesToTheLastFixedControl) {
    // A bolt tab on a template without an advanced bolt button shows the bolt fields below the grid.
    MacroTabData& bolts = data.tabs[tabIndex("EndPlateBolts")];
    bolts.templatePath = "Dialog Templates/Dialog Design/End plate.txt";
    data.firstTabName = bolts.name;
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        auto& page = static_cast<DlgMacroPage&>(*dialog.activePage());
        EXPECT_FALSE(page.hasBoltButton);
        EXPECT_TRUE(page.isItemShown(DlgMacroPage::kComposition));
        EXPECT_EQ(page.itemText(DlgMacroPage::kComposition), "M-8.8");
        EXPECT_EQ(page.itemText(DlgMacroPage::kDiameter), "20");
        ASSERT_TRUE(page.designer.setFocusToCtrl(true));
        u.pressKey(ui::VK_TAB, true);
        EXPECT_EQ(page.focusedItemId(), DlgMacroPage::kAdvanced);
        // And Tab from the last fixed control comes round to the template.
        u.pressKey(ui::VK_TAB);
        int focused = 0;
        EXPECT_TRUE(page.designer.getFocusedDynControl(focused));
        // The diameter chosen is the bolt record's at once.
        ui::DialogUser(page).chooseText(DlgMacroPage::kDiameter, "24");
        EXPECT_EQ(moduleOf(kMacroA, "Bolts").boltData->diameter, "24");
    });
}

TEST_F(MacroPages, EscapeOnAPageClosesTheDialogAndF12OpensTheDesignerOnTheTabsTemplate) {
    user.onDialog(DlgDesigner::kTemplate, [](ui::DialogUser& u) {
        EXPECT_NE(u.dialog().title().find("Macro plate"), Zrk_String::npos);
        u.click(ui::IDCANCEL);
    });
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        ASSERT_NE(dialog.activePage(), nullptr);
        u.pressKey(ui::VK_F12);
        EXPECT_FALSE(dialog.hasEnded());
        u.pressKey(ui::VK_ESCAPE);
        EXPECT_TRUE(dialog.hasEnded());
    });
    EXPECT_TRUE(data.closed);
}

TEST_F(MacroPages, TheSubMacroListSwapsTheDrawingAndTheFlexButtonsAndTheArrayButtonApplyTheirChanges) {
    const int before = steps();
    user.onDialog(DlgArray::kTemplate, [](ui::DialogUser& u) {
        u.typeText(DlgArray::kValue4, "480");
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        // The stiffener's drawing, chosen from the drawings of its library folder.
        dialog.selectTab(tabIndex("Stiffener"));
        MacroPage& stiffener = *dialog.activePage();
        const int drawings = stiffener.tab()->subMacroCtrl;
        ASSERT_GT(drawings, 0);
        EXPECT_EQ(stiffener.itemText(drawings), "Flat");
        EXPECT_EQ(listed(stiffener, drawings), (Zrk_StringArray{"Flat", "Ribbed", core::variesText()}));
        ui::DialogUser(stiffener).chooseText(drawings, "Ribbed");
        EXPECT_EQ(moduleOf(kMacroA, "Stiffener").subMacro, "Macros/Stiffeners/Ribbed.dwg");
        EXPECT_EQ(steps(), before + 1);

        // The edge's flex button pressed: the edge becomes the chain's flexible entry.
        dialog.selectTab(tabIndex("EndPlate"));
        MacroPage& plate = *dialog.activePage();
        int edgeButton = -1;
        for (int i = 0; i < plate.designer.getNrControls(); ++i) {
            const Zrk_DesignerControl& control = *plate.designer.getControl(i);
            if (control.type == ctFlexButton && control.contents == "Edge") edgeButton = control.resourceId;
        }
        ASSERT_GT(edgeButton, 0);
        EXPECT_EQ(plate.checkState(edgeButton), 0); // the edge is fixed, the pitch gives way
        ui::DialogUser(plate).click(edgeButton);
        const Zrk_FlexFixGroup& chain = moduleOf(kMacroA, "Plate").flexGroups[0];
        EXPECT_TRUE(chain.entries[chain.findEntry("Edge")].flexible);
        EXPECT_FALSE(chain.entries[chain.findEntry("Pitch")].flexible);
        EXPECT_EQ(steps(), before + 2);

        // The stiffeners' array: its dialog, and what it hands back written at once.
        ui::DialogUser(plate).click(controlOfType(plate, ctArrayButton));
        EXPECT_EQ(moduleOf(kMacroA, "Plate").arrays[0].values[3], "480");
        EXPECT_EQ(steps(), before + 3);
    });
}

TEST_F(MacroPages, ATabOfAnUnknownKindGetsNoPage) {
    MacroTabData odd;
    odd.name = "Odd";
    odd.kind = 7;
    data.tabs.append(odd);
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.pageCount(), data.tabs.length());
        EXPECT_EQ(dialog.page(data.tabs.length() - 1), nullptr);
        u.choose(DlgMacro::kTabs, data.tabs.length() - 1);
        EXPECT_EQ(dialog.activePage(), nullptr);
        u.choose(DlgMacro::kTabs, 0);
        EXPECT_NE(dialog.activePage(), nullptr);
    });
}

TEST_F(MacroPages, ThePatternAndAdvancedBoltButtonsOfTheTemplateOpenTheirDialogsWhichApplyAtOnce) {
    const int before = steps();
    user.onDialog(DlgPatternSettings::kTemplate, [](ui::DialogUser& u) {
        u.click(DlgPatternSettings::kFlag1);
        u.click(ui::IDCANCEL); // what was applied stays
    });
    user.onDialog(DlgMacroBoltAdvanced::kTemplate, [](ui::DialogUser& u) {
        u.click(DlgMacroBoltAdvanced::kTapped);
        u.click(ui::IDOK);
    });
    run([&](DlgMacro& dialog, ui::DialogUser&) {
        dialog.selectTab(tabIndex("EndPlateBolts"));
        MacroPage& bolts = *dialog.activePage();
        ui::DialogUser page(bolts);
        page.click(controlOfType(bolts, ctPatternButton));
        EXPECT_TRUE(moduleOf(kMacroA, "Bolts").patterns[0].props.direction1.flag);
        EXPECT_TRUE(bolts.tab()->patterns[0].props.direction1.flag);
        page.click(controlOfType(bolts, ctBoltAdvanced));
        EXPECT_EQ(moduleOf(kMacroA, "Bolts").boltData->tapped, 1);
        EXPECT_EQ(bolts.tab()->boltData->tapped, 1);
    });
    EXPECT_EQ(steps(), before + 2);
}
