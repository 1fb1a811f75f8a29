// Control types and template controls: window kinds, creation, type names, the merged parameter text
// and a control's entries in a template.

#include <QAbstractButton>
#include <QComboBox>
#include <set>

#include <gtest/gtest.h>

#include "core/language.h"
#include "designer/designer_control.h"
#include "ui/dialog.h"
#include "ui/resources.h"

using designer::ControlKind;

namespace {

Zrk_ControlType typeOf(int value) { return static_cast<Zrk_ControlType>(value); }

Zrk_DesignerControl controlOf(Zrk_ControlType type, const Zrk_String& merged) {
    Zrk_DesignerControl control;
    control.type = type;
    control.setSplitExtComboList(merged);
    return control;
}

} // namespace

TEST(ControlType, WindowKindsAndClasses) {
    const std::set<int> edits{2, 4, 5, 8, 9, 10, 11, 18, 19, 20, 21, 22, 23};
    const std::set<int> combos{3, 7, 13, 15, 16, 27, 28};
    const std::set<int> buttons{1, 6, 12, 14, 17, 24, 25, 26, 29, 30};
    for (int value = -2; value <= 32; ++value) {
        const ControlKind kind = designer::controlKind(typeOf(value));
        const char* className = "STATIC";
        if (edits.count(value)) {
            EXPECT_EQ(kind, ControlKind::Edit) << value;
            className = "EDIT";
        } else if (combos.count(value)) {
            EXPECT_EQ(kind, ControlKind::ComboBox) << value;
            className = "COMBOBOX";
        } else if (buttons.count(value)) {
            EXPECT_EQ(kind, ControlKind::Button) << value;
            className = "BUTTON";
        } else {
            EXPECT_EQ(kind, ControlKind::Static) << value;
        }
        EXPECT_EQ(designer::windowClassName(typeOf(value)), className) << value;
        // Every edit has the sunken edge, nothing else has.
        EXPECT_EQ(designer::controlCreation(typeOf(value)).clientEdge, kind == ControlKind::Edit) << value;
    }
}

TEST(ControlType, CreationStyles) {
    using ui::Kind;
    const std::pair<int, Kind> kinds[] = {
        {0, Kind::Static},         {1, Kind::GroupBox},       {2, Kind::Edit},
        {3, Kind::DropDownCombo},  {4, Kind::MultiLineEdit},  {5, Kind::MultiLineEdit},
        {6, Kind::PushButton},     {7, Kind::DropListCombo},  {8, Kind::Edit},
        {13, Kind::DropListCombo}, {15, Kind::DropListCombo}, {16, Kind::DropDownCombo},
        {23, Kind::Edit},          {25, Kind::PushButton},    {26, Kind::PushButton},
        {27, Kind::DropListCombo}, {28, Kind::DropListCombo}, {29, Kind::ThreeState},
        {30, Kind::CheckBox},      {31, Kind::Static},
    };
    for (const auto& [value, kind] : kinds) EXPECT_EQ(designer::controlCreation(typeOf(value)).kind, kind) << value;
    const designer::ControlCreation flex = designer::controlCreation(ctFlexButton);
    EXPECT_EQ(flex.style, ui::style::PushLike);
    EXPECT_TRUE(flex.showsIcon);
    EXPECT_FALSE(designer::controlCreation(ctCellCheck).showsIcon);
    EXPECT_EQ(designer::controlCreation(ctCellCheck).style, 0u);
}

TEST(ControlType, TranslatedNamesInTypeOrder) {
    Zrk_StringArray names;
    designer::getControlTypeNames(names);
    ASSERT_EQ(names.length(), designer::kNrControlTypes);
    EXPECT_EQ(names[0], dialString(799));
    EXPECT_EQ(names[3], dialString(802));
    EXPECT_EQ(names[4], dialString(803) + " 1: " + secondaryString(2220));
    EXPECT_EQ(names[5], dialString(803) + " 2: " + secondaryString(2220));
    EXPECT_EQ(names[6], dialString(804));
    EXPECT_EQ(names[25], dialString(823));
    EXPECT_EQ(names[26], dialString(1315));
    EXPECT_EQ(names[27], dialString(1341));
    EXPECT_EQ(names[28], dialString(1404));
    EXPECT_EQ(names[29], dialString(1405));
    EXPECT_EQ(names[30], dialString(1428));
    // Every type has a name of its own in the language files.
    const std::set<Zrk_String> distinct(names.begin(), names.end());
    EXPECT_EQ(distinct.size(), 31u);
    EXPECT_EQ(distinct.count(""), 0u);
    EXPECT_EQ(names[4], "Bolt pattern, direction 1: number of bolts");
    EXPECT_EQ(designer::controlTypeName(typeOf(31)), "");
    EXPECT_EQ(designer::controlTypeName(typeOf(-1)), "");
}

TEST(ControlType, PropertyFieldLabels) {
    EXPECT_EQ(designer::contentsLabel(ctCellCheck), dialString(827));
    EXPECT_EQ(designer::contentsLabel(ctCellCombo), dialString(828));
    EXPECT_EQ(designer::contentsLabel(ctPatternButton), dialString(829));
    EXPECT_EQ(designer::contentsLabel(ctProfAdvanced), dialString(830));
    EXPECT_EQ(designer::contentsLabel(ctArrayButton), dialString(831));
    EXPECT_EQ(designer::contentsLabel(ctCutType), dialString(1406));
    EXPECT_EQ(designer::contentsLabel(ctFlexButton), dialString(1429));
    EXPECT_EQ(designer::contentsLabel(ctPatternSetting1), "");
    EXPECT_EQ(designer::contentsLabel(ctSubMacro), "");

    const std::set<int> withField{0, 1, 3, 23, 25, 26, 27, 29, 30};
    for (int value = 0; value < designer::kNrControlTypes; ++value) {
        EXPECT_EQ(designer::hasComboListField(typeOf(value)), withField.count(value) == 1) << value;
        EXPECT_EQ(designer::comboListLabel(typeOf(value)).empty(), withField.count(value) == 0) << value;
    }
    EXPECT_EQ(designer::comboListLabel(ctFlexButton), dialString(705) + ";" + dialString(1430) + ";" + dialString(1431));
    EXPECT_EQ(designer::comboListLabel(ctCellButton2),
              dialString(1316) + ";" + dialString(1317) + ";" + dialString(1320) + ";" + dialString(1319));
}

TEST(DesignerControl, MergedParametersOfFlexButtons) {
    Zrk_DesignerControl flex = controlOf(ctFlexButton, "G");
    EXPECT_EQ(flex.flexParams, (std::array<Zrk_String, 4>{"G", "", "", ""}));
    EXPECT_EQ(flex.comboList, "");
    EXPECT_EQ(flex.getMergedExtComboList(), "G;;;");

    flex.setSplitExtComboList("G;a;b;c;ignored;more");
    EXPECT_EQ(flex.flexParams, (std::array<Zrk_String, 4>{"G", "a", "b", "c"}));
    EXPECT_EQ(flex.getMergedExtComboList(), "G;a;b;c");
    // Splitting again empties what the new text leaves out.
    flex.setSplitExtComboList("");
    EXPECT_EQ(flex.getMergedExtComboList(), ";;;");
}

TEST(DesignerControl, MergedParametersOfCellButtons) {
    for (Zrk_ControlType type : {ctCellButton, ctCellButton2}) {
        Zrk_DesignerControl button = controlOf(type, "c1;a;b;c;l.txt");
        EXPECT_EQ(button.cellButtonParams, (std::array<Zrk_String, 4>{"c1", "a", "b", "c"}));
        EXPECT_EQ(button.comboList, "l.txt");
        EXPECT_EQ(button.getMergedExtComboList(), "c1;a;b;c;l.txt");

        button.setSplitExtComboList("c2;-a");
        EXPECT_EQ(button.cellButtonParams, (std::array<Zrk_String, 4>{"c2", "-a", "", ""}));
        EXPECT_EQ(button.comboList, "");
        EXPECT_EQ(button.getMergedExtComboList(), "c2;-a;;;");
    }
}

TEST(DesignerControl, OtherTypesKeepTheTextWhole) {
    for (Zrk_ControlType type : {ctCellCombo, ctLabel, ctArrayEntry, ctCellCheck, typeOf(99)}) {
        Zrk_DesignerControl control = controlOf(type, "lists/a;b;c.txt");
        EXPECT_EQ(control.comboList, "lists/a;b;c.txt");
        EXPECT_EQ(control.getMergedExtComboList(), "lists/a;b;c.txt");
        EXPECT_EQ(control.flexParams, (std::array<Zrk_String, 4>{}));
        EXPECT_EQ(control.cellButtonParams, (std::array<Zrk_String, 4>{}));
    }
}

TEST(DesignerControl, EntriesOfATemplate) {
    Zrk_DesignerControl button = controlOf(ctCellButton, "c1;a;b;c;l.txt");
    button.topLeftX = 0.125;
    button.topLeftY = 0.1;
    button.bottomRightX = 1.0 / 3.0;
    button.bottomRightY = 0.75;
    button.contents = "Calc\nlength";
    button.resourceId = 33005;
    button.tabOrder = 4;
    button.readOnly = true;
    button.comboItems = {"x"};

    Zrk_PropertiesList list;
    button.setToPropList(list, 12);
    ASSERT_EQ(list.count(), 7);
    const char* keys[] = {"type12", "topLeftX12", "topLeftY12", "bottomRightX12", "bottomRightY12", "contents12", "comboList12"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(list.keyAt(i), keys[i]);
    Zrk_String merged;
    ASSERT_TRUE(list.getProperty("comboList12", merged));
    EXPECT_EQ(merged, "c1;a;b;c;l.txt");

    // What is stored comes back; what is not stored keeps its defaults.
    Zrk_DesignerControl read;
    read.getFromPropList(list, 12);
    Zrk_DesignerControl expected = button;
    expected.resourceId = 0;
    expected.tabOrder = 0;
    expected.readOnly = false;
    expected.comboItems.removeAll();
    EXPECT_EQ(read, expected);

    // Keys of another entry, or of another type, leave the fields as they were.
    Zrk_DesignerControl other;
    other.contents = "kept";
    other.getFromPropList(list, 1);
    EXPECT_EQ(other.contents, "kept");
    Zrk_PropertiesList wrong;
    wrong.setProperty("type0", "3");
    wrong.setProperty("topLeftX0", 2);
    other.getFromPropList(wrong, 0);
    EXPECT_EQ(other.type, ctLabel);
    EXPECT_EQ(other.topLeftX, 2.0);
}

TEST(DesignerControl, WindowsByKind) {
    ui::hostResources().addTemplate(ui::DialogTemplate(9400, "Controls", 200, 100, {
        {33000, ui::Kind::DropDownCombo, "", 0, 0, 50, 40},
        {33001, ui::Kind::PushButton, "Go", 0, 20, 50, 14},
        {33002, ui::Kind::Edit, "", 0, 40, 50, 14},
        {33003, ui::Kind::MultiLineEdit, "", 0, 60, 50, 14},
        {33004, ui::Kind::DropListCombo, "", 60, 0, 50, 40},
    }));
    ui::Dialog dialog(9400);
    ASSERT_TRUE(dialog.create());

    Zrk_DesignerControl combo = controlOf(ctCellCombo, "");
    combo.resourceId = 33000;
    QWidget* window = nullptr;
    EXPECT_TRUE(combo.getCtrlPtr(&dialog, window));
    EXPECT_EQ(window, dialog.item(33000));
    EXPECT_EQ(combo.getComboPtr(&dialog), dialog.item(33000));
    EXPECT_EQ(combo.getButtonPtr(&dialog), nullptr);
    EXPECT_EQ(combo.getEditPtr(&dialog), nullptr);
    EXPECT_FALSE(combo.getCtrlPtr(nullptr, window));
    EXPECT_EQ(window, nullptr);

    // Only the combo boxes of cells and profile groups answer as combo boxes.
    Zrk_DesignerControl cut = controlOf(ctCutType, "");
    cut.resourceId = 33004;
    EXPECT_EQ(cut.getComboPtr(&dialog), nullptr);
    cut.type = ctProfRotation;
    EXPECT_EQ(cut.getComboPtr(&dialog), dialog.item(33004));

    Zrk_DesignerControl button = controlOf(ctPatternButton, "");
    button.resourceId = 33001;
    EXPECT_EQ(button.getButtonPtr(&dialog), dialog.item(33001));
    Zrk_DesignerControl edit = controlOf(ctBoltCount1, "");
    edit.resourceId = 33003;
    EXPECT_EQ(edit.getEditPtr(&dialog), dialog.item(33003));
    edit.type = ctArrayEntry;
    edit.resourceId = 33002;
    EXPECT_EQ(edit.getEditPtr(&dialog), dialog.item(33002));
    // A control without an id has no window.
    edit.resourceId = 0;
    EXPECT_EQ(edit.getEditPtr(&dialog), nullptr);
    EXPECT_FALSE(edit.getCtrlPtr(&dialog, window));
    dialog.destroyWindow();
}
