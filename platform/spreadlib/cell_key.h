#pragma once
// One 64-bit key for a cell position, for maps and sets of cells: the column in the high half, the row
// in the low half (both as unsigned 32-bit, so header indexes keep distinct keys).

#include <cstdint>

namespace spreadlib {

inline std::uint64_t cellKey(int col, int row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32) |
           static_cast<std::uint32_t>(row);
}
inline int keyCol(std::uint64_t key) {
    return static_cast<int>(key >> 32);
}
inline int keyRow(std::uint64_t key) {
    return static_cast<int>(key & 0xFFFFFFFFu);
}

} // namespace spreadlib
