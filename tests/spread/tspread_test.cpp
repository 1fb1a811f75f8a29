// The grid window under the wrapper: the view follows the sheet (and the sheet the user's changes in
// the view), a hidden grid does no work per cell, and what the model tells the view's delegates.

#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QTemporaryDir>

#include "core/files.h"
#include "grid_host.h"
#include "spreadlib/grid/picture_registry.h"

using namespace gridtest;
using namespace spreadlib;

namespace {

int countDataChanged(QAbstractItemModel* model, const std::function<void()>& action) {
    int count = 0;
    const auto connection = QObject::connect(model, &QAbstractItemModel::dataChanged, [&count] { ++count; });
    action();
    QObject::disconnect(connection);
    return count;
}

} // namespace

TEST_F(GridTest, AHiddenGridSignalsNoCellsUntilItShows) {
    GridHost hidden;
    ASSERT_TRUE(hidden.create()); // made, not shown: the standards engine's grids
    hidden.grid.setNrCols(3);
    hidden.grid.setNrRows(100);
    QAbstractItemModel* model = hidden.grid.view()->model();
    EXPECT_EQ(countDataChanged(model,
                               [&] {
                                   for (int row = 1; row <= 100; ++row)
                                       hidden.grid.setCellText(2, row, "x");
                               }),
              0);
    hidden.show();
    EXPECT_GT(countDataChanged(model, [&] { hidden.grid.setCellText(2, 1, "y"); }), 0);
    EXPECT_EQ(model->data(model->index(99, 1)).toString(), "x"); // the model answers from the sheet
    hidden.destroyWindow();
}

TEST_F(GridTest, TheViewFollowsTheSheet) {
    shape(4, 5);
    QTableView* view = grid().view();
    grid().setBool(kOptionRowHeaders, false);
    EXPECT_FALSE(view->verticalHeader()->isVisible());
    grid().setBool(kOptionRowHeaders, true);
    EXPECT_TRUE(view->verticalHeader()->isVisible());
    grid().setBool(kOptionColumnHeaders, false);
    EXPECT_FALSE(view->horizontalHeader()->isVisible());
    grid().setBool(kOptionGridLines, false);
    EXPECT_FALSE(view->showGrid());

    grid().setColWidthInPixels(2, 97);
    grid().setColWidthInPixels(3, 0); // no width: not shown
    grid().setRowHeightInPixels(4, 33);
    grid().setColWidthInPixels(0, 41);
    grid().setRowHeightInPixels(0, 27);
    grid().SSAddCellSpan(1, 2, 2, 3);
    grid().flushView();
    EXPECT_EQ(view->columnWidth(1), 97);
    EXPECT_TRUE(view->isColumnHidden(2));
    EXPECT_EQ(view->rowHeight(3), 33);
    EXPECT_EQ(view->verticalHeader()->width(), 41);
    EXPECT_EQ(view->horizontalHeader()->height(), 27);
    EXPECT_EQ(view->rowSpan(1, 0), 3);
    EXPECT_EQ(view->columnSpan(1, 0), 2);
    grid().setColWidthInPixels(3, 50);
    grid().flushView();
    EXPECT_FALSE(view->isColumnHidden(2));

    grid().SSSetSelColor(rgb(200, 0, 0), rgb(0, 0, 200));
    EXPECT_EQ(view->palette().color(QPalette::Highlight), QColor(200, 0, 0));
    EXPECT_EQ(view->palette().color(QPalette::HighlightedText), QColor(0, 0, 200));

    grid().setActiveCell(3, 4);
    EXPECT_EQ(view->currentIndex(), view->model()->index(3, 2));
    grid().selectBlock(1, 1, 2, 2);
    EXPECT_EQ(view->selectionModel()->selectedIndexes().size(), 4);

    grid().setNrRows(2);
    EXPECT_EQ(view->model()->rowCount(), 2);
    grid().setNrCols(6);
    EXPECT_EQ(view->model()->columnCount(), 6);
}

TEST_F(GridTest, TheSheetFollowsTheUsersResizing) {
    shape(3, 3);
    grid().flushView();
    grid().view()->horizontalHeader()->resizeSection(1, 123); // as the mouse drags it
    int width = 0;
    grid().getColWidthInPixels(2, width);
    EXPECT_EQ(width, 123);
}

TEST_F(GridTest, TheModelAnswersByCellType) {
    shape(4, 2);
    QAbstractItemModel* model = grid().view()->model();
    grid().setNumberCells(1, 1, 2);
    grid().setCellValue(1, 1, "3");
    grid().setCellText(2, 1, "text");
    grid().setCheckBoxColumn(3);
    grid().setCellText(3, 1, "1");
    grid().setCellLocked(4, 1);
    const auto align = [&](int row, int col) {
        return Qt::Alignment(model->data(model->index(row, col), Qt::TextAlignmentRole).toInt()) &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), "3.00");
    EXPECT_EQ(align(0, 0), Qt::AlignRight);
    EXPECT_EQ(align(0, 1), Qt::AlignLeft);
    EXPECT_EQ(model->data(model->index(0, 2), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(model->data(model->index(1, 2), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, 2)) & Qt::ItemIsEditable); // check boxes toggle, not edit
    EXPECT_FALSE(model->flags(model->index(0, 3)) & Qt::ItemIsEditable); // locked
    grid().setBool(kOptionEditing, false);
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "B"); // no text: the column's letter
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), "2");
}

TEST_F(GridTest, CodeThatEditsOpensAndClosesTheEditor) {
    shape(2, 2);
    grid().setCellText(2, 2, "abcdef");
    grid().setActiveCell(2, 2);
    grid().setEditMode(true);
    ASSERT_TRUE(grid().getEditMode());
    grid().setEditSel(1, 3);
    int start = 0, end = 0;
    grid().getEditSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    grid().setEditMode(false);
    EXPECT_FALSE(grid().getEditMode());
    EXPECT_EQ(text(2, 2), "abcdef");
    // A cell without an editor leaves the grid out of edit mode.
    grid().setStaticCells(1, 1);
    grid().setActiveCell(1, 1);
    grid().setEditMode(true);
    EXPECT_FALSE(grid().getEditMode());
}

TEST(PictureRegistry, HandlesAreKeysNeverAddresses) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const std::uintptr_t handle = registerPicture(image);
    EXPECT_NE(handle, 0u);
    QImage found;
    ASSERT_TRUE(findPicture(handle, found));
    EXPECT_EQ(found.size(), QSize(4, 4));
    releasePicture(handle);
    EXPECT_FALSE(findPicture(handle, found));
    EXPECT_FALSE(findPicture(0, found));
    EXPECT_FALSE(findPicture(reinterpret_cast<std::uintptr_t>(&image), found));
}

TEST_F(GridTest, EveryKindOfCellDraws) {
    shape(6, 4);
    grid().setColumnHeaders({"Name", "On", "", "Go", "Picture", "Image"});
    grid().setCheckBoxColumn(2, true, true);
    grid().setPlainCheckBoxColumn(3, "with caption");
    grid().setButtonCells(4, 1, 4, 4, "...");
    grid().setPictureCell(5, 1, 212, true);
    grid().setComboCells(1, 2, {"A", "B"});
    grid().setNumberCells(1, 3, 3);
    grid().setBorder(1, 1, 1, 1, kBorderAll, kBorderStyleSolid, rgb(255, 0, 0));
    grid().setColor(1, 4, 1, 4, rgb(255, 255, 0), rgb(0, 0, 255));
    grid().fillColumn(2, Zrk_StringArray{"1", "0", "1", "0"});
    // A picture file for an image row, and a sheet whose picture handles point nowhere.
    QTemporaryDir folder;
    QImage picture(60, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const Zrk_String path = folder.path().toStdString() + "/row.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    ASSERT_TRUE(grid().setImageRow(path, 6, 4));
    EXPECT_FALSE(grid().setImageRow(folder.path().toStdString() + "/none.png", 6, 3));
    int height = 0;
    grid().getRowHeightInPixels(4, height);
    EXPECT_EQ(height, 30);
    const std::uintptr_t nowhere[6] = {12345, 12345, 12345, 99999, 99999, 99999};
    grid().setCellType(6, 1, 6, 1, CellType::checkBoxPictures(0, nowhere));
    grid().setCellType(6, 2, 6, 2, CellType::pictureHandle(0, 4242));
    grid().setActiveCell(2, 1);
    const QImage image = host.grab().toImage();
    ASSERT_FALSE(image.isNull());
    const auto colourAt = [&](int col, int row, int dx) {
        QTableView* view = grid().view();
        const QRect rect = view->visualRect(view->model()->index(row - 1, col - 1));
        return image.pixelColor(view->viewport()->mapTo(&host, rect.center() + QPoint(dx, 0)));
    };
    EXPECT_EQ(colourAt(1, 4, 0), QColor(255, 255, 0));   // the cell's own background
    EXPECT_EQ(colourAt(6, 4, 0), QColor(Qt::darkGreen)); // the image row's picture
}

TEST_F(GridTest, TheCornerShowsTheHeaderOfTheRowHeaderColumn) {
    shape(2, 2);
    QTableView* view = grid().view();
    grid().flushView();
    const QRect corner(0, 0, view->verticalHeader()->width(), view->horizontalHeader()->height());
    ASSERT_FALSE(corner.isEmpty());
    const auto darkPixels = [&] {
        const QImage image = view->grab(corner).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 1; x < image.width() - 1; ++x) dark += image.pixelColor(x, y).lightness() < 100;
        return dark;
    };
    const int empty = darkPixels();
    grid().setCellText(0, 0, "Type");
    EXPECT_GT(darkPixels(), empty + 10); // the text, in the header's colour (not greyed)
}
