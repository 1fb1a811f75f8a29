#include "standards/regression_cases.h"

#include <cmath>

#include "core/codepage.h"
#include "core/files.h"
#include "core/number_text.h"
#include "core/text.h"
#include "standards/mapping_file.h"
#include "standards/sheet_evaluation.h"
#include "ui/user_interaction.h"

namespace standards {

namespace {

// "NAME = VALUE": the name and the value without the blanks around them; a value in double quotes
// loses them (so that blanks at its ends, or an empty value, can be written).
bool splitAssignment(const Zrk_String& text, Zrk_String& name, Zrk_String& value) {
    if (!splitString(text, "=", name, value, /*trimBlanks=*/true) || name.empty()) return false;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return true;
}

// The first word of a line and the rest without the blanks around it.
void splitKeyword(const Zrk_String& line, Zrk_String& keyword, Zrk_String& rest) {
    const std::size_t end = line.find_first_of(core::kBlanks);
    keyword = line.substr(0, end);
    rest = end == Zrk_String::npos ? Zrk_String() : trimmed(line.substr(end));
}

// Message boxes of a case: taken by their default answer and kept.
class MessageRecorder : public ui::UserInteraction {
public:
    std::optional<int> messageBox(const ui::MessageBoxRequest& request) override {
        texts.append(request.text);
        return request.defaultAnswer();
    }
    std::optional<bool> fileDialog(const ui::FileDialogRequest&, Zrk_StringArray&) override { return false; }
    std::optional<int> popupMenu(const ui::PopupMenuRequest&) override { return 0; }
    Zrk_StringArray texts;
};

// A message on one line of the report: its lines joined by " | ", at most 160 characters.
Zrk_String oneLine(const Zrk_String& text) {
    Zrk_String line;
    for (char c : text) {
        if (c == '\n') line += " | ";
        else line += c;
    }
    return line.size() > 160 ? line.substr(0, 157) + "..." : line;
}

} // namespace

bool parseRegressionCases(const Zrk_StringArray& lines, const Zrk_String& fileName, RegressionCases& cases,
                          Zrk_String& error) {
    RegressionCases parsed;
    RegressionCase* current = nullptr;
    for (int i = 0; i < lines.length(); ++i) {
        const Zrk_String line = trimmed(core::fromUtf8(lines[i]));
        const auto problem = [&](const Zrk_String& what) {
            error = fileName + ":" + intToStr(i + 1) + ": " + what;
            return false;
        };
        if (line.empty() || line[0] == '#') continue;
        Zrk_String keyword, rest, name, value;
        splitKeyword(line, keyword, rest);
        if (keyword == "case") {
            if (rest.empty()) return problem("a case needs a name (\"case NAME\").");
            parsed.cases.append(RegressionCase());
            current = &parsed.cases.last();
            current->name = rest;
            current->line = i + 1;
        } else if (keyword == "standard" || keyword == "tolerance") {
            if (current) return problem("\"" + keyword + "\" belongs before the first case.");
            if (rest.empty()) return problem("\"" + keyword + "\" needs a value.");
            if (keyword == "standard") {
                parsed.standard = rest;
            } else {
                double tolerance = 0.0;
                if (!core::parseNumber(rest, tolerance) || tolerance < 0)
                    return problem("the tolerance must be a number that is not negative, not \"" + rest + "\".");
                parsed.tolerance = tolerance;
            }
        } else if (keyword == "in" || keyword == "genvar" || keyword == "out") {
            if (!current) return problem("\"" + keyword + "\" belongs to a case; start one with \"case NAME\".");
            if (!splitAssignment(rest, name, value))
                return problem("expected \"" + keyword + " NAME = VALUE\", found \"" + line + "\".");
            Zrk_StringArray& names = keyword == "in" ? current->inputNames
                                      : keyword == "genvar" ? current->genVarNames : current->outputNames;
            Zrk_StringArray& values = keyword == "in" ? current->inputValues
                                      : keyword == "genvar" ? current->genVarValues : current->outputValues;
            names.append(name);
            values.append(value);
        } else if (keyword == "message") {
            if (!current) return problem("\"message\" belongs to a case; start one with \"case NAME\".");
            if (rest.empty()) return problem("\"message\" needs the text the message must contain.");
            current->messages.append(rest);
        } else if (keyword == "fails") {
            if (!current) return problem("\"fails\" belongs to a case; start one with \"case NAME\".");
            if (!rest.empty()) return problem("\"fails\" stands alone on its line.");
            current->fails = true;
        } else {
            return problem("expected case, in, genvar, out, message, fails, standard or tolerance, found \"" + keyword +
                           "\".");
        }
    }
    cases = std::move(parsed);
    return true;
}

bool outputMatches(const Zrk_String& actual, const Zrk_String& expected, double tolerance) {
    double a = 0.0, b = 0.0;
    if (core::parseNumber(actual, a) && core::parseNumber(expected, b)) return std::fabs(a - b) <= tolerance;
    return actual == expected;
}

bool runRegressionCases(const Zrk_String& casesFile, RegressionReport& report, Zrk_String& error,
                        const std::function<void(int done, int total)>& progress) {
    const Zrk_String path = normalizePath(casesFile);
    Zrk_StringArray lines;
    if (!ObjectExportReadFile(path, lines, &error)) return false;
    RegressionCases cases;
    if (!parseRegressionCases(lines, getFileName(path), cases, error)) return false;

    // The sheet: as the file names it (beside the file first), else the one named like the file.
    Zrk_String sheet, found;
    const Zrk_String folder = getPath(path);
    if (!cases.standard.empty()) {
        const Zrk_String named = normalizePath(cases.standard);
        Zrk_String besideName = named;
        if (!isEqual(getExtension(besideName), "kvs", true)) besideName += ".kvs";
        if (named.front() != '/' && (findFileIgnoringCase(folder + named, found) ||
                                     findFileIgnoringCase(folder + besideName, found)) && !folderExists(found))
            sheet = found;
        else
            sheet = resolveSheetPath(named);
    } else if (findFileIgnoringCase(changeExtension(path, "kvs"), found)) {
        sheet = found;
    } else {
        sheet = resolveSheetPath(getFileName(path, false));
    }
    if (!fileExists(sheet)) {
        error = "The cases of " + path + " are for " + sheet + ", which does not exist.";
        return false;
    }

    report = RegressionReport();
    report.lines.append("Cases of " + path + " against " + sheet + ":");
    int done = 0;
    for (const RegressionCase& test : cases.cases) {
        if (progress) progress(done++, cases.cases.length());
        Zrk_StringArray mismatches;
        SheetEvaluation evaluation;
        evaluation.sheet = sheet;
        evaluation.inputNames = test.inputNames;
        evaluation.inputValues = test.inputValues;
        evaluation.genVarNames = test.genVarNames;
        evaluation.genVarValues = test.genVarValues;
        KvVarCells result;
        Zrk_String failure;
        MessageRecorder messages;
        const bool evaluated = evaluateSheet(evaluation, result, failure);
        if (evaluated && test.fails) mismatches.append("the evaluation succeeded; it was to fail");
        if (!evaluated && !test.fails) mismatches.append("the evaluation failed: " + failure);
        if (evaluated) {
            for (int i = 0; i < test.outputNames.length(); ++i) {
                int index = -1;
                if (result.findVarCell(test.outputNames[i], index) != Acad::eOk || !result[index].isOutput()) {
                    mismatches.append(test.outputNames[i] + " is no Output of the standard");
                    continue;
                }
                const Zrk_String& actual = result[index].value;
                if (!outputMatches(actual, test.outputValues[i], cases.tolerance))
                    mismatches.append(test.outputNames[i] + " is \"" + actual + "\", expected \"" + test.outputValues[i] +
                                      "\"");
            }
        }
        // Each expected message in the order shown; every message shown must be expected.
        int next = 0;
        for (const Zrk_String& shown : messages.texts) {
            if (next < test.messages.length() && hasASubstr(shown, test.messages[next])) ++next;
            else mismatches.append("unexpected message: " + oneLine(shown));
        }
        for (; next < test.messages.length(); ++next)
            mismatches.append("no message showed \"" + test.messages[next] + "\"");

        if (mismatches.isEmpty()) {
            ++report.passed;
            report.lines.append("  ok      " + test.name);
        } else {
            ++report.failed;
            report.lines.append("  FAILED  " + test.name + " (line " + intToStr(test.line) + ")");
            for (const Zrk_String& mismatch : mismatches) report.lines.append("          " + mismatch);
        }
    }
    if (progress) progress(done, cases.cases.length());
    report.lines.append(intToStr(cases.cases.length()) + " cases: " + intToStr(report.passed) + " passed, " +
                        intToStr(report.failed) + " failed.");
    return true;
}

} // namespace standards
