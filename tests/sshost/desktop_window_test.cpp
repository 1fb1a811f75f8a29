// The desktop window as a person uses it: a drawing opened, a macro's standard run from the tree,
// undone and redone, saved and opened again; questions before unsaved changes are lost.

#include <QAction>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/drawing.h"
#include "core/files.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "cuttingstock/dlg_csp2.h"
#include "dialogs/dlg_levels.h"
#include "frame/modeless_dialogs.h"
#include "host/loader.h"
#include "macrodlg/dlg_macro.h"
#include "sections/dlg_add_section.h"
#include "sheetdoc/dlg_text_input.h"
#include "macrodlg/dlg_select_macro.h"
#include "spread/formulas_dlg.h"
#include "sshost/gui/main_window.h"
#include "ui/dlg_select_prof.h"
#include "ui/scripted_user.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSampleLibrary = SS_SAMPLE_LIBRARY;

class DesktopWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(loader().load(SS_MODULE_PATH, error)) << error;
    }
    static void TearDownTestSuite() {
        std::string error;
        EXPECT_TRUE(loader().unload(error)) << error;
    }
    static host::ApplicationLoader& loader() {
        static host::ApplicationLoader loader;
        return loader;
    }

    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("ss_desktop_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(kSampleLibrary / "Drawings" / "connections.json", drawing());
        fs::copy_file(kSampleLibrary / "Drawings" / "connections.json", folder / "other.json");
        savedLibDir = gSettings.libDir;
        gSettings.libDir = kSampleLibrary.string() + "/";
    }
    void TearDown() override {
        document().close();
        gSettings.libDir = savedLibDir;
        fs::remove_all(folder);
    }

    static host::Document& document() { return host::Document::current(); }
    std::string drawing() const { return (folder / "connections.json").string(); }
    static QString label(const QTreeWidgetItem* item) { return item ? item->text(0) : QString(); }
    double width() const {
        return document()
            .database()
            .findMacroByName("BasePlate1")
            ->macro()
            ->findModule("Plate")
            ->findVariable("Width")
            ->value;
    }
    static QString field(sshost::gui::MainWindow& window, const QString& name) {
        QTableWidget& fields = window.fieldsView();
        for (int row = 0; row < fields.rowCount(); ++row)
            if (fields.item(row, 0)->text() == name) return fields.item(row, 1)->text();
        return QStringLiteral("(none)");
    }

    fs::path folder;
    Zrk_String savedLibDir;
};

} // namespace

TEST_F(DesktopWindow, StandardRunFromTheTreeIsUndoneRedoneSavedAndFoundAgain) {
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(drawing())));
    EXPECT_EQ(window.recentFiles().value(0), QString::fromStdString(fs::absolute(drawing()).string()));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("connections.json - SS desktop"));
    EXPECT_FALSE(window.isDrawingModified());

    // The tree shows the macros with their modules and values; a macro's fields show when chosen.
    sshost::gui::DrawingTree& tree = window.tree();
    EXPECT_NE(tree.find({"Macros (3)", "BasePlate1", "Plate", "Width = 300"}), nullptr);
    EXPECT_NE(tree.find({"Macros (3)", "BasePlate1", "Anchors (bolts)", "pattern Anchors: 2 x 2"}), nullptr);
    EXPECT_NE(tree.find({"Macros (3)", "BasePlate1", "Prof0: HEA-200 S355"}), nullptr);
    QTreeWidgetItem* macro = tree.find({"Macros", "BasePlate1"});
    ASSERT_NE(macro, nullptr);
    window.treeView().setCurrentItem(macro);
    EXPECT_EQ(field(window, "name"), "BasePlate1");
    EXPECT_EQ(field(window, "id"), "101");
    EXPECT_EQ(field(window, "modules"), "2 entries");
    EXPECT_TRUE(window.menuAction("Macro", "Run standards")->isEnabled());
    EXPECT_FALSE(window.menuAction("Edit", "Undo")->isEnabled());

    // Its context menu runs its standards (after the macro dialog, the first entry of a macro); the
    // macro lists none, so the person chooses the sheet.
    user.answerPopupMenu(2);
    user.answerFileDialog(Zrk_String((kSampleLibrary / "Connection Standards" / "BasePlate.kvs").string()));
    window.showContextMenu(macro);
    ASSERT_EQ(user.popupMenus().size(), 1u);
    EXPECT_EQ(user.popupMenus()[0].items[0].text, "Macro dialog...");
    EXPECT_EQ(user.popupMenus()[0].items[1].text, "Run standards");
    EXPECT_EQ(user.fileDialogs().at(0).extension, "kvs");
    EXPECT_EQ(width(), 280.0);
    EXPECT_NE(tree.find({"Macros", "BasePlate1", "Plate", "Width = 280"}), nullptr);
    EXPECT_EQ(label(window.treeView().currentItem()),
              label(tree.find({"Macros", "BasePlate1"}))); // still chosen
    EXPECT_TRUE(window.isDrawingModified());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("connections.json* - SS desktop"));
    const QString printed = window.commandLine().toPlainText();
    EXPECT_TRUE(printed.contains("Command: standards")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Output Width = 280")) << printed.toStdString();

    // Undo puts the old values back, redo brings the standard's again.
    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_EQ(width(), 300.0);
    EXPECT_NE(tree.find({"Macros", "BasePlate1", "Plate", "Width = 300"}), nullptr);
    EXPECT_FALSE(window.isDrawingModified());
    EXPECT_TRUE(window.menuAction("Edit", "Redo")->isEnabled());
    window.menuAction("Edit", "Redo")->trigger();
    EXPECT_EQ(width(), 280.0);
    EXPECT_TRUE(window.isDrawingModified());

    // Saved (atomically, through the drawing's writer) and opened again: the value is in the file.
    window.menuAction("File", "Save")->trigger();
    EXPECT_FALSE(window.isDrawingModified());
    core::Drawing saved;
    ASSERT_TRUE(saved.readFromFile(drawing()));
    EXPECT_EQ(saved.findMacroByName("BasePlate1")->macro()->findModule("Plate")->findVariable("Width")->value,
              280.0);
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(drawing())));
    EXPECT_EQ(width(), 280.0);
    EXPECT_NE(tree.find({"Macros", "BasePlate1", "Plate", "Width = 280"}), nullptr);
    EXPECT_FALSE(window.menuAction("Edit", "Undo")->isEnabled()); // a drawing read afresh has no history
    EXPECT_TRUE(user.messageBoxes().empty());                     // nothing unsaved, nothing asked
}

TEST_F(DesktopWindow, UnsavedChangesAreNotLostWithoutAQuestion) {
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(drawing())));

    // The base profile's section changed through the section chooser, by a double click.
    QTreeWidgetItem* base = window.tree().find({"Macros", "BasePlate1", "Prof0"});
    ASSERT_NE(base, nullptr);
    user.onDialog(DlgSelectProf::kTemplate, [](ui::DialogUser& u) {
        u.chooseText(DlgSelectProf::kTables, "IPE");
        u.choose(DlgSelectProf::kSections, 0);
        u.click(ui::IDOK);
    });
    emit window.treeView().itemDoubleClicked(base, 0);
    const Zrk_String section =
        document().database().findMacroByName("BasePlate1")->macro()->baseProfiles[0].sectionName;
    EXPECT_EQ(section.rfind("IPE", 0), 0u) << section;
    EXPECT_TRUE(window.isDrawingModified());

    // Opening another drawing asks; Cancel keeps the changed one.
    user.answerMessageBox(ui::IDCANCEL);
    EXPECT_FALSE(window.openDrawing(QString::fromStdString((folder / "other.json").string())));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              "The drawing connections.json has changed. Save the changes?");
    EXPECT_EQ(document().path(), drawing());
    EXPECT_TRUE(window.isDrawingModified());

    // Closing asks too; Cancel keeps the window.
    window.show();
    user.answerMessageBox(ui::IDCANCEL);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());

    // Yes saves first; a drawing that cannot be opened leaves the open one.
    user.answerMessageBox(ui::IDYES);
    user.answerMessageBox(ui::IDOK);
    EXPECT_FALSE(window.openDrawing(QString::fromStdString((folder / "missing.json").string())));
    core::Drawing saved;
    ASSERT_TRUE(saved.readFromFile(drawing()));
    EXPECT_EQ(saved.findMacroByName("BasePlate1")->macro()->baseProfiles[0].sectionName, section);
    EXPECT_NE(user.messageBoxes().back().request.text.find("missing.json"), Zrk_String::npos);
    EXPECT_EQ(document().path(), drawing());

    // No: the changes go, the other drawing opens.
    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_TRUE(window.isDrawingModified());
    user.answerMessageBox(ui::IDNO);
    EXPECT_TRUE(window.openDrawing(QString::fromStdString((folder / "other.json").string())));
    EXPECT_EQ(document().database().findMacroByName("BasePlate1")->macro()->baseProfiles[0].sectionName,
              "HEA-200");
    const QStringList recent = window.recentFiles(); // the last opened first, each once
    ASSERT_GE(recent.size(), 2);
    EXPECT_EQ(recent[0], QString::fromStdString((folder / "other.json").string()));
    EXPECT_EQ(recent[1], QString::fromStdString(drawing()));
    EXPECT_EQ(recent.count(recent[1]), 1);
    EXPECT_TRUE(window.close());
}

TEST_F(DesktopWindow, AMacroCutIsEditedAndAddedThroughTheCutsDialogAsOneStepEach) {
    ui::ScriptedUser user;
    const fs::path sample = folder / "macro-dialogs.json";
    fs::copy_file(kSampleLibrary / "Drawings" / "macro-dialogs.json", sample);
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(sample.string())));
    const auto plateCut = [](const Zrk_String& name) {
        Zrk_Module* plate =
            document().database().findMacroByName("EndPlateA")->macroWrite()->findModuleWrite("Plate");
        return plate->getCutConstraint(name);
    };
    ASSERT_FALSE(plateCut("BeamEnd")->option);

    // A double click on the cut edits it: the second method chosen.
    constexpr int kCutsDialog = 223, kSecondMethod = 1289, kName = 1000;
    QTreeWidgetItem* cut = window.tree().find({"Macros", "EndPlateA", "Plate", "cut BeamEnd"});
    ASSERT_NE(cut, nullptr);
    user.onDialog(kCutsDialog, [](ui::DialogUser& u) {
        u.click(kSecondMethod);
        u.click(ui::IDOK);
    });
    emit window.treeView().itemDoubleClicked(cut, 0);
    EXPECT_TRUE(plateCut("BeamEnd")->option);
    EXPECT_TRUE(window.isDrawingModified());

    // A new cut of the module, from its context menu.
    QTreeWidgetItem* plate = window.tree().find({"Macros", "EndPlateA", "Plate"});
    ASSERT_NE(plate, nullptr);
    user.answerPopupMenu(2);
    user.onDialog(kCutsDialog, [](ui::DialogUser& u) {
        u.typeText(kName, "Hole");
        u.click(ui::IDOK);
    });
    window.showContextMenu(plate);
    ASSERT_EQ(user.popupMenus().size(), 1u);
    EXPECT_EQ(user.popupMenus()[0].items[1].text, "Add a cut...");
    EXPECT_NE(plateCut("Hole"), nullptr);
    EXPECT_NE(window.tree().find({"Macros", "EndPlateA", "Plate", "cut Hole"}), nullptr);

    // Each is one step.
    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_EQ(plateCut("Hole"), nullptr);
    EXPECT_TRUE(plateCut("BeamEnd")->option);
    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_FALSE(plateCut("BeamEnd")->option);
    EXPECT_FALSE(window.isDrawingModified());
    EXPECT_TRUE(window.close());
}

TEST_F(DesktopWindow, LevelsEditedFromTheDrawingMenuAreUndoneAndSavedIntoTheFile) {
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(drawing())));
    ASSERT_TRUE(document().database().levels().isEmpty());

    // The drawing has no level: the dialog starts with "+" alone.
    user.onDialog(DlgLevels::kTemplate, [](ui::DialogUser& u) {
        EXPECT_FALSE(u.dialog().isItemEnabled(DlgLevels::kRelative));
        u.click(DlgLevels::kAddLevel);
        u.typeText(DlgLevels::kRelative, "250");
        u.click(ui::IDOK);
    });
    user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& u) {
        u.typeText(DlgTextInput::kEdit, "Ground");
        u.click(ui::IDOK);
    });
    window.menuAction("Drawing", "Building levels...")->trigger();
    ASSERT_EQ(document().database().levels().length(), 1);
    EXPECT_EQ(document().database().levels()[0], (Zrk_Level{"Ground", "", 250.0}));
    EXPECT_NE(window.tree().find({"Levels", "Ground = 250"}), nullptr);
    EXPECT_TRUE(window.isDrawingModified());
    EXPECT_TRUE(window.commandLine().toPlainText().contains("Levels of the drawing: Ground"));

    // One step to undo; Cancel in the dialog changes nothing.
    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_TRUE(document().database().levels().isEmpty());
    window.menuAction("Edit", "Redo")->trigger();
    user.onDialog(DlgLevels::kTemplate, [](ui::DialogUser& u) {
        u.click(DlgLevels::kDeleteLevel);
        u.click(ui::IDCANCEL);
    });
    emit window.treeView().itemDoubleClicked(window.tree().find({"Levels", "Ground = 250"}), 0);
    EXPECT_EQ(document().database().levels().length(), 1);

    window.menuAction("File", "Save")->trigger();
    core::Drawing saved;
    ASSERT_TRUE(saved.readFromFile(drawing()));
    EXPECT_EQ(saved.levels(), document().database().levels());
}

TEST_F(DesktopWindow, AStandardRunFromTheWindowGetsTheGeneralVariablesOfItsLibraryDrawing) {
    // A library drawing of "Macros/": the library's general variables filtered to it apply (the end
    // plate's edge needs gen_Clearance; without it the evaluation fails and writes nothing).
    fs::create_directories(folder / "lib" / "Macros");
    fs::copy(kSampleLibrary, folder / "lib", fs::copy_options::recursive | fs::copy_options::skip_existing);
    gSettings.libDir = (folder / "lib").string() + "/";
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(
        window.openDrawing(QString::fromStdString((folder / "lib" / "Macros" / "EndPlate.json").string())));
    auto edge = [] {
        return document()
            .database()
            .findMacroByName("EndPlate")
            ->macro()
            ->findModule("EndPlate")
            ->findVariable("Edge")
            ->value;
    };
    window.treeView().setCurrentItem(window.tree().find({"Macros", "EndPlate"}));
    window.menuAction("Macro", "Run standards")->trigger();
    EXPECT_TRUE(user.messageBoxes().empty());
    EXPECT_EQ(edge(), 35.0);
    const QString printed = window.commandLine().toPlainText();
    EXPECT_TRUE(printed.contains("General gen_Clearance = 5\n  General gen_Grade = S355\n"))
        << printed.toStdString();

    // Once the file no longer covers the drawing, the run fails and says so; the drawing keeps its values.
    window.menuAction("Edit", "Undo")->trigger();
    ASSERT_EQ(edge(), 40.0);
    writeFileAtomically(Zrk_String((folder / "lib" / "General Variables.txt").string()),
                        "format:string=ss-general-variables\nversion:int=1\ndrawing.count:int=1\n"
                        "drawing.1.name:string=gen_Clearance\ndrawing.1.value:string=5\n"
                        "drawing.1.filter:string=Splices\n");
    window.menuAction("Macro", "Run standards")->trigger();
    ASSERT_FALSE(user.messageBoxes().empty()); // the failed equation, and that nothing was written
    EXPECT_EQ(edge(), 40.0);
    EXPECT_FALSE(window.isDrawingModified());

    // A general-variables file that cannot be read stops the run before anything is evaluated.
    writeFileAtomically(Zrk_String((folder / "lib" / "General Variables.txt").string()),
                        "format:string=other\n");
    const std::size_t before = user.messageBoxes().size();
    window.menuAction("Macro", "Run standards")->trigger();
    ASSERT_EQ(user.messageBoxes().size(), before + 1);
    EXPECT_NE(user.messageBoxes().back().request.text.find("General Variables.txt"), std::string::npos)
        << user.messageBoxes().back().request.text;
    EXPECT_EQ(edge(), 40.0);
}

TEST_F(DesktopWindow, ADoubleClickOnAMacroOpensItsMacroDialogWhoseChangesMarkTheDrawing) {
    ui::ScriptedUser user;
    const fs::path sample = folder / "macro-dialogs.json";
    fs::copy_file(kSampleLibrary / "Drawings" / "macro-dialogs.json", sample);
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(sample.string())));
    QTreeWidgetItem* macro = window.tree().find({"Macros", "EndPlateA"});
    ASSERT_NE(macro, nullptr);
    emit window.treeView().itemDoubleClicked(macro, 0);
    // Modeless, in the module's table: the window stays usable while it is open.
    DlgMacro* dialog = modelessMacroDialog(0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(window.isDrawingModified());
    Zrk_String failure;
    ASSERT_TRUE(dialog->enterValue("PlateHeight", "420", failure)) << failure;
    EXPECT_TRUE(window.isDrawingModified());
    EXPECT_NE(window.tree().find({"Macros", "EndPlateA", "Plate", "PlateHeight = 420"}), nullptr);
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_EQ(modelessMacroDialog(0), nullptr);
}

// A macro dialog left open edits the drawing it was opened on: opening another drawing closes it,
// so that nothing typed into it afterwards is applied to a drawing that is no longer there.
TEST_F(DesktopWindow, OpeningAnotherDrawingClosesTheMacroDialogsOfTheFirst) {
    ui::ScriptedUser user;
    const fs::path sample = folder / "macro-dialogs.json";
    fs::copy_file(kSampleLibrary / "Drawings" / "macro-dialogs.json", sample);
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(sample.string())));
    emit window.treeView().itemDoubleClicked(window.tree().find({"Macros", "EndPlateA"}), 0);
    ASSERT_NE(modelessMacroDialog(0), nullptr);

    ASSERT_TRUE(window.openDrawing(QString::fromStdString(drawing())));
    EXPECT_EQ(modelessMacroDialog(0), nullptr);
    MacroData left;
    EXPECT_FALSE(GetDlgMacroData(0, left));
    EXPECT_FALSE(window.isDrawingModified());
    EXPECT_TRUE(window.close());
}

// The whole round of a person's work on a connection: the macro's dialog opened from the tree, a value
// typed, the drawing saved and opened again; undo and redo take the typed value back and forth.
TEST_F(DesktopWindow, AValueTypedInTheMacroDialogIsUndoneRedoneSavedAndFoundAgain) {
    ui::ScriptedUser user;
    const fs::path sample = folder / "macro-dialogs.json";
    fs::copy_file(kSampleLibrary / "Drawings" / "macro-dialogs.json", sample);
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(sample.string())));
    const auto plateHeight = [&]() -> QTreeWidgetItem* {
        return window.tree().find({"Macros", "EndPlateA", "Plate", "PlateHeight = "});
    };
    ASSERT_NE(plateHeight(), nullptr);
    const QString before = label(plateHeight());
    ASSERT_NE(before, QStringLiteral("PlateHeight = 420"));

    emit window.treeView().itemDoubleClicked(window.tree().find({"Macros", "EndPlateA"}), 0);
    DlgMacro* dialog = modelessMacroDialog(0);
    ASSERT_NE(dialog, nullptr);
    Zrk_String failure;
    ASSERT_TRUE(dialog->enterValue("PlateHeight", "420", failure)) << failure;
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_EQ(label(plateHeight()), QStringLiteral("PlateHeight = 420"));

    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_EQ(label(plateHeight()), before);
    window.menuAction("Edit", "Redo")->trigger();
    EXPECT_EQ(label(plateHeight()), QStringLiteral("PlateHeight = 420"));

    window.menuAction("File", "Save")->trigger();
    EXPECT_FALSE(window.isDrawingModified());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(sample.string())));
    EXPECT_EQ(label(plateHeight()), QStringLiteral("PlateHeight = 420"));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(sample.string(), bytes));
    EXPECT_NE(bytes.find("\"PlateHeight\""), std::string::npos);
    EXPECT_TRUE(window.close());
}

TEST_F(DesktopWindow, PatternSettingsApplyAtOnceAndSegmentedProfilesOnOk) {
    ui::ScriptedUser user;
    const fs::path sample = folder / "macro-dialogs.json";
    fs::copy_file(kSampleLibrary / "Drawings" / "macro-dialogs.json", sample);
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(sample.string())));
    const auto module = [](const Zrk_String& name) {
        return document().database().findMacroByName("EndPlateA")->macro()->findModule(name);
    };
    const auto rows = [&] { return module("Bolts")->patterns[0].props; };
    ASSERT_FALSE(rows().direction1.flag);

    // The pattern's settings: each click is in the drawing at once, and Cancel keeps it.
    constexpr int kPatternDialog = 222, kFlag1 = 1359, kSegmentedDialog = 221, kGap = 1232;
    QTreeWidgetItem* pattern = window.tree().find({"Macros", "EndPlateA", "Bolts", "pattern Rows"});
    ASSERT_NE(pattern, nullptr);
    user.onDialog(kPatternDialog, [&](ui::DialogUser& u) {
        u.click(kFlag1);
        EXPECT_TRUE(rows().direction1.flag);
        u.click(ui::IDCANCEL);
    });
    emit window.treeView().itemDoubleClicked(pattern, 0);
    EXPECT_TRUE(rows().direction1.flag);
    EXPECT_TRUE(window.isDrawingModified());

    // The segmented profiles of the cleats, written when the person presses OK.
    QTreeWidgetItem* cleats = window.tree().find({"Macros", "EndPlateA", "Cleats"});
    ASSERT_NE(cleats, nullptr);
    user.answerPopupMenu(4);
    user.onDialog(kSegmentedDialog, [](ui::DialogUser& u) {
        u.typeText(kGap, "12.5");
        u.click(ui::IDOK);
    });
    window.showContextMenu(cleats);
    EXPECT_EQ(user.popupMenus().at(0).items.at(3).text, "Segmented profiles...");
    EXPECT_EQ(module("Cleats")->segments[0].gap, 12.5);

    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_EQ(module("Cleats")->segments[0].gap, 5);
    window.menuAction("Edit", "Undo")->trigger();
    EXPECT_FALSE(rows().direction1.flag);
    EXPECT_TRUE(window.close());
}

TEST_F(DesktopWindow, TheLibrarysCuttingStockIsEditedAndWhatChangedIsWrittenBack) {
    const fs::path library = folder / "library";
    const fs::path stock = library / "Cutting Stock";
    fs::create_directories(stock / "HEA 200");
    std::ofstream(stock / "HEA 200" / "stock1.shp", std::ios::binary) << "6000\xBF"
                                                                         "4\n";
    gSettings.libDir = library.string() + "/";
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    user.onDialog(DlgCSP2::kTemplate, [](ui::DialogUser& u) {
        DlgCSP2& dialog = static_cast<DlgCSP2&>(u.dialog());
        EXPECT_EQ(dialog.comboText(DlgCSP2::kGroupCombo, 0), "HEA 200");
        dialog.grid(DlgCSP2Data::kStockTable).setCellText(2, 1, "3");
        u.click(ui::IDOK);
    });
    window.menuAction("Library", "Cutting stock input...")->trigger();
    std::string bytes;
    ASSERT_TRUE(readFileBytes((stock / "HEA 200" / "stock1.shp").string(), bytes));
    EXPECT_EQ(bytes, "6000\xBF"
                     "3\xBF\n"); // the grid's third column came back empty
    EXPECT_TRUE(window.commandLine().toPlainText().contains("Cutting stock written:"));
}

TEST_F(DesktopWindow, AProfilesTableGetsANewSizeThatTheLibraryKnowsAtOnce) {
    const fs::path library = folder / "library";
    fs::copy(kSampleLibrary, library, fs::copy_options::recursive);
    gSettings.libDir = library.string() + "/";
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(
        window.openDrawing(QString::fromStdString((library / "Drawings" / "profile-cuts.json").string())));
    QTreeWidgetItem* column = window.tree().find({"Profiles", "C1"});
    ASSERT_NE(column, nullptr);
    window.treeView().setCurrentItem(column);

    // Started from the profile's own row (HEA-200: h 190), the person types a new height.
    user.onDialog(DlgEditLibSimple::kTemplate, [](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().itemText(DlgEditLibSimple::kFirstDimension), "190");
        u.typeText(DlgEditLibSimple::kFirstDimension, "195");
        u.click(DlgEditLibSimple::kOwnName);
        u.typeText(DlgEditLibSimple::kName, "200X");
        u.click(ui::IDOK);
    });
    window.menuAction("Profile", "Add a section like this one...")->trigger();
    std::string bytes;
    ASSERT_TRUE(readFileBytes((library / "prof" / "HEA.pr").string(), bytes));
    EXPECT_NE(bytes.find("\n200X\t1\t"), std::string::npos) << bytes;
    Zrk_String value;
    EXPECT_EQ(gSectionTables.getSectionValue("HEA-200X", 0, value), Acad::eOk);
    EXPECT_TRUE(window.commandLine().toPlainText().contains("Section table HEA written:"));

    // A section no table holds is said (the dialog does not open: a scripted user fails on an
    // unexpected dialog).
    fs::remove(library / "prof" / "IPE.pr");
    gSectionTables.loadFolder(gSettings.libDir + "prof/");
    QTreeWidgetItem* beam = window.tree().find({"Profiles", "B1"});
    ASSERT_NE(beam, nullptr);
    window.treeView().setCurrentItem(beam);
    window.menuAction("Profile", "Add a section like this one...")->trigger();
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              "The section IPE-300 is in none of the library's section tables.");
}

TEST_F(DesktopWindow, TheFormulasWindowCalculatesAChosenSpreadsheet) {
    const Zrk_String sheet = (kSampleLibrary / "Connection Standards" / "BasePlate.kvs").string();
    Zrk_String topLeft;
    Zrk_StringArray columns;
    Zrk_Array<Zrk_StringArray> rows;
    ReadSSFile(sheet, &topLeft, &columns, &rows);
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    user.answerFileDialog(sheet);
    user.onDialog(DlgFormulas::kTemplateId, [&](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().itemText(DlgFormulas::kFileName), sheet);
        u.click(ui::IDCANCEL);
    });
    window.menuAction("Library", "Formulas...")->trigger();
    ASSERT_EQ(user.fileDialogs().size(), 1u);
    EXPECT_EQ(user.fileDialogs()[0].startFolder, gSettings.libDir + "Connection Standards/");
    EXPECT_TRUE(window.commandLine().toPlainText().contains(
        QString::fromStdString("Formulas: " + sheet + ", cell (1, 1) = " + topLeft)));
}

TEST_F(DesktopWindow, SelectMacroPrintsTheConnectionChosenByItsPicture) {
    ui::ScriptedUser user;
    sshost::gui::MainWindow window(document());
    user.onDialog(DlgSelectMacro::kTemplate, [&](ui::DialogUser& u) {
        EXPECT_TRUE(u.dialog().isItemEnabled(DlgSelectMacro::kExtra));
        u.choose(DlgSelectMacro::kImages, 2);
        u.click(ui::IDOK);
    });
    window.menuAction("Library", "Select macro...")->trigger();
    const std::string chosen = (kSampleLibrary / "Macros" / "FinPlate1.json").string();
    EXPECT_TRUE(window.commandLine().toPlainText().contains(QString::fromStdString("Connection chosen: " + chosen)));
    user.onDialog(DlgSelectMacro::kTemplate, [&](ui::DialogUser& u) { u.click(DlgSelectMacro::kExtra); });
    window.menuAction("Library", "Select macro...")->trigger();
    EXPECT_TRUE(window.commandLine().toPlainText().contains("no connection chosen"));
}

// On a real X server (the run of tests/sshost/with_xvfb.sh) the window is mapped and read back from
// the screen: the server shows what the window draws, and the picture is kept as the run's screenshot
// (SS_SCREENSHOT). Headless there is no screen to read.
TEST_F(DesktopWindow, OnARealDisplayTheScreenShowsTheWindowAsItDrawsItself) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs an X server (with_xvfb.sh)";
    }
    sshost::gui::MainWindow window(document());
    ASSERT_TRUE(window.openDrawing(QString::fromStdString(drawing())));
    window.show();
    QDeadlineTimer deadline(10000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(window.windowHandle()->isExposed()) << "the X server never showed the window";

    // The server may still be drawing what was sent: read it back until it matches, or time runs out.
    const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage shot;
    double same = 0;
    while (same < 0.98 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        shot = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        if (shot.size() != drawn.size()) continue;
        qint64 equal = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                equal += shot.pixel(x, y) == drawn.pixel(x, y);
        same = double(equal) / (double(shot.width()) * shot.height());
    }
    EXPECT_EQ(shot.size(), drawn.size());
    EXPECT_GE(same, 0.98) << "the screen does not show what the window draws";
    if (const char* path = std::getenv("SS_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(path), "PNG"));
    }
    EXPECT_TRUE(window.close());
}
