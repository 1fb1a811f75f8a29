#include "constraints/dlg_constraint_list.h"
#include "constraints/dialog_texts.h"

#include <QCursor>
#include <algorithm>

#include "core/language.h"
#include "core/text.h"
#include "module/module_resources.h"
#include "host/command_line.h"
#include "spreadlib/grid/grid_notify.h"
#include "ui/button_st.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"

namespace {

using ui::Kind;
using L = ConstraintListPage;
namespace style = ui::style;

constexpr unsigned kPictureStyle = style::Checkable | style::Disabled;

const ui::DialogTemplate kListTemplate(
    L::kTemplate, "Regels editeren", 280, 214, ui::dialogStyle::Child,
    {
        {L::kGrid, Kind::Placeholder, "", 4, 4, 272, 118},
        {L::kValueLabel, Kind::Static, "Value:", 4, 130, 40, 8},
        {L::kValue, Kind::Edit, "", 46, 128, 70, 12, style::Disabled},
        {L::kNameLabel, Kind::Static, "Variable:", 124, 130, 46, 8},
        {L::kName, Kind::Edit, "", 172, 128, 104, 12, style::Disabled},
        {L::kChoiceLabel, Kind::Static, "Choice:", 4, 148, 40, 8},
        {L::kChoice, Kind::DropListCombo, "", 46, 146, 70, 80, style::Disabled},
        {L::kFlag1, Kind::CheckBox, "Driving", 124, 147, 44, 10, style::Disabled},
        {L::kFlag2, Kind::CheckBox, "Shown", 172, 147, 104, 10, style::Disabled},
        {L::kPictures[0], Kind::BitmapButton, "", 4, 166, 26, 24, kPictureStyle},
        {L::kPictures[1], Kind::BitmapButton, "", 32, 166, 26, 24, kPictureStyle},
        {L::kPictures[2], Kind::BitmapButton, "", 60, 166, 26, 24, kPictureStyle},
        {L::kPictures[3], Kind::BitmapButton, "", 88, 166, 26, 24, kPictureStyle},
        {L::kPictures[4], Kind::BitmapButton, "", 116, 166, 26, 24, kPictureStyle},
        {L::kCutEditor, Kind::PushButton, "Edit...", 172, 171, 50, 14, style::Hidden},
        {L::kDelete, Kind::BitmapButton, "", 255, 170, 21, 16, style::Icon | style::Disabled, 206},
    });

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kListTemplate);

// The picture files are drawn with this colour where the button shows through.
constexpr unsigned kPictureGround = 0xFF00FF;
constexpr const char* kMenuBreak = "%BREAK%";

// The name quoted, then each part as a sentence of its own.
Zrk_String nameMessage(const Zrk_String& name, std::initializer_list<int> sentences, bool lastApart) {
    Zrk_String text = "\"" + name + "\"\n";
    const int count = static_cast<int>(sentences.size());
    int k = 0;
    for (int id : sentences) {
        ++k;
        text += dialString(id) + ".";
        if (k < count) text += k == count - 1 && lastApart ? "\n\n" : "\n";
    }
    return text;
}

} // namespace

bool ConstraintListPage::onInitDialog() {
    constraints::setTextOf(*this, kValueLabel, 880);
    constraints::setTextOf(*this, kNameLabel, 221);
    constraints::setTextOf(*this, kChoiceLabel, 228);
    constraints::setTextOf(*this, kFlag1, 881);
    constraints::setTextOf(*this, kFlag2, 1328);
    constraints::setTextOf(*this, kCutEditor, 862);
    const Zrk_String deleteTip = dialString(882);
    if (!deleteTip.empty()) setItemToolTip(kDelete, deleteTip);
    for (int k = 0; k < kPictureCount; ++k)
        setItemToolTip(kPictures[k], append("Enum ", k + 1));
    grid.attach(this, kGrid, false);
    grid.applyStandardLook(false);
    grid.setBool(spreadlib::kOptionRowHeaders, false);
    grid.setLayout(1); // the columns share the width
    if (data) sortedColumn_ = data->sortColumn;
    initialised_ = true;
    return true;
}

void ConstraintListPage::refresh() {
    if (!initialised_ || !data) return;
    fill();
}

void ConstraintListPage::fill() {
    // The columns follow the first constraint's cells; a module without constraints shows the
    // headers over an empty list.
    const int rows = data->constrCells.length();
    const int columns = rows > 0 ? std::max(data->constrCells[0].length(), 1) : 4;
    grid.setRedraw(false);
    grid.setNrCols(columns, false);
    grid.setNrRows(rows);
    const Zrk_String object = dialString(2333);
    Zrk_StringArray headers{dialString(87), dialString(883), append(object, 1), append(object, 2)};
    headers.setLength(columns);
    grid.setColumnHeaders(headers);
    if (rows > 0) grid.setStaticCells(1, 1, columns, rows);
    for (int row = 1; row <= rows; ++row) {
        Zrk_StringArray cells = data->constrCells[row - 1];
        cells.setLength(columns);
        grid.fillRow(row, cells);
    }
    grid.applyLayout();
    grid.setRedraw(true);
    selected_ = -1;
    const int current = data->indexOfId(data->currentId);
    selectConstraint(current >= 0 ? current : 0);
}

void ConstraintListPage::clearDetails() {
    for (int id : {kValue, kName})
        setItemText(id, Zrk_String());
    comboResetContent(kChoice);
    setCheck(kFlag1, 0);
    setCheck(kFlag2, 0);
    for (int id : {kValue, kName, kChoice, kFlag1, kFlag2})
        enableItem(id, false);
    for (int id : kPictures) {
        setCheck(id, 0);
        enableItem(id, false);
        if (auto* button = itemAs<CButtonST>(id)) button->setBitmapFile(Zrk_String(), kPictureGround);
    }
    showItem(kCutEditor, false);
    enableItem(kDelete, data && data->constrCells.length() > 0);
    picturesInUse_ = 0;
    secondGroupStart_ = -1;
    groupCount_ = 0;
}

void ConstraintListPage::selectConstraint(int index) {
    if (!initialised_ || !data || index == selected_) return;
    selecting_ = true;
    // Column 1 shows the names as the record has them (a name typed over is put right).
    for (int row = 1; row <= grid.getNrRows() && row <= data->constrCells.length(); ++row) {
        const Zrk_StringArray& cells = data->constrCells[row - 1];
        grid.setCellText(1, row, cells.isValid(0) ? cells[0] : Zrk_String());
    }
    clearDetails();
    selected_ = -1;
    if (!data->isValidConstraint(index)) {
        selecting_ = false;
        return;
    }
    selected_ = index;
    showItem(kCutEditor, data->cutFlags[index] == 1);
    for (int kind : data->attributeKinds[index]) {
        switch (kind) {
        case core::kAttrValue:
            enableItem(kValue);
            setItemText(kValue, data->valueTexts[index]);
            break;
        case core::kAttrVariable:
            enableItem(kName);
            setItemText(kName, data->variableNames[index]);
            break;
        case core::kAttrChoice:
            enableItem(kChoice);
            for (const Zrk_String& choice : data->choiceLists[index])
                comboAddString(kChoice, choice);
            comboSetCurSel(kChoice, data->choiceIndices[index]);
            break;
        case core::kAttrFlags:
            enableItem(kFlag1);
            setCheck(kFlag1, data->flags1[index] ? 1 : 0);
            setCheck(kFlag2, data->flags2.isValid(index) && data->flags2[index] ? 1 : 0);
            enableItem(kFlag2, checkState(kFlag1) == 1);
            break;
        default:
            break;
        }
    }
    showPictures(index);
    int column = 1, row = 0;
    grid.getActiveCell(column, row);
    if (row != index + 1) grid.setActiveCell(std::max(column, 1), index + 1);
    data->currentId = data->constrIds[index];
    HighlightConstraint(*data, index);
    acedUpdateDisplay();
    startHighlightPeriod();
    selecting_ = false;
}

void ConstraintListPage::showPictures(int index) {
    const Zrk_StringArray& options =
        data->pictureOptions.isValid(index) ? data->pictureOptions[index] : Zrk_StringArray();
    const Zrk_Array<int>& selections = data->optionSelections[index];
    int pictures = 0;
    for (const Zrk_String& option : options)
        pictures += option == core::kRadioBreak ? 0 : 1;
    // Five buttons: pictures beyond them are left out rather than written past the buttons.
    if (pictures > kPictureCount)
        acutPrintf("*Error* The constraint %s offers %d pictures; the %d after the first %d are left out.\n",
                   data->constrCells[index].isValid(0) ? data->constrCells[index][0].c_str() : "", pictures,
                   pictures - kPictureCount, kPictureCount);
    int used = 0;
    int groupStart = 1;
    for (const Zrk_String& option : options) {
        if (option == core::kRadioBreak) {
            if (groupCount_ >= 2) break;
            const int slot = groupCount_;
            if (selections.isValid(slot)) {
                const int chosen = selections[slot];
                if (chosen >= groupStart && chosen <= used) setCheck(kPictures[chosen - 1], 1);
            }
            ++groupCount_;
            if (groupCount_ == 1) secondGroupStart_ = used + 1;
            groupStart = used + 1;
            continue;
        }
        if (used >= kPictureCount) continue;
        if (auto* button = itemAs<CButtonST>(kPictures[used])) button->setBitmapFile(option, kPictureGround);
        ++used;
    }
    picturesInUse_ = used;
    for (int k = 0; k < used; ++k)
        enableItem(kPictures[k]);
}

Zrk_Array<int> ConstraintListPage::pictureSelections() const {
    // One slot a group: the number of the group's checked button, 0 when none is.
    Zrk_Array<int> perGroup;
    for (int group = 0; group < groupCount_; ++group) {
        const int first = group == 0 ? 1 : secondGroupStart_;
        const int last = group == 0 && secondGroupStart_ > 0 ? secondGroupStart_ - 1 : picturesInUse_;
        int chosen = 0;
        for (int k = first; k <= last && k <= kPictureCount; ++k)
            if (checkState(kPictures[k - 1]) == 1) chosen = k;
        perGroup.append(chosen);
    }
    return perGroup;
}

void ConstraintListPage::clickPicture(int button) {
    if (button < 1 || button > picturesInUse_) return;
    const bool second = secondGroupStart_ > 0 && button >= secondGroupStart_;
    const int first = second ? secondGroupStart_ : 1;
    const int last = !second && secondGroupStart_ > 0 ? secondGroupStart_ - 1 : picturesInUse_;
    for (int k = first; k <= last; ++k)
        setCheck(kPictures[k - 1], k == button ? 1 : 0);
}

void ConstraintListPage::store() {
    if (!initialised_ || !data || !isCreated()) return;
    const int index = selected_;
    if (!data->isValidConstraint(index) || data->cutFlags[index] != 0) return;
    const Zrk_Array<int>& kinds = data->attributeKinds[index];
    const Zrk_String value = itemText(kValue);
    const Zrk_String name = itemText(kName);
    const int flag1 = checkState(kFlag1) == 1 ? 1 : 0;
    const int flag2 = checkState(kFlag2) == 1 ? 1 : 0;
    const int choice = comboCurSel(kChoice);
    Zrk_Array<int> selections = pictureSelections();
    bool changed = false;
    if (kinds.contains(core::kAttrValue)) changed |= value != data->valueTexts[index];
    if (kinds.contains(core::kAttrVariable)) changed |= name != data->variableNames[index];
    if (kinds.contains(core::kAttrChoice)) changed |= choice != data->choiceIndices[index];
    if (kinds.contains(core::kAttrFlags))
        changed |= flag1 != data->flags1[index] || flag2 != data->flags2[index];
    if (selections.length() != data->optionSelections[index].length()) {
        acutPrintf("*Error* Array size mismatch.\n");
        selections = data->optionSelections[index];
    } else {
        changed |= selections != data->optionSelections[index];
    }
    if (!changed) return;
    if (kinds.contains(core::kAttrValue)) data->valueTexts[index] = value;
    if (kinds.contains(core::kAttrVariable)) data->variableNames[index] = name;
    if (kinds.contains(core::kAttrChoice)) data->choiceIndices[index] = choice;
    if (kinds.contains(core::kAttrFlags)) {
        data->flags1[index] = flag1;
        data->flags2[index] = flag2;
    }
    data->optionSelections[index] = selections;
    const Zrk_String constraint =
        data->constrCells[index].isValid(0) ? data->constrCells[index][0] : Zrk_String();
    if (UpdateConstraint(*data, index)) return;
    // Refused: the record shows the drawing again, and the person learns that his edit was not kept.
    messageBox("The changes of the constraint " + constraint +
                   " were not written: a value that is no number, a variable name that is not valid or "
                   "in use, or a choice the constraint does not offer.",
               dialString(884), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void ConstraintListPage::leave() {
    if (!data) return;
    UnHighlightConstraints(*data);
    acedUpdateDisplay();
}

void ConstraintListPage::onDestroy() {
    leave();
    initialised_ = false;
}

bool ConstraintListPage::checkVariableName() {
    const int index = selected_;
    if (!data || !data->isValidConstraint(index) ||
        !data->attributeKinds[index].contains(core::kAttrVariable))
        return true;
    const Zrk_String name = itemText(kName);
    if (name == data->variableNames[index]) return true;
    bool inUse = false;
    if (VarNameInUse(*data, name, inUse) && inUse) {
        messageBox(nameMessage(name, {857, 858}, false), dialString(856), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    if (hasOnlyLettersNumbers(name) && startsWithNumber(name)) {
        messageBox(nameMessage(name, {885, 886, 887, 888}, true), dialString(884),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    if (!hasOnlyLettersNumbers(name)) {
        messageBox(nameMessage(name, {1455, 1456, 888}, true), dialString(884),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void ConstraintListPage::sortBy(int column) {
    if (!data || column < 1 || column > 4 || column == sortedColumn_) return;
    const int previous = sortedColumn_ > 0 ? sortedColumn_ : column % 4 + 1;
    store();
    if (!SortConstraints(*data, column, previous)) return;
    sortedColumn_ = column;
    fill();
}

bool ConstraintListPage::deleteSelected() {
    const int index = selected_;
    if (!data || !data->isValidConstraint(index)) return false;
    const int before = index - 1;
    const int beforeId = data->isValidConstraint(before) ? data->constrIds[before] : 0;
    if (!DeleteConstraint(*data, index)) return false;
    // The constraint before the deleted one, or the first.
    data->currentId = beforeId;
    fill();
    return true;
}

bool ConstraintListPage::editCut() {
    const int index = selected_;
    if (!data || !data->isValidConstraint(index) || data->cutFlags[index] != 1) return false;
    bool escaped = false;
    const bool written = StartEditMacroCutDlg(*data, index, escaped);
    // The Escape that ended the cut editor is not to end this dialog too.
    swallowEscape_ = escaped;
    fill();
    return written;
}

void ConstraintListPage::showContextMenu(int row, const QPoint& screenPosition) {
    if (!data || row < 1 || row > data->constrCells.length()) return;
    if (row - 1 != selected_) {
        store();
        selectConstraint(row - 1);
    }
    startHighlightPeriod();
    const int index = selected_;
    Zrk_StringArray texts;
    Zrk_Array<int> checked, actions;
    ConstrContextMenu(*data, index, texts, checked, actions);
    std::vector<ui::MenuItem> items;
    int action = 0;
    for (int i = 0; i < texts.length(); ++i) {
        if (texts[i] == kMenuBreak) {
            items.push_back(ui::MenuItem::separatorLine());
            continue;
        }
        // Six commands: an item beyond them cannot be offered.
        if (action < kMenuCommandCount) {
            ui::MenuItem item{kMenuCommands[action], texts[i]};
            item.checked = checked.contains(i);
            items.push_back(item);
        }
        ++action;
    }
    const int chosen = ui::trackPopupMenu(items, screenPosition, this);
    const int* command = std::find(std::begin(kMenuCommands), std::end(kMenuCommands), chosen);
    const int position = static_cast<int>(command - std::begin(kMenuCommands));
    if (chosen == 0 || position >= kMenuCommandCount || !actions.isValid(position)) return;
    const int id = data->constrIds[index];
    if (!interactive([&] { return ContextMenuAction(*data, index, actions[position]); })) {
        fill();
        return;
    }
    // The constraint stays selected while it exists (a deleted one: the one before it).
    if (data->indexOfId(id) < 0)
        data->currentId = index > 0 && index - 1 < data->constrIds.length() ? data->constrIds[index - 1] : 0;
    fill();
}

bool ConstraintListPage::onCommand(int id, int code) {
    if (code == ui::BN_CLICKED) {
        for (int k = 0; k < kPictureCount; ++k)
            if (id == kPictures[k]) return clickPicture(k + 1), true;
        switch (id) {
        case kFlag1:
            // Only a driving dimension can be shown in the macro dialog.
            if (checkState(kFlag1) != 1) setCheck(kFlag2, 0);
            enableItem(kFlag2, checkState(kFlag1) == 1);
            return true;
        case kCutEditor:
            return editCut(), true;
        case kDelete:
            return deleteSelected(), true;
        default:
            break;
        }
    }
    if (id == kName && code == ui::EN_KILLFOCUS && !selecting_) return checkVariableName(), true;
    return ConstraintEditingPage::onCommand(id, code);
}

bool ConstraintListPage::onNotify(int id, int code, const void* details) {
    if (id != kGrid || !details) return ConstraintEditingPage::onNotify(id, code, details);
    const auto& notify = *static_cast<const spreadlib::GridNotify*>(details);
    switch (code) {
    case spreadlib::kGridClick:
        if (notify.row == 0 && notify.col >= 1) {
            sortBy(notify.col);
        } else if (notify.row >= 1 && notify.row - 1 != selected_) {
            store();
            selectConstraint(notify.row - 1);
        }
        return true;
    case spreadlib::kGridActiveCellChanged:
        if (notify.newRow >= 1 && notify.newRow - 1 != selected_ && !selecting_) {
            store();
            selectConstraint(notify.newRow - 1);
        }
        return true;
    case spreadlib::kGridRightButtonDown:
        if (notify.col >= 1 && notify.col <= 3 && notify.row >= 1)
            showContextMenu(notify.row, QCursor::pos());
        return true;
    default:
        return false;
    }
}

bool ConstraintListPage::preTranslateKey(const ui::KeyPress& key) {
    if (key.key == ui::VK_ESCAPE) return handleEscape(&grid, swallowEscape_);
    return false;
}
