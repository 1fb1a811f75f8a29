// Built-ins: information about values (ISNA, ISERR, ISLOGICAL, NA), choices (IFS, SWITCH) and dates
// as serial numbers (DATE, TODAY, NOW).
#include <algorithm>
#include <cmath>

#include "spreadlib/functions_internal.h"

namespace spreadlib {

namespace {

std::tm systemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

LocalClock gLocalClock = nullptr;

// Days from 1970-01-01 to the date of the proleptic Gregorian calendar (months 1..12).
long long daysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The serial number of the first day of a month: days since 1899-12-31, counting the 29 February
// 1900 that spreadsheets count (so 1900-01-01 is 1 and 1900-03-01 is 61).
long long monthSerial(long long year, int month) {
    const long long days = daysFromCivil(year, month, 1) - daysFromCivil(1899, 12, 30);
    return (year == 1900 && month <= 2) ? days - 1 : days;
}

} // namespace

double serialFromDateTime(long long year, int month, int day, int hour, int minute, double second) {
    const double date = static_cast<double>(monthSerial(year, month) + day - 1);
    return date + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

namespace {
double serialOf(const std::tm& t) {
    return serialFromDateTime(t.tm_year + 1900LL, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                              std::min(t.tm_sec, 59));
}
} // namespace

void setLocalClock(LocalClock clock) {
    gLocalClock = clock;
}

namespace fn {

void fnIsNa(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Error && a[0].error == ErrorCode::NA);
}
void fnIsErr(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Error && a[0].error != ErrorCode::NA);
}
void fnIsLogical(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Bool);
}
void fnNa(EvalContext&, Value*, int, Value& r) {
    r.setError(ErrorCode::NA);
}

// The value of a chosen argument: an omitted one is 0, an empty cell 0, as IF gives them.
static void chosen(EvalContext& c, Value& arg, Value& r) {
    toScalar(c, arg);
    r = arg;
    if (r.kind == ValueKind::Empty) r.setNumber(0.0);
}

// IFS(condition1, value1, ...): the value of the first true condition; none is #N/A. An error or a
// text as a condition is the result. Pairs only: an odd count is #N/A as well.
void fnIfs(EvalContext& c, Value* a, int n, Value& r) {
    if (n % 2 != 0) return r.setError(ErrorCode::NA);
    for (int i = 0; i + 1 < n; i += 2) {
        bool yes = false;
        if (!boolArg(c, a[i], yes, r)) return;
        if (yes) return chosen(c, a[i + 1], r);
    }
    r.setError(ErrorCode::NA);
}

// SWITCH(expression, value1, result1, ... [, default]): the result of the first value equal to the
// expression (of the same kind; texts without regard to case; an empty cell equals 0 and ""), else
// the default, else #N/A.
void fnSwitch(EvalContext& c, Value* a, int n, Value& r) {
    toScalar(c, a[0]);
    if (a[0].isError()) return r.setError(a[0].error);
    int i = 1;
    for (; i + 1 < n; i += 2) {
        toScalar(c, a[i]);
        if (a[i].isError()) return r.setError(a[i].error);
        if (a[i].kind == ValueKind::Missing) a[i].setEmpty();
        const bool comparable =
            a[i].kind == a[0].kind || a[i].kind == ValueKind::Empty || a[0].kind == ValueKind::Empty;
        if (comparable && compareValues(a[0], a[i]) == 0) return chosen(c, a[i + 1], r);
    }
    if (i < n) return chosen(c, a[i], r);
    r.setError(ErrorCode::NA);
}

// DATE(year, month, day): the serial number; years 0..1899 count from 1900, months and days beyond
// their ranges roll over into the next or previous ones. Before 1900-01-00 or after 9999 is #NUM!.
void fnDate(EvalContext& c, Value* a, int, Value& r) {
    long long year = 0, month = 0, day = 0;
    if (!intArg(c, a[0], year, r) || !intArg(c, a[1], month, r) || !intArg(c, a[2], day, r)) return;
    if (year < 0 || year >= 10000) return r.setError(ErrorCode::Num);
    if (year < 1900) year += 1900;
    // Months roll the year over in whole years (month 0 is December of the year before).
    const long long monthIndex = month - 1;
    const long long yearShift = monthIndex >= 0 ? monthIndex / 12 : -((-monthIndex + 11) / 12);
    year += yearShift;
    const int monthOfYear = static_cast<int>(monthIndex - yearShift * 12) + 1;
    if (year < 1899 || year > 9999) return r.setError(ErrorCode::Num);
    const long long serial = monthSerial(year, monthOfYear) + day - 1;
    if (serial < 0 || serial > 2958465) return r.setError(ErrorCode::Num); // 9999-12-31
    r.setNumber(static_cast<double>(serial));
}

void fnToday(EvalContext&, Value*, int, Value& r) {
    const std::tm now = gLocalClock ? gLocalClock() : systemLocalTime();
    r.setNumber(std::floor(serialOf(now)));
}

void fnNow(EvalContext&, Value*, int, Value& r) {
    const std::tm now = gLocalClock ? gLocalClock() : systemLocalTime();
    r.setNumber(serialOf(now));
}

} // namespace fn
} // namespace spreadlib
