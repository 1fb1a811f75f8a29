// The core library's pictures of bill rows: the image maker and the picture progress dialog.

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "core/files.h"
#include "host/document.h"
#include "ui/bill_pictures.h"

namespace {

class BillPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        bill.columnNames = {"Pos", "Section", "Length"};
        bill.sectionColumn = 1;
    }
    void TearDown() override { closeBMPDialog(); }
    Zrk_String file(const char* name) const { return folder.path().toStdString() + "/" + name; }

    QTemporaryDir folder;
    Zrk_Bill bill;
    host::Document document;
    AcTransaction transaction{document};
    int width = -1, height = 0, count = 0;
    bool framed = true, bold = true;
};

} // namespace

TEST_F(BillPictures, APictureShowsTheSectionOfTheRowOnACard) {
    const Zrk_String path = file("row.bmp");
    ASSERT_TRUE(createImage({"1", "HEA200", "2500"}, path, width, height, count, framed, bold, &bill, &transaction));
    QImage picture;
    ASSERT_TRUE(picture.load(QString::fromStdString(path), "BMP"));
    EXPECT_EQ(picture.height(), 32); // the default height
    EXPECT_GT(width, 20);            // as wide as the name needs, told back
    EXPECT_EQ(picture.width(), width);
    EXPECT_EQ(count, 1);
    // Framed: the corner is the frame's grey; inside, the name is drawn in dark ink on white.
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(90, 90, 90));
    int dark = 0;
    for (int y = 2; y < picture.height() - 2; ++y)
        for (int x = 2; x < picture.width() - 2; ++x) dark += picture.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 20);

    // A wider name makes a wider picture; a given width and height are kept.
    int wideWidth = -1;
    ASSERT_TRUE(createImage({"2", "HEA200 with a long name", "1"}, path, wideWidth, height, count, framed, bold, &bill,
                            &transaction));
    EXPECT_GT(wideWidth, width);
    int fixedWidth = 120, fixedHeight = 48;
    ASSERT_TRUE(createImage({"3", "IPE300", ""}, path, fixedWidth, fixedHeight, count, framed, bold, &bill, &transaction));
    ASSERT_TRUE(picture.load(QString::fromStdString(path), "BMP"));
    EXPECT_EQ(picture.size(), QSize(120, 48));
    EXPECT_EQ(count, 3);
}

TEST_F(BillPictures, NoPictureWithoutBillTransactionOrSectionName) {
    const Zrk_String path = file("none.bmp");
    EXPECT_FALSE(createImage({"1", "HEA200"}, path, width, height, count, framed, bold, nullptr, &transaction));
    EXPECT_FALSE(createImage({"1", "HEA200"}, path, width, height, count, framed, bold, &bill, nullptr));
    EXPECT_FALSE(createImage({"1", "  "}, path, width, height, count, framed, bold, &bill, &transaction));
    EXPECT_FALSE(createImage({"1"}, path, width, height, count, framed, bold, &bill, &transaction));
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(width, -1);
    // A file that cannot be written: nothing counts.
    EXPECT_FALSE(createImage({"1", "HEA200"}, file("missing/folder.bmp"), width, height, count, framed, bold, &bill,
                             &transaction));
    EXPECT_EQ(count, 0);
}

TEST_F(BillPictures, TheProgressDialogShowsEachPictureWhileOpen) {
    EXPECT_EQ(ui::bmpDialog(), nullptr);
    initBMPDialog(0 + 20);
    QWidget* dialog = ui::bmpDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const Zrk_String path = file("row.bmp");
    createImage({"1", "HEA200"}, path, width, height, count, framed, bold, &bill, &transaction);
    createImage({"2", "HEB300"}, path, width, height, count, framed, bold, &bill, &transaction);
    EXPECT_EQ(ui::bmpDialogPictureCount(), 2);
    initBMPDialog(52); // open already: counting starts again, no second window
    EXPECT_EQ(ui::bmpDialog(), dialog);
    EXPECT_EQ(ui::bmpDialogPictureCount(), 0);
    closeBMPDialog();
    EXPECT_EQ(ui::bmpDialog(), nullptr);
    closeBMPDialog(); // nothing open: nothing happens
    createImage({"3", "HEB300"}, path, width, height, count, framed, bold, &bill, &transaction);
    EXPECT_EQ(count, 3);
}
