// Sheets and their document settings on a grid: preparing a new sheet from named settings (and the
// editor's defaults), the grid's document operations, and saving with the settings.

#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/files.h"
#include "core/settings.h"
#include "host/module_entry.h"
#include "sheetdoc/document_settings.h"
#include "sheetdoc/editor_defaults.h"
#include "sheetdoc/sheet_preparation.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resources.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

using namespace spreadlib;

constexpr int kTemplate = 9980;
constexpr int kPlaceholder = 1196;

class GridDialog : public ui::Dialog {
public:
    GridDialog() : ui::Dialog(kTemplate) {}
    Zrk_Spread grid;

protected:
    bool onInitDialog() override {
        grid.attach(this, kPlaceholder);
        return true;
    }
};

class SheetDocument : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1);
        ui::hostResources().addTemplate(ui::DialogTemplate(kTemplate, "Sheet", 300, 200, {
            {kPlaceholder, ui::Kind::Placeholder, "", 5, 5, 290, 190},
        }));
    }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        root = folder.path().toStdString() + "/";
        std::filesystem::create_directories(root + "product");
        std::filesystem::create_directories(root + "docs");
        savedZrkDir = gSettings.zrkDir;
        gSettings.zrkDir = root + "product/";
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, (root + "registry").c_str());
        ASSERT_TRUE(dialog.create());
        ASSERT_TRUE(grid().attached);
    }
    void TearDown() override {
        dialog.destroyWindow();
        gSettings.zrkDir = savedZrkDir;
    }

    Zrk_Spread& grid() { return dialog.grid; }
    void settingsFile(const Zrk_String& name, const Zrk_String& font, int height) {
        DocumentSettings settings;
        settings.defaultFont = font;
        settings.defaultTextHeight = height;
        settings.marginLeft = 1;
        ASSERT_TRUE(writeFileAtomically(root + "product/" + name + ".kvd", settings.toStore().toText()));
    }
    void editorDefault(const char* name) {
        QSettings key(QSettings::IniFormat, QSettings::SystemScope, EditorDefaults::kOrganization,
                      EditorDefaults::kApplication);
        key.setValue(EditorDefaults::kLanguageValue, "EN");
        key.setValue(EditorDefaults::kDefaultSettingsValue, name);
    }
    DocumentSettings tagSettings() {
        DocumentSettings settings;
        settings.readFromGrid(grid());
        return settings;
    }

    inline static int instance = 0;
    QTemporaryDir folder;
    Zrk_String root;
    Zrk_String savedZrkDir;
    GridDialog dialog;
};

} // namespace

TEST_F(SheetDocument, APreparedSheetHasItsOptionsCellsSettingsFontsAndTips) {
    settingsFile("Office", "Verdana", 12);
    ASSERT_TRUE(prepareSheet(grid(), "Office"));

    for (int option : {kOptionUserFormulas, kOptionCellOverflow, kOptionAutoCalc, kOptionMoveActiveOnEnter})
        EXPECT_TRUE(grid().getBool(option)) << option;
    EXPECT_EQ(grid().getMaxCols(), 6);
    EXPECT_EQ(grid().getMaxRows(), 11);
    CellType type;
    ASSERT_TRUE(grid().getCellType(6, 11, type));
    EXPECT_EQ(type, CellType::edit(4, 100));
    EXPECT_EQ(tagSettings().defaultFont, "Verdana");
    EXPECT_EQ(tagSettings().marginLeft, 1);

    FontSpec font;
    ASSERT_TRUE(grid().getFont(3, 4, font));
    EXPECT_EQ(font, (FontSpec{"Verdana", 12, kFontWeightNormal}));
    ASSERT_TRUE(grid().getFont(0, 11, font)); // row headers, down to the last row
    EXPECT_EQ(font, (FontSpec{"Verdana", 12, kFontWeightBold}));
    ASSERT_TRUE(grid().getFont(6, 0, font)); // column headers, to the last column
    EXPECT_EQ(font.weight, kFontWeightBold);
    TextTipSettings tip;
    grid().SSGetTextTip(tip);
    EXPECT_EQ(tip.mode, 2);
    EXPECT_EQ(tip.delay, 10);
    EXPECT_EQ(tip.font.face, "Verdana");
    EXPECT_EQ(grid().sheet().getCellNoteIndicator(), 0);
}

TEST_F(SheetDocument, MissingSettingsFallBackToTheEditorsDefaultThenToTheBuiltInOnes) {
    settingsFile("House Style", "Georgia", 14);
    editorDefault("House Style");
    ASSERT_TRUE(prepareSheet(grid(), "Nowhere"));
    EXPECT_EQ(tagSettings().defaultFont, "Georgia");

    editorDefault("Gone too");
    ASSERT_TRUE(prepareSheet(grid(), "Nowhere"));
    EXPECT_EQ(tagSettings().defaultFont, "Tahoma");
    EXPECT_EQ(tagSettings().defaultTextHeight, 13);
}

TEST_F(SheetDocument, SettingsWithoutAFontLeaveTheCellFontsAlone) {
    settingsFile("Plain", "", 12);
    const FontSpec before = [&] {
        FontSpec font;
        grid().getFont(2, 2, font);
        return font;
    }();
    ASSERT_TRUE(prepareSheet(grid(), "Plain"));
    FontSpec font;
    ASSERT_TRUE(grid().getFont(2, 2, font));
    EXPECT_EQ(font, before);
    TextTipSettings tip;
    grid().SSGetTextTip(tip);
    EXPECT_EQ(tip.mode, 2);
}

TEST_F(SheetDocument, TheGridsDocumentOperationsUseTheSettings) {
    settingsFile("Office", "Verdana", 12);
    ASSERT_TRUE(grid().prepareFromSettings("Office"));
    EXPECT_EQ(grid().defaultFontName, "Verdana");
    EXPECT_EQ(grid().defaultFontHeight, 12);

    ASSERT_TRUE(grid().setDocumentVariables({"Date", "Title"}, {"today", "Beams"}));
    const DocumentSettings settings = tagSettings();
    EXPECT_EQ(settings.varNames, Zrk_StringArray({"Date", "Title"}));
    EXPECT_EQ(settings.varValues, Zrk_StringArray({"today", "Beams"}));
    EXPECT_EQ(settings.defaultFont, "Verdana"); // the rest stays

    Zrk_Spread unattached;
    EXPECT_FALSE(prepareSheet(unattached, "Office"));
    DocumentSettings none;
    none.readFromGrid(unattached);
    EXPECT_TRUE(none.loaded);
    EXPECT_EQ(none.grid, &unattached);
    EXPECT_FALSE(none.applyToGrid(unattached));
}

TEST_F(SheetDocument, SavingClearsTheChangedFlagAndMovesTheFooterWhenThereIsNoHeader) {
    ASSERT_TRUE(writeFileAtomically(root + "product/foot.ftr", "footer"));
    ASSERT_TRUE(prepareSheet(grid(), ""));
    DocumentSettings settings = tagSettings();
    settings.footerFile = "foot.ftr";
    ASSERT_TRUE(settings.applyToGrid(grid()));
    grid().setCellText(1, 1, "changed");
    ASSERT_TRUE(grid().getBool(kOptionChanged));

    ASSERT_TRUE(saveWithSettings(grid(), root + "docs\\sheet.kvs"));
    EXPECT_TRUE(fileExists(root + "docs/sheet.kvs"));
    EXPECT_TRUE(fileExists(root + "docs/foot.ftr"));
    EXPECT_EQ(tagSettings().footerFile, "foot.ftr");

    // Nothing to move: the flag stays clear.
    ASSERT_TRUE(saveWithSettings(grid(), root + "docs/sheet.kvs"));
    EXPECT_FALSE(grid().getBool(kOptionChanged));

    EXPECT_FALSE(saveWithSettings(grid(), root + "missing/sheet.kvs"));
    EXPECT_FALSE(grid().lastFileMessage().empty());
}
