#include "sheetdoc/dlg_sheet_layout.h"

#include "core/language.h"
#include "module/module_resources.h"
#include "module/module_state.h"

using namespace spreadlib;

namespace {

using ui::Kind;
using ui::style::Number;

const ui::DialogTemplate kSheetLayoutTemplate(
    DlgSheetLayout::kTemplate, "Sheet Layout", 300, 214,
    {
        {DlgSheetLayout::kIntro, Kind::Static, "", 7, 7, 286, 18},
        {DlgSheetLayout::kColumnsLabel, Kind::Static, "Columns:", 7, 33, 88, 9},
        {DlgSheetLayout::kColumns, Kind::Edit, "", 96, 31, 40, 14, Number},
        {DlgSheetLayout::kRowsLabel, Kind::Static, "Rows:", 150, 33, 92, 9},
        {DlgSheetLayout::kRows, Kind::Edit, "", 243, 31, 40, 14, Number},
        {DlgSheetLayout::kHeaderHeightLabel, Kind::Static, "Column header height:", 7, 51, 88, 9},
        {DlgSheetLayout::kHeaderHeight, Kind::Edit, "", 96, 49, 40, 14, Number},
        {DlgSheetLayout::kRowHeaderWidthLabel, Kind::Static, "Row header width:", 150, 51, 92, 9},
        {DlgSheetLayout::kRowHeaderWidth, Kind::Edit, "", 243, 49, 40, 14, Number},
        {DlgSheetLayout::kNamesLabel, Kind::Static, "Names:", 7, 70, 286, 9},
        {DlgSheetLayout::kColumnPreview, Kind::Placeholder, "", 7, 81, 286, 30},
        {DlgSheetLayout::kRowPreview, Kind::Placeholder, "", 7, 116, 110, 90},
        {ui::IDOK, Kind::DefPushButton, "OK", 243, 174, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 243, 192, 50, 14},
    });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kSheetLayoutTemplate);

// Counts a person may type; a grid is never larger than its library allows.
constexpr int kMaxColumns = kMaxColumnCount;
constexpr int kMaxRows = kMaxRowCount;
constexpr int kMaxHeaderSize = 1000;

void setText(ui::Dialog& dialog, int id, const Zrk_String& text) {
    if (!text.empty()) dialog.setItemText(id, text);
}

// The preview's look: no headers, editable names.
void preparePreview(Zrk_Spread& preview, bool horizontalScroll) {
    preview.applyStandardLook(true);
    preview.setRedraw(false);
    preview.setBool(kOptionHorizontalScrollBar, horizontalScroll);
    preview.setBool(kOptionVerticalScrollBar, !horizontalScroll);
    preview.setBool(kOptionRowHeaders, false);
    preview.setBool(kOptionColumnHeaders, false);
    preview.setRedraw(true);
}

// Position i: the name typed there, else the name given, else nothing.
Zrk_StringArray namesToShow(const Zrk_StringArray& typed, const Zrk_StringArray& given, int count) {
    Zrk_StringArray names;
    for (int i = 0; i < count; ++i)
        names.append(i < typed.length() ? typed[i] : i < given.length() ? given[i] : Zrk_String());
    return names;
}

} // namespace

bool DlgSheetLayout::onInitDialog() {
    if (const Zrk_String title = dialString(1369); !title.empty()) setTitle(title);
    setText(*this, kIntro, dialString(1370) + "\n" + dialString(1371));
    setText(*this, kNamesLabel, dialString(1372));
    setText(*this, kColumnsLabel, dialString(1373));
    setText(*this, kRowsLabel, dialString(1374));
    setText(*this, kHeaderHeightLabel, dialString(1375));
    setText(*this, kRowHeaderWidthLabel, dialString(1376));
    setItemInt(kColumns, columnCount);
    setItemInt(kRows, rowCount);
    setItemInt(kHeaderHeight, headerHeight);
    setItemInt(kRowHeaderWidth, rowHeaderWidth);

    columnPreview.attach(this, kColumnPreview);
    preparePreview(columnPreview, true);
    columnPreview.setNrRows(1);
    columnPreview.setRowHeightInPixels(1, headerHeight);
    fillColumnPreview();

    rowPreview.attach(this, kRowPreview);
    preparePreview(rowPreview, false);
    rowPreview.setNrCols(1);
    rowPreview.setColWidthInPixels(1, rowHeaderWidth);
    fillRowPreview();
    return true;
}

void DlgSheetLayout::collectColumnNames() {
    Zrk_StringArray shown;
    if (!columnPreview.readRow(1, shown)) return;
    for (int i = 0; i < shown.length(); ++i) {
        if (i < typedColumnNames.length())
            typedColumnNames[i] = shown[i];
        else
            typedColumnNames.append(shown[i]);
    }
}

void DlgSheetLayout::collectRowNames() {
    Zrk_StringArray shown;
    if (!rowPreview.readColumn(1, shown)) return;
    for (int i = 0; i < shown.length(); ++i) {
        if (i < typedRowNames.length())
            typedRowNames[i] = shown[i];
        else
            typedRowNames.append(shown[i]);
    }
}

void DlgSheetLayout::fillColumnPreview() {
    columnPreview.setRedraw(false);
    columnPreview.setNrCols(columnCount, false);
    columnPreview.fillRow(1, namesToShow(typedColumnNames, columnNames, columnCount));
    columnPreview.setRedraw(true);
}

void DlgSheetLayout::fillRowPreview() {
    rowPreview.setRedraw(false);
    rowPreview.setNrRows(rowCount);
    rowPreview.fillColumn(1, namesToShow(typedRowNames, rowNames, rowCount));
    rowPreview.setRedraw(true);
}

bool DlgSheetLayout::onCommand(int id, int code) {
    if (code != ui::EN_CHANGE) return ui::Dialog::onCommand(id, code);
    // A text that is no count (empty while typing, too large) changes nothing.
    bool ok = false;
    const int value = itemInt(id, &ok);
    switch (id) {
    case kColumns:
        if (!ok || value < 0 || value > kMaxColumns || value == columnCount) return true;
        collectColumnNames();
        columnCount = value;
        fillColumnPreview();
        return true;
    case kRows:
        if (!ok || value < 0 || value > kMaxRows || value == rowCount) return true;
        collectRowNames();
        rowCount = value;
        fillRowPreview();
        return true;
    case kHeaderHeight:
        if (!ok || value < 1 || value > kMaxHeaderSize) return true;
        headerHeight = value;
        columnPreview.setRowHeightInPixels(1, headerHeight);
        return true;
    case kRowHeaderWidth:
        if (!ok || value < 1 || value > kMaxHeaderSize) return true;
        rowHeaderWidth = value;
        rowPreview.setColWidthInPixels(1, rowHeaderWidth);
        return true;
    default:
        return ui::Dialog::onCommand(id, code);
    }
}

void DlgSheetLayout::onOK() {
    columnPreview.setEditMode(false); // a name being typed counts
    rowPreview.setEditMode(false);
    columnPreview.readRow(1, resultColumnNames);
    rowPreview.readColumn(1, resultRowNames);
    endDialog(ui::IDOK);
}

bool editSheetLayout(Zrk_Spread& grid) {
    if (!grid.attached) return false;
    ModuleResourceSwitch resources;
    DlgSheetLayout dialog(grid.window());
    dialog.columnCount = grid.getNrCols();
    dialog.rowCount = grid.getNrRows();
    grid.getRowHeightInPixels(0, dialog.headerHeight);
    grid.getColWidthInPixels(0, dialog.rowHeaderWidth);
    grid.getColumnHeaders(dialog.columnNames);
    grid.getRowHeaders(dialog.rowNames);
    if (dialog.doModal() != ui::IDOK) return false;

    // New columns and rows come empty (no copies of the last ones: the user asked for room), with
    // the grid's fonts.
    grid.setRedraw(false);
    grid.setNrCols(dialog.columnCount, false);
    const int oldRows = grid.getNrRows();
    grid.setMaxRows(dialog.rowCount);
    if (dialog.rowCount > oldRows) {
        FontSpec font;
        font.face = grid.defaultFontName;
        font.height = grid.defaultFontHeight;
        font.weight = kFontWeightBold;
        grid.setFont(0, oldRows + 1, 0, dialog.rowCount, font);
        font.weight = kFontWeightNormal;
        if (grid.getNrCols() >= 1) grid.setFont(1, oldRows + 1, grid.getNrCols(), dialog.rowCount, font);
    }
    grid.setColWidthInPixels(0, dialog.rowHeaderWidth);
    grid.setRowHeightInPixels(0, dialog.headerHeight);
    grid.setRowHeaders(dialog.resultRowNames);
    grid.setColumnHeaders(dialog.resultColumnNames);
    grid.setBool(kOptionChanged, true);
    grid.setRedraw(true);
    return true;
}
