#include "spread/formulas_dlg.h"

#include <cstdlib>

#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/command_line.h"
#include "module/demo_dialogs.h"
#include "module/module_resources.h"
#include "module/module_state.h"
#include "spreadlib/constants.h"
#include "spreadlib/table_lookup.h"

namespace {

const ui::DialogTemplate kFormulasTemplate(
    DlgFormulas::kTemplateId, "Formulas", 340, 236,
    {
        {ui::IDC_STATIC, ui::Kind::Static, "File:", 7, 9, 20, 8},
        {DlgFormulas::kFileName, ui::Kind::Edit, "", 30, 7, 180, 12},
        {DlgFormulas::kLoadFromFile, ui::Kind::PushButton, "Load from File", 216, 6, 56, 14},
        {DlgFormulas::kSaveToFile, ui::Kind::PushButton, "Save to File", 277, 6, 56, 14},
        {DlgFormulas::kGrid, ui::Kind::Placeholder, "", 7, 26, 265, 203},
        {ui::IDC_STATIC, ui::Kind::GroupBox, "References", 277, 26, 56, 54},
        {DlgFormulas::kStyleDefault, ui::Kind::RadioButton, "&Default", 283, 38, 46, 10, ui::style::Group},
        {DlgFormulas::kStyleA1, ui::Kind::RadioButton, "&A1", 283, 51, 46, 10},
        {DlgFormulas::kStyleR1C1, ui::Kind::RadioButton, "&R1C1", 283, 64, 46, 10},
        {DlgFormulas::kAutoCalculate, ui::Kind::CheckBox, "Auto calculate", 277, 88, 58, 10},
        {DlgFormulas::kRecalculate, ui::Kind::PushButton, "Recalculate", 277, 102, 56, 14},
        {ui::IDOK, ui::Kind::DefPushButton, "OK", 277, 198, 56, 14},
        {ui::IDCANCEL, ui::Kind::PushButton, "Cancel", 277, 215, 56, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kFormulasTemplate);

Zrk_Spread* gCurrentGrid = nullptr;
// Look-ups that run inside look-ups (a looked-up cell whose formula looks up again).
int gLookupDepth = 0;
constexpr int kMaxLookupDepth = 16;

} // namespace

Zrk_Spread* currentFormulasGrid() {
    return gCurrentGrid;
}

DlgFormulas::DlgFormulas(QWidget* owner) : ui::Dialog(kTemplateId, owner) {}

DlgFormulas::~DlgFormulas() = default;

bool DlgFormulas::runHidden() {
    if (!create(owner())) return false;
    destroyWindow();
    return true;
}

void DlgFormulas::registerFromTable() {
    grid.registerFunction("FROMTABLE", 2, 4, &fromTable, 1);
}

bool DlgFormulas::onInitDialog() {
    if (isVisible()) {
        raise();
        activateWindow();
    }
    setItemText(kFileName, fileName);
    grid.attach(this, kGrid, /*clientRelative=*/true);
    grid.setBool(spreadlib::kOptionUserFormulas, true);
    grid.setAutoCalc(false);
    setCheck(kAutoCalculate, 0);
    checkRadioButton(kStyleDefault, kStyleR1C1, kStyleDefault);
    registerFromTable();
    grid.setNrCols(8);
    grid.setNrRows(10);
    grid.SSSetTypeNumber(1, 1, 6, 6, spreadlib::kStyleNumberCell, 2, -9999, 9999, true);
    if (!fileName.empty()) grid.loadFile(normalizePath(fileName));
    acutPrintf("Loading spreadsheet:%s\n", fileName.c_str());
    registerFromTable();

    if (mode == kRead) {
        readFile();
        endDialog(ui::IDOK);
        return true;
    }
    Zrk_Spread* previous = gCurrentGrid;
    gCurrentGrid = &grid;
    if (mode == kEvaluate) {
        grid.recalcCell(targetColumn, targetRow);
        grid.getCellText(targetColumn, targetRow, resultText, spreadlib::kTextData);
    } else if (mode == kLookup) {
        lookUp();
    }
    gCurrentGrid = previous;
    return true;
}

void DlgFormulas::readFile() {
    if (!columnNames || !rowArrays) return;
    Zrk_String topLeft;
    grid.getCellText(1, 1, topLeft, spreadlib::kTextData);
    if (topLeftText) *topLeftText = topLeft;
    grid.getColumnHeaders(*columnNames);
    grid.readAllRows(*rowArrays, spreadlib::kTextData);
}

void DlgFormulas::lookUp() {
    spreadlib::ValueRecord& result = *lookupResult;
    result.setEmpty(); // status 2: no value
    const spreadlib::ValueRecord* args = lookupArguments;
    const int count = lookupArgumentCount;
    if (count < 1) return;
    for (int i = 0; i < count; ++i)
        if (args[i].status != spreadlib::kStatusValid) return;
    if (args[0].type != spreadlib::kValueText) return;

    if (!grid.loadFile(normalizePath(args[0].text))) return;
    registerFromTable();
    spreadlib::lookUpTable(grid.sheet(), args, count,
                           callingGrid && callingGrid->attached ? &callingGrid->sheet() : nullptr, result);
    if (result.status != spreadlib::kStatusValid) return;
    switch (result.type) {
    case spreadlib::kValueLong:
        acutPrintf("Result is long: %i\n", static_cast<int>(result.longValue));
        break;
    case spreadlib::kValueDouble:
        acutPrintf("Result is double: %f\n", result.doubleValue);
        break;
    case spreadlib::kValueText:
        acutPrintf("Result is string: %s\n", result.text.c_str());
        break;
    case spreadlib::kValueCell:
        acutPrintf("Result is cell\n");
        break;
    default:
        acutPrintf("Result is range\n");
        break;
    }
}

void DlgFormulas::setReferenceStyle(int style) {
    grid.setReferenceStyle(style);
    Zrk_String formula;
    for (int row = 1; row <= 5; ++row) {
        grid.getCellText(4, row, formula, spreadlib::kTextFormula);
        if (row == 5 && formula.empty()) break;
        grid.setCellText(1, row, formula);
    }
    int width = 0;
    if (grid.getMaxTextColWidth(1, width)) grid.setColWidthInPixels(1, width);
}

bool DlgFormulas::onCommand(int id, int code) {
    if (code != ui::BN_CLICKED) return ui::Dialog::onCommand(id, code);
    switch (id) {
    case kSaveToFile:
        if (!grid.saveFile(normalizePath(itemText(kFileName)))) acutPrintf("Save failed\n");
        return true;
    case kLoadFromFile:
        if (!grid.loadFile(normalizePath(itemText(kFileName)))) acutPrintf("Load failed\n");
        registerFromTable();
        return true;
    case kAutoCalculate: {
        const bool on = checkState(kAutoCalculate) == 1;
        grid.setAutoCalc(on);
        enableItem(kRecalculate, !on);
        return true;
    }
    case kRecalculate:
        grid.recalcAll();
        return true;
    case kStyleDefault:
        setReferenceStyle(spreadlib::kRefStyleDefault);
        return true;
    case kStyleA1:
        setReferenceStyle(spreadlib::kRefStyleA1);
        return true;
    case kStyleR1C1:
        setReferenceStyle(spreadlib::kRefStyleR1C1);
        return true;
    default:
        return ui::Dialog::onCommand(id, code);
    }
}

long fromTable(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount) {
    result.setEmpty();
    // A looked-up file whose cells look up again (perhaps in itself) nests windows; the depth is
    // bounded like the library's own nesting of functions.
    if (gLookupDepth >= kMaxLookupDepth) return 1;
    ++gLookupDepth;
    const ModuleResourceSwitch resources;
    DlgFormulas window;
    window.mode = DlgFormulas::kLookup;
    window.lookupResult = &result;
    window.lookupArguments = args;
    window.lookupArgumentCount = argCount;
    window.callingGrid = gCurrentGrid;
    window.runHidden();
    --gLookupDepth;
    return 1;
}

void ReadSSFile(const Zrk_String& path, Zrk_String* topLeftText, Zrk_StringArray* columnNames,
                Zrk_Array<Zrk_StringArray>* rows) {
    const ModuleResourceSwitch resources;
    DlgFormulas window;
    window.mode = DlgFormulas::kRead;
    window.fileName = path;
    window.topLeftText = topLeftText;
    window.columnNames = columnNames;
    window.rowArrays = rows;
    window.runHidden();
}

namespace {
// The window evaluating cell (1, 1) of the sample base plate, as a person meets it.
Zrk_String demoFormulas() {
    DlgFormulas window;
    window.mode = DlgFormulas::kEvaluate;
    window.fileName = gSettings.libDir + "Connection Standards/BasePlate.kvs";
    if (window.doModal() != ui::IDOK) return "Cancelled.";
    return "Cell (1, 1) holds \"" + window.resultText + "\".";
}
[[maybe_unused]] const bool kDemo = frame::registerDemoDialog("formulas", &demoFormulas);
} // namespace

void EvaluateSS() {
    const ModuleResourceSwitch resources;
    DlgFormulas window;
    window.mode = DlgFormulas::kEvaluate;
    window.fileName = "c:\\a\\t3.sss";
    window.targetColumn = 1;
    window.targetRow = 1;
    window.doModal();
}
