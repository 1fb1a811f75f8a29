#include "standards/var_cell.h"

#include "core/text.h"
#include "spread/zrk_spread.h"
#include "spreadlib/constants.h"
#include "standards/standards_data.h"
#include "standards/standards_report.h"
#include "standards/standards_timers.h"

namespace {

constexpr Acad::ErrorStatus kFail = Acad::eInvalidInput;
// The limits of the wrapper's number cells (its setNumberCells).
constexpr double kNumberLimit = 99999999999999.0;

struct Keyword {
    const char* text;
    KvValueType type;
};
constexpr Keyword kKeywords[] = {{"Int", KvValueType::Int}, {"Double", KvValueType::Double}, {"String", KvValueType::String}};

} // namespace

// --- KvVarCell ---------------------------------------------------------------------------------

KvVarCell::~KvVarCell() = default;

bool KvVarCell::parseDeclaration(const Zrk_String& cellText, KvValueType& type, Zrk_String& variableName) {
    Zrk_String text = cellText;
    stripSymbols(text, /*atEnd=*/true, /*atStart=*/true);
    for (const Keyword& keyword : kKeywords) {
        if (text.compare(0, std::char_traits<char>::length(keyword.text), keyword.text) != 0) continue;
        type = keyword.type;
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
    return sheet.setCellValue(col, row, value) ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvVarCell::getCurrentValue(Zrk_Spread& sheet, Zrk_String& text) const {
    return sheet.getCellText(col, row, text) ? Acad::eOk : kFail;
}

// --- KvVarCells --------------------------------------------------------------------------------

KvVarCells::~KvVarCells() = default;

Acad::ErrorStatus KvVarCells::getFromMacro(const KvDlgStandardsData& data) {
    gInitMapping.start();
    Acad::ErrorStatus mapped = kFail;
    if (!data.moduleGroup.empty()) mapped = mapping_.initFromModuleGroup(data.moduleGroup);
    else if (!data.macro) return kFail;
    else mapped = mapping_.initFromMacro(data);
    gInitMapping.end();
    if (mapped != Acad::eOk) return Acad::eOk; // nothing can be read: no value, no cell is touched

    Zrk_FunctionTimer timer(gInitFromMacro);
    for (KvVarCell& cell : cells) {
        if (cell.isLocal()) {
            cell.setNewValue(Zrk_String());
            continue;
        }
        if (cell.setValueFromMacro(mapping_, data) == Acad::eOk) continue;
        const bool input = cell.isInput();
        standards::reportStandardsError(Zrk_String("The following ") + (input ? "Input" : "Output") + " variable couldn't be " +
                                 (input ? "retrieved" : "set") + " : \n" + cell.name +
                                 "\nMake sure the variable exists in the macro or module.\n" + "Spreadsheet : " +
                                 data.ssName);
    }
    return Acad::eOk;
}

Acad::ErrorStatus KvVarCells::setToMacro(const KvDlgStandardsData& data) {
    for (KvVarCell& cell : cells)
        if (cell.isOutput()) cell.setValueToMacro(mapping_, data);
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
