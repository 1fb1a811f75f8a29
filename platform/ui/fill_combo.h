#pragma once
// FillCombo: a combo box (of a dialog, or any) filled with texts and a choice made, in one call.
// Filling is code's doing: the dialog hears no selection change.

#include <QComboBox>

#include "core/zrk_string.h"

namespace ui {
class Dialog;
}

// Replaces the items by the texts and chooses the item at selection (-1: none). False for a null box
// or a selection outside the items (the items are filled all the same).
bool FillCombo(QComboBox* combo, const Zrk_StringArray& items, int selection = -1);
// The same, choosing the first item equal to selected (letter case ignored); when none is, an
// editable box shows selected as its text and a box to choose from chooses nothing.
bool FillCombo(QComboBox* combo, const Zrk_StringArray& items, const Zrk_String& selected);
// The dialog's combo box with that id.
bool FillCombo(ui::Dialog& dialog, int id, const Zrk_StringArray& items, int selection = -1);
bool FillCombo(ui::Dialog& dialog, int id, const Zrk_StringArray& items, const Zrk_String& selected);
