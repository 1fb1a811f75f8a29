// The image selection and CIS/2 options dialogs, played by the scripted user through their entry
// functions on a library folder of the test's own: thumbnails captioned in the user's language, OK
// without a choice, the options' enabling, and the section-name translation edited and written.

#include <QImage>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../library_folder.h"

#include "core/files.h"
#include "core/macro_langs.h"
#include "core/section_translation.h"
#include "core/settings.h"
#include "dialogs/dlg_cis2.h"
#include "dialogs/dlg_select_image.h"
#include "host/module_entry.h"
#include "ui/codes.h"
#include "ui/dlg_section_translation.h"
#include "ui/image_list_ctrl.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace fs = std::filesystem;

namespace {

using D = DlgCis2Info;
using E = DlgSectionTranslation;
using S = DlgSelectImage;

class Cis2AndImageDialogs : public LibraryFolderTest {
protected:
    Cis2AndImageDialogs() : LibraryFolderTest("ss_cis2_image_") {}
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        LibraryFolderTest::SetUp();
        fs::create_directories(library / "Macros");
        translation = core::sectionTranslationPath(gSettings.libDir);
    }

    // A small picture file of one colour.
    Zrk_String picture(const std::string& name, QRgb colour) const {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        const std::string file = (library / name).string();
        EXPECT_TRUE(image.save(QString::fromStdString(file)));
        return file;
    }
    static Zrk_StringArray entries(const ui::Dialog& dialog) {
        Zrk_StringArray items;
        for (int i = 0; i < dialog.listCount(E::kEntries); ++i)
            items.append(dialog.listText(E::kEntries, i));
        return items;
    }
    Zrk_StringArray translationLines() const {
        Zrk_StringArray lines;
        EXPECT_TRUE(ObjectExportReadFile(translation, lines));
        return lines;
    }
    bool runCis2(KvDlgCis2Data& data, const std::function<void(D&, ui::DialogUser&)>& script) {
        user.onDialog(D::kTemplate, [&](ui::DialogUser& u) { script(static_cast<D&>(u.dialog()), u); });
        return StartDlgCis2Info(data);
    }
    bool runImages(KvSelectImageDlgData& data, const std::function<void(S&, ui::DialogUser&)>& script) {
        user.onDialog(S::kTemplate, [&](ui::DialogUser& u) { script(static_cast<S&>(u.dialog()), u); });
        return StartDlgSelectImage(data);
    }

    inline static int instance = 0;
    Zrk_String translation;
    ui::ScriptedUser user;
};

} // namespace

// --- CIS/2 options -------------------------------------------------------------------------------------

TEST_F(Cis2AndImageDialogs, TheManufacturingModelsContentsAreChosenOnlyWhileItIsChosen) {
    KvDlgCis2Data data;
    const int contents[] = {D::kBolts, D::kPlainParts, D::kPartsWithCuts, D::kWelds, D::kAssemblies};
    ASSERT_TRUE(runCis2(data, [&](D& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), "CIS/2 export");
        EXPECT_EQ(dialog.itemText(D::kExplanation).find('\n') != Zrk_String::npos, true);
        EXPECT_EQ(dialog.checkedRadioButton(D::kAnalysisModel, D::kManufacturingModel), D::kAnalysisModel);
        for (int id : contents)
            EXPECT_FALSE(dialog.isItemEnabled(id)) << id;
        EXPECT_TRUE(dialog.isItemEnabled(D::kSectionNames));
        EXPECT_EQ(dialog.checkState(D::kBolts), 1);
        EXPECT_EQ(dialog.checkedRadioButton(D::kPlainParts, D::kPartsWithCuts), D::kPlainParts);
        u.click(D::kManufacturingModel);
        for (int id : contents)
            EXPECT_TRUE(dialog.isItemEnabled(id)) << id;
        u.click(D::kPartsWithCuts);
        u.click(D::kWelds);
        u.click(D::kBolts);
        u.click(ui::IDOK);
    }));
    EXPECT_FALSE(data.analysisModel);
    EXPECT_FALSE(data.bolts);
    EXPECT_TRUE(data.partsWithCuts);
    EXPECT_TRUE(data.welds);
    EXPECT_FALSE(data.assemblies);

    // Opened on that record: the manufacturing model with its contents; the analysis model again
    // disables them, and OK keeps what they showed.
    ASSERT_TRUE(runCis2(data, [&](D& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemEnabled(D::kWelds));
        EXPECT_EQ(dialog.checkedRadioButton(D::kPlainParts, D::kPartsWithCuts), D::kPartsWithCuts);
        u.click(D::kAnalysisModel);
        for (int id : contents)
            EXPECT_FALSE(dialog.isItemEnabled(id)) << id;
        u.click(ui::IDOK);
    }));
    EXPECT_TRUE(data.analysisModel);
    EXPECT_TRUE(data.partsWithCuts);
    EXPECT_TRUE(data.welds);
}

TEST_F(Cis2AndImageDialogs, CancelLeavesTheCallersRecordsAsTheyWere) {
    KvDlgCis2Data cis2;
    EXPECT_FALSE(runCis2(cis2, [](D&, ui::DialogUser& u) {
        u.click(D::kManufacturingModel);
        u.click(D::kAssemblies);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(cis2, KvDlgCis2Data());

    KvSelectImageDlgData images;
    images.images = {picture("Roof.png", 0xFF0000), picture("Wall.png", 0x00FF00)};
    images.selection = images.images[1];
    const KvSelectImageDlgData before = images;
    EXPECT_FALSE(runImages(images, [](S&, ui::DialogUser& u) {
        u.choose(S::kImages, 0);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(images, before);
}

TEST_F(Cis2AndImageDialogs, SectionNamesAreEditedAndWrittenToTheLibrarysTranslation) {
    ASSERT_TRUE(
        ObjectExportWriteFile(translation, {"HEA-200\tHE200A", "IPE-100\tIPE100", "L-40x40x4\tL40X40X4"}));
    KvDlgCis2Data data;
    EXPECT_FALSE(runCis2(data, [this](D&, ui::DialogUser& u) {
        user.onDialog(E::kTemplate, [this](ui::DialogUser& editor) {
            const ui::Dialog& dialog = editor.dialog();
            EXPECT_EQ(dialog.itemText(E::kNameLabel), "Section");
            EXPECT_EQ(dialog.itemText(E::kCis2NameLabel), "CIS/2 name");
            EXPECT_EQ(entries(dialog),
                      (Zrk_StringArray{E::entryText("HEA-200", "HE200A"), E::entryText("IPE-100", "IPE100"),
                                       E::entryText("L-40x40x4", "L40X40X4")}));
            // An entry chosen shows in the fields; changed there and applied.
            editor.choose(E::kEntries, 1);
            EXPECT_EQ(dialog.itemText(E::kName), "IPE-100");
            EXPECT_EQ(dialog.itemText(E::kCis2Name), "IPE100");
            editor.typeText(E::kCis2Name, "IPE 100");
            editor.click(E::kChange);
            // A section listed already is refused, saying why, and the list stays.
            editor.typeText(E::kName, "hea-200");
            editor.typeText(E::kCis2Name, "HEA200");
            user.answerMessageBox(ui::IDOK);
            editor.click(E::kAdd);
            EXPECT_EQ(dialog.listCount(E::kEntries), 3);
            editor.typeText(E::kName, "HEB-300");
            editor.typeText(E::kCis2Name, "HE300B");
            editor.click(E::kAdd);
            EXPECT_EQ(dialog.listCurSel(E::kEntries), 3);
            editor.choose(E::kEntries, 2);
            editor.click(E::kDelete);
            EXPECT_EQ(dialog.listText(E::kEntries, dialog.listCurSel(E::kEntries)),
                      E::entryText("HEB-300", "HE300B"));
            editor.click(ui::IDOK);
        });
        u.click(D::kSectionNames);
        u.click(ui::IDCANCEL); // the options are cancelled; the translation was written on its own OK
    }));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text, "The section hea-200 is listed already.");
    EXPECT_EQ(translationLines(),
              (Zrk_StringArray{"HEA-200\tHE200A", "IPE-100\tIPE 100", "HEB-300\tHE300B"}));

    // Cancelled in the editor: the file stays as it was.
    EXPECT_FALSE(runCis2(data, [this](D&, ui::DialogUser& u) {
        user.onDialog(E::kTemplate, [](ui::DialogUser& editor) {
            editor.choose(E::kEntries, 0);
            editor.click(E::kDelete);
            editor.click(ui::IDCANCEL);
        });
        u.click(D::kSectionNames);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(translationLines().length(), 3);
}

TEST_F(Cis2AndImageDialogs, ATranslationThatCannotBeReadIsSaidAndNotOpenedOverItsFile) {
    const Zrk_StringArray broken{"HEA-200\tHE200A", "IPE-100 without its CIS/2 name"};
    ASSERT_TRUE(ObjectExportWriteFile(translation, broken));
    KvDlgCis2Data data;
    ASSERT_TRUE(runCis2(data, [](D&, ui::DialogUser& u) {
        u.click(D::kSectionNames);
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              translation + ", line 2: a section name and its CIS/2 name separated by a tab are expected.");
    EXPECT_EQ(user.dialogsRun(), std::vector<int>{D::kTemplate}); // no editor
    EXPECT_EQ(translationLines(), broken);

    // No file yet: the editor starts an empty table and writes it.
    fs::remove(translation);
    ASSERT_TRUE(runCis2(data, [this](D&, ui::DialogUser& u) {
        user.onDialog(E::kTemplate, [](ui::DialogUser& editor) {
            EXPECT_EQ(editor.dialog().listCount(E::kEntries), 0);
            EXPECT_FALSE(editor.dialog().isItemEnabled(E::kDelete));
            editor.typeText(E::kName, "HEA-200");
            editor.typeText(E::kCis2Name, "HE200A");
            editor.click(E::kAdd);
            editor.click(ui::IDOK);
        });
        u.click(D::kSectionNames);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(translationLines(), Zrk_StringArray{"HEA-200\tHE200A"});
}

// --- image selection -----------------------------------------------------------------------------------

TEST_F(Cis2AndImageDialogs, ThumbnailsAreCaptionedInTheUsersLanguageAndOKWantsAChoice) {
    ASSERT_TRUE(ObjectExportWriteFile(core::macroNamesPath(gSettings.libDir),
                                      {"Name\tEnglish\tGerman", "RoofPurlins\tRoof purlins\tDachpfetten"}));
    KvSelectImageDlgData data;
    data.caption = "Choose a cladding";
    data.images = {picture("RoofPurlins.png", 0xFF0000), picture("WallRails.png", 0x00FF00)};
    ASSERT_TRUE(runImages(data, [&](S& dialog, ui::DialogUser& u) {
        auto* list = dialog.itemAs<CImageListCtrl>(S::kImages);
        EXPECT_EQ(dialog.title(), "Choose a cladding");
        EXPECT_EQ(list->captionAt(0), "Roof purlins");
        EXPECT_EQ(list->captionAt(1), "WallRails");
        EXPECT_EQ(list->selectedIndex(), -1);
        u.click(ui::IDOK);
        EXPECT_FALSE(dialog.hasEnded()); // nothing chosen: the dialog stays
        u.choose(S::kImages, 1);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data.selection, data.images[1]);

    // Opened again: the chosen picture is chosen; a double click on another chooses that one.
    ASSERT_TRUE(runImages(data, [&](S& dialog, ui::DialogUser& u) {
        auto* list = dialog.itemAs<CImageListCtrl>(S::kImages);
        EXPECT_EQ(list->selectedIndex(), 1);
        u.clickAt(list->mapTo(&dialog, list->thumbnailRect(0).center()), false, true);
        EXPECT_TRUE(dialog.hasEnded());
    }));
    EXPECT_EQ(data.selection, data.images[0]);
}
