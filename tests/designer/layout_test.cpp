// Templates as live controls: the windows a template makes at run time and in design mode, the tab
// order and the Tab key, values, flex buttons, the mouse of design mode and the alignment commands,
// played by the scripted user on the dialog that shows one template.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <cmath>
#include <filesystem>
#include <limits>
#include <unistd.h>

#include <gtest/gtest.h>

#include "template_library.h"

#include "core/files.h"
#include "core/language.h"
#include "core/properties_list.h"
#include "core/settings.h"
#include "designer/control_rect.h"
#include "designer/design_tracker.h"
#include "designer/dlg_template_view.h"
#include "host/command_line.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"
#include "ui/window_class.h"

namespace fs = std::filesystem;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The module is attached (its text input, its icons), the library is a folder of the test's own with
// a picture of kWidth x kHeight.
class LiveTemplate : public TemplateLibraryTest {
protected:
    LiveTemplate() : TemplateLibraryTest("ss_layout_") {}

    void SetUp() override {
        TemplateLibraryTest::SetUp();
        QImage picture(kWidth, kHeight, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 200; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                picture.setPixel(x, y, qRgb(180, 190, 200));
        ASSERT_TRUE(picture.save(QString::fromStdString(root + "Plate.bmp"), "BMP"));
        host::CommandLine::instance().clear();
    }

    // A template with these controls, read from its file with its picture (only "Plate" has one).
    void prepare(DlgTemplateView& view, const std::vector<Zrk_DesignerControl>& controls,
                 const Zrk_String& name = "Plate") {
        Zrk_DlgDesignerData data;
        for (Zrk_DesignerControl c : controls)
            data.append(c);
        ASSERT_TRUE(data.writeToFile(root + name + ".txt"));
        ASSERT_TRUE(view.data.readFromFile(root + name + ".txt", true));
    }
    // Runs the view with the script; a script that does not close it closes it with Cancel.
    void run(DlgTemplateView& view, const std::function<void(ui::DialogUser&)>& script) {
        user.onDialog(DlgTemplateView::kTemplate, [&](ui::DialogUser& u) {
            script(u);
            if (!view.hasEnded()) u.click(ui::IDCANCEL);
        });
        view.doModal();
    }
    static QWidget* windowOf(DlgTemplateView& view, int id) { return view.item(id); }

    ui::ScriptedUser user;
};

// Exposes the protected steps.
class Layout : public Zrk_DlgDesignerData {
public:
    using Zrk_DlgDesignerData::findMostLeftCtrl;
    using Zrk_DlgDesignerData::sortNextRow;
};

} // namespace

// --- geometry
// ------------------------------------------------------------------------------------------------

TEST_F(LiveTemplate, GeometryInPixelsOfThePicture) {
    Zrk_DlgDesignerData data;
    data.attachBitmap(root + "Plate.bmp");
    Zrk_DesignerControl c = control(ctCellEdit, "A", 0.1, 0.1, 0.3, 0.2);
    EXPECT_DOUBLE_EQ(data.getTopLeftX(c), 40);
    EXPECT_DOUBLE_EQ(data.getBottomRightY(c), 60);
    EXPECT_DOUBLE_EQ(data.getWidth(c), 80);
    EXPECT_DOUBLE_EQ(data.getHeight(c), 30);
    data.setWidth(c, 100); // the left edge stays
    EXPECT_DOUBLE_EQ(c.topLeftX, 0.1);
    EXPECT_DOUBLE_EQ(c.bottomRightX, 0.35);
    data.setHeight(c, 60); // the bottom edge stays
    EXPECT_DOUBLE_EQ(c.bottomRightY, 0.2);
    EXPECT_DOUBLE_EQ(c.topLeftY, 0.0);
    data.append(c);
    ASSERT_TRUE(data.changeCtrlSize(0, false, 15)); // the top edge stays
    EXPECT_DOUBLE_EQ(data.getControl(0)->topLeftY, 0.0);
    EXPECT_DOUBLE_EQ(data.getControl(0)->bottomRightY, 0.05);
    EXPECT_FALSE(data.changeCtrlSize(1, true, 15));
}

// --- windows
// ---------------------------------------------------------------------------------------------------

TEST_F(LiveTemplate, RunTimeWindowsFollowTheirTypes) {
    ASSERT_TRUE(ObjectExportWriteFile(root + "grades.lst", {"S235", "S355"}));
    DlgTemplateView view(false);
    prepare(view, {
                      control(ctLabel, "Width", 0.05, 0.1, 0.2, 0.15),
                      control(ctCellEdit, "W", 0.1, 0.2, 0.25, 0.26),
                      control(ctCellCombo, "s355", 0.3, 0.2, 0.5, 0.2 + 20.0 / kHeight,
                              "Dialog Templates/Dialog Design/grades.lst"),
                      control(ctCutType, "2", 0.6, 0.2, 0.8, 0.26),
                      control(ctCellCheck, "Stiffener", 0.1, 0.4, 0.4, 0.46, "0.5"),
                      control(ctFlexButton, "Ribs", 0.5, 0.4, 0.58, 0.5, "G;;;"),
                      control(ctGroupBox, "Plate", 0.05, 0.6, 0.9, 0.9),
                      control(ctCellCombo, "M20", 0.6, 0.7, 0.8, 0.76),
                      control(ctCellEdit, "RO", 0.1, 0.7, 0.25, 0.76),
                  });
    view.data.getControlWrite(7)->comboItems = Zrk_StringArray{"M16", "M24"};
    view.data.getControlWrite(8)->readOnly = true;
    run(view, [&](ui::DialogUser&) {
        const Zrk_DlgDesignerData& data = view.data;
        ASSERT_EQ(data.getNrDrawnControls(), 9);
        EXPECT_EQ(view.itemText(33000), "Width");
        EXPECT_TRUE(view.isItemEnabled(33000));
        EXPECT_EQ(ui::windowClassName(view.item(33000)), "Static");
        // Factors of the picture, rounded to whole pixels.
        EXPECT_EQ(rectOf(data, 33001), QRect(40, 60, 60, 18));
        EXPECT_EQ(view.itemRect(33001), QRect(40, 60, 60, 18));
        EXPECT_TRUE(view.isItemEnabled(33001));
        // At run time a combo box's rectangle holds a drop-down of 200 pixels; the box is one line.
        EXPECT_EQ(rectOf(data, 33002).height(), 200);
        EXPECT_LT(view.itemRect(33002).height(), 30);
        ASSERT_EQ(view.comboCount(33002), 2);  // from the list file
        EXPECT_EQ(view.comboCurSel(33002), 1); // "s355" is S355, letter case aside
        ASSERT_EQ(view.comboCount(33003), 5);
        EXPECT_EQ(view.comboText(33003, 0), dialString(1395));
        EXPECT_EQ(view.comboText(33003, 4), dialString(695));
        EXPECT_EQ(view.comboCurSel(33003), 2); // the index in contents
        EXPECT_EQ(view.checkState(33004), 1);  // one half is more than 0
        auto* flex = view.itemAs<QAbstractButton>(33005);
        ASSERT_NE(flex, nullptr);
        EXPECT_TRUE(flex->isCheckable());
        EXPECT_FALSE(flex->icon().isNull());
        EXPECT_EQ(flex->toolTip(), "Ribs");
        EXPECT_EQ(view.itemText(33006), "Plate");
        EXPECT_EQ(view.itemText(33007), "M20"); // no item is M20: the box shows the text
        EXPECT_EQ(view.comboCount(33007), 2);
        EXPECT_FALSE(view.isItemEnabled(33008)); // read-only
        EXPECT_EQ(view.focusedItemId(), 33001);  // the first in tab order
    });

    // In design mode a combo box keeps its drawn height, only labels are enabled, and the mouse goes
    // through every window to the dialog.
    DlgTemplateView design(true);
    ASSERT_TRUE(design.data.readFromFile(root + "Plate.txt", true));
    run(design, [&](ui::DialogUser&) {
        EXPECT_EQ(rectOf(design.data, 33002).height(), 20);
        EXPECT_TRUE(design.isItemEnabled(33000));
        for (int id = 33001; id <= 33008; ++id)
            EXPECT_FALSE(design.isItemEnabled(id)) << id;
        for (int id = 33000; id <= 33008; ++id)
            EXPECT_TRUE(design.item(id)->testAttribute(Qt::WA_TransparentForMouseEvents)) << id;
        EXPECT_EQ(design.childAt(design.itemRect(33001).center()), nullptr);
    });
}

TEST_F(LiveTemplate, WindowsAreMadeAgainNotPiledUp) {
    DlgTemplateView view(false);
    prepare(view,
            {control(ctCellEdit, "A", 0.1, 0.1, 0.25, 0.16), control(ctCellEdit, "B", 0.5, 0.1, 0.65, 0.16)});
    run(view, [&](ui::DialogUser&) {
        ASSERT_TRUE(view.data.redrawAllControls());
        ASSERT_TRUE(view.data.redrawAllControls());
        const std::vector<int> ids = view.itemIds();
        EXPECT_EQ(std::count(ids.begin(), ids.end(), 33000), 1);
        EXPECT_EQ(view.data.getNrDrawnControls(), 2);
        EXPECT_TRUE(view.data.removeDrawnCtrlOnly(33000));
        EXPECT_FALSE(view.data.removeDrawnCtrlOnly(33000));
        EXPECT_EQ(view.item(33000), nullptr);
        EXPECT_FALSE(view.data.isADynControl(33000));
        EXPECT_EQ(view.data.getNrControls(), 2);     // the control stays
        EXPECT_FALSE(view.data.removeCurControls()); // no selection at run time
    });

    DlgTemplateView design(true);
    ASSERT_TRUE(design.data.readFromFile(root + "Plate.txt", true));
    design.selection = {33001};
    run(design, [&](ui::DialogUser&) {
        EXPECT_TRUE(design.data.removeCurControls());
        ASSERT_EQ(design.data.getNrControls(), 1);
        EXPECT_EQ(design.data.getControl(0)->contents, "A");
        EXPECT_EQ(design.item(33001), nullptr);
        EXPECT_EQ(design.data.getNrDrawnControls(), 1);
        EXPECT_TRUE(design.data.tracker()->getSelectedIds().empty());
        // A new control gets its window at once.
        EXPECT_TRUE(design.data.addNewControl(ctCellEdit));
        EXPECT_EQ(rectOf(design.data, 33001), QRect(80, 60, 30, 18));
    });
}

// --- tab order
// -----------------------------------------------------------------------------------------------

TEST_F(LiveTemplate, TabOrderGoesRowByRowAndTabAnswersAtTheEnds) {
    DlgTemplateView view(false);
    prepare(view,
            {
                control(ctCellEdit, "first", 0.5, 0.10, 0.7, 0.15), // row 1 (tops 0.10 and 0.12, bottom 0.15)
                control(ctCellEdit, "second", 0.1, 0.12, 0.3, 0.17), // row 1, further left
                control(ctLabel, "label", 0.1, 0.3, 0.3, 0.35),
                control(ctCellEdit, "third", 0.1, 0.40, 0.3, 0.45), // row 2
                control(ctCellEdit, "read-only", 0.5, 0.40, 0.7, 0.45),
                control(ctCellCombo, "fourth", 0.1, 0.6, 0.3, 0.66),
                control(ctGroupBox, "group", 0.05, 0.05, 0.95, 0.95),
            });
    view.data.getControlWrite(4)->readOnly = true;
    run(view, [&](ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = view.data;
        std::vector<int> orders;
        for (int i = 0; i < data.getNrControls(); ++i)
            orders.push_back(data.getControl(i)->tabOrder);
        EXPECT_EQ(orders, (std::vector<int>{2, 1, 0, 3, 0, 4, 0}));

        EXPECT_EQ(view.focusedItemId(), 33001);
        u.pressKey(ui::VK_TAB);
        EXPECT_EQ(view.focusedItemId(), 33000);
        u.pressKey(ui::VK_TAB);
        EXPECT_EQ(view.focusedItemId(), 33003);
        u.pressKey(ui::VK_TAB);
        EXPECT_EQ(view.focusedItemId(), 33005);
        Zrk_TabMsgHandle answer = tabHandled;
        EXPECT_TRUE(data.handleTabKey(ui::VK_TAB, false, answer));
        EXPECT_EQ(answer, tabPastLast);
        EXPECT_EQ(view.focusedItemId(), 33005); // the caller moves on: the view goes to OK
        u.pressKey(ui::VK_TAB);
        EXPECT_EQ(view.focusedItemId(), ui::IDOK);
        u.pressKey(ui::VK_TAB, true); // back from OK to the template's last
        EXPECT_EQ(view.focusedItemId(), 33005);

        ASSERT_TRUE(data.setFocusToCtrl(true));
        EXPECT_TRUE(data.handleTabKey(ui::VK_TAB, true, answer));
        EXPECT_EQ(answer, tabBeforeFirst);
        u.pressKey(ui::VK_TAB, true);
        EXPECT_EQ(view.focusedItemId(), ui::IDCANCEL);
        ASSERT_TRUE(data.setFocusToCtrl(false));
        EXPECT_EQ(view.focusedItemId(), 33005);

        // Not the Tab key, or the focus on none of the template's windows.
        EXPECT_FALSE(data.handleTabKey(ui::VK_RETURN, false, answer));
        EXPECT_EQ(answer, tabNotHandled);
        view.gotoDlgCtrl(ui::IDOK);
        EXPECT_FALSE(data.handleTabKey(ui::VK_TAB, false, answer));

        // A cell made read-only since the sort is passed by instead of stopping Tab.
        data.setCtrlReadOnly(33000, true);
        ASSERT_TRUE(data.setFocusToCtrl(true));
        u.pressKey(ui::VK_TAB);
        EXPECT_EQ(view.focusedItemId(), 33003);
    });
}

TEST(TemplateOrder, HandEditedTopsSortInFiniteTime) {
    Layout data;
    const auto add = [&data](const Zrk_String& name, double left, double top, double right, double bottom) {
        Zrk_DesignerControl c = control(ctCellEdit, name, left, top, right, bottom);
        data.append(c);
    };
    add("far below", 0.1, 150.0, 0.2, 150.1); // a top of 100 or more is never the topmost
    add("no number", 0.1, kNaN, 0.2, kNaN);
    add("inverted", 0.5, 0.5, 0.6, 0.3); // its bottom lies above its top
    add("normal", 0.1, 0.2, 0.2, 0.25);
    add("left unknown", kNaN, 0.2, 0.2, 0.25); // in the normal one's row
    add("row of the far one", 0.0, 150.05, 0.1, 150.2);
    data.sortAllControls();
    std::vector<int> orders;
    for (int i = 0; i < data.getNrControls(); ++i)
        orders.push_back(data.getControl(i)->tabOrder);
    // normal (1) and left unknown (2) form the first row, a left that is no number last; then the
    // inverted one alone; then, no top lying below 100 any more, the first remaining starts a row
    // (far below, joined by the one whose top lies above its bottom, further left); the top that is
    // no number comes last.
    EXPECT_EQ(orders, (std::vector<int>{5, 6, 3, 1, 2, 4}));

    // One row at a time, each taking its first control at least.
    std::vector<int> rest{1};
    int counter = 7;
    data.sortNextRow(rest, counter);
    EXPECT_TRUE(rest.empty());
    EXPECT_EQ(counter, 8);
}

// --- bad factors and no picture
// ---------------------------------------------------------------------------------

TEST_F(LiveTemplate, FactorsFarOffStayWithinReachOfTheWindows) {
    DlgTemplateView view(true);
    prepare(view, {
                      control(ctCellEdit, "huge", 1e300, 1e300, 2e300, 2e300),
                      control(ctCellEdit, "inverted", 0.9, 0.9, 0.6, 0.7),
                      control(ctCellCombo, "negative", -0.5, -0.2, -0.1, -0.05),
                      control(ctCellEdit, "no number", 0.1, 0.1, 0.2, 0.2),
                  });
    view.data.getControlWrite(3)->topLeftX = kNaN;
    run(view, [&](ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = view.data;
        EXPECT_EQ(rectOf(data, 33000), QRect(30000, 30000, 0, 0));
        EXPECT_EQ(rectOf(data, 33001), QRect(240, 210, 120, 60)); // normalised
        EXPECT_EQ(rectOf(data, 33002), QRect(-200, -60, 160, 45));
        EXPECT_EQ(rectOf(data, 33003).left(), 0);
        // Everything can be selected, sorted and read back.
        u.drag(QPoint(0, 0), QPoint(390, 295));
        EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33001, 33003}));
        ASSERT_TRUE(data.getSizeFromAllControls());
        for (int i = 0; i < data.getNrControls(); ++i) {
            const Zrk_DesignerControl& c = *data.getControl(i);
            for (double f : {c.topLeftX, c.topLeftY, c.bottomRightX, c.bottomRightY})
                EXPECT_TRUE(std::isfinite(f)) << i;
        }
        EXPECT_DOUBLE_EQ(data.getControl(1)->topLeftX, 0.6);
        EXPECT_DOUBLE_EQ(data.getControl(1)->bottomRightY, 0.9);
        data.sortAllControls();
    });
}

TEST_F(LiveTemplate, WithoutAPictureNothingIsDividedByZero) {
    DlgTemplateView view(true);
    prepare(view,
            {control(ctCellEdit, "A", 0.1, 0.1, 0.25, 0.16), control(ctCellEdit, "B", 0.5, 0.1, 0.65, 0.16)},
            "Bare");
    view.selection = {33000, 33001};
    run(view, [&](ui::DialogUser&) {
        Zrk_DlgDesignerData& data = view.data;
        int width = -1, height = -1;
        data.getImageSize(width, height);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(data.getNrDrawnControls(), 2);
        EXPECT_FALSE(data.getSizeFromAllControls());
        EXPECT_FALSE(data.copyCurCtrls());
        EXPECT_FALSE(data.outlineCurCtrls());
        EXPECT_FALSE(data.changeCtrlSize(true)); // asks nothing
        EXPECT_FALSE(data.changeCtrlSize(0, true, 30));
        EXPECT_TRUE(data.addNewControl(ctCellEdit));
        EXPECT_DOUBLE_EQ(data.getControl(2)->bottomRightX, 0.2);
        ASSERT_TRUE(data.writeToFile(root + "Bare.txt"));
    });
    Zrk_DlgDesignerData read;
    ASSERT_TRUE(read.readFromFile(root + "Bare.txt", false));
    ASSERT_EQ(read.getNrControls(), 3);
    EXPECT_DOUBLE_EQ(read.getControl(0)->topLeftX, 0.1);
    EXPECT_DOUBLE_EQ(read.getControl(1)->bottomRightY, 0.16);
}

// --- the mouse of design mode
// ---------------------------------------------------------------------------------

TEST_F(LiveTemplate, DragAndResizeByMouseAreWhatGetsSaved) {
    DlgTemplateView view(true);
    prepare(view, {
                      control(ctCellEdit, "A", 0.1, 0.1, 0.25, 0.16), // (40, 30) - (100, 48)
                      control(ctCellEdit, "B", 0.5, 0.1, 0.65, 0.16), // (200, 30) - (260, 48)
                      control(ctLabel, "C", 0.1, 0.5, 0.3, 0.56),
                  });
    run(view, [&](ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = view.data;
        // A press on A selects it alone; dragged, only its window moves until the factors are read.
        u.drag(QPoint(70, 39), QPoint(90, 49));
        EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33000}));
        EXPECT_EQ(rectOf(data, 33000), QRect(60, 40, 60, 18));
        EXPECT_EQ(view.itemRect(33000), QRect(60, 40, 60, 18));
        EXPECT_DOUBLE_EQ(data.getControl(0)->topLeftX, 0.1);

        // The handle at its bottom-right corner lies outside it and resizes it.
        const QPoint handle = data.getDrawnControl(0)->handleRect(CControlRect::hitBottomRight).center();
        u.moveMouseTo(handle);
        EXPECT_EQ(view.cursor().shape(), Qt::SizeFDiagCursor);
        u.drag(handle, handle + QPoint(20, 12));
        EXPECT_EQ(rectOf(data, 33000), QRect(60, 40, 80, 30));

        // Shift adds B; dragging one of them moves both by the same offset.
        const QPoint b = rectOf(data, 33001).center();
        u.clickHolding(b, true, false);
        EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33000, 33001}));
        u.moveMouseTo(b);
        EXPECT_EQ(view.cursor().shape(), Qt::SizeAllCursor);
        u.drag(b, b + QPoint(-10, 20));
        EXPECT_EQ(rectOf(data, 33000), QRect(50, 60, 80, 30));
        EXPECT_EQ(rectOf(data, 33001), QRect(190, 50, 60, 18));
        // A drag far out of the dialog takes the selection only to its edge.
        u.drag(b + QPoint(-10, 20), QPoint(-500, 25));
        EXPECT_EQ(rectOf(data, 33000), QRect(0, 27, 80, 30));
        EXPECT_EQ(rectOf(data, 33001), QRect(140, 17, 60, 18));
        const QPoint back = rectOf(data, 33001).center();
        u.drag(back, back + QPoint(50, 33));
        EXPECT_EQ(rectOf(data, 33001), QRect(190, 50, 60, 18));

        // Saving reads the windows back first.
        ASSERT_TRUE(data.writeToFile(root + "Moved.txt"));
        u.click(ui::IDOK);
    });
    Zrk_PropertiesList saved;
    ASSERT_TRUE(saved.readFromFile(root + "Moved.txt"));
    double value = 0;
    const auto factor = [&](const char* key) {
        EXPECT_TRUE(saved.getProperty(key, value)) << key;
        return value;
    };
    EXPECT_DOUBLE_EQ(factor("topLeftX0"), 50.0 / kWidth);
    EXPECT_DOUBLE_EQ(factor("topLeftY0"), 60.0 / kHeight);
    EXPECT_DOUBLE_EQ(factor("bottomRightX0"), 130.0 / kWidth);
    EXPECT_DOUBLE_EQ(factor("bottomRightY0"), 90.0 / kHeight);
    EXPECT_DOUBLE_EQ(factor("topLeftX1"), 190.0 / kWidth);
    EXPECT_DOUBLE_EQ(factor("bottomRightY1"), 68.0 / kHeight);
    EXPECT_DOUBLE_EQ(factor("topLeftX2"), 0.1); // untouched
    EXPECT_DOUBLE_EQ(factor("bottomRightY2"), 0.56);
    // OK read them back too.
    EXPECT_DOUBLE_EQ(view.data.getControl(1)->topLeftX, 190.0 / kWidth);
}

TEST_F(LiveTemplate, RubberBandAndModifierClicksSelect) {
    DlgTemplateView view(true);
    prepare(view, {
                      control(ctCellEdit, "A", 0.1, 0.1, 0.25, 0.16), // (40, 30) - (100, 48)
                      control(ctCellEdit, "B", 0.5, 0.1, 0.65, 0.16), // (200, 30) - (260, 48)
                      control(ctLabel, "C", 0.1, 0.5, 0.3, 0.56),     // (40, 150) - (120, 168)
                  });
    run(view, [&](ui::DialogUser& u) {
        const CDesignTracker& tracker = *view.data.tracker();
        const auto selected = [&] { return tracker.getSelectedIds(); };
        const QPoint a(70, 39), b(230, 39), c(80, 159), nothing(380, 280);
        // The band takes what lies wholly inside it: not B, which it only crosses.
        u.drag(QPoint(30, 20), QPoint(210, 180));
        EXPECT_EQ(selected(), (std::vector<int>{33000, 33002}));
        // Ctrl toggles, Shift adds.
        u.clickHolding(c, false, true);
        EXPECT_EQ(selected(), (std::vector<int>{33000}));
        u.clickHolding(b, false, true);
        EXPECT_EQ(selected(), (std::vector<int>{33000, 33001}));
        u.clickHolding(a, true, false);
        EXPECT_EQ(selected(), (std::vector<int>{33000, 33001}));
        u.clickHolding(c, true, false);
        EXPECT_EQ(selected(), (std::vector<int>{33000, 33001, 33002}));
        // Shift or Ctrl on nothing change nothing, and start no band.
        u.drag(nothing, QPoint(10, 10), true, false);
        u.clickHolding(nothing, false, true);
        EXPECT_EQ(selected().size(), 3u);
        // A plain press on a selected control keeps the selection (a drag of all may follow).
        u.clickAt(a);
        EXPECT_EQ(selected().size(), 3u);
        EXPECT_EQ(rectOf(view.data, 33000), QRect(40, 30, 60, 18)); // no move without moving
        // On nothing it clears the selection; on an unselected control it selects that one alone.
        u.clickAt(nothing);
        EXPECT_TRUE(selected().empty());
        u.clickAt(b);
        EXPECT_EQ(selected(), (std::vector<int>{33001}));
        EXPECT_EQ(view.data.getCurSel(), 1);

        // The selection shows: a frame just outside B and its handles; the pointer is the dialog's
        // own away from a selected control.
        const QImage shot = view.grab().toImage();
        const QRect rect = rectOf(view.data, 33001);
        EXPECT_EQ(shot.pixelColor(rect.left() - 1, rect.center().y()), QColor(Qt::black));
        EXPECT_EQ(shot.pixelColor(view.data.getDrawnControl(1)->handleRect(CControlRect::hitTop).center()),
                  QColor(Qt::black));
        u.moveMouseTo(a);
        EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
        u.moveMouseTo(nothing);
        EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    });
}

// --- commands
// --------------------------------------------------------------------------------------------------

TEST_F(LiveTemplate, AlignmentCommandsWorkInPixels) {
    DlgTemplateView view(true);
    prepare(view, {
                      control(ctCellEdit, "A", 0.1, 0.1, 0.25, 0.16), // (40, 30) - (100, 48)
                      control(ctCellEdit, "B", 0.5, 0.2, 0.65, 0.3),  // (200, 60) - (260, 90)
                      control(ctCellEdit, "C", 0.3, 0.3, 0.375, 0.4), // (120, 90) - (150, 120)
                  });
    const auto answerSize = [&](const Zrk_String& size) {
        user.onDialog(DlgTextInput::kTemplate, [size](ui::DialogUser& u) {
            u.typeText(DlgTextInput::kEdit, size);
            u.click(ui::IDOK);
        });
    };
    run(view, [&](ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = view.data;
        // A copy lies 20 pixels right of and below its original, and is the selection then.
        data.selectCtrls({33001});
        EXPECT_TRUE(data.copyCurCtrls());
        ASSERT_EQ(data.getNrControls(), 4);
        EXPECT_EQ(rectOf(data, 33003), QRect(220, 80, 60, 30));
        EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33003}));

        // Bottoms on the left-most's bottom, heights kept; the selection stays.
        data.selectCtrls({33001, 33000, 33002});
        EXPECT_TRUE(data.outlineCurCtrls());
        EXPECT_EQ(rectOf(data, 33000), QRect(40, 30, 60, 18));
        EXPECT_EQ(rectOf(data, 33001), QRect(200, 18, 60, 30));
        EXPECT_EQ(rectOf(data, 33002), QRect(120, 18, 30, 30));
        EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33001, 33000, 33002}));

        // Right of another needs exactly two.
        EXPECT_FALSE(data.stickRightCurCtrls());
        data.selectCtrls({33000});
        EXPECT_FALSE(data.stickRightCurCtrls());
        data.selectCtrls({33001, 33000});
        EXPECT_TRUE(data.stickRightCurCtrls());
        EXPECT_EQ(rectOf(data, 33001), QRect(100, 30, 60, 18));

        // The size command refuses what is no size, with a message, and changes nothing.
        data.selectCtrls({33000, 33002});
        for (const char* bad : {"abc", "0", "-5", "12mm"}) {
            answerSize(bad);
            user.answerMessageBox(ui::IDOK);
            EXPECT_FALSE(data.changeCtrlSize(true)) << bad;
            EXPECT_EQ(user.messageBoxes().back().request.text, dialString(30001));
        }
        EXPECT_EQ(rectOf(data, 33000), QRect(40, 30, 60, 18));
        user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
        EXPECT_FALSE(data.changeCtrlSize(true));
        // A width keeps the left edges, a height the top edges.
        answerSize("45");
        EXPECT_TRUE(data.changeCtrlSize(true));
        EXPECT_EQ(rectOf(data, 33000), QRect(40, 30, 45, 18));
        EXPECT_EQ(rectOf(data, 33002), QRect(120, 18, 45, 30));
        answerSize("12");
        EXPECT_TRUE(data.changeCtrlSize(false));
        EXPECT_EQ(rectOf(data, 33002), QRect(120, 18, 45, 12));
        EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33000, 33002}));
        EXPECT_EQ(user.messageBoxes().size(), 4u);
    });
}

TEST_F(LiveTemplate, TheLeftMostIsTheEarliestOfEquals) {
    Layout data;
    data.attachBitmap(root + "Plate.bmp");
    for (const auto& [name, left] :
         std::vector<std::pair<Zrk_String, double>>{{"a", 0.3}, {"b", 0.1}, {"c", 0.1}}) {
        Zrk_DesignerControl c = control(ctCellEdit, name, left, 0.1, left + 0.1, 0.2);
        data.append(c);
    }
    int index = -1;
    EXPECT_TRUE(data.findMostLeftCtrl({33000, 33002, 33001}, index));
    EXPECT_EQ(index, 2); // 0.1 first met as c
    EXPECT_FALSE(data.findMostLeftCtrl({}, index));
    data.getControlWrite(0)->topLeftX = 1000.0; // 400000 pixels: beyond the limit
    EXPECT_FALSE(data.findMostLeftCtrl({33000}, index));
}

// --- values
// ----------------------------------------------------------------------------------------------------

TEST_F(LiveTemplate, ValuesOfCheckBoxesCutTypesAndTexts) {
    DlgTemplateView view(false);
    prepare(view, {
                      control(ctCellCheck, "Stiffener", 0.1, 0.1, 0.4, 0.16, "0"),
                      control(ctCutType, "0", 0.5, 0.1, 0.7, 0.16),
                      control(ctCellEdit, "W", 0.1, 0.3, 0.3, 0.36),
                      control(ctCellButton, "Calc", 0.5, 0.3, 0.7, 0.38, "W;a;;2;"),
                      control(ctCellCombo, "Grade", 0.1, 0.5, 0.3, 0.56),
                      control(ctBoltCount1, "Rows", 0.5, 0.5, 0.6, 0.58),
                  });
    run(view, [&](ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = view.data;
        Zrk_String value;
        const auto valueOf = [&](int id) {
            value.clear();
            EXPECT_TRUE(data.getCtrlValue(id, value)) << id;
            return value;
        };
        // Check boxes: a number above 0 checks, the varies text makes the box undetermined, and the
        // next value makes it a two-state box again.
        EXPECT_EQ(valueOf(33000), "0");
        for (const auto& [set, shown] : std::vector<std::pair<Zrk_String, Zrk_String>>{
                 {"0.5", "1"}, {"0", "0"}, {"-1", "0"}, {dialString(695), dialString(695)}, {"1", "1"}}) {
            EXPECT_TRUE(data.setCtrlValue(33000, set));
            EXPECT_EQ(valueOf(33000), shown) << set;
        }
        EXPECT_FALSE(view.itemAs<QCheckBox>(33000)->isTristate());
        u.click(33000);
        EXPECT_EQ(valueOf(33000), "0"); // a click of a two-state box
        data.setCtrlValue(33000, dialString(695));
        EXPECT_TRUE(view.itemAs<QCheckBox>(33000)->isTristate());
        u.click(33000);
        EXPECT_EQ(valueOf(33000), "0"); // undetermined, clicked: unchecked, as three-state boxes go

        // Cut types: the index of the chosen item; a number that is no index chooses none.
        EXPECT_EQ(valueOf(33001), "0");
        data.setCtrlValue(33001, "3");
        EXPECT_EQ(valueOf(33001), "3");
        data.setCtrlValue(33001, "9");
        EXPECT_EQ(valueOf(33001), "-1");
        u.choose(33001, 4);
        EXPECT_EQ(valueOf(33001), "4");

        // Texts, and cell buttons that keep their own.
        data.setCtrlValue(33002, "12.5");
        EXPECT_EQ(valueOf(33002), "12.5");
        EXPECT_TRUE(data.setCtrlValue(33003, "99"));
        EXPECT_EQ(view.itemText(33003), "Calc");
        data.setCtrlValue(33004, "S355");
        EXPECT_EQ(valueOf(33004), "S355");

        // Read-only: cell edits and cell combo boxes only.
        EXPECT_TRUE(data.setCtrlReadOnly(33002, true));
        EXPECT_FALSE(view.isItemEnabled(33002));
        EXPECT_TRUE(data.setCtrlReadOnly(33002, false));
        EXPECT_TRUE(view.isItemEnabled(33002));
        EXPECT_FALSE(data.setCtrlReadOnly(33000, true));
        EXPECT_FALSE(data.setCtrlReadOnly(33099, true));
        EXPECT_FALSE(data.getCtrlValue(33099, value));
        EXPECT_FALSE(data.setCtrlValue(33099, "1"));

        // Look-ups.
        int index = -1;
        EXPECT_TRUE(data.findEditCtrlWithContents("Grade", index));
        EXPECT_EQ(index, 4);
        EXPECT_FALSE(data.findEditCtrlWithContents("Calc", index));
        Zrk_ControlType type = ctLabel;
        EXPECT_TRUE(data.getDynControlType(33001, type));
        EXPECT_EQ(type, ctCutType);
        EXPECT_TRUE(data.isTypeBoltCount(33005));
        EXPECT_FALSE(data.isTypeBoltCount(33002));
        view.gotoDlgCtrl(33002);
        int id = 0;
        EXPECT_TRUE(data.getFocusedDynControl(id));
        EXPECT_EQ(id, 33002);
    });
}

TEST_F(LiveTemplate, FlexButtonsByGroup) {
    DlgTemplateView view(false);
    prepare(view, {
                      control(ctFlexButton, "None", 0.1, 0.1, 0.18, 0.2, "G;;;"),
                      control(ctFlexButton, "Ribs", 0.2, 0.1, 0.28, 0.2, "G;;x;"),
                      control(ctFlexButton, "Plate", 0.3, 0.1, 0.38, 0.2, "H;;;"),
                      control(ctFlexButton, "Nameless", 0.4, 0.1, 0.48, 0.2, ";;;"),
                      control(ctCellEdit, "W", 0.1, 0.3, 0.3, 0.36),
                  });
    run(view, [&](ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = view.data;
        Zrk_StringArray groups;
        data.getFlexBtnsGroups(groups);
        EXPECT_EQ(groups, (Zrk_StringArray{"G", "H"}));
        std::vector<int> indices, withThird;
        EXPECT_TRUE(data.getFlexBtnsInGroup("G", indices, withThird));
        EXPECT_EQ(indices, (std::vector<int>{0, 1}));
        EXPECT_EQ(withThird, (std::vector<int>{1}));
        EXPECT_TRUE(data.getFlexBtnsInGroup("", indices, withThird));
        EXPECT_TRUE(indices.empty() && withThird.empty());
        int index = -1;
        EXPECT_TRUE(data.findFlexButton("G", "Ribs", index));
        EXPECT_EQ(index, 1);
        EXPECT_FALSE(data.findFlexButton("H", "Ribs", index));
        Zrk_StringArray names;
        EXPECT_TRUE(data.getAllFlexVarsOfGroup("G", names));
        EXPECT_EQ(names, (Zrk_StringArray{"None", "Ribs"}));
        EXPECT_FALSE(data.getAllFlexVarsOfGroup("Q", names));
        Zrk_String group, name;
        EXPECT_TRUE(data.getFlexBtnGroupName(33002, group, name));
        EXPECT_EQ(group + "/" + name, "H/Plate");
        EXPECT_FALSE(data.getFlexBtnGroupName(33004, group, name));

        int state = -1;
        EXPECT_TRUE(data.setFlexBtnStatus("G", "Ribs", 1));
        EXPECT_TRUE(data.getFlexBtnStatus(1, state));
        EXPECT_EQ(state, 1);
        EXPECT_TRUE(data.setFlexBtnStatus("G", "Ribs", 2)); // set as 0
        EXPECT_TRUE(data.getFlexBtnStatus(1, state));
        EXPECT_EQ(state, 0);
        EXPECT_FALSE(data.getFlexBtnStatus(4, state)); // no flex button
        u.click(33000);                                // push-like: it stays pressed
        EXPECT_TRUE(data.getFlexBtnStatus(0, state));
        EXPECT_EQ(state, 1);

        // Hidden buttons are passed by Tab.
        EXPECT_TRUE(data.hideAllFlexBtns("G"));
        EXPECT_FALSE(view.isItemShown(33000));
        EXPECT_FALSE(view.isItemShown(33001));
        EXPECT_TRUE(view.isItemShown(33002));
        ASSERT_TRUE(data.setFocusToCtrl(true));
        EXPECT_EQ(view.focusedItemId(), 33002);
    });
}

TEST_F(LiveTemplate, PositionsOnTheCommandLine) {
    Zrk_DlgDesignerData data;
    Zrk_DesignerControl c = control(ctCellEdit, "Width", 0.1, 0.2, 0.35, 0.25);
    data.append(c);
    data.printPositions();
    EXPECT_EQ(host::CommandLine::instance().buffer(), "**** Control Width ****\n"
                                                      "Left: 0.100000 - Right: 0.350000\n"
                                                      "Top: 0.200000 - Bottom: 0.250000\n"
                                                      "********\n");
}
