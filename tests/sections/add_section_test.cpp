// The add-section dialog (template 226): a new section size started from an existing one, its name
// proposed from the dimensions, inserted once in sorted place; refusals leave the table alone.

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "core/language.h"
#include "core/settings.h"
#include "host/module_entry.h"
#include "sections/dlg_add_section.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

using D = DlgEditLibSimple;

Zrk_StringArray row(const Zrk_String& name, const Zrk_String& prefix, const Zrk_StringArray& dimensions,
                    const Zrk_String& active = "1") {
    Zrk_StringArray cells{name, active, prefix + name, prefix + name, prefix + name, prefix + name};
    cells.append(dimensions);
    return cells;
}

Zrk_ProfValuesTable angles() {
    Zrk_ProfValuesTable table;
    table.tableName = "L";
    table.sectionType = "3";
    table.columnNames = {"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "t", "r"};
    table.rows = {
        row("30x30x3", "L ", {"30.0", "30.0", "3.0", "5.0"}, "0"),
        row("40x40x4", "L ", {"40.0", "40.0", "4.0", "6.0"}),
        row("50x50x5", "L ", {"50.0", "50.0", "5.0", "7.0"}),
        row("50x50x6", "L ", {"50.0", "50.0", "6.0", "7.0"}),
    };
    return table;
}

Zrk_ProfValuesTable hollowSections() {
    Zrk_ProfValuesTable table;
    table.tableName = "RHS";
    table.sectionType = "10";
    table.columnNames = {"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "t", "r"};
    table.rows = {row("100x50x4", "RHS ", {"100.0", "50.0", "4.0", "8.0"})};
    return table;
}

D& dialogOf(ui::DialogUser& u) {
    return static_cast<D&>(u.dialog());
}

class AddSection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    inline static int instance = 0;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(AddSection, ProposesTheNameFromTheDimensionsAndInsertsTheAngleAmongItsForm) {
    Zrk_ProfValuesTable table = angles();
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = dialogOf(u);
        EXPECT_EQ(d.title(), dialString(796));
        EXPECT_EQ(d.templateRow(), 1);
        ASSERT_TRUE(d.hasPattern());
        EXPECT_FALSE(d.itemAs<QLabel>(D::kPicture)->pixmap().isNull()); // the angle's large picture
        EXPECT_EQ(d.checkState(D::kNameFromDimensions), 1);
        EXPECT_EQ(d.itemText(D::kNameLabel), dialString(797) + ":");
        EXPECT_EQ(d.itemText(D::kName), "L 40x40x4");
        EXPECT_TRUE(d.itemAs<QLineEdit>(D::kName)->isReadOnly());
        EXPECT_FALSE(d.isItemShown(D::kNoPattern));
        const Zrk_String labels[] = {"A. Height:", "B. Width:", "C. Thickness:", "D. Radius:"};
        const Zrk_String values[] = {"40", "40", "4", "6"};
        for (int k = 1; k <= D::kMostDimensions; ++k) {
            EXPECT_EQ(d.isItemShown(D::kFirstDimension + k - 1), k <= 4) << k;
            EXPECT_EQ(d.isItemShown(D::kFirstDimensionLabel + k - 1), k <= 4) << k;
            if (k > 4) continue;
            EXPECT_EQ(d.itemText(D::kFirstDimensionLabel + k - 1), labels[k - 1]);
            EXPECT_EQ(d.itemText(D::kFirstDimension + k - 1), values[k - 1]);
        }
        u.savePicture(SS_TEST_PICTURE_DIR "/add-section-angle-40x40x4.png");
        u.typeText(D::kFirstDimension, "45");
        u.typeText(D::kFirstDimension + 1, "45");
        EXPECT_EQ(d.itemText(D::kName), "L 45x45x4"); // follows each dimension as typed
        u.typeText(D::kFirstDimension + 2, "4.5");
        EXPECT_EQ(d.itemText(D::kName), "L 45x45x4.5");
        u.click(ui::IDOK);
    });
    int newIndex = -1;
    ASSERT_TRUE(StartDlgEditLibSimple("40x40x4", table, newIndex));
    ASSERT_EQ(table.rows.length(), 5);
    EXPECT_EQ(table.rows[2], row("45x45x4.5", "L ", {"45.0", "45.0", "4.5", "6.0"}));
    EXPECT_EQ(newIndex, 1); // the inactive 30x30x3 does not count
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(AddSection, CancelAndAnEmptyTableLeaveTheCallersTableAlone) {
    Zrk_ProfValuesTable table = angles();
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        u.typeText(D::kFirstDimension, "45");
        u.click(ui::IDCANCEL);
    });
    int newIndex = 42;
    EXPECT_FALSE(StartDlgEditLibSimple("40x40x4", table, newIndex));
    EXPECT_EQ(table.rows, angles().rows);
    EXPECT_EQ(newIndex, 42);
    Zrk_ProfValuesTable empty = angles();
    empty.rows.removeAll();
    EXPECT_FALSE(StartDlgEditLibSimple("40x40x4", empty, newIndex)); // no dialog: nothing to start from
    EXPECT_EQ(user.dialogsRun().size(), 1u);
}

TEST_F(AddSection, ANameTheTableHasIsRefusedAndTheRowGoesInOnceAfterTheFix) {
    Zrk_ProfValuesTable table = angles();
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = dialogOf(u);
        u.typeText(D::kFirstDimension, "50");
        u.typeText(D::kFirstDimension + 1, "50");
        u.typeText(D::kFirstDimension + 2, "5");
        u.click(ui::IDOK); // 50x50x5 is there already: its system name is the table's key
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(d.data.rows.length(), 4);
        u.click(D::kOwnName);
        EXPECT_FALSE(d.itemAs<QLineEdit>(D::kName)->isReadOnly());
        u.typeText(D::kName, "50x50x6");
        u.click(ui::IDOK); // and so is this one
        EXPECT_FALSE(d.hasEnded());
        u.typeText(D::kName, " Special 50 ");
        u.click(ui::IDOK);
        EXPECT_TRUE(d.hasEnded());
    });
    int newIndex = -1;
    ASSERT_TRUE(StartDlgEditLibSimple("40x40x4", table, newIndex));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(1685) + " 50x50x5.");
    EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(1098));
    EXPECT_EQ(user.messageBoxes()[1].request.text, dialString(1685) + " 50x50x6.");
    ASSERT_EQ(table.rows.length(), 5);
    // The own name is the system name and every language's name; it sorts after the numbers.
    EXPECT_EQ(table.rows[4], row("Special 50", "", {"50.0", "50.0", "5.0", "6.0"}));
    EXPECT_EQ(newIndex, 3);
}

TEST_F(AddSection, AHollowSectionsCornerRadiusMustExceedItsWallOrBeZero) {
    Zrk_ProfValuesTable table = hollowSections();
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = dialogOf(u);
        EXPECT_EQ(d.itemText(D::kName), "RHS 100x50x4");
        u.typeText(D::kFirstDimension + 1, "60");
        u.typeText(D::kFirstDimension + 3, "4"); // the radius equals the wall
        u.click(ui::IDOK);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(d.focusedItemId(), D::kFirstDimension + 3);
        u.typeText(D::kFirstDimension + 3, "0");
        u.click(ui::IDOK);
    });
    int newIndex = -1;
    ASSERT_TRUE(StartDlgEditLibSimple("100x50x4", table, newIndex));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              dialString(1457) + "\n" + dialString(1458) + "\n\n" + dialString(888) + ".");
    EXPECT_EQ(user.messageBoxes()[0].request.icon(), ui::MB_ICONEXCLAMATION);
    ASSERT_EQ(table.rows.length(), 2); // inserted once, after the refused OK
    EXPECT_EQ(table.rows[1], row("100x60x4", "RHS ", {"100.0", "60.0", "4.0", "0.0"}));
}

TEST_F(AddSection, WithoutAPatternThePersonTypesTheName) {
    Zrk_ProfValuesTable table;
    table.tableName = "PL";
    table.sectionType = "Plate.dwg";
    table.columnNames = {"SysName", "I/O", "English", "German", "French", "Dutch", "Thick", "Wide"};
    table.rows = {row("Thin", "", {"5.0", "100.0"}), row("Thick", "", {"20.0", "100.0"})};
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        D& d = dialogOf(u);
        EXPECT_FALSE(d.hasPattern());
        EXPECT_EQ(d.templateRow(), 0); // "Medium" is no section of the table: the first row
        EXPECT_FALSE(d.isItemEnabled(D::kNameFromDimensions));
        EXPECT_EQ(d.checkState(D::kOwnName), 1);
        EXPECT_TRUE(d.isItemShown(D::kNoPattern));
        EXPECT_EQ(d.itemText(D::kNoPattern), dialString(1686));
        EXPECT_EQ(d.itemText(D::kName), "");
        EXPECT_EQ(d.focusedItemId(), D::kName);
        // A user-defined section's table labels the dimensions with its own headers.
        EXPECT_EQ(d.itemText(D::kFirstDimensionLabel), "A. Thick:");
        EXPECT_EQ(d.itemText(D::kFirstDimensionLabel + 1), "B. Wide:");
        EXPECT_FALSE(d.isItemShown(D::kFirstDimension + 2));
        u.click(ui::IDOK);
        EXPECT_FALSE(d.hasEnded());
        u.typeText(D::kName, "Medium");
        u.typeText(D::kFirstDimension, "10");
        u.click(ui::IDOK);
    });
    int newIndex = -1;
    ASSERT_TRUE(StartDlgEditLibSimple("Medium", table, newIndex));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(1684));
    ASSERT_EQ(table.rows.length(), 3);
    EXPECT_EQ(table.rows[1], row("Medium", "", {"10.0", "100.0"})); // before "Thick", the first by name
}
