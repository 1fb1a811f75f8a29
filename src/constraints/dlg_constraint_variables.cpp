#include "constraints/dlg_constraint_variables.h"
#include "constraints/dialog_texts.h"

#include <algorithm>

#include "core/language.h"
#include "core/macro_tabs.h"
#include "core/number_text.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "ui/message_box.h"

namespace {

using ui::Kind;
using V = ConstraintVariablesPage;

const ui::DialogTemplate
    kVariablesTemplate(V::kTemplate, "", 280, 214, ui::dialogStyle::Child,
                       {
                           {V::kVariablesGroup, Kind::GroupBox, "Variables", 4, 2, 272, 84},
                           {V::kVariables, Kind::Placeholder, "", 10, 13, 234, 68},
                           {V::kAdd, Kind::BitmapButton, "", 249, 13, 21, 16, ui::style::Icon, 212},
                           {V::kRemove, Kind::BitmapButton, "", 249, 33, 21, 16, ui::style::Icon, 206},
                           {V::kDimensionsGroup, Kind::GroupBox, "Dimension values", 4, 88, 272, 56},
                           {V::kDimensions, Kind::Placeholder, "", 10, 99, 260, 40},
                           {V::kEquationsGroup, Kind::GroupBox, "Equations", 4, 146, 272, 64},
                           {V::kEquations, Kind::MultiLineEdit, "", 10, 157, 260, 48, ui::style::WantReturn},
                       });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kVariablesTemplate);

enum { kNameColumn = 1, kValueColumn, kKindColumn };

Zrk_StringArray kindTexts() {
    Zrk_StringArray texts;
    for (int kind = 0; kind < core::kVariableKindCount; ++kind)
        texts.append(core::variableKindName(kind));
    return texts;
}

void prepareGrid(Zrk_Spread& grid, ui::Dialog& page, int id, bool editable, const Zrk_StringArray& headers) {
    grid.attach(&page, id, false);
    grid.applyStandardLook(editable);
    grid.setBool(spreadlib::kOptionRowHeaders, false);
    grid.setNrCols(headers.length(), false);
    grid.setColumnHeaders(headers);
    grid.setLayout(1); // the columns share the width
}

} // namespace

Zrk_String ConstraintVariablesPage::joinEquations(const Zrk_StringArray& equations) {
    // One line break between lines: a line feed followed by a carriage return would show the
    // carriage return as a stray character in the field.
    return arrToStr(equations, '\n');
}

Zrk_StringArray ConstraintVariablesPage::splitEquations(const Zrk_String& text) {
    Zrk_StringArray equations;
    Zrk_String line;
    auto take = [&] {
        if (!trimmed(line).empty()) equations.append(trimmed(line));
        line.clear();
    };
    for (char c : text) {
        if (c == '\n' || c == '\r')
            take();
        else
            line += c;
    }
    take();
    return equations;
}

bool ConstraintVariablesPage::onInitDialog() {
    constraints::setTextOf(*this, kVariablesGroup, 875);
    constraints::setTextOf(*this, kDimensionsGroup, 898);
    constraints::setTextOf(*this, kEquationsGroup, 899);
    constraints::setTipOf(*this, kAdd, 896);
    constraints::setTipOf(*this, kRemove, 897);
    prepareGrid(variables, *this, kVariables, true, {dialString(87), dialString(86), dialString(101)});
    prepareGrid(dimensions, *this, kDimensions, false, {dialString(87), dialString(86)});
    initialised_ = true;
    refresh();
    return true;
}

void ConstraintVariablesPage::setKindCells(int firstRow, int lastRow) {
    if (firstRow > lastRow) return;
    variables.setTextCells(kNameColumn, firstRow, kValueColumn, lastRow);
    variables.setComboCells(kKindColumn, firstRow, kKindColumn, lastRow, kindTexts());
}

void ConstraintVariablesPage::refresh() {
    if (!initialised_ || !data) return;
    // What the core library refused stays for correction while the same module is shown.
    if (refused_ && shownMacro_ == data->macroId && shownModule_ == data->moduleName) return;
    refused_ = false;
    shownMacro_ = data->macroId;
    shownModule_ = data->moduleName;
    const Zrk_StringArray kinds = kindTexts();
    const int rows = data->varNames.length();
    variables.setRedraw(false);
    variables.setNrRows(rows);
    setKindCells(1, rows);
    for (int row = 1; row <= rows; ++row) {
        const int i = row - 1;
        const int kind = data->varKinds.isValid(i) ? data->varKinds[i] : 0;
        variables.fillRow(row, {data->varNames[i],
                                core::numberText(data->varValues.isValid(i) ? data->varValues[i] : 0.0),
                                kinds.isValid(kind) ? kinds[kind] : Zrk_String()});
    }
    variables.applyFonts();
    variables.applyLayout();
    variables.setRedraw(true);

    const int dims = data->dimNames.length();
    dimensions.setRedraw(false);
    dimensions.setNrRows(dims);
    if (dims > 0) dimensions.setStaticCells(1, 1, 2, dims);
    for (int row = 1; row <= dims; ++row)
        dimensions.fillRow(row, {data->dimNames[row - 1],
                                 data->dimValues.isValid(row - 1) ? data->dimValues[row - 1] : Zrk_String()});
    dimensions.applyLayout();
    dimensions.setRedraw(true);

    setItemText(kEquations, joinEquations(data->equations));
}

void ConstraintVariablesPage::store() {
    if (!initialised_ || !data || !isCreated()) return;
    // The page shows another module than the record's (it was not filled yet): nothing of it to store.
    if (shownMacro_ != data->macroId || shownModule_ != data->moduleName) return;
    variables.setEditMode(false); // what is being typed counts
    const Zrk_StringArray kinds = kindTexts();
    Zrk_StringArray names;
    Zrk_Array<double> values;
    Zrk_Array<short> kindIndexes;
    for (int row = 1; row <= variables.getNrRows(); ++row) {
        Zrk_String name, value, kind;
        variables.getCellText(kNameColumn, row, name, 0);
        variables.getCellText(kValueColumn, row, value, 0);
        variables.getCellText(kKindColumn, row, kind, 0);
        // A row added and left blank is no variable (the core library would refuse the whole list).
        if (trimmed(name).empty() && trimmed(value).empty()) continue;
        names.append(trimmed(name));
        values.append(core::toDouble(value)); // the leading number; no number at all is 0
        kindIndexes.append(static_cast<short>(std::max(kinds.find(kind), 0)));
    }
    const Zrk_StringArray equations = splitEquations(itemText(kEquations));
    if (names == data->varNames && values == data->varValues && kindIndexes == data->varKinds &&
        equations == data->equations && !refused_)
        return;
    data->varNames = names;
    data->varValues = values;
    data->varKinds = kindIndexes;
    data->equations = equations;
    Zrk_String reason;
    if (UpdateVarsEqs(*data, &reason)) {
        refused_ = false;
        return;
    }
    refused_ = true;
    messageBox("The variables and equations of the module " + data->moduleName +
                   " were not written: " + reason + ".",
               dialString(884), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void ConstraintVariablesPage::addRow() {
    const int row = variables.getNrRows() + 1;
    if (!variables.setNrRows(row)) return;
    setKindCells(row, row);
    variables.fillRow(row, {Zrk_String(), Zrk_String(), kindTexts()[0]});
    variables.applyFonts();
    variables.setActiveCell(kNameColumn, row);
}

void ConstraintVariablesPage::removeRow() {
    int column = 1, row = 0;
    if (variables.getNrRows() < 1 || !variables.getActiveCell(column, row) || row < 1) return;
    variables.setEditMode(false);
    variables.deleteRowAt(row);
    if (variables.getNrRows() >= 1) variables.setActiveCell(column, std::min(row, variables.getNrRows()));
}

bool ConstraintVariablesPage::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED && id == kAdd) return addRow(), true;
    if (code == ui::BN_CLICKED && id == kRemove) return removeRow(), true;
    return ConstraintEditingPage::onCommand(id, code);
}

bool ConstraintVariablesPage::preTranslateKey(const ui::KeyPress& key) {
    if (key.key != ui::VK_ESCAPE) return false;
    endDialogAsOK();
    return true;
}
