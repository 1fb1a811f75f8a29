#pragma once
// Number helpers of the core library: rounding to multiples of a step and sorted arrays.

#include <algorithm>
#include <functional>

#include "core/zrk_string.h"

// The multiple of step nearest to value (halves away from zero); 2.5 in steps of 5 gives 5, -2.5
// gives -5. The sign of step is ignored; a step of 0 returns value unchanged. The result may lie
// above value; one step less is then the multiple at or below it.
double ObjectExportRoundTo(double value, double step);
// The smallest multiple of step that is not below value - tolerance: a value at most tolerance above
// a multiple rounds down to it. A step of 0 returns value. Quotients within 1e-9 of a whole number
// count as that number, so that 0.3 in steps of 0.1 gives 0.3 and not 0.4.
double ObjectExportRoundUp(double value, double step, double tolerance = 0.0);

// Ascending sort.
template <typename T> void ObjectExportSort(Zrk_Array<T>& array) {
    std::stable_sort(array.begin(), array.end());
}

// Inserts value at its sorted place in an ascending array (after equal elements) and answers its index.
// The order is less (a strict weak order), or the elements' operator <.
template <typename T, typename Less>
int ObjectExportAddToSorted(Zrk_Array<T>& array, const T& value, Less less) {
    const auto place = std::upper_bound(array.begin(), array.end(), value, less);
    const int index = static_cast<int>(place - array.begin());
    array.insertAt(index, value);
    return index;
}
template <typename T> int ObjectExportAddToSorted(Zrk_Array<T>& array, const T& value) {
    return ObjectExportAddToSorted(array, value, std::less<T>());
}
