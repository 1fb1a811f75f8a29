#include "standards/standards_sheet.h"
#include "standards/value_type.h"

#include <algorithm>

#include "core/files.h"
#include "core/text.h"
#include "spreadlib/constants.h"
#include "standards/evaluation_chain.h"
#include "standards/loaded_sheets.h"
#include "standards/mapping_file.h"
#include "standards/replace_words.h"
#include "standards/sheet_evaluation.h"
#include "standards/standards_data.h"
#include "standards/standards_timers.h"

namespace {

using standards::kFail;

Acad::ErrorStatus fail(const Zrk_String& reason) {
    standards::setFailure(reason);
    return kFail;
}

} // namespace

void KvStandardsSheet::contentBounds(int& lastColumn, int& lastRow) const {
    // Cells beyond the last one that holds anything are empty: no section, declaration or equation
    // can stand there, so the scans stop at the content.
    int usedColumn = 0, usedRow = 0;
    sheet().getUsedExtent(usedColumn, usedRow);
    lastColumn = std::min(std::max(getNrCols(), 0), usedColumn);
    lastRow = std::min(std::max(getNrRows(), 0), usedRow);
}

// --- loading and layout -----------------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::loadStandardsFile(const Zrk_String& name) {
    const Zrk_String path = standards::resolveSheetPath(name);
    setBool(spreadlib::kOptionEditing, true);
    setBool(spreadlib::kOptionArrowsExitEdit, false);
    setBool(spreadlib::kOptionUserFormulas, true);
    setBool(spreadlib::kOptionAutoCalc, false);
    // An unchanged file comes from memory: every evaluation loads its sheet anew.
    Zrk_String message;
    if (!(attached ? standards::loadedSheets().load(sheet(), path, message) : loadFile(path))) {
        if (!attached) message = lastFileMessage();
        if (folderExists(path)) return fail(path + " is a folder, not a standards spreadsheet.");
        return fail(fileExists(path) ? (message.empty() ? "Cannot load the standards spreadsheet " + path : message)
                                     : "There is no standards spreadsheet " + path + ".");
    }
    filePath = path;
    return Acad::eOk;
}

standards::SheetSections KvStandardsSheet::findSections() const {
    standards::SheetSections sections;
    int lastColumn = 0, lastRow = 0;
    contentBounds(lastColumn, lastRow);
    int found = 0;
    Zrk_String text;
    for (int row = 1; row <= lastRow && found < 4; ++row) {
        for (int column = 1; column <= lastColumn && found < 4; ++column) {
            if (!getCellText(column, row, text) || text.size() < 4 || text.size() > 6) continue;
            int* header = nullptr;
            if (isEqual(text, "Input", true)) header = &sections.input;
            else if (isEqual(text, "Output", true)) header = &sections.output;
            else if (isEqual(text, "Local", true)) header = &sections.local;
            else if (isEqual(text, "Calc", true)) header = &sections.calc;
            if (header && *header == 0) {
                *header = row;
                ++found;
            }
        }
    }
    return sections;
}

Acad::ErrorStatus KvStandardsSheet::readVarCells() {
    varCells.resetVarCells();
    const standards::SheetSections sections = findSections();
    const int firstRows[4] = {sections.input ? sections.input + 1 : 0, sections.output ? sections.output + 1 : 0,
                              sections.local ? sections.local + 1 : 0, sections.calc ? sections.calc + 1 : 0};
    int lastColumn = 0, lastRow = 0;
    contentBounds(lastColumn, lastRow);

    const auto readSection = [&](int section, KvCellType role) {
        const int first = firstRows[section];
        int last = getNrRows();
        for (int other = 0; other < 4; ++other)
            if (other != section && firstRows[other] > first) last = std::min(last, firstRows[other] - 1);
        last = std::min(last, lastRow);
        for (int row = first; row <= last; ++row) {
            for (int column = 1; column <= lastColumn; ++column) {
                KvVarCell cell;
                if (cell.initialize(*this, column, row, role) == Acad::eOk) varCells.append(cell);
            }
        }
    };
    if (!firstRows[0]) return fail("The standards spreadsheet " + filePath + " has no \"Input\" section.");
    readSection(0, KvCellType::Input);
    if (!firstRows[1]) return fail("The standards spreadsheet " + filePath + " has no \"Output\" section.");
    readSection(1, KvCellType::Output);
    if (firstRows[2]) readSection(2, KvCellType::Local);
    return Acad::eOk;
}

// --- preparation --------------------------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::initSSForInput(const KvDlgStandardsData& data) {
    if (!data.macro || !data.transaction)
        return fail("An evaluation for a macro needs the macro and the host's transaction.");

    {
        const Zrk_FunctionTimer timer(gInitSSForInput);
        genVarNames = data.genVarNames;
        genVarValues = data.genVarValues;
        if (readVarCells() != Acad::eOk) return kFail;
    }
    {
        const Zrk_FunctionTimer timer(gSSSGetFromMacro);
        if (varCells.getFromMacro(data) != Acad::eOk)
            return fail("The mapping of " + filePath + " needs a macro or a module group.");
    }
    {
        const Zrk_FunctionTimer timer(gSetMacroValuelsToSS);
        if (varCells.setValuesToSS(*this) != Acad::eOk)
            return fail("A value of the macro does not fit the type of its variable in " + filePath + ".");
    }
    const Zrk_FunctionTimer timer(gSSSreplaceGenVars);
    replaceGenVars();
    return Acad::eOk;
}

Acad::ErrorStatus KvStandardsSheet::getFromVars(const KvDlgStandardsData& data) {
    const Zrk_FunctionTimer timer(gGetFromVars);
    genVarNames = data.genVarNames;
    genVarValues = data.genVarValues;
    // Unlike a caller's evaluation for a macro, this once went on without "Input" or "Output"; a
    // sheet without them fails here too.
    if (readVarCells() != Acad::eOk) return kFail;

    const KvVarCells& caller = data.varCells;
    int locals = 0;
    for (int k = 0; k < varCells.length(); ++k) {
        KvVarCell& cell = varCells[k];
        if (cell.isLocal()) {
            ++locals;
            if (cell.setNewValue(*this, Zrk_String()) != Acad::eOk)
                return fail("The Local variable " + cell.name + " of " + filePath + " cannot be emptied.");
            continue;
        }
        const int position = k - locals;
        if (position >= caller.length())
            return fail("The caller passes " + intToStr(caller.length()) + " variables; " + filePath +
                        " needs one for its " + roleName(cell.role) + " variable " + cell.name + ".");
        const KvVarCell& given = caller[position];
        if (cell.isOutput() && given.isInput())
            return fail("The Output variable " + cell.name + " of " + filePath + " meets the caller's Input variable " +
                        given.name + ".");
        if (cell.setNewValue(*this, given.value) != Acad::eOk)
            return fail("The value \"" + given.value + "\" does not fit the " + Zrk_String(valueTypeName(cell.valueType)) +
                        " variable " + cell.name + " of " + filePath + ".");
    }
    replaceGenVars();
    return Acad::eOk;
}

// --- calculation ---------------------------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::calcMain(const KvDlgStandardsData& data) {
    {
        const Zrk_FunctionTimer timer(gCalcMain);
        if (calculate() != Acad::eOk) return kFail;
        if (varCells.getValuesFromSS(*this) != Acad::eOk)
            return fail("The outputs of " + filePath + " cannot be read.");
    }
    const Zrk_FunctionTimer timer(gSetToMacro);
    varCells.setToMacro(data);
    return Acad::eOk;
}

Acad::ErrorStatus KvStandardsSheet::calcChild(KvVarCells& callerCells) {
    {
        const Zrk_FunctionTimer timer(gCalcChild);
        if (calculate() != Acad::eOk) return kFail;
    }
    const Zrk_FunctionTimer timer(gSetToVars);
    int locals = 0;
    for (int i = 0; i < varCells.length(); ++i) {
        const KvVarCell& cell = varCells[i];
        if (cell.isLocal()) ++locals;
        if (!cell.isOutput()) continue;
        const int position = i - locals;
        if (position >= callerCells.length())
            return fail("The caller passes " + intToStr(callerCells.length()) + " variables; " + filePath +
                        " hands back its Output variable " + cell.name + " at place " + intToStr(position + 1) + ".");
        callerCells[position].value = cell.value;
    }
    return Acad::eOk;
}
