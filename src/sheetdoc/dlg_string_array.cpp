#include "sheetdoc/dlg_string_array.h"

#include "core/language.h"
#include "module/module_resources.h"
#include "module/module_state.h"
#include "ui/dialog_size.h"

using namespace spreadlib;

namespace {

using ui::Kind;

const ui::DialogTemplate
    kStringArrayTemplate(DlgStringArray::kTemplate, "Strings", 300, 180, ui::dialogStyle::Resizable,
                         {
                             {DlgStringArray::kGrid, Kind::Placeholder, "", 7, 7, 286, 144},
                             {ui::IDOK, Kind::DefPushButton, "OK", 7, 159, 50, 14},
                             {ui::IDCANCEL, Kind::PushButton, "Cancel", 61, 159, 50, 14},
                             {DlgStringArray::kAdd, Kind::PushButton, "Add", 189, 159, 50, 14},
                             {DlgStringArray::kRemove, Kind::PushButton, "Remove", 243, 159, 50, 14},
                         });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kStringArrayTemplate);

void setText(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

} // namespace

bool DlgStringArray::onInitDialog() {
    grid.attach(this, kGrid, false);
    grid.applyStandardLook(true);
    grid.setLayout(1);
    setMinTrackSize(size());
    layoutKeeper.attach(this);
    layoutKeeper.track(kGrid, 6, 6);
    layoutKeeper.track(ui::IDOK, 3, 5);
    layoutKeeper.track(ui::IDCANCEL, 3, 5);
    layoutKeeper.track(kAdd, 5, 5);
    layoutKeeper.track(kRemove, 5, 5);
    ChangeDlgSize(this, templateName);
    if (!title.empty()) setTitle(title);
    setText(*this, ui::IDOK, 1);
    setText(*this, ui::IDCANCEL, 2);
    setText(*this, kAdd, 606);
    setText(*this, kRemove, 607);
    if (!editable) {
        showItem(kAdd, false);
        showItem(kRemove, false);
    }
    setUpGrid();
    fillGrid();
    return true;
}

void DlgStringArray::setUpGrid() {
    grid.setRedraw(false);
    grid.setBool(kOptionUserFormulas, false);
    grid.setBool(kOptionCellOverflow, true);
    grid.setBool(kOptionAutoCalc, false);
    grid.setBool(kOptionMoveActiveOnEnter, true);
    grid.setBool(kOptionDragDrop, false);
    grid.setBool(kOptionEditing, true);
    grid.setBool(kOptionNoBeep, true);
    grid.setBool(kOptionGridLines, true);
    grid.setBool(kOptionAutoClipboard, true);
    grid.setBool(kOptionVerticalScrollBar, true);
    grid.setBool(kOptionHorizontalScrollBar, false);
    grid.setBool(kOptionProcessTab, true);
    grid.setOperationMode(kModeExtendedSelect);
    // The library setting (1, -1): solid grid lines in the grid's own colour.
    grid.sheet().setGridType(1);
    grid.sheet().setGridColor(kColorDefault);
    grid.setGrayAreaColor(rgb(192, 192, 192), kColorDefault);
    grid.setNrCols(columnNames.length(), false);
    grid.setBool(kOptionRowHeaders, !rowNames.isEmpty());
    grid.setNrRows(rows.length());
    FontSpec bold;
    bold.face = "Tahoma";
    bold.height = 15;
    bold.weight = kFontWeightBold;
    FontSpec normal = bold;
    normal.weight = kFontWeightNormal;
    grid.setFont(0, 0, grid.getMaxCols(), 0, bold);
    if (grid.getMaxRows() >= 1 && grid.getMaxCols() >= 1)
        grid.setFont(1, 1, grid.getMaxCols(), grid.getMaxRows(), normal);
    grid.equalWidths();
    grid.setRedraw(true);
}

void DlgStringArray::fillGrid() {
    grid.setRedraw(false);
    grid.setColumnHeaders(columnNames);
    grid.setRowHeaders(rowNames);
    if (!rows.isEmpty()) {
        const int textColumns = std::min(rows[0].length(), grid.getMaxCols());
        if (textColumns >= 1) grid.setTextCells(1, 1, textColumns, grid.getMaxRows());
        for (int i = 0; i < rows.length(); ++i)
            grid.fillRow(i + 1, rows[i]);
    }
    grid.setRedraw(true);
}

void DlgStringArray::addRow() {
    int column = 1, row = 0;
    if (!grid.getActiveCell(column, row)) {
        column = 1;
        row = 0;
    }
    if (!grid.insertRowAt(row + 1)) return;
    grid.setFocus();
    grid.setActiveCell(column, row + 1);
}

void DlgStringArray::removeRow() {
    int column = 1, row = 1;
    if (grid.getNrRows() < 1 || !grid.getActiveCell(column, row)) return;
    grid.setEditMode(false);
    grid.deleteRowAt(row);
    if (grid.getNrRows() < 1) return;
    row = std::min(row, grid.getNrRows());
    grid.setFocus();
    grid.setActiveCell(column, row);
    Zrk_String text;
    grid.getCellText(column, row, text);
    grid.setEditMode(true);
    grid.setEditSel(0, static_cast<int>(text.size()));
}

bool DlgStringArray::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED && id == kAdd) return addRow(), true;
    if (code == ui::BN_CLICKED && id == kRemove) return removeRow(), true;
    return ui::Dialog::onCommand(id, code);
}

void DlgStringArray::onSize(int, int) {
    layoutKeeper.move();
}

void DlgStringArray::onOK() {
    grid.setEditMode(false); // what is being typed counts
    Zrk_Array<Zrk_StringArray> result;
    grid.readAllRows(result, kTextData);
    rows = std::move(result);
    endDialog(ui::IDOK);
}

void DlgStringArray::onDestroy() {
    WriteDlgSize(this, templateName);
}

bool startGridDialog(const Zrk_StringArray& columnNames, const Zrk_StringArray& rowNames,
                     Zrk_Array<Zrk_StringArray>& rows, bool editable, const Zrk_String& templateName,
                     const Zrk_String& title) {
    if (columnNames.isEmpty()) return false;
    ModuleResourceSwitch resources;
    DlgStringArray dialog;
    dialog.columnNames = columnNames;
    dialog.rowNames = rowNames;
    dialog.rows = rows;
    dialog.editable = editable;
    dialog.templateName = templateName.empty() ? Zrk_String(DlgStringArray::kDefaultName) : templateName;
    dialog.title = title;
    if (dialog.doModal() != ui::IDOK) return false;
    rows = dialog.rows;
    return true;
}
