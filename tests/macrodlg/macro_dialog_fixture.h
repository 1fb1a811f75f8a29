#pragma once
// The macro sub-dialogs' tests: the sample drawing opened as the host's drawing (the working drawing),
// the sample library current, the module attached, and a scripted user.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QTableView>
#include <functional>

#include "core/drawing.h"
#include "core/language.h"
#include "core/settings.h"
#include "host/document.h"
#include "host/module_entry.h"
#include "macrodlg/dlg_macro.h"
#include "spread/zrk_spread.h"
#include "ui/codes.h"
#include "ui/dialog.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace macrotest {

inline const std::string kSample =
    std::string(SS_TEST_DATA_DIR) + "/../../examples/library/Drawings/macro-dialogs.json";
inline const AcDbObjectId kMacroA(101), kMacroB(102);

class MacroDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override {
        savedLibDir = gSettings.libDir;
        gSettings.libDir = core::defaultLibraryFolder();
        Zrk_String message;
        ASSERT_TRUE(document.open(kSample, message)) << message;
    }
    void TearDown() override {
        document.close();
        gSettings.libDir = savedLibDir;
    }
    Zrk_Module& module(AcDbObjectId macro, const Zrk_String& name) {
        return *document.database().findMacro(macro)->macroWrite()->findModuleWrite(name);
    }
    const Zrk_Module& moduleOf(AcDbObjectId macro, const Zrk_String& name) {
        return *document.database().findMacro(macro)->macro()->findModule(name);
    }
    // Runs the macro dialog modally on data, the script playing the person; OK ends it unless the
    // script did. data is the dialog's afterwards.
    void runMacroDialog(MacroData& data, const std::function<void(DlgMacro&, ui::DialogUser&)>& script) {
        user.onDialog(DlgMacro::kTemplate, [&](ui::DialogUser& u) {
            auto& dialog = static_cast<DlgMacro&>(u.dialog());
            script(dialog, u);
            if (!dialog.hasEnded()) u.click(ui::IDOK);
        });
        StartDlgMacro(data);
    }
    // What a person types into a cell of a grid (through the grid's own editor model).
    static void typeIntoCell(Zrk_Spread& grid, int column, int row, const Zrk_String& text) {
        QAbstractItemModel* model = grid.view()->model();
        ASSERT_TRUE(
            model->setData(model->index(row - 1, column - 1), QString::fromStdString(text), Qt::EditRole));
    }
    static Zrk_String cell(const Zrk_Spread& grid, int column, int row) {
        Zrk_String text;
        grid.getCellText(column, row, text);
        return text;
    }
    static Zrk_StringArray listed(const ui::Dialog& dialog, int id) {
        Zrk_StringArray items;
        for (int i = 0; i < dialog.comboCount(id); ++i)
            items.append(dialog.comboText(id, i));
        return items;
    }
    // Saves the dialog's picture in the build folder, for a person to look at.
    static void savePicture(ui::DialogUser& u, const std::string& name) {
        EXPECT_TRUE(u.savePicture(std::string(SS_TEST_PICTURE_DIR) + "/" + name + ".png"));
    }

    inline static int instance = 0;
    host::Document& document = host::Document::current();
    Zrk_String savedLibDir;
    ui::ScriptedUser user;
};

} // namespace macrotest
