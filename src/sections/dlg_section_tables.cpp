#include "sections/dlg_section_tables.h"

#include <algorithm>

#include "core/files.h"
#include "core/language.h"
#include "core/macro_langs.h"
#include "core/section_tables.h"
#include "core/section_types.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "sections/section_naming.h"
#include "spreadlib/constants.h"
#include "ui/text_input.h"

namespace {

using ui::Kind;
namespace style = ui::style;
using P = DlgSectionTablesPage;

constexpr unsigned kIconButton = style::Icon;

const ui::DialogTemplate
    kTablesTemplate(P::kTemplate, "", 396, 214, ui::dialogStyle::Child,
                    {
                        {P::kTableLabel, Kind::Static, "Section table:", 7, 9, 58, 9},
                        {P::kTables, Kind::DropListCombo, "", 66, 7, 120, 150},
                        {P::kTypeLabel, Kind::Static, "Section type:", 196, 9, 58, 9},
                        {P::kType, Kind::DropListCombo, "", 255, 7, 134, 150},
                        {P::kNewTable, Kind::PushButton, "New table", 7, 25, 60, 14},
                        {P::kDeleteTable, Kind::PushButton, "Delete table", 70, 25, 60, 14},
                        {P::kRenameTable, Kind::PushButton, "Rename table", 133, 25, 60, 14},
                        {P::kSaveTable, Kind::PushButton, "Save table", 196, 25, 60, 14},
                        {P::kCopy, Kind::BitmapButton, "", 269, 25, 16, 14, kIconButton, 223},
                        {P::kPaste, Kind::BitmapButton, "", 286, 25, 16, 14, kIconButton, 224},
                        {P::kInsertRow, Kind::BitmapButton, "", 305, 25, 16, 14, kIconButton, 225},
                        {P::kDeleteRow, Kind::BitmapButton, "", 322, 25, 16, 14, kIconButton, 226},
                        {P::kRowUp, Kind::BitmapButton, "", 339, 25, 16, 14, kIconButton, 227},
                        {P::kRowDown, Kind::BitmapButton, "", 356, 25, 16, 14, kIconButton, 228},
                        {P::kFind, Kind::BitmapButton, "", 373, 25, 16, 14, kIconButton, 238},
                        {P::kGrid, Kind::Placeholder, "", 7, 44, 382, 164},
                    });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kTablesTemplate);

constexpr int kValueText = 86;

Zrk_StringArray languages() {
    Zrk_StringArray all;
    MacroLangs::GetAllLanguages(all);
    return all;
}

} // namespace

bool DlgSectionTablesPage::onInitDialog() {
    frame::setItemTextFromTable(*this, kTableLabel, 770);
    frame::setItemTextFromTable(*this, kTypeLabel, 750);
    frame::setItemTextFromTable(*this, kNewTable, 779);
    frame::setItemTextFromTable(*this, kDeleteTable, 780);
    frame::setItemTextFromTable(*this, kSaveTable, 781);
    frame::setItemTextFromTable(*this, kRenameTable, 782);
    const std::pair<int, int> tips[] = {{kCopy, 772},  {kPaste, 773},   {kInsertRow, 774}, {kDeleteRow, 775},
                                        {kRowUp, 776}, {kRowDown, 777}, {kFind, 778}};
    for (const auto& [id, text] : tips)
        setItemToolTip(id, dialString(text));

    grid.attach(this, kGrid, true);
    grid.applyStandardLook(true);
    grid.setContextMenu({Zrk_Spread::menuCopy, Zrk_Spread::menuPaste, Zrk_Spread::menuSeparator,
                         Zrk_Spread::menuInsertRow, Zrk_Spread::menuDeleteRow});

    for (const Zrk_String& name : data.tableNames)
        comboAddString(kTables, name);
    showTypes();

    int first = 0;
    Zrk_String sysName;
    if (!sections::splitSectionName(data.tableNames, start, first, sysName)) first = 0;
    loadTable(data.tableNames.isEmpty() ? -1 : first);
    int row = -1;
    if (loaded_ && !sysName.empty() && table_.findSysName(sysName, row)) {
        grid.setActiveCell(1, row + 1);
        grid.showCell(1, row + 1);
    }

    layout_.attach(this);
    for (int id : itemIds())
        layout_.track(id, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    layout_.track(kGrid, CResizer::Near | CResizer::Far, CResizer::Near | CResizer::Far);
    return true;
}

void DlgSectionTablesPage::onSize(int, int) {
    layout_.move();
}

// The 24 built-in types by their names, then the user-defined sections' drawings.
void DlgSectionTablesPage::showTypes() {
    comboResetContent(kType);
    for (const BuiltInSectionType& type : core::builtInSectionTypes())
        comboAddString(kType, core::sectionTypeDisplayText(intToStr(type.number)));
    for (const Zrk_String& name : data.userTypeNames)
        comboAddString(kType, name);
}

bool DlgSectionTablesPage::tell(const Zrk_String& text) {
    messageBox(text, dialString(754), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    return false;
}

void DlgSectionTablesPage::loadTable(int index) {
    shown_ = data.tableNames.isValid(index) ? index : -1;
    loaded_ = false;
    unsaved_ = false;
    table_ = Zrk_ProfValuesTable();
    comboSetCurSel(kTables, shown_);
    if (shown_ >= 0) {
        Zrk_String message;
        Zrk_ProfValuesTable read;
        if (read.readFromFile(data.tableNames[shown_], &message)) {
            table_ = read;
            loaded_ = true;
        } else {
            tell(dialString(766) + "\n" + message);
        }
    }
    if (!loaded_ || !table_.setToSS(&grid)) {
        // Nothing to show, or a table without sections: its columns only, so that rows can be added.
        grid.setNrRows(0);
        grid.setNrCols(loaded_ ? table_.columnNames.length() : 0, false);
        grid.setColumnHeaders(table_.columnNames);
        grid.setBool(spreadlib::kOptionChanged, false);
    }
    const Zrk_String shownType = core::sectionTypeDisplayText(table_.sectionType);
    int type = shownType.empty() ? -1 : comboFindStringExact(kType, shownType);
    if (type < 0 && !shownType.empty())
        type = comboInsertString(kType, -1, shownType); // a drawing not in the library
    comboSetCurSel(kType, type);
    enableControls();
}

void DlgSectionTablesPage::enableControls() {
    const bool table = shown_ >= 0;
    enableItem(kTables, !data.tableNames.isEmpty());
    enableItem(kDeleteTable, table);
    for (int id : {kRenameTable, kSaveTable, kTypeLabel, kType, kGrid, kCopy, kPaste, kInsertRow, kDeleteRow,
                   kRowUp, kRowDown, kFind})
        enableItem(id, loaded_);
}

bool DlgSectionTablesPage::takeFromGrid(Zrk_ProfValuesTable& table) {
    grid.setEditMode(false); // what is being typed counts
    table = table_;
    if (grid.getNrRows() >= 1)
        table.getFromSS(&grid);
    else
        table.rows.removeAll();
    if (grid.getNrCols() >= 1) grid.getColumnHeaders(table.columnNames);
    table.tableName = data.tableNames[shown_];
    const int type = comboCurSel(kType);
    table.sectionType = type >= 0 ? core::sectionTypeFromDisplayText(comboText(kType, type)) : Zrk_String();
    return true;
}

bool DlgSectionTablesPage::saveTable() {
    if (!loaded_) return true;
    Zrk_ProfValuesTable table;
    takeFromGrid(table);
    if (!table.writeToFile(table.tableName))
        return tell(dialString(763) + "\n" + Zrk_ProfValuesTable::filePath(table.tableName));
    table_ = table;
    unsaved_ = false;
    grid.setBool(spreadlib::kOptionChanged, false);
    table_.setToGlobals(&gSectionTables);
    return true;
}

void DlgSectionTablesPage::dropUnsavedTable() {
    if (!unsaved_ || shown_ < 0) return;
    data.tableNames.removeAt(shown_);
    comboDeleteString(kTables, shown_);
    loadTable(-1);
}

bool DlgSectionTablesPage::offerSave() {
    if (!loaded_ || !grid.getBool(spreadlib::kOptionChanged)) return true;
    const Zrk_String name = data.tableNames[shown_];
    switch (messageBox(dialString(785) + " <" + name + "> " + dialString(786), dialString(784),
                       ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION)) {
    case ui::IDYES:
        return saveTable();
    case ui::IDNO:
        dropUnsavedTable();
        return true;
    default:
        return false;
    }
}

void DlgSectionTablesPage::chooseTable() {
    const int chosen = comboCurSel(kTables);
    if (chosen == shown_) return;
    const Zrk_String name = comboText(kTables, chosen);
    if (!offerSave()) {
        comboSetCurSel(kTables, shown_);
        return;
    }
    loadTable(data.tableNames.find(name)); // the list may have lost an unsaved new table
}

void DlgSectionTablesPage::newTable() {
    if (!offerSave()) return;
    const Zrk_String name = findNonExistingString(dialString(779), data.tableNames, true);
    data.tableNames.append(name);
    comboAddString(kTables, name);

    Zrk_ProfValuesTable table;
    table.tableName = name;
    table.columnNames = {"SysName", "I/O"};
    table.columnNames.append(languages());
    table.columnNames.append(append(dialString(kValueText), 1));
    table.columnNames.append(append(dialString(kValueText), 2));
    Zrk_StringArray row{"", "1"};
    row.setLength(2 + languages().length());
    row.append(Zrk_StringArray{"0", "0"});
    table.rows.append(row);

    shown_ = data.tableNames.length() - 1;
    comboSetCurSel(kTables, shown_);
    table_ = table;
    loaded_ = true;
    unsaved_ = true;
    table_.setToSS(&grid);
    grid.setBool(spreadlib::kOptionChanged, true);
    comboSetCurSel(kType, -1);
    enableControls();
}

void DlgSectionTablesPage::deleteTable() {
    if (shown_ < 0) return;
    const Zrk_String name = data.tableNames[shown_];
    if (messageBox(dialString(788) + " <" + name + "> " + dialString(789), dialString(787),
                   ui::MB_YESNO | ui::MB_ICONQUESTION) != ui::IDYES)
        return;
    const Zrk_String path = Zrk_ProfValuesTable::filePath(name);
    if (!unsaved_ && !ObjectExportDeleteFile(path)) {
        tell(dialString(767) + "\n" + path);
        return;
    }
    if (gSectionTables.hasTable(name)) gSectionTables.removeTable(name);
    data.tableNames.removeAt(shown_);
    comboDeleteString(kTables, shown_);
    loadTable(data.tableNames.isEmpty() ? -1 : 0);
}

void DlgSectionTablesPage::renameTable() {
    if (!loaded_) return;
    const Zrk_String oldName = data.tableNames[shown_];
    ui::TextInput input;
    input.title = dialString(790);
    input.label = dialString(791);
    input.value = oldName;
    if (!ui::inputText(input, this)) return;
    const Zrk_String newName = trimmed(input.value);
    if (newName == oldName) return;
    if (newName.empty()) return (void)tell(dialString(751));
    if (!Zrk_ProfValuesTable::isValidName(newName)) return (void)tell(dialString(752));
    for (int i = 0; i < data.tableNames.length(); ++i)
        if (i != shown_ && isEqual(data.tableNames[i], newName, true))
            return (void)tell(dialString(753) + " <" + data.tableNames[i] + ">.");

    const Zrk_String oldPath = Zrk_ProfValuesTable::filePath(oldName);
    const bool hadFile = !unsaved_ && fileExists(oldPath);
    // Only the letter case changes: the old file is the new name's file; it is renamed first.
    const bool sameFile = hadFile && isEqual(oldName, newName, true);
    if (sameFile && !ObjectExportRenameFile(oldPath, getPath(oldPath) + newName + ".pr"))
        return (void)tell(dialString(763) + "\n" + getPath(oldPath) + newName + ".pr");

    data.tableNames[shown_] = newName;
    Zrk_ProfValuesTable table;
    takeFromGrid(table);
    if (!table.writeToFile(newName)) {
        if (!sameFile) data.tableNames[shown_] = oldName; // the old file is untouched
        return (void)tell(dialString(763) + "\n" + Zrk_ProfValuesTable::filePath(newName));
    }
    if (hadFile && !sameFile && !ObjectExportDeleteFile(oldPath)) tell(dialString(768) + "\n" + oldPath);

    comboDeleteString(kTables, shown_);
    comboInsertString(kTables, shown_, newName);
    comboSetCurSel(kTables, shown_);
    table_ = table;
    unsaved_ = false;
    int column = 1, row = 1;
    grid.getActiveCell(column, row);
    table_.setToSS(&grid); // the row headers carry the table's name
    grid.setActiveCell(column, row);
    if (gSectionTables.hasTable(oldName)) gSectionTables.removeTable(oldName);
    table_.setToGlobals(&gSectionTables);
}

void DlgSectionTablesPage::changeType() {
    if (!loaded_ || comboCurSel(kType) < 0) return;
    const Zrk_String shown = comboText(kType, comboCurSel(kType));
    Zrk_StringArray values;
    if (core::sectionTypeValueColumns(core::sectionTypeFromDisplayText(shown), values)) {
        Zrk_StringArray headers;
        grid.getColumnHeaders(headers);
        const int fixed = (headers.length() >= 7 && headers[6] == "Korean") ? 7 : 6;
        const int wanted = fixed + values.length();
        grid.setRedraw(false);
        if (grid.getNrCols() < wanted) grid.setNrCols(wanted, false);
        grid.setRedraw(true);
        if (grid.getNrCols() > wanted &&
            messageBox(dialString(793) + " " + shown + " " + dialString(794) + "\n" + dialString(795),
                       dialString(792), ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES)
            grid.setNrCols(wanted);
        grid.getColumnHeaders(headers);
        for (int i = 0; i < values.length(); ++i)
            headers[fixed + i] = values[i];
        grid.setColumnHeaders(headers);
        grid.fitAll();
    }
    grid.setBool(spreadlib::kOptionChanged, true);
}

// A copy of the active row below it, under a system name no row has.
void DlgSectionTablesPage::insertRow() {
    int column = 1, row = 0;
    if (!grid.getActiveCell(column, row) || row > grid.getNrRows()) row = 0;
    if (!grid.insertRowBelowActive(true)) return;
    Zrk_StringArray names;
    grid.readColumn(1, names);
    Zrk_String base;
    if (row >= 1) grid.getCellText(1, row, base);
    names.removeAt(row); // the new row's own copied name
    grid.setCellText(1, row + 1, findNonExistingString(base.empty() ? Zrk_String("1") : base, names));
    if (row == 0) grid.setCellText(2, 1, "1");
    grid.setActiveCell(1, row + 1);
}

bool DlgSectionTablesPage::onCommand(int id, int code) {
    if (id == kTables && code == ui::CBN_SELCHANGE) return chooseTable(), true;
    if (id == kType && code == ui::CBN_SELCHANGE) return changeType(), true;
    if (code != ui::BN_CLICKED) return ui::Dialog::onCommand(id, code);
    int column = 1, row = 1, column2 = 1, row2 = 1;
    switch (id) {
    case kNewTable:
        newTable();
        return true;
    case kDeleteTable:
        deleteTable();
        return true;
    case kRenameTable:
        renameTable();
        return true;
    case kSaveTable:
        saveTable();
        return true;
    case kCopy:
        if (grid.getSelection(column, row, column2, row2)) grid.clipboardCopy(column, row, column2, row2);
        return true;
    case kPaste:
        if (grid.getActiveCell(column, row) && grid.clipboardPaste(column, row))
            grid.setBool(spreadlib::kOptionChanged, true);
        return true;
    case kInsertRow:
        insertRow();
        return true;
    case kDeleteRow:
        grid.deleteActiveRow();
        return true;
    case kRowUp:
        grid.moveActiveRowUp();
        return true;
    case kRowDown:
        grid.moveActiveRowDown();
        return true;
    case kFind:
        grid.showFindDialog();
        return true;
    default:
        return ui::Dialog::onCommand(id, code);
    }
}
