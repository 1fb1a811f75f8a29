// Built-ins: rounding to multiples, whole-number arithmetic, hyperbolic functions and statistics.
#include <algorithm>
#include <cmath>
#include <vector>

#include "spreadlib/functions_internal.h"
#include "spreadlib/number_format.h"

namespace spreadlib::fn {

namespace {

// Whole numbers that a double still holds exactly: GCD and LCM refuse larger ones.
constexpr double kLargestWholeNumber = 9007199254740992.0; // 2^53

// x / step rounded to 9 decimals first, so that 0.3 / 0.1 counts as the 3 it is written as.
double quotientOf(double x, double step) {
    return roundHalfAway(x / step, 9);
}

bool optionalNumber(EvalContext& c, Value* a, int n, int index, double fallback, double& number, Value& r) {
    number = fallback;
    return !isGiven(a, n, index) || numberArg(c, a[index], number, r);
}

bool collectNumbers(EvalContext& c, Value* a, int n, Value& r, std::vector<double>& numbers) {
    return forEachNumber(c, a, n, r, [&](double x) { numbers.push_back(x); });
}

template <bool Largest> void extremeA(EvalContext& c, Value* a, int n, Value& r) {
    double best = Largest ? -INFINITY : INFINITY;
    int count = 0;
    auto add = [&](double x) {
        best = Largest ? std::max(best, x) : std::min(best, x);
        ++count;
    };
    if (!forEachNumber(c, a, n, r, add, CellValues::All)) return;
    r.setNumber(count ? best : 0.0);
}

// The sample variance of the numbers; false (#DIV/0!) for fewer than two.
bool sampleVariance(EvalContext& c, Value* a, int n, Value& r, double& variance) {
    std::vector<double> numbers;
    if (!collectNumbers(c, a, n, r, numbers)) return false;
    if (numbers.size() < 2) {
        r.setError(ErrorCode::Div0);
        return false;
    }
    double mean = 0.0;
    for (const double x : numbers)
        mean += x;
    mean /= static_cast<double>(numbers.size());
    double squares = 0.0;
    for (const double x : numbers)
        squares += (x - mean) * (x - mean);
    variance = squares / static_cast<double>(numbers.size() - 1);
    return true;
}

// The k-th largest (or smallest) number of the first argument; k is rounded up to a whole number.
template <bool Largest> void kth(EvalContext& c, Value* a, int, Value& r) {
    std::vector<double> numbers;
    if (!collectNumbers(c, a, 1, r, numbers)) return;
    double k = 0.0;
    if (!numberArg(c, a[1], k, r)) return;
    k = std::ceil(k);
    if (k < 1 || k > static_cast<double>(numbers.size())) return r.setError(ErrorCode::Num);
    const auto index = static_cast<std::size_t>(k) - 1;
    if (Largest)
        std::nth_element(numbers.begin(), numbers.begin() + static_cast<long>(index), numbers.end(),
                         std::greater<>());
    else
        std::nth_element(numbers.begin(), numbers.begin() + static_cast<long>(index), numbers.end());
    r.setNumber(numbers[index]);
}

// The whole numbers of GCD and LCM: truncated, none negative or beyond 2^53.
bool wholeNumbers(EvalContext& c, Value* a, int n, Value& r, std::vector<double>& numbers) {
    if (!collectNumbers(c, a, n, r, numbers)) return false;
    for (double& x : numbers) {
        x = std::trunc(x);
        if (x < 0 || x >= kLargestWholeNumber) {
            r.setError(ErrorCode::Num);
            return false;
        }
    }
    return true;
}

double gcdOf(double x, double y) {
    while (y != 0) {
        const double rest = std::fmod(x, y);
        x = y;
        y = rest;
    }
    return x;
}

template <double (*F)(double)> void hyperbolic(EvalContext& c, Value* a, Value& r) {
    double x = 0.0;
    if (numberArg(c, a[0], x, r)) setNumberChecked(r, F(x));
}
double sinhOf(double x) {
    return std::sinh(x);
}
double coshOf(double x) {
    return std::cosh(x);
}
double tanhOf(double x) {
    return std::tanh(x);
}
double asinhOf(double x) {
    return std::asinh(x);
}
double acoshOf(double x) {
    return x < 1 ? NAN : std::acosh(x);
}
double atanhOf(double x) {
    return (x <= -1 || x >= 1) ? NAN : std::atanh(x);
}

} // namespace

// MROUND(number, multiple): the multiple nearest to the number, halves away from zero; signs that
// differ are #NUM!.
void fnMround(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, m = 0;
    if (!numberArg(c, a[0], x, r) || !numberArg(c, a[1], m, r)) return;
    if (m == 0 || x == 0) return r.setNumber(0.0);
    if ((x > 0) != (m > 0)) return r.setError(ErrorCode::Num);
    setNumberChecked(r, roundHalfAway(quotientOf(x, m), 0) * m);
}

// EVEN and ODD round away from zero to the next even (odd) whole number.
void fnEven(EvalContext& c, Value* a, int, Value& r) {
    double x = 0;
    if (!numberArg(c, a[0], x, r)) return;
    const double up = std::ceil(roundHalfAway(std::fabs(x), 9) / 2.0) * 2.0;
    setNumberChecked(r, x < 0 ? -up : up);
}

void fnOdd(EvalContext& c, Value* a, int, Value& r) {
    double x = 0;
    if (!numberArg(c, a[0], x, r)) return;
    double up = std::ceil(roundHalfAway(std::fabs(x), 9));
    if (std::fmod(up, 2.0) == 0.0) up += 1.0;
    setNumberChecked(r, x < 0 ? -up : up);
}

// CEILING.MATH(number [, significance [, mode]]) rounds up to a multiple of the significance (its
// sign does not count, 1 when omitted), negative numbers towards zero, or away from it when mode is
// not 0; FLOOR.MATH rounds down, negative numbers away from zero, or towards it when mode is not 0.
template <bool Up> void roundToMultiple(EvalContext& c, Value* a, int n, Value& r) {
    double x = 0, s = 1, mode = 0;
    if (!numberArg(c, a[0], x, r) || !optionalNumber(c, a, n, 1, 1.0, s, r) ||
        !optionalNumber(c, a, n, 2, 0.0, mode, r))
        return;
    s = std::fabs(s);
    if (s == 0 || x == 0) return r.setNumber(0.0);
    const double q = quotientOf(x, s);
    const bool up = (x < 0 && mode != 0) ? !Up : Up;
    setNumberChecked(r, (up ? std::ceil(q) : std::floor(q)) * s);
}

void fnCeilingMath(EvalContext& c, Value* a, int n, Value& r) {
    roundToMultiple<true>(c, a, n, r);
}
void fnFloorMath(EvalContext& c, Value* a, int n, Value& r) {
    roundToMultiple<false>(c, a, n, r);
}

void fnQuotient(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, d = 0;
    if (!numberArg(c, a[0], x, r) || !numberArg(c, a[1], d, r)) return;
    if (d == 0) return r.setError(ErrorCode::Div0);
    setNumberChecked(r, std::trunc(x / d));
}

void fnFact(EvalContext& c, Value* a, int, Value& r) {
    double x = 0;
    if (!numberArg(c, a[0], x, r)) return;
    x = std::trunc(x);
    if (x < 0 || x > 170) return r.setError(ErrorCode::Num);
    double product = 1.0;
    for (int i = 2; i <= static_cast<int>(x); ++i)
        product *= i;
    setNumberChecked(r, product);
}

void fnGcd(EvalContext& c, Value* a, int n, Value& r) {
    std::vector<double> numbers;
    if (!wholeNumbers(c, a, n, r, numbers)) return;
    double result = 0.0;
    for (const double x : numbers)
        result = gcdOf(result, x);
    r.setNumber(result);
}

void fnLcm(EvalContext& c, Value* a, int n, Value& r) {
    std::vector<double> numbers;
    if (!wholeNumbers(c, a, n, r, numbers)) return;
    double result = 1.0;
    for (const double x : numbers) {
        if (x == 0) return r.setNumber(0.0);
        result = result / gcdOf(result, x) * x;
        if (result >= kLargestWholeNumber) return r.setError(ErrorCode::Num);
    }
    r.setNumber(numbers.empty() ? 0.0 : result);
}

void fnSinh(EvalContext& c, Value* a, int, Value& r) {
    hyperbolic<sinhOf>(c, a, r);
}
void fnCosh(EvalContext& c, Value* a, int, Value& r) {
    hyperbolic<coshOf>(c, a, r);
}
void fnTanh(EvalContext& c, Value* a, int, Value& r) {
    hyperbolic<tanhOf>(c, a, r);
}
void fnAsinh(EvalContext& c, Value* a, int, Value& r) {
    hyperbolic<asinhOf>(c, a, r);
}
void fnAcosh(EvalContext& c, Value* a, int, Value& r) {
    hyperbolic<acoshOf>(c, a, r);
}
void fnAtanh(EvalContext& c, Value* a, int, Value& r) {
    hyperbolic<atanhOf>(c, a, r);
}

void fnSumSq(EvalContext& c, Value* a, int n, Value& r) {
    double sum = 0.0;
    if (forEachNumber(c, a, n, r, [&](double x) { sum += x * x; })) setNumberChecked(r, sum);
}

// SUMPRODUCT(block1, block2, ...): the sum of the products of the cells at the same place in blocks
// of one size (another size is #VALUE!). Cells that hold no number count as 0; an error is the result.
// A value written as an argument is a block of one cell.
void fnSumProduct(EvalContext& c, Value* a, int n, Value& r) {
    int rows = -1, cols = -1;
    for (int i = 0; i < n; ++i) {
        int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
        const bool block = blockOf(a[i], c1, r1, c2, r2);
        if (!block && a[i].isError()) return r.setError(a[i].error);
        const int h = block ? r2 - r1 + 1 : 1, w = block ? c2 - c1 + 1 : 1;
        if (rows >= 0 && (h != rows || w != cols)) return r.setError(ErrorCode::Value);
        rows = h;
        cols = w;
    }
    // Beyond the used cells every block is empty: those products are 0.
    int lastCol = 0, lastRow = 0;
    c.usedExtent(lastCol, lastRow);
    int usedRows = rows, usedCols = cols;
    for (int i = 0; i < n; ++i)
        if (a[i].isReference()) {
            usedRows = std::min(usedRows, std::max(0, lastRow - a[i].row + 1));
            usedCols = std::min(usedCols, std::max(0, lastCol - a[i].col + 1));
        }
    double sum = 0.0;
    Value cell;
    for (int dr = 0; dr < usedRows; ++dr)
        for (int dc = 0; dc < usedCols; ++dc) {
            double product = 1.0;
            for (int i = 0; i < n; ++i) {
                const Value* v = &a[i];
                if (a[i].isReference()) {
                    c.cellValue(a[i].col + dc, a[i].row + dr, cell);
                    v = &cell;
                }
                if (v->isError()) return r.setError(v->error);
                if (v->kind != ValueKind::Number)
                    product = 0.0;
                else
                    product *= v->number;
            }
            sum += product;
        }
    setNumberChecked(r, sum);
}

void fnMaxA(EvalContext& c, Value* a, int n, Value& r) {
    extremeA<true>(c, a, n, r);
}
void fnMinA(EvalContext& c, Value* a, int n, Value& r) {
    extremeA<false>(c, a, n, r);
}

void fnMedian(EvalContext& c, Value* a, int n, Value& r) {
    std::vector<double> numbers;
    if (!collectNumbers(c, a, n, r, numbers)) return;
    if (numbers.empty()) return r.setError(ErrorCode::Num);
    std::sort(numbers.begin(), numbers.end());
    const std::size_t middle = numbers.size() / 2;
    setNumberChecked(r, numbers.size() % 2 ? numbers[middle] : (numbers[middle - 1] + numbers[middle]) / 2.0);
}

void fnStdev(EvalContext& c, Value* a, int n, Value& r) {
    double variance = 0.0;
    if (sampleVariance(c, a, n, r, variance)) setNumberChecked(r, std::sqrt(variance));
}

void fnVar(EvalContext& c, Value* a, int n, Value& r) {
    double variance = 0.0;
    if (sampleVariance(c, a, n, r, variance)) setNumberChecked(r, variance);
}

void fnLarge(EvalContext& c, Value* a, int n, Value& r) {
    kth<true>(c, a, n, r);
}
void fnSmall(EvalContext& c, Value* a, int n, Value& r) {
    kth<false>(c, a, n, r);
}

} // namespace spreadlib::fn
