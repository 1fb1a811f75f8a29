// The select-macro dialog on a library of the test's own (copies of the sample connections): captions
// and their trailing digits, previews used and made once, the filter grid and its ticks, folding the
// filter away, and the ways it closes.

#include <filesystem>
#include <unistd.h>

#include <QTableView>

#include "core/files.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_select_macro.h"
#include "spreadlib/grid/grid_notify.h"
#include "ui/dialog_size.h"
#include "ui/image_list_ctrl.h"

namespace fs = std::filesystem;

namespace {

using S = DlgSelectMacro;

class SelectMacroDialog : public macrotest::MacroDialogTest {
protected:
    void SetUp() override {
        MacroDialogTest::SetUp();
        library =
            fs::temp_directory_path() / ("ss_select_macro_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(library);
        fs::create_directories(library);
        fs::copy(fs::path(core::defaultLibraryFolder()) / "Macros", library / "Macros",
                 fs::copy_options::recursive);
        gSettings.libDir = library.string() + "/";
        writeDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", true);
    }
    void TearDown() override {
        fs::remove_all(library);
        MacroDialogTest::TearDown();
    }
    bool run(const std::function<void(S&, ui::DialogUser&)>& script, Zrk_StringArray modules = {},
             AcArray<bool> flags = {}) {
        user.onDialog(S::kTemplate, [&](ui::DialogUser& u) { script(static_cast<S&>(u.dialog()), u); });
        return StartDlgSelectMacro("", modules, flags, -1, -1, result, special, false);
    }
    static CImageListCtrl& thumbnails(S& dialog) { return *dialog.itemAs<CImageListCtrl>(S::kImages); }
    static QPoint cellPoint(S& dialog, int col, int row) {
        dialog.grid.flushView();
        QTableView* view = dialog.grid.view();
        const QRect rect = view->visualRect(view->model()->index(row - 1, col - 1));
        return view->viewport()->mapTo(&dialog, rect.center());
    }
    Zrk_String macros(const char* name) const { return (library / "Macros" / name).string(); }

    fs::path library;
    Zrk_String result = "unchanged";
    bool special = false;
};

} // namespace

TEST_F(SelectMacroDialog, CaptionsLoseTheirDigitsUnlessTwoWouldReadTheSame) {
    // FinPlate1 and FinPlate2 would both read "FinPlate": every caption is shown in full.
    EXPECT_EQ(S::captionsOf({macros("EndPlate.json"), macros("FinPlate1.json"), macros("FinPlate2.json")}),
              (Zrk_StringArray{"End plate", "FinPlate1", "FinPlate2"}));
    EXPECT_EQ(S::captionsOf({macros("FinPlate1.json"), macros("Beam12.json")}),
              (Zrk_StringArray{"FinPlate", "Beam"}));
}

TEST_F(SelectMacroDialog, ADrawingWithoutAPictureGetsAPreviewOnceAndOkGivesTheDrawing) {
    // The fin plate without its picture.
    fs::remove(library / "Macros" / "FinPlate2.bmp");
    const Zrk_String preview = macros("FinPlate2.abm");
    ASSERT_FALSE(fileExists(preview));
    // A drawing that cannot be read gets no preview, and is not offered.
    ASSERT_TRUE(writeFileAtomically(macros("Broken.json"), "{ not a drawing"));
    ASSERT_TRUE(run([&](S& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1116));
        CImageListCtrl& list = thumbnails(dialog);
        ASSERT_EQ(list.imageCount(), 5);
        EXPECT_EQ(list.fileAt(0), macros("BasePlate.bmp")); // its own picture
        EXPECT_EQ(list.fileAt(3), preview);                 // the one made for it
        for (int i = 0; i < list.imageCount(); ++i)
            EXPECT_TRUE(list.pictureFound(i)) << list.fileAt(i);
        EXPECT_EQ(list.captionAt(1), "End plate");
        u.click(ui::IDOK); // nothing chosen: the dialog stays
        EXPECT_FALSE(dialog.hasEnded());
        u.choose(S::kImages, 3);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(result, macros("FinPlate2.json"));
    EXPECT_FALSE(special);
    EXPECT_FALSE(fileExists(macros("Broken.abm")));
    EXPECT_FALSE(fileExists(macros("BasePlate.abm"))); // it has a picture of its own

    // Made once: a later opening leaves it as it is.
    ASSERT_TRUE(writeFileAtomically(preview, "kept"));
    ASSERT_TRUE(run([&](S&, ui::DialogUser& u) { u.click(ui::IDCANCEL); }) == false);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(preview, bytes));
    EXPECT_EQ(bytes, "kept");
}

TEST_F(SelectMacroDialog, TickingABoxNarrowsTheListAndShortRowsAreGreyedAndLocked) {
    ASSERT_FALSE(run(
        [&](S& dialog, ui::DialogUser& u) {
            // Rows: Cleats, Bolts, then the others; the widest (Bolts) has three entries.
            ASSERT_EQ(dialog.filterRows[0], (Zrk_StringArray{"Cleats", "Profiles"}));
            EXPECT_EQ(dialog.grid.getNrCols(), 6);
            Zrk_String header;
            dialog.grid.getCellText(3, -32767, header);
            EXPECT_EQ(header, dialString(1120) + " 1");
            // The Cleats row ends after its first property: its third pair is greyed and locked.
            spreadlib::Color back = 0, fore = 0;
            ASSERT_TRUE(dialog.grid.getColor(5, 1, back, fore));
            EXPECT_EQ(back, 0xDCDCDCu);
            EXPECT_TRUE(dialog.grid.isCellLocked(5, 1));
            EXPECT_TRUE(dialog.grid.isCellLocked(2, 1)); // names are never edited
            EXPECT_FALSE(dialog.grid.isCellLocked(3, 1));
            EXPECT_EQ(thumbnails(dialog).imageCount(), 5);
            // Cleats with profiles: the one fin plate that has them.
            ASSERT_TRUE(u.clickAt(cellPoint(dialog, 3, 1)));
            ASSERT_EQ(thumbnails(dialog).imageCount(), 1);
            EXPECT_EQ(thumbnails(dialog).captionAt(0), "FinPlate"); // no other caption to collide with
            ASSERT_TRUE(u.clickAt(cellPoint(dialog, 3, 1)));
            EXPECT_EQ(thumbnails(dialog).imageCount(), 5);
            savePicture(u, "select-macro");
            u.click(ui::IDCANCEL);
        },
        {"Cleats", "Bolts"}, {false, false}));
    EXPECT_EQ(result, "unchanged");
}

TEST_F(SelectMacroDialog, TheExtraButtonClosesWithOkAndNoDrawing) {
    special = true;
    ASSERT_TRUE(run([&](S& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemEnabled(S::kExtra));
        EXPECT_EQ(dialog.itemText(S::kExtra), dialString(1309));
        u.choose(S::kImages, 0);
        u.click(S::kExtra);
    }));
    EXPECT_TRUE(special);
    EXPECT_TRUE(result.empty());
}

TEST_F(SelectMacroDialog, WithoutTheExtraButtonTheHintTakesRoomFromTheThumbnails) {
    int withoutHint = 0;
    ASSERT_FALSE(run([&](S& dialog, ui::DialogUser& u) {
        EXPECT_FALSE(dialog.isItemEnabled(S::kExtra));
        EXPECT_FALSE(dialog.isItemShown(S::kHint));
        withoutHint = dialog.itemRect(S::kImages).height();
        u.click(ui::IDCANCEL);
    }));
    user.onDialog(S::kTemplate, [&](ui::DialogUser& u) {
        auto& dialog = static_cast<S&>(u.dialog());
        EXPECT_TRUE(dialog.isItemShown(S::kHint));
        EXPECT_EQ(dialog.itemText(S::kHint), dialString(1312) + "\n" + dialString(1313));
        EXPECT_EQ(dialog.itemRect(S::kImages).height(),
                  withoutHint - dialog.mapDialogRect(QRect(0, 0, 4, 60)).height());
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(StartDlgSelectMacro("", {}, -1, -1, result, special, true));
}

TEST_F(SelectMacroDialog, TheFilterFoldsAwayAndOpensFoldedNextTime) {
    int top = 0, height = 0;
    ASSERT_FALSE(run([&](S& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.filterShown);
        top = dialog.itemRect(S::kImages).top();
        height = dialog.itemRect(S::kImages).height();
        u.click(S::kShowHide);
        EXPECT_FALSE(dialog.isItemShown(S::kFilterGrid));
        EXPECT_EQ(dialog.itemRect(S::kImages).top(), top - dialog.collapseHeight);
        EXPECT_EQ(dialog.itemRect(S::kImages).height(), height + dialog.collapseHeight);
        // Resizing afterwards keeps the folded layout.
        u.resize(dialog.width() + 60, dialog.height() + 40);
        EXPECT_EQ(dialog.itemRect(S::kImages).top(), top - dialog.collapseHeight);
        u.click(ui::IDCANCEL);
    }));
    bool large = true;
    ASSERT_TRUE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_FALSE(large);
    ASSERT_FALSE(run([&](S& dialog, ui::DialogUser& u) {
        EXPECT_FALSE(dialog.filterShown);
        EXPECT_FALSE(dialog.isItemShown(S::kFilterGrid));
        u.click(S::kShowHide);
        EXPECT_TRUE(dialog.isItemShown(S::kFilterGrid));
        u.click(ui::IDCANCEL);
    }));
}

TEST_F(SelectMacroDialog, ADoubleClickChoosesAtOnce) {
    ASSERT_TRUE(run([&](S& dialog, ui::DialogUser& u) {
        CImageListCtrl& list = thumbnails(dialog);
        const QPoint at = list.mapTo(&dialog, list.thumbnailRect(1).center());
        u.clickAt(at, false, true);
    }));
    EXPECT_EQ(result, macros("EndPlate.json"));
}
