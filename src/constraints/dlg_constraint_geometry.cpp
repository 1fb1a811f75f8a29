#include "constraints/dlg_constraint_geometry.h"

#include <map>

#include "core/language.h"
#include "module/module_resources.h"
#include "host/command_line.h"
#include "spreadlib/grid/grid_notify.h"
#include "ui/message_box.h"

namespace {

using G = ConstraintGeometryPage;

const ui::DialogTemplate kGeometryTemplate(G::kTemplate, "", 280, 214, ui::dialogStyle::Child,
                                           {
                                               {G::kGrid, ui::Kind::Placeholder, "", 4, 4, 272, 206},
                                           });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kGeometryTemplate);

Zrk_StringArray flexibilityTexts() {
    Zrk_StringArray texts;
    for (int level = core::kFlexFixed; level <= core::kFlexFlexible; ++level)
        texts.append(core::flexibilityName(level));
    return texts;
}

} // namespace

bool ConstraintGeometryPage::onInitDialog() {
    grid.attach(this, kGrid, false);
    grid.applyStandardLook(true);
    grid.setBool(spreadlib::kOptionRowHeaders, false);
    grid.setBool(spreadlib::kOptionMoveActiveOnEnter, false);
    // Narrow kind, id and check-box columns; the tag and the flexibility share the rest.
    grid.setLayout({kKindColumn, kIdColumn, kConstrainedColumn}, {80, 50, 90});
    initialised_ = true;
    refresh();
    return true;
}

void ConstraintGeometryPage::refresh() {
    if (!initialised_ || !data) return;
    fill();
}

Zrk_StringArray ConstraintGeometryPage::shownTags() {
    grid.setEditMode(false); // what is being typed counts
    Zrk_StringArray tags;
    for (int i = 0; i < data->geomIds.length(); ++i) {
        Zrk_String tag = data->nameTags.isValid(i) ? data->nameTags[i] : Zrk_String();
        const int row = shownIds_.find(data->geomIds[i]) + 1;
        if (row >= 1 && row <= grid.getNrRows()) grid.getCellText(kTagColumn, row, tag, 0);
        tags.append(tag);
    }
    return tags;
}

void ConstraintGeometryPage::fill() {
    // Tags typed but not stored yet stay with their objects: filling the list again after a change
    // of flexibility must not lose them.
    std::map<AcDbObjectId, Zrk_String> typed;
    if (grid.getNrRows() > 0) {
        grid.setEditMode(false);
        for (int row = 1; row <= grid.getNrRows() && row <= shownIds_.length(); ++row) {
            Zrk_String tag;
            grid.getCellText(kTagColumn, row, tag, 0);
            typed[shownIds_[row - 1]] = tag;
        }
    }
    const AcDbObjectId selected = selectedRow_ >= 1 && selectedRow_ <= shownIds_.length()
                                      ? shownIds_[selectedRow_ - 1]
                                      : AcDbObjectId();
    const int rows = data->geomIds.length();
    grid.setRedraw(false);
    grid.setNrCols(rows > 0 ? kColumns : 0, false);
    grid.setNrRows(rows);
    if (rows > 0) {
        grid.setColumnHeaders(
            {dialString(889), dialString(890), dialString(87), dialString(891), dialString(892)});
        grid.setStaticCells(kKindColumn, 1, kIdColumn, rows);
        grid.setTextCells(kTagColumn, 1, kTagColumn, rows);
        grid.setComboCells(kFlexColumn, 1, kFlexColumn, rows, flexibilityTexts());
        grid.setCheckBoxColumn(kConstrainedColumn);
    }
    shownIds_ = data->geomIds;
    for (int row = 1; row <= rows; ++row) {
        const int i = row - 1;
        Zrk_StringArray cells = data->geomCells.isValid(i) ? data->geomCells[i] : Zrk_StringArray();
        cells.setLength(3);
        const auto kept = typed.find(data->geomIds[i]);
        cells[2] = kept != typed.end()         ? kept->second
                   : data->nameTags.isValid(i) ? data->nameTags[i]
                                               : Zrk_String();
        const int flexibility = data->flexibility.isValid(i) ? data->flexibility[i] : core::kFlexFixed;
        cells.append(core::flexibilityName(flexibility));
        const int constrained = data->constrained.isValid(i) ? data->constrained[i] : 0;
        cells.append(constrained == 1 ? "1" : "0");
        grid.fillRow(row, cells);
        // Only the flags 0 and 1 are the person's to switch.
        grid.setCellLocked(kConstrainedColumn, row, constrained != 0 && constrained != 1);
    }
    grid.applyLayout();
    grid.setRedraw(true);
    // The object selected before stays selected (and highlighted) where it still is.
    const int row = selected.isNull() ? 0 : shownIds_.find(selected) + 1;
    selectedRow_ = row;
    if (row >= 1) {
        int column = 1, activeRow = 0;
        grid.getActiveCell(column, activeRow);
        if (activeRow != row) grid.setActiveCell(std::max(column, 1), row);
    }
}

void ConstraintGeometryPage::selectRow(int row) {
    if (!data || row < 1 || row > shownIds_.length() || row == selectedRow_) return;
    if (selectedRow_ >= 1 && selectedRow_ <= shownIds_.length())
        UnHighlightObject(*data, shownIds_[selectedRow_ - 1]);
    selectedRow_ = row;
    HighlightObject(*data, shownIds_[row - 1]);
    acedUpdateDisplay();
    startHighlightPeriod();
}

void ConstraintGeometryPage::changeFlexibility(int row) {
    const int i = data->geomIds.find(shownIds_.isValid(row - 1) ? shownIds_[row - 1] : AcDbObjectId());
    if (i < 0) return;
    Zrk_String text;
    grid.getCellText(kFlexColumn, row, text);
    const int level = flexibilityTexts().find(text);
    if (level < 0 || (data->flexibility.isValid(i) && data->flexibility[i] == level)) return;
    const long state = data->flexStates.isValid(i) ? data->flexStates[i] : 0;
    UpdateGeomFlexibility(*data, data->geomIds[i], state, level + 1);
    fill();
}

void ConstraintGeometryPage::switchConstrained(int row) {
    const int i = data->geomIds.find(shownIds_.isValid(row - 1) ? shownIds_[row - 1] : AcDbObjectId());
    if (i < 0 || !data->constrained.isValid(i)) return;
    const int stored = data->constrained[i];
    bool checked = false;
    grid.getCellBool(kConstrainedColumn, row, checked);
    if (stored != 0 && stored != 1) {
        fill(); // not the person's to switch: the cell shows the stored flag again
        return;
    }
    if (checked == (stored == 1)) return;
    UpdateConstrGeom(*data, data->geomIds[i], checked);
    fill();
}

void ConstraintGeometryPage::store() {
    if (!initialised_ || !data || !isCreated() || data->geomIds.isEmpty()) return;
    const Zrk_StringArray tags = shownTags();
    if (tags == data->nameTags) return;
    Zrk_String module = data->moduleName;
    if (SetNameTags(*data, data->geomIds, tags)) {
        fill();
        return;
    }
    // Refused: the tags stay on the page for correction, and the person learns why nothing was kept.
    messageBox(
        "The name tags of the module " + module +
            " were not written: a name tag must be unique in the module and hold no tab or line break.",
        dialString(884), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void ConstraintGeometryPage::leave() {
    if (!data) return;
    if (selectedRow_ >= 1 && selectedRow_ <= shownIds_.length())
        UnHighlightObject(*data, shownIds_[selectedRow_ - 1]);
    selectedRow_ = 0;
    acedUpdateDisplay();
}

void ConstraintGeometryPage::onDestroy() {
    leave();
    initialised_ = false;
}

bool ConstraintGeometryPage::onNotify(int id, int code, const void* details) {
    if (id != kGrid || !details || !data) return ConstraintEditingPage::onNotify(id, code, details);
    const auto& notify = *static_cast<const spreadlib::GridNotify*>(details);
    switch (code) {
    case spreadlib::kGridClick:
        if (notify.row >= 1) selectRow(notify.row);
        return true;
    case spreadlib::kGridActiveCellChanged:
        if (notify.newRow >= 1) selectRow(notify.newRow);
        return true;
    case spreadlib::kGridValueChanged:
        if (notify.col == kFlexColumn)
            changeFlexibility(notify.row);
        else if (notify.col == kConstrainedColumn)
            switchConstrained(notify.row);
        return true;
    default:
        return false;
    }
}

bool ConstraintGeometryPage::preTranslateKey(const ui::KeyPress& key) {
    if (key.key == ui::VK_ESCAPE) return handleEscape(&grid, swallowEscape_);
    return false;
}
