#include "spreadlib/formula.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/text.h"
#include "spreadlib/constants.h"
#include "spreadlib/formula_lexer.h"
#include "spreadlib/functions.h"

namespace spreadlib {

namespace {

using lexer::isDigit;
using lexer::isLetter;
using lexer::isWordChar;
using lexer::upper;

bool tokenEqual(const Token& x, const Token& y) {
    return x.op == y.op && x.flags == y.flags && x.count == y.count && x.a == y.a && x.b == y.b && x.c == y.c &&
           x.d == y.d && (x.number == y.number || (std::isnan(x.number) && std::isnan(y.number)));
}

class Parser {
public:
    Parser(const Zrk_String& text, bool r1c1, int col, int row, FunctionResolver& resolver, Formula& formula)
        : text_(text), r1c1_(r1c1), col_(col), row_(row), resolver_(resolver), f_(formula) {}

    ParseResult run() {
        ParseResult result;
        if (text_.size() > static_cast<std::size_t>(kMaxFormulaLength)) {
            result.message = "The formula is longer than " + std::to_string(kMaxFormulaLength) + " characters";
            return result;
        }
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '=') ++pos_;
        skipBlanks();
        if (pos_ >= text_.size()) return fail("The formula is empty");
        if (!parseExpression()) return fail();
        skipBlanks();
        if (pos_ < text_.size()) {
            if (text_[pos_] == ')') return fail("Unexpected ')'");
            return fail("Unexpected text");
        }
        result.ok = true;
        return result;
    }

private:
    ParseResult fail(const char* what = nullptr) {
        if (what && message_.empty()) message_ = what;
        ParseResult result;
        result.message = message_ + " at position " + std::to_string(errorPos_ ? errorPos_ : pos_ + 1);
        return result;
    }
    bool error(const Zrk_String& what) {
        if (message_.empty()) {
            message_ = what;
            errorPos_ = pos_ + 1;
        }
        return false;
    }

    void skipBlanks() { lexer::skipBlanks(text_, pos_); }
    char peek() {
        skipBlanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    int emit(Op op) {
        Token token;
        token.op = op;
        f_.code.push_back(token);
        return static_cast<int>(f_.code.size()) - 1;
    }

    bool parseExpression() {
        if (++depth_ > kMaxFormulaNesting) return error("The formula is nested too deeply");
        const bool ok = parseComparison();
        --depth_;
        return ok;
    }

    bool parseComparison() {
        if (!parseConcat()) return false;
        for (;;) {
            const char c = peek();
            Op op;
            if (c == '=') {
                op = Op::Eq;
                ++pos_;
            } else if (c == '<') {
                ++pos_;
                if (pos_ < text_.size() && text_[pos_] == '>') {
                    op = Op::Ne;
                    ++pos_;
                } else if (pos_ < text_.size() && text_[pos_] == '=') {
                    op = Op::Le;
                    ++pos_;
                } else {
                    op = Op::Lt;
                }
            } else if (c == '>') {
                ++pos_;
                if (pos_ < text_.size() && text_[pos_] == '=') {
                    op = Op::Ge;
                    ++pos_;
                } else {
                    op = Op::Gt;
                }
            } else {
                return true;
            }
            if (!parseConcat()) return false;
            emit(op);
        }
    }

    bool parseConcat() {
        if (!parseAdditive()) return false;
        while (peek() == '&') {
            ++pos_;
            if (!parseAdditive()) return false;
            emit(Op::Concat);
        }
        return true;
    }

    bool parseAdditive() {
        if (!parseMultiplicative()) return false;
        for (;;) {
            const char c = peek();
            if (c != '+' && c != '-') return true;
            ++pos_;
            if (!parseMultiplicative()) return false;
            emit(c == '+' ? Op::Add : Op::Sub);
        }
    }

    bool parseMultiplicative() {
        if (!parsePower()) return false;
        for (;;) {
            const char c = peek();
            if (c != '*' && c != '/') return true;
            ++pos_;
            if (!parsePower()) return false;
            emit(c == '*' ? Op::Mul : Op::Div);
        }
    }

    bool parsePower() {
        if (!parseUnary()) return false;
        while (peek() == '^') {
            ++pos_;
            if (!parseUnary()) return false;
            emit(Op::Pow);
        }
        return true;
    }

    // Signs bind tighter than "^" (-2^2 is 4), as in every spreadsheet.
    bool parseUnary() {
        std::vector<Op> signs;
        for (;;) {
            const char c = peek();
            if (c != '-' && c != '+') break;
            if (signs.size() >= static_cast<std::size_t>(kMaxFormulaLength)) return error("Too many signs");
            signs.push_back(c == '-' ? Op::Neg : Op::Plus);
            ++pos_;
        }
        if (!parsePercent()) return false;
        for (auto it = signs.rbegin(); it != signs.rend(); ++it) emit(*it);
        return true;
    }

    bool parsePercent() {
        if (!parsePrimary()) return false;
        while (peek() == '%') {
            ++pos_;
            emit(Op::Percent);
        }
        return true;
    }

    bool parsePrimary() {
        const char c = peek();
        if (c == '\0') return error("Expected a value");
        if (c == '(') {
            ++pos_;
            if (!parseExpression()) return false;
            if (peek() != ')') return error("Expected ')'");
            ++pos_;
            emit(Op::Paren);
            return true;
        }
        if (c == '"') return parseString();
        if (c == '#') return parseErrorLiteral();
        if (isDigit(c) || c == '.') {
            if (!r1c1_ && isDigit(c) && tryWholeRows()) return true;
            return parseNumber();
        }
        if (c == '$' && !r1c1_ && tryWholeRows()) return true;
        if (isLetter(c) || c == '_' || c == '$') return parseName();
        return error(Zrk_String("Unexpected '") + c + "'");
    }

    bool parseString() {
        Zrk_String value;
        if (!lexer::scanString(text_, pos_, value)) {
            pos_ = text_.size();
            return error("Expected a closing '\"'");
        }
        if (value.size() > static_cast<std::size_t>(kMaxTextLength)) return error("The text is too long");
        const int index = emit(Op::String);
        f_.code[static_cast<std::size_t>(index)].a = static_cast<int>(f_.strings.size());
        f_.strings.push_back(std::move(value));
        return true;
    }

    bool parseErrorLiteral() {
        ErrorCode code = ErrorCode::None;
        if (!lexer::scanErrorValue(text_, pos_, code)) return error("Unknown error value");
        const int index = emit(Op::Error);
        f_.code[static_cast<std::size_t>(index)].a = static_cast<int>(code);
        return true;
    }

    bool parseNumber() {
        double value = 0.0;
        switch (lexer::scanNumber(text_, pos_, value)) {
        case lexer::NumberScan::NoNumber: return error("Expected a number");
        case lexer::NumberScan::OutOfRange: return error("The number is out of range");
        case lexer::NumberScan::Number: break;
        }
        const int index = emit(Op::Number);
        f_.code[static_cast<std::size_t>(index)].number = value;
        return true;
    }

    // "$"? digits ":" "$"? digits: whole rows (A1 style).
    bool tryWholeRows() {
        std::size_t p = pos_;
        int row1 = 0, row2 = 0;
        bool abs1 = false, abs2 = false;
        if (!lexer::scanRowNumber(text_, p, row1, abs1)) return false;
        while (p < text_.size() && text_[p] == ' ') ++p;
        if (p >= text_.size() || text_[p] != ':') return false;
        ++p;
        while (p < text_.size() && text_[p] == ' ') ++p;
        if (!lexer::scanRowNumber(text_, p, row2, abs2)) return false;
        if (p < text_.size() && (isWordChar(text_[p]) || text_[p] == '$' || text_[p] == '(')) return false;
        pos_ = p;
        emitRange(1, std::min(row1, row2), kMaxColumnCount, std::max(row1, row2),
                  (abs1 ? kRowAbs : 0) | (abs2 ? kRow2Abs : 0) | kColAbs | kCol2Abs | kWholeRows);
        return true;
    }
    void emitRef(int col, int row, std::uint8_t flags) {
        const int index = emit(Op::Ref);
        Token& token = f_.code[static_cast<std::size_t>(index)];
        token.a = col;
        token.b = row;
        token.flags = flags;
    }
    void emitRange(int col1, int row1, int col2, int row2, int flags) {
        const int index = emit(Op::Range);
        Token& token = f_.code[static_cast<std::size_t>(index)];
        token.a = col1;
        token.b = row1;
        token.c = col2;
        token.d = row2;
        token.flags = static_cast<std::uint8_t>(flags);
    }
    // Corners in any order make the same block; the flags follow their corners.
    void emitBlock(int col1, int row1, std::uint8_t f1, int col2, int row2, std::uint8_t f2, int extra) {
        int flags = extra;
        if (col1 > col2) {
            std::swap(col1, col2);
            const bool a1 = f1 & kColAbs, a2 = f2 & kColAbs;
            f1 = static_cast<std::uint8_t>((f1 & ~kColAbs) | (a2 ? kColAbs : 0));
            f2 = static_cast<std::uint8_t>((f2 & ~kColAbs) | (a1 ? kColAbs : 0));
        }
        if (row1 > row2) {
            std::swap(row1, row2);
            const bool a1 = f1 & kRowAbs, a2 = f2 & kRowAbs;
            f1 = static_cast<std::uint8_t>((f1 & ~kRowAbs) | (a2 ? kRowAbs : 0));
            f2 = static_cast<std::uint8_t>((f2 & ~kRowAbs) | (a1 ? kRowAbs : 0));
        }
        flags |= (f1 & kColAbs ? kColAbs : 0) | (f1 & kRowAbs ? kRowAbs : 0) | (f2 & kColAbs ? kCol2Abs : 0) |
                 (f2 & kRowAbs ? kRow2Abs : 0);
        emitRange(col1, row1, col2, row2, flags);
    }

    bool parseName() {
        const std::size_t start = pos_;
        // References first: they may hold "$", "[" and "]", which names do not.
        if (r1c1_) {
            std::size_t p = pos_;
            int col = 0, row = 0, kind = 0;
            std::uint8_t flags = 0;
            if (lexer::scanR1C1(text_, p, col_, row_, col, row, flags, kind)) {
                pos_ = p;
                std::size_t q = pos_;
                while (q < text_.size() && text_[q] == ' ') ++q;
                if (q < text_.size() && text_[q] == ':') {
                    std::size_t r = q + 1;
                    while (r < text_.size() && text_[r] == ' ') ++r;
                    int col2 = 0, row2 = 0, kind2 = 0;
                    std::uint8_t flags2 = 0;
                    if (lexer::scanR1C1(text_, r, col_, row_, col2, row2, flags2, kind2) && kind2 == kind) {
                        pos_ = r;
                        if (kind == 0) emitBlock(col, row, flags, col2, row2, flags2, 0);
                        else if (kind == 1)
                            emitBlock(1, row, flags | kColAbs, kMaxColumnCount, row2, flags2 | kColAbs, kWholeRows);
                        else
                            emitBlock(col, 1, flags | kRowAbs, col2, kMaxRowCount, flags2 | kRowAbs, kWholeColumns);
                        return true;
                    }
                    if (kind != 0) return error("Expected the end of the range");
                }
                if (kind == 0) {
                    emitRef(col, row, flags);
                    return true;
                }
                if (kind == 1) emitBlock(1, row, flags | kColAbs, kMaxColumnCount, row, flags | kColAbs, kWholeRows);
                else emitBlock(col, 1, flags | kRowAbs, col, kMaxRowCount, flags | kRowAbs, kWholeColumns);
                return true;
            }
        } else {
            std::size_t p = pos_;
            int col = 0, row = 0;
            std::uint8_t flags = 0;
            bool columnOnly = false;
            if (lexer::scanA1Cell(text_, p, col, row, flags, true, columnOnly)) {
                std::size_t q = p;
                while (q < text_.size() && text_[q] == ' ') ++q;
                if (q < text_.size() && text_[q] == ':') {
                    std::size_t r = q + 1;
                    while (r < text_.size() && text_[r] == ' ') ++r;
                    int col2 = 0, row2 = 0;
                    std::uint8_t flags2 = 0;
                    bool columnOnly2 = false;
                    if (lexer::scanA1Cell(text_, r, col2, row2, flags2, columnOnly, columnOnly2) && columnOnly2 == columnOnly) {
                        pos_ = r;
                        if (columnOnly)
                            emitBlock(col, 1, flags | kRowAbs, col2, kMaxRowCount, flags2 | kRowAbs, kWholeColumns);
                        else
                            emitBlock(col, row, flags, col2, row2, flags2, 0);
                        return true;
                    }
                }
                if (!columnOnly) {
                    pos_ = p;
                    emitRef(col, row, flags);
                    return true;
                }
            }
        }
        // A name: a function when "(" follows, else TRUE or FALSE.
        if (text_[pos_] == '$') return error("Expected a reference");
        while (pos_ < text_.size() && isWordChar(text_[pos_])) ++pos_;
        const Zrk_String name = text_.substr(start, pos_ - start);
        if (peek() == '(') {
            ++pos_;
            return parseCall(name, start);
        }
        if (isEqual(name, "TRUE", true) || isEqual(name, "FALSE", true)) {
            const int index = emit(Op::Bool);
            f_.code[static_cast<std::size_t>(index)].number = isEqual(name, "TRUE", true) ? 1.0 : 0.0;
            return true;
        }
        pos_ = start;
        return error("Unknown name '" + name + "'");
    }

    bool parseArgument() {
        const char c = peek();
        if (c == ',' || c == ')') {
            emit(Op::Missing);
            return true;
        }
        return parseExpression();
    }

    bool parseCall(const Zrk_String& name, std::size_t start) {
        if (name.size() > 64) return error("The function name is too long");
        const int id = resolver_.functionId(name);
        if (id < 0) {
            pos_ = start;
            return error("Unknown function '" + name + "'");
        }
        if (++depth_ > kMaxFormulaNesting) return error("The formula is nested too deeply");
        int count = 0;
        bool ok = true;
        if (id == kFunctionIf) ok = parseIf(count);
        else if (id == kFunctionIfError || id == kFunctionIfNa) ok = parseIfError(count, id == kFunctionIfNa);
        else ok = parseArguments(count);
        --depth_;
        if (!ok) return false;
        int minArgs = -1, maxArgs = -1;
        resolver_.argumentRange(id, minArgs, maxArgs);
        if ((minArgs >= 0 && count < minArgs) || (maxArgs >= 0 && count > maxArgs)) {
            pos_ = start;
            return error("Wrong number of arguments for " + toUpper(name));
        }
        const int index = emit(Op::Call);
        Token& token = f_.code[static_cast<std::size_t>(index)];
        token.a = id;
        token.count = static_cast<std::uint16_t>(count);
        return true;
    }

    bool parseArguments(int& count) {
        count = 0;
        if (peek() == ')') {
            ++pos_;
            return true;
        }
        for (;;) {
            if (count >= kMaxFunctionArguments) return error("Too many arguments");
            if (!parseArgument()) return false;
            ++count;
            const char c = peek();
            if (c == ',') {
                ++pos_;
                continue;
            }
            if (c == ')') {
                ++pos_;
                return true;
            }
            return error("Expected ',' or ')'");
        }
    }

    bool expect(char c) {
        if (peek() != c) return error(Zrk_String("Expected '") + c + "'");
        ++pos_;
        return true;
    }

    // IF(condition, then[, else]) runs only the branch it takes.
    bool parseIf(int& count) {
        if (peek() == ')') return error("IF needs a condition and a value");
        if (!parseArgument()) return false;
        const int test = emit(Op::IfFalseJump);
        if (!expect(',')) return false;
        if (!parseArgument()) return false;
        const int jump = emit(Op::Jump);
        f_.code[static_cast<std::size_t>(test)].a = static_cast<int>(f_.code.size());
        count = 2;
        if (peek() == ',') {
            ++pos_;
            if (!parseArgument()) return false;
            count = 3;
        } else {
            const int index = emit(Op::Bool);
            f_.code[static_cast<std::size_t>(index)].flags = kSynthetic;
        }
        if (!expect(')')) return false;
        // Both jumps land on the IF call itself; an error condition skips past it.
        f_.code[static_cast<std::size_t>(jump)].a = static_cast<int>(f_.code.size());
        f_.code[static_cast<std::size_t>(test)].b = static_cast<int>(f_.code.size());
        return true;
    }

    // IFERROR(value, alternative) runs the alternative only for an error, IFNA only for #N/A.
    bool parseIfError(int& count, bool onlyNa) {
        if (!parseArgument()) return false;
        const int test = emit(Op::IfErrorJump);
        f_.code[static_cast<std::size_t>(test)].b = onlyNa ? 1 : 0;
        if (!expect(',')) return false;
        if (!parseArgument()) return false;
        if (!expect(')')) return false;
        f_.code[static_cast<std::size_t>(test)].a = static_cast<int>(f_.code.size()) + 1; // past the call
        count = 2;
        return true;
    }

    const Zrk_String& text_;
    bool r1c1_;
    int col_, row_;
    FunctionResolver& resolver_;
    Formula& f_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    Zrk_String message_;
    std::size_t errorPos_ = 0;
};

Zrk_String numberLiteral(double value) {
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    Zrk_String text(buffer, ec == std::errc() ? ptr : buffer);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

Zrk_String a1Cell(int col, int row, bool colAbs, bool rowAbs) {
    return (colAbs ? "$" : "") + columnName(col) + (rowAbs ? "$" : "") + std::to_string(row);
}

Zrk_String r1c1Part(char letter, int value, int base, bool absolute) {
    Zrk_String text(1, letter);
    if (absolute) return text + std::to_string(value);
    if (value == base) return text;
    return text + "[" + std::to_string(value - base) + "]";
}

Zrk_String printReference(const Token& t, bool r1c1, int col, int row) {
    const bool colAbs = t.flags & kColAbs, rowAbs = t.flags & kRowAbs;
    if (t.op == Op::Ref) {
        if (r1c1) return r1c1Part('R', t.b, row, rowAbs) + r1c1Part('C', t.a, col, colAbs);
        return a1Cell(t.a, t.b, colAbs, rowAbs);
    }
    const bool col2Abs = t.flags & kCol2Abs, row2Abs = t.flags & kRow2Abs;
    if (t.flags & kWholeColumns) {
        if (r1c1) return r1c1Part('C', t.a, col, colAbs) + ":" + r1c1Part('C', t.c, col, col2Abs);
        return (colAbs ? "$" : "") + columnName(t.a) + ":" + (col2Abs ? "$" : "") + columnName(t.c);
    }
    if (t.flags & kWholeRows) {
        if (r1c1) return r1c1Part('R', t.b, row, rowAbs) + ":" + r1c1Part('R', t.d, row, row2Abs);
        return (rowAbs ? "$" : "") + std::to_string(t.b) + ":" + (row2Abs ? "$" : "") + std::to_string(t.d);
    }
    if (r1c1)
        return r1c1Part('R', t.b, row, rowAbs) + r1c1Part('C', t.a, col, colAbs) + ":" + r1c1Part('R', t.d, row, row2Abs) +
               r1c1Part('C', t.c, col, col2Abs);
    return a1Cell(t.a, t.b, colAbs, rowAbs) + ":" + a1Cell(t.c, t.d, col2Abs, row2Abs);
}

void makeRefError(Token& token) {
    token.op = Op::Error;
    token.a = static_cast<int>(ErrorCode::Ref);
    token.b = token.c = token.d = 0;
    token.flags = 0;
}

} // namespace

bool Formula::operator==(const Formula& other) const {
    if (strings != other.strings || code.size() != other.code.size()) return false;
    for (std::size_t i = 0; i < code.size(); ++i)
        if (!tokenEqual(code[i], other.code[i])) return false;
    return true;
}

ParseResult parseFormula(const Zrk_String& text, bool r1c1, int col, int row, FunctionResolver& resolver,
                         Formula& formula) {
    Formula parsed;
    Parser parser(text, r1c1, col, row, resolver, parsed);
    ParseResult result = parser.run();
    if (result.ok) formula = std::move(parsed);
    return result;
}

Zrk_String printFormula(const Formula& formula, bool r1c1, int col, int row, const FunctionResolver& resolver) {
    std::vector<Zrk_String> stack;
    auto pop = [&stack]() {
        if (stack.empty()) return Zrk_String();
        Zrk_String top = std::move(stack.back());
        stack.pop_back();
        return top;
    };
    for (const Token& t : formula.code) {
        if (t.flags & kSynthetic) continue;
        switch (t.op) {
        case Op::Number: stack.push_back(numberLiteral(t.number)); break;
        case Op::String: {
            Zrk_String quoted = "\"";
            if (t.a >= 0 && static_cast<std::size_t>(t.a) < formula.strings.size())
                for (const char c : formula.strings[static_cast<std::size_t>(t.a)]) {
                    quoted += c;
                    if (c == '"') quoted += '"';
                }
            stack.push_back(quoted + "\"");
            break;
        }
        case Op::Bool: stack.push_back(t.number != 0.0 ? "TRUE" : "FALSE"); break;
        case Op::Error: stack.push_back(errorText(static_cast<ErrorCode>(t.a))); break;
        case Op::Missing: stack.emplace_back(); break;
        case Op::Ref:
        case Op::Range: stack.push_back(printReference(t, r1c1, col, row)); break;
        case Op::Neg: stack.push_back("-" + pop()); break;
        case Op::Plus: stack.push_back("+" + pop()); break;
        case Op::Percent: stack.push_back(pop() + "%"); break;
        case Op::Paren: stack.push_back("(" + pop() + ")"); break;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow:
        case Op::Concat:
        case Op::Eq:
        case Op::Ne:
        case Op::Lt:
        case Op::Le:
        case Op::Gt:
        case Op::Ge: {
            static const char* const symbols[] = {"+", "-", "*", "/", "^", "&", "=", "<>", "<", "<=", ">", ">="};
            const Zrk_String right = pop();
            const Zrk_String left = pop();
            stack.push_back(left + symbols[static_cast<int>(t.op) - static_cast<int>(Op::Add)] + right);
            break;
        }
        case Op::Call: {
            const std::size_t n = std::min<std::size_t>(t.count, stack.size());
            Zrk_String call = resolver.functionName(t.a) + "(";
            for (std::size_t i = stack.size() - n; i < stack.size(); ++i) {
                if (i > stack.size() - n) call += ",";
                call += stack[i];
            }
            stack.resize(stack.size() - n);
            stack.push_back(call + ")");
            break;
        }
        case Op::IfFalseJump:
        case Op::Jump:
        case Op::IfErrorJump: break;
        }
    }
    return stack.empty() ? Zrk_String() : stack.back();
}

Zrk_String columnName(int col) { return getAlfabet(col); }

int columnFromName(const Zrk_String& letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    int value = 0;
    for (const char c : letters) {
        if (!isLetter(c)) return 0;
        value = value * 26 + (upper(c) - 'A' + 1);
    }
    return value <= kMaxColumnCount ? value : 0;
}

bool adjustForInsert(Formula& formula, bool columns, int at, int count) {
    bool changed = false;
    const int maximum = columns ? kMaxColumnCount : kMaxRowCount;
    for (Token& t : formula.code) {
        if (t.op == Op::Ref) {
            int& v = columns ? t.a : t.b;
            if (v >= at) {
                v += count;
                if (v > maximum) makeRefError(t);
                changed = true;
            }
        } else if (t.op == Op::Range) {
            if (columns ? (t.flags & kWholeRows) : (t.flags & kWholeColumns)) continue;
            int& v1 = columns ? t.a : t.b;
            int& v2 = columns ? t.c : t.d;
            if (v2 < at) continue;
            changed = true;
            if (v1 >= at) v1 += count;
            v2 = std::min(v2 + count, maximum);
            if (v1 > maximum) makeRefError(t);
        }
    }
    return changed;
}

bool adjustForDelete(Formula& formula, bool columns, int at, int count) {
    bool changed = false;
    const int last = at + count - 1;
    for (Token& t : formula.code) {
        if (t.op == Op::Ref) {
            int& v = columns ? t.a : t.b;
            if (v < at) continue;
            changed = true;
            if (v <= last) makeRefError(t);
            else v -= count;
        } else if (t.op == Op::Range) {
            if (columns ? (t.flags & kWholeRows) : (t.flags & kWholeColumns)) continue;
            int& v1 = columns ? t.a : t.b;
            int& v2 = columns ? t.c : t.d;
            if (v2 < at) continue;
            changed = true;
            const int n1 = v1 < at ? v1 : (v1 > last ? v1 - count : at);
            const int n2 = v2 > last ? v2 - count : at - 1;
            if (n2 < n1) makeRefError(t);
            else {
                v1 = n1;
                v2 = n2;
            }
        }
    }
    return changed;
}

bool adjustForCopy(Formula& formula, int dCol, int dRow) {
    if (dCol == 0 && dRow == 0) return false;
    bool changed = false;
    auto move = [](int& v, bool absolute, int delta, int maximum, bool& bad) {
        if (absolute || delta == 0) return;
        v += delta;
        if (v < 1 || v > maximum) bad = true;
    };
    for (Token& t : formula.code) {
        if (t.op != Op::Ref && t.op != Op::Range) continue;
        bool bad = false;
        const Token before = t;
        const bool wholeCols = t.flags & kWholeColumns, wholeRows = t.flags & kWholeRows;
        if (!wholeRows) move(t.a, t.flags & kColAbs, dCol, kMaxColumnCount, bad);
        if (!wholeCols) move(t.b, t.flags & kRowAbs, dRow, kMaxRowCount, bad);
        if (t.op == Op::Range) {
            if (!wholeRows) move(t.c, t.flags & kCol2Abs, dCol, kMaxColumnCount, bad);
            if (!wholeCols) move(t.d, t.flags & kRow2Abs, dRow, kMaxRowCount, bad);
            if (!bad && (t.a > t.c || t.b > t.d)) bad = true;
        }
        if (bad) makeRefError(t);
        if (!tokenEqual(before, t)) changed = true;
    }
    return changed;
}

bool adjustForMove(Formula& formula, int col1, int row1, int col2, int row2, int dCol, int dRow) {
    bool changed = false;
    auto inside = [&](int c, int r) { return c >= col1 && c <= col2 && r >= row1 && r <= row2; };
    for (Token& t : formula.code) {
        if (t.op == Op::Ref) {
            if (!inside(t.a, t.b)) continue;
            t.a += dCol;
            t.b += dRow;
            if (t.a < 1 || t.b < 1 || t.a > kMaxColumnCount || t.b > kMaxRowCount) makeRefError(t);
            changed = true;
        } else if (t.op == Op::Range) {
            if (t.flags & (kWholeColumns | kWholeRows)) continue;
            if (!inside(t.a, t.b) || !inside(t.c, t.d)) continue;
            t.a += dCol;
            t.c += dCol;
            t.b += dRow;
            t.d += dRow;
            if (t.a < 1 || t.b < 1 || t.c > kMaxColumnCount || t.d > kMaxRowCount) makeRefError(t);
            changed = true;
        }
    }
    return changed;
}

bool adjustForRenumber(Formula& formula, bool columns, const std::function<int(int)>& map) {
    bool changed = false;
    for (Token& t : formula.code) {
        if (t.op == Op::Ref) {
            int& v = columns ? t.a : t.b;
            const int n = map(v);
            if (n != v) {
                v = n;
                changed = true;
            }
        } else if (t.op == Op::Range) {
            if (columns ? (t.flags & kWholeRows) : (t.flags & kWholeColumns)) continue;
            int& v1 = columns ? t.a : t.b;
            int& v2 = columns ? t.c : t.d;
            int n1 = map(v1), n2 = map(v2);
            if (n1 > n2) std::swap(n1, n2);
            if (n1 != v1 || n2 != v2) {
                v1 = n1;
                v2 = n2;
                changed = true;
            }
        }
    }
    return changed;
}

void forEachReference(const Formula& formula, const std::function<void(int, int, int, int)>& visit) {
    for (const Token& t : formula.code) {
        if (t.op == Op::Ref) visit(t.a, t.b, t.a, t.b);
        else if (t.op == Op::Range) visit(t.a, t.b, t.c, t.d);
    }
}

} // namespace spreadlib
