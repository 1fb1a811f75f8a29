#pragma once
// The spreadsheet focus test: whether the keyboard focus lies in a grid window of the spreadsheet
// control library (its window class name begins with "SPR32" or "fpSpr", as "fpSpread70" does). The
// macro dialogs ask it for their Tab and Enter handling and when they remember the focused control.

namespace frame {

// False when no window has the focus.
bool isSpreadFocused();

} // namespace frame
