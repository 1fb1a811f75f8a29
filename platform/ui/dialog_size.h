#pragma once
// Dialog sizes and positions stored by key ("DLG_FINDREPLACE", "DLG_MACRO_CUTS" ...), so that a
// dialog opens where and as large as the user left it, and the dialog's other remembered choices
// (a filter shown or hidden ...) under the same key.
//
// They are kept with QSettings in the INI file of organisation "ss", application "dialogs" (on Linux
// ~/.config/ss/dialogs.ini), group "DialogSizes", one "key=x y width height" entry per dialog (the
// client area in screen pixels), and group "DialogValues", one "key/name=true|false" entry per
// choice. Tests point QSettings elsewhere (QSettings::setPath).

#include <QRect>
#include <QWidget>

#include "core/zrk_string.h"

// Gives the dialog the size and position stored under key: the size is kept to the dialog's minimum
// and maximum sizes (a dialog of fixed size only moves), and the position is moved onto the screen
// when it lies off it. False (and nothing changes) when nothing usable is stored.
bool ChangeDlgSize(QWidget* dialog, const Zrk_String& key);
// Stores the dialog's size and position under key. False for a null dialog or an empty key, or
// when the settings cannot be written.
bool WriteDlgSize(QWidget* dialog, const Zrk_String& key);
// The rectangle stored under key. False when there is none (or it is no usable rectangle).
bool getDlgSize(const Zrk_String& key, QRect& rect);

// A dialog's remembered yes/no choice (name "LARGE_DLG" under key "DLG_SELECT_MACRO" ...). False,
// and value untouched, when none is stored (or what is stored is no yes/no).
bool readDlgRegBool(const Zrk_String& key, const Zrk_String& name, bool& value);
// Stores the choice. False for an empty key or name, or when the settings cannot be written.
bool writeDlgRegBool(const Zrk_String& key, const Zrk_String& name, bool value);
