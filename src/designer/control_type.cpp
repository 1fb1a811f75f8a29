#include "designer/control_type.h"

#include "core/language.h"

namespace designer {

ControlKind controlKind(Zrk_ControlType type) {
    switch (type) {
    case ctCellEdit:
    case ctBoltCount1:
    case ctBoltCount2:
    case ctPatternSetting2:
    case ctPatternSetting3:
    case ctPatternSetting4:
    case ctPatternSetting5:
    case ctArrayValue1:
    case ctArrayValue2:
    case ctArrayValue3:
    case ctArrayValue4:
    case ctArrayValue5:
    case ctArrayEntry: return ControlKind::Edit;
    case ctCellCombo:
    case ctPatternSetting1:
    case ctProfSection:
    case ctProfOffsetType:
    case ctProfRotation:
    case ctSubMacro:
    case ctCutType: return ControlKind::ComboBox;
    case ctGroupBox:
    case ctPatternButton:
    case ctBoltAdvanced:
    case ctProfButton:
    case ctProfAdvanced:
    case ctArrayButton:
    case ctCellButton:
    case ctCellButton2:
    case ctCellCheck:
    case ctFlexButton: return ControlKind::Button;
    case ctLabel: break;
    }
    return ControlKind::Static;
}

Zrk_String windowClassName(Zrk_ControlType type) {
    switch (controlKind(type)) {
    case ControlKind::Edit: return "EDIT";
    case ControlKind::ComboBox: return "COMBOBOX";
    case ControlKind::Button: return "BUTTON";
    case ControlKind::Static: break;
    }
    return "STATIC";
}

ControlCreation controlCreation(Zrk_ControlType type) {
    ControlCreation creation;
    switch (controlKind(type)) {
    case ControlKind::Static: creation.kind = ui::Kind::Static; break;
    case ControlKind::Edit:
        // Bolt counts are multi-line edits that scroll vertically; the others scroll horizontally.
        creation.kind = (type == ctBoltCount1 || type == ctBoltCount2) ? ui::Kind::MultiLineEdit : ui::Kind::Edit;
        creation.clientEdge = true;
        break;
    case ControlKind::ComboBox:
        // Cell values and rotations may be typed; the other lists are chosen from.
        creation.kind = (type == ctCellCombo || type == ctProfRotation) ? ui::Kind::DropDownCombo : ui::Kind::DropListCombo;
        break;
    case ControlKind::Button:
        if (type == ctGroupBox) {
            creation.kind = ui::Kind::GroupBox;
        } else if (type == ctCellCheck) {
            // Two or three states: the value decides when it is set (it starts with two).
            creation.kind = ui::Kind::ThreeState;
        } else if (type == ctFlexButton) {
            creation.kind = ui::Kind::CheckBox;
            creation.style = ui::style::PushLike;
            creation.showsIcon = true;
        } else {
            creation.kind = ui::Kind::PushButton;
        }
        break;
    }
    return creation;
}

Zrk_String controlTypeName(Zrk_ControlType type) {
    const int value = static_cast<int>(type);
    if (value < 0 || value >= kNrControlTypes) return {};
    if (value <= ctCellCombo) return dialString(799 + value);
    if (value == ctBoltCount1 || value == ctBoltCount2)
        return dialString(803) + " " + (value == ctBoltCount1 ? "1" : "2") + ": " + secondaryString(2220);
    if (value <= ctCellButton) return dialString(804 + value - ctPatternButton);
    switch (type) {
    case ctCellButton2: return dialString(1315);
    case ctSubMacro: return dialString(1341);
    case ctCutType: return dialString(1404);
    case ctCellCheck: return dialString(1405);
    default: return dialString(1428);
    }
}

void getControlTypeNames(Zrk_StringArray& names) {
    names.removeAll();
    for (int type = 0; type < kNrControlTypes; ++type) names.append(controlTypeName(static_cast<Zrk_ControlType>(type)));
}

Zrk_String contentsLabel(Zrk_ControlType type) {
    switch (type) {
    case ctLabel:
    case ctGroupBox:
    case ctCellButton:
    case ctCellButton2:
    case ctCellCheck: return dialString(827);
    case ctCellEdit:
    case ctCellCombo: return dialString(828);
    case ctBoltCount1:
    case ctBoltCount2:
    case ctPatternButton: return dialString(829);
    case ctProfSection:
    case ctProfButton:
    case ctProfOffsetType:
    case ctProfRotation:
    case ctProfAdvanced: return dialString(830);
    case ctArrayValue1:
    case ctArrayValue2:
    case ctArrayValue3:
    case ctArrayValue4:
    case ctArrayValue5:
    case ctArrayEntry:
    case ctArrayButton: return dialString(831);
    case ctCutType: return dialString(1406);
    case ctFlexButton: return dialString(1429);
    default: return {};
    }
}

bool hasComboListField(Zrk_ControlType type) {
    switch (type) {
    case ctLabel:
    case ctGroupBox:
    case ctCellCombo:
    case ctArrayEntry:
    case ctCellButton:
    case ctCellButton2:
    case ctSubMacro:
    case ctCellCheck:
    case ctFlexButton: return true;
    default: return false;
    }
}

Zrk_String comboListLabel(Zrk_ControlType type) {
    switch (type) {
    case ctLabel:
    case ctGroupBox: return dialString(1403);
    case ctCellCombo: return dialString(833);
    case ctArrayEntry: return dialString(834);
    case ctSubMacro: return dialString(1342);
    case ctCellCheck: return dialString(828);
    case ctFlexButton: return dialString(705) + ";" + dialString(1430) + ";" + dialString(1431);
    case ctCellButton: return dialString(1316) + ";" + dialString(1317) + ";" + dialString(1318) + ";" + dialString(1319);
    case ctCellButton2: return dialString(1316) + ";" + dialString(1317) + ";" + dialString(1320) + ";" + dialString(1319);
    default: return {};
    }
}

} // namespace designer
