// The pieces the module's dialogs share: the picture combo box, the thumbnail list, bitmap buttons
// from files, remembered yes/no choices, the report window and the section chooser.

#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/files.h"
#include "core/settings.h"
#include "ui/button_st.h"
#include "ui/dialog.h"
#include "ui/dialog_size.h"
#include "ui/dlg_info.h"
#include "ui/dlg_select_prof.h"
#include "ui/image_list_ctrl.h"
#include "ui/picture_combo.h"
#include "ui/resources.h"
#include "ui/scripted_user.h"
#include "ui/window_class.h"

namespace {

constexpr int kPiecesTemplate = 9310;
constexpr int kTypes = 9311;
constexpr int kThumbnails = 9312;
constexpr int kPalette = 9313;

// A dialog with the pieces, which writes down what it hears.
class DlgPieces : public ui::Dialog {
public:
    DlgPieces() : ui::Dialog(kPiecesTemplate) {
        static const bool registered = [] {
            ui::hostResources().addTemplate(
                ui::DialogTemplate(kPiecesTemplate, "Pieces", 260, 170,
                                   {
                                       {kTypes, ui::Kind::PictureCombo, "", 7, 7, 150, 80},
                                       {kThumbnails, ui::Kind::ImageList, "", 7, 28, 246, 110},
                                       {kPalette, ui::Kind::BitmapButton, "Parallel", 163, 7, 50, 20},
                                       {ui::IDOK, ui::Kind::DefPushButton, "OK", 209, 149, 44, 14},
                                   }));
            return true;
        }();
        (void)registered;
    }
    std::vector<std::string> heard;

protected:
    bool onCommand(int id, int code) override {
        if (id == kTypes && code == ui::CBN_SELCHANGE)
            heard.push_back("type " + std::to_string(comboCurSel(kTypes)));
        return ui::Dialog::onCommand(id, code);
    }
    bool onNotify(int id, int code, const void*) override {
        if (id != kThumbnails) return false;
        auto* list = itemAs<CImageListCtrl>(kThumbnails);
        if (code == ui::LVN_ITEMCHANGED) heard.push_back("chosen " + std::to_string(list->selectedIndex()));
        if (code == ui::NM_DBLCLK) heard.push_back("double click " + list->selectedName());
        return true;
    }
};

class SharedPieces : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    Zrk_String path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
    // A picture of one colour with a square of another in its middle.
    Zrk_String picture(const std::string& name, QRgb ground, QRgb middle, QSize size = QSize(32, 24)) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(ground);
        for (int y = size.height() / 4; y < size.height() * 3 / 4; ++y)
            for (int x = size.width() / 4; x < size.width() * 3 / 4; ++x)
                image.setPixel(x, y, middle);
        const Zrk_String file = path(name);
        EXPECT_TRUE(image.save(QString::fromStdString(file), "BMP"));
        return file;
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(SharedPieces, APictureComboShowsPicturesWithCaptionsAndTellsTheChoice) {
    ui::ScriptedUser user;
    DlgPieces dialog;
    const Zrk_String chamfer = picture("CutChamfer.bmp", 0xC0C0C0, 0x204080);
    user.onDialog(kPiecesTemplate, [&](ui::DialogUser& u) {
        auto* types = dialog.itemAs<ui::PictureComboBox>(kTypes);
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(ui::windowClassName(types), "ComboBox");
        EXPECT_EQ(types->addPictureFile(chamfer, "Chamfer"), 0);
        EXPECT_EQ(types->addPictureFile(path("missing.bmp"), "Fillet"), 1);
        EXPECT_TRUE(types->pictureFound(0));
        EXPECT_FALSE(types->pictureFound(1));
        EXPECT_EQ(dialog.comboText(kTypes, 1), "Fillet");
        dialog.comboSetCurSel(kTypes, 0); // code: not heard
        u.choose(kTypes, 1);
        EXPECT_EQ(dialog.comboCurSel(kTypes), 1);
        u.click(ui::IDOK);
    });
    dialog.doModal();
    EXPECT_EQ(dialog.heard, std::vector<std::string>{"type 1"});
}

TEST_F(SharedPieces, TheThumbnailListGivesTheChosenPicturesFile) {
    ui::ScriptedUser user;
    DlgPieces dialog;
    const Zrk_StringArray files{picture("BasePlate.bmp", 0xFFFFFF, 0x000000), path("Gone.bmp"),
                                picture("Splice.bmp", 0xFFFFFF, 0xFF0000, QSize(400, 100))};
    user.onDialog(kPiecesTemplate, [&](ui::DialogUser& u) {
        auto* list = dialog.itemAs<CImageListCtrl>(kThumbnails);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ui::windowClassName(list), "SysListView32");
        list->setImages(files, {"Base plate", "Gone"}); // the third without caption
        EXPECT_EQ(list->imageCount(), 3);
        EXPECT_EQ(list->captionAt(2), "Splice");
        EXPECT_TRUE(list->pictureFound(0));
        EXPECT_FALSE(list->pictureFound(1));
        EXPECT_EQ(list->selectedName(), "");
        u.choose(kThumbnails, 2);
        EXPECT_EQ(list->selectedName(), files[2]);
        // A double click on the first thumbnail chooses it and says so.
        const QRect first = list->thumbnailRect(0);
        ASSERT_FALSE(first.isEmpty());
        u.clickAt(list->mapTo(&dialog, first.center()), false, true);
        EXPECT_EQ(list->selectedIndex(), 0);
        EXPECT_TRUE(list->selectIndex(-1));
        EXPECT_FALSE(list->selectIndex(3));
        EXPECT_EQ(list->selectedName(), "");
        u.savePicture(path("thumbnails.png"));
        u.click(ui::IDOK);
    });
    dialog.doModal();
    ASSERT_GE(dialog.heard.size(), 3u);
    EXPECT_EQ(dialog.heard[0], "chosen 2");
    EXPECT_EQ(dialog.heard[1], "chosen 0");
    EXPECT_EQ(dialog.heard.back(), "double click " + files[0]);
}

TEST_F(SharedPieces, AButtonPictureFromAFileLeavesItsGroundColourOut) {
    const Zrk_String parallel = picture("Parallel.bmp", 0xC0C0C0, 0x102030);
    CButtonST button;
    button.setText("Parallel");
    ASSERT_TRUE(button.setBitmapFile(parallel, 0xC0C0C0));
    EXPECT_EQ(button.imageId(), -1);
    const QImage shown = button.icon().pixmap(button.iconSize()).toImage();
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);                    // the ground: transparent
    EXPECT_EQ(shown.pixel(16, 12) & 0xFFFFFFu, QRgb(0x102030)); // the drawing: as it was
    const QSize beside = button.sizeHint();
    button.setTextBelowPicture(true);
    EXPECT_GT(button.sizeHint().height(), beside.height());
    EXPECT_LT(button.sizeHint().width(), beside.width());
    EXPECT_FALSE(button.setBitmapFile(path("missing.bmp"), 0xC0C0C0));
    EXPECT_TRUE(button.icon().isNull());
    EXPECT_EQ(button.imageId(), 0);
}

TEST(DialogChoices, AreRememberedPerDialogAndName) {
    bool large = true;
    EXPECT_FALSE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_TRUE(large);
    ASSERT_TRUE(writeDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", false));
    ASSERT_TRUE(writeDlgRegBool("DLG/OTHER", "LARGE_DLG", true));
    EXPECT_TRUE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_FALSE(large);
    EXPECT_TRUE(readDlgRegBool("DLG/OTHER", "LARGE_DLG", large));
    EXPECT_TRUE(large);
    EXPECT_FALSE(writeDlgRegBool("", "LARGE_DLG", true));
    EXPECT_FALSE(writeDlgRegBool("DLG_X", "", true));
    EXPECT_FALSE(readDlgRegBool("", "LARGE_DLG", large));
}

TEST_F(SharedPieces, TheReportShowsItsLinesAndSavesThem) {
    DlgInfoData report("Load the newest files", "Close");
    report.addLine(Zrk_String(10, '-'));
    report.addLine("Loaded \"stock1.shp\" for group \"HEA 200\"");
    report.addLine("");
    ui::ScriptedUser user;
    user.onDialog(DlgInfo::kTemplate, [&](ui::DialogUser& u) {
        ui::Dialog& dialog = u.dialog();
        EXPECT_EQ(dialog.title(), "Load the newest files");
        EXPECT_EQ(dialog.itemText(ui::IDOK), "Close");
        EXPECT_EQ(dialog.itemText(DlgInfo::kText),
                  "----------\nLoaded \"stock1.shp\" for group \"HEA 200\"\n");
        EXPECT_EQ(dialog.focusedItemId(), ui::IDOK);
        user.answerFileDialog(path("report.txt"));
        u.click(DlgInfo::kSave);
        user.answerFileDialog(path("no/such/folder/report.txt"));
        u.click(DlgInfo::kSave);
        u.savePicture(path("report.png"));
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(ExportStartDlgInfo(report));
    std::string written;
    ASSERT_TRUE(readFileBytes(path("report.txt"), written));
    EXPECT_EQ(written, "----------\nLoaded \"stock1.shp\" for group \"HEA 200\"\n\n");
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("no/such/folder/report.txt"), Zrk_String::npos);
    EXPECT_EQ(user.fileDialogs()[0].extension, "txt");
}

class SectionChooser : public SharedPieces {
protected:
    void SetUp() override {
        SharedPieces::SetUp();
        std::filesystem::create_directories(path("prof"));
        ASSERT_TRUE(ObjectExportCopyFile(std::string(SS_TEST_DATA_DIR) + "/standards/prof/HEA.pr",
                                         path("prof/HEA.pr")));
        ASSERT_TRUE(ObjectExportCopyFile(std::string(SS_TEST_DATA_DIR) + "/standards/prof/IPE.pr",
                                         path("prof/IPE.pr")));
        saved = gSettings.libDir;
        gSettings.libDir = path("");
    }
    void TearDown() override { gSettings.libDir = saved; }
    Zrk_String saved;
};

TEST_F(SectionChooser, StartsAtTheCurrentSectionAndGivesTheChosenOne) {
    ui::ScriptedUser user;
    DlgSelectProf chooser;
    chooser.data.section = "HE 220 A"; // a German user name
    user.onDialog(DlgSelectProf::kTemplate, [&](ui::DialogUser& u) {
        EXPECT_EQ(chooser.listText(DlgSelectProf::kTables, chooser.listCurSel(DlgSelectProf::kTables)),
                  "HEA");
        EXPECT_EQ(chooser.listCurSel(DlgSelectProf::kSections), 1);
        EXPECT_EQ(chooser.listText(DlgSelectProf::kSections, 1), "HEA 220");
        EXPECT_EQ(chooser.itemText(DlgSelectProf::kDimensions), "h = 210.0"); // b is empty in the table
        EXPECT_EQ(chooser.focusedItemId(), DlgSelectProf::kSections);
        u.savePicture(path("select-section.png"));
        u.chooseText(DlgSelectProf::kTables, "IPE");
        EXPECT_FALSE(chooser.isItemEnabled(ui::IDOK)); // no section chosen yet
        u.pressKey(ui::VK_RETURN);                     // and Enter does not end it
        EXPECT_FALSE(chooser.hasEnded());
        u.choose(DlgSelectProf::kSections, 0);
        EXPECT_EQ(chooser.itemText(DlgSelectProf::kDimensions),
                  "h = 300.0\nb = 150.0\ntw = 7.1\ntf = 10.7\nr = 15.0");
        u.click(ui::IDOK);
    });
    ASSERT_EQ(chooser.doModal(), ui::IDOK);
    EXPECT_EQ(chooser.data.section, "IPE-300");
    EXPECT_EQ(chooser.data.path, gSettings.libDir + "IPE-300");
}

TEST_F(SectionChooser, OffersTheUserSectionsAndTakesADoubleClick) {
    std::filesystem::create_directories(path("User Sections/Bent"));
    ASSERT_TRUE(writeFileAtomically(path("User Sections/Frame.dwg"), "drawing"));
    ASSERT_TRUE(writeFileAtomically(path("User Sections/Bent/Arch.dwg"), "drawing"));
    ui::ScriptedUser user;
    DlgSelectProf chooser;
    chooser.data.section = "User Sections/Frame.dwg";
    user.onDialog(DlgSelectProf::kTemplate, [&](ui::DialogUser& u) {
        EXPECT_EQ(chooser.listCount(DlgSelectProf::kTables), 3);
        EXPECT_EQ(chooser.listCurSel(DlgSelectProf::kTables), 2);
        EXPECT_EQ(chooser.listText(DlgSelectProf::kTables, 2), "User sections");
        EXPECT_EQ(chooser.listText(DlgSelectProf::kSections, 0), "Arch");
        EXPECT_EQ(chooser.listCurSel(DlgSelectProf::kSections), 1);
        EXPECT_EQ(chooser.itemText(DlgSelectProf::kDimensions), "");
        auto* sections = chooser.item(DlgSelectProf::kSections);
        u.choose(DlgSelectProf::kSections, 0);
        const QRect place =
            static_cast<QListWidget*>(sections)->visualItemRect(static_cast<QListWidget*>(sections)->item(0));
        u.clickAt(sections->mapTo(&chooser,
                                  place.center() + static_cast<QListWidget*>(sections)->viewport()->pos()),
                  false, true);
    });
    ASSERT_EQ(chooser.doModal(), ui::IDOK);
    EXPECT_EQ(chooser.data.section, "User Sections/Bent/Arch.dwg");

    // Cancel leaves the record alone; an unknown section starts at the first table.
    DlgSelectProf again;
    again.data.section = "XYZ-1";
    user.onDialog(DlgSelectProf::kTemplate, [&](ui::DialogUser& u) {
        EXPECT_EQ(again.listCurSel(DlgSelectProf::kTables), 0);
        EXPECT_EQ(again.listCurSel(DlgSelectProf::kSections), -1);
        u.click(ui::IDCANCEL);
    });
    EXPECT_EQ(again.doModal(), ui::IDCANCEL);
    EXPECT_EQ(again.data.section, "XYZ-1");
}
