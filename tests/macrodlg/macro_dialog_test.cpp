// The macro dialog around its pages, on the sample drawing: the size key, the tab kept when the pages
// are built again, the three ways to close, the selection lists, the modal and modeless runs (slots
// reused, the deferred end of a busy dialog on the virtual clock) and the private message.

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/language.h"
#include "core/macro_update.h"
#include "core/settings.h"
#include "host/command_line.h"
#include "host/editor.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_macro.h"
#include "ui/dialog_size.h"

namespace {

using macrotest::kMacroA;
using macrotest::kMacroB;

class MacroDialog : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        ASSERT_TRUE(data.initFromMacros({kMacroA}));
        host::CommandLine::instance().clear();
    }
    void TearDown() override {
        DestroyAllMacroDlgs();
        MacroDialogTest::TearDown();
    }
    void run(const std::function<void(DlgMacro&, ui::DialogUser&)>& script) { runMacroDialog(data, script); }
    static bool lastViewWasReset() {
        const auto& views = host::Editor::instance().viewChanges();
        return !views.empty() && views.back().kind == host::ViewChange::Kind::Previous;
    }
    static int cancels() {
        int count = 0;
        for (const std::string& posted : host::CommandLine::instance().postedCommands())
            count += posted == "CANCELCMD";
        return count;
    }

    MacroData data;
};

} // namespace

TEST_F(MacroDialog, ThreeMacrosWithoutAGroupKeepTheirSizeUnderTheCountOfMacros) {
    data.macroIds = {AcDbObjectId(901), AcDbObjectId(902), AcDbObjectId(903)};
    data.macroNames = {"One", "Two", "Three"};
    data.selectList1 = {};
    data.selectIndex1 = -1;
    const Zrk_String key = "DLG_MACRO_EDITVARS_3_MACROS";
    QRect stored;
    ASSERT_FALSE(getDlgSize(key, stored));
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.sizeKey(), key);
        u.resize(dialog.width() + 40, dialog.height() + 30);
    });
    ASSERT_TRUE(getDlgSize(key, stored));
    // One macro: its name; a group: the group's name.
    MacroData one;
    ASSERT_TRUE(one.initFromMacros({kMacroA}));
    DlgMacro single;
    single.macroData = one;
    EXPECT_EQ(single.sizeKey(), "DLG_MACRO_EDITVARS_EndPlateA");
    MacroData both;
    ASSERT_TRUE(both.initFromMacros({kMacroA, kMacroB}));
    single.macroData = both;
    EXPECT_EQ(single.sizeKey(), "DLG_MACRO_EDITVARS_GROUP_EndPlate");
}

TEST_F(MacroDialog, OpensOnTheFirstTabNamedAndFitsThePagesNeverSmallerThanItStarted) {
    data.firstTabName = "EndPlateCleats";
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), data.title);
        EXPECT_EQ(dialog.tabCount(DlgMacro::kTabs), data.tabs.length());
        EXPECT_EQ(dialog.tabCurSel(DlgMacro::kTabs), 2);
        EXPECT_EQ(dialog.activePageIndex(), 2);
        EXPECT_TRUE(dialog.activePage()->isVisible());
        EXPECT_FALSE(dialog.page(0)->isVisible());
        // The pages get what they want.
        for (int p = 0; p < dialog.pageCount(); ++p) {
            int width = 0, height = 0;
            dialog.page(p)->wantedSize(width, height);
            EXPECT_GE(dialog.width(), width + DlgMacro::kFitExtraWidth);
            EXPECT_GE(dialog.height(), height + DlgMacro::kFitExtraHeight);
        }
        // Never smaller than the pages want, nor than the window started.
        u.resize(100, 100);
        EXPECT_GE(dialog.width(), dialog.mapDialogRect(QRect(0, 0, 320, 300)).width());
        for (int p = 0; p < dialog.pageCount(); ++p) {
            int width = 0, height = 0;
            dialog.page(p)->wantedSize(width, height);
            EXPECT_GE(dialog.width(), width + DlgMacro::kFitExtraWidth);
            EXPECT_GE(dialog.height(), height + DlgMacro::kFitExtraHeight);
        }
        // The property files are chosen in their dialog.
        EXPECT_TRUE(dialog.isItemEnabled(DlgMacro::kLoadProps));
        EXPECT_TRUE(dialog.isItemEnabled(DlgMacro::kSaveProps));
        macrotest::MacroDialogTest::savePicture(u, "macro-profile-tab");
    });
}

TEST_F(MacroDialog, LoadFromStandardsBuildsThePagesAgainOnTheSameTab) {
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        u.choose(DlgMacro::kTabs, 1);
        EXPECT_EQ(dialog.activePageIndex(), 1);
        const MacroPage* before = dialog.page(0);
        u.click(DlgMacro::kLoadStandards);
        EXPECT_EQ(dialog.tabCurSel(DlgMacro::kTabs), 1);
        EXPECT_EQ(dialog.activePageIndex(), 1);
        EXPECT_TRUE(dialog.activePage()->isVisible());
        EXPECT_EQ(dialog.pageCount(), data.tabs.length());
        (void)before;
        macrotest::MacroDialogTest::savePicture(u, "macro-bolt-tab");
    });
}

TEST_F(MacroDialog, TheFocusOfATabIsKeptWhenThePersonComesBackToIt) {
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        MacroPage& plate = *dialog.page(0);
        int pitch = 0;
        for (const MacroCellData& cell : plate.tab()->cells)
            if (cell.name == "Pitch") pitch = cell.ctrl;
        ASSERT_GT(pitch, 0);
        ui::DialogUser(plate).focus(pitch);
        u.choose(DlgMacro::kTabs, 3);
        EXPECT_FALSE(plate.isVisible());
        u.choose(DlgMacro::kTabs, 0);
        EXPECT_EQ(plate.focusedItemId(), pitch);
    });
}

TEST_F(MacroDialog, CloseBoxCloseButtonAndEscapeAllResetTheViewAndMarkTheDataClosed) {
    for (int way = 0; way < 3; ++way) {
        data.closed = false;
        const int cancelsBefore = cancels();
        run([&](DlgMacro&, ui::DialogUser& u) {
            u.click(DlgMacro::kView0); // a view of the macros, which closing puts back
            if (way == 0) u.closeWindow();
            if (way == 1) u.click(ui::IDOK);
            if (way == 2) u.pressKey(ui::VK_ESCAPE);
        });
        EXPECT_TRUE(data.closed) << way;
        EXPECT_TRUE(lastViewWasReset()) << way;
        EXPECT_GT(cancels(), cancelsBefore) << way;
    }
}

TEST_F(MacroDialog, ChoosingOneMacroOfTheGroupEditsItAlone) {
    ASSERT_TRUE(data.initFromMacros({kMacroA, kMacroB}));
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.macroData.macroIds.length(), 2);
        ASSERT_GE(dialog.comboCount(DlgMacro::kList2), 3);
        u.choose(DlgMacro::kList2, 2);
        EXPECT_EQ(dialog.macroData.macroIds.length(), 1);
        EXPECT_EQ(dialog.comboCurSel(DlgMacro::kList2), 2);
        EXPECT_EQ(dialog.pageCount(), dialog.macroData.tabs.length());
    });
}

TEST_F(MacroDialog, ModelessDialogsReuseTheFreedSlotAndABusyOneEndsFiftyMillisecondsLater) {
    int first = -1, second = -1, third = -1;
    ASSERT_TRUE(StartDlgMacroModeless(false, data, first));
    ASSERT_TRUE(StartDlgMacroModeless(true, data, second));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    DlgMacro* open = modelessMacroDialog(0);
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(isMacroDialog(open));
    EXPECT_EQ(open->sendPrivateMessage(0x7101), 1);
    EXPECT_EQ(open->sendPrivateMessage(0x7102), 0);
    MacroData read;
    ASSERT_TRUE(GetDlgMacroData(0, read));
    EXPECT_EQ(read.title, data.title);

    ASSERT_TRUE(EndDlgMacroModeless(0));
    EXPECT_FALSE(GetDlgMacroData(0, read));
    ASSERT_TRUE(StartDlgMacroModeless(false, data, third));
    EXPECT_EQ(third, 0);

    // Busy: the end waits on the virtual clock.
    modelessMacroDialog(1)->macroData.busy = true;
    EXPECT_TRUE(EndDlgMacroModeless(1));
    ASSERT_NE(modelessMacroDialog(1), nullptr);
    user.passTime(50);
    ASSERT_NE(modelessMacroDialog(1), nullptr);
    modelessMacroDialog(1)->macroData.busy = false;
    user.passTime(50);
    EXPECT_EQ(modelessMacroDialog(1), nullptr);
    EXPECT_EQ(frame::macroDialogs().slotCount(), 1);
}

TEST_F(MacroDialog, AModelessDialogClosedFromItsOwnPageEndsItsSlot) {
    int slot = -1;
    ASSERT_TRUE(StartDlgMacroModeless(true, data, slot));
    DlgMacro* open = modelessMacroDialog(slot);
    ASSERT_NE(open, nullptr);
    ASSERT_NE(open->activePage(), nullptr);
    int changed = 0;
    open->onDrawingChanged = [&] { ++changed; };
    ui::DialogUser page(*open->activePage());
    MacroCellData edge;
    for (const MacroCellData& cell : open->activePage()->tab()->cells)
        if (cell.name == "Edge") edge = cell;
    ASSERT_GT(edge.ctrl, 0);
    page.typeText(edge.ctrl, "42");
    page.pressKey(ui::VK_RETURN);
    EXPECT_EQ(changed, 1);
    page.pressKey(ui::VK_ESCAPE);
    EXPECT_EQ(modelessMacroDialog(slot), nullptr);
    EXPECT_EQ(frame::macroDialogs().slotCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(MacroDialog, APropertyFileLoadsItsValuesIntoTheMacrosAndCountsThoseTheyCannotUse) {
    const QTemporaryDir library;
    gSettings.libDir = library.path().toStdString() + "/";
    // A file written for these macros, with a value for the edge and one for a cell they lack.
    MacroData written = data;
    int plate = -1, edge = -1;
    ASSERT_TRUE(written.findTab("EndPlate", plate));
    ASSERT_TRUE(written.tabs[plate].findCellWithName("Edge", edge));
    written.tabs[plate].cells[edge].value = "55";
    MacroCellData unknown;
    unknown.name = unknown.label = "Unknown";
    unknown.value = "3";
    written.tabs[plate].cells.append(unknown);
    Zrk_String path, saved;
    ASSERT_TRUE(written.propFilePath("Wide", path));
    ASSERT_TRUE(written.propFilePath("Kept", saved));
    ASSERT_TRUE(written.writeToFile(path));
    const DlgMacro::PropertyFileChooser installed =
        DlgMacro::setPropertyFileChooser([&](DlgMacro&, bool load, Zrk_String& chosen) {
            chosen = load ? path : saved;
            return true;
        });
    run([&](DlgMacro& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemEnabled(DlgMacro::kLoadProps));
        u.click(DlgMacro::kLoadProps);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_NE(
            user.messageBoxes()[0].request.text.find(dialString(1507) + ".\n" + dialString(1508) + " 1 "),
            Zrk_String::npos);
        EXPECT_EQ(dialog.page(plate)->tab()->cells[edge].value, "55");
        u.click(DlgMacro::kSaveProps);
    });
    DlgMacro::setPropertyFileChooser(installed);
    for (const Zrk_DimVariable& variable : moduleOf(kMacroA, "Plate").variables) {
        if (variable.name == "Edge") {
            EXPECT_EQ(variable.value, 55);
        }
    }
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(saved)));
}
