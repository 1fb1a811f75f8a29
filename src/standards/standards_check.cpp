#include "standards/standards_check.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "core/files.h"
#include "core/text.h"
#include "spreadlib/functions.h"
#include "standards/data_files.h"
#include "standards/evaluation_chain.h"
#include "standards/host_dialogs.h"
#include "standards/mapping_file.h"
#include "standards/replace_words.h"
#include "standards/sheet_evaluation.h"
#include "standards/standards_functions.h"
#include "standards/standards_host_dlg.h"

namespace standards {

namespace {

constexpr const char* kCallChild = "CallChild";

// One non-empty cell of the equation area, in reading order.
struct Equation {
    Zrk_String cell;
    Zrk_String target;     // the name before "=", empty without one
    Zrk_String expression; // the text after "=" (the whole text without one)
    bool callsChild = false;
    Zrk_String childName; // the child as written, and where it was found (empty: nowhere)
    Zrk_String childPath;
    Zrk_StringArray childArguments;
};

// What a check needs of a sheet, read while the sheet is loaded.
struct SheetFacts {
    Zrk_String path;
    bool loaded = false;
    Zrk_String loadError;
    KvVarCells variables;
    bool hasCalc = false;
    std::vector<Equation> equations;
};

Zrk_String cellName(int column, int row) {
    return getAlfabet(column) + intToStr(row);
}

void readFactsOf(KvStandardsSheet& sheet, SheetFacts& facts) {
    const Zrk_String& path = facts.path;
    clearFailure();
    if (sheet.loadStandardsFile(path) != Acad::eOk) {
        facts.loadError = lastFailure().empty() ? "The standards spreadsheet " + path + " cannot be loaded."
                                                : lastFailure();
    } else if (sheet.readVarCells() != Acad::eOk) {
        facts.loadError = lastFailure().empty() ? "The standards spreadsheet " + path + " lacks its sections."
                                                : lastFailure();
    } else {
        facts.loaded = true;
        facts.variables = sheet.varCells;
        const int calcRow = sheet.findSections().calc;
        facts.hasCalc = calcRow > 0;
        int lastColumn = 0, lastRow = 0;
        sheet.sheet().getUsedExtent(lastColumn, lastRow);
        lastColumn = std::min(lastColumn, sheet.getNrCols());
        lastRow = std::min(lastRow, sheet.getNrRows());
        Zrk_String text;
        for (int row = calcRow + 1; calcRow > 0 && row <= lastRow; ++row)
            for (int column = 1; column <= lastColumn; ++column) {
                if (!sheet.getCellText(column, row, text) || trimmed(text).empty()) continue;
                Equation equation;
                equation.cell = cellName(column, row);
                if (!splitString(text, "=", equation.target, equation.expression, /*trimBlanks=*/true)) {
                    equation.target.clear();
                    equation.expression = trimmed(text);
                }
                const std::size_t at = equation.expression.find(kCallChild);
                equation.callsChild = at != Zrk_String::npos;
                if (equation.callsChild) {
                    // The arguments as the child call reads them: between the first "(" and ")" after
                    // the name, split at every ",".
                    const std::size_t open = equation.expression.find('(', at);
                    const std::size_t close =
                        open == Zrk_String::npos ? open : equation.expression.find(')', open);
                    if (close != Zrk_String::npos)
                        splitStringAtSymbol(equation.expression.substr(open + 1, close - open - 1), ',',
                                            equation.childArguments, /*trimBlanks=*/true);
                    if (equation.childArguments.length() > 0) {
                        Zrk_String name = equation.childArguments[0];
                        if (!name.empty() && name.front() == '"') name.erase(0, 1);
                        if (!name.empty() && name.back() == '"') name.pop_back();
                        equation.childName = name;
                        const Zrk_String found = sheet.findChildFile(name);
                        if (!name.empty() && fileExists(found)) equation.childPath = found;
                    }
                }
                facts.equations.push_back(std::move(equation));
            }
    }
}

SheetFacts readFacts(const Zrk_String& path) {
    SheetFacts facts;
    facts.path = path;
    Zrk_String error;
    const bool lent = withHostDialog(
        [&](KvStandardsHostDlg& dialog) {
            readFactsOf(dialog.sheet, facts);
            return true;
        },
        error);
    if (!lent) facts.loadError = error;
    return facts;
}

bool isWordByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

// A cell name such as B7 (1 to 3 letters, then digits).
bool isCellName(const Zrk_String& word) {
    std::size_t letters = 0;
    while (letters < word.size() && std::isalpha(static_cast<unsigned char>(word[letters])))
        ++letters;
    if (letters == 0 || letters > 3 || letters == word.size()) return false;
    return std::all_of(word.begin() + static_cast<long>(letters), word.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool isKnownFunction(const Zrk_String& name) {
    if (spreadlib::findBuiltin(name) >= 0 || isEqual(name, kCallChild, true)) return true;
    for (const StandardsFunction& function : standardsFunctions())
        if (isEqual(name, function.name, true)) return true;
    return false;
}

bool readsDataFile(const Zrk_String& function) {
    for (const char* name : {"GETCELL", "GETPROFCELL", "STDWIDTHWITHTOLERANCE", "STDTHICKNESSWITHTOLERANCE",
                             "STDSIZEWITHTOLERANCE"})
        if (isEqual(function, name, true)) return true;
    return false;
}

// The words and quoted texts of an expression, as the evaluation meets them.
struct Token {
    Zrk_String text;
    bool quoted = false;
    bool call = false;      // a name followed by "("
    bool reference = false; // next to a "$": part of a cell reference
    Zrk_String firstText;   // a call's first argument when it is a quoted text
};

std::vector<Token> tokensOf(const Zrk_String& expression) {
    std::vector<Token> tokens;
    auto quotedAt = [&](std::size_t i, std::size_t& end) {
        Zrk_String text;
        std::size_t j = i + 1;
        for (; j < expression.size(); ++j) {
            if (expression[j] != '"')
                text += expression[j];
            else if (j + 1 < expression.size() && expression[j + 1] == '"')
                text += expression[++j];
            else
                break;
        }
        end = j + 1;
        return text;
    };
    for (std::size_t i = 0; i < expression.size();) {
        const char c = expression[i];
        if (c == '"') {
            std::size_t end = 0;
            tokens.push_back({quotedAt(i, end), true, false, false, {}});
            i = end;
            continue;
        }
        if (!isWordByte(c)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < expression.size() && isWordByte(expression[end]))
            ++end;
        Token token;
        token.text = expression.substr(i, end - i);
        token.reference =
            (i > 0 && expression[i - 1] == '$') || (end < expression.size() && expression[end] == '$');
        std::size_t next = end;
        while (next < expression.size() && (expression[next] == ' ' || expression[next] == '\t'))
            ++next;
        token.call = next < expression.size() && expression[next] == '(';
        if (token.call) {
            std::size_t first = next + 1;
            while (first < expression.size() && (expression[first] == ' ' || expression[first] == '\t'))
                ++first;
            std::size_t ignored = 0;
            if (first < expression.size() && expression[first] == '"')
                token.firstText = quotedAt(first, ignored);
        }
        tokens.push_back(std::move(token));
        i = end;
    }
    return tokens;
}

// Whether the name stands in the text as a whole word, as the evaluation's replacement finds it.
bool holdsWord(const Zrk_String& text, const Zrk_String& name) {
    for (std::size_t at = text.find(name); at != Zrk_String::npos; at = text.find(name, at + 1)) {
        const bool before = at > 0 && isWordChar(text[at - 1]);
        const bool after = at + name.size() < text.size() && isWordChar(text[at + name.size()]);
        if (!before && !after) return true;
    }
    return false;
}

void checkFacts(const SheetFacts& facts, CheckReport& report) {
    auto add = [&](const Zrk_String& cell, const Zrk_String& text) {
        report.findings.push_back({facts.path, cell, text});
    };
    if (!facts.loaded) return add("", facts.loadError);
    if (!facts.hasCalc) add("", "The sheet has no \"Calc\" section: nothing is calculated.");

    // The first variable of each name takes part; later ones are dropped.
    std::map<Zrk_String, int> byName;
    for (int i = 0; i < facts.variables.length(); ++i) {
        const KvVarCell& variable = facts.variables[i];
        const auto [first, added] = byName.emplace(variable.name, i);
        if (!added) {
            const KvVarCell& kept = facts.variables[first->second];
            add(cellName(variable.col, variable.row),
                "\"" + variable.name + "\" is declared again (first in " + cellName(kept.col, kept.row) +
                    "): the evaluation drops this one.");
        }
    }
    // Where each variable is assigned, by position in reading order.
    std::map<Zrk_String, std::vector<std::size_t>> assignedAt;
    for (std::size_t p = 0; p < facts.equations.size(); ++p) {
        const Equation& equation = facts.equations[p];
        if (equation.callsChild) {
            for (int a = 1; a < equation.childArguments.length(); ++a) {
                const auto found = byName.find(equation.childArguments[a]);
                if (found != byName.end() && facts.variables[found->second].isOutput())
                    assignedAt[equation.childArguments[a]].push_back(p);
            }
        } else if (!equation.target.empty()) {
            assignedAt[equation.target].push_back(p);
        }
    }
    std::set<Zrk_String> read;
    auto use = [&](const Zrk_String& name, std::size_t p, const Zrk_String& cell) {
        const auto found = byName.find(name);
        if (found == byName.end()) return false;
        read.insert(name);
        const KvVarCell& variable = facts.variables[found->second];
        const auto assigned = assignedAt.find(name);
        if (variable.isInput() || assigned == assignedAt.end()) return true;
        const bool before = std::any_of(assigned->second.begin(), assigned->second.end(),
                                        [p](std::size_t q) { return q < p; });
        const auto later = std::find_if(assigned->second.begin(), assigned->second.end(),
                                        [p](std::size_t q) { return q > p; });
        if (!before && later != assigned->second.end())
            add(cell, "uses " + name + " before it is assigned (in " + facts.equations[*later].cell +
                          "): the evaluation gives it " +
                          (variable.isLocal() ? Zrk_String("an empty value")
                                              : Zrk_String("the value it had before")) +
                          " here.");
        return true;
    };

    for (std::size_t p = 0; p < facts.equations.size(); ++p) {
        const Equation& equation = facts.equations[p];
        if (equation.callsChild) {
            if (equation.childArguments.length() < 2)
                add(equation.cell,
                    "the child call passes no variable: CallChild needs the file and at least one.");
            else if (equation.childPath.empty())
                add(equation.cell, "the child sheet \"" + equation.childName + "\" cannot be found.");
            for (int a = 1; a < equation.childArguments.length(); ++a)
                if (!use(equation.childArguments[a], p, equation.cell))
                    add(equation.cell,
                        "passes " + equation.childArguments[a] + " to the child, which is declared nowhere.");
            continue;
        }
        if (equation.target.empty()) {
            add(equation.cell,
                "\"" + equation.expression + "\" is no equation: it has no \"=\" and calls no child.");
            continue;
        }
        if (byName.find(equation.target) == byName.end())
            add(equation.cell, "assigns " + equation.target + ", which is declared nowhere.");
        for (const Token& token : tokensOf(equation.expression)) {
            if (token.quoted) {
                for (const auto& [name, index] : byName)
                    if (holdsWord(token.text, name))
                        add(equation.cell, "the text \"" + token.text + "\" holds the variable name " + name +
                                               ": the evaluation replaces it there too.");
                continue;
            }
            if (token.call) {
                if (!isKnownFunction(token.text))
                    add(equation.cell, "calls " + token.text + ", which is no function the engine knows.");
                else if (readsDataFile(token.text) && !token.firstText.empty()) {
                    Zrk_String found;
                    if (!findDataFile(token.firstText, found))
                        add(equation.cell,
                            "the data file \"" + token.firstText + "\" of " + token.text +
                                " cannot be found (as written, in the standards folder's Data/, the "
                                "standards folder or the library folder).");
                }
                continue;
            }
            if (use(token.text, p, equation.cell)) continue;
            const char first = token.text[0];
            if ((first >= '0' && first <= '9') || first == '.' || token.reference || isCellName(token.text) ||
                isEqual(token.text, "TRUE", true) || isEqual(token.text, "FALSE", true) ||
                token.text.rfind("gen_", 0) == 0)
                continue;
            add(equation.cell, "uses " + token.text +
                                   ", which is declared nowhere (Input, Output, Local) and is no "
                                   "general variable (gen_...).");
        }
    }

    for (const auto& [name, index] : byName) {
        const KvVarCell& variable = facts.variables[index];
        const Zrk_String cell = cellName(variable.col, variable.row);
        if (variable.isOutput() && assignedAt.find(name) == assignedAt.end())
            add(cell, "the Output " + name + " is never assigned: it keeps the value it came with.");
        else if (!variable.isOutput() && read.find(name) == read.end())
            add(cell,
                Zrk_String(variable.isInput() ? "the Input " : "the Local ") + name + " is never used.");
    }
}

// Child calls that lead back to a sheet on the way: one finding per circle, at the call that closes it.
void checkCircles(const std::vector<SheetFacts>& sheets, CheckReport& report) {
    std::map<Zrk_String, const SheetFacts*> byPath;
    for (const SheetFacts& facts : sheets)
        byPath[facts.path] = &facts;
    std::map<Zrk_String, int> state; // 0 new, 1 on the way, 2 done
    std::vector<Zrk_String> way;
    std::function<void(const SheetFacts&)> visit = [&](const SheetFacts& facts) {
        state[facts.path] = 1;
        way.push_back(facts.path);
        for (const Equation& equation : facts.equations) {
            if (equation.childPath.empty()) continue;
            const auto child = byPath.find(equation.childPath);
            if (child == byPath.end()) continue;
            if (state[equation.childPath] == 1) {
                Zrk_String circle;
                const auto start = std::find(way.begin(), way.end(), equation.childPath);
                for (auto it = start; it != way.end(); ++it)
                    circle += getFileName(*it) + " -> ";
                report.findings.push_back({facts.path, equation.cell,
                                           "the child calls run in a circle: " + circle +
                                               getFileName(equation.childPath) +
                                               " (the evaluation stops it only at its nesting limit)."});
            } else if (state[equation.childPath] == 0) {
                visit(*child->second);
            }
        }
        way.pop_back();
        state[facts.path] = 2;
    };
    for (const SheetFacts& facts : sheets)
        if (state[facts.path] == 0) visit(facts);
}

void checkAll(std::deque<Zrk_String> queue, CheckReport& report) {
    std::vector<SheetFacts> sheets;
    std::set<Zrk_String> seen(queue.begin(), queue.end());
    while (!queue.empty()) {
        SheetFacts facts = readFacts(queue.front());
        queue.pop_front();
        report.checked.append(facts.path);
        checkFacts(facts, report);
        for (const Equation& equation : facts.equations)
            if (!equation.childPath.empty() && seen.insert(equation.childPath).second)
                queue.push_back(equation.childPath);
        sheets.push_back(std::move(facts));
    }
    checkCircles(sheets, report);
}

} // namespace

void checkStandard(const Zrk_String& sheet, CheckReport& report) {
    checkAll({resolveSheetPath(sheet)}, report);
}

bool checkStandardsFolder(const Zrk_String& folder, CheckReport& report, Zrk_String& error) {
    const Zrk_String root = normalizePath(folder);
    if (!folderExists(root)) {
        error = "The folder " + root + " does not exist.";
        return false;
    }
    std::vector<Zrk_String> files;
    std::error_code failure;
    for (auto it = std::filesystem::recursive_directory_iterator(core::osPath(root), failure);
         !failure && it != std::filesystem::recursive_directory_iterator(); it.increment(failure)) {
        if (!it->is_regular_file(failure)) continue;
        const Zrk_String path = core::fromOsPath(it->path().string());
        if (isEqual(getExtension(path), "kvs", true)) files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    checkAll(std::deque<Zrk_String>(files.begin(), files.end()), report);
    return true;
}

} // namespace standards
