#pragma once
// The numbers dialogs speak in: command ids of the standard buttons, the answers of dialogs and
// message boxes, message box types, notification codes of controls and virtual-key codes. The values
// are those of the desktop platform the module's dialogs were designed on, so that a number written in
// dialog code, or stored in a file, means what it always meant.

namespace ui {

// --- command ids and answers --------------------------------------------------------------------

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDTRYAGAIN = 10;
inline constexpr int IDCONTINUE = 11;
// The id of labels and frames that no code reaches.
inline constexpr int IDC_STATIC = -1;

// --- message box types: one button set | one icon | one default button ---------------------------

inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_CANCELTRYCONTINUE = 0x6;
inline constexpr unsigned MB_TYPEMASK = 0xF;

inline constexpr unsigned MB_ICONERROR = 0x10; // also called "hand" or "stop"
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30; // also called "warning"
inline constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr unsigned MB_ICONINFORMATION = 0x40; // also called "asterisk"
inline constexpr unsigned MB_ICONMASK = 0xF0;

inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;

// --- notification codes of Dialog::onCommand(id, code) -------------------------------------------
// Selection changes arrive only for what the user did, never for what code set; an edit's change
// (EN_CHANGE) arrives for every change of its text, also when code sets it.

inline constexpr int BN_CLICKED = 0;       // push, check, radio and bitmap buttons
inline constexpr int EN_SETFOCUS = 0x100;  // edits
inline constexpr int EN_KILLFOCUS = 0x200; // edits: the focus left the edit
inline constexpr int EN_CHANGE = 0x300;    // edits: the text changed
inline constexpr int CBN_SELCHANGE = 1;    // combo boxes: the user chose an item (or ticked one)
inline constexpr int CBN_DBLCLK = 2;
inline constexpr int CBN_SETFOCUS = 3;
inline constexpr int CBN_KILLFOCUS = 4;
inline constexpr int CBN_EDITCHANGE = 5; // editable combo boxes: the user changed the text
inline constexpr int CBN_DROPDOWN = 7;
inline constexpr int CBN_CLOSEUP = 8;
inline constexpr int LBN_SELCHANGE = 1; // list boxes: the user changed the selection
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int LBN_SETFOCUS = 4;
inline constexpr int LBN_KILLFOCUS = 5;

// --- notification codes of Dialog::onNotify(id, code, details) -----------------------------------
// Tab controls; grid windows add their own codes.

inline constexpr int TCN_SELCHANGE = -551;   // the user chose another tab
inline constexpr int NM_DBLCLK = -3;         // lists of thumbnails: a double click on one
inline constexpr int LVN_ITEMCHANGED = -101; // lists of thumbnails: the user chose another

// --- virtual-key codes (KeyPress::key) ------------------------------------------------------------
// Letters are their capital ASCII codes ('A'), digits their ASCII codes ('0').

inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12; // Alt
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21; // Page Up
inline constexpr int VK_NEXT = 0x22;  // Page Down
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F2 = 0x71;
inline constexpr int VK_F3 = 0x72;
inline constexpr int VK_F4 = 0x73;
inline constexpr int VK_F5 = 0x74;
inline constexpr int VK_F6 = 0x75;
inline constexpr int VK_F7 = 0x76;
inline constexpr int VK_F8 = 0x77;
inline constexpr int VK_F9 = 0x78;
inline constexpr int VK_F10 = 0x79;
inline constexpr int VK_F11 = 0x7A;
inline constexpr int VK_F12 = 0x7B;

} // namespace ui
