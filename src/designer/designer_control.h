#pragma once
// One control of a dialog template: its type, its rectangle as factors of the background picture's
// width (x) and height (y) from the picture's top-left corner, and its texts. See control_type.h for
// what contents and comboList mean by type.
//
// The type-specific parameters travel as one text joined with ';' (the template file's "comboList"
// entry and the designer's property field):
//   flex buttons (30)         the four flexParams              "G;;;"
//   cell buttons (25, 26)     the four cellButtonParams, then comboList   "c1;a;b;c;l.txt"
//   every other type          comboList itself, ';' included

#include <array>

#include "core/properties_list.h"
#include "core/zrk_string.h"
#include "designer/control_type.h"
#include "module/export.h"

class QAbstractButton;
class QComboBox;
class QWidget;
namespace ui {
class Dialog;
}

class SS_EXPORT Zrk_DesignerControl {
public:
    Zrk_DesignerControl() = default;
    Zrk_DesignerControl(const Zrk_DesignerControl&) = default;
    Zrk_DesignerControl& operator=(const Zrk_DesignerControl&) = default;
    virtual ~Zrk_DesignerControl();

    Zrk_ControlType type = ctLabel;
    bool readOnly = false; // shown disabled, out of the tab order; set at run time, not stored
    int resourceId = 0;    // child-window id given when appended to a template; not stored
    int tabOrder = 0;      // 1-based place in the tab sequence, given by sorting; not stored
    double topLeftX = 0.0;
    double topLeftY = 0.0;
    double bottomRightX = 0.0;
    double bottomRightY = 0.0;
    Zrk_String contents;
    Zrk_String comboList;                     // for types 25 and 26 only the fifth parameter
    std::array<Zrk_String, 4> flexParams;       // type 30: the group name, then three more
    std::array<Zrk_String, 4> cellButtonParams; // types 25, 26: the bound cell's name, then three more
    Zrk_StringArray comboItems;                 // list items supplied at run time; not stored

    bool operator==(const Zrk_DesignerControl& other) const = default;

    // Reads this control as entry i of a template; keys that are missing (or of another type) leave
    // their fields as they are. The merged text is split by the type read.
    void getFromPropList(const Zrk_PropertiesList& list, const int& i);
    // Writes the seven keys of entry i: type, rectangle, contents and the merged text.
    void setToPropList(Zrk_PropertiesList& list, const int& i) const;

    Zrk_String getMergedExtComboList() const;
    // Missing parts leave their fields empty; parts beyond those the type takes are ignored.
    bool setSplitExtComboList(const Zrk_String& text);

    // The lines of the file named by comboList, a path that is absolute or relative to the library
    // folder (letter case of the name ignored when the file is not found as written); items stay as
    // they are when there is no such file.
    void getComboItemsFromFile(Zrk_StringArray& items) const;

    // The window made for this control in the dialog (by resourceId): any window, or only a combo box
    // of a cell, section, offset type or rotation (3, 13, 15, 16), a button kind or an edit kind.
    bool getCtrlPtr(ui::Dialog* dialog, QWidget*& window) const;
    QComboBox* getComboPtr(ui::Dialog* dialog) const;
    QAbstractButton* getButtonPtr(ui::Dialog* dialog) const;
    QWidget* getEditPtr(ui::Dialog* dialog) const;
};
