#pragma once
// What a grid window tells the dialog it lies in.
//
// Notifications arrive in the dialog's onNotify(gridId, code, details) with a GridNotify record as
// details; the two cell-control clicks arrive as commands, onCommand(gridId, code), after the clicked
// cell has become the active cell (the dialog reads the cell there). Only what the user does is told:
// code that sets texts, moves the active cell or opens the editor is not heard back.

namespace spreadlib {

enum GridNotification : int {
    kGridClick = 1,             // a data or header cell was clicked (col, row; 0 for a header)
    kGridDoubleClick = 2,       // a cell was double-clicked
    kGridActiveCellChanged = 3, // the active cell moved from (col, row) to (newCol, newRow)
    kGridEditStarted = 4,       // the editor opened on (col, row)
    kGridEditEnded = 5,         // the editor closed on (col, row); changed: the text was taken over
    kGridValueChanged = 6,      // the user changed the value of (col, row)
    kGridRightButtonDown = 7,   // the right button went down on (col, row)
};

// Command codes (onCommand) of the cell controls.
inline constexpr int kGridCheckBoxClicked = 59; // a check box cell was toggled by the user
inline constexpr int kGridButtonClicked = 60;   // a button cell was pressed

struct GridNotify {
    int col = 0;
    int row = 0;
    int newCol = 0; // kGridActiveCellChanged: where the active cell went
    int newRow = 0;
    bool changed = false; // kGridEditEnded: the edited text was stored
};

} // namespace spreadlib
