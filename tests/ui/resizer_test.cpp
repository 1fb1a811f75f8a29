// The layout keeper: anchor bits per direction, one repositioning of all children, no drift.

#include <gtest/gtest.h>

#include "test_dialogs.h"
#include "ui/resizer.h"
#include "ui/scripted_user.h"
#include "ui/window_class.h"

using namespace test;

TEST(Resizer, AnchorBitsPlaceEachEdge) {
    struct Case {
        int anchor;
        int grownNear, grownFar;   // 100 -> 200
        int shrunkNear, shrunkFar; // 100 -> 50
    };
    // The control spans 10..60 of 100.
    const Case cases[] = {
        {0, 20, 120, 5, 30},    // both edges scale
        {1, 20, 70, 5, 55},     // near edge scales, size kept
        {2, 10, 120, 10, 30},   // near edge kept, far edge scales
        {3, 10, 60, 10, 60},    // stays
        {4, 20, 160, 5, 10},    // near scales, far keeps its distance to the dialog's far edge
        {5, 110, 160, -40, 10}, // moves with the far edge
        {6, 10, 160, 10, 10},   // stretches (and never turns inside out)
        {7, 110, 160, -40, 10}, // size and far edge: moves with the far edge
    };
    for (const Case& c : cases) {
        int near = 0, far = 0;
        CResizer::place(10, 60, 100, 200, c.anchor, near, far);
        EXPECT_EQ(near, c.grownNear) << "anchor " << c.anchor;
        EXPECT_EQ(far, c.grownFar) << "anchor " << c.anchor;
        CResizer::place(10, 60, 100, 50, c.anchor, near, far);
        EXPECT_EQ(near, c.shrunkNear) << "anchor " << c.anchor;
        EXPECT_EQ(far, c.shrunkFar) << "anchor " << c.anchor;
    }
}

namespace {

// The string-array grid's layout: the grid stretches, OK and Cancel stay left and move down, Add and
// Remove move with the bottom-right corner; everything else scales, except a toolbar.
class StringsDialog : public RecordingDialog {
public:
    StringsDialog() : RecordingDialog(kResizable) {}
    CResizer resizer;
    QWidget* toolbar = nullptr;
    QWidget* lateChild = nullptr;

protected:
    bool onInitDialog() override {
        toolbar = new QWidget(this);
        toolbar->setGeometry(0, 0, 30, 8);
        ui::setWindowClassName(toolbar, "ToolbarWindow32");
        setMinTrackSize(size());
        resizer.attach(this);
        resizer.track(kGrid, 6, 6);
        resizer.track(ui::IDOK, 3, 5);
        resizer.track(ui::IDCANCEL, 3, 5);
        resizer.track(kAdd, 5, 5);
        resizer.track(kRemove, 5, 5);
        lateChild = new QWidget(this);
        lateChild->setGeometry(1, 1, 5, 5);
        return RecordingDialog::onInitDialog();
    }
    void onSize(int width, int height) override {
        resizer.move();
        RecordingDialog::onSize(width, height);
    }
};

} // namespace

TEST(Resizer, KeepsTheStringArrayGridsLayoutWhenTheDialogGrows) {
    ui::ScriptedUser user;
    StringsDialog dialog;
    user.onDialog(kResizable, [&](ui::DialogUser& u) {
        const QSize start = dialog.size();
        const QRect grid = dialog.itemRect(kGrid), ok = dialog.itemRect(ui::IDOK), add = dialog.itemRect(kAdd);
        const QRect remove = dialog.itemRect(kRemove), cancel = dialog.itemRect(ui::IDCANCEL);
        const QRect note = dialog.itemRect(kNote), toolbar = dialog.toolbar->geometry();
        const int dx = 120, dy = 80;

        u.resize(start.width() + dx, start.height() + dy);
        EXPECT_EQ(dialog.itemRect(kGrid), grid.adjusted(0, 0, dx, dy));
        EXPECT_EQ(dialog.itemRect(ui::IDOK), ok.translated(0, dy));
        EXPECT_EQ(dialog.itemRect(kAdd), add.translated(dx, dy));
        EXPECT_EQ(dialog.itemRect(ui::IDCANCEL), cancel.translated(0, dy));
        EXPECT_EQ(dialog.itemRect(kRemove), remove.translated(dx, dy));
        // An untracked child scales in proportion; the toolbar and a child made later stay.
        const double scaleX = double(start.width() + dx) / start.width();
        EXPECT_NEAR(dialog.itemRect(kNote).left(), note.left() * scaleX, 1.0);
        EXPECT_NEAR(dialog.itemRect(kNote).width(), note.width() * scaleX, 1.5);
        EXPECT_EQ(dialog.toolbar->geometry(), toolbar);
        EXPECT_EQ(dialog.lateChild->geometry(), QRect(1, 1, 5, 5));
        EXPECT_FALSE(dialog.resizer.isTracked(dialog.toolbar));

        // Many odd sizes later, the original size gives the original layout again.
        for (int step = 1; step <= 7; ++step) u.resize(start.width() + 13 * step, start.height() + 7 * step);
        u.resize(start.width(), start.height());
        EXPECT_EQ(dialog.itemRect(kGrid), grid);
        EXPECT_EQ(dialog.itemRect(kAdd), add);
        EXPECT_EQ(dialog.itemRect(kNote), note);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(dialog.doModal(), ui::IDOK);
}
