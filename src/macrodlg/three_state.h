#pragma once
// The three-state flags of the macro records and the three-state boxes that show them. A flag is 1 or
// 0, or -1 where it is not one value (it differs between the entries edited together, or was never
// set); the box shows -1 as its third, indeterminate state (2). Any other number reads as set (above
// 0) or indeterminate (below 0), and a box state other than 1 or 2 as clear.

namespace macrodlg {

constexpr int checkOfFlag(int flag) {
    return flag < 0 ? 2 : flag > 0 ? 1 : 0;
}

constexpr int flagOfCheck(int check) {
    return check == 2 ? -1 : check == 1 ? 1 : 0;
}

} // namespace macrodlg
