#pragma once
// The workloads both engines run, so that their times compare.
#include <string>
#include <vector>

namespace bench {

inline constexpr int kFormulaCount = 10000; // workloads (a), (b)
inline constexpr int kChainLength = 50000;  // workload (d)
inline constexpr int kFileCells = 100000;   // workload (e)

// The values of row r (1-based) in columns A..D.
inline double valueA(int r) { return r; }
inline double valueB(int r) { return r * 0.5; }
inline double valueC(int r) { return r % 7; }
inline double valueD(int r) { return r % 11; }

// The formula of row r, without "=".
inline std::string formulaOf(int r) {
    const std::string n = std::to_string(r);
    return "A" + n + "*2+B" + n + "-MAX(C" + n + ",D" + n + ")/2";
}

inline std::vector<std::string> formulas() {
    std::vector<std::string> list;
    list.reserve(kFormulaCount);
    for (int r = 1; r <= kFormulaCount; ++r) list.push_back(formulaOf(r));
    return list;
}

} // namespace bench
