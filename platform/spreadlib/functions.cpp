#include "spreadlib/functions.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/functions_internal.h"
#include "spreadlib/number_format.h"

namespace spreadlib {

const char* errorText(ErrorCode code) {
    switch (code) {
    case ErrorCode::None: return "";
    case ErrorCode::Null: return "#NULL!";
    case ErrorCode::Div0: return "#DIV/0!";
    case ErrorCode::Value: return "#VALUE!";
    case ErrorCode::Ref: return "#REF!";
    case ErrorCode::Name: return "#NAME?";
    case ErrorCode::Num: return "#NUM!";
    case ErrorCode::NA: return "#N/A";
    case ErrorCode::Circular: return "#CIRC!";
    }
    return "#VALUE!";
}

const char* errorMeaning(ErrorCode code) {
    switch (code) {
    case ErrorCode::None: return "";
    case ErrorCode::Null: return "blocks that do not intersect";
    case ErrorCode::Div0: return "a division by zero";
    case ErrorCode::Value: return "a value of the wrong kind (a text where a number is needed, or the like)";
    case ErrorCode::Ref: return "a reference outside the sheet";
    case ErrorCode::Name: return "an unknown function or name";
    case ErrorCode::Num: return "a number out of range";
    case ErrorCode::NA: return "no value was found";
    case ErrorCode::Circular: return "a circular reference";
    }
    return "";
}

ErrorCode errorFromText(const Zrk_String& text) {
    if (text.empty() || text[0] != '#') return ErrorCode::None;
    for (int i = 1; i <= static_cast<int>(ErrorCode::Circular); ++i)
        if (isEqual(text, errorText(static_cast<ErrorCode>(i)), true)) return static_cast<ErrorCode>(i);
    return ErrorCode::None;
}

void setNumberChecked(Value& result, double number) {
    if (std::isfinite(number)) result.setNumber(number == 0.0 ? 0.0 : number);
    else result.setError(ErrorCode::Num);
}

void toScalar(EvalContext& context, Value& value) {
    if (value.kind == ValueKind::Ref) {
        const int col = value.col, row = value.row;
        context.cellValue(col, row, value);
    } else if (value.kind == ValueKind::Range) {
        int col = 0, row = 0;
        if (value.col == value.col2 && value.row == value.row2) {
            col = value.col;
            row = value.row;
        } else if (value.col == value.col2 && context.row >= value.row && context.row <= value.row2) {
            col = value.col;
            row = context.row;
        } else if (value.row == value.row2 && context.col >= value.col && context.col <= value.col2) {
            col = context.col;
            row = value.row;
        } else {
            value.setError(ErrorCode::Value);
            return;
        }
        context.cellValue(col, row, value);
    } else if (value.kind == ValueKind::Missing) {
        value.setEmpty();
    }
}

bool toNumber(const Value& value, double& number, ErrorCode& error) {
    switch (value.kind) {
    case ValueKind::Number:
    case ValueKind::Bool: number = value.number; return true;
    case ValueKind::Empty:
    case ValueKind::Missing: number = 0.0; return true;
    case ValueKind::Text:
        if (value.text.empty()) {
            error = ErrorCode::Value;
            return false;
        }
        if (parseValueText(value.text, number)) return true;
        error = ErrorCode::Value;
        return false;
    case ValueKind::Error: error = value.error; return false;
    default: error = ErrorCode::Value; return false;
    }
}

bool toText(const Value& value, Zrk_String& text, ErrorCode& error) {
    switch (value.kind) {
    case ValueKind::Number: text = formatGeneral(value.number); return true;
    case ValueKind::Bool: text = value.number != 0.0 ? "TRUE" : "FALSE"; return true;
    case ValueKind::Empty:
    case ValueKind::Missing: text.clear(); return true;
    case ValueKind::Text: text = value.text; return true;
    case ValueKind::Error: error = value.error; return false;
    default: error = ErrorCode::Value; return false;
    }
}

bool toBool(const Value& value, bool& result, ErrorCode& error) {
    switch (value.kind) {
    case ValueKind::Number:
    case ValueKind::Bool: result = value.number != 0.0; return true;
    case ValueKind::Empty:
    case ValueKind::Missing: result = false; return true;
    case ValueKind::Text:
        if (isEqual(value.text, "TRUE", true)) result = true;
        else if (isEqual(value.text, "FALSE", true)) result = false;
        else {
            error = ErrorCode::Value;
            return false;
        }
        return true;
    case ValueKind::Error: error = value.error; return false;
    default: error = ErrorCode::Value; return false;
    }
}

namespace {

int typeRank(ValueKind kind) {
    switch (kind) {
    case ValueKind::Number: return 0;
    case ValueKind::Text: return 1;
    case ValueKind::Bool: return 2;
    default: return 3;
    }
}

} // namespace

namespace {

// The rank of a byte in the order of texts: control characters, the symbols in the order below,
// digits, letters without regard to case, then the bytes from 127 on in their order. Apostrophe and
// hyphen count only to break ties, after everything else: the text with them sorts last.
constexpr char kSymbolOrder[] = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
constexpr int kApostropheRank = 1000;
constexpr int kHyphenRank = 1001;

struct TextRanks {
    int rank[256] = {};
    TextRanks() {
        for (int b = 0; b < 256; ++b) rank[b] = b < 32 ? b : 200 + b;
        for (std::size_t i = 0; i + 1 < sizeof kSymbolOrder; ++i)
            rank[static_cast<unsigned char>(kSymbolOrder[i])] = 32 + static_cast<int>(i);
        rank[static_cast<unsigned char>('\'')] = kApostropheRank;
        rank[static_cast<unsigned char>('-')] = kHyphenRank;
        for (int d = 0; d < 10; ++d) rank['0' + d] = 100 + d;
        for (int l = 0; l < 26; ++l) rank['A' + l] = rank['a' + l] = 120 + l;
    }
};
const TextRanks kTextRanks;

int compareRanks(const Zrk_String& a, const Zrk_String& b, bool skipHyphens) {
    auto skipped = [skipHyphens](unsigned char c) { return skipHyphens && (c == '-' || c == '\''); };
    std::size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && skipped(static_cast<unsigned char>(a[i]))) ++i;
        while (j < b.size() && skipped(static_cast<unsigned char>(b[j]))) ++j;
        if (i == a.size() || j == b.size()) return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        const int x = kTextRanks.rank[static_cast<unsigned char>(a[i++])];
        const int y = kTextRanks.rank[static_cast<unsigned char>(b[j++])];
        if (x != y) return x < y ? -1 : 1;
    }
}

} // namespace

int compareTexts(const Zrk_String& a, const Zrk_String& b) {
    const int order = compareRanks(a, b, true);
    return order != 0 ? order : compareRanks(a, b, false);
}

int compareValues(const Value& x, const Value& y) {
    Value a = x, b = y;
    // Empty takes the kind of the other side.
    if (a.kind == ValueKind::Empty || a.kind == ValueKind::Missing) {
        if (b.kind == ValueKind::Text) a = Value::makeText("");
        else if (b.kind == ValueKind::Bool) a = Value::makeBool(false);
        else a = Value::makeNumber(0.0);
    }
    if (b.kind == ValueKind::Empty || b.kind == ValueKind::Missing) {
        if (a.kind == ValueKind::Text) b = Value::makeText("");
        else if (a.kind == ValueKind::Bool) b = Value::makeBool(false);
        else b = Value::makeNumber(0.0);
    }
    const int ra = typeRank(a.kind), rb = typeRank(b.kind);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (a.kind == ValueKind::Text) return compareTexts(a.text, b.text);
    if (a.number < b.number) return -1;
    return a.number > b.number ? 1 : 0;
}

bool wildcardMatch(const Zrk_String& pattern, const Zrk_String& text) {
    // Pattern items: a literal byte, '?' (any one byte) or '*' (any run); "~x" is the literal x.
    struct Item {
        char c;
        int kind; // 0 literal, 1 any one, 2 any run
    };
    std::vector<Item> items;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '~' && i + 1 < pattern.size()) items.push_back({pattern[++i], 0});
        else if (c == '?') items.push_back({c, 1});
        else if (c == '*') items.push_back({c, 2});
        else items.push_back({c, 0});
    }
    auto same = [](char a, char b) {
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
        return a == b;
    };
    // Greedy matching with one backtrack point: linear in practice, never exponential.
    std::size_t p = 0, t = 0, starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < items.size() && items[p].kind == 2) {
            starP = p++;
            starT = t;
        } else if (p < items.size() && (items[p].kind == 1 || same(items[p].c, text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < items.size() && items[p].kind == 2) ++p;
    return p == items.size();
}

namespace fn {

bool numberArg(EvalContext& context, Value& arg, double& number, Value& result) {
    toScalar(context, arg);
    ErrorCode error = ErrorCode::None;
    if (toNumber(arg, number, error)) return true;
    result.setError(error);
    return false;
}
bool textArg(EvalContext& context, Value& arg, Zrk_String& text, Value& result) {
    toScalar(context, arg);
    ErrorCode error = ErrorCode::None;
    if (toText(arg, text, error)) return true;
    result.setError(error);
    return false;
}
bool intArg(EvalContext& context, Value& arg, long long& number, Value& result) {
    double value = 0.0;
    if (!numberArg(context, arg, value, result)) return false;
    if (std::fabs(value) > 1e15) {
        result.setError(ErrorCode::Num);
        return false;
    }
    number = static_cast<long long>(std::trunc(value));
    return true;
}
bool boolArg(EvalContext& context, Value& arg, bool& value, Value& result) {
    toScalar(context, arg);
    ErrorCode error = ErrorCode::None;
    if (toBool(arg, value, error)) return true;
    result.setError(error);
    return false;
}
bool isGiven(const Value* args, int argCount, int index) {
    return index < argCount && args[index].kind != ValueKind::Missing;
}
void setText(Value& result, Zrk_String text) {
    if (text.size() > static_cast<std::size_t>(kMaxTextLength)) result.setError(ErrorCode::Value);
    else result.setText(std::move(text));
}

template <double (*F)(double)> void unaryMath(EvalContext& c, Value* a, int, Value& r) {
    double x = 0.0;
    if (numberArg(c, a[0], x, r)) setNumberChecked(r, F(x));
}

double fnAbs(double x) { return std::fabs(x); }
double fnAcos(double x) { return (x < -1 || x > 1) ? NAN : std::acos(x); }
double fnAsin(double x) { return (x < -1 || x > 1) ? NAN : std::asin(x); }
double fnAtan(double x) { return std::atan(x); }
double fnCos(double x) { return std::fabs(x) >= 134217728.0 ? NAN : std::cos(x); }
double fnSin(double x) { return std::fabs(x) >= 134217728.0 ? NAN : std::sin(x); }
double fnTan(double x) { return std::fabs(x) >= 134217728.0 ? NAN : std::tan(x); }
double fnDegrees(double x) { return x * 180.0 / std::numbers::pi; }
double fnRadians(double x) { return x * std::numbers::pi / 180.0; }
double fnExp(double x) { return std::exp(x); }
double fnLn(double x) { return x <= 0 ? NAN : std::log(x); }
double fnLog10(double x) { return x <= 0 ? NAN : std::log10(x); }
double fnInt(double x) { return std::floor(x); }
double fnSign(double x) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }
double fnSqrt(double x) { return x < 0 ? NAN : std::sqrt(x); }

void fnAtan2(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, y = 0;
    if (!numberArg(c, a[0], x, r) || !numberArg(c, a[1], y, r)) return;
    if (x == 0 && y == 0) return r.setError(ErrorCode::Div0);
    setNumberChecked(r, std::atan2(y, x));
}

// Multiples of a significance, as the current spreadsheet programs round them: a negative number with
// a positive significance rounds towards zero (CEILING) or away from it (FLOOR); a positive number
// with a negative significance is #NUM!.
void fnCeiling(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, s = 0;
    if (!numberArg(c, a[0], x, r) || !numberArg(c, a[1], s, r)) return;
    if (x == 0 || s == 0) return r.setNumber(0.0);
    if (x > 0 && s < 0) return r.setError(ErrorCode::Num);
    const double q = roundHalfAway(x / s, 9);
    setNumberChecked(r, std::ceil(q) * s);
}

void fnFloor(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, s = 0;
    if (!numberArg(c, a[0], x, r) || !numberArg(c, a[1], s, r)) return;
    if (x == 0) return r.setNumber(0.0);
    if (s == 0) return r.setError(ErrorCode::Div0);
    if (x > 0 && s < 0) return r.setError(ErrorCode::Num);
    const double q = roundHalfAway(x / s, 9);
    setNumberChecked(r, std::floor(q) * s);
}

void fnLog(EvalContext& c, Value* a, int n, Value& r) {
    double x = 0, base = 10;
    if (!numberArg(c, a[0], x, r)) return;
    if (isGiven(a, n, 1) && !numberArg(c, a[1], base, r)) return;
    if (x <= 0 || base <= 0) return r.setError(ErrorCode::Num);
    if (base == 1) return r.setError(ErrorCode::Div0);
    setNumberChecked(r, std::log(x) / std::log(base));
}

void fnMod(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, d = 0;
    if (!numberArg(c, a[0], x, r) || !numberArg(c, a[1], d, r)) return;
    if (d == 0) return r.setError(ErrorCode::Div0);
    const double m = x - d * std::floor(x / d);
    setNumberChecked(r, std::fabs(m) < std::fabs(d) ? m : 0.0);
}

void power(double base, double exponent, Value& r) {
    if (base == 0 && exponent == 0) return r.setError(ErrorCode::Num);
    if (base == 0 && exponent < 0) return r.setError(ErrorCode::Div0);
    setNumberChecked(r, std::pow(base, exponent));
}

void fnPower(EvalContext& c, Value* a, int, Value& r) {
    double x = 0, y = 0;
    if (numberArg(c, a[0], x, r) && numberArg(c, a[1], y, r)) power(x, y, r);
}

void fnPi(EvalContext&, Value*, int, Value& r) { r.setNumber(std::numbers::pi); }
void fnTrue(EvalContext&, Value*, int, Value& r) { r.setBool(true); }
void fnFalse(EvalContext&, Value*, int, Value& r) { r.setBool(false); }

template <double (*Round)(double, int)> void rounding(EvalContext& c, Value* a, int n, Value& r) {
    double x = 0, digits = 0;
    if (!numberArg(c, a[0], x, r)) return;
    if (isGiven(a, n, 1) && !numberArg(c, a[1], digits, r)) return;
    const int d = static_cast<int>(std::clamp(std::trunc(digits), -400.0, 400.0));
    setNumberChecked(r, Round(x, d));
}

// --- aggregates ---------------------------------------------------------------------------------

// Walks the numbers of the arguments as SUM and its kin see them: cells of references count with
// their numbers only; values written as arguments count when they read as numbers (a text that does
// not gives #VALUE!). An error anywhere is the result. Answers false when the result is that error.
bool forEachNumber(EvalContext& c, Value* args, int n, Value& r, const std::function<void(double)>& add,
                   CellValues cells) {
    for (int i = 0; i < n; ++i) {
        Value& arg = args[i];
        if (arg.isReference()) {
            const bool single = arg.kind == ValueKind::Ref;
            const int c1 = arg.col, r1 = arg.row, c2 = single ? arg.col : arg.col2, r2 = single ? arg.row : arg.row2;
            ErrorCode error = ErrorCode::None;
            c.forEachValue(c1, r1, c2, r2, [&](const Value& v) {
                if (v.kind == ValueKind::Number) add(v.number);
                else if (cells == CellValues::All && v.kind == ValueKind::Bool) add(v.number);
                else if (cells == CellValues::All && v.kind == ValueKind::Text) add(0.0);
                else if (v.kind == ValueKind::Error) {
                    error = v.error;
                    return false;
                }
                return true;
            });
            if (error != ErrorCode::None) {
                r.setError(error);
                return false;
            }
        } else if (arg.kind == ValueKind::Missing) {
            continue;
        } else {
            double x = 0.0;
            ErrorCode error = ErrorCode::None;
            if (!toNumber(arg, x, error)) {
                r.setError(error);
                return false;
            }
            add(x);
        }
    }
    return true;
}

void fnSum(EvalContext& c, Value* a, int n, Value& r) {
    double sum = 0.0;
    if (forEachNumber(c, a, n, r, [&](double x) { sum += x; })) setNumberChecked(r, sum);
}
void fnProduct(EvalContext& c, Value* a, int n, Value& r) {
    double product = 1.0;
    int count = 0;
    if (forEachNumber(c, a, n, r, [&](double x) {
            product *= x;
            ++count;
        }))
        setNumberChecked(r, count ? product : 0.0);
}
void fnMax(EvalContext& c, Value* a, int n, Value& r) {
    double best = -INFINITY;
    int count = 0;
    if (forEachNumber(c, a, n, r, [&](double x) {
            best = std::max(best, x);
            ++count;
        }))
        r.setNumber(count ? best : 0.0);
}
void fnMin(EvalContext& c, Value* a, int n, Value& r) {
    double best = INFINITY;
    int count = 0;
    if (forEachNumber(c, a, n, r, [&](double x) {
            best = std::min(best, x);
            ++count;
        }))
        r.setNumber(count ? best : 0.0);
}
void fnAverage(EvalContext& c, Value* a, int n, Value& r) {
    double sum = 0.0;
    int count = 0;
    if (!forEachNumber(c, a, n, r, [&](double x) {
            sum += x;
            ++count;
        }))
        return;
    if (count == 0) return r.setError(ErrorCode::Div0);
    setNumberChecked(r, sum / count);
}

void fnCount(EvalContext& c, Value* a, int n, Value& r) {
    double count = 0;
    for (int i = 0; i < n; ++i) {
        Value& arg = a[i];
        if (arg.isReference()) {
            const bool single = arg.kind == ValueKind::Ref;
            c.forEachValue(arg.col, arg.row, single ? arg.col : arg.col2, single ? arg.row : arg.row2, [&](const Value& v) {
                if (v.kind == ValueKind::Number) ++count;
                return true;
            });
        } else {
            double x = 0;
            ErrorCode error = ErrorCode::None;
            if (arg.kind != ValueKind::Missing && arg.kind != ValueKind::Empty && toNumber(arg, x, error)) ++count;
        }
    }
    r.setNumber(count);
}

void fnCountA(EvalContext& c, Value* a, int n, Value& r) {
    double count = 0;
    for (int i = 0; i < n; ++i) {
        Value& arg = a[i];
        if (arg.isReference()) {
            const bool single = arg.kind == ValueKind::Ref;
            c.forEachValue(arg.col, arg.row, single ? arg.col : arg.col2, single ? arg.row : arg.row2, [&](const Value&) {
                ++count;
                return true;
            });
        } else if (arg.kind != ValueKind::Missing) {
            ++count;
        }
    }
    r.setNumber(count);
}

// --- logical ------------------------------------------------------------------------------------

enum class Combine { And, Or, Xor };

template <Combine How> void logical(EvalContext& c, Value* a, int n, Value& r) {
    bool result = How == Combine::And;
    int seen = 0;
    auto combine = [&](bool b) {
        ++seen;
        if (How == Combine::And) result = result && b;
        else if (How == Combine::Or) result = result || b;
        else result = result != b;
    };
    for (int i = 0; i < n; ++i) {
        Value& arg = a[i];
        if (arg.isReference()) {
            const bool single = arg.kind == ValueKind::Ref;
            ErrorCode error = ErrorCode::None;
            c.forEachValue(arg.col, arg.row, single ? arg.col : arg.col2, single ? arg.row : arg.row2, [&](const Value& v) {
                if (v.kind == ValueKind::Number || v.kind == ValueKind::Bool) {
                    combine(v.number != 0.0);
                } else if (v.kind == ValueKind::Error) {
                    error = v.error;
                    return false;
                }
                return true;
            });
            if (error != ErrorCode::None) return r.setError(error);
        } else if (arg.kind != ValueKind::Missing) {
            bool b = false;
            ErrorCode error = ErrorCode::None;
            if (!toBool(arg, b, error)) return r.setError(error);
            combine(b);
        }
    }
    if (seen == 0) return r.setError(ErrorCode::Value);
    r.setBool(result);
}

void fnNot(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    bool b = false;
    ErrorCode error = ErrorCode::None;
    if (!toBool(a[0], b, error)) return r.setError(error);
    r.setBool(!b);
}

void fnIsBlank(EvalContext& c, Value* a, int, Value& r) {
    if (a[0].kind != ValueKind::Ref && a[0].kind != ValueKind::Range) return r.setBool(false);
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Empty);
}
void fnIsError(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Error);
}
void fnIsNumber(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Number);
}
void fnIsText(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    r.setBool(a[0].kind == ValueKind::Text);
}

// --- text ---------------------------------------------------------------------------------------

void fnConcatenate(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String result;
    for (int i = 0; i < n; ++i) {
        Zrk_String part;
        if (!textArg(c, a[i], part, r)) return;
        result += part;
        if (result.size() > static_cast<std::size_t>(kMaxTextLength)) return r.setError(ErrorCode::Value);
    }
    r.setText(std::move(result));
}

void fnFind(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String needle, haystack;
    if (!textArg(c, a[0], needle, r) || !textArg(c, a[1], haystack, r)) return;
    long long start = 1;
    if (isGiven(a, n, 2) && !intArg(c, a[2], start, r)) return;
    if (start < 1 || start > static_cast<long long>(haystack.size()) + 1) return r.setError(ErrorCode::Value);
    const std::size_t found = haystack.find(needle, static_cast<std::size_t>(start - 1));
    if (found == Zrk_String::npos) return r.setError(ErrorCode::Value);
    r.setNumber(static_cast<double>(found + 1));
}

void fnLeft(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String text;
    long long count = 1;
    if (!textArg(c, a[0], text, r)) return;
    if (isGiven(a, n, 1) && !intArg(c, a[1], count, r)) return;
    if (count < 0) return r.setError(ErrorCode::Value);
    r.setText(text.substr(0, static_cast<std::size_t>(std::min<long long>(count, static_cast<long long>(text.size())))));
}

void fnRight(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String text;
    long long count = 1;
    if (!textArg(c, a[0], text, r)) return;
    if (isGiven(a, n, 1) && !intArg(c, a[1], count, r)) return;
    if (count < 0) return r.setError(ErrorCode::Value);
    const std::size_t keep = static_cast<std::size_t>(std::min<long long>(count, static_cast<long long>(text.size())));
    r.setText(text.substr(text.size() - keep));
}

void fnMid(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    long long start = 0, count = 0;
    if (!textArg(c, a[0], text, r) || !intArg(c, a[1], start, r) || !intArg(c, a[2], count, r)) return;
    if (start < 1 || count < 0) return r.setError(ErrorCode::Value);
    if (start > static_cast<long long>(text.size())) return r.setText("");
    r.setText(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

void fnLen(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    if (textArg(c, a[0], text, r)) r.setNumber(static_cast<double>(text.size()));
}
void fnLower(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    if (textArg(c, a[0], text, r)) r.setText(toLower(text));
}
void fnUpper(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    if (textArg(c, a[0], text, r)) r.setText(toUpper(text));
}

void fnRept(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    long long count = 0;
    if (!textArg(c, a[0], text, r) || !intArg(c, a[1], count, r)) return;
    if (count < 0) return r.setError(ErrorCode::Value);
    if (text.empty() || count == 0) return r.setText("");
    if (static_cast<double>(text.size()) * static_cast<double>(count) > kMaxTextLength) return r.setError(ErrorCode::Value);
    Zrk_String result;
    result.reserve(text.size() * static_cast<std::size_t>(count));
    for (long long i = 0; i < count; ++i) result += text;
    r.setText(std::move(result));
}

void fnSubstitute(EvalContext& c, Value* a, int n, Value& r) {
    Zrk_String text, from, to;
    if (!textArg(c, a[0], text, r) || !textArg(c, a[1], from, r) || !textArg(c, a[2], to, r)) return;
    long long instance = 0;
    if (isGiven(a, n, 3)) {
        if (!intArg(c, a[3], instance, r)) return;
        if (instance < 1) return r.setError(ErrorCode::Value);
    }
    if (from.empty()) return r.setText(text);
    Zrk_String result;
    std::size_t position = 0;
    long long seen = 0;
    for (;;) {
        const std::size_t found = text.find(from, position);
        if (found == Zrk_String::npos) break;
        ++seen;
        result.append(text, position, found - position);
        result += (instance == 0 || seen == instance) ? to : from;
        position = found + from.size();
        if (result.size() > static_cast<std::size_t>(kMaxTextLength)) return r.setError(ErrorCode::Value);
    }
    result.append(text, position, Zrk_String::npos);
    setText(r, std::move(result));
}

void fnText(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    Zrk_String format;
    if (!textArg(c, a[1], format, r)) return;
    if (a[0].kind == ValueKind::Error) return r.setError(a[0].error);
    double number = 0.0;
    if (a[0].kind == ValueKind::Text && !parseValueText(a[0].text, number)) return r.setText(a[0].text);
    ErrorCode error = ErrorCode::None;
    if (!toNumber(a[0], number, error)) return r.setError(error);
    Zrk_String text;
    if (!formatNumberText(number, format, text)) return r.setError(ErrorCode::Value);
    setText(r, std::move(text));
}

void fnTrim(EvalContext& c, Value* a, int, Value& r) {
    Zrk_String text;
    if (!textArg(c, a[0], text, r)) return;
    Zrk_String result;
    for (const char ch : text) {
        if (ch == ' ' && (result.empty() || result.back() == ' ')) continue;
        result += ch;
    }
    if (!result.empty() && result.back() == ' ') result.pop_back();
    r.setText(std::move(result));
}

void fnValue(EvalContext& c, Value* a, int, Value& r) {
    toScalar(c, a[0]);
    if (a[0].kind == ValueKind::Number) return r.setNumber(a[0].number);
    if (a[0].kind == ValueKind::Empty) return r.setNumber(0.0);
    if (a[0].kind == ValueKind::Error) return r.setError(a[0].error);
    if (a[0].kind == ValueKind::Bool) return r.setError(ErrorCode::Value);
    double number = 0.0;
    if (!parseValueText(a[0].text, number)) return r.setError(ErrorCode::Value);
    r.setNumber(number);
}

// --- lookup -------------------------------------------------------------------------------------

void fnChoose(EvalContext& c, Value* a, int n, Value& r) {
    long long index = 0;
    if (!intArg(c, a[0], index, r)) return;
    if (index < 1 || index >= n) return r.setError(ErrorCode::Value);
    r = a[index];
    if (r.kind == ValueKind::Missing) r.setNumber(0.0);
}

// A block given as a reference: its corners. False for anything else.
bool blockOf(const Value& v, int& c1, int& r1, int& c2, int& r2) {
    if (v.kind == ValueKind::Ref) {
        c1 = c2 = v.col;
        r1 = r2 = v.row;
        return true;
    }
    if (v.kind == ValueKind::Range) {
        c1 = v.col;
        r1 = v.row;
        c2 = v.col2;
        r2 = v.row2;
        return true;
    }
    return false;
}

void fnIndex(EvalContext& c, Value* a, int n, Value& r) {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (a[0].kind == ValueKind::Error) return r.setError(a[0].error);
    if (!blockOf(a[0], c1, r1, c2, r2)) return r.setError(ErrorCode::Value);
    long long row = 0, col = 0;
    if (isGiven(a, n, 1) && !intArg(c, a[1], row, r)) return;
    if (isGiven(a, n, 2) && !intArg(c, a[2], col, r)) return;
    const long long rows = r2 - r1 + 1, cols = c2 - c1 + 1;
    // In a single row or column, one index counts along it.
    if (!isGiven(a, n, 2) && rows == 1 && cols > 1) {
        col = row;
        row = 1;
    }
    if (row < 0 || col < 0 || row > rows || col > cols) return r.setError(ErrorCode::Ref);
    if (row == 0 && col == 0) return r = a[0], void();
    if (row == 0) {
        r.kind = ValueKind::Range;
        r.col = r.col2 = static_cast<int>(c1 + col - 1);
        r.row = r1;
        r.row2 = r2;
        return;
    }
    if (col == 0) {
        if (cols > 1) {
            r.kind = ValueKind::Range;
            r.col = c1;
            r.col2 = c2;
            r.row = r.row2 = static_cast<int>(r1 + row - 1);
            return;
        }
        col = 1;
    }
    r.kind = ValueKind::Ref;
    r.col = static_cast<int>(c1 + col - 1);
    r.row = static_cast<int>(r1 + row - 1);
}

// Position (0-based) of the value in the cells at (c0 + i*dc, r0 + i*dr), i < count; -1 if none.
// type 0: exact (texts with wildcards); 1: largest not above (ascending data); -1: smallest not below
// (descending data). The approximate searches stop at the first cell that is out of order, as a
// search of sorted data would.
long long lookup(EvalContext& c, const Value& wanted, int c0, int r0, int dc, int dr, long long count, int type) {
    long long best = -1;
    Value cell;
    const bool wild = type == 0 && wanted.kind == ValueKind::Text &&
                      wanted.text.find_first_of("*?~") != Zrk_String::npos;
    for (long long i = 0; i < count; ++i) {
        c.cellValue(static_cast<int>(c0 + i * dc), static_cast<int>(r0 + i * dr), cell);
        if (type == 0) {
            if (cell.kind == ValueKind::Empty) continue;
            if (wild) {
                if (cell.kind == ValueKind::Text && wildcardMatch(wanted.text, cell.text)) return i;
            } else if (cell.kind == wanted.kind && compareValues(cell, wanted) == 0) {
                return i;
            }
            continue;
        }
        if (cell.kind != wanted.kind) continue; // other kinds are skipped
        const int order = compareValues(cell, wanted);
        if (type > 0) {
            if (order > 0) break;
            best = i;
        } else {
            if (order < 0) break;
            best = i;
        }
    }
    return best;
}


void fnMatch(EvalContext& c, Value* a, int n, Value& r) {
    toScalar(c, a[0]);
    if (a[0].kind == ValueKind::Error) return r.setError(a[0].error);
    if (a[0].kind == ValueKind::Text && a[0].text.size() > kMaxLookupText) return r.setError(ErrorCode::Value);
    if (a[0].kind == ValueKind::Empty) return r.setError(ErrorCode::NA);
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (a[1].kind == ValueKind::Error) return r.setError(a[1].error);
    if (!blockOf(a[1], c1, r1, c2, r2)) return r.setError(ErrorCode::NA);
    if (c1 != c2 && r1 != r2) return r.setError(ErrorCode::NA);
    double type = 1;
    if (isGiven(a, n, 2) && !numberArg(c, a[2], type, r)) return;
    const int t = type > 0 ? 1 : (type < 0 ? -1 : 0);
    const bool vertical = c1 == c2;
    const long long count = vertical ? r2 - r1 + 1 : c2 - c1 + 1;
    const long long found = lookup(c, a[0], c1, r1, vertical ? 0 : 1, vertical ? 1 : 0, count, t);
    if (found < 0) return r.setError(ErrorCode::NA);
    r.setNumber(static_cast<double>(found + 1));
}

template <bool Vertical> void tableLookup(EvalContext& c, Value* a, int n, Value& r) {
    toScalar(c, a[0]);
    if (a[0].kind == ValueKind::Error) return r.setError(a[0].error);
    if (a[0].kind == ValueKind::Text && a[0].text.size() > kMaxLookupText) return r.setError(ErrorCode::Value);
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (a[1].kind == ValueKind::Error) return r.setError(a[1].error);
    if (!blockOf(a[1], c1, r1, c2, r2)) return r.setError(ErrorCode::Value);
    long long index = 0;
    if (!intArg(c, a[2], index, r)) return;
    bool approximate = true;
    if (isGiven(a, n, 3)) {
        toScalar(c, a[3]);
        ErrorCode error = ErrorCode::None;
        if (!toBool(a[3], approximate, error)) return r.setError(error);
    }
    if (index < 1) return r.setError(ErrorCode::Value);
    if (index > (Vertical ? c2 - c1 + 1 : r2 - r1 + 1)) return r.setError(ErrorCode::Ref);
    if (a[0].kind == ValueKind::Empty) return r.setError(ErrorCode::NA);
    const long long count = Vertical ? r2 - r1 + 1 : c2 - c1 + 1;
    const long long found = lookup(c, a[0], c1, r1, Vertical ? 0 : 1, Vertical ? 1 : 0, count, approximate ? 1 : 0);
    if (found < 0) return r.setError(ErrorCode::NA);
    if (Vertical) c.cellValue(static_cast<int>(c1 + index - 1), static_cast<int>(r1 + found), r);
    else c.cellValue(static_cast<int>(c1 + found), static_cast<int>(r1 + index - 1), r);
    if (r.kind == ValueKind::Empty) r.setNumber(0.0);
}

struct Builtin {
    const char* name;
    int minArgs;
    int maxArgs;
    Impl impl;
};

// Ids are positions in this table; IF, IFERROR and IFNA, which the evaluator runs itself, stay first
// (kFunctionIf, kFunctionIfError, kFunctionIfNa).
const Builtin kBuiltins[] = {
    {"IF", 2, 3, nullptr},
    {"IFERROR", 2, 2, nullptr},
    {"IFNA", 2, 2, nullptr},
    {"ABS", 1, 1, unaryMath<fnAbs>},
    {"ACOS", 1, 1, unaryMath<fnAcos>},
    {"ACOSH", 1, 1, fnAcosh},
    {"ADDRESS", 2, 5, fnAddress},
    {"AND", 1, kMaxFunctionArguments, logical<Combine::And>},
    {"ASIN", 1, 1, unaryMath<fnAsin>},
    {"ASINH", 1, 1, fnAsinh},
    {"ATAN", 1, 1, unaryMath<fnAtan>},
    {"ATAN2", 2, 2, fnAtan2},
    {"ATANH", 1, 1, fnAtanh},
    {"AVERAGE", 1, kMaxFunctionArguments, fnAverage},
    {"AVERAGEIF", 2, 3, fnAverageIf},
    {"CEILING", 2, 2, fnCeiling},
    {"CEILING.MATH", 1, 3, fnCeilingMath},
    {"CHAR", 1, 1, fnChar},
    {"CHOOSE", 2, kMaxFunctionArguments, fnChoose},
    {"CODE", 1, 1, fnCode},
    {"COLUMN", 0, 1, fnColumn},
    {"COLUMNS", 1, 1, fnColumns},
    {"CONCATENATE", 1, kMaxFunctionArguments, fnConcatenate},
    {"COS", 1, 1, unaryMath<fnCos>},
    {"COSH", 1, 1, fnCosh},
    {"COUNT", 1, kMaxFunctionArguments, fnCount},
    {"COUNTA", 1, kMaxFunctionArguments, fnCountA},
    {"COUNTBLANK", 1, 1, fnCountBlank},
    {"COUNTIF", 2, 2, fnCountIf},
    {"COUNTIFS", 2, kMaxFunctionArguments - 1, fnCountIfs},
    {"DATE", 3, 3, fnDate},
    {"DEGREES", 1, 1, unaryMath<fnDegrees>},
    {"EVEN", 1, 1, fnEven},
    {"EXACT", 2, 2, fnExact},
    {"EXP", 1, 1, unaryMath<fnExp>},
    {"FACT", 1, 1, fnFact},
    {"FALSE", 0, 0, fnFalse},
    {"FIND", 2, 3, fnFind},
    {"FLOOR", 2, 2, fnFloor},
    {"FLOOR.MATH", 1, 3, fnFloorMath},
    {"GCD", 1, kMaxFunctionArguments, fnGcd},
    {"HLOOKUP", 3, 4, tableLookup<false>},
    {"IFS", 2, kMaxFunctionArguments - 1, fnIfs},
    {"INDEX", 2, 3, fnIndex},
    {"INT", 1, 1, unaryMath<fnInt>},
    {"ISBLANK", 1, 1, fnIsBlank},
    {"ISERR", 1, 1, fnIsErr},
    {"ISERROR", 1, 1, fnIsError},
    {"ISLOGICAL", 1, 1, fnIsLogical},
    {"ISNA", 1, 1, fnIsNa},
    {"ISNUMBER", 1, 1, fnIsNumber},
    {"ISTEXT", 1, 1, fnIsText},
    {"LARGE", 2, 2, fnLarge},
    {"LCM", 1, kMaxFunctionArguments, fnLcm},
    {"LEFT", 1, 2, fnLeft},
    {"LEN", 1, 1, fnLen},
    {"LN", 1, 1, unaryMath<fnLn>},
    {"LOG", 1, 2, fnLog},
    {"LOG10", 1, 1, unaryMath<fnLog10>},
    {"LOWER", 1, 1, fnLower},
    {"MATCH", 2, 3, fnMatch},
    {"MAX", 1, kMaxFunctionArguments, fnMax},
    {"MAXA", 1, kMaxFunctionArguments, fnMaxA},
    {"MEDIAN", 1, kMaxFunctionArguments, fnMedian},
    {"MID", 3, 3, fnMid},
    {"MIN", 1, kMaxFunctionArguments, fnMin},
    {"MINA", 1, kMaxFunctionArguments, fnMinA},
    {"MOD", 2, 2, fnMod},
    {"MROUND", 2, 2, fnMround},
    {"N", 1, 1, fnN},
    {"NA", 0, 0, fnNa},
    {"NOT", 1, 1, fnNot},
    {"NOW", 0, 0, fnNow},
    {"ODD", 1, 1, fnOdd},
    {"OFFSET", 3, 5, fnOffset},
    {"OR", 1, kMaxFunctionArguments, logical<Combine::Or>},
    {"PI", 0, 0, fnPi},
    {"POWER", 2, 2, fnPower},
    {"PRODUCT", 1, kMaxFunctionArguments, fnProduct},
    {"QUOTIENT", 2, 2, fnQuotient},
    {"RADIANS", 1, 1, unaryMath<fnRadians>},
    {"REPLACE", 4, 4, fnReplace},
    {"REPT", 2, 2, fnRept},
    {"RIGHT", 1, 2, fnRight},
    {"ROUND", 2, 2, rounding<roundHalfAway>},
    {"ROUNDDOWN", 2, 2, rounding<roundTowardZero>},
    {"ROUNDUP", 2, 2, rounding<roundAwayFromZero>},
    {"ROW", 0, 1, fnRow},
    {"ROWS", 1, 1, fnRows},
    {"SEARCH", 2, 3, fnSearch},
    {"SIGN", 1, 1, unaryMath<fnSign>},
    {"SIN", 1, 1, unaryMath<fnSin>},
    {"SINH", 1, 1, fnSinh},
    {"SMALL", 2, 2, fnSmall},
    {"SQRT", 1, 1, unaryMath<fnSqrt>},
    {"STDEV", 1, kMaxFunctionArguments, fnStdev},
    {"SUBSTITUTE", 3, 4, fnSubstitute},
    {"SUM", 1, kMaxFunctionArguments, fnSum},
    {"SUMIF", 2, 3, fnSumIf},
    {"SUMIFS", 3, kMaxFunctionArguments, fnSumIfs},
    {"SUMPRODUCT", 1, kMaxFunctionArguments, fnSumProduct},
    {"SUMSQ", 1, kMaxFunctionArguments, fnSumSq},
    {"SWITCH", 3, kMaxFunctionArguments, fnSwitch},
    {"T", 1, 1, fnT},
    {"TAN", 1, 1, unaryMath<fnTan>},
    {"TANH", 1, 1, fnTanh},
    {"TEXT", 2, 2, fnText},
    {"TEXTJOIN", 3, kMaxFunctionArguments, fnTextJoin},
    {"TODAY", 0, 0, fnToday},
    {"TRIM", 1, 1, fnTrim},
    {"TRUE", 0, 0, fnTrue},
    {"TRUNC", 1, 2, rounding<roundTowardZero>},
    {"UPPER", 1, 1, fnUpper},
    {"VALUE", 1, 1, fnValue},
    {"VAR", 1, kMaxFunctionArguments, fnVar},
    {"VLOOKUP", 3, 4, tableLookup<true>},
    {"XLOOKUP", 3, 6, fnXLookup},
    {"XOR", 1, kMaxFunctionArguments, logical<Combine::Xor>},
};
constexpr int kBuiltinCount = static_cast<int>(sizeof kBuiltins / sizeof kBuiltins[0]);

} // namespace fn

using fn::kBuiltins;
using fn::kBuiltinCount;

void powerOf(double base, double exponent, Value& result) { fn::power(base, exponent, result); }

int findBuiltin(const Zrk_String& name) {
    static const std::unordered_map<Zrk_String, int> byName = [] {
        std::unordered_map<Zrk_String, int> map;
        for (int i = 0; i < kBuiltinCount; ++i) map.emplace(kBuiltins[i].name, i);
        return map;
    }();
    const auto it = byName.find(toUpper(name));
    return it == byName.end() ? -1 : it->second;
}

int builtinCount() { return kBuiltinCount; }

const char* builtinName(int id) { return id >= 0 && id < kBuiltinCount ? kBuiltins[id].name : ""; }

void builtinArguments(int id, int& minArgs, int& maxArgs) {
    if (id < 0 || id >= kBuiltinCount) {
        minArgs = maxArgs = -1;
        return;
    }
    minArgs = kBuiltins[id].minArgs;
    maxArgs = kBuiltins[id].maxArgs;
}

void callBuiltin(int id, EvalContext& context, Value* args, int argCount, Value& result) {
    if (id < 0 || id >= kBuiltinCount || !kBuiltins[id].impl || argCount < kBuiltins[id].minArgs ||
        argCount > kBuiltins[id].maxArgs) {
        result.setError(ErrorCode::Value);
        return;
    }
    kBuiltins[id].impl(context, args, argCount, result);
}

bool isVolatileBuiltin(int id) {
    static const int offset = findBuiltin("OFFSET"), today = findBuiltin("TODAY"), now = findBuiltin("NOW");
    return id == offset || id == today || id == now;
}

} // namespace spreadlib
