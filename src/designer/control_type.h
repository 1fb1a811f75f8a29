#pragma once
// The 31 kinds of controls a dialog template holds. A type fixes the window the control becomes, its
// creation styles, and what its two texts mean (contents / comboList):
//
//   0  label                 label text / optional cell: the label is empty when that cell is missing
//   1  group box             as 0
//   2  cell edit             cell name
//   3  cell combo box        cell name / text file whose lines are the list items
//   4, 5  bolt count 1, 2    pattern name (multi-line edits)
//   6  pattern button        pattern name
//   7 .. 11  pattern settings 1 .. 5 (7 a drop-down list, 8 .. 11 edits)   pattern name
//   12 advanced bolt button  pattern name
//   13 .. 17 profile group: section (list), button, offset type (list), rotation (editable list),
//            advanced button                                            profile group name
//   18 .. 22 array values 1 .. 5 (edits)                                array name
//   23 array entry (edit)    array name / index of the entry
//   24 array button          array name
//   25, 26 cell buttons      button text / fifth cell-button parameter
//   27 sub-macro drawing     label / folder of drawings, relative to the library folder
//   28 cut type (list)       cut name
//   29 cell check box        label text / cell name
//   30 flex button           button name / flex parameters
//
// Stored as its number; a number outside 0 .. 30 read from a file is kept as it is and behaves as a
// label.

#include <cstdint>

#include "core/zrk_string.h"
#include "ui/dialog_template.h"

enum Zrk_ControlType : std::int32_t {
    ctLabel = 0,
    ctGroupBox = 1,
    ctCellEdit = 2,
    ctCellCombo = 3,
    ctBoltCount1 = 4,
    ctBoltCount2 = 5,
    ctPatternButton = 6,
    ctPatternSetting1 = 7,
    ctPatternSetting2 = 8,
    ctPatternSetting3 = 9,
    ctPatternSetting4 = 10,
    ctPatternSetting5 = 11,
    ctBoltAdvanced = 12,
    ctProfSection = 13,
    ctProfButton = 14,
    ctProfOffsetType = 15,
    ctProfRotation = 16,
    ctProfAdvanced = 17,
    ctArrayValue1 = 18,
    ctArrayValue2 = 19,
    ctArrayValue3 = 20,
    ctArrayValue4 = 21,
    ctArrayValue5 = 22,
    ctArrayEntry = 23,
    ctArrayButton = 24,
    ctCellButton = 25,
    ctCellButton2 = 26,
    ctSubMacro = 27,
    ctCutType = 28,
    ctCellCheck = 29,
    ctFlexButton = 30,
};

namespace designer {

inline constexpr int kNrControlTypes = 31;

// The window class kind of a type: every number that is not an edit, a combo box or a button is a
// static control.
enum class ControlKind { Static, Edit, ComboBox, Button };
ControlKind controlKind(Zrk_ControlType type);
// "STATIC", "EDIT", "COMBOBOX" or "BUTTON".
Zrk_String windowClassName(Zrk_ControlType type);

// How the window of a type is made, in the terms of the windowing layer: the control kind, its style
// flags, and the two styles the layer has no flag for.
struct ControlCreation {
    ui::Kind kind = ui::Kind::Static;
    unsigned style = 0;      // ui::style:: flags
    bool clientEdge = false; // a sunken client edge (edits)
    bool showsIcon = false;  // the button shows an icon instead of its text (flex buttons)
};
ControlCreation controlCreation(Zrk_ControlType type);

// The translated name of a type as the designer's type list shows it; empty for numbers outside 0..30.
Zrk_String controlTypeName(Zrk_ControlType type);
// The 31 names, index = type.
void getControlTypeNames(Zrk_StringArray& names);

// The designer's labels of the two text fields of a control of that type (translated texts). Only
// the types with a meaning for comboList show its field; the others leave it empty and disabled.
Zrk_String contentsLabel(Zrk_ControlType type);
bool hasComboListField(Zrk_ControlType type);
Zrk_String comboListLabel(Zrk_ControlType type);

} // namespace designer
