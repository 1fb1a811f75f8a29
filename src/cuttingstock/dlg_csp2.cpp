#include "cuttingstock/dlg_csp2.h"

#include <algorithm>
#include <ctime>

#include "core/files.h"
#include "core/language.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "spreadlib/sheet.h"
#include "ui/dialog_size.h"
#include "ui/dlg_info.h"
#include "ui/file_dialogs.h"
#include "ui/text_input.h"

namespace {

using ui::Kind;
using D = DlgCSP2;
constexpr unsigned kIconButton = ui::style::Icon;

// The group box of a table with its row and file buttons along its top and its grid below.
void addTableControls(std::vector<ui::ControlTemplate>& controls, int table, int x, const char* title) {
    const auto id = [table](D::TableControl control) { return D::tableControl(table, control); };
    controls.push_back({id(D::kBox), Kind::GroupBox, title, x, 26, 150, 206});
    controls.push_back({id(D::kInsertRow), Kind::BitmapButton, "", x + 7, 38, 16, 14, kIconButton, 212});
    controls.push_back({id(D::kDeleteRow), Kind::BitmapButton, "", x + 25, 38, 16, 14, kIconButton, 206});
    if (table != DlgCSP2Data::kCutTable) {
        controls.push_back({id(D::kLoad), Kind::BitmapButton, "", x + 47, 38, 16, 14, kIconButton, 232});
        controls.push_back({id(D::kSave), Kind::BitmapButton, "", x + 65, 38, 16, 14, kIconButton, 233});
    }
    controls.push_back({id(D::kGrid), Kind::Placeholder, "", x + 7, 56, 136, 170});
}

ui::DialogTemplate makeTemplate() {
    std::vector<ui::ControlTemplate> controls = {
        {D::kGroupLabel, Kind::Static, "Group:", 7, 9, 30, 9},
        {D::kGroupCombo, Kind::DropListCombo, "", 40, 7, 150, 120},
        {D::kAddGroup, Kind::PushButton, "Add group...", 196, 7, 64, 14},
        {D::kDeleteGroup, Kind::PushButton, "Delete group", 264, 7, 64, 14},
    };
    addTableControls(controls, DlgCSP2Data::kCutTable, 7, "Lengths to cut");
    addTableControls(controls, DlgCSP2Data::kStockTable, 163, "Stock lengths");
    addTableControls(controls, DlgCSP2Data::kPurchaseTable, 319, "Lengths to buy");
    controls.push_back({D::kAllGroups, Kind::PushButton, "All groups", 7, 240, 150, 14});
    controls.push_back({D::kShowFileDialogs, Kind::CheckBox, "Show file dialogs", 163, 242, 150, 10});
    controls.push_back({ui::IDOK, Kind::DefPushButton, "OK", 365, 240, 50, 14});
    controls.push_back({ui::IDCANCEL, Kind::PushButton, "Cancel", 419, 240, 50, 14});
    return ui::DialogTemplate(D::kTemplate, "Cutting stock input", 476, 261, ui::dialogStyle::Resizable,
                              controls);
}

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(makeTemplate());

constexpr int kTextInsertRow = 616;
constexpr int kTextDeleteRow = 617;
constexpr int kTextLoad = 618;
constexpr int kTextSave = 619;
constexpr int kTextCaption = 620;
constexpr int kTextStockFiles = 626;
constexpr int kTextPurchaseFiles = 627;
constexpr int kTextSaveAllStock = 628;
constexpr int kTextLoadAllNewest = 629;
constexpr int kTextNewGroupTitle = 631;
constexpr int kTextNewGroupPrompt = 632;
constexpr int kTextNew = 171;
constexpr int kTextReportTitle = 652;
constexpr int kTextClose = 285;
constexpr int kTextForGroup = 634;
constexpr int kTextOf = 636;
// Our own: the labels and messages the dialog adds.
constexpr int kTextGroupLabel = 30451;
constexpr int kTextAddGroup = 30452;
constexpr int kTextDeleteGroup = 30453;
constexpr int kTextShowFileDialogs = 30454;
constexpr int kTextCannotRead = 30455;
constexpr int kTextCannotWrite = 30456;
constexpr int kTextCannotUseGroup = 30457;
constexpr int kTableTitles[DlgCSP2Data::kTableCount] = {30458, 30459, 30460};

// Per table with files: its extension, the filter's text, and the report's texts for none found and
// for loaded.
struct FileKind {
    const char* extension;
    int filterText;
    int noneFound;
    int loaded;
};
const FileKind& fileKind(int table) {
    static const FileKind stock{DlgCSP2Data::kStockExtension, kTextStockFiles, 633, 635};
    static const FileKind purchase{DlgCSP2Data::kPurchaseExtension, kTextPurchaseFiles, 637, 638};
    return table == DlgCSP2Data::kStockTable ? stock : purchase;
}

ui::FileDialogRequest fileRequest(ui::FileDialogRequest::Mode mode, int table, const Zrk_String& folder) {
    const FileKind& kind = fileKind(table);
    ui::FileDialogRequest request;
    request.mode = mode;
    request.title = dialString(mode == ui::FileDialogRequest::Mode::Open ? kTextLoad : kTextSave);
    request.filterName = dialString(kind.filterText) + " (*." + kind.extension + ")";
    request.extension = kind.extension;
    request.startFolder = folder;
    request.mustExist = true;
    request.overwritePrompt = true;
    return request;
}

// A file's time as the report shows it ("12 March, 2024 (09:41)", local time); empty when it cannot
// be written.
Zrk_String reportTime(std::time_t time) {
    std::tm local{};
    if (!localtime_r(&time, &local)) return Zrk_String();
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%d %B, %Y (%H:%M)", &local);
    return Zrk_String(text, length);
}

Zrk_String quoted(const Zrk_String& text) {
    return "\"" + text + "\"";
}

} // namespace

DlgCSP2::DlgCSP2(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgCSP2::onInitDialog() {
    if (const Zrk_String caption = dialString(kTextCaption); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, kGroupLabel, kTextGroupLabel);
    frame::setItemTextFromTable(*this, kAddGroup, kTextAddGroup);
    frame::setItemTextFromTable(*this, kDeleteGroup, kTextDeleteGroup);
    frame::setItemTextFromTable(*this, kShowFileDialogs, kTextShowFileDialogs);
    frame::setItemTextFromTable(*this, kAllGroups, data.stockMode ? kTextSaveAllStock : kTextLoadAllNewest);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);
    for (int table = 0; table < DlgCSP2Data::kTableCount; ++table) {
        frame::setItemTextFromTable(*this, tableControl(table, kBox), kTableTitles[table]);
        setItemToolTip(tableControl(table, kInsertRow), dialString(kTextInsertRow));
        setItemToolTip(tableControl(table, kDeleteRow), dialString(kTextDeleteRow));
        if (table != DlgCSP2Data::kCutTable) {
            setItemToolTip(tableControl(table, kLoad), dialString(kTextLoad));
            setItemToolTip(tableControl(table, kSave), dialString(kTextSave));
        }
        setUpGrid(table);
    }

    setMinTrackSize(size());
    resizer_.attach(this);
    for (int id : itemIds())
        resizer_.track(id, CResizer::Near | CResizer::Size, CResizer::Near | CResizer::Size);
    for (int table = 0; table < DlgCSP2Data::kTableCount; ++table) {
        // The three tables share the width; their buttons keep their size and stay at the top.
        resizer_.track(tableControl(table, kBox), 0, CResizer::Near | CResizer::Far);
        resizer_.track(tableControl(table, kGrid), 0, CResizer::Near | CResizer::Far);
        for (TableControl button : {kInsertRow, kDeleteRow, kLoad, kSave})
            resizer_.track(tableControl(table, button), CResizer::Size, CResizer::Near | CResizer::Size);
    }
    for (int id : {kAllGroups, kShowFileDialogs})
        resizer_.track(id, CResizer::Near | CResizer::Size, CResizer::Far | CResizer::Size);
    for (int id : {ui::IDOK, ui::IDCANCEL})
        resizer_.track(id, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    ChangeDlgSize(this, kSizeKey);

    for (const Zrk_String& name : data.groupNames)
        comboAddString(kGroupCombo, name);
    if (!data.groupIds.isEmpty()) {
        comboSetCurSel(kGroupCombo, 0);
        current_ = data.groupIds[0];
    }
    showGroup();

    if (data.stockMode) {
        for (int id : {kAddGroup, kDeleteGroup})
            enableItem(id, false);
        for (int table : {DlgCSP2Data::kCutTable, DlgCSP2Data::kPurchaseTable})
            for (TableControl control : {kBox, kGrid, kInsertRow, kDeleteRow, kLoad, kSave})
                enableItem(tableControl(table, control), false);
    } else {
        showItem(kShowFileDialogs, false);
    }
    return true;
}

void DlgCSP2::setUpGrid(int table) {
    Zrk_Spread& grid = grids_[table];
    grid.attach(this, tableControl(table, kGrid), false);
    grid.applyStandardLook(true);
    grid.setBool(spreadlib::kOptionAutoClipboard, true);
}

bool DlgCSP2::onCommand(int id, int code) {
    if (id == kGroupCombo && code == ui::CBN_SELCHANGE) {
        changeGroup(comboCurSel(kGroupCombo));
        return true;
    }
    if (code != ui::BN_CLICKED) return ui::Dialog::onCommand(id, code);
    switch (id) {
    case kAddGroup:
        addGroup();
        return true;
    case kDeleteGroup:
        deleteGroup();
        return true;
    case kAllGroups:
        if (data.stockMode)
            saveStockOfAllGroups();
        else
            loadNewestOfAllGroups();
        return true;
    default:
        break;
    }
    for (int table = 0; table < DlgCSP2Data::kTableCount; ++table) {
        if (id == tableControl(table, kInsertRow)) return insertRow(table), true;
        if (id == tableControl(table, kDeleteRow)) return deleteRow(table), true;
        if (id == tableControl(table, kLoad)) return loadFile(table), true;
        if (id == tableControl(table, kSave)) {
            Zrk_String reason;
            if (!saveFile(comboCurSel(kGroupCombo), table, true, reason)) tell(reason);
            return true;
        }
    }
    return ui::Dialog::onCommand(id, code);
}

void DlgCSP2::onOK() {
    if (data.groupIds.isValid(comboCurSel(kGroupCombo))) storeGroup();
    endDialog(ui::IDOK);
}

void DlgCSP2::onSize(int, int) {
    resizer_.move();
}

void DlgCSP2::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

void DlgCSP2::tell(const Zrk_String& message) {
    messageBox(message, dialString(kTextCaption), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

// --- showing and storing -----------------------------------------------------------------------

void DlgCSP2::showGroup() {
    for (int table = 0; table < DlgCSP2Data::kTableCount; ++table) {
        Zrk_Spread& grid = grids_[table];
        const DlgCSP2Table& stored = data.tables[table];
        const Zrk_Array<Zrk_StringArray> rows =
            current_ >= 0 ? stored.groupRows(current_) : Zrk_Array<Zrk_StringArray>();
        // As many columns as the titles, three without any, and more for a wider row, so that no
        // field of a row goes when the grid is read back.
        int columns = stored.columnHeaders.isEmpty() ? 3 : stored.columnHeaders.length();
        for (const Zrk_StringArray& row : rows)
            columns = std::max(columns, row.length());
        grid.setRedraw(false);
        grid.setEditMode(false);
        grid.setNrRows(0);
        grid.setNrCols(columns, false);
        grid.setColumnHeaders(stored.columnHeaders);
        grid.setNrRows(rows.length());
        if (!rows.isEmpty()) grid.setTextCells(1, 1, columns, rows.length());
        for (int i = 0; i < rows.length(); ++i)
            grid.fillRow(i + 1, rows[i]);
        grid.equalWidths();
        grid.setRedraw(true);
    }
}

void DlgCSP2::storeGroup() {
    if (current_ < 0) return;
    for (int table = 0; table < DlgCSP2Data::kTableCount; ++table) {
        Zrk_Spread& grid = grids_[table];
        grid.setEditMode(false); // what is being typed counts
        Zrk_Array<Zrk_StringArray> rows;
        grid.readAllRows(rows, spreadlib::kTextData);
        data.tables[table].replaceGroupRows(current_, rows);
    }
}

void DlgCSP2::changeGroup(int index) {
    if (!data.groupIds.isValid(index)) return;
    storeGroup();
    current_ = data.groupIds[index];
    showGroup();
}

// --- groups ------------------------------------------------------------------------------------

void DlgCSP2::addGroup() {
    ui::TextInput input;
    input.title = dialString(kTextNewGroupTitle);
    input.label = dialString(kTextNewGroupPrompt);
    input.value = dialString(kTextNew);
    if (!ui::inputText(input, this)) return;
    // The name becomes the group's folder in "Cutting Stock/": one that cannot be is refused here,
    // before it could lead a file anywhere else.
    Zrk_String reason;
    if (!isValidGroupFileName(input.value, &reason)) {
        tell(reason);
        return;
    }
    data.addGroup(input.value);
    const int index = comboAddString(kGroupCombo, input.value);
    comboSetCurSel(kGroupCombo, index);
    changeGroup(index);
}

void DlgCSP2::deleteGroup() {
    const int index = comboCurSel(kGroupCombo);
    if (!data.removeGroup(index)) return;
    comboDeleteString(kGroupCombo, index);
    // The shown group is gone with its rows: nothing to store.
    const int next = std::min(index, comboCount(kGroupCombo) - 1);
    comboSetCurSel(kGroupCombo, next);
    current_ = next >= 0 ? data.groupIds[next] : -1;
    showGroup();
}

// --- rows --------------------------------------------------------------------------------------

void DlgCSP2::insertRow(int table) {
    // Without a group there is nothing the row could belong to.
    if (current_ < 0) return;
    Zrk_Spread& grid = grids_[table];
    grid.setEditMode(false);
    int column = 1, row = 0;
    if (!grid.getActiveCell(column, row) || grid.getNrRows() < 1) row = 0;
    if (!grid.insertRowAt(row + 1)) return;
    grid.setTextCells(1, row + 1, grid.getNrCols(), row + 1);
    grid.setFocus();
    grid.setActiveCell(std::max(column, 1), row + 1);
}

void DlgCSP2::deleteRow(int table) {
    Zrk_Spread& grid = grids_[table];
    if (grid.getNrRows() < 1) return;
    grid.setEditMode(false);
    grid.deleteActiveRow();
}

// --- files -------------------------------------------------------------------------------------

void DlgCSP2::loadFile(int table) {
    const int index = comboCurSel(kGroupCombo);
    if (!data.groupIds.isValid(index)) return;
    storeGroup();
    Zrk_String folder, reason;
    if (!DlgCSP2Data::groupFolder(data.groupNames[index], folder, &reason)) {
        tell(dialString(kTextCannotUseGroup) + "\n" + reason);
        return;
    }
    const Zrk_String extension = fileKind(table).extension;
    ui::FileDialogRequest request = fileRequest(ui::FileDialogRequest::Mode::Open, table, folder);
    Zrk_String newest;
    std::time_t time = 0;
    if (DlgCSP2Data::newestFile(folder, extension, newest, time)) request.fileName = getFileName(newest);
    Zrk_String path;
    if (!ui::getOpenFileName(request, path, this)) return;
    // The path as chosen: on this file system a lowered path may name no file at all.
    path = DlgCSP2Data::withExtension(normalizePath(path), extension);
    Zrk_Array<Zrk_StringArray> rows;
    if (!DlgCSP2Data::readRowsFile(path, rows, &reason)) {
        tell(dialString(kTextCannotRead) + "\n" + reason);
        return;
    }
    data.tables[table].replaceGroupRows(data.groupIds[index], rows);
    showGroup();
}

bool DlgCSP2::saveFile(int index, int table, bool showDialog, Zrk_String& reason) {
    if (!data.groupIds.isValid(index)) return true;
    storeGroup();
    Zrk_String folder, why;
    if (!DlgCSP2Data::groupFolder(data.groupNames[index], folder, &why)) {
        reason = dialString(kTextCannotUseGroup) + "\n" + why;
        return false;
    }
    const Zrk_String extension = fileKind(table).extension;
    Zrk_String path = DlgCSP2Data::nextStockFileName(folder, extension);
    if (showDialog) {
        ui::FileDialogRequest request = fileRequest(ui::FileDialogRequest::Mode::Save, table, folder);
        request.fileName = getFileName(path);
        if (!ui::getSaveFileName(request, path, this)) return true;
    }
    path = DlgCSP2Data::savedFilePath(path, extension);
    if (!DlgCSP2Data::writeRowsFile(path, data.tables[table].groupRows(data.groupIds[index]), &why)) {
        reason = dialString(kTextCannotWrite) + "\n" + why;
        return false;
    }
    return true;
}

void DlgCSP2::saveStockOfAllGroups() {
    storeGroup();
    const bool ask = checkState(kShowFileDialogs) == 1;
    Zrk_String failures;
    for (int index = 0; index < data.groupIds.length(); ++index) {
        Zrk_String reason;
        // A group that cannot be written does not keep the others from being saved.
        if (!saveFile(index, DlgCSP2Data::kStockTable, ask, reason))
            failures += (failures.empty() ? "" : "\n\n") + reason;
    }
    if (!failures.empty()) tell(failures);
}

void DlgCSP2::loadNewestOfAllGroups() {
    storeGroup();
    DlgInfoData report(dialString(kTextReportTitle), dialString(kTextClose));
    const Zrk_String rule(116, '-');
    report.addLine(rule);
    for (int index = 0; index < data.groupIds.length(); ++index) {
        const Zrk_String group = quoted(data.groupNames[index]);
        Zrk_String folder, reason;
        const bool usable = DlgCSP2Data::groupFolder(data.groupNames[index], folder, &reason);
        for (int table : {DlgCSP2Data::kStockTable, DlgCSP2Data::kPurchaseTable}) {
            if (table == DlgCSP2Data::kPurchaseTable) report.addLine("");
            const FileKind& kind = fileKind(table);
            Zrk_String path;
            std::time_t time = 0;
            Zrk_Array<Zrk_StringArray> rows;
            if (!usable) {
                report.addLine(dialString(kind.noneFound) + " " + dialString(kTextForGroup) + " " + group +
                               ": " + reason);
            } else if (!DlgCSP2Data::newestFile(folder, kind.extension, path, time)) {
                report.addLine(dialString(kind.noneFound) + " " + dialString(kTextForGroup) + " " + group +
                               ".");
            } else if (!DlgCSP2Data::readRowsFile(path, rows, &reason)) {
                // The group keeps its rows; the report says why.
                report.addLine(dialString(kTextCannotRead) + " " + reason);
            } else {
                data.tables[table].replaceGroupRows(data.groupIds[index], rows);
                report.addLine(dialString(kind.loaded) + " " + quoted(getFileName(path)) + " " +
                               dialString(kTextForGroup) + " " + group + " " + dialString(kTextOf) +
                               reportTime(time));
            }
        }
        report.addLine(rule);
    }
    showGroup();
    ExportStartDlgInfo(report);
}

bool StartDlgCSP2(DlgCSP2Data& data) {
    return frame::runModalOnCopy<DlgCSP2>(data);
}
