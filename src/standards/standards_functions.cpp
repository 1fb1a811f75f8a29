#include "standards/standards_functions.h"

#include <cmath>

#include "core/number_text.h"
#include "core/numbers.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "core/text.h"
#include "spreadlib/formula.h"
#include "spreadlib/number_format.h"
#include "standards/data_files.h"
#include "standards/evaluation_chain.h"
#include "standards/evaluation_trace.h"
#include "standards/tolerance.h"

namespace standards {

using spreadlib::ValueRecord;

namespace {

bool isEmptyArg(const ValueRecord& arg) { return arg.status == spreadlib::kStatusEmpty; }

bool readNumber(const ValueRecord& arg, double& number) {
    if (arg.status != spreadlib::kStatusValid) return false;
    if (arg.type == spreadlib::kValueLong) number = static_cast<double>(arg.longValue);
    else if (arg.type == spreadlib::kValueDouble) number = arg.doubleValue;
    else return false;
    return true;
}

bool readText(const ValueRecord& arg, Zrk_String& text) {
    if (arg.status != spreadlib::kStatusValid || arg.type != spreadlib::kValueText) return false;
    text = arg.text;
    if (!text.empty() && text.front() == '"') text.erase(0, 1);
    if (!text.empty() && text.back() == '"') text.pop_back();
    return true;
}

// Every function starts from an empty result of type long.
void startResult(ValueRecord& result) { result.setEmpty(); }

long answerNumber(ValueRecord& result, double value) {
    result.setDouble(value);
    return 1;
}

long answerText(ValueRecord& result, const Zrk_String& text) {
    if (text.empty()) result.setEmpty();
    else result.setText(text);
    return 1;
}

// A number as a whole index: truncated towards zero, and kept within int (a huge or non-finite
// number is no index of anything).
long long truncated(double number) {
    if (!std::isfinite(number)) return -1;
    if (number > 1e15 || number < -1e15) return -1;
    return static_cast<long long>(std::trunc(number));
}

// An argument as a formula would write it.
Zrk_String describeArgument(const ValueRecord& arg) {
    if (arg.status == spreadlib::kStatusEmpty) return Zrk_String();
    if (arg.status != spreadlib::kStatusValid) return "#VALUE!";
    switch (arg.type) {
    case spreadlib::kValueLong: return intToStr(arg.longValue);
    case spreadlib::kValueDouble: return spreadlib::formatGeneral(arg.doubleValue);
    case spreadlib::kValueText: {
        Zrk_String literal = "\"";
        for (const char c : arg.text) {
            literal += c;
            if (c == '"') literal += '"';
        }
        return literal + "\"";
    }
    case spreadlib::kValueCell: return spreadlib::columnName(arg.col) + intToStr(arg.row);
    case spreadlib::kValueRange:
        return spreadlib::columnName(arg.col) + intToStr(arg.row) + ":" + spreadlib::columnName(arg.col2) +
               intToStr(arg.row2);
    default: return Zrk_String();
    }
}

// A function that fails answers an error value in its cell. Why goes into the trace of a traced
// evaluation (which explains every error value it ends with), else into a note.
long failWith(const char* function, const ValueRecord* args, int argCount, const Zrk_String& reason) {
    if (tracing()) {
        FailedCall call;
        call.function = function;
        for (int i = 0; i < argCount; ++i) call.arguments.append(describeArgument(args[i]));
        call.reason = reason;
        traceFailedCall(std::move(call));
    } else {
        noteAtEquation(Zrk_String(function) + " failed: " + reason);
    }
    return 0;
}

Zrk_String notFound(const Zrk_String& fileName) {
    return "there is no data file " + fileName + " (as written, in the standards folder's \"Data\" folder, the "
           "standards folder or the library folder).";
}

long tableLookup(ValueRecord& result, const ValueRecord* args, int argCount, bool profileKeys) {
    startResult(result);
    const char* function = profileKeys ? "GETPROFCELL" : "GETCELL";
    if (argCount < 2) return 0;
    Zrk_String fileName, path, refusal;
    if (!readText(args[0], fileName)) return 0;
    const auto fail = [&](const Zrk_String& reason) { return failWith(function, args, argCount, reason); };
    if (!findDataFile(fileName, path)) return fail(notFound(fileName));
    const std::shared_ptr<const TableFile> table = readTableFile(path, &refusal);
    if (!table) return fail(refusal);
    if (table->lines.isEmpty()) return fail(path + " holds no table lines.");

    Zrk_String key;
    for (int i = 1; i < argCount; ++i) {
        double number = 0.0;
        Zrk_String part;
        if (readNumber(args[i], number)) part = doubleToStr(number, 6);
        else if (!readText(args[i], part)) break;
        if (i > 1) key += ";";
        key += part;
    }

    int line = -1;
    if (!profileKeys) {
        line = table->findKey(key);
    } else {
        for (int i = 0; i < table->lines.length() && line < 0; ++i) {
            Zrk_String systemName;
            const Zrk_String& written = table->lines[i].key;
            if (gSectionTables.getSystemName(written, systemName) ? systemName == key : written == key) line = i;
        }
    }
    if (line < 0) return fail(path + " has no line with the key \"" + key + "\".");
    const TableFile::Line& found = table->lines[line];
    if (!found.hasValue)
        return fail(path + ", line " + intToStr(found.line) + ": the line of the key \"" + key +
                    "\" has no value (no tab after the key).");
    traceDataRow(function, path, found.line, found.key + " -> " + found.value);
    return answerText(result, found.value);
}

enum class CandidateKind { Width, Thickness, Size };

// The line of the sizes file that gave the chosen size (the first that can), or that none did.
void traceChosenSize(const char* function, const Zrk_String& path, const SizesFile& sizes, CandidateKind kind,
                     double thickness, double chosen) {
    for (int i = 0; i < sizes.sizes.length(); ++i) {
        const double size = sizes.sizes[i], itsThickness = sizes.thicknesses[i];
        const bool gives = kind == CandidateKind::Width       ? size == chosen && (itsThickness == 0 || itsThickness == thickness)
                           : kind == CandidateKind::Thickness ? itsThickness == chosen
                                                              : size == chosen;
        if (!gives) continue;
        const Zrk_String text = itsThickness == 0 ? spreadlib::formatGeneral(size)
                                                  : spreadlib::formatGeneral(size) + "x" + spreadlib::formatGeneral(itsThickness);
        traceDataRow(function, path, sizes.lines.isValid(i) ? sizes.lines[i] : 0, text);
        return;
    }
    traceDataRow(function, path, 0, "no size fits within the tolerances: rounded to " + spreadlib::formatGeneral(chosen));
}

long toleranceChoice(ValueRecord& result, const ValueRecord* args, int argCount, CandidateKind kind) {
    startResult(result);
    const int expected = kind == CandidateKind::Width ? 6 : 5;
    if (argCount < expected) return 0;
    Zrk_String fileName;
    double numbers[5] = {};
    if (!readText(args[0], fileName)) return 0;
    for (int i = 1; i < expected; ++i)
        if (!readNumber(args[i], numbers[i - 1])) return 0;
    const double step = numbers[0];
    const double thickness = kind == CandidateKind::Width ? numbers[1] : 0.0;
    const int first = kind == CandidateKind::Width ? 2 : 1;
    const double value = numbers[first];
    const double down = numbers[first + 1];
    const double up = numbers[first + 2];

    // A sizes file that cannot be found or read leaves no candidates; the rounding still answers.
    Zrk_Array<double> candidates;
    Zrk_String path, refusal;
    std::shared_ptr<const SizesFile> sizes;
    const char* function = kind == CandidateKind::Width       ? "STDWIDTHWITHTOLERANCE"
                           : kind == CandidateKind::Thickness ? "STDTHICKNESSWITHTOLERANCE"
                                                              : "STDSIZEWITHTOLERANCE";
    Zrk_String unusable;
    if (!findDataFile(fileName, path)) unusable = notFound(fileName);
    else if (!(sizes = readSizesFile(path, &refusal))) unusable = refusal;
    if (!unusable.empty()) {
        noteAtEquation(Zrk_String(function) + " rounds without sizes: " + unusable);
        traceDataRow(function, path.empty() ? fileName : path, 0, "no sizes: " + unusable);
    }
    if (sizes) {
        for (int i = 0; i < sizes->sizes.length(); ++i) {
            switch (kind) {
            case CandidateKind::Width:
                if (sizes->thicknesses[i] == 0 || sizes->thicknesses[i] == thickness) candidates.append(sizes->sizes[i]);
                break;
            case CandidateKind::Thickness: candidates.append(sizes->thicknesses[i]); break;
            case CandidateKind::Size: candidates.append(sizes->sizes[i]); break;
            }
        }
        if (kind == CandidateKind::Width) ObjectExportSort(candidates);
    }
    checkTolerances(down, up);
    const double chosen = chooseWithTolerance(candidates, value, down, up, step);
    if (tracing() && sizes) traceChosenSize(function, path, *sizes, kind, thickness, chosen);
    return answerNumber(result, chosen);
}

} // namespace

long roundTo(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    double value = 0.0, step = 0.0;
    if (argCount < 2 || !readNumber(args[0], value) || !readNumber(args[1], step)) return 0;
    return answerNumber(result, ObjectExportRoundTo(value, step));
}

long getCell(ValueRecord& result, const ValueRecord* args, int argCount) {
    return tableLookup(result, args, argCount, false);
}

long getProfCell(ValueRecord& result, const ValueRecord* args, int argCount) {
    return tableLookup(result, args, argCount, true);
}

long sectionSize(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    Zrk_String section, value;
    double column = 0.0;
    if (argCount < 2 || !readText(args[0], section) || !readNumber(args[1], column)) return 0;
    const long long index = truncated(column) - 1;
    if (index < 0 || index > 1000000)
        return failWith("SECTIONSIZE", args, argCount, "there is no column " + doubleToStr(column, 0) + ".");
    if (gSectionTables.getSectionValue(section, static_cast<int>(index), value) != Acad::eOk) {
        Zrk_String system, reason;
        if (gSectionTables.getSystemName(section, system))
            reason = "the section " + section + " has no value in column " + intToStr(index + 1) + ".";
        else
            reason = "the section tables (" + gSettings.libDir + "prof/*.pr) have no section \"" + section + "\".";
        // A table that could not be loaded may be the one that has it.
        for (const Zrk_String& problem : gSectionTables.loadMessages())
            reason += " " + problem + (!problem.empty() && problem.back() == '.' ? "" : ".");
        return failWith("SECTIONSIZE", args, argCount, reason);
    }
    Zrk_String table;
    int line = 0;
    if (tracing() && gSectionTables.getSectionSource(section, table, line))
        traceDataRow("SECTIONSIZE", table, line, section + ", column " + intToStr(index + 1) + ": " + value);
    return answerNumber(result, core::toDouble(value));
}

long getSysName(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    Zrk_String name, systemName;
    if (argCount < 1 || !readText(args[0], name)) return 0;
    return answerText(result, gSectionTables.getSystemName(name, systemName) ? systemName : name);
}

long stdWidthWithTolerance(ValueRecord& result, const ValueRecord* args, int argCount) {
    return toleranceChoice(result, args, argCount, CandidateKind::Width);
}

long stdThicknessWithTolerance(ValueRecord& result, const ValueRecord* args, int argCount) {
    return toleranceChoice(result, args, argCount, CandidateKind::Thickness);
}

long stdSizeWithTolerance(ValueRecord& result, const ValueRecord* args, int argCount) {
    return toleranceChoice(result, args, argCount, CandidateKind::Size);
}

long getArrayItem(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    Zrk_String list;
    double index = 0.0;
    if (argCount < 2 || !readText(args[0], list) || !readNumber(args[1], index)) return 0;
    Zrk_StringArray items;
    strToArr(list, items, ';');
    const long long item = truncated(index) - 1;
    if (item < 0 || item >= items.length()) return answerText(result, Zrk_String());
    return answerText(result, items[static_cast<int>(item)]);
}

long toNumber(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    if (argCount < 1) return 0;
    // A number is already one: a cell that holds 5 arrives as a number, and answers 5.
    double number = 0.0;
    if (readNumber(args[0], number)) return answerNumber(result, number);
    Zrk_String text;
    if (!readText(args[0], text)) return 0;
    return answerNumber(result, core::toDouble(text));
}

long isNull(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    if (argCount < 1) return 0;
    const ValueRecord& arg = args[0];
    Zrk_String text;
    double number = 0.0;
    if (isEmptyArg(arg)) return answerNumber(result, 1);
    if (readText(arg, text)) return answerNumber(result, text.empty() ? 1 : 0);
    if (readNumber(arg, number)) return answerNumber(result, number == 0 ? 1 : 0);
    return 0;
}

long isPositive(ValueRecord& result, const ValueRecord* args, int argCount) {
    startResult(result);
    if (argCount < 1) return 0;
    const ValueRecord& arg = args[0];
    Zrk_String text;
    double number = 0.0;
    if (isEmptyArg(arg)) return answerNumber(result, 0);
    if (readText(arg, text)) return answerNumber(result, !text.empty() && core::toDouble(text) > 0 ? 1 : 0);
    if (readNumber(arg, number)) return answerNumber(result, number > 0 ? 1 : 0);
    return 0;
}

const Zrk_Array<StandardsFunction>& standardsFunctions() {
    static const Zrk_Array<StandardsFunction> functions{
        {"ROUNDTO", 2, 2, &roundTo},
        {"GETCELL", 2, 7, &getCell},
        {"GETPROFCELL", 2, 7, &getProfCell},
        {"SECTIONSIZE", 2, 2, &sectionSize},
        {"GETSYSNAME", 1, 1, &getSysName},
        {"STDWIDTHWITHTOLERANCE", 6, 6, &stdWidthWithTolerance},
        {"STDTHICKNESSWITHTOLERANCE", 5, 5, &stdThicknessWithTolerance},
        {"STDSIZEWITHTOLERANCE", 5, 5, &stdSizeWithTolerance},
        {"GETARRAYITEM", 2, 2, &getArrayItem},
        {"TONUMBER", 1, 1, &toNumber},
        {"ISNULL", 1, 1, &isNull},
        {"ISPOSITIVE", 1, 1, &isPositive},
    };
    return functions;
}

} // namespace standards
