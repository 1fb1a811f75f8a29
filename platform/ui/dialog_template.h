#pragma once
// Dialog templates: what a dialog is made of before it exists, the way a resource script writes it.
// A template lists its controls, each with an id, a kind, a text, a rectangle in dialog units and
// style flags. Templates are C++ tables beside the dialog that uses them, registered by template
// number with the resources of the module that owns them (resources.h):
//
//   const ui::DialogTemplate kTextInputTemplate(8069, "Input", 230, 62, {
//       //  id           kind                    text      x    y   width height [style] [image]
//       {8600,         ui::Kind::Static,        "Value:",   7,   7, 216,  9},
//       {8003,         ui::Kind::Edit,          "",         7,  19, 216, 14},
//       {ui::IDOK,     ui::Kind::DefPushButton, "OK",     119,  41,  50, 14},
//       {ui::IDCANCEL, ui::Kind::PushButton,    "Cancel", 173,  41,  50, 14},
//   });
//
// A resizable dialog, a page or a dialog that stays on top gives its style before the controls:
//   ui::DialogTemplate(208, "Strings", 300, 200, ui::dialogStyle::Resizable, {...}).
//
// Dialog units scale with the dialog's font (dialog_units.h): 4 horizontal units are one average
// character width, 8 vertical units one character height.

#include <utility>
#include <vector>

#include "core/zrk_string.h"
#include "ui/codes.h"

namespace ui {

// The kinds of controls, and the window class each answers to (window_class.h).
enum class Kind {
    Static,          // a label; '&' marks the mnemonic of the control after it    "Static"
    GroupBox,        // a frame with a title around other controls                   "Button"
    PushButton,      //                                                               "Button"
    DefPushButton,   // the push button that Enter presses                            "Button"
    CheckBox,        // two states, 0 and 1                                           "Button"
    ThreeState,      // 0, 1 and 2 (undetermined); a click goes 0 -> 1 -> 2 -> 0      "Button"
    RadioButton,     // one of a group (see style::Group)                             "Button"
    BitmapButton,    // a push button showing a bitmap (image), with a tool tip       "Button"
    Edit,            // one line of text                                              "Edit"
    MultiLineEdit,   // several lines ('\n' between them)                             "Edit"
    DropDownCombo,   // a list with an editable text                                  "ComboBox"
    DropListCombo,   // a list to choose from                                         "ComboBox"
    CheckComboBox,   // a list whose items are ticked (CCheckComboBox)                "ComboBox"
    ListBox,         //                                                               "ListBox"
    TabControl,      // a row of tabs over a display area that the dialog fills       "SysTabControl32"
    Picture,         // a bitmap or icon (image)                                      "Static"
    Placeholder,     // an empty area that code replaces by a window of its own       "Static"
    PictureCombo,    // pictures with captions to choose from (PictureComboBox)       "ComboBox"
    ImageList,       // thumbnails of picture files to choose from (CImageListCtrl)  "SysListView32"
};

// Control style flags (ControlTemplate::style).
namespace style {
inline constexpr unsigned Hidden = 1u << 0;    // not shown at first
inline constexpr unsigned Disabled = 1u << 1;  // disabled at first
inline constexpr unsigned NoTabStop = 1u << 2; // Tab passes it by
inline constexpr unsigned Group = 1u << 3;     // a radio button that starts a new group
inline constexpr unsigned Center = 1u << 4;    // text centred (labels, edits, pictures)
inline constexpr unsigned Right = 1u << 5;     // text right-aligned (labels, edits)
inline constexpr unsigned Sunken = 1u << 6;    // a sunken frame (labels, pictures, placeholders)
inline constexpr unsigned ReadOnly = 1u << 7;  // edits
inline constexpr unsigned Password = 1u << 8;  // edits
inline constexpr unsigned Number = 1u << 9;    // edits: digits only
inline constexpr unsigned WantReturn = 1u << 10; // multi-line edits: Enter makes a new line
inline constexpr unsigned Sort = 1u << 11;     // list and combo boxes keep their items sorted
inline constexpr unsigned MultipleSelection = 1u << 12; // list boxes: a click toggles an item
inline constexpr unsigned ExtendedSelection = 1u << 13; // list boxes: Shift and Ctrl extend
inline constexpr unsigned PushLike = 1u << 14; // check boxes drawn as push buttons
inline constexpr unsigned Checkable = 1u << 15; // bitmap buttons that stay pressed (check state)
inline constexpr unsigned Icon = 1u << 16;     // pictures and bitmap buttons: image is an icon
inline constexpr unsigned NoPrefix = 1u << 17; // labels: '&' is shown as it is
} // namespace style

// Dialog style flags (DialogTemplate::style).
namespace dialogStyle {
inline constexpr unsigned Resizable = 1u << 0; // the user may change its size
inline constexpr unsigned Child = 1u << 1;     // a page inside another window, not a window itself
inline constexpr unsigned TopMost = 1u << 2;   // stays above other windows
inline constexpr unsigned NoCloseBox = 1u << 3; // no close box in the title bar
} // namespace dialogStyle

struct ControlTemplate {
    ControlTemplate() = default;
    ControlTemplate(int id, Kind kind, Zrk_String text, int x, int y, int width, int height, unsigned style = 0,
                    int image = 0)
        : id(id), kind(kind), text(std::move(text)), x(x), y(y), width(width), height(height), style(style),
          image(image) {}

    int id = IDC_STATIC;
    Kind kind = Kind::Static;
    Zrk_String text;           // module text (code page), shown as the control's text
    int x = 0, y = 0;          // dialog units, from the client area's top-left corner
    int width = 0, height = 0; // dialog units; a combo box's height includes its drop-down list
    unsigned style = 0;        // style::
    int image = 0;             // Picture and BitmapButton: the resource number of the bitmap or icon
};

struct DialogTemplate {
    DialogTemplate() = default;
    DialogTemplate(int id, Zrk_String caption, int width, int height, std::vector<ControlTemplate> controls)
        : DialogTemplate(id, std::move(caption), width, height, 0, std::move(controls)) {}
    DialogTemplate(int id, Zrk_String caption, int width, int height, unsigned style,
                   std::vector<ControlTemplate> controls)
        : id(id), caption(std::move(caption)), width(width), height(height), style(style),
          controls(std::move(controls)) {}

    int id = 0;                // the template number
    Zrk_String caption;        // the title bar's text
    int width = 0, height = 0; // the client area in dialog units
    unsigned style = 0;        // dialogStyle::
    std::vector<ControlTemplate> controls; // in tab order; later controls lie above earlier ones
    Zrk_String fontName;       // empty: the desktop's dialog font
    int fontPoints = 8;

    // The control with that id, or null.
    const ControlTemplate* control(int controlId) const;
};

} // namespace ui
