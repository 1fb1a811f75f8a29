#include "standards/dlg_standards_mapping.h"
#include "standards/value_type.h"

#include <algorithm>

#include "core/files.h"
#include "core/language.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "spreadlib/constants.h"
#include "standards/mapping_file.h"
#include "standards/object_type.h"

using namespace spreadlib;

namespace {

using ui::Kind;
using Page = StandardsMappingPage;

using standards::kFail;

// A child page, as the macro settings dialog shows its pages inside its tab control.
const ui::DialogTemplate kPageTemplate(
    Page::kTemplate, "", 320, 250, ui::dialogStyle::Child,
    {
        {Page::kListGroup, Kind::GroupBox, "Add and edit standards-spreadsheets", 4, 2, 312, 98},
        {Page::kList, Kind::Placeholder, "", 11, 14, 246, 80},
        {Page::kAdd, Kind::PushButton, "Add", 263, 14, 46, 14},
        {Page::kRemove, Kind::PushButton, "Remove", 263, 32, 46, 14},
        {Page::kUp, Kind::BitmapButton, "", 263, 52, 21, 14, ui::style::Icon, 261},
        {Page::kDown, Kind::BitmapButton, "", 288, 52, 21, 14, ui::style::Icon, 262},
        {Page::kTableGroup, Kind::GroupBox, "Choose how the Spreadsheet should be mapped to this macro", 4,
         104, 312, 143},
        {Page::kTable, Kind::Placeholder, "", 11, 116, 298, 125},
    });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kPageTemplate);

void setText(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

const char* typeText(KvValueType type) {
    switch (type) {
    case KvValueType::Int:
        return "Getal";
    case KvValueType::Double:
        return "Decim";
    default:
        return "Tekst";
    }
}

// Two mappings bind the same variables to the same objects. (isEqual alone is one-sided: a binding
// added to or taken from a stored mapping would otherwise count as no change and be lost.)
bool sameMapping(const KvSSMapping& a, const KvSSMapping& b) {
    return a.isEqual(b) && b.isEqual(a);
}

} // namespace

StandardsMappingPage::StandardsMappingPage(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

StandardsMappingPage::~StandardsMappingPage() = default;

// --- texts and choices ---------------------------------------------------------------------------

Zrk_StringArray StandardsMappingPage::standardsNames() {
    const Zrk_String folder = standards::standardsFolder();
    Zrk_StringArray paths, names;
    if (!ObjectExportFindFilesRecursive(folder, "*.kvs", paths)) return names;
    for (const Zrk_String& path : paths) {
        Zrk_String relative = path;
        if (relative.compare(0, folder.size(), folder) == 0) relative.erase(0, folder.size());
        names.append(changeExtension(relative, Zrk_String()));
    }
    return names;
}

Zrk_String StandardsMappingPage::choiceText(const KvObjectMap& object) {
    // Parts are joined by "." wherever something stands before them, so that no two objects read
    // alike (a bolt diameter of group "A" is "A.BoltsDiameter", not "ABoltsDiameter"); a section
    // column's name follows after a blank.
    Zrk_String text = object.groupName;
    if (!object.macroVar.empty()) text += (text.empty() ? "" : ".") + object.macroVar;
    Zrk_String keyword;
    if (object.type != KvObjectType::Distance && object.type != KvObjectType::MemberSectionSize &&
        standards::objectTypeKeyword(object.type, keyword))
        text += (text.empty() ? "" : ".") + keyword;
    if (!object.columnName.empty()) text += (text.empty() ? "" : " ") + object.columnName;
    return text;
}

Acad::ErrorStatus StandardsMappingPage::newMappingKey(const Zrk_StringArray& lines, Zrk_String& key) {
    for (int draw = 0; draw < kKeyDraws; ++draw) {
        Zrk_String candidate;
        if (!generateRandomString(kKeyLength, candidate)) return kFail;
        if (standards::findMappingLine(lines, candidate) < 0) {
            key = candidate;
            return Acad::eOk;
        }
    }
    return kFail;
}

// --- opening -----------------------------------------------------------------------------------

bool StandardsMappingPage::onInitDialog() {
    setText(*this, kAdd, 606);
    setText(*this, kRemove, 607);
    setItemToolTip(kUp, dialString(173));
    setItemToolTip(kDown, dialString(174));

    list.attach(this, kList, false);
    list.applyStandardLook(true);
    list.setBool(kOptionRowHeaders, false);
    // Enter takes a choice over and stays on its row: the row's variables are what follows it.
    list.setBool(kOptionMoveActiveOnEnter, false);
    list.setLayout(1);
    table.attach(this, kTable, false);
    clearTable();

    if (buildList() == Acad::eOk && validRow(currentRow)) {
        list.setActiveCell(1, currentRow + 1);
        showMapping(currentRow);
    }
    return true;
}

bool StandardsMappingPage::validRow(int row) const {
    return data && row >= 0 && row < data->ssNames.length() && row < data->mappingRefs.length();
}

// --- the row list ----------------------------------------------------------------------------------

Acad::ErrorStatus StandardsMappingPage::buildList() {
    if (!data || !data->macroMapping) return kFail;
    const Zrk_StringArray sheets = standardsNames();
    Zrk_StringArray mapsTo{kEntireMacro};
    mapsTo.append(data->moduleNames);
    const int rows = data->ssNames.length();

    list.setRedraw(false);
    list.setNrRows(0);
    list.setNrCols(2, false);
    list.setColumnHeaders({"Spreadsheet", "Maps to"});
    list.setNrRows(rows);
    if (rows > 0) {
        list.setComboCells(1, 1, 1, rows, sheets);
        list.setComboCells(2, 1, 2, rows, mapsTo);
    }
    for (int i = 0; i < rows && i < data->mappingRefs.length(); ++i) {
        list.setCellText(1, i + 1, data->ssNames[i]);
        Zrk_String module;
        list.setCellText(
            2, i + 1,
            TabMappingData::isModuleRef(data->mappingRefs[i], &module) ? module : Zrk_String(kEntireMacro));
    }
    list.applyLayout();
    list.setRedraw(true);
    return Acad::eOk;
}

Acad::ErrorStatus StandardsMappingPage::collectList() {
    if (!data) return kFail;
    const TabMappingData old = *data;
    Zrk_StringArray names, mapsTo;
    if (list.getNrRows() > 0) {
        list.readColumn(1, names);
        list.readColumn(2, mapsTo);
    }
    data->ssNames.removeAll();
    data->mappingRefs.removeAll();
    for (int i = 0; i < names.length() && i < mapsTo.length(); ++i) {
        data->ssNames.append(names[i]);
        // A new row's "Maps to" is "<Entire macro>" until a module is chosen.
        if (mapsTo[i] == kEntireMacro || mapsTo[i].empty()) {
            const Zrk_String ref = old.getMapping(names[i], i);
            data->mappingRefs.append(TabMappingData::isModuleRef(ref) ? Zrk_String() : ref);
        } else {
            data->mappingRefs.append("Module." + mapsTo[i]);
        }
    }
    if (!modified && (data->ssNames != old.ssNames || data->mappingRefs != old.mappingRefs)) modified = true;
    return Acad::eOk;
}

int StandardsMappingPage::activeListRow() const {
    int column = 0, row = 0;
    if (!list.getActiveCell(column, row) || row < 1 || row > list.getNrRows()) return -1;
    return row - 1;
}

// --- the variable table --------------------------------------------------------------------------------

void StandardsMappingPage::setUpTable() {
    table.setRedraw(false);
    table.SSReset(); // what the loaded spreadsheet brought (counts, looks, sizes) goes
    table.SSSetAppearance(1);
    for (int action = 0; action <= 2; ++action)
        table.SSSetActionKey(action, 0, 0);
    table.applyStandardLook(true);
    table.setBool(kOptionRowHeaders, true);
    table.setNrRows(0);
    table.setNrCols(2, false);
    table.setCellText(0, 0, "Type");
    table.setColumnHeaders({"Std Name", "Macro object"});
    table.applyFonts(false);
    table.setLayout(3, -1, 55);
    table.applyLayout();
    table.setRedraw(true);
}

void StandardsMappingPage::clearTable() {
    table.varCells.resetVarCells();
    variableRows.removeAll();
    workingMapping = KvSSMapping();
    tableRow_ = -1;
    tableSheet_.clear();
    setUpTable();
}

Acad::ErrorStatus StandardsMappingPage::showMapping(int row) {
    if (!data || !data->macroMapping || !validRow(row)) return kFail;
    const Zrk_String& name = data->ssNames[row];
    const Zrk_String& ref = data->mappingRefs[row];
    // Whatever happens below, the table holds nothing of the row shown before.
    clearTable();
    if (TabMappingData::isModuleRef(ref) || name.empty()) return Acad::eOk;

    table.setRedraw(false);
    if (table.loadStandardsFile(standards::standardsFolder() + ensureNoStartBSlash(normalizePath(name)) +
                                ".kvs") != Acad::eOk) {
        clearTable();
        return kFail;
    }
    // A key the file does not know leaves the mapping as it is: it starts empty, so that nothing of
    // another row is preselected.
    workingMapping = KvSSMapping();
    workingMapping.getMappingFromFile(table.filePath, ref);
    if (table.readVarCells() != Acad::eOk) {
        clearTable();
        return kFail;
    }
    const KvVarCells variables = table.varCells;
    const KvSSMapping mapping = workingMapping;
    const Zrk_String path = table.filePath;
    setUpTable();
    table.varCells = variables;
    workingMapping = mapping;
    table.filePath = path;

    table.setRedraw(false);
    appendSection(true);
    appendSection(false);
    table.applyLayout();
    table.setRedraw(true);
    tableRow_ = row;
    tableSheet_ = name;
    return Acad::eOk;
}

void StandardsMappingPage::appendSection(bool inputs) {
    const int separator = table.appendRow();
    table.setCellText(0, separator, " ");
    table.setStaticCells(1, separator, 2, separator);
    const int title = table.appendRow();
    table.setCellText(0, title, inputs ? "Input" : "Output");
    table.setStaticCells(1, title, 2, title);

    const Zrk_Array<KvObjectMap>& objects = data->macroMapping->mappedObjects();
    for (int i = 0; i < table.varCells.length(); ++i) {
        const KvVarCell& variable = table.varCells[i];
        if (inputs ? !variable.isInput() : !variable.isOutput()) continue;
        const int row = table.appendRow();
        table.setCellText(0, row, typeText(variable.valueType));
        table.setStaticCells(1, row);
        table.setCellText(1, row, variable.name);

        VariableRowLink link;
        link.row = row;
        link.varIndex = i;
        Zrk_Array<int> indexes;
        data->macroMapping->getValidVars(variable.isInput(), variable.valueType, indexes);
        // The first item is empty: choosing it takes the binding away.
        Zrk_StringArray choices{Zrk_String()};
        for (int index : indexes) {
            if (index < 0 || index >= objects.length()) continue;
            link.validObjects.append(index);
            choices.append(choiceText(objects[index]));
        }
        table.setComboCells(link.column, row, choices);

        int entry = -1, object = -1;
        if (workingMapping.findSSVar(variable.name, variable.valueType, entry) == Acad::eOk &&
            data->macroMapping->findCompatible(workingMapping.mappedObjects()[entry], object) == Acad::eOk) {
            const int position = link.validObjects.find(object);
            if (position >= 0) table.setCellText(link.column, row, choices[position + 1]);
        }
        variableRows.append(std::move(link));
    }
}

Acad::ErrorStatus StandardsMappingPage::buildWorkingMapping() {
    if (!data || !data->macroMapping) return kFail;
    Zrk_Array<KvObjectMap>& entries = workingMapping.mappedObjectsWrite();
    entries.removeAll();
    const Zrk_Array<KvObjectMap>& objects = data->macroMapping->mappedObjects();
    for (const VariableRowLink& link : variableRows) {
        Zrk_String chosen;
        if (!table.getCellText(link.column, link.row, chosen) || chosen.empty()) continue;
        int position = -1;
        for (int k = 0; k < link.validObjects.length() && position < 0; ++k)
            if (link.validObjects[k] >= 0 && link.validObjects[k] < objects.length() &&
                choiceText(objects[link.validObjects[k]]) == chosen)
                position = k;
        if (position < 0 || link.varIndex < 0 || link.varIndex >= table.varCells.length()) continue;
        const KvObjectMap& object = objects[link.validObjects[position]];
        KvObjectMap entry;
        entry.groupName = object.groupName;
        entry.macroVar = object.macroVar;
        entry.type = object.type;
        entry.ssVar = table.varCells[link.varIndex].name;
        entries.append(std::move(entry));
    }
    return Acad::eOk;
}

Acad::ErrorStatus StandardsMappingPage::saveMapping(int row) {
    if (!data || !data->macroMapping || !validRow(row)) return kFail;
    const Zrk_String ref = data->mappingRefs[row];
    if (TabMappingData::isModuleRef(ref)) return Acad::eOk;
    // Only what the table shows of this very row, for this very spreadsheet, is saved: a row that
    // could not be shown has nothing to save, and never the bindings of another.
    if (tableRow_ != row || tableSheet_ != data->ssNames[row]) return Acad::eOk;

    table.setEditMode(false); // a choice being made counts
    buildWorkingMapping();
    KvSSMapping stored;
    if (stored.getMappingFromFile(table.filePath, ref) == Acad::eOk && sameMapping(stored, workingMapping))
        return Acad::eOk;
    modified = true;

    const Zrk_String mappingFile = standards::mappingFilePath(table.filePath);
    Zrk_StringArray lines;
    standards::readMappingLines(mappingFile, lines);
    Zrk_String key;
    if (newMappingKey(lines, key) != Acad::eOk) {
        failure_ = "No new key could be found for the variable mapping of " + data->ssNames[row] + " in " +
                   mappingFile + ".";
        return kFail;
    }
    // The row names the new record only once it is written.
    if (workingMapping.setMappingToFile(table.filePath, key) != Acad::eOk) {
        failure_ =
            "The variable mapping of " + data->ssNames[row] + " could not be written to " + mappingFile + ".";
        return kFail;
    }
    data->mappingRefs[row] = key;
    return Acad::eOk;
}

// --- events -------------------------------------------------------------------------------------------

void StandardsMappingPage::reportFailure() {
    if (failure_.empty()) return;
    messageBox(failure_, Zrk_String(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    failure_.clear();
}

void StandardsMappingPage::checkCurrentRow() {
    const int candidate = activeListRow();
    if (!validRow(candidate) || candidate == currentRow) return;
    saveMapping(currentRow);
    reportFailure();
    currentRow = candidate;
    showMapping(candidate);
}

void StandardsMappingPage::beginStructureChange(int& row) {
    list.setEditMode(false);
    saveMapping(currentRow);
    reportFailure();
    row = activeListRow();
    collectList();
    tableRow_ = -1; // rows move: what the table shows belongs to no index now
}

void StandardsMappingPage::endStructureChange(int selectRow) {
    buildList();
    const int rows = data ? data->ssNames.length() : 0;
    currentRow = -1;
    if (rows == 0) {
        clearTable();
    } else {
        list.setActiveCell(1, std::clamp(selectRow, 0, rows - 1) + 1);
        list.setFocus();
        checkCurrentRow();
    }
    modified = true;
}

void StandardsMappingPage::addRow() {
    if (!data || !data->macroMapping) return;
    int row = -1;
    beginStructureChange(row);
    // The new row takes the active row's place; without one it comes first.
    const int at = std::clamp(row, 0, data->ssNames.length());
    data->ssNames.insertAt(at, Zrk_String());
    data->mappingRefs.insertAt(at, Zrk_String());
    endStructureChange(at);
}

void StandardsMappingPage::removeRow() {
    if (!data || !data->macroMapping || activeListRow() < 0) return;
    int row = -1;
    beginStructureChange(row);
    if (validRow(row)) {
        data->ssNames.removeAt(row);
        data->mappingRefs.removeAt(row);
    }
    // The row that moved up into the place; after the last row the one before it.
    endStructureChange(row);
}

void StandardsMappingPage::moveRow(int step) {
    if (!data || !data->macroMapping) return;
    // Up on the first row and Down on the last have nowhere to go: nothing happens at all.
    const int from = activeListRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= list.getNrRows()) return;
    int row = -1;
    beginStructureChange(row);
    if (validRow(row) && validRow(row + step)) {
        std::swap(data->ssNames[row], data->ssNames[row + step]);
        std::swap(data->mappingRefs[row], data->mappingRefs[row + step]);
    }
    endStructureChange(row + step);
}

bool StandardsMappingPage::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED) {
        switch (id) {
        case kAdd:
            return addRow(), true;
        case kRemove:
            return removeRow(), true;
        case kUp:
            return moveRow(-1), true;
        case kDown:
            return moveRow(1), true;
        default:
            break;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

bool StandardsMappingPage::onNotify(int id, int code, const void* details) {
    if (id != kList) return ui::Dialog::onNotify(id, code, details);
    switch (code) {
    case kGridValueChanged:
        // A change of "Spreadsheet" or "Maps to" takes effect at once.
        checkCurrentRow();
        collectList();
        showMapping(currentRow);
        return true;
    case kGridClick:
    case kGridDoubleClick:
    case kGridActiveCellChanged:
    case kGridEditStarted:
    case kGridEditEnded:
        checkCurrentRow();
        return true;
    default:
        return false;
    }
}

Acad::ErrorStatus StandardsMappingPage::commit(bool& modifiedOut) {
    failure_.clear();
    list.setEditMode(false);
    collectList();
    const bool failed = validRow(currentRow) && saveMapping(currentRow) != Acad::eOk;
    modifiedOut = modified;
    return failed ? kFail : Acad::eOk;
}
