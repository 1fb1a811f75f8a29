// The property-file dialog on a copy of the sample library's property files, for the end plates of the
// sample drawing: the lists of load mode, the name checks and the replace question of save mode,
// deleting (and a delete that fails), and a round trip: saved, changed, loaded, the same parameters.

#include <filesystem>
#include <unistd.h>

#include "core/files.h"
#include "core/macro_update.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_prop_file.h"

namespace fs = std::filesystem;

namespace {

using P = DlgPropFile;

class PropFileDialog : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        library =
            fs::temp_directory_path() / ("ss_prop_file_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(library);
        fs::create_directories(library);
        fs::copy(fs::path(core::defaultLibraryFolder()) / "Macro Properties", library / "Macro Properties");
        gSettings.libDir = library.string() + "/";
        ASSERT_TRUE(data.initFromMacros({macrotest::kMacroA}));
        data.getPropFiles(files.folder, files.extension, files.allNames, files.matchingNames);
    }
    void TearDown() override {
        fs::remove_all(library);
        MacroDialogTest::TearDown();
    }
    bool run(const std::function<void(P&, ui::DialogUser&)>& script) {
        user.onDialog(P::kTemplate, [&](ui::DialogUser& u) { script(static_cast<P&>(u.dialog()), u); });
        return StartDlgPropFile(files);
    }
    static Zrk_StringArray shown(const P& dialog) {
        Zrk_StringArray names;
        for (int i = 0; i < dialog.listCount(P::kList); ++i)
            names.append(dialog.listText(P::kList, i));
        return names;
    }

    fs::path library;
    MacroData data;
    DlgPropFileData files;
};

} // namespace

TEST_F(PropFileDialog, LoadModeOffersTheMacrosFilesAndTakesANameOnlyFromTheList) {
    ASSERT_EQ(files.allNames, (Zrk_StringArray{"Heavy end plate", "Wide base plate"}));
    ASSERT_EQ(files.matchingNames, (Zrk_StringArray{"Heavy end plate"}));
    const bool ok = run([&](P& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1126));
        EXPECT_EQ(dialog.itemText(ui::IDOK), dialString(841));
        EXPECT_FALSE(dialog.isItemEnabled(P::kName));
        EXPECT_EQ(shown(dialog), files.matchingNames);
        u.click(ui::IDOK); // no name yet: the dialog stays
        EXPECT_FALSE(dialog.hasEnded());
        u.click(P::kShowAll);
        EXPECT_EQ(shown(dialog), files.allNames);
        u.choose(P::kList, 1);
        EXPECT_EQ(dialog.itemText(P::kName), "Wide base plate");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(files.chosenName, "Wide base plate");
}

TEST_F(PropFileDialog, SavingOverAnotherMacrosFileWarnsTwiceAndOnlyYesReplaces) {
    user.answerMessageBox(ui::IDNO);  // over the base plate's file: not now
    user.answerMessageBox(ui::IDYES); // over the end plate's own: yes
    files.saveMode = true;
    const bool ok = run([&](P& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1127));
        u.typeText(P::kName, "Wide base plate");
        u.click(ui::IDOK);
        EXPECT_FALSE(dialog.hasEnded());
        u.typeText(P::kName, "Heavy end plate");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(files.chosenName, "Heavy end plate");
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    const Zrk_String extra = dialString(1129);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              dialString(1128) + "\n" + extra + "\n\n" + dialString(1130) + "\n");
    EXPECT_EQ(user.messageBoxes()[1].request.text, dialString(1128) + "\n\n" + dialString(1130) + "\n");
    EXPECT_EQ(user.messageBoxes()[1].request.caption, dialString(1131));
}

TEST_F(PropFileDialog, ANameThatWouldLeaveTheFolderIsRefused) {
    files.saveMode = true;
    for (int warning = 0; warning < 4; ++warning)
        user.answerMessageBox(ui::IDOK);
    const bool ok = run([&](P& dialog, ui::DialogUser& u) {
        for (const char* name : {"../outside", "sub/name", "back\\slash", ".."}) {
            u.typeText(P::kName, name);
            u.click(ui::IDOK);
            EXPECT_FALSE(dialog.hasEnded()) << name;
        }
        u.typeText(P::kName, "New settings");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(files.chosenName, "New settings");
    EXPECT_EQ(user.messageBoxes().size(), 4u); // one warning each, and none for the new name
    EXPECT_FALSE(fs::exists(library / "outside.kvp"));
}

TEST_F(PropFileDialog, DeletingAsksFirstAndRemovesTheNameFromBothLists) {
    user.answerMessageBox(ui::IDNO);
    user.answerMessageBox(ui::IDYES);
    const bool ok = run([&](P& dialog, ui::DialogUser& u) {
        u.choose(P::kList, 0);
        u.click(P::kDelete); // No
        EXPECT_EQ(shown(dialog).length(), 1);
        u.click(P::kDelete); // Yes
        EXPECT_TRUE(shown(dialog).isEmpty());
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              dialString(1132) + " \"Heavy end plate\" " + dialString(1133) + "\n" + dialString(1134) + "\n");
    EXPECT_FALSE(fs::exists(library / "Macro Properties" / "Heavy end plate.kvp"));
    // The lists come back without it however the dialog ended.
    EXPECT_EQ(files.allNames, (Zrk_StringArray{"Wide base plate"}));
    EXPECT_TRUE(files.matchingNames.isEmpty());
}

TEST_F(PropFileDialog, ADeleteThatFailsSaysSoAndKeepsTheLists) {
    // A folder where the file was: it cannot be deleted as a file, whoever runs the test.
    const fs::path file = library / "Macro Properties" / "Heavy end plate.kvp";
    fs::remove(file);
    fs::create_directories(file / "inside");
    user.answerMessageBox(ui::IDYES);
    user.answerMessageBox(ui::IDOK);
    run([&](P& dialog, ui::DialogUser& u) {
        u.choose(P::kList, 0);
        u.click(P::kDelete);
        EXPECT_EQ(shown(dialog), (Zrk_StringArray{"Heavy end plate"}));
        u.click(ui::IDCANCEL);
    });
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_NE(user.messageBoxes()[1].request.text.find("could not be deleted"), Zrk_String::npos);
    EXPECT_EQ(files.matchingNames, (Zrk_StringArray{"Heavy end plate"}));
    EXPECT_EQ(files.allNames.length(), 2);
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(PropFileDialog, AFileThatIsGoneAlreadyCountsAsDeleted) {
    fs::remove(library / "Macro Properties" / "Heavy end plate.kvp");
    user.answerMessageBox(ui::IDYES);
    run([&](P& dialog, ui::DialogUser& u) {
        u.choose(P::kList, 0);
        u.click(P::kDelete);
        EXPECT_TRUE(shown(dialog).isEmpty());
        u.click(ui::IDCANCEL);
    });
    EXPECT_EQ(user.messageBoxes().size(), 1u); // the question only
    EXPECT_EQ(files.allNames, (Zrk_StringArray{"Wide base plate"}));
}

TEST_F(PropFileDialog, SavedChangedAndLoadedTheParametersAreTheSame) {
    files.saveMode = true;
    ASSERT_TRUE(run([&](P& dialog, ui::DialogUser& u) {
        u.typeText(P::kName, "Round trip");
        savePicture(u, "property-file");
        u.click(ui::IDOK);
    }));
    Zrk_String path;
    ASSERT_TRUE(data.propFilePath(files.chosenName, path));
    ASSERT_TRUE(data.writeToFile(path));
    const Zrk_Array<MacroTabData> saved = data.tabs;

    // Another width for the plate, written into the macro.
    int tab = -1, cell = -1;
    ASSERT_TRUE(data.findTab("EndPlate", tab));
    ASSERT_TRUE(data.tabs[tab].findCellWithName("PlateWidth", cell));
    data.tabs[tab].cells[cell].value = "321";
    ASSERT_TRUE(UpdateModule("EndPlate", data, {core::kChangeCells}, {cell}));
    ASSERT_NE(data.tabs, saved);

    data.getPropFiles(files.folder, files.extension, files.allNames, files.matchingNames);
    files.saveMode = false;
    ASSERT_TRUE(run([&](P&, ui::DialogUser& u) {
        u.chooseText(P::kList, "Round trip");
        u.click(ui::IDOK);
    }));
    ASSERT_TRUE(data.propFilePath(files.chosenName, path));
    int notUsed = -1;
    ASSERT_TRUE(data.readFromFile(path, notUsed));
    EXPECT_EQ(notUsed, 0);
    for (int t = 0; t < saved.length(); ++t)
        for (int c = 0; c < saved[t].cells.length(); ++c)
            EXPECT_EQ(data.tabs[t].cells[c].value, saved[t].cells[c].value) << saved[t].cells[c].name;
}
