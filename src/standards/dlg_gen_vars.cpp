#include "standards/dlg_gen_vars.h"

#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "spreadlib/constants.h"
#include "ui/dialog_size.h"
#include "ui/file_dialogs.h"

using namespace spreadlib;

namespace {

using ui::Kind;
using Dlg = DlgGenVars;

const ui::DialogTemplate kGenVarsTemplate(
    Dlg::kTemplate, "General variables", 310, 284, ui::dialogStyle::Resizable,
    {
        {Dlg::kDrawingGroup, Kind::GroupBox, "General variables of drawings", 7, 4, 296, 130},
        {Dlg::kDrawingGrid, Kind::Placeholder, "", 14, 16, 230, 112},
        {Dlg::kDrawingAdd, Kind::PushButton, "Add", 250, 16, 46, 14},
        {Dlg::kDrawingRemove, Kind::PushButton, "Remove", 250, 34, 46, 14},
        {Dlg::kDrawingUp, Kind::BitmapButton, "", 250, 54, 21, 14, ui::style::Icon, 257},
        {Dlg::kDrawingDown, Kind::BitmapButton, "", 275, 54, 21, 14, ui::style::Icon, 258},
        {Dlg::kStandardGroup, Kind::GroupBox, "General variables of standards", 7, 138, 296, 122},
        {Dlg::kStandardGrid, Kind::Placeholder, "", 14, 150, 230, 104},
        {Dlg::kStandardAdd, Kind::PushButton, "Add", 250, 150, 46, 14},
        {Dlg::kStandardRemove, Kind::PushButton, "Remove", 250, 168, 46, 14},
        {Dlg::kStandardUp, Kind::BitmapButton, "", 250, 188, 21, 14, ui::style::Icon, 257},
        {Dlg::kStandardDown, Kind::BitmapButton, "", 275, 188, 21, 14, ui::style::Icon, 258},
        {ui::IDOK, Kind::DefPushButton, "OK", 199, 265, 50, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", 253, 265, 50, 14},
    });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kGenVarsTemplate);

// Filters can name many drawings: far more than a cell's usual 200 characters.
constexpr int kTextLength = 9999;

void setText(ui::Dialog& dialog, int id, int textId) {
    const Zrk_String text = dialString(textId);
    if (!text.empty()) dialog.setItemText(id, text);
}

// The grid a control belongs to, and which of its controls it is.
struct GridControls {
    int grid, add, remove, up, down;
};
constexpr GridControls kDrawingControls{Dlg::kDrawingGrid, Dlg::kDrawingAdd, Dlg::kDrawingRemove,
                                        Dlg::kDrawingUp, Dlg::kDrawingDown};
constexpr GridControls kStandardControls{Dlg::kStandardGrid, Dlg::kStandardAdd, Dlg::kStandardRemove,
                                         Dlg::kStandardUp, Dlg::kStandardDown};

} // namespace

DlgGenVars::DlgGenVars(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

DlgGenVars::~DlgGenVars() = default;

// --- filters --------------------------------------------------------------------------------------

Zrk_String DlgGenVars::appendToFilter(const Zrk_String& filter, const Zrk_StringArray& paths) {
    Zrk_StringArray entries;
    strToArr(filter, entries, ';');
    for (Zrk_String& entry : entries)
        entry = normalizePath(entry);
    Zrk_String result = filter;
    for (const Zrk_String& path : paths) {
        const Zrk_String normal = normalizePath(path);
        if (normal.empty() || entries.contains(normal)) continue;
        entries.append(normal);
        result += (result.empty() ? "" : ";") + normal;
    }
    return result;
}

Zrk_StringArray DlgGenVars::pathsInMacros(const Zrk_StringArray& chosen) {
    const Zrk_String macros = normalizePath(ensureEndSlash(gSettings.libDir) + "Macros/");
    Zrk_StringArray kept;
    for (const Zrk_String& path : chosen) {
        const Zrk_String normal = normalizePath(path);
        if (normal.size() <= macros.size() || normal.compare(0, macros.size(), macros) != 0) continue;
        const Zrk_String relative = normal.substr(macros.size());
        // ".." would lead out of the folder again.
        Zrk_StringArray parts;
        strToArr(relative, parts, '/');
        if (parts.contains("..")) continue;
        kept.append(relative);
    }
    return kept;
}

// --- opening ----------------------------------------------------------------------------------------

bool DlgGenVars::onInitDialog() {
    drawingGrid.attach(this, kDrawingGrid, false);
    standardGrid.attach(this, kStandardGrid, false);
    setMinTrackSize(size());
    layoutKeeper.attach(this);
    // The drawing list keeps to the top, the standard list to the bottom; the extra height is shared.
    layoutKeeper.track(kDrawingGroup, 6, 2);
    layoutKeeper.track(kDrawingGrid, 6, 2);
    layoutKeeper.track(kStandardGroup, 6, 4);
    layoutKeeper.track(kStandardGrid, 6, 4);
    for (int id : {kDrawingAdd, kDrawingRemove, kDrawingUp, kDrawingDown})
        layoutKeeper.track(id, 5, 3);
    for (int id : {kStandardAdd, kStandardRemove, kStandardUp, kStandardDown})
        layoutKeeper.track(id, 5, 1);
    layoutKeeper.track(ui::IDOK, 5, 5);
    layoutKeeper.track(ui::IDCANCEL, 5, 5);
    ChangeDlgSize(this, kSizeKey);

    setTitle(dialString(1764));
    setText(*this, kDrawingGroup, 1762);
    setText(*this, kStandardGroup, 1763);
    for (const GridControls& controls : {kDrawingControls, kStandardControls}) {
        setText(*this, controls.add, 606);
        setText(*this, controls.remove, 607);
        setItemToolTip(controls.up, dialString(173));
        setItemToolTip(controls.down, dialString(174));
    }
    setText(*this, ui::IDOK, 1);
    setText(*this, ui::IDCANCEL, 2);

    // The "..." column's header is a blank: an empty one would show the column's letter.
    setUpGrid(drawingGrid, 4, {dialString(1543), dialString(86), dialString(347), " "});
    setUpGrid(standardGrid, 5, {dialString(1543), dialString(86), dialString(1765), dialString(347), " "});
    fillGrid(drawingGrid, {&data.dwgGenVars(), &data.dwgGenValues(), &data.dwgGenFilters()});
    fillGrid(standardGrid,
             {&data.stdGenVars(), &data.stdGenValues(), &data.stdGenOverrides(), &data.stdGenFilters()});
    return true;
}

void DlgGenVars::setUpGrid(Zrk_Spread& grid, int columns, const Zrk_StringArray& headers) {
    grid.applyStandardLook(true);
    grid.setBool(kOptionRowHeaders, false);
    grid.setNrCols(columns, false);
    grid.setColumnHeaders(headers);
    // The "..." column is narrow; the others share the rest.
    grid.setLayout(4, columns, kButtonWidth);
}

void DlgGenVars::fillGrid(Zrk_Spread& grid, const std::vector<const Zrk_StringArray*>& columns) {
    grid.setRedraw(false);
    const int rows = columns.front()->length();
    grid.setNrRows(std::max(rows, 1));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        Zrk_StringArray texts = *columns[c];
        texts.setLength(rows); // a shorter list reads as empty texts
        grid.fillColumn(static_cast<int>(c) + 1, texts);
    }
    setButtons(grid);
    grid.applyLayout();
    grid.setRedraw(true);
}

void DlgGenVars::setButtons(Zrk_Spread& grid) {
    const int rows = grid.getNrRows();
    const int last = grid.getNrCols();
    if (rows < 1) return;
    grid.setTextCells(1, 1, last - 1, rows, kTextLength);
    grid.setButtonCells(last, 1, last, rows, "...");
}

// --- rows -----------------------------------------------------------------------------------------------

void DlgGenVars::addRow(Zrk_Spread& grid) {
    int column = 1, row = 1;
    if (!grid.getActiveCell(column, row)) row = 1;
    grid.setEditMode(false);
    const int at = std::clamp(row, 1, grid.getNrRows() + 1);
    if (!grid.insertRowAt(at)) return;
    setButtons(grid);
    grid.setFocus();
    grid.setActiveCell(1, at);
}

void DlgGenVars::removeRow(Zrk_Spread& grid) {
    grid.setEditMode(false);
    if (!grid.deleteActiveRow()) return;
    setButtons(grid);
    int column = 1, row = 1;
    grid.getActiveCell(column, row);
    if (grid.getNrRows() >= 1) grid.setActiveCell(column, std::clamp(row, 1, grid.getNrRows()));
    grid.setFocus();
}

void DlgGenVars::moveRow(Zrk_Spread& grid, bool up) {
    grid.setEditMode(false);
    if (!(up ? grid.moveActiveRowUp() : grid.moveActiveRowDown())) return;
    setButtons(grid);
    grid.setFocus();
}

void DlgGenVars::chooseDrawings(Zrk_Spread& grid) {
    int column = 0, row = 0;
    if (!grid.getActiveCell(column, row) || row < 1 || row > grid.getNrRows()) return;
    grid.setEditMode(false);
    Zrk_StringArray chosen;
    if (!DlgOpenMulti("Drawings", "json", ensureEndSlash(gSettings.libDir) + "Macros/",
                      "Select the drawings and folders that apply to this general variable", chosen, this))
        return;
    const int filterColumn = grid.getNrCols() - 1;
    Zrk_String filter;
    grid.getCellText(filterColumn, row, filter);
    grid.setCellText(filterColumn, row, appendToFilter(filter, pathsInMacros(chosen)));
}

bool DlgGenVars::onCommand(int id, int code) {
    for (const GridControls& controls : {kDrawingControls, kStandardControls}) {
        Zrk_Spread& grid = controls.grid == kDrawingGrid ? drawingGrid : standardGrid;
        if (id == controls.grid && code == kGridButtonClicked) return chooseDrawings(grid), true;
        if (code != ui::BN_CLICKED) continue;
        if (id == controls.add) return addRow(grid), true;
        if (id == controls.remove) return removeRow(grid), true;
        if (id == controls.up) return moveRow(grid, true), true;
        if (id == controls.down) return moveRow(grid, false), true;
    }
    return ui::Dialog::onCommand(id, code);
}

// --- closing -------------------------------------------------------------------------------------------

void DlgGenVars::readGrid(const Zrk_Spread& grid, const std::vector<Zrk_StringArray*>& columns) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
        Zrk_StringArray texts;
        if (grid.getNrRows() > 0) grid.readColumn(static_cast<int>(c) + 1, texts);
        *columns[c] = std::move(texts);
    }
}

void DlgGenVars::onOK() {
    drawingGrid.setEditMode(false); // what is being typed counts
    standardGrid.setEditMode(false);
    readGrid(drawingGrid, {&data.dwgGenVars(), &data.dwgGenValues(), &data.dwgGenFilters()});
    readGrid(standardGrid,
             {&data.stdGenVars(), &data.stdGenValues(), &data.stdGenOverrides(), &data.stdGenFilters()});
    endDialog(ui::IDOK);
}

void DlgGenVars::onSize(int, int) {
    layoutKeeper.move();
}

void DlgGenVars::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

bool StartDlgGenVars(KvAutoStandardsData& data) {
    return frame::runModalOnCopy<DlgGenVars>(data);
}
