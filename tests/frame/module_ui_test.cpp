// The module as a library of the windowing framework: it joins the framework's chain at attach (and
// may be refused), loads its check-box pictures at initialisation, empties them at detach; and the
// spreadsheet focus test.

#include <QLineEdit>
#include <gtest/gtest.h>

#include "module/module_resources.h"
#include "module/module_state.h"
#include "frame/spread_focus.h"
#include "host/module_entry.h"
#include "ui/application.h"
#include "ui/window_class.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);

TEST(ModuleFrame, JoinsTheFrameworkAtAttachAndLeavesAtDetach) {
    int instance = 0;
    ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1);
    EXPECT_TRUE(ui::isExtensionModule(&instance));

    // A second attach of the same library is refused; what the first stored stays.
    EXPECT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 0);
    EXPECT_EQ(frame::moduleInstance(), &instance);
    EXPECT_EQ(frame::resourceOverride().GetDefaultResource(), &instance);

    EXPECT_EQ(DllMain(&instance, host::kProcessDetach, nullptr), 1);
    EXPECT_FALSE(ui::isExtensionModule(&instance));
    // Without an instance the framework has nothing to register: refused.
    EXPECT_EQ(DllMain(nullptr, host::kProcessAttach, nullptr), 0);
    EXPECT_EQ(DllMain(nullptr, host::kThreadAttach, nullptr), 1);
}

TEST(ModuleFrame, LoadsTheCheckBoxPicturesAtInitialisationAndEmptiesThemAtDetach) {
    int instance = 0;
    ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1);
    EXPECT_TRUE(gCheckBoxCheckedBitmap.isNull());
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, &instance), AcRx::kRetOK);
    ASSERT_FALSE(gCheckBoxCheckedBitmap.isNull());
    ASSERT_FALSE(gCheckBoxUncheckedBitmap.isNull());
    EXPECT_EQ(gCheckBoxCheckedBitmap.size(), QSize(13, 13));
    EXPECT_NE(gCheckBoxCheckedBitmap.image(), gCheckBoxUncheckedBitmap.image());
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &instance), AcRx::kRetOK);
    EXPECT_EQ(DllMain(&instance, host::kProcessDetach, nullptr), 1);
    EXPECT_TRUE(gCheckBoxCheckedBitmap.isNull());
    EXPECT_TRUE(gCheckBoxUncheckedBitmap.isNull());
}

TEST(ModuleFrame, TheFocusIsInASpreadsheetOnlyInAGridWindow) {
    QWidget dialog;
    QLineEdit edit(&dialog);
    ui::setWindowClassName(&edit, "Edit");
    QWidget grid(&dialog);
    ui::setWindowClassName(&grid, "fpSpread70");
    grid.setFocusPolicy(Qt::StrongFocus);
    QLineEdit cellEditor(&grid);
    QWidget olderGrid(&dialog);
    ui::setWindowClassName(&olderGrid, "SPR32D70_SpreadSheet");
    olderGrid.setFocusPolicy(Qt::StrongFocus);
    QWidget preview(&dialog);
    ui::setWindowClassName(&preview, "FPSPREADPREVIEW70"); // the case is as written
    preview.setFocusPolicy(Qt::StrongFocus);

    EXPECT_FALSE(frame::isSpreadFocused()); // no window has the focus
    dialog.show();
    ui::activateNow(&dialog);
    edit.setFocus();
    EXPECT_FALSE(frame::isSpreadFocused());
    grid.setFocus();
    EXPECT_TRUE(frame::isSpreadFocused());
    cellEditor.setFocus(); // typing into a cell is still the grid
    EXPECT_TRUE(frame::isSpreadFocused());
    olderGrid.setFocus();
    EXPECT_TRUE(frame::isSpreadFocused());
    preview.setFocus();
    EXPECT_FALSE(frame::isSpreadFocused());
}
