#include "standards/var_cell.h"
#include "standards/value_type.h"

#include "core/text.h"
#include "spread/zrk_spread.h"
#include "spreadlib/constants.h"
#include "spreadlib/value.h"
#include "standards/evaluation_chain.h"
#include "standards/mapping_file.h"
#include "standards/standards_data.h"
#include "standards/standards_report.h"
#include "standards/standards_timers.h"

namespace {

using standards::kFail;
// The limits of the wrapper's number cells (its setNumberCells).
constexpr double kNumberLimit = 99999999999999.0;

constexpr KvValueType kKeywords[] = {KvValueType::Int, KvValueType::Double, KvValueType::String};

} // namespace

// --- KvVarCell ---------------------------------------------------------------------------------

KvVarCell::~KvVarCell() = default;

bool KvVarCell::parseDeclaration(const Zrk_String& cellText, KvValueType& type, Zrk_String& variableName) {
    Zrk_String text = cellText;
    stripSymbols(text, /*atEnd=*/true, /*atStart=*/true);
    for (const KvValueType keyword : kKeywords) {
        const char* word = valueTypeName(keyword);
        if (text.compare(0, std::char_traits<char>::length(word), word) != 0) continue;
        type = keyword;
        const std::size_t blank = text.find_first_of(core::kBlanks);
        variableName = blank == Zrk_String::npos ? Zrk_String() : text.substr(blank + 1);
        stripSymbols(variableName, false, true);
        return true;
    }
    return false;
}

Acad::ErrorStatus KvVarCell::initialize(Zrk_Spread& sheet, int column, int cellRow, KvCellType cellRole) {
    Zrk_String text;
    if (!sheet.getCellText(column, cellRow, text)) return kFail;
    KvValueType type;
    Zrk_String variableName;
    if (!parseDeclaration(text, type, variableName)) return kFail;
    name = variableName;
    valueType = type;
    col = column;
    row = cellRow;
    role = cellRole;
    return Acad::eOk;
}

Acad::ErrorStatus KvVarCell::setValueFromMacro(KvSSMapping& mapping, const KvDlgStandardsData& data) {
    return mapping.getMacroVarValue(name, valueType, value, data);
}

Acad::ErrorStatus KvVarCell::setValueToMacro(KvSSMapping& mapping, const KvDlgStandardsData& data) {
    return mapping.setMacroVarValue(name, valueType, value, data);
}

Acad::ErrorStatus KvVarCell::setValueFromOther(Zrk_Spread& sheet, const KvVarCell& other) {
    return setNewValue(sheet, other.value);
}

Acad::ErrorStatus KvVarCell::setNewValue(const Zrk_String& text) {
    value = text;
    return Acad::eOk;
}

Acad::ErrorStatus KvVarCell::setNewValue(Zrk_Spread& sheet, const Zrk_String& text) {
    value = text;
    return setValueToSS(sheet);
}

Acad::ErrorStatus KvVarCell::setValueToSS(Zrk_Spread& sheet) {
    // A cell that has the format already keeps it (an equation's result is written into a cell that
    // the variable's earlier values formatted).
    const int decimals = valueType == KvValueType::Int ? kIntDecimals : kDoubleDecimals;
    const spreadlib::CellType wanted =
        valueType == KvValueType::String
            ? spreadlib::CellType::edit(spreadlib::kStyleTextCell, kStringLength)
            : spreadlib::CellType::number(spreadlib::kStyleNumberCell, decimals, -kNumberLimit, kNumberLimit, false);
    spreadlib::CellType current;
    const bool formatted = sheet.getCellType(col, row, current) && current == wanted;
    if (!formatted && !(valueType == KvValueType::String ? sheet.setTextCells(col, row, kStringLength)
                                                         : sheet.setNumberCells(col, row, decimals)))
        return kFail;
    // An equation that failed to compute answers an error value ("#VALUE!"). A number cell takes it as
    // that error, so that whatever is computed from the variable fails too instead of taking the
    // cell's last number.
    if (valueType != KvValueType::String && spreadlib::errorFromText(value) != spreadlib::ErrorCode::None)
        return sheet.sheet().setFormula(col, row, value) ? Acad::eOk : kFail;
    return sheet.setCellValue(col, row, value) ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvVarCell::getCurrentValue(Zrk_Spread& sheet, Zrk_String& text) const {
    return sheet.getCellText(col, row, text) ? Acad::eOk : kFail;
}

// --- KvVarCells --------------------------------------------------------------------------------

KvVarCells::~KvVarCells() = default;

Acad::ErrorStatus KvVarCells::getFromMacro(const KvDlgStandardsData& data) {
    Acad::ErrorStatus mapped = kFail;
    {
        const Zrk_FunctionTimer timer(gInitMapping);
        if (!data.moduleGroup.empty())
            mapped = mapping_.initFromModuleGroup(data.moduleGroup);
        else if (!data.macro)
            return kFail;
        else
            mapped = mapping_.initFromMacro(data);
    }
    if (mapped != Acad::eOk) {
        // Nothing can be read: no value, no cell is touched. An evaluation whose variables would have
        // come from the macro then computes from empty inputs.
        bool mapsVariables = false;
        for (const KvVarCell& cell : cells) mapsVariables = mapsVariables || !cell.isLocal();
        if (mapsVariables) {
            const Zrk_String problem = standards::mappingProblem(data.ssName, data.mappingKey);
            standards::noteFailure("The variables of " + data.ssName + " cannot be read from the macro: " +
                                   (problem.empty() ? Zrk_String("its mapping cannot be set up.") : problem));
        }
        return Acad::eOk;
    }

    Zrk_FunctionTimer timer(gInitFromMacro);
    for (KvVarCell& cell : cells) {
        if (cell.isLocal()) {
            cell.setNewValue(Zrk_String());
            continue;
        }
        const bool input = cell.isInput();
        const Zrk_String role = input ? "Input" : "Output";
        if (cell.setValueFromMacro(mapping_, data) == Acad::eOk) {
            // A mapped object that no module of its group has reads as nothing, without a message.
            if (!mapping_.reachesMacroObject(cell.name, cell.valueType, data))
                standards::noteFailure(data.ssName + ": the macro has no object for the " + role + " variable " +
                                       cell.name + " (its mapping names one that no module of its group has).");
            continue;
        }
        int entry = -1;
        const bool unmapped =
            mapping_.kind == KvSSMapping::kFile && mapping_.findSSVar(cell.name, cell.valueType, entry) != Acad::eOk;
        standards::noteFailure(data.ssName + ": the " + role + " variable " + cell.name +
                               (input ? " cannot be read from the macro" : " cannot be set in the macro") +
                               (unmapped ? " (the mapping \"" + data.mappingKey + "\" does not map a " +
                                               valueTypeName(cell.valueType) + " variable of that name)."
                                         : Zrk_String(" (the macro or module has no such object).")));
        standards::reportStandardsError("The following " + role + " variable couldn't be " +
                                        (input ? "retrieved" : "set") + " : \n" + cell.name +
                                        "\nMake sure the variable exists in the macro or module.\n" +
                                        "Spreadsheet : " + data.ssName);
    }
    return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::setToMacro(const KvDlgStandardsData& data) {
    // Failures of single variables change nothing of the others; callers without a person at the
    // screen learn of them.
    for (KvVarCell& cell : cells) {
        if (!cell.isOutput()) continue;
        // An error value ("#VALUE!") is no value of any macro object: written, it would read as 0.
        // It is a result all the same (the evaluation computed it), not a failure of the evaluation.
        if (spreadlib::errorFromText(cell.value) != spreadlib::ErrorCode::None) {
            standards::noteProblem(standards::ProblemKind::Note, data.ssName + ": the Output variable " + cell.name +
                                                                     " holds the error value " + cell.value +
                                                                     "; the macro keeps its value.");
            continue;
        }
        if (cell.setValueToMacro(mapping_, data) != Acad::eOk)
            standards::noteFailure(data.ssName + ": the Output variable " + cell.name + " = \"" + cell.value +
                                   "\" cannot be written into the macro.");
    }
    return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::getValuesFromSS(Zrk_Spread& sheet) {
    for (KvVarCell& cell : cells) {
        if (!cell.isOutput()) continue;
        Zrk_String text;
        if (cell.getCurrentValue(sheet, text) != Acad::eOk) return kFail;
        cell.value = text;
    }
    return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::setValuesToSS(Zrk_Spread& sheet) {
    for (KvVarCell& cell : cells)
        if (cell.setValueToSS(sheet) != Acad::eOk) return kFail;
    return Acad::eOk;
}

bool KvVarCells::hasSameInput(const KvVarCells& other) const {
    for (const KvVarCell& cell : cells) {
        if (!cell.isInput()) continue;
        int index = -1;
        if (other.findVarCell(cell.name, index) != Acad::eOk) return false;
        const KvVarCell& namesake = other.cells[index];
        if (namesake.valueType != cell.valueType || namesake.value != cell.value) return false;
    }
    return true;
}

Acad::ErrorStatus KvVarCells::findVarCell(const Zrk_String& name, int& index) const {
    for (int i = 0; i < cells.length(); ++i) {
        if (cells[i].name == name) {
            index = i;
            return Acad::eOk;
        }
    }
    return kFail;
}
